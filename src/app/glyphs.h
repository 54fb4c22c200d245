#pragma once

#include <QIcon>
#include <QPixmap>

namespace kestrum {

// The program's pictures, painted at start-up so no image files ship.
QPixmap LogoPixmap(int width, int height);
QIcon InformationGlyph();
QIcon OptionsGlyph();
QIcon GraphsGlyph();

} // namespace kestrum
