#pragma once

#include "io_result.h"

#include <QByteArray>
#include <QString>

namespace kestrum {

// Reads a whole file. On failure the contents are empty and the result names
// the file and the system's reason.
IoResult ReadWholeFile(const QString& path, QByteArray& contents);

} // namespace kestrum
