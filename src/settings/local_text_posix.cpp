#include "local_text.h"

#include <QFile>

#include <cstring>
#include <cwchar>
#include <fcntl.h>
#include <langinfo.h>
#include <sys/stat.h>

namespace kestrum {

namespace {

// The C and POSIX locales count as UTF-8, as glibc's C.UTF-8 and Python
// take them: their ASCII would refuse or mangle every accented name, and a
// system left in them (a container, a service) still sends UTF-8.
bool LocaleIsUtf8() {
    const char* codeset = nl_langinfo(CODESET);
    return codeset != nullptr &&
           (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0 ||
            std::strcmp(codeset, "ANSI_X3.4-1968") == 0);
}

} // namespace

QString FromLocale(const char* bytes) {
    if (LocaleIsUtf8())
        return QString::fromUtf8(bytes);
    QString text;
    std::mbstate_t state{};
    const char* at = bytes;
    const char* end = bytes + std::strlen(bytes);
    while (at < end) {
        wchar_t c = 0;
        const std::size_t used = std::mbrtowc(&c, at, static_cast<std::size_t>(end - at), &state);
        if (used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2)) {
            text += QChar(QChar::ReplacementCharacter);
            state = {};
            ++at;
            continue;
        }
        text += QString::fromWCharArray(&c, 1);
        at += used == 0 ? 1 : used;
    }
    return text;
}

QByteArray ToLocale(const QString& text) {
    if (LocaleIsUtf8())
        return text.toUtf8();
    QByteArray bytes;
    std::mbstate_t state{};
    for (const uint c : text.toUcs4()) {
        char out[MB_LEN_MAX];
        const std::size_t length = std::wcrtomb(out, static_cast<wchar_t>(c), &state);
        if (length == static_cast<std::size_t>(-1)) {
            bytes += '?';
            state = {};
        } else {
            bytes.append(out, static_cast<qsizetype>(length));
        }
    }
    return bytes;
}

QString ArgumentText(const char* bytes) {
    const QString text = FromLocale(bytes);
    if (QFile::encodeName(text) == QByteArray(bytes))
        return text;
    struct stat info {};
    if (::stat(bytes, &info) != 0)
        return text;
    // Kept open for the life of the process, like the path it stands for.
    const int fd = ::open(bytes, O_PATH | O_CLOEXEC);
    return fd < 0 ? text : QStringLiteral("/proc/self/fd/%1").arg(fd);
}

} // namespace kestrum
