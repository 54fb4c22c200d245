#include "preferences.h"

#include "dir_lock.h"
#include "file_io.h"
#include "paths.h"

#include <QByteArray>
#include <QList>

namespace kestrum {

namespace {
// Far more than a few keys need; anything larger is not ours.
constexpr qint64 kMaxPreferencesSize = 64 * 1024;

QList<QByteArray> PreferenceLines() {
    QByteArray contents;
    if (!ReadWholeFile(PreferencesPath(), contents, kMaxPreferencesSize))
        return {};
    return contents.split('\n');
}
} // namespace

QString PreferencesPath() {
    return ProgramFile(QStringLiteral("kestrum.ini"));
}

QString ReadPreference(const QString& key, const QString& fallback) {
    const QByteArray prefix = key.toUtf8() + '=';
    for (const QByteArray& line : PreferenceLines())
        if (line.startsWith(prefix))
            return QString::fromUtf8(line.mid(prefix.size())).trimmed();
    return fallback;
}

IoResult WritePreference(const QString& key, const QString& value) {
    const QByteArray prefix = key.toUtf8() + '=';
    const DirLock lock;
    if (lock.TimedOut())
        return IoResult::Failure(DirLock::FailureSentence());
    QByteArray out;
    bool written = false;
    for (const QByteArray& line : PreferenceLines()) {
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(prefix)) {
            if (written)
                continue;
            out += prefix + value.toUtf8() + '\n';
            written = true;
        } else {
            out += line + '\n';
        }
    }
    if (!written)
        out += prefix + value.toUtf8() + '\n';
    return WriteFileAtomically(PreferencesPath(), out);
}

} // namespace kestrum
