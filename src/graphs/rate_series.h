#pragma once

#include "history/history_query.h"

#include <QString>
#include <optional>
#include <vector>

namespace kestrum {

// One publication day of a rate, as the store's series give it.
using RatePoint = history::SeriesPoint;
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

// What a line `columns` pixels wide shows of a series: with more than two
// points a column, each column's lowest and highest point in day order (and
// the first and last point), so every peak and trough is drawn; a shorter
// series whole.
RateSeries DrawnPoints(const RateSeries& series, int columns);

// The publication day nearest to `day`, the earlier one on a tie; -1 for an
// empty series.
int NearestPointIndex(const RateSeries& series, double day);

// A labelled tick of the date axis on a calendar boundary: Mondays under
// about six weeks, month starts under about seven months, quarter starts under
// about two years, else January 1 of every year, or of every 2nd, 5th or
// 10th year so that at most 12 remain.
struct DateTick {
    int day = 0;
    QString label;
};
std::vector<DateTick> DateTicks(int firstDay, int lastDay);

// Days without a rate longer than any closure of a source (Easter, the turn
// of the year), so what lies on either side is not joined by a line.
constexpr int kGapDays = 10;

// A stretch of more than kGapDays without a stored day: the last day before
// it and the first after it.
struct SeriesGap {
    int lastBefore = 0;
    int firstAfter = 0;
};
std::vector<SeriesGap> Gaps(const RateSeries& series);

// The series cut at its gaps, each piece oldest first.
std::vector<RateSeries> SplitAtGaps(const RateSeries& series);

struct SeriesStatistics {
    int days = 0; // 0: nothing else holds a value
    int firstDay = 0;
    int lastDay = 0;
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

// One line of a chart: a source's series of the pair.
struct ChartLine {
    QString source; // "boc", "ecb"
    QString name;   // "Bank of Canada", shown in the legend when there are two
    RateSeries points;
};

// What a chart shows; the window and `kestrum chart` fill it alike.
struct ChartContent {
    QString fromName; // the currency of one unit, "U.S. Dollar"
    QString toName;   // the currency the rate is counted in, "Canadian Dollar"
    QString fromCode;
    QString toCode;
    std::vector<ChartLine> lines;
};

// The pair's stored series from each source, cut to a range that ends on
// the newest day any of them has; sources without a day in it are left out.
ChartContent ChartOfRange(const std::vector<ChartLine>& whole, ChartRange range);

// Whether some line has two days or more: one day draws no line.
bool HasLineToDraw(const ChartContent& content);

// Names the chart's pair: one unit of catalogue currency `from` counted in `to`.
void NamePair(ChartContent& content, int from, int to, int language);

// "date,source,CAD_per_USD" and one line per day and source, ISO dates, the
// rate in the shortest text that reads back the same double.
QByteArray SeriesCsv(const ChartContent& content);

// How saving a drawn chart ended, with one sentence when it failed.
struct ChartSaving {
    enum Status { Saved, NoMemory, FileFailed } status = Saved;
    QString error;
};

// "Bank of Canada", "European Central Bank", or the page's address.
QString SourceDisplayName(const QString& source);

} // namespace kestrum
