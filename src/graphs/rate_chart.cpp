#include "rate_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QDateTime>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrum {

namespace {
// 1 January 1970 as a date value.
constexpr int kUnixEpochDay = 25569;
constexpr qreal kMsPerDay = 86400000.0;
// Noon UTC falls on the same calendar day in every time zone, so the axis,
// which labels in local time, never shows a day early or late.
constexpr qreal kNoon = kMsPerDay / 2;

const QColor kLineColours[] = {QColor(0x1f, 0x4e, 0x9c), QColor(0xc0, 0x50, 0x20)};

} // namespace

QString ChartTitle(const ChartContent& content) {
    QStringList sources;
    for (const ChartLine& line : content.lines)
        sources << line.name;
    const QString pair =
        QStringLiteral("%1 per %2 (%3/%4)")
            .arg(content.toName, content.fromName, content.toCode, content.fromCode);
    const QString what =
        sources.join(QStringLiteral(" and ")) + QStringLiteral(", without the cash-rate fee");
    return QStringLiteral("<div align=\"center\">%1<br>%2</div>")
        .arg(pair.toHtmlEscaped(), what.toHtmlEscaped());
}

qreal ChartX(int day) {
    return (static_cast<qreal>(day) - kUnixEpochDay) * kMsPerDay + kNoon;
}

double DayOfChartX(qreal x) {
    return (x - kNoon) / kMsPerDay + kUnixEpochDay;
}

QChart* BuildRateChart(const ChartContent& content) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 8, 4));
    QFont title = chart->titleFont();
    title.setBold(true);
    chart->setTitleFont(title);
    FillRateChart(*chart, content);
    return chart;
}

void FillRateChart(QChart& chart, const ChartContent& content) {
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
        for (const RatePoint& point : line.points) {
            first = std::min(first, point.day);
            last = std::max(last, point.day);
            low = std::min(low, point.rate);
            high = std::max(high, point.rate);
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

    for (std::size_t i = 0; i < content.lines.size(); ++i) {
        const ChartLine& line = content.lines[i];
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(line.points.size()));
        for (const RatePoint& point : line.points)
            points.append(QPointF(ChartX(point.day), point.rate));
        auto* series = new QLineSeries;
        series->setName(line.name);
        QPen pen(kLineColours[i % std::size(kLineColours)]);
        pen.setWidthF(1.5);
        series->setPen(pen);
        series->replace(points);
        chart.addSeries(series);
        series->attachAxis(dates);
        series->attachAxis(values);
    }
    chart.legend()->setVisible(content.lines.size() > 1);

    if (empty) {
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
}

QImage RenderRateChart(const ChartContent& content, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QGraphicsScene scene;
    QChart* chart = BuildRateChart(content);
    scene.addItem(chart); // the scene owns it now
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)),
                 QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace kestrum
