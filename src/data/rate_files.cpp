#include "rate_files.h"

#include "settings/file_io.h"
#include "settings/message_table.h"
#include "settings/paths.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <vector>

namespace kestrum {

namespace {

// Far beyond 56 names in two languages; a device or a huge file is refused.
constexpr qint64 kMaxNameFileSize = 1024 * 1024;

// Lines of a text file without their ends; a final line end does not start
// another line.
std::vector<std::string> TextLines(QByteArrayView contents) {
    std::vector<std::string> lines;
    qsizetype start = 0;
    while (start < contents.size()) {
        qsizetype end = contents.indexOf('\n', start);
        const qsizetype next = end < 0 ? contents.size() : end + 1;
        if (end < 0)
            end = contents.size();
        qsizetype stop = end;
        if (stop > start && contents[stop - 1] == '\r')
            --stop;
        lines.emplace_back(contents.data() + start, static_cast<std::size_t>(stop - start));
        start = next;
    }
    return lines;
}

} // namespace

QString RateFilePath() {
    return ProgramFile(QString::fromLatin1(Message(msg::RateFile)));
}

QByteArray EncodeRateFile(const RateStore& store) {
    QByteArray bytes(kRateFileSize, '\0');
    char* out = bytes.data();
    for (const DayRecord& day : store.RateTable) {
        for (const double value : day.Values) {
            quint64 bits;
            std::memcpy(&bits, &value, sizeof bits);
            qToLittleEndian(bits, out);
            out += sizeof bits;
        }
    }
    return bytes;
}

int DecodeRateFile(QByteArrayView bytes, RateStore& store) {
    const int records =
        static_cast<int>(std::min<qsizetype>(kDayCount, bytes.size() / kDayRecordSize));
    const char* in = bytes.data();
    for (int d = 0; d < records; ++d) {
        std::array<double, kDayRecordValues>& values = store.RateTable[d].Values;
        for (double& value : values) {
            const quint64 bits = qFromLittleEndian<quint64>(in);
            std::memcpy(&value, &bits, sizeof value);
            in += sizeof bits;
        }
        // A damaged file must not reach the arithmetic or the calendar.
        values[0] = PlausibleDateOrMissing(values[0]);
        for (int k = 1; k < kDayRecordValues; ++k)
            values[k] = UsableRateOrMissing(values[k]);
    }
    return records;
}

RateFileLoad LoadRateFile(RateStore& store, ConfigRecord& config) {
    ClearRates(store);
    const QString path = RateFilePath();
    if (!QFile::exists(path))
        return {RateFileStatus::Missing, {}};

    RateFileLoad load;
    QByteArray bytes;
    if (const IoResult read = ReadFileStart(path, bytes, kRateFileSize); !read)
        load = {RateFileStatus::ReadError, read.error};
    const int records = DecodeRateFile(bytes, store);
    if (load.status == RateFileStatus::Loaded && records < kDayCount)
        load.status = RateFileStatus::Incomplete;

    config.DataDate = LatestDataDate(store);
    if (load.status == RateFileStatus::Loaded)
        ComputeCurrentRates(store);
    return load;
}

QStringList RateFileMessages(const RateFileLoad& load) {
    const QString loadError = MessageText(msg::RateFileLoadError);
    switch (load.status) {
    case RateFileStatus::Loaded:
        return {};
    case RateFileStatus::Missing:
        return {MessageText(msg::MissingRateFile), loadError};
    case RateFileStatus::Incomplete:
        return {loadError};
    case RateFileStatus::ReadError:
        return {load.error, loadError};
    }
    return {};
}

IoResult SaveRateFile(RateStore& store, ConfigRecord& config) {
    if (const IoResult saved = WriteFileAtomically(RateFilePath(), EncodeRateFile(store)); !saved)
        return saved;
    config.DataDate = LatestDataDate(store);
    ComputeCurrentRates(store);
    return IoResult::Success();
}

void ApplyPageLabelFile(QByteArrayView contents, Catalogue& catalogue, ConfigRecord& config) {
    const std::vector<std::string> lines = TextLines(contents);
    for (std::string& label : catalogue.PageLabels)
        label.clear();
    if (lines.empty())
        return;
    config.RatePageAddress = CutToShortString(lines[0]);
    for (std::size_t i = 1; i < lines.size() && i <= kPageLabelCount; ++i)
        catalogue.PageLabels[i - 1] = lines[i];
}

void ApplyCurrencyNameFile(QByteArrayView contents, Catalogue& catalogue, ConfigRecord& config) {
    const std::vector<std::string> lines = TextLines(contents);
    // The Canadian dollar's names (entries 0 and 1) are never replaced.
    for (std::size_t i = 2; i < catalogue.CurrencyNames.size(); ++i)
        catalogue.CurrencyNames[i].clear();
    if (lines.empty())
        return;
    config.RatePageAddress = CutToShortString(lines[0]);
    for (std::size_t i = 1; i < lines.size() && i + 1 < catalogue.CurrencyNames.size(); ++i)
        catalogue.CurrencyNames[i + 1] = lines[i];
}

QStringList LoadNameOverrides(Catalogue& catalogue, ConfigRecord& config) {
    QStringList errors;
    const struct {
        int name;
        void (*apply)(QByteArrayView, Catalogue&, ConfigRecord&);
    } files[] = {{msg::MListFile, ApplyPageLabelFile}, {msg::CListFile, ApplyCurrencyNameFile}};
    for (const auto& f : files) {
        const QString path = ProgramFile(QString::fromLatin1(Message(f.name)));
        if (!QFile::exists(path))
            continue;
        QByteArray contents;
        if (const IoResult read = ReadWholeFile(path, contents, kMaxNameFileSize); read)
            f.apply(contents, catalogue, config);
        else
            errors << read.error;
    }
    return errors;
}

} // namespace kestrum
