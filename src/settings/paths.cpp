#include "paths.h"

#include "settings/build_info.h"
#include "settings/message_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kestrum {

namespace {

const QString kStarterRates = QStringLiteral("rt.dt");
const QString kConfigFile = QStringLiteral("kestrumconfig");

QString& DirOverride() {
    static QString dir;
    return dir;
}

QString WithSeparator(QString dir) {
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString Below(const QString& dir, const char* relative) {
    return WithSeparator(QDir::cleanPath(dir + QLatin1String(relative)));
}

// Not the application's own location: the window and the command line set
// different application names, and both must find the same files.
QString UserDataDir() {
    return WithSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/kestrum"));
}

} // namespace

QString ExecutableDir() {
    // Without an application object (a command before it exists, a plain
    // unit test) the link to the running image still tells where we are.
    static const QString dir =
        WithSeparator(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
    return dir;
}

QString ModuleFile(const QString& name) {
    const QString beside = ExecutableDir() + name;
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = Below(ExecutableDir(), build::kModuleDirFromBin) + name;
    return QFileInfo::exists(installed) ? installed : beside;
}

QString DefaultProgramDir(const QString& executableDir, const QString& userDataDir) {
    const QString exeDir = WithSeparator(executableDir);
    const QString starter = Below(exeDir, build::kDataDirFromBin) + kStarterRates;
    const bool installed = !QFileInfo(exeDir).isWritable() || QFileInfo::exists(starter);
    if (!installed)
        return exeDir;
    const QString dir = WithSeparator(userDataDir);
    // First start: nothing of ours there yet.
    if (!QFileInfo::exists(dir + kStarterRates) && !QFileInfo::exists(dir + kConfigFile) &&
        QDir().mkpath(dir) && QFile::copy(starter, dir + kStarterRates))
        QFile(dir + kStarterRates)
            .setPermissions(QFile::permissions(starter) | QFile::ReadOwner | QFile::WriteOwner);
    return dir;
}

QString ProgramDir() {
    if (!DirOverride().isEmpty())
        return DirOverride();
    static const QString dir = DefaultProgramDir(ExecutableDir(), UserDataDir());
    return dir;
}

void SetProgramDir(const QString& dir) {
    DirOverride() = dir.isEmpty() ? QString() : WithSeparator(QDir(dir).absolutePath());
}

QString ChosenProgramDir() {
    QString dir = DirOverride();
    if (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

QString ProgramFile(const QString& name) {
    return ProgramDir() + name;
}

bool IsProgramFile(const QString& path) {
    const QFileInfo info(path);
    const QString dir = info.absoluteDir().canonicalPath();
    if (dir.isEmpty() || dir != QDir(ProgramDir()).canonicalPath())
        return false;
    const QString name = info.fileName();
    // The journals and the set-aside copies of the history share its name.
    if (name.startsWith(QLatin1String(kHistoryFileName)))
        return true;
    for (const int entry :
         {msg::TempTxt, msg::ConfigFile, msg::ConfigBackup, msg::TempHtml, msg::MListFile,
          msg::CListFile, msg::UpdiFile, msg::VdFile, msg::SdFile, msg::RateFile})
        if (name == QLatin1String(Message(entry)))
            return true;
    return name == QLatin1String("kestrum.ini") || name == QLatin1String(".kestrum.lock");
}

QString ExecutablePath() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString ShippedFile(const QString& name) {
    const QString beside = ExecutableDir() + name;
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = Below(ExecutableDir(), build::kDataDirFromBin) + name;
    return QFileInfo::exists(installed) ? installed : beside;
}

} // namespace kestrum
