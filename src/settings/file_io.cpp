#include "file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kestrum {

namespace {
constexpr qint64 kReadChunk = 64 * 1024;
// The random part of a temporary file's name.
constexpr int kTemporarySuffixLength = 6;
} // namespace

IoResult ReadWholeFile(const QString& path, QByteArray& contents, qint64 maxSize) {
    contents.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IoResult::Failure(
            QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString()));
    const auto tooLarge = [&] {
        return IoResult::Failure(QStringLiteral("Cannot read \"%1\": it is larger than %2 bytes")
                                     .arg(path)
                                     .arg(maxSize));
    };
    if (file.size() > maxSize)
        return tooLarge();
    // Devices report no size, so the limit is also kept while reading.
    QByteArray bytes;
    for (;;) {
        // One byte beyond the limit is enough to know it is exceeded.
        const qint64 left = maxSize - bytes.size();
        const qint64 room = left >= kReadChunk ? kReadChunk : left + 1;
        const QByteArray chunk = file.read(room);
        if (file.error() != QFileDevice::NoError)
            return IoResult::Failure(
                QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
        if (bytes.size() > maxSize)
            return tooLarge();
    }
    contents = std::move(bytes);
    return IoResult::Success();
}

IoResult WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // commit() alone does not notice a buffered write that fails and would
    // install a truncated file; flushing first surfaces the error.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit())
        return IoResult::Failure(
            QStringLiteral("Cannot save \"%1\": %2").arg(path, file.errorString()));
    RemoveStaleTemporaries(path);
    return IoResult::Success();
}

void RemoveStaleTemporaries(const QString& path) {
    const QFileInfo info(path);
    const QString pattern =
        info.fileName() + QLatin1Char('.') + QString(kTemporarySuffixLength, QLatin1Char('?'));
    QDir dir = info.dir();
    for (const QString& name : dir.entryList({pattern}, QDir::Files | QDir::Hidden))
        dir.remove(name);
}

} // namespace kestrum
