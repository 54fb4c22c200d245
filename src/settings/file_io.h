#pragma once

#include "io_result.h"

#include <QByteArray>
#include <QString>
#include <limits>

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
