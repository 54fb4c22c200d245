#include "single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kestrum {

namespace {

// A first copy that has just taken the lock may not listen yet.
constexpr int kConnectAttempts = 10;
constexpr int kConnectWaitMs = 100;

} // namespace

QString StartedProgramName() {
    const QStringList arguments = QCoreApplication::arguments();
    // argv[0] keeps the name of a link; the resolved path would not.
    if (!arguments.isEmpty() && !arguments.constFirst().isEmpty())
        return QFileInfo(arguments.constFirst()).fileName();
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

QString InstanceName(const QString& programPath) {
    return QFileInfo(programPath).fileName().toUpper();
}

SingleInstanceGuard::SingleInstanceGuard(QString name, QObject* parent)
    : QObject(parent), m_name(std::move(name)) {}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (m_server)
        m_server->close();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString SingleInstanceGuard::MarkerDir() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return dir.isEmpty() ? QString() : QDir(dir).absolutePath() + QLatin1Char('/');
}

QString SingleInstanceGuard::LockPath() const {
    return MarkerDir() + m_name + QStringLiteral(".lock");
}

QString SingleInstanceGuard::SocketPath() const {
    return MarkerDir() + m_name + QStringLiteral(".socket");
}

SingleInstanceGuard::Start SingleInstanceGuard::Check() {
    if (m_name.isEmpty() || MarkerDir().isEmpty())
        return Start::Unguarded;
    const QByteArray path = QFile::encodeName(LockPath());
    m_lockFd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFd < 0)
        return Start::Unguarded;
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) == 0) {
        Listen();
        return Start::First;
    }
    const int error = errno;
    ::close(m_lockFd);
    m_lockFd = -1;
    return error == EWOULDBLOCK ? Start::Second : Start::Unguarded;
}

void SingleInstanceGuard::Listen() {
    // Holding the lock, any socket file left is a dead copy's.
    QLocalServer::removeServer(SocketPath());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Without the socket later starts still end; this copy simply is not
    // brought forward by them.
    if (!m_server->listen(SocketPath()))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromServer();
            emit ForwardRequested();
        }
    });
}

bool SingleInstanceGuard::AskFirstCopyForward() const {
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(SocketPath());
        if (socket.waitForConnected(kConnectWaitMs)) {
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(kConnectWaitMs);
    }
    return false;
}

} // namespace kestrum
