#pragma once

#include "rate_series.h"

#include <QImage>
#include <QSize>
#include <QString>

QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace kestrum {

// "Canadian Dollar per U.S. Dollar (CAD/USD)", a line break, "Bank of Canada, without the
// cash-rate fee": sources joined with " and " when there are two.
QString ChartTitle(const ChartContent& content);

// A date value as the chart's x value (milliseconds since 1970: noon UTC).
qreal ChartX(int day);
// The day value of an x value, with its fraction.
double DayOfChartX(qreal x);

// Builds a new chart (owned by the caller) of that size (none: unsized)
// with the lines, the date axis, the value axis rounded to nice ticks and the
// title.
QChart* BuildRateChart(const ChartContent& content, QSize size);
// Replaces the lines and axes of a chart built above, keeping the chart. A
// line draws no more than two points a pixel of the plot area (DrawnPoints);
// a chart not sized yet takes `width` as its coming width.
void FillRateChart(QChart& chart, const ChartContent& content, int width);

// The chart drawn into an image of that size, white background; a null
// image when there is no memory for it.
QImage RenderRateChart(const ChartContent& content, QSize size);

// The chart as a PNG file at `path`, replaced whole or not at all.
ChartSaving SaveRateChart(const ChartContent& content, QSize size, const QString& path);

} // namespace kestrum
