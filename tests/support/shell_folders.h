#pragma once

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

namespace kestrum::test {

// Points the desktop and the applications directory into a fresh temporary
// directory for one test, so no link ever lands in the real home.
class ScopedShellFolders {
public:
    explicit ScopedShellFolders(bool withDesktop = true) {
        const QDir root(m_dir.path());
        root.mkpath(QStringLiteral("config"));
        if (withDesktop)
            root.mkpath(QStringLiteral("Desktop"));
        QFile dirs(root.filePath(QStringLiteral("config/user-dirs.dirs")));
        if (dirs.open(QIODevice::WriteOnly))
            dirs.write("XDG_DESKTOP_DIR=\"" + QFile::encodeName(Desktop()) + "\"\n");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath(QStringLiteral("data"))));
    }
    ~ScopedShellFolders() {
        m_config.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", m_config);
        m_data.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", m_data);
    }
    QString Desktop() const { return m_dir.filePath(QStringLiteral("Desktop")); }
    QString StartMenu() const { return m_dir.filePath(QStringLiteral("data/applications")); }

    // Every file outside config/, relative to the temporary directory, sorted.
    QStringList Files() const {
        QStringList files;
        const QDir root(m_dir.path());
        for (QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
             it.hasNext();)
            files << root.relativeFilePath(it.next());
        files.removeIf([](const QString& f) { return f.startsWith(QLatin1String("config/")); });
        files.sort();
        return files;
    }

private:
    QByteArray m_config = qgetenv("XDG_CONFIG_HOME");
    QByteArray m_data = qgetenv("XDG_DATA_HOME");
    QTemporaryDir m_dir;
};

} // namespace kestrum::test
