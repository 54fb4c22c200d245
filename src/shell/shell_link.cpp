#include "shell_link.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrum {

namespace {

// Characters that force an Exec argument into double quotes.
const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
// Characters escaped with a backslash inside the quotes.
const QString kEscapedInQuotes = QStringLiteral("\"`$\\");

// The general escapes of a string value, applied after the quoting.
QString EscapeStringValue(const QString& value) {
    QString out;
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Creates path exclusively, so no file that is already there (not even a
// dangling link) can be replaced, and removes it again when the contents
// could not be written whole: a half entry never stays behind.
LinkResult CreateExclusive(const QString& path, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0755);
    if (fd < 0)
        return errno == EEXIST ? LinkResult::Exists : LinkResult::Failed;
    // The umask must not take the execute bits desktops ask for.
    const bool ok = WriteAll(fd, bytes) && ::fchmod(fd, 0755) == 0 && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !ok) {
        ::unlink(name.constData());
        return LinkResult::Failed;
    }
    return LinkResult::Made;
}

} // namespace

QString ShellFolder(LinkPlace place) {
    switch (place) {
    case LinkPlace::lpDesktop: {
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        return IsDirectory(desktop) ? desktop : QString();
    }
    case LinkPlace::lpQuickLaunch:
        return {};
    case LinkPlace::lpStartMenu:
        return ReadStartMenuFolder();
    }
    return {};
}

QString ReadStartMenuFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    return folder;
}

bool IsDirectory(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString ExecArgument(const QString& argument) {
    QString quoted = argument;
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    const bool needsQuotes = std::any_of(argument.begin(), argument.end(),
                                         [](QChar c) { return kReserved.contains(c); });
    if (needsQuotes) {
        QString inside;
        for (const QChar c : quoted) {
            if (kEscapedInQuotes.contains(c))
                inside += QLatin1Char('\\');
            inside += c;
        }
        quoted = QLatin1Char('"') + inside + QLatin1Char('"');
    }
    return EscapeStringValue(quoted);
}

QString DesktopEntryText(const QString& target, const QStringList& arguments) {
    QString command = ExecArgument(target);
    for (const QString& argument : arguments)
        command += QLatin1Char(' ') + ExecArgument(argument);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Kestrum\n"
                          "Exec=%1\n"
                          "Icon=%2\n"
                          "Terminal=false\n"
                          "Categories=Office;Finance;\n")
        .arg(command, QString::fromLatin1(kIconName));
}

LinkResult MakeShellLink(const QString& target, LinkPlace place, const QString& subfolder,
                         const QStringList& arguments) {
    const QString folder = ShellFolder(place);
    if (folder.isEmpty())
        return LinkResult::NoFolder;
    QString path = folder + QLatin1Char(kFolderSeparator);
    if (!subfolder.isEmpty())
        path += subfolder + QLatin1Char(kFolderSeparator);
    path += QString::fromLatin1(kLinkFileName);
    return CreateExclusive(path, DesktopEntryText(target, arguments).toUtf8());
}

} // namespace kestrum
