#pragma once

#include "data/catalogue.h"
#include "data/rate_store.h"
#include "settings/configuration.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <map>
#include <optional>

namespace kestrum {

// The Bank of Canada's noon-rate page, retired in 2017; records written
// before then still hold it.
constexpr const char* kRetiredRatePageAddress = "http://www.bankofcanada.ca/fmd/exchange.htm";
// The European Central Bank's euro reference rates of the last 90 days.
constexpr const char* kEcbRatesAddress =
    "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-hist-90d.xml";

// The address a download fetches: the configured one, or the Bank of Canada's
// current service when the record still names the retired page. The record
// itself is not changed.
QString RatePageUrl(const ConfigRecord& config);

// What `kestrum source` accepts: "boc" or "ecb" in any case, or an http or
// https address that fits the record's 255 characters. Nothing otherwise.
std::optional<QString> RateSourceAddress(const QString& argument);

// Reads a downloaded body into the five day records, choosing the reader by
// content: a JSON object with an "observations" array is the Bank of
// Canada's Valet service, an XML document rooted in gesmes:Envelope the ECB's
// reference rates, anything else the rate page. False when the body gives no
// usable day; the caller then restores the store from the rate file.
// When `answer` is given, it receives the kind of body and, for the two
// services, every usable day (the history keeps them).
struct BodyDays;
bool ReadRateBody(QByteArrayView body, RateStore& store, const Catalogue& catalogue,
                  const ConfigRecord& config, BodyDays* answer = nullptr);

enum class SourceRead { NotRecognised, Read, NoUsableDay };

namespace sources {
// Day records by date value; element 0 holds the date.
using SourceDays = std::map<double, DayRecord>;
} // namespace sources

// The readers fill a fresh set of day records (oldest first, the newest in
// record 5) from the five newest dates that carry a rate of a catalogue
// currency, matched by ISO code; the store is untouched unless the result is
// Read.
SourceRead ReadValetRates(QByteArrayView body, RateStore& store);
SourceRead ReadEcbRates(QByteArrayView body, RateStore& store);

// What a body was and, for the services, all its days.
enum class BodyKind { Page, Valet, Ecb };
struct BodyDays {
    BodyKind kind = BodyKind::Page;
    sources::SourceDays days;
};

// Every usable day of an answer, for the history: `days` (cleared by the
// caller) receives each date that carries a rate; Read when at least one does.
SourceRead ReadValetDays(QByteArrayView body, sources::SourceDays& days);
SourceRead ReadEcbDays(QByteArrayView body, sources::SourceDays& days);

// The pieces the readers share.
namespace sources {

// Whether the body's first byte other than white space is `c`.
bool BodyStartsWith(QByteArrayView body, char c);

// A decimal text as a usable rate, else -1.
double SourceRate(QStringView text);

// "2026-12-04" as a date value; -1 for anything else or a year before 1900.
double IsoDateValue(QStringView text);

// The catalogue index of an ISO code (exact, upper case), -1 when absent.
int CurrencyIndexOfCode(QStringView code);

// The record of a date, created without rates on first use.
DayRecord& DayOf(SourceDays& days, double date);

// Replaces the store's day records by the five newest days, oldest first;
// fewer days leave the earlier records empty. False, and the store
// untouched, when there is no day.
bool StoreNewestDays(const SourceDays& days, RateStore& store);

} // namespace sources

} // namespace kestrum
