#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kestrum {

namespace {

QString& DirOverride() {
    static QString dir;
    return dir;
}

QString WithSeparator(QString dir) {
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString ExecutableDir() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Without an application object (a plain unit test) the link to the
    // running image still tells where we are.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

} // namespace

QString ProgramDir() {
    if (!DirOverride().isEmpty())
        return DirOverride();
    return WithSeparator(ExecutableDir());
}

void SetProgramDir(const QString& dir) {
    DirOverride() = dir.isEmpty() ? QString() : WithSeparator(QDir(dir).absolutePath());
}

QString ProgramFile(const QString& name) {
    return ProgramDir() + name;
}

QString ExecutablePath() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString ExecutableFile(const QString& name) {
    return WithSeparator(ExecutableDir()) + name;
}

} // namespace kestrum
