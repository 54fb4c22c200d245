#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace kestrum::test {

// Points the desktop and the applications directory into a fresh temporary
// directory for one test, so no link ever lands in the real home.
class ScopedShellFolders {
public:
    explicit ScopedShellFolders(bool withDesktop = true);
    ~ScopedShellFolders();
    ScopedShellFolders(const ScopedShellFolders&) = delete;
    ScopedShellFolders& operator=(const ScopedShellFolders&) = delete;

    QString Desktop() const;   // may not exist
    QString StartMenu() const; // made by the first look-up
    // Every file below the temporary directory, relative to it, sorted.
    QStringList Files() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfig, m_oldData;
    bool m_hadConfig = false, m_hadData = false;
};

} // namespace kestrum::test
