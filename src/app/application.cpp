#include "application.h"

#include "first_paint.h"
#include "kestrum_form.h"
#include "settings/build_info.h"
#include "settings/paths.h"
#include "widgets/app_icon.h"

#include <QApplication>
#include <QCommandLineParser>

namespace kestrum {

int RunWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrum"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kestrum"));
    QApplication::setApplicationVersion(QLatin1String(build::kVersion));
    QApplication::setWindowIcon(AppIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kestrum.Kestrum"));

    QCommandLineParser parser;
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keep the program files in <dir>."),
                                     QStringLiteral("dir"));
    parser.addOption(dataDir);
    parser.process(app);
    if (parser.isSet(dataDir))
        SetProgramDir(parser.value(dataDir));

    TKestrumForm form;
    WatchFirstPaint(&form);
    form.show();
    return QApplication::exec();
}

} // namespace kestrum
