#include "app_icon.h"

// The resources live in a static library; without this call the linker may
// leave them out.
static void InitAppIconResources() {
    Q_INIT_RESOURCE(app_icon);
}

namespace kestrum {

QIcon AppIcon() {
    InitAppIconResources();
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace kestrum
