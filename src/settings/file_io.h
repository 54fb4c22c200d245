#pragma once

#include "io_result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <limits>
#include <memory>

namespace kestrum {

// What a read accepts. The program's own files must be regular files: a FIFO
// or a device in their place would make every start wait forever. A page the
// user names may be a pipe ("import /dev/stdin").
enum class FileKind { Regular, AnyReadable };

// Reads a whole file. On failure the contents are empty and the result names
// the file and the system's reason. A file holding more than maxSize bytes is
// refused without being read whole (devices such as /dev/zero included).
IoResult ReadWholeFile(const QString& path, QByteArray& contents,
                       qint64 maxSize = std::numeric_limits<qint64>::max(),
                       FileKind kind = FileKind::Regular);

// A whole regular file seen through a read-only mapping, so a large page
// costs no copy and only the pages read count as memory. Only for the
// program's own files, which nobody truncates while they are read (that would
// fault the reader); a user's file is read with ReadWholeFile.
class FileView {
public:
    FileView() = default;
    ~FileView();
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;

    // A file larger than maxSize is refused unread; a pipe or device is read
    // into memory, as ReadWholeFile would.
    IoResult Open(const QString& path, qint64 maxSize);
    QByteArrayView Bytes() const { return m_mapped.data() ? m_mapped : QByteArrayView(m_read); }

private:
    QByteArrayView m_mapped;
    QByteArray m_read;
};

// The reason of a failed system call (an errno value) in the language in use.
QString SystemErrorText(int error);

// Opens a regular file of at most maxSize bytes for reading as a stream that
// may be read again from its start; `file` owns the descriptor.
IoResult OpenRegularFile(const QString& path, qint64 maxSize, QFile& file);

// Reads at most the first `count` bytes of a regular file.
IoResult ReadFileStart(const QString& path, QByteArray& contents, qint64 count);

// Who may read a file the program writes. A private file is created 0600 and
// an existing one keeps a stricter mode; a shared one is created by the
// umask and keeps its existing mode.
enum class FileAccess { Shared, Private };

// Replaces the directory entry with a new file holding the bytes: written to
// a temporary file created exclusively beside it, then renamed into place, so
// at every instant the entry holds either its old or its new bytes and a
// symbolic link in its place is replaced, never written through.
IoResult WriteFileAtomically(const QString& path, const QByteArray& bytes,
                             FileAccess access = FileAccess::Shared);

// A file written piece by piece that replaces `path` only when committed.
// Until then it is a private temporary beside `path` (named as the others, so
// a sweep finds what a killed writer left), removed when a write fails, when
// the object goes uncommitted, and when the process is interrupted. With
// `inPlace`, `path` is a file the caller made for this writer alone (see
// CreatePrivateTemporary): it is written directly and emptied if uncommitted.
class FileInProgress {
public:
    enum class Target { Replace, InPlace };
    explicit FileInProgress(const QString& path, Target target = Target::Replace,
                            FileAccess access = FileAccess::Shared);
    ~FileInProgress();
    FileInProgress(const FileInProgress&) = delete;
    FileInProgress& operator=(const FileInProgress&) = delete;

    // Whether the file could be made; the failure names `path`.
    const IoResult& Status() const { return m_status; }
    IoResult Append(const char* data, qint64 size);
    // Puts the bytes in place. Durable syncs them first: for a file that
    // outlives the program, not for a page read once and deleted.
    enum class Sync { Durable, Skip };
    IoResult Commit(Sync sync);

private:
    void Flush();
    void Discard();

    struct Parts;
    std::unique_ptr<Parts> m_parts;
    IoResult m_status;
};

// The file at `path` as it was when the object was made, kept under a second
// name (a hard link beside it, named as a temporary), so that undoing a save
// needs no free space: on a full disk, writing the old bytes back would fail
// where renaming them back does not. Where no link can be made the bytes are
// held in memory instead. The second name goes when the object does. Made
// under the directory lock (DirLock), it first removes what killed holders left.
class PreviousVersion {
public:
    explicit PreviousVersion(const QString& path);
    ~PreviousVersion();
    PreviousVersion(const PreviousVersion&) = delete;
    PreviousVersion& operator=(const PreviousVersion&) = delete;

    // Puts the old file back in place, or removes `path` if there was none.
    IoResult Restore() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

// A new, empty file beside `path` with a temporary's name, created
// exclusively, for a writer that needs a file of its own (a download). Empty
// on failure, with the reason in `error`.
QString CreatePrivateTemporary(const QString& path, QString& error);

// True for the names the program gives its temporaries of `fileName`:
// ".<fileName>.kestrum-" and six characters.
bool IsTemporaryName(const QString& name, const QString& fileName);

// Removes the temporaries of `path` that saves killed long ago left behind;
// a fresh one may belong to a save still running in another process.
void RemoveStaleTemporaries(const QString& path);

} // namespace kestrum
