#pragma once

#include <QColor>
#include <QString>

namespace kestrum {

// The shades of grid cells whose rate did not come from the source itself.
inline const QColor kFilledShade{0xff, 0xec, 0x9e};
inline const QColor kParityShade{0xc6, 0xe2, 0xff};

// The legend beside the amount: a swatch of each shade and, briefly, what it
// means (the label's tool tip says it in full).
QString OriginLegend();

} // namespace kestrum
