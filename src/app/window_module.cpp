#include "application.h"
#include "first_paint.h"

#include "kestrum_form.h"

#include "cli/command_line.h"
#include "cli/modules.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <cstdio>

namespace {

kestrum::GraphsWindow* LoadGraphsWindow(QWidget* parent) {
    using Entry = kestrum::GraphsWindow* (*)(QWidget*);
    QString error;
    const auto entry = reinterpret_cast<Entry>(
        kestrum::ModuleSymbol(kestrum::kGraphsModule, kestrum::kGraphsWindowEntry, error));
    if (!entry) {
        kestrum::Messages().Error(
            parent,
            QCoreApplication::translate("Application", "Kestrum cannot open the Graphs window: %1.")
                .arg(error));
        return nullptr;
    }
    return entry(parent);
}

} // namespace

// The window module's entry, called by the executable when no command is given.
extern "C" int kestrum_window_main(int argc, char** argv, long long mainStartedNs) {
    kestrum::NoteMainStarted(mainStartedNs);
    kestrum::SetGraphsWindowMaker(&LoadGraphsWindow);
    return kestrum::RunWindow(argc, argv);
}

// A command that draws runs here, in an offscreen application: no display is
// needed, and the command line's own code does the rest.
extern "C" int kestrum_drawing_main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error carries the command's own sentences, not Qt's notes
    // about the missing display environment.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
    QApplication app(argc, argv);
    return kestrum::RunCommandInApplication(argc, argv);
}
