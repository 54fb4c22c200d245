#include "history_query.h"

#include "coverage.h"
#include "data/dates.h"
#include "parities.h"
#include "statement.h"

#include <algorithm>
#include <cstring>

namespace kestrum::history {

namespace {

int IndexOfCode(const char* code) {
    for (int k = 0; k < kCurrencyCount; ++k)
        if (std::strcmp(CurrencyCode(k), code) == 0)
            return k;
    return -1;
}

} // namespace

QString OriginText(const Origin& origin) {
    if (!origin.parity.isEmpty())
        return QStringLiteral("parity ") + origin.parity;
    if (origin.source.isEmpty())
        return {};
    if (origin.filled)
        return QStringLiteral("filled from %1 on %2").arg(origin.source, IsoDateText(origin.day));
    if (origin.kind == QLatin1String(kCross))
        return origin.source + QStringLiteral(" (cross)");
    return origin.source;
}

QString OtherSource(const QString& source) {
    if (source == QLatin1String(kBoc))
        return QString::fromLatin1(kEcb);
    if (source == QLatin1String(kEcb))
        return QString::fromLatin1(kBoc);
    return {};
}

DayRates LatestOnOrBefore(const Store& store, const QString& source, int day, int lookBack) {
    DayRates rates;
    Query query(store, "SELECT code, day, rate, kind FROM observations "
                       "WHERE source = ?1 AND day BETWEEN ?2 AND ?3 ORDER BY day");
    query.Bind(1, source).Bind(2, day - lookBack).Bind(3, day);
    while (query.Next()) {
        const int k = IndexOfCode(query.Text(0));
        if (k <= 0)
            continue;
        OriginatedRate& rate = rates[k];
        rate.day = query.Int(1);
        rate.rate = query.Double(2);
        rate.origin = {.source = source, .kind = query.String(3), .day = rate.day};
    }
    return rates;
}

DayRates RatesFor(const Store& store, int day, const QString& primary, FillPolicy policy) {
    DayRates rates = LatestOnOrBefore(store, primary, day);
    // The Canadian dollar is the unit of every rate.
    rates[0] = {1.0, day, {.source = primary, .kind = QString::fromLatin1(kPublished), .day = day}};
    CompleteRates(store, day, primary, policy, rates);
    return rates;
}

RateStore AsRateStore(const DayRates& rates, int day) {
    RateStore store;
    SetDayDate(store, kDayCount, day);
    for (int k = 1; k < kCurrencyCount; ++k)
        SetDayRate(store, k, kDayCount, rates[k].rate);
    ComputeCurrentRates(store);
    return store;
}

std::vector<SeriesPoint> StoredSeries(const Store& store, const QString& source, int k, int fromDay,
                                      int toDay) {
    std::vector<SeriesPoint> series;
    if (k == 0) {
        for (const int day : StoredDays(store, source, fromDay, toDay))
            series.push_back({day, 1.0});
        return series;
    }
    if (k < 0 || k >= kCurrencyCount)
        return series;
    Query query(store, "SELECT day, rate FROM observations "
                       "WHERE source = ?1 AND code = ?2 AND day BETWEEN ?3 AND ?4 ORDER BY day");
    query.Bind(1, source).Bind(2, CurrencyCode(k)).Bind(3, fromDay).Bind(4, toDay);
    while (query.Next())
        series.push_back({query.Int(0), query.Double(1)});
    return series;
}

namespace {

// A currency's stored rates completed, day by day, by its parity to the same
// source's anchor, as RatesFor completes a single day; its own rates win.
std::vector<SeriesPoint> ReachableSeries(const Store& store, const QString& source, int k,
                                         int fromDay, int toDay) {
    std::vector<SeriesPoint> stored = StoredSeries(store, source, k, fromDay, toDay);
    const auto parity = std::find_if(Parities().begin(), Parities().end(),
                                     [k](const Parity& p) { return p.currency == k; });
    if (parity == Parities().end())
        return stored;
    const std::vector<SeriesPoint> anchor = StoredSeries(
        store, source, AnchorCurrency(*parity), std::max(fromDay, int(parity->holdsFrom)), toDay);
    std::vector<SeriesPoint> series;
    series.reserve(stored.size() + anchor.size());
    auto own = stored.begin();
    for (const SeriesPoint& point : anchor) {
        while (own != stored.end() && own->day < point.day)
            series.push_back(*own++);
        if (own != stored.end() && own->day == point.day) {
            series.push_back(*own++);
        } else if (const double rate = RateFromParity(*parity, point.rate); rate != kNotAvailable) {
            series.push_back({point.day, rate});
        }
    }
    series.insert(series.end(), own, stored.end());
    return series;
}

} // namespace

std::vector<SeriesPoint> CrossSeries(const Store& store, const QString& source, int from, int to,
                                     int fromDay, int toDay) {
    const std::vector<SeriesPoint> numerator = ReachableSeries(store, source, from, fromDay, toDay);
    const std::vector<SeriesPoint> denominator = ReachableSeries(store, source, to, fromDay, toDay);
    std::vector<SeriesPoint> series;
    series.reserve(numerator.size());
    auto other = denominator.begin();
    for (const SeriesPoint& point : numerator) {
        while (other != denominator.end() && other->day < point.day)
            ++other;
        if (other == denominator.end())
            break;
        if (other->day == point.day)
            series.push_back({point.day, point.rate / other->rate});
    }
    return series;
}

std::array<AverageRate, kCurrencyCount> AverageRates(const Store& store, const QString& source,
                                                     int fromDay, int toDay) {
    std::array<AverageRate, kCurrencyCount> averages;
    Query query(store, "SELECT code, avg(rate), count(*), min(day), max(day) FROM observations "
                       "WHERE source = ?1 AND day BETWEEN ?2 AND ?3 GROUP BY code");
    query.Bind(1, source).Bind(2, fromDay).Bind(3, toDay);
    int first = 0;
    int last = 0;
    int days = 0;
    while (query.Next()) {
        const int k = IndexOfCode(query.Text(0));
        if (k <= 0)
            continue;
        averages[k] = {query.Double(1), query.Int(2), query.Int(3), query.Int(4)};
        if (days == 0 || query.Int(3) < first)
            first = query.Int(3);
        last = std::max(last, query.Int(4));
        days = std::max(days, query.Int(2));
    }
    if (days > 0)
        averages[0] = {1.0, days, first, last};
    return averages;
}

std::vector<SourceSummary> Summary(const Store& store) {
    std::vector<SourceSummary> summary;
    Query query(store, "SELECT source, min(day), max(day), count(*), "
                       "(SELECT count(DISTINCT code) FROM observations AS o "
                       "WHERE o.source = days.source) "
                       "FROM days GROUP BY source ORDER BY source");
    while (query.Next())
        summary.push_back(
            {query.String(0), query.Int(1), query.Int(2), query.Int(3), query.Int(4)});
    return summary;
}

std::vector<int> StoredDays(const Store& store, const QString& source, int fromDay, int toDay) {
    std::vector<int> days;
    Query query(store, "SELECT day FROM days WHERE source = ?1 AND day BETWEEN ?2 AND ?3 "
                       "ORDER BY day");
    query.Bind(1, source).Bind(2, fromDay).Bind(3, toDay);
    while (query.Next())
        days.push_back(query.Int(0));
    return days;
}

} // namespace kestrum::history
