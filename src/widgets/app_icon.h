#pragma once

#include <QIcon>

namespace kestrum {

// The application icon in every size it ships in (16 to 256 pixels). The
// window start-up sets it for the whole application, so every window shows it.
QIcon AppIcon();

} // namespace kestrum
