#include "output.h"

#include "settings/file_io.h"
#include "settings/local_text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>

namespace kestrum::cli {

namespace {
constexpr int kBarWidth = 30;
// The reason of the first failed write to standard output.
int s_outputErrno = 0;
bool s_stdoutClosed = false;
} // namespace

QString TextTable(const QList<QStringList>& rows, const QList<bool>& rightAligned) {
    QList<qsizetype> widths;
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c == widths.size())
                widths << 0;
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    QString text;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += QLatin1String("  ");
            const bool right = c < rightAligned.size() && rightAligned[c];
            line += right ? row[c].rightJustified(widths[c]) : row[c].leftJustified(widths[c]);
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        text += line + QLatin1Char('\n');
    }
    return text;
}

QString WrapText(const QString& text, int width) {
    if (width <= 0)
        return text + QLatin1Char('\n');
    QString wrapped;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            wrapped += line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return wrapped + line + QLatin1Char('\n');
}

QString SignificantText(double value, int digits) {
    if (value == 0.0 || !std::isfinite(value))
        return QString::number(value, 'f', 0);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    return QString::number(value, 'f', std::max(0, digits - 1 - magnitude));
}

void WriteText(std::FILE* stream, const QString& text) {
    WriteBytes(stream, ToLocale(text));
}

void WriteBytes(std::FILE* stream, const QByteArray& bytes) {
    // After a failure the stream stays in error and FinishOutput reports the
    // first reason.
    if (std::ferror(stream))
        return;
    errno = 0;
    const auto size = static_cast<std::size_t>(bytes.size());
    if (stream == stdout && s_stdoutClosed && size > 0)
        s_outputErrno = EBADF;
    else if (std::fwrite(bytes.constData(), 1, size, stream) != size && stream == stdout)
        s_outputErrno = errno != 0 ? errno : EIO;
}

void GuardStandardStreams() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free descriptor: this one, the ones below being open.
        const int opened = ::open("/dev/null", O_RDWR | O_NOCTTY);
        if (opened >= 0 && opened != fd)
            ::close(opened);
        if (fd == STDOUT_FILENO)
            s_stdoutClosed = true;
    }
}

QString FinishOutput() {
    errno = 0;
    bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    int error = s_outputErrno != 0 ? s_outputErrno : errno;
    if (std::fclose(stdout) != 0 && !failed) {
        failed = true;
        error = errno;
    }
    if (s_outputErrno == EBADF) {
        failed = true;
        error = EBADF;
    }
    if (!failed)
        return {};
    // strerror's "Bad file descriptor" would not tell the user what to fix.
    if (error == EBADF)
        return QCoreApplication::translate(
            "Output", "Kestrum cannot write its output: standard output is closed.");
    return QCoreApplication::translate("Output", "Kestrum cannot write its output: %1.")
        .arg(SystemErrorText(error != 0 ? error : EIO));
}

QString ProgressLine(qint64 position, qint64 total) {
    const QString bytes = QCoreApplication::translate("Output", "%1 bytes").arg(position);
    if (total <= 0)
        return QCoreApplication::translate("Output", "Downloading  %1").arg(bytes);
    const qint64 percent = std::clamp<qint64>(position * 100 / total, 0, 100);
    const int filled = static_cast<int>(percent * kBarWidth / 100);
    return QCoreApplication::translate("Output", "Downloading  [%1%2] %3%  %4")
        .arg(QString(filled, QLatin1Char('#')), QString(kBarWidth - filled, QLatin1Char('-')))
        .arg(percent, 3)
        .arg(bytes);
}

QString WithoutFullStop(QString text) {
    while (text.endsWith(QLatin1Char('.')) || text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace kestrum::cli
