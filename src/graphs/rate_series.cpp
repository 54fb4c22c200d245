#include "rate_series.h"

#include "data/catalogue.h"
#include "data/cp1252.h"
#include "data/csv_text.h"
#include "data/dates.h"
#include "settings/language.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QLocale>
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

RateSeries DrawnPoints(const RateSeries& series, int columns) {
    if (columns < 1 || series.size() <= 2 * static_cast<std::size_t>(columns))
        return series;
    RateSeries drawn;
    drawn.reserve(2 * static_cast<std::size_t>(columns) + 2);
    const double first = series.front().day;
    const double span = series.back().day - first + 1.0;
    const auto columnOf = [&](const RatePoint& point) {
        return static_cast<int>((point.day - first) * columns / span);
    };
    const auto add = [&drawn](const RatePoint& point) {
        if (drawn.empty() || drawn.back().day != point.day)
            drawn.push_back(point);
    };
    for (auto begin = series.begin(); begin != series.end();) {
        auto low = begin;
        auto high = begin;
        auto end = begin + 1;
        for (; end != series.end() && columnOf(*end) == columnOf(*begin); ++end) {
            if (end->rate < low->rate)
                low = end;
            if (end->rate > high->rate)
                high = end;
        }
        // The first and last points keep the line's ends where they are.
        if (begin == series.begin())
            add(*begin);
        add(*std::min(low, high));
        add(*std::max(low, high));
        if (end == series.end())
            add(series.back());
        begin = end;
    }
    return drawn;
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

std::vector<DateTick> DateTicks(int firstDay, int lastDay) {
    std::vector<DateTick> ticks;
    const QDate first = CalendarDate(firstDay);
    const QDate last = CalendarDate(lastDay);
    if (!first.isValid() || !last.isValid() || first > last)
        return ticks;
    const int span = lastDay - firstDay;
    // French writes the day first: "30 nov.", "nov. 2026".
    const bool french = ShownLanguage() == kLanguageFrench;
    const QLocale locale = french ? LocaleOfLanguage(kLanguageFrench) : QLocale::c();
    const auto add = [&](const QDate& date, const QString& format) {
        if (date >= first && date <= last)
            ticks.push_back({static_cast<int>(DateValueOf(date)), locale.toString(date, format)});
    };
    if (span <= 45) {
        for (QDate d = first.addDays((8 - first.dayOfWeek()) % 7); d <= last; d = d.addDays(7))
            add(d, french ? QStringLiteral("d MMM") : QStringLiteral("MMM d"));
    } else if (span <= 730) {
        const int months = span <= 213 ? 1 : 3;
        QDate d(first.year(), 1, 1);
        while (d < first)
            d = d.addMonths(months);
        for (; d <= last; d = d.addMonths(months))
            add(d, QStringLiteral("MMM yyyy"));
    } else {
        const int years = last.year() - first.year() + 1;
        int step = 1;
        for (const int s : {1, 2, 5, 10})
            if (years / s <= 12) {
                step = s;
                break;
            }
        for (int y = (first.year() + step - 1) / step * step; y <= last.year(); y += step)
            add(QDate(y, 1, 1), QStringLiteral("yyyy"));
    }
    return ticks;
}

std::vector<SeriesGap> Gaps(const RateSeries& series) {
    std::vector<SeriesGap> gaps;
    for (std::size_t i = 1; i < series.size(); ++i)
        if (series[i].day - series[i - 1].day > kGapDays)
            gaps.push_back({series[i - 1].day, series[i].day});
    return gaps;
}

std::vector<RateSeries> SplitAtGaps(const RateSeries& series) {
    std::vector<RateSeries> pieces;
    for (std::size_t i = 0; i < series.size(); ++i) {
        if (i == 0 || series[i].day - series[i - 1].day > kGapDays)
            pieces.emplace_back();
        pieces.back().push_back(series[i]);
    }
    return pieces;
}

SeriesStatistics Statistics(const RateSeries& series) {
    SeriesStatistics stats;
    if (series.empty())
        return stats;
    stats.days = static_cast<int>(series.size());
    stats.firstDay = series.front().day;
    stats.lastDay = series.back().day;
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

ChartContent ChartOfRange(const std::vector<ChartLine>& whole, ChartRange range) {
    ChartContent content;
    // One range end for every line, so two sources cover the same days.
    int last = std::numeric_limits<int>::min();
    for (const ChartLine& line : whole)
        if (!line.points.empty())
            last = std::max(last, line.points.back().day);
    const int first = RangeFirstDay(range, last);
    for (const ChartLine& line : whole) {
        RateSeries slice = SliceSeries(line.points, first, last);
        if (!slice.empty())
            content.lines.push_back({line.source, line.name, std::move(slice)});
    }
    return content;
}

bool HasLineToDraw(const ChartContent& content) {
    return std::any_of(content.lines.begin(), content.lines.end(),
                       [](const ChartLine& line) { return line.points.size() > 1; });
}

void NamePair(ChartContent& content, int from, int to, int language) {
    content.fromName = FromCp1252(CurrencyName(from, language));
    content.toName = FromCp1252(CurrencyName(to, language));
    content.fromCode = QLatin1String(CurrencyCode(from));
    content.toCode = QLatin1String(CurrencyCode(to));
}

QByteArray SeriesCsv(const ChartContent& content) {
    QByteArray csv =
        "date,source," + content.toCode.toLatin1() + "_per_" + content.fromCode.toLatin1() + '\n';
    for (const ChartLine& line : content.lines)
        for (const RatePoint& point : line.points) {
            csv += IsoDateText(point.day).toLatin1();
            csv += ',' + line.source.toLatin1() + ',';
            csv += ShortestNumberText(point.rate).toLatin1();
            csv += '\n';
        }
    return csv;
}

QString SourceDisplayName(const QString& source) {
    if (source == QLatin1String(history::kBoc))
        return QCoreApplication::translate("Sources", "Bank of Canada");
    if (source == QLatin1String(history::kEcb))
        return QCoreApplication::translate("Sources", "European Central Bank");
    if (history::IsNbpSource(source))
        return QCoreApplication::translate("Sources", "National Bank of Poland, table %1")
            .arg(source.right(1).toUpper());
    return source.startsWith(QLatin1String("page:")) ? source.mid(5) : source;
}

} // namespace kestrum
