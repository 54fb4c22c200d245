#include "rate_chart.h"

#include "settings/file_io.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QDateTime>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImageWriter>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

namespace kestrum {

namespace {
// 1 January 1970 as a date value.
constexpr int kUnixEpochDay = 25569;
constexpr qreal kMsPerDay = 86400000.0;
// Noon UTC falls on the same calendar day in every time zone, so the axis,
// which labels in local time, never shows a day early or late.
constexpr qreal kNoon = kMsPerDay / 2;

const QColor kLineColours[] = {QColor(0x1f, 0x4e, 0x9c), QColor(0xc0, 0x50, 0x20)};
const QColor kGapColour(0x80, 0x80, 0x80, 0x30);
// Qt's PNG quality 80 is zlib's level 1, its fastest that packs. A chart is
// flat colour with thin lines, which level 1 packs within about 13 % of the
// default level 6 (73 KB against 64 KB for ten years at 900x500) for a sixth
// less time drawing and encoding; higher qualities store the pixels unpacked.
constexpr int kPngQuality = 80;

// Every day some line has, oldest first: one line's own points, or the lines
// merged, which are each in day order already.
RateSeries DaysOfAnyLine(const ChartContent& content) {
    RateSeries days;
    const auto earlier = [](const RatePoint& a, const RatePoint& b) { return a.day < b.day; };
    for (const ChartLine& line : content.lines) {
        RateSeries merged;
        merged.reserve(days.size() + line.points.size());
        std::set_union(days.begin(), days.end(), line.points.begin(), line.points.end(),
                       std::back_inserter(merged), earlier);
        days = std::move(merged);
    }
    return days;
}

} // namespace

QString ChartTitle(const ChartContent& content) {
    QStringList sources;
    for (const ChartLine& line : content.lines)
        sources << line.name;
    const QString pair =
        QCoreApplication::translate("RateChart", "%1 per %2 (%3/%4)")
            .arg(content.toName, content.fromName, content.toCode, content.fromCode);
    const QString named =
        sources.size() == 2
            ? QCoreApplication::translate("RateChart", "%1 and %2").arg(sources[0], sources[1])
            : sources.join(QStringLiteral(", "));
    const QString what =
        QCoreApplication::translate("RateChart", "%1, without the cash-rate fee").arg(named);
    return QStringLiteral("<div align=\"center\">%1<br>%2</div>")
        .arg(pair.toHtmlEscaped(), what.toHtmlEscaped());
}

qreal ChartX(int day) {
    return (static_cast<qreal>(day) - kUnixEpochDay) * kMsPerDay + kNoon;
}

double DayOfChartX(qreal x) {
    return (x - kNoon) / kMsPerDay + kUnixEpochDay;
}

QChart* BuildRateChart(const ChartContent& content, QSize size) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 8, 4));
    QFont title = chart->titleFont();
    title.setBold(true);
    chart->setTitleFont(title);
    // Sized before it has lines, so they are drawn for its plot area alone.
    if (!size.isEmpty())
        chart->resize(QSizeF(size));
    FillRateChart(*chart, content, size.width());
    return chart;
}

void FillRateChart(QChart& chart, const ChartContent& content, int width) {
    chart.removeAllSeries();
    // Removing an axis hands it back rather than deleting it.
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    chart.setTitle(ChartTitle(content));

    int first = std::numeric_limits<int>::max();
    int last = std::numeric_limits<int>::min();
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (const ChartLine& line : content.lines)
        if (!line.points.empty()) {
            first = std::min(first, line.points.front().day);
            last = std::max(last, line.points.back().day);
            for (const RatePoint& point : line.points) {
                low = std::min(low, point.rate);
                high = std::max(high, point.rate);
            }
        }
    const bool empty = first > last;

    // Ticks on calendar boundaries: a plain date axis spreads them evenly and
    // labels "2021" somewhere in March.
    auto* dates = new QCategoryAxis;
    dates->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    auto* values = new QValueAxis;
    values->setLabelFormat(QStringLiteral("%.4g"));
    chart.addAxis(dates, Qt::AlignBottom);
    chart.addAxis(values, Qt::AlignLeft);
    if (empty) {
        chart.legend()->setVisible(false);
        dates->setRange(0.0, 1.0);
        values->setRange(0.0, 1.0);
        return;
    }
    // A single day or a flat line still needs a span to draw in.
    const int pad = first == last ? 1 : 0;
    dates->setRange(ChartX(first - pad), ChartX(last + pad));
    for (const DateTick& tick : DateTicks(first - pad, last + pad))
        dates->append(tick.label, ChartX(tick.day));
    const double margin = high > low ? (high - low) * 0.05 : std::max(std::abs(high) * 0.01, 1e-9);
    values->setRange(low - margin, high + margin);
    values->applyNiceNumbers();
    const std::vector<SeriesGap> gaps = Gaps(DaysOfAnyLine(content));
    chart.legend()->setVisible(content.lines.size() > 1 || !gaps.empty());

    // With the axes in place a chart of known size knows its plot area: the
    // line needs no more columns than that has pixels. One not sized yet
    // has at most its width less the margins.
    int columns = width - chart.margins().left() - chart.margins().right();
    if (!chart.size().isEmpty() && chart.layout()) {
        chart.layout()->activate();
        if (const qreal plot = chart.plotArea().width(); plot >= 1.0)
            columns = static_cast<int>(std::ceil(plot));
    }

    const auto hideFromLegend = [&chart](QAbstractSeries* series) {
        for (QLegendMarker* marker : chart.legend()->markers(series))
            marker->setVisible(false);
    };
    // A line stops where a stretch of days has no rate and starts again after
    // it: a straight line over missing years would look like data.
    for (std::size_t i = 0; i < content.lines.size(); ++i) {
        const ChartLine& line = content.lines[i];
        QPen pen(kLineColours[i % std::size(kLineColours)]);
        // A line thinned to its columns' extremes is a vertical stroke a
        // pixel: a wider pen runs neighbouring strokes into a smear, and a
        // one-pixel one is also the painter's fast path, which is most of the
        // cost of drawing decades.
        pen.setWidthF(
            line.points.size() > 2 * static_cast<std::size_t>(std::max(columns, 1)) ? 1.0 : 1.5);
        bool named = false;
        for (const RateSeries& piece : SplitAtGaps(line.points)) {
            // Decades of days in a few hundred pixels: the points that cannot
            // be told apart cost most of the drawing and the line's hit shape.
            const RateSeries drawn = DrawnPoints(piece, columns);
            QList<QPointF> points;
            points.reserve(static_cast<qsizetype>(drawn.size()));
            for (const RatePoint& point : drawn)
                points.append(QPointF(ChartX(point.day), point.rate));
            auto* series = new QLineSeries;
            series->setName(line.name);
            series->setPen(pen);
            series->replace(points);
            chart.addSeries(series);
            series->attachAxis(dates);
            series->attachAxis(values);
            if (std::exchange(named, true))
                hideFromLegend(series);
        }
    }

    // Where no line has a day, a grey band says that nothing is stored.
    for (std::size_t i = 0; i < gaps.size(); ++i) {
        auto* upper = new QLineSeries;
        auto* lower = new QLineSeries;
        for (const int day : {gaps[i].lastBefore, gaps[i].firstAfter}) {
            upper->append(ChartX(day), values->max());
            lower->append(ChartX(day), values->min());
        }
        auto* band = new QAreaSeries(upper, lower);
        upper->setParent(band);
        lower->setParent(band);
        band->setName(QStringLiteral("No rates stored"));
        band->setBrush(kGapColour);
        band->setPen(Qt::NoPen);
        chart.addSeries(band);
        band->attachAxis(dates);
        band->attachAxis(values);
        if (i > 0)
            hideFromLegend(band);
    }
}

QImage RenderRateChart(const ChartContent& content, QSize size) {
    // Opaque pixels, which the PNG writer takes as they are: a premultiplied
    // image would first be converted whole.
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QGraphicsScene scene;
    QChart* chart = BuildRateChart(content, size);
    scene.addItem(chart); // the scene owns it now
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)),
                 QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

ChartSaving SaveRateChart(const ChartContent& content, QSize size, const QString& path) {
    const auto noMemory = [&size](const char* what) {
        return ChartSaving{ChartSaving::NoMemory,
                           QStringLiteral("There is not enough memory to %1 a chart of %2x%3 "
                                          "pixels.")
                               .arg(QLatin1String(what))
                               .arg(size.width())
                               .arg(size.height())};
    };
    const QImage image = RenderRateChart(content, size);
    if (image.isNull())
        return noMemory("draw");
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(kPngQuality);
    if (!writer.write(image))
        return noMemory("encode");
    buffer.close();
    // Beside the old file and renamed over it, so a failed write never
    // leaves half a picture where a whole one was.
    if (const IoResult saved = WriteFileAtomically(path, png); !saved)
        return {ChartSaving::FileFailed, saved.error + QLatin1Char('.')};
    return {};
}

} // namespace kestrum
