#include "shortest_number.h"

#include <QLocale>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace kestrum {

char* WriteShortestNumber(double value, char* out) {
    // std::to_chars gives Qt's text for every finite value below 1e15; above,
    // it writes whole numbers digit for digit where Qt rounds them.
    if (std::isfinite(value) && std::fabs(value) < 1e15)
        return std::to_chars(out, out + kShortestNumberRoom, value).ptr;
    const QByteArray text = QString::number(value, 'g', QLocale::FloatingPointShortest).toLatin1();
    const qsizetype size = std::min<qsizetype>(text.size(), kShortestNumberRoom);
    std::memcpy(out, text.constData(), size_t(size));
    return out + size;
}

void AppendShortestNumber(QByteArray& out, double value) {
    char text[kShortestNumberRoom];
    out.append(text, WriteShortestNumber(value, text) - text);
}

} // namespace kestrum
