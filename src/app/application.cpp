#include "application.h"

#include "kestrum_form.h"
#include "settings/paths.h"
#include "update/progress_form.h"

#include <QApplication>
#include <QCommandLineParser>

namespace kestrum {

int RunWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrum"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kestrum"));

    QCommandLineParser parser;
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keep the program files in <dir>."),
                                     QStringLiteral("dir"));
    parser.addOption(dataDir);
    parser.process(app);
    if (parser.isSet(dataDir))
        SetProgramDir(parser.value(dataDir));

    TKestrumForm form;
    form.show();
    const TProgressForm progressForm; // hidden until a download shows it
    return QApplication::exec();
}

} // namespace kestrum
