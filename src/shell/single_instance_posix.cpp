#include "single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kestrum {

namespace {

// A first copy that has just taken the lock may not listen yet.
constexpr int kConnectAttempts = 10;
constexpr int kConnectWaitMs = 100;

// The socket's address; false when the path does not fit.
bool SocketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray name = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return true;
}

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
    if (m_serverFd >= 0) {
        delete m_notifier;
        ::close(m_serverFd);
        ::unlink(QFile::encodeName(SocketPath()).constData());
    }
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
    // Without the socket later starts still end; this copy simply is not
    // brought forward by them.
    sockaddr_un address;
    if (!SocketAddress(SocketPath(), address))
        return;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    // Holding the lock, any socket file left is a dead copy's.
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return;
    }
    m_serverFd = fd;
    m_notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        // A connection is the whole request.
        while (true) {
            const int client = ::accept4(m_serverFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0)
                break;
            ::close(client);
            emit ForwardRequested();
        }
    });
}

bool SingleInstanceGuard::AskFirstCopyForward() const {
    sockaddr_un address;
    if (!SocketAddress(SocketPath(), address))
        return false;
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        // Never blocks: a first copy that does not accept (its queue full)
        // counts as not reached.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            return false;
        bool connected =
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        if (!connected && errno == EINPROGRESS) {
            pollfd waiting{fd, POLLOUT, 0};
            int error = 0;
            socklen_t length = sizeof error;
            connected = ::poll(&waiting, 1, kConnectWaitMs) == 1 &&
                        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
        }
        ::close(fd);
        if (connected)
            return true;
        QThread::msleep(kConnectWaitMs);
    }
    return false;
}

} // namespace kestrum
