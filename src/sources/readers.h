#pragma once

// The readers of the rate services' answers: pure functions from the bytes of
// an answer to the days it published, with the number texts as written.
#include "data/catalogue.h"
#include "data/rate_store.h"
#include "history/history_store.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <map>
#include <set>

namespace kestrum {

enum class SourceRead { NotRecognised, Read, NoUsableDay };

namespace sources {

// Day records by date value; element 0 holds the date.
using SourceDays = std::map<double, DayRecord>;

// The number texts of a day as published, by catalogue index (index 0 the
// Canadian dollar's own figure where a source publishes one), and the
// publisher's table number: what the history keeps beside each rate.
using DayQuotes = history::DayQuotes;
using Quotes = history::Quotes;

// The days a reader keeps, both included. A service cannot have published a
// day before it started or after tomorrow in its own zone.
struct DayBounds {
    double first = 18264.0; // 1 January 1950
    double last = 109574.0; // 31 December 2199
    bool Holds(double day) const { return day >= first && day <= last; }
};

// The rates the program believes a publisher could print, in Canadian
// dollars per unit (and, for the NBP, zlotys, of the same order): a figure
// outside is a damaged answer's, refused on its own.
constexpr double kLowestRate = 1e-9;
constexpr double kHighestRate = 1e6;
inline bool InBand(double rate) {
    return rate >= kLowestRate && rate <= kHighestRate;
}

// What one source of the history published in an answer. The rates are in
// the unit the history keeps for it: Canadian dollars per unit for the Bank
// of Canada and the ECB, zlotys per unit for the NBP's tables.
struct Published {
    SourceDays days;
    Quotes quotes;
};

// What a reader made of an answer.
struct Answer {
    std::map<QString, Published> published; // by history source: "boc", "nbp-a", ...
    std::set<double> daysOutside;           // days with rates outside the bounds, left out
    int ratesRefused = 0;                   // numbers outside the band, left out
    bool noTable = false;                   // the NBP said it has no table for what was asked

    bool HasDays() const;
    // What was left out, in one sentence; empty when nothing was.
    QString LeftOutSentence() const;
};

} // namespace sources

// The readers. Each returns NotRecognised for a body of another kind, and
// adds to `answer` only when it returns Read.
// The Bank of Canada's Valet service (JSON), kept as "boc".
SourceRead ReadValetAnswer(QByteArrayView body, sources::Answer& answer,
                           const sources::DayBounds& bounds);
// The ECB's reference rates (XML), kept as "ecb": the euro at the CAD
// quote, every other currency crossed through it.
SourceRead ReadEcbAnswer(QByteArrayView body, sources::Answer& answer,
                         const sources::DayBounds& bounds);
// The National Bank of Poland's exchange-rate API (JSON tables A and B or one
// currency's series, or its plain-text refusals), kept as "nbp-a" and
// "nbp-b" in zlotys per unit.
SourceRead ReadNbpAnswer(QByteArrayView body, sources::Answer& answer,
                         const sources::DayBounds& bounds);

// The five newest days of a Valet or ECB answer in a fresh set of day
// records (oldest first, the newest in record 5); the store is untouched
// unless the result is Read.
SourceRead ReadValetRates(QByteArrayView body, RateStore& store);
SourceRead ReadEcbRates(QByteArrayView body, RateStore& store);

// The pieces the readers share.
namespace sources {

// Whether the body's first byte other than white space is `c`.
bool BodyStartsWith(QByteArrayView body, char c);

// A number text as Qt reads it; NaN when it is none.
double SourceNumber(QStringView text);

// "2026-12-04" as a date value; -1 for anything that is not a calendar day
// written so.
double IsoDateValue(QStringView text);

// The catalogue index of an ISO code (exact, upper case), -1 when absent.
// The bolívar in circulation answers to VES as well as to the catalogue's VEF.
int CurrencyIndexOfCode(QStringView code);

// The record of a date, created without rates on first use.
DayRecord& DayOf(SourceDays& days, double date);

// Counts a day outside the bounds that carried a rate.
inline void LeaveOut(Answer& answer, double day) {
    answer.daysOutside.insert(day);
}

// The figures of one day of one source as a reader keeps them; the day
// enters the answer with its first kept figure, so a day whose figures are
// all refused leaves no trace but the count.
class DayWriter {
public:
    DayWriter(Answer& answer, const QString& source, double day)
        : m_answer(answer), m_source(source), m_day(day) {}

    // Keeps the figure of currency k (0 the Canadian dollar, whose figure
    // lives in the quotes only): `rate` in the history's unit, `text` as
    // written. False, and counted as refused, when the rate leaves the band;
    // an unusable rate (absent, zero, negative) is neither kept nor counted.
    bool Keep(int k, double rate, QByteArrayView text);
    // The publisher's table number, once the day holds a figure.
    void SetTable(QByteArrayView table);

private:
    Answer& m_answer;
    const QString& m_source;
    double m_day;
    DayRecord* m_record = nullptr;
    DayQuotes* m_quotes = nullptr;
};

// Moves every day of `from` into `to`, with its counts.
void Merge(Answer& from, Answer& to);

// How a reader's one pass over an answer ended.
enum class Scanned { GaveUp, NotRecognised, Read };
// What a pass that did not give up read: `found` joins `answer`.
SourceRead AfterScan(Scanned scanned, Answer& found, Answer& answer);

// Replaces the store's day records by the five newest days, oldest first;
// fewer days leave the earlier records empty. False, and the store
// untouched, when there is no day.
bool StoreNewestDays(const SourceDays& days, RateStore& store);

} // namespace sources

} // namespace kestrum
