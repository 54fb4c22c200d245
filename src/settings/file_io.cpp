#include "file_io.h"

#include "language.h"
#include "removed_on_signal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <optional>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrum {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;
constexpr qint64 kWritePiece = 256 * 1024;
// A piece this large is worth its own write: libcurl hands a body over in
// 16 KiB pieces, and copying them aside first took 5 ms of a 10 MiB page.
constexpr qint64 kDirectPiece = 16 * 1024;
// A save takes milliseconds; a temporary this old was left by a killed one.
constexpr qint64 kStaleSeconds = 5 * 60;
const QString kTemporaryMarker = QStringLiteral(".kestrum-");
const QString kPreviousMarker = QStringLiteral(".kestrum-previous-");
// The most a PreviousVersion holds in memory where no link can be made; the
// files it guards are small.
constexpr qint64 kMaxHeldCopy = 1024 * 1024;

QString SystemReason(int error) {
    return SystemErrorText(error);
}

// `sentence` holds the path as %1 and the reason as %2.
IoResult Failed(const char* sentence, const QString& path, const QString& reason) {
    return IoResult::Failure(QCoreApplication::translate("FileIo", sentence).arg(path, reason));
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
        return Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot open \"%1\": %2"), path,
                      SystemReason(errno));
    Descriptor guard(fd);
    if (::fstat(fd, &info) != 0)
        return Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot open \"%1\": %2"), path,
                      SystemReason(errno));
    if (S_ISDIR(info.st_mode))
        return Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot open \"%1\": %2"), path,
                      QCoreApplication::translate("FileIo", "it is a directory"));
    if (!S_ISREG(info.st_mode)) {
        if (kind == FileKind::Regular)
            return Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot open \"%1\": %2"), path,
                          QCoreApplication::translate("FileIo", "it is not a regular file"));
        // A pipe the user named is read as it comes.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    guard.release();
    return IoResult::Success();
}

IoResult ReadFrom(int fd, const struct stat& info, const QString& path, qint64 limit,
                  bool refuseBeyond, QByteArray& contents) {
    const auto tooLarge = [&] {
        return Failed(
            QT_TRANSLATE_NOOP("FileIo", "Cannot read \"%1\": %2"), path,
            QCoreApplication::translate("FileIo", "it is larger than %1 bytes").arg(limit));
    };
    if (refuseBeyond && S_ISREG(info.st_mode) && info.st_size > limit)
        return tooLarge();
    QByteArray bytes;
    // Devices report no size, so the limit is also kept while reading; one
    // byte beyond it is enough to know it is exceeded.
    const qint64 wanted =
        refuseBeyond && limit < std::numeric_limits<qint64>::max() ? limit + 1 : limit;
    // A regular file says how large it is: one buffer of that size (and the
    // byte that shows the end), filled by one read, instead of one grown and
    // copied piece by piece.
    if (S_ISREG(info.st_mode))
        bytes.reserve(std::min<qint64>(wanted, qint64(info.st_size) + 1));
    while (bytes.size() < wanted) {
        const qsizetype old = bytes.size();
        const qint64 room =
            std::min<qint64>(std::max<qint64>(bytes.capacity() - old, kReadChunk), wanted - old);
        bytes.resize(old + room);
        const ssize_t got = ::read(fd, bytes.data() + old, static_cast<size_t>(room));
        if (got < 0 && errno == EINTR) {
            bytes.resize(old);
            continue;
        }
        if (got < 0)
            return Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot read \"%1\": %2"), path,
                          SystemReason(errno));
        bytes.resize(old + got);
        if (got == 0)
            break;
    }
    if (refuseBeyond && bytes.size() > limit)
        return tooLarge();
    contents = std::move(bytes);
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
    return ReadFrom(fd, info, path, limit, refuseBeyond, contents);
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

IoResult WriteAll(int fd, const char* at, qint64 left) {
    while (left > 0) {
        const ssize_t written = ::write(fd, at, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return IoResult::Failure(SystemReason(written < 0 ? errno : ENOSPC));
        at += written;
        left -= written;
    }
    return IoResult::Success();
}

} // namespace

IoResult ReadWholeFile(const QString& path, QByteArray& contents, qint64 maxSize, FileKind kind) {
    return ReadUpTo(path, kind, maxSize, true, contents);
}

IoResult OpenRegularFile(const QString& path, qint64 maxSize, QFile& file) {
    int fd = -1;
    struct stat info {};
    if (const IoResult opened = OpenForReading(path, FileKind::Regular, fd, info); !opened)
        return opened;
    Descriptor guard(fd);
    if (info.st_size > maxSize)
        return Failed(
            QT_TRANSLATE_NOOP("FileIo", "Cannot read \"%1\": %2"), path,
            QCoreApplication::translate("FileIo", "it is larger than %1 bytes").arg(maxSize));
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(guard.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot read \"%1\": %2"), path,
                      file.errorString());
    guard.release();
    return IoResult::Success();
}

IoResult ReadFileStart(const QString& path, QByteArray& contents, qint64 count) {
    return ReadUpTo(path, FileKind::Regular, count, false, contents);
}

FileView::~FileView() {
    if (m_mapped.data())
        ::munmap(const_cast<char*>(m_mapped.data()), static_cast<size_t>(m_mapped.size()));
}

IoResult FileView::Open(const QString& path, qint64 maxSize) {
    int fd = -1;
    struct stat info {};
    if (const IoResult opened = OpenForReading(path, FileKind::AnyReadable, fd, info); !opened)
        return opened;
    const Descriptor guard(fd);
    if (S_ISREG(info.st_mode) && info.st_size > 0 && info.st_size <= maxSize) {
        void* at =
            ::mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (at != MAP_FAILED) {
            m_mapped = QByteArrayView(static_cast<const char*>(at), qsizetype(info.st_size));
            return IoResult::Success();
        }
    }
    return ReadFrom(fd, info, path, maxSize, true, m_read);
}

struct FileInProgress::Parts {
    QString path;
    QByteArray temporary; // empty when writing in place
    QByteArray pending;   // written in large pieces: a download arrives in 16 KiB ones
    int fd = -1;
    bool committed = false;
    std::optional<RemovedOnSignal> removedOnSignal;
};

FileInProgress::FileInProgress(const QString& path, Target target, FileAccess access)
    : m_parts(std::make_unique<Parts>()) {
    m_parts->path = path;
    if (target == Target::InPlace) {
        // Emptied only when it holds something: on ext4 a truncation marks
        // the file for writing out at close, and a page read once and
        // deleted would then be written to the disk, with the history's
        // next sync and the deletion waiting for it (12 ms of a 10 MiB
        // update).
        m_parts->fd = ::open(QFile::encodeName(path).constData(),
                             O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
        struct stat info {};
        if (m_parts->fd >= 0 && (::fstat(m_parts->fd, &info) != 0 ||
                                 (info.st_size > 0 && ::ftruncate(m_parts->fd, 0) != 0))) {
            const int error = errno;
            ::close(std::exchange(m_parts->fd, -1));
            errno = error;
        }
        if (m_parts->fd < 0)
            m_status = Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot save \"%1\": %2"), path,
                              SystemReason(errno));
        return;
    }
    QByteArray temporary = TemporaryTemplate(path);
    const mode_t mode = ModeFor(path, access);
    m_parts->fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (m_parts->fd < 0) {
        m_status = Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot save \"%1\": %2"), path,
                          SystemReason(errno));
        return;
    }
    m_parts->temporary = temporary;
    m_parts->removedOnSignal.emplace(QFile::decodeName(temporary));
    if (::fchmod(m_parts->fd, mode) != 0)
        m_status = Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot save \"%1\": %2"), path,
                          SystemReason(errno));
}

FileInProgress::~FileInProgress() {
    Discard();
}

void FileInProgress::Discard() {
    if (m_parts->committed)
        return;
    if (m_parts->fd >= 0) {
        if (m_parts->temporary.isEmpty())
            (void)::ftruncate(m_parts->fd, 0);
        ::close(std::exchange(m_parts->fd, -1));
    }
    if (!m_parts->temporary.isEmpty())
        ::unlink(std::exchange(m_parts->temporary, QByteArray()).constData());
}

IoResult FileInProgress::Append(const char* data, qint64 size) {
    QByteArray& pending = m_parts->pending;
    if (m_status && (pending.size() + size > kWritePiece || size >= kDirectPiece))
        Flush();
    if (!m_status)
        return m_status;
    if (size >= kDirectPiece)
        m_status = WriteAll(m_parts->fd, data, size);
    else
        pending.append(data, size);
    if (!m_status)
        m_status = Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot save \"%1\": %2"), m_parts->path,
                          m_status.error);
    return m_status;
}

void FileInProgress::Flush() {
    if (m_status && !m_parts->pending.isEmpty()) {
        m_status = WriteAll(m_parts->fd, m_parts->pending.constData(), m_parts->pending.size());
        if (!m_status)
            m_status = Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot save \"%1\": %2"), m_parts->path,
                              m_status.error);
    }
    m_parts->pending.resize(0); // keeps its room for the next pieces
}

IoResult FileInProgress::Commit(Sync sync) {
    Flush();
    IoResult done = IoResult::Success();
    if (!m_status)
        done = m_status;
    else if (sync == Sync::Durable && ::fsync(m_parts->fd) != 0)
        done = IoResult::Failure(SystemReason(errno));
    if (done && ::close(std::exchange(m_parts->fd, -1)) != 0)
        done = IoResult::Failure(SystemReason(errno));
    // rename() replaces the entry itself: a link there is not followed.
    if (done && !m_parts->temporary.isEmpty() &&
        ::rename(m_parts->temporary.constData(), QFile::encodeName(m_parts->path).constData()) != 0)
        done = IoResult::Failure(SystemReason(errno));
    if (!done) {
        // Gone before anyone hears of the failure.
        Discard();
        if (m_status)
            m_status = Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot save \"%1\": %2"), m_parts->path,
                              done.error);
        return m_status;
    }
    m_parts->committed = true;
    if (!m_parts->temporary.isEmpty())
        RemoveStaleTemporaries(m_parts->path);
    return m_status;
}

IoResult WriteFileAtomically(const QString& path, const QByteArray& bytes, FileAccess access) {
    FileInProgress file(path, FileInProgress::Target::Replace, access);
    if (const IoResult written = file.Append(bytes.constData(), bytes.size()); !written)
        return written;
    return file.Commit(FileInProgress::Sync::Durable);
}

struct PreviousVersion::Parts {
    QString path;
    QByteArray link; // the second name, empty when none was made
    bool missing = false;
    bool restored = false;
    std::optional<QByteArray> bytes; // when no link could be made
    std::optional<RemovedOnSignal> removedOnSignal;
};

PreviousVersion::PreviousVersion(const QString& path) : m_parts(std::make_unique<Parts>()) {
    m_parts->path = path;
    const QByteArray target = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(target.constData(), &info) != 0) {
        m_parts->missing = errno == ENOENT;
        return;
    }
    // Made under the directory lock, so another second name is a killed
    // holder's. Named apart from the temporaries: the sweep after the save
    // would take it for one, its times being the old file's.
    const QFileInfo file(path);
    const QString prefix = QLatin1Char('.') + file.fileName() + kPreviousMarker;
    QDirIterator entries(file.absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        if (entries.fileName().startsWith(prefix))
            QFile::remove(entries.filePath());
    }
    const QByteArray stem = QFile::encodeName(file.absolutePath() + QLatin1Char('/') + prefix);
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = stem;
        for (int i = 0; i < 6; ++i)
            name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        if (::link(target.constData(), name.constData()) == 0) {
            m_parts->link = name;
            m_parts->removedOnSignal.emplace(QFile::decodeName(name));
            return;
        }
        if (errno != EEXIST)
            break;
    }
    QByteArray bytes;
    if (ReadWholeFile(path, bytes, kMaxHeldCopy))
        m_parts->bytes = bytes;
}

PreviousVersion::~PreviousVersion() {
    if (!m_parts->link.isEmpty() && !m_parts->restored)
        ::unlink(m_parts->link.constData());
}

IoResult PreviousVersion::Restore() const {
    const QByteArray target = QFile::encodeName(m_parts->path);
    if (m_parts->missing) {
        if (::unlink(target.constData()) != 0 && errno != ENOENT)
            return Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot remove \"%1\": %2"), m_parts->path,
                          SystemReason(errno));
        return IoResult::Success();
    }
    if (!m_parts->link.isEmpty()) {
        if (::rename(m_parts->link.constData(), target.constData()) != 0)
            return Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot restore \"%1\": %2"), m_parts->path,
                          SystemReason(errno));
        m_parts->restored = true;
        return IoResult::Success();
    }
    if (m_parts->bytes)
        return WriteFileAtomically(m_parts->path, *m_parts->bytes);
    return Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot restore \"%1\": %2"), m_parts->path,
                  QCoreApplication::translate("FileIo", "its old contents were not kept"));
}

namespace {

// The system's reasons in our words where the C library may have no French.
const char* ErrnoText(int error) {
    switch (error) {
    case ENOENT:
        return QT_TRANSLATE_NOOP("FileIo", "no such file or directory");
    case EACCES:
    case EPERM:
        return QT_TRANSLATE_NOOP("FileIo", "permission denied");
    case ENOSPC:
    case EDQUOT:
        return QT_TRANSLATE_NOOP("FileIo", "no space left on the disk");
    case EROFS:
        return QT_TRANSLATE_NOOP("FileIo", "the file system is read-only");
    case EISDIR:
        return QT_TRANSLATE_NOOP("FileIo", "it is a directory");
    case ENOTDIR:
        return QT_TRANSLATE_NOOP("FileIo", "a part of the path is not a directory");
    case EEXIST:
        return QT_TRANSLATE_NOOP("FileIo", "the file exists already");
    case EIO:
        return QT_TRANSLATE_NOOP("FileIo", "an input or output error occurred");
    case ENAMETOOLONG:
        return QT_TRANSLATE_NOOP("FileIo", "the name is too long");
    case ELOOP:
        return QT_TRANSLATE_NOOP("FileIo", "the path has too many symbolic links");
    case EMFILE:
    case ENFILE:
        return QT_TRANSLATE_NOOP("FileIo", "too many files are open");
    case EBADF:
        return QT_TRANSLATE_NOOP("FileIo", "the file is closed");
    case EPIPE:
        return QT_TRANSLATE_NOOP("FileIo", "the reading end of the pipe is closed");
    default:
        return nullptr;
    }
}

} // namespace

QString SystemErrorText(int error) {
    // English keeps the system's own wording.
    if (ShownLanguage() != kLanguageEnglish)
        if (const char* text = ErrnoText(error))
            return QCoreApplication::translate("FileIo", text);
    return QString::fromLocal8Bit(std::strerror(error));
}

QString CreatePrivateTemporary(const QString& path, QString& error) {
    QByteArray temporary = TemporaryTemplate(path);
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        error = Failed(QT_TRANSLATE_NOOP("FileIo", "Cannot create a file beside \"%1\": %2"), path,
                       SystemReason(errno))
                    .error;
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
