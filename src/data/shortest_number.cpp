#include "shortest_number.h"

#include <QLocale>
#include <QString>
#include <charconv>
#include <cmath>

namespace kestrum {

void AppendShortestNumber(QByteArray& out, double value) {
    // std::to_chars gives Qt's text for every finite value below 1e15; above,
    // it writes whole numbers digit for digit where Qt rounds them.
    if (std::isfinite(value) && std::fabs(value) < 1e15) {
        char text[32];
        const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
        out.append(text, written.ptr - text);
        return;
    }
    out.append(QString::number(value, 'g', QLocale::FloatingPointShortest).toLatin1());
}

} // namespace kestrum
