#include "application.h"

#include "first_paint.h"
#include "kestrum_form.h"
#include "settings/build_info.h"
#include "settings/dir_lock.h"
#include "settings/language.h"
#include "settings/local_text.h"
#include "settings/paths.h"
#include "shell/single_instance.h"
#include "update/progress_form.h"
#include "widgets/app_icon.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace kestrum {

namespace {

constexpr int kUsageError = 2;
constexpr int kDataDirError = 5;

QString Environment(const char* name) {
    return QString::fromLocal8Bit(qgetenv(name));
}

// Comes forward when a later start of the same program asks.
void BringForward(QWidget& window) {
    if (window.isMinimized())
        window.showNormal();
    window.raise();
    window.activateWindow();
    if (!Environment("KESTRUM_REPORT_FORWARD").isEmpty())
        std::fputs("Kestrum: brought the window forward\n", stderr);
}

// The X11 and Wayland plugins need their display; offscreen, vnc, eglfs and
// the like draw without a desktop.
bool PluginCanDraw(const QString& plugin, const QString& x11, const QString& wayland) {
    if (plugin.startsWith(QLatin1String("xcb")))
        return !x11.isEmpty();
    if (plugin.startsWith(QLatin1String("wayland")))
        return !wayland.isEmpty();
    return true;
}

// Whether one of the platform plugins Qt would try can open a window.
bool HasDisplay() {
    const QString x11 = Environment("DISPLAY");
    const QString wayland = Environment("WAYLAND_DISPLAY");
    const QString platforms = Environment("QT_QPA_PLATFORM");
    if (platforms.isEmpty())
        return !x11.isEmpty() || !wayland.isEmpty();
    for (const QString& entry : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (PluginCanDraw(entry.section(QLatin1Char(':'), 0, 0), x11, wayland))
            return true;
    return false;
}

// A short mark of a chosen data folder for the instance's name; none for
// the default folder, so a default start finds the copy it always found.
QString FolderSuffix(const QString& dir) {
    if (dir.isEmpty())
        return QString();
    const QByteArray canonical = QFile::encodeName(QFileInfo(dir).canonicalFilePath());
    return QLatin1Char('-') +
           QString::fromLatin1(
               QCryptographicHash::hash(canonical, QCryptographicHash::Sha1).toHex().left(12));
}

} // namespace

bool AskToWaitForLock(const QString& sentence) {
    return Messages().Show(QApplication::activeWindow(), MessageBoxes::Kind::Error, sentence,
                           MessageBoxes::Buttons::RetryCancel) == MessageBoxes::Answer::Retry;
}

int RunWindow(int argc, char** argv) {
    // Qt would abort inside the application object; say it in one sentence.
    if (!HasDisplay()) {
        std::fputs("Kestrum needs a graphical display for its window; the commands work without "
                   "one: kestrum --help\n",
                   stderr);
        return kUsageError;
    }

    QApplication app(argc, argv);
    // No display name: Qt would append it to every caption. The task bar
    // groups by the application name.
    QApplication::setApplicationName(QStringLiteral("Kestrum"));
    QApplication::setApplicationVersion(QLatin1String(build::kVersion));
    QApplication::setWindowIcon(AppIcon());
    QGuiApplication::setDesktopFileName(QLatin1String(build::kAppId));

    QCommandLineParser parser;
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keep the program files in <dir>."),
                                     QStringLiteral("dir"));
    parser.addOption(dataDir);
    // The paths as bytes, whatever the locale: see ArgumentText.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << ArgumentText(argv[i]);
    parser.process(arguments);

    // Messages before the settings are read speak the desktop's language.
    UseLanguage(LanguageOfLocale(QLocale()));
    if (parser.isSet(dataDir)) {
        const QString dir = parser.value(dataDir);
        if (!QFileInfo(dir).isDir()) {
            Messages().Error(
                nullptr, QCoreApplication::translate("Application",
                                                     "The data directory \"%1\" does not exist.")
                             .arg(dir));
            return kDataDirError;
        }
        SetProgramDir(dir);
    }

    // One window per data folder: a start with another folder is another
    // calculator, one with the same folder brings its window forward.
    SingleInstanceGuard guard(InstanceName(StartedProgramName()) +
                              FolderSuffix(ChosenProgramDir()));
    if (guard.Check() == SingleInstanceGuard::Start::Second) {
        guard.AskFirstCopyForward();
        return EXIT_SUCCESS;
    }

    // A lock another program keeps is the user's to wait for or give up on.
    DirLock::SetWaitHandlers({nullptr, AskToWaitForLock});
    const ProgressFormOnFirstUse progressForm; // built by the first download
    TKestrumForm form;
    QObject::connect(&guard, &SingleInstanceGuard::ForwardRequested, &form,
                     [&form] { BringForward(form); });
    WatchFirstPaint(&form);
    form.show();
    return QApplication::exec();
}

} // namespace kestrum
