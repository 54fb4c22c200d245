#pragma once

#include <QString>

namespace kestrum {

// Starts the calculator window and runs until it closes. A second start of
// the same program brings the first copy's window forward and ends.
int RunWindow(int argc, char** argv);

// Whether the platform plugin can open a window: the X11 and Wayland plugins
// need their display, any other named plugin draws without one.
bool HasDisplay(const QString& platform, const QString& x11Display, const QString& waylandDisplay);

} // namespace kestrum
