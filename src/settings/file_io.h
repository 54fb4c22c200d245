#pragma once

#include "io_result.h"

#include <QByteArray>
#include <QString>
#include <limits>

namespace kestrum {

// Reads a whole file. On failure the contents are empty and the result names
// the file and the system's reason. A file holding more than maxSize bytes is
// refused without being read whole (devices such as /dev/zero included).
IoResult ReadWholeFile(const QString& path, QByteArray& contents,
                       qint64 maxSize = std::numeric_limits<qint64>::max());

// Replaces the file with the bytes through a temporary file renamed into
// place, so at every instant the file holds either its old or its new bytes.
// On success, temporaries that an earlier, killed save left beside the file
// are removed.
IoResult WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Removes "<path>.XXXXXX" files: the temporaries of saves that never ended.
void RemoveStaleTemporaries(const QString& path);

} // namespace kestrum
