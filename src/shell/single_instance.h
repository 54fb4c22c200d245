#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace kestrum {

// The file the user started, without its folder: "kestrum" for
// /usr/bin/kestrum or a link named so. The one place the guard learns it.
QString StartedProgramName();

// The marker name of a program: its file name in upper case, so "kestrum"
// and "KESTRUM" count as one program and "kestrum2" as another.
QString InstanceName(const QString& programPath);

// Lets one copy of the window run per user and program name. The first copy
// holds a lock file in the user's runtime directory (the kernel drops it
// however the process ends) and listens on a local socket beside it; a
// later copy asks it to come forward and ends.
class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    enum class Start {
        First,     // this copy holds the marker and listens for later starts
        Second,    // another copy holds it
        Unguarded, // the marker could not be made or checked: run normally
    };

    explicit SingleInstanceGuard(QString name, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // The check at start, before any window exists; once per guard.
    Start Check();

    // A second copy's request to the first; false when it could not be
    // reached (the second copy ends all the same).
    bool AskFirstCopyForward() const;

    // Folder of the lock file and socket ("<runtime>/"), empty when the user
    // has no runtime directory.
    static QString MarkerDir();

signals:
    // Another start of the same program asked this copy to come forward.
    void ForwardRequested();

private:
    QString LockPath() const;
    QString SocketPath() const;
    void Listen();

    QString m_name;
    int m_lockFd = -1;
    int m_serverFd = -1;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kestrum
