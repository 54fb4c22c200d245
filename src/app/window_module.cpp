#include "application.h"
#include "first_paint.h"

#include "cli/command_line.h"
#include "graphs/rate_chart.h"

#include <QApplication>
#include <cstdio>

// The window module's entry, called by the executable when no command is given.
extern "C" int kestrum_window_main(int argc, char** argv, long long mainStartedNs) {
    kestrum::NoteMainStarted(mainStartedNs);
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

extern "C" bool kestrum_render_chart(const kestrum::ChartContent& content, const QString& path,
                                     int width, int height) {
    return kestrum::RenderRateChart(content, QSize(width, height)).save(path, "PNG");
}
