#pragma once

#include <QByteArray>

namespace kestrum {

// Appends the shortest text that reads back as exactly `value`, as
// QString::number(value, 'g', QLocale::FloatingPointShortest) writes it
// ("1.3076", "8.57e-05"), without building a QString per number.
void AppendShortestNumber(QByteArray& out, double value);

// The same text written at `out`, which has room for kShortestNumberRoom
// bytes; returns the end of the text.
constexpr int kShortestNumberRoom = 32;
char* WriteShortestNumber(double value, char* out);

} // namespace kestrum
