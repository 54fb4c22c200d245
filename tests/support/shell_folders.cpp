#include "shell_folders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <stdexcept>

namespace kestrum::test {

ScopedShellFolders::ScopedShellFolders(bool withDesktop) {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary directory");
    m_hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    m_hadData = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    m_oldConfig = qgetenv("XDG_CONFIG_HOME");
    m_oldData = qgetenv("XDG_DATA_HOME");

    const QDir root(m_dir.path());
    root.mkpath(QStringLiteral("config"));
    if (withDesktop)
        root.mkpath(QStringLiteral("Desktop"));
    QFile dirs(root.filePath(QStringLiteral("config/user-dirs.dirs")));
    if (!dirs.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write user-dirs.dirs");
    dirs.write("XDG_DESKTOP_DIR=\"" + QFile::encodeName(Desktop()) + "\"\n");
    dirs.close();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath(QStringLiteral("data"))));
}

ScopedShellFolders::~ScopedShellFolders() {
    m_hadConfig ? qputenv("XDG_CONFIG_HOME", m_oldConfig) : qunsetenv("XDG_CONFIG_HOME");
    m_hadData ? qputenv("XDG_DATA_HOME", m_oldData) : qunsetenv("XDG_DATA_HOME");
}

QString ScopedShellFolders::Desktop() const {
    return m_dir.filePath(QStringLiteral("Desktop"));
}

QString ScopedShellFolders::StartMenu() const {
    return m_dir.filePath(QStringLiteral("data/applications"));
}

QStringList ScopedShellFolders::Files() const {
    QStringList files;
    QDirIterator it(m_dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    const QDir root(m_dir.path());
    while (it.hasNext()) {
        const QString path = root.relativeFilePath(it.next());
        if (!path.startsWith(QLatin1String("config/")))
            files << path;
    }
    files.sort();
    return files;
}

} // namespace kestrum::test
