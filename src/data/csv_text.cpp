#include "csv_text.h"

namespace kestrum {

std::optional<QStringList> CsvCells(QStringView line, QChar separator) {
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != QLatin1Char('"'))
                cell += c;
            else if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                cell += line[++i];
            else
                quoted = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == separator) {
            cells << cell;
            cell.clear();
        } else {
            cell += c;
        }
    }
    if (quoted)
        return std::nullopt;
    cells << cell;
    return cells;
}

namespace {

bool IsSignedNumber(const QString& text) {
    bool number = false;
    text.toDouble(&number);
    return number && (text.front() == QLatin1Char('-') || text.front() == QLatin1Char('+'));
}

} // namespace

QString CsvCell(const QString& text, QChar separator) {
    QString cell = text;
    // A spreadsheet opening the file would run these as formulas.
    if (!cell.isEmpty() && QStringView(u"=+-@\t\r").contains(cell.front()) && !IsSignedNumber(cell))
        cell.prepend(QLatin1Char('\''));
    for (const QChar c : cell)
        if (c == separator || c == QLatin1Char('"') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\n'))
            return QLatin1Char('"') + cell.replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
                   QLatin1Char('"');
    return cell;
}

} // namespace kestrum
