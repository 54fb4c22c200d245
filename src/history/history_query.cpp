#include "history_query.h"

#include "coverage.h"
#include "data/dates.h"
#include "parities.h"
#include "rate_sweep.h"
#include "statement.h"

#include <algorithm>
#include <map>
#include <optional>

namespace kestrum::history {

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
    if (IsNbpSource(source)) {
        // Table A's rows of the week before serve the crossing of a table B.
        SourceSweep a(store, QString::fromLatin1(kNbpA), day - lookBack - kLookBackDays, day);
        a.AdvanceTo(day);
        const bool tableB = source == QLatin1String(kNbpB);
        std::optional<SourceSweep> b;
        if (tableB) {
            b.emplace(store, source, day - lookBack, day);
            b->AdvanceTo(day);
        }
        for (int k = 1; k < kCurrencyCount; ++k)
            rates[k] = NbpRate(a, !tableB, b ? &*b : nullptr, k, day, lookBack);
        return rates;
    }
    SourceSweep sweep(store, source, day - lookBack, day);
    sweep.AdvanceTo(day);
    for (int k = 1; k < kCurrencyCount; ++k)
        rates[k] = PlainRate(sweep, k, day, lookBack);
    return rates;
}

DayRates RatesFor(const Store& store, int day, const QString& primary, FillPolicy policy) {
    Sweeps sweeps(store, primary, policy, day, day);
    sweeps.AdvanceTo(day);
    return sweeps.RatesOn(day);
}

void RatesForDays(const Store& store, const std::vector<int>& days, const QString& primary,
                  FillPolicy policy, const std::function<void(int, const DayRates&)>& each) {
    if (days.empty())
        return;
    Sweeps sweeps(store, primary, policy, days.front(), days.back());
    for (const int day : days) {
        sweeps.AdvanceTo(day);
        each(day, sweeps.RatesOn(day));
    }
}

RateStore AsRateStore(const DayRates& rates, int day) {
    RateStore store;
    SetDayDate(store, kDayCount, day);
    for (int k = 1; k < kCurrencyCount; ++k)
        SetDayRate(store, k, kDayCount, rates[k].rate);
    ComputeCurrentRates(store);
    return store;
}

std::array<AverageRate, kCurrencyCount> AverageRates(const Store& store, const QString& primary,
                                                     FillPolicy policy, int fromDay, int toDay) {
    std::array<AverageRate, kCurrencyCount> averages;
    std::vector<int> days = StoredDays(store, primary, fromDay, toDay);
    if (policy.fromOtherSource) {
        for (const QString& source : {OtherSource(primary), QString::fromLatin1(kNbpA)})
            if (days.empty() && !source.isEmpty())
                days = StoredDays(store, source, fromDay, toDay);
    }
    std::array<double, kCurrencyCount> sums{};
    RatesForDays(store, days, primary, policy, [&](int day, const DayRates& rates) {
        for (int k = 1; k < kCurrencyCount; ++k) {
            if (!IsUsableRate(rates[k].rate))
                continue;
            AverageRate& average = averages[k];
            sums[k] += rates[k].rate;
            if (average.days++ == 0)
                average.firstDay = day;
            average.lastDay = day;
            const Origin& origin = rates[k].origin;
            const bool known = std::any_of(
                average.origins.begin(), average.origins.end(), [&origin](const Origin& seen) {
                    return seen.source == origin.source && seen.filled == origin.filled &&
                           seen.parity == origin.parity;
                });
            if (!known)
                average.origins.push_back(origin);
        }
    });
    for (int k = 1; k < kCurrencyCount; ++k)
        if (averages[k].days > 0)
            averages[k].rate = sums[k] / averages[k].days;
    if (!days.empty())
        averages[0] = {1.0, int(days.size()), days.front(), days.back(), {}};
    return averages;
}

// ---- Series: a currency's stored days, each side read from its own key.
namespace {

// One code's rows of a source as stored, oldest first.
std::vector<SeriesPoint> RowsOf(const Store& store, const QString& source, const char* code,
                                int fromDay, int toDay) {
    std::vector<SeriesPoint> series;
    Query query(store, "SELECT day, rate FROM observations "
                       "WHERE source = ?1 AND code = ?2 AND day BETWEEN ?3 AND ?4 ORDER BY day");
    query.Bind(1, source).Bind(2, code).Bind(3, fromDay).Bind(4, toDay);
    while (query.Next())
        series.push_back({query.Int(0), query.Double(1)});
    return series;
}

// An NBP table's zlotys crossed as RatesFor crosses them: table A through the
// Canadian dollar of the same table, table B through that of the day's table
// A or the latest one of the week before; the zloty is 1 / the CAD mid.
std::vector<SeriesPoint> NbpSeries(const Store& store, const QString& source, int k, int fromDay,
                                   int toDay) {
    const bool tableB = source == QLatin1String(kNbpB);
    const std::vector<SeriesPoint> cad = RowsOf(store, QString::fromLatin1(kNbpA), "CAD",
                                                tableB ? fromDay - kLookBackDays : fromDay, toDay);
    std::vector<SeriesPoint> series;
    if (k == IndexOfCode("PLN")) {
        if (!tableB)
            for (const SeriesPoint& point : cad)
                if (const double rate = UsableRateOrMissing(1.0 / point.rate);
                    rate != kNotAvailable)
                    series.push_back({point.day, rate});
        return series;
    }
    const std::vector<SeriesPoint> mids = RowsOf(store, source, CurrencyCode(k), fromDay, toDay);
    series.reserve(mids.size());
    auto via = cad.begin();
    for (const SeriesPoint& point : mids) {
        while (via != cad.end() && via + 1 != cad.end() && (via + 1)->day <= point.day)
            ++via;
        if (via == cad.end() || via->day > point.day ||
            point.day - via->day > (tableB ? kLookBackDays : 0))
            continue;
        if (const double rate = UsableRateOrMissing(point.rate / via->rate); rate != kNotAvailable)
            series.push_back({point.day, rate});
    }
    return series;
}

// A currency's stored rates completed, day by day, by its parity to the same
// source's anchor, as RatesFor completes a single day; its own rates win.
// `stored` reads each currency once however often it is asked.
template <typename Stored>
std::vector<SeriesPoint> ReachableSeries(Stored& stored, int k, int fromDay) {
    const std::vector<SeriesPoint>& own = stored(k);
    const auto parity = std::find_if(Parities().begin(), Parities().end(),
                                     [k](const Parity& p) { return p.currency == k; });
    if (parity == Parities().end())
        return own;
    const int holdsFrom = std::max(fromDay, int(parity->holdsFrom));
    const std::vector<SeriesPoint>& anchor = stored(AnchorCurrency(*parity));
    std::vector<SeriesPoint> series;
    series.reserve(own.size() + anchor.size());
    auto next = own.begin();
    for (const SeriesPoint& point : anchor) {
        if (point.day < holdsFrom)
            continue;
        while (next != own.end() && next->day < point.day)
            series.push_back(*next++);
        if (next != own.end() && next->day == point.day) {
            series.push_back(*next++);
        } else if (const double rate = RateFromParity(*parity, point.rate); rate != kNotAvailable) {
            series.push_back({point.day, rate});
        }
    }
    series.insert(series.end(), next, own.end());
    return series;
}

} // namespace

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
    if (IsNbpSource(source))
        return NbpSeries(store, source, k, fromDay, toDay);
    return RowsOf(store, source, CurrencyCode(k), fromDay, toDay);
}

std::vector<SeriesPoint> CrossSeries(const Store& store, const QString& source, int from, int to,
                                     int fromDay, int toDay) {
    std::map<int, std::vector<SeriesPoint>> read;
    const auto stored = [&](int k) -> const std::vector<SeriesPoint>& {
        auto found = read.find(k);
        if (found == read.end())
            found = read.emplace(k, StoredSeries(store, source, k, fromDay, toDay)).first;
        return found->second;
    };
    // The Canadian dollar is 1 on every publication day, and every day of a
    // currency's series is one: its side needs no reading.
    if (to == 0 && from != 0)
        return ReachableSeries(stored, from, fromDay);
    std::vector<SeriesPoint> numerator = ReachableSeries(stored, from, fromDay);
    if (from == 0 && to != 0) {
        std::vector<SeriesPoint> denominator = ReachableSeries(stored, to, fromDay);
        for (SeriesPoint& point : denominator)
            point.rate = 1.0 / point.rate;
        return denominator;
    }
    const std::vector<SeriesPoint> denominator =
        from == to ? numerator : ReachableSeries(stored, to, fromDay);
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

std::vector<StoredFigure> StoredFigures(const Store& store, const QString& source, int fromDay,
                                        int toDay) {
    std::vector<StoredFigure> figures;
    Query query(store, "SELECT day, code, rate, kind, quote, tbl FROM observations "
                       "WHERE source = ?1 AND day BETWEEN ?2 AND ?3");
    query.Bind(1, source).Bind(2, fromDay).Bind(3, toDay);
    while (query.Next()) {
        const int k = IndexOfCode(query.Text(1));
        if (k < 0)
            continue;
        figures.push_back({query.Int(0), k, query.Double(2),
                           std::strcmp(query.Text(3), kPublished) == 0,
                           query.IsNull(4) ? QByteArray() : QByteArray(query.Text(4)),
                           query.IsNull(5) ? QString() : query.String(5)});
    }
    return figures;
}

} // namespace kestrum::history
