#pragma once

#include <QByteArray>
#include <QFile>

namespace kestrum::cli {

// Read at a time; also the size the batch's output is written in.
constexpr qint64 kReadChunk = 256 * 1024;

// The records of a file, lines ended by LF, CR LF or a lone CR as
// spreadsheets of every platform write them; a line end inside quotes
// belongs to the cell.
class LineReader {
public:
    explicit LineReader(QFile& file) : m_file(file) {}

    bool Next(QByteArray& record) {
        m_number = m_line + 1;
        bool quoted = false;
        for (qsizetype i = m_at;; ++i) {
            const bool atEnd = i == m_buffer.size();
            // A CR closing the buffer may be the first half of a CR LF.
            const bool lastCr = i + 1 == m_buffer.size() && m_buffer[i] == '\r';
            if ((atEnd || lastCr) && !m_end) {
                Fill(i);
                --i; // the same byte again
                continue;
            }
            if (atEnd) {
                if (m_at >= m_buffer.size())
                    return false;
                record = m_buffer.mid(m_at);
                m_at = m_buffer.size();
                return true;
            }
            const char c = m_buffer[i];
            if (c == '"')
                quoted = !quoted;
            if (c != '\n' && c != '\r')
                continue;
            const bool pair = c == '\r' && i + 1 < m_buffer.size() && m_buffer[i + 1] == '\n';
            ++m_line;
            if (quoted) {
                i += pair ? 1 : 0;
                continue;
            }
            record = m_buffer.mid(m_at, i - m_at);
            m_at = i + (pair ? 2 : 1);
            return true;
        }
    }
    // The line the last record started on.
    int Number() const { return m_number; }
    bool Failed() const { return m_file.error() != QFileDevice::NoError; }

private:
    // Reads more; `i` moves with the bytes kept.
    void Fill(qsizetype& i) {
        m_buffer.remove(0, m_at);
        i -= m_at;
        m_at = 0;
        const QByteArray more = m_file.read(kReadChunk);
        m_end = more.isEmpty();
        m_buffer += more;
    }

    QFile& m_file;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    bool m_end = false;
    int m_line = 0;
    int m_number = 0;
};

} // namespace kestrum::cli
