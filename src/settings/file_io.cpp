#include "file_io.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrum {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;
// A save takes milliseconds; a temporary this old was left by a killed one.
constexpr qint64 kStaleSeconds = 5 * 60;
const QString kTemporaryMarker = QStringLiteral(".kestrum-");

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

IoResult Failed(const char* what, const QString& path, const QString& reason) {
    return IoResult::Failure(
        QStringLiteral("%1 \"%2\": %3").arg(QLatin1String(what), path, reason));
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd = -1;
};

// Opening never waits: a FIFO without a writer would block open() itself.
IoResult OpenForReading(const QString& path, FileKind kind, int& fd, struct stat& info) {
    fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return Failed("Cannot open", path, SystemReason(errno));
    Descriptor guard(fd);
    if (::fstat(fd, &info) != 0)
        return Failed("Cannot open", path, SystemReason(errno));
    if (S_ISDIR(info.st_mode))
        return Failed("Cannot open", path, QStringLiteral("it is a directory"));
    if (!S_ISREG(info.st_mode)) {
        if (kind == FileKind::Regular)
            return Failed("Cannot open", path, QStringLiteral("it is not a regular file"));
        // A pipe the user named is read as it comes.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    guard.release();
    return IoResult::Success();
}

IoResult ReadUpTo(const QString& path, FileKind kind, qint64 limit, bool refuseBeyond,
                  QByteArray& contents) {
    contents.clear();
    int fd = -1;
    struct stat info {};
    if (const IoResult opened = OpenForReading(path, kind, fd, info); !opened)
        return opened;
    const Descriptor guard(fd);
    const auto tooLarge = [&] {
        return Failed("Cannot read", path, QStringLiteral("it is larger than %1 bytes").arg(limit));
    };
    if (refuseBeyond && S_ISREG(info.st_mode) && info.st_size > limit)
        return tooLarge();
    QByteArray bytes;
    // Devices report no size, so the limit is also kept while reading; one
    // byte beyond it is enough to know it is exceeded.
    const qint64 wanted =
        refuseBeyond && limit < std::numeric_limits<qint64>::max() ? limit + 1 : limit;
    while (bytes.size() < wanted) {
        const qint64 room = std::min<qint64>(kReadChunk, wanted - bytes.size());
        const qsizetype old = bytes.size();
        bytes.resize(old + room);
        const ssize_t got = ::read(fd, bytes.data() + old, static_cast<size_t>(room));
        if (got < 0 && errno == EINTR) {
            bytes.resize(old);
            continue;
        }
        if (got < 0)
            return Failed("Cannot read", path, SystemReason(errno));
        bytes.resize(old + got);
        if (got == 0)
            break;
    }
    if (refuseBeyond && bytes.size() > limit)
        return tooLarge();
    contents = std::move(bytes);
    return IoResult::Success();
}

// The process's umask, read without changing it (umask() would race with
// other threads creating files).
mode_t CurrentUmask() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        static const QRegularExpression line(QStringLiteral("^Umask:\\s*([0-7]+)"),
                                             QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = line.match(QString::fromLatin1(status.readAll()));
        if (match.hasMatch())
            return static_cast<mode_t>(match.captured(1).toUInt(nullptr, 8));
    }
    return 022;
}

mode_t ModeFor(const QString& path, FileAccess access) {
    struct stat info {};
    const bool existing =
        ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
    const mode_t kept = existing ? (info.st_mode & 0777) : 0;
    if (access == FileAccess::Private)
        return existing ? (kept & 0600) : 0600;
    return existing ? kept : (0666 & ~CurrentUmask());
}

QByteArray TemporaryTemplate(const QString& path) {
    const QFileInfo info(path);
    return QFile::encodeName(info.dir().path() + QLatin1String("/.") + info.fileName() +
                             kTemporaryMarker + QLatin1String("XXXXXX"));
}

IoResult WriteAll(int fd, const QByteArray& bytes) {
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return IoResult::Failure(SystemReason(written < 0 ? errno : ENOSPC));
        at += written;
        left -= written;
    }
    if (::fsync(fd) != 0)
        return IoResult::Failure(SystemReason(errno));
    return IoResult::Success();
}

} // namespace

IoResult ReadWholeFile(const QString& path, QByteArray& contents, qint64 maxSize, FileKind kind) {
    return ReadUpTo(path, kind, maxSize, true, contents);
}

IoResult ReadFileStart(const QString& path, QByteArray& contents, qint64 count) {
    return ReadUpTo(path, FileKind::Regular, count, false, contents);
}

IoResult WriteFileAtomically(const QString& path, const QByteArray& bytes, FileAccess access) {
    QByteArray temporary = TemporaryTemplate(path);
    const mode_t mode = ModeFor(path, access);
    Descriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0)
        return Failed("Cannot save", path, SystemReason(errno));
    IoResult written = ::fchmod(fd.get(), mode) == 0 ? WriteAll(fd.get(), bytes)
                                                     : IoResult::Failure(SystemReason(errno));
    if (written && ::close(fd.release()) != 0)
        written = IoResult::Failure(SystemReason(errno));
    // rename() replaces the entry itself: a link there is not followed.
    if (written && ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0)
        written = IoResult::Failure(SystemReason(errno));
    if (!written) {
        ::unlink(temporary.constData());
        return Failed("Cannot save", path, written.error);
    }
    RemoveStaleTemporaries(path);
    return IoResult::Success();
}

QString CreatePrivateTemporary(const QString& path, QString& error) {
    QByteArray temporary = TemporaryTemplate(path);
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        error = Failed("Cannot create a file beside", path, SystemReason(errno)).error;
        return {};
    }
    ::close(fd);
    return QFile::decodeName(temporary);
}

bool IsTemporaryName(const QString& name, const QString& fileName) {
    const QString prefix = QLatin1Char('.') + fileName + kTemporaryMarker;
    return name.size() == prefix.size() + 6 && name.startsWith(prefix);
}

void RemoveStaleTemporaries(const QString& path) {
    const QFileInfo info(path);
    const QString fileName = info.fileName();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // Names are compared as strings: a wildcard filter would compile a regular
    // expression at every save, and the window saves at every start.
    QDirIterator entries(info.absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        if (IsTemporaryName(entries.fileName(), fileName) &&
            entries.fileInfo().lastModified().toUTC().secsTo(now) > kStaleSeconds)
            QFile::remove(entries.filePath());
    }
}

} // namespace kestrum
