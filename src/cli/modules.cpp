#include "modules.h"

#include "settings/paths.h"

#include <QCoreApplication>
#include <cstdio>
#include <dlfcn.h>

namespace kestrum {

void* ModuleSymbol(const char* module, const char* symbol, QString& error) {
    const QString path = ModuleFile(QLatin1String(module));
    // Lazy: a function is bound on its first call, not all at start.
    void* handle = dlopen(path.toLocal8Bit().constData(), RTLD_LAZY | RTLD_LOCAL);
    void* address = handle ? dlsym(handle, symbol) : nullptr;
    if (!address)
        error =
            QCoreApplication::translate("Modules", "the module \"%1\" is missing or broken (%2)")
                .arg(path, QString::fromLocal8Bit(dlerror()));
    return address;
}

int RunWindowModule(int argc, char** argv, long long mainStartedNs) {
    using Entry = int (*)(int, char**, long long);
    QString error;
    const auto entry =
        reinterpret_cast<Entry>(ModuleSymbol(kWindowModule, "kestrum_window_main", error));
    if (!entry) {
        std::fprintf(stderr, "Kestrum cannot open its window: %s.\n", error.toUtf8().constData());
        return 1;
    }
    return entry(argc, argv, mainStartedNs);
}

int RunDrawingCommand(int argc, char** argv) {
    using Entry = int (*)(int, char**);
    QString error;
    const auto entry =
        reinterpret_cast<Entry>(ModuleSymbol(kWindowModule, "kestrum_drawing_main", error));
    if (!entry) {
        std::fprintf(stderr, "Kestrum cannot draw: %s.\n", error.toUtf8().constData());
        return 1;
    }
    return entry(argc, argv);
}

} // namespace kestrum
