#pragma once

// The rate sources as one table: what each service is, how its answers are
// read, what to fetch from it and when it publishes. A new source is one
// reader, one row, its fixtures and its fuzzer seeds.
#include "readers.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <span>

namespace kestrum::sources {

// How a service's past is asked for.
enum class HistoryShape {
    None,          // the old page keeps five days and no history
    CalendarYears, // one request per year with start_date and end_date (Valet)
    WholeFile,     // one file of every day (the ECB)
    Windows,       // tables per stretch of at most `windowDays`, one request per table (NBP)
};

// When new figures can be expected: on weekdays from a time of day in the
// publisher's zone.
struct PublicationTime {
    const char* zone;
    int standardOffset; // seconds east of UTC, when the system lacks the zone
    int hour;
    int minute;
    const char* sentence; // the first line of the hours message
};

struct RateSource {
    const char* key;       // what users say: "boc", "ecb", "nbp"; "page" for the old layout
    const char* name;      // "National Bank of Poland"
    const char* shortName; // "NBP"
    // The history sources its answers are kept under ("nbp-a", "nbp-b").
    std::span<const char* const> historySources;
    // Reads an answer; nullptr for the old page, which needs the catalogue
    // and the configured date order.
    SourceRead (*read)(QByteArrayView body, Answer& answer, const DayBounds& bounds);
    // What a download of the latest rates fetches.
    QStringList (*latestAddresses)();
    const char* historyAddress; // the default base of its history requests
    HistoryShape history;
    int windowDays;                      // for Windows: the longest stretch one request may ask
    int firstYear, firstMonth, firstDay; // the first day it published; 0 for none
    // Whether no answer in its layout can hold an earlier day (a Valet
    // answer can: older series and mirrors share the layout).
    bool nothingBeforeFirstDay;
    PublicationTime publication;
    bool fillsOnly; // never the configured source, only fills the others' gaps

    // The first day as a date value, -1 for none.
    int FirstDay() const;
    // The days its answers can hold: from its first day (1950 at the
    // earliest) to tomorrow in its zone at `now`.
    DayBounds BoundsAt(const QDateTime& now) const;
};

// Every source; the first two are the ones `kestrum source` chooses from.
std::span<const RateSource> RateSources();

// The row of a user's name ("boc", "ECB", "nbp"), of a history source ("nbp-b",
// "page:..."), or nullptr.
const RateSource* SourceNamed(QStringView name);

// "the Bank of Canada", "the National Bank of Poland": a source's name with
// its article, for sentences, in the language in use; capitalised when it
// starts one.
QString SourceWithArticle(QStringView name, bool startsSentence = false);

// The row whose reader takes `body` and what it read; nullptr (and `answer`
// untouched) when none does, which makes it a page of the old layout.
const RateSource* ReadAnswer(QByteArrayView body, Answer& answer, const QDateTime& now,
                             SourceRead& read);

// The NBP's latest tables under a base address such as
// "https://api.nbp.pl/api/exchangerates/": table A of the last ten business
// days and the latest table B.
QStringList NbpLatestUnder(const QString& base);

} // namespace kestrum::sources
