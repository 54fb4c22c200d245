#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace kestrum {

// One CSV record: cells apart by `separator`; a cell in double quotes may
// hold separators, and "" stands for a quote. Nothing when a quote is left
// open.
std::optional<QStringList> CsvCells(QStringView line, QChar separator = QLatin1Char(','));

// A cell as written for spreadsheets: a text a spreadsheet would run as a
// formula (starting with =, +, -, @, a tab or a carriage return, a signed
// number excepted) gets a leading ', and a cell holding the separator, a
// quote or a line end is quoted.
QString CsvCell(const QString& text, QChar separator = QLatin1Char(','));

// A number in the shortest text that reads back as the same double. Inline:
// the graphs module, which links no archive of the data folder, writes it too.
inline QString ShortestNumberText(double value) {
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace kestrum
