#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace kestrum {

// One publication day of a rate: the date value (whole days since
// 30 December 1899, as in "rt.dt") and the rate on it.
struct RatePoint {
    int day = 0;
    double rate = 0.0;
};
// Oldest day first, one point per day.
using RateSeries = std::vector<RatePoint>;

enum class ChartRange { OneMonth, ThreeMonths, OneYear, FiveYears, TenYears, All };
inline constexpr ChartRange kChartRanges[] = {ChartRange::OneMonth, ChartRange::ThreeMonths,
                                              ChartRange::OneYear,  ChartRange::FiveYears,
                                              ChartRange::TenYears, ChartRange::All};

// "1M", "3M", "1Y", "5Y", "10Y", "All".
QString RangeName(ChartRange range);
// A range name in any case ("all", "10y"); nothing for anything else.
std::optional<ChartRange> ParseRange(const QString& text);
// The first day a range ending on `lastDay` covers, by calendar months: the
// day after the same day a month (3, 12, 60, 120 months) earlier, so 1M
// ending on 15 March starts on 16 February and ending on 31 March on 1 March.
// The smallest int for All.
int RangeFirstDay(ChartRange range, int lastDay);

// The points from `first` to `last`, both included.
RateSeries SliceSeries(const RateSeries& series, int first, int last);

// The publication day nearest to `day`, the earlier one on a tie; -1 for an
// empty series.
int NearestPointIndex(const RateSeries& series, double day);

struct SeriesStatistics {
    int days = 0; // 0: nothing else holds a value
    double first = 0.0;
    double last = 0.0;
    double changePercent = 0.0; // (last - first) / first * 100
    double minimum = 0.0;
    int minimumDay = 0;
    double maximum = 0.0;
    int maximumDay = 0;
    double mean = 0.0;
};
SeriesStatistics Statistics(const RateSeries& series);

// "date,rate" lines under a header naming the pair, ISO dates, the rate with
// enough digits to read back the same double.
QByteArray SeriesCsv(const RateSeries& series, const QString& fromCode, const QString& toCode);

// The pair's rate, units of `to` per one unit of `from`, from two series of
// Canadian dollars per unit, on the days both have; nullptr stands for the
// Canadian dollar itself. Same arithmetic as a conversion without the fee.
RateSeries CrossSeries(const RateSeries* fromCad, const RateSeries* toCad);

} // namespace kestrum
