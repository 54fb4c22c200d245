#pragma once

#include <QIcon>
#include <QPixmap>

namespace kestrum {

// The program's pictures. The logo is drawn when the program is built (see
// draw_logo.cpp) and kept as raw premultiplied RGBA bytes: drawing it, or
// even decoding a PNG of it, cost the first paint more than the rest of the
// top band. The glyphs are painted when asked for.
inline constexpr int kLogoWidth = 318;
inline constexpr int kLogoHeight = 42;
// The embedded logo has this many pixels per logical pixel: sharp at 200 %.
inline constexpr int kLogoScale = 2;
QPixmap LogoPixmap();
QIcon InformationGlyph();
QIcon OptionsGlyph();
QIcon GraphsGlyph();

} // namespace kestrum
