#pragma once

#include "data/catalogue.h"
#include "data/rate_store.h"
#include "history/history_store.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace kestrum::history {

// How far back a date looks for the latest publication day.
constexpr int kLookBackDays = 7;

// Where a number came from. A stored rate names its source, its kind and its
// publication day; a rate filled from the other source also says so; a
// parity carries its own text ("1 EUR = 1.95583 BGN").
struct Origin {
    QString source{};    // "boc", "ecb", "nbp-a", "nbp-b", "page:..."; empty for no rate
    QString kind{};      // kPublished or kCross
    int day = 0;         // the publication day the rate belongs to
    bool filled = false; // taken from another source than the one asked for
    QString parity{};    // non-empty for a rate derived from a fixed parity
    QString table{};     // NBP: the table the figure is from, "047/B/NBP/2021"
    QString viaTable{};  // NBP: the table A whose CAD mid crossed it ("" when the same table)
    int viaDay = 0;      // that table's day
};

// "boc", "ecb (cross)", "filled from ecb on 2024-01-05", "parity 1 EUR = ...".
QString OriginText(const Origin& origin);

struct OriginatedRate {
    double rate = kNotAvailable; // Canadian dollars per unit
    int day = 0;
    Origin origin;
};

// Index k = catalogue currency; element 0, the Canadian dollar, is 1.
using DayRates = std::array<OriginatedRate, kCurrencyCount>;

// What RatesFor may add to the primary source's own rates.
struct FillPolicy {
    bool fromOtherSource = false; // the other service's latest day on or before D
    bool parities = false;        // fixed parities to USD or EUR
};

// The other rate service of a source: "ecb" for "boc" and the reverse;
// empty for pages and NBP.
QString OtherSource(const QString& source);

// The rates for day D: each currency's rate on the primary's latest
// publication day on or before D (at most kLookBackDays back), then what the
// policy allows (CompleteRates); -1 where nothing is found.
DayRates RatesFor(const Store& store, int day, const QString& primary, FillPolicy policy = {});

// RatesFor of each of `days` (ascending), read in one pass over the store
// however far apart they lie; `each` sees every day once, in order.
void RatesForDays(const Store& store, const std::vector<int>& days, const QString& primary,
                  FillPolicy policy, const std::function<void(int, const DayRates&)>& each);

// Step one alone: the primary's latest stored rate of each currency on or
// before `day`, at most `lookBack` days back, in Canadian dollars (an NBP
// table's zlotys crossed through its table A's Canadian dollar).
DayRates LatestOnOrBefore(const Store& store, const QString& source, int day,
                          int lookBack = kLookBackDays);

// The rates of a day as a rate store (record 5, dated `day`), so the
// conversion of today's rates converts them too.
RateStore AsRateStore(const DayRates& rates, int day);

struct SeriesPoint {
    int day = 0;
    double rate = kNotAvailable;
};

// The stored rates of currency k (Canadian dollars per unit) from `source`
// between two days, both included, oldest first. The Canadian dollar gives
// every publication day of the source at 1.
std::vector<SeriesPoint> StoredSeries(const Store& store, const QString& source, int k, int fromDay,
                                      int toDay);

// The rate of currency `from` in units of `to` on each day both have a
// stored rate from `source` (or one its fixed parity gives), oldest first:
// what a chart draws.
std::vector<SeriesPoint> CrossSeries(const Store& store, const QString& source, int from, int to,
                                     int fromDay, int toDay);

struct AverageRate {
    double rate = kNotAvailable; // mean of the daily rates
    int days = 0;
    int firstDay = 0;
    int lastDay = 0;
    std::vector<Origin> origins; // one of each source, filling and parity the days took
};

// The arithmetic mean of each currency's daily rates between two days, both
// included: the rates RatesFor gives on each publication day of the primary
// (of the first source with days there when it has none) that has one.
std::array<AverageRate, kCurrencyCount> AverageRates(const Store& store, const QString& primary,
                                                     FillPolicy policy, int fromDay, int toDay);

struct SourceSummary {
    QString source;
    int firstDay = 0;
    int lastDay = 0;
    int days = 0;
    int currencies = 0;
};

// One entry per stored source, by name.
std::vector<SourceSummary> Summary(const Store& store);

// Stored publication days of `source` between two days, both included.
std::vector<int> StoredDays(const Store& store, const QString& source, int fromDay, int toDay);

// A stored row as its source gave it: the rate as read, its kind, the
// number text as published (empty for rows stored before texts were kept)
// and the publisher's table number.
struct StoredFigure {
    int day = 0;
    int currency = 0;
    double rate = kNotAvailable;
    bool published = false;
    QByteArray quote;
    QString table;
};

// Every stored row of `source` between two days, both included, in no
// particular order.
std::vector<StoredFigure> StoredFigures(const Store& store, const QString& source, int fromDay,
                                        int toDay);

} // namespace kestrum::history
