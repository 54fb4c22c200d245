#include "graphs/rate_series.h"

#include "data/dates.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>
#include <limits>

using namespace kestrum;

namespace {
int Day(int y, int m, int d) {
    return static_cast<int>(DateValueFromYmd(y, m, d));
}
} // namespace

TEST(RateSeries, RangeStartsTheDayAfterTheSameDayEarlier) {
    struct Case {
        ChartRange range;
        int last;
        int first;
    } const cases[] = {
        {ChartRange::OneMonth, Day(2026, 3, 15), Day(2026, 2, 16)},
        // No 31 February: the month before ends on its last day.
        {ChartRange::OneMonth, Day(2026, 3, 31), Day(2026, 3, 1)},
        {ChartRange::ThreeMonths, Day(2024, 5, 31), Day(2024, 3, 1)},
        {ChartRange::OneYear, Day(2024, 2, 29), Day(2023, 3, 1)},
        {ChartRange::FiveYears, Day(2026, 12, 7), Day(2021, 12, 8)},
        {ChartRange::TenYears, Day(2026, 1, 1), Day(2016, 1, 2)},
        {ChartRange::All, Day(2026, 1, 1), std::numeric_limits<int>::min()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RangeFirstDay(c.range, c.last), c.first) << RangeName(c.range).toStdString();
}

TEST(RateSeries, RangeNamesReadBackInAnyCase) {
    for (ChartRange range : kChartRanges) {
        EXPECT_EQ(ParseRange(RangeName(range)), range);
        EXPECT_EQ(ParseRange(RangeName(range).toLower()), range);
    }
    EXPECT_FALSE(ParseRange(QStringLiteral("2Y")));
    EXPECT_FALSE(ParseRange(QString()));
}

TEST(RateSeries, NearestDayPrefersTheEarlierOnATie) {
    const RateSeries series{{10, 1.0}, {12, 2.0}, {17, 3.0}};
    struct Case {
        double day;
        int index;
    } const cases[] = {{0, 0}, {10.4, 0}, {11, 0}, {11.01, 1}, {14.5, 1}, {14.6, 2}, {99, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(NearestPointIndex(series, c.day), c.index) << c.day;
    EXPECT_EQ(NearestPointIndex({}, 5), -1);
}

TEST(RateSeries, StatisticsOfARange) {
    const RateSeries series{{1, 2.0}, {2, 1.0}, {3, 4.0}, {4, 2.5}};
    const SeriesStatistics s = Statistics(series);
    EXPECT_EQ(s.days, 4);
    EXPECT_DOUBLE_EQ(s.first, 2.0);
    EXPECT_DOUBLE_EQ(s.last, 2.5);
    EXPECT_DOUBLE_EQ(s.changePercent, 25.0);
    EXPECT_DOUBLE_EQ(s.minimum, 1.0);
    EXPECT_EQ(s.minimumDay, 2);
    EXPECT_DOUBLE_EQ(s.maximum, 4.0);
    EXPECT_EQ(s.maximumDay, 3);
    EXPECT_DOUBLE_EQ(s.mean, 2.375);
    EXPECT_EQ(Statistics({}).days, 0);
}

TEST(RateSeries, TwoSourcesShareTheRangeEnd) {
    // The ECB line ends earlier; its days before the common start drop out,
    // and a line with no day in the range is left out.
    const std::vector<ChartLine> whole{
        {QStringLiteral("boc"), QString(), {{Day(2026, 1, 5), 1.0}, {Day(2026, 3, 2), 2.0}}},
        {QStringLiteral("ecb"), QString(), {{Day(2026, 1, 6), 3.0}, {Day(2026, 2, 20), 4.0}}},
        {QStringLiteral("old"), QString(), {{Day(2020, 1, 6), 5.0}}},
    };
    const ChartContent content = ChartOfRange(whole, ChartRange::OneMonth);
    ASSERT_EQ(content.lines.size(), 2u);
    ASSERT_EQ(content.lines[0].points.size(), 1u);
    EXPECT_EQ(content.lines[0].points[0].day, Day(2026, 3, 2));
    ASSERT_EQ(content.lines[1].points.size(), 1u);
    EXPECT_EQ(content.lines[1].points[0].day, Day(2026, 2, 20));
}

TEST(RateSeries, CsvKeepsEveryBitOfTheRateInItsShortestText) {
    ChartContent content;
    content.fromCode = QStringLiteral("USD");
    content.toCode = QStringLiteral("CAD");
    const double rate = 1.0 / 3.0;
    content.lines.push_back({QStringLiteral("boc"), QString(), {{Day(2024, 2, 29), rate}}});
    // As `history --csv` writes it: 1.3, not 1.3000000000000000.
    content.lines.push_back({QStringLiteral("ecb"), QString(), {{Day(2024, 2, 29), 1.3}}});
    EXPECT_TRUE(SeriesCsv(content).endsWith("\n2024-02-29,ecb,1.3\n"));
    const QList<QByteArray> lines = SeriesCsv(content).split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], "date,source,CAD_per_USD");
    const QList<QByteArray> fields = lines[1].split(',');
    ASSERT_EQ(fields.size(), 3);
    EXPECT_EQ(fields[0], "2024-02-29");
    EXPECT_EQ(fields[1], "boc");
    EXPECT_EQ(fields[2].toDouble(), rate);
}

TEST(RateSeries, GapsLongerThanAnyClosureSplitTheSeries) {
    // A long Easter (Friday to Monday) and ten days stay joined; eleven split.
    const RateSeries series{{Day(2024, 3, 28), 1.0},
                            {Day(2024, 4, 2), 1.0},
                            {Day(2024, 4, 12), 1.0},
                            {Day(2024, 4, 23), 1.0},
                            {Day(2024, 4, 24), 1.0}};
    const std::vector<RateSeries> pieces = SplitAtGaps(series);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].size(), 3u);
    EXPECT_EQ(pieces[1].size(), 2u);
    const std::vector<SeriesGap> gaps = Gaps(series);
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_EQ(gaps[0].lastBefore, Day(2024, 4, 12));
    EXPECT_EQ(gaps[0].firstAfter, Day(2024, 4, 23));
    EXPECT_TRUE(SplitAtGaps({}).empty());
}

TEST(RateSeries, DateTicksSitOnCalendarBoundaries) {
    struct Case {
        int first;
        int last;
        QStringList labels;
    } const cases[] = {
        // Mondays.
        {Day(2026, 11, 6), Day(2026, 12, 4), {"Nov 9", "Nov 16", "Nov 23", "Nov 30"}},
        // Month starts.
        {Day(2026, 9, 10), Day(2026, 12, 4), {"Oct 2026", "Nov 2026", "Dec 2026"}},
        // Quarter starts.
        {Day(2025, 12, 8), Day(2026, 12, 4), {"Jan 2026", "Apr 2026", "Jul 2026", "Oct 2026"}},
        // Years, every year up to twelve of them.
        {Day(2021, 12, 8), Day(2026, 12, 4), {"2022", "2023", "2024", "2025", "2026"}},
        // 28 years: every fifth.
        {Day(1999, 1, 4), Day(2026, 12, 4), {"2000", "2005", "2010", "2015", "2020", "2025"}},
    };
    for (const Case& c : cases) {
        QStringList labels;
        for (const DateTick& tick : DateTicks(c.first, c.last)) {
            labels << tick.label;
            EXPECT_GE(tick.day, c.first);
            EXPECT_LE(tick.day, c.last);
        }
        EXPECT_EQ(labels, c.labels) << labels.join(QLatin1Char(' ')).toStdString();
    }
}

// A long series in few columns keeps its ends and every column's peak and
// trough; a short one is drawn whole.
TEST(RateSeries, DrawnPointsKeepEveryPeakAndTrough) {
    RateSeries series;
    for (int day = 0; day < 1000; ++day)
        series.push_back({40000 + day, 1.0 + (day % 10) / 100.0});
    series[500].rate = 9.0; // a one-day spike
    series[501].rate = 0.1; // and a one-day trough
    const RateSeries drawn = DrawnPoints(series, 50);
    EXPECT_LE(drawn.size(), 2u * 50 + 2); // two a column and the ends
    EXPECT_EQ(drawn.front().day, series.front().day);
    EXPECT_EQ(drawn.back().day, series.back().day);
    EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end(),
                               [](const RatePoint& a, const RatePoint& b) { return a.day < b.day; }));
    const auto has = [&drawn](int day) {
        return std::any_of(drawn.begin(), drawn.end(),
                           [day](const RatePoint& point) { return point.day == day; });
    };
    EXPECT_TRUE(has(40500) && has(40501));
    // Each of the 50 columns of 20 days shows its own highs.
    for (int column = 0; column < 50; ++column)
        EXPECT_TRUE(has(40000 + column * 20 + 9) || column == 25) << column;
    EXPECT_EQ(DrawnPoints(series, 500).size(), series.size());
}
