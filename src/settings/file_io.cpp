#include "file_io.h"

#include <QFile>

namespace kestrum {

IoResult ReadWholeFile(const QString& path, QByteArray& contents) {
    contents.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IoResult::Failure(
            QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return IoResult::Failure(
            QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    contents = std::move(bytes);
    return IoResult::Success();
}

} // namespace kestrum
