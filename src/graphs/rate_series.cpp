#include "rate_series.h"

#include "data/dates.h"

#include <QByteArray>
#include <QDate>
#include <algorithm>
#include <limits>

namespace kestrum {

namespace {
struct RangeInfo {
    ChartRange range;
    const char* name;
    int months;
};
constexpr RangeInfo kRangeInfo[] = {
    {ChartRange::OneMonth, "1M", 1},    {ChartRange::ThreeMonths, "3M", 3},
    {ChartRange::OneYear, "1Y", 12},    {ChartRange::FiveYears, "5Y", 60},
    {ChartRange::TenYears, "10Y", 120}, {ChartRange::All, "All", 0},
};

const RangeInfo& InfoOf(ChartRange range) {
    for (const RangeInfo& info : kRangeInfo)
        if (info.range == range)
            return info;
    return kRangeInfo[std::size(kRangeInfo) - 1];
}

bool ByDay(const RatePoint& point, int day) {
    return point.day < day;
}
} // namespace

QString RangeName(ChartRange range) {
    return QLatin1String(InfoOf(range).name);
}

std::optional<ChartRange> ParseRange(const QString& text) {
    for (const RangeInfo& info : kRangeInfo)
        if (text.compare(QLatin1String(info.name), Qt::CaseInsensitive) == 0)
            return info.range;
    return std::nullopt;
}

int RangeFirstDay(ChartRange range, int lastDay) {
    const int months = InfoOf(range).months;
    const QDate last = CalendarDate(lastDay);
    if (months == 0 || !last.isValid())
        return std::numeric_limits<int>::min();
    // QDate::addMonths clamps to the month's last day; the day after it
    // starts the range, so one month ending on 31 March covers 1 March on.
    return static_cast<int>(DateValueOf(last.addMonths(-months))) + 1;
}

RateSeries SliceSeries(const RateSeries& series, int first, int last) {
    const auto begin = std::lower_bound(series.begin(), series.end(), first, ByDay);
    auto end = begin;
    while (end != series.end() && end->day <= last)
        ++end;
    return RateSeries(begin, end);
}

int NearestPointIndex(const RateSeries& series, double day) {
    if (series.empty())
        return -1;
    const auto after =
        std::lower_bound(series.begin(), series.end(), day,
                         [](const RatePoint& point, double value) { return point.day < value; });
    if (after == series.begin())
        return 0;
    if (after == series.end())
        return static_cast<int>(series.size()) - 1;
    const auto before = after - 1;
    const bool earlier = day - before->day <= after->day - day;
    return static_cast<int>((earlier ? before : after) - series.begin());
}

SeriesStatistics Statistics(const RateSeries& series) {
    SeriesStatistics stats;
    if (series.empty())
        return stats;
    stats.days = static_cast<int>(series.size());
    stats.first = series.front().rate;
    stats.last = series.back().rate;
    stats.changePercent = (stats.last - stats.first) / stats.first * 100.0;
    stats.minimum = stats.maximum = stats.first;
    stats.minimumDay = stats.maximumDay = series.front().day;
    double sum = 0.0;
    for (const RatePoint& point : series) {
        sum += point.rate;
        if (point.rate < stats.minimum) {
            stats.minimum = point.rate;
            stats.minimumDay = point.day;
        }
        if (point.rate > stats.maximum) {
            stats.maximum = point.rate;
            stats.maximumDay = point.day;
        }
    }
    stats.mean = sum / stats.days;
    return stats;
}

QByteArray SeriesCsv(const RateSeries& series, const QString& fromCode, const QString& toCode) {
    QByteArray csv = "date," + toCode.toLatin1() + "_per_" + fromCode.toLatin1() + '\n';
    for (const RatePoint& point : series) {
        csv += CalendarDate(point.day).toString(Qt::ISODate).toLatin1();
        csv += ',';
        csv += QByteArray::number(point.rate, 'g', 17);
        csv += '\n';
    }
    return csv;
}

RateSeries CrossSeries(const RateSeries* fromCad, const RateSeries* toCad) {
    RateSeries pair;
    if (!fromCad && !toCad)
        return pair;
    if (!fromCad || !toCad) {
        const RateSeries& known = fromCad ? *fromCad : *toCad;
        pair.reserve(known.size());
        for (const RatePoint& point : known)
            pair.push_back({point.day, fromCad ? point.rate : 1.0 * (1.0 / point.rate)});
        return pair;
    }
    pair.reserve(std::min(fromCad->size(), toCad->size()));
    auto a = fromCad->begin();
    auto b = toCad->begin();
    while (a != fromCad->end() && b != toCad->end()) {
        if (a->day < b->day) {
            ++a;
        } else if (b->day < a->day) {
            ++b;
        } else {
            pair.push_back({a->day, a->rate * (1.0 / b->rate)});
            ++a;
            ++b;
        }
    }
    return pair;
}

} // namespace kestrum
