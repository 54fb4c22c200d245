#include "configuration.h"

#include "data/rate_store.h"
#include "dir_lock.h"
#include "file_io.h"
#include "message_table.h"
#include "paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QtEndian>
#include <cstring>

namespace kestrum {

namespace {

// Field offsets of the record image.
constexpr int kOffDataDate = 0;
constexpr int kOffAutoDownload = 8;
constexpr int kOffCashRateOn = 9;
constexpr int kOffYearPosition = 10;
constexpr int kOffMonthPosition = 14;
constexpr int kOffDayPosition = 18;
constexpr int kOffLanguage = 22;
constexpr int kOffCashRate = 23;
constexpr int kOffRatePageAddress = 31;
constexpr int kOffDataFilesAddress = 287;
constexpr int kOffCurrencyFormat = 543;
constexpr int kOffRoundToCent = 544;
constexpr int kShortStringSize = 1 + kShortStringCapacity;
// Far more than any record; a stranger file is not copied to the backup.
constexpr qint64 kMaxBackupSize = 1024 * 1024;

void PutDouble(char* at, double value) {
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, at);
}

double GetDouble(const char* at) {
    const quint64 bits = qFromLittleEndian<quint64>(at);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void PutShortString(char* at, const std::string& text) {
    const std::string cut = CutToShortString(text);
    at[0] = static_cast<char>(static_cast<unsigned char>(cut.size()));
    std::memcpy(at + 1, cut.data(), cut.size());
}

std::string GetShortString(const char* at) {
    const auto length = static_cast<unsigned char>(at[0]);
    return std::string(at + 1, length);
}

QString ConfigPath() {
    return ProgramFile(QString::fromLatin1(Message(msg::ConfigFile)));
}
QString BackupPath() {
    return ProgramFile(QString::fromLatin1(Message(msg::ConfigBackup)));
}

// The window saves the record at every start; when neither file would change,
// rewriting both would only cost four syncs. A file that is not yet private,
// or a link in the record's place, is still replaced by the save.
bool HoldsAlready(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    constexpr auto kShared = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                             QFileDevice::ExeGroup | QFileDevice::ReadOther |
                             QFileDevice::WriteOther | QFileDevice::ExeOther;
    if (info.isSymLink() || !info.isFile() || (info.permissions() & kShared))
        return false;
    QByteArray held;
    return ReadWholeFile(path, held, bytes.size()) && held == bytes;
}

// The record as this process last read or wrote it: a field that still
// equals it was not changed here, so a save keeps what another process put
// in the file meanwhile.
ConfigRecord& LastSynced() {
    static ConfigRecord record = DefaultConfig();
    return record;
}

ConfigRecord Merged(const ConfigRecord& mine, const ConfigRecord& base, const ConfigRecord& disk) {
    ConfigRecord out = disk;
    const auto keep = [&](auto member) {
        if (!(mine.*member == base.*member))
            out.*member = mine.*member;
    };
    keep(&ConfigRecord::DataDate);
    keep(&ConfigRecord::AutoDownload);
    keep(&ConfigRecord::CashRateOn);
    keep(&ConfigRecord::YearPosition);
    keep(&ConfigRecord::MonthPosition);
    keep(&ConfigRecord::DayPosition);
    keep(&ConfigRecord::Language);
    keep(&ConfigRecord::CashRate);
    keep(&ConfigRecord::RatePageAddress);
    keep(&ConfigRecord::DataFilesAddress);
    keep(&ConfigRecord::CurrencyFormat);
    keep(&ConfigRecord::RoundToCent);
    return out;
}

} // namespace

ConfigRecord DefaultConfig() {
    ConfigRecord record;
    record.RatePageAddress = Message(msg::RatePageAddress);
    record.DataFilesAddress = Message(msg::DataFilesAddress);
    return record;
}

std::string CutToShortString(std::string text) {
    if (text.size() > kShortStringCapacity)
        text.resize(kShortStringCapacity);
    return text;
}

QByteArray SerializeConfig(const ConfigRecord& r) {
    QByteArray image(kConfigRecordSize, '\0');
    char* p = image.data();
    PutDouble(p + kOffDataDate, r.DataDate);
    p[kOffAutoDownload] = static_cast<char>(r.AutoDownload);
    p[kOffCashRateOn] = static_cast<char>(r.CashRateOn);
    qToLittleEndian(r.YearPosition, p + kOffYearPosition);
    qToLittleEndian(r.MonthPosition, p + kOffMonthPosition);
    qToLittleEndian(r.DayPosition, p + kOffDayPosition);
    p[kOffLanguage] = static_cast<char>(r.Language);
    PutDouble(p + kOffCashRate, r.CashRate);
    PutShortString(p + kOffRatePageAddress, r.RatePageAddress);
    PutShortString(p + kOffDataFilesAddress, r.DataFilesAddress);
    p[kOffCurrencyFormat] = static_cast<char>(r.CurrencyFormat);
    p[kOffRoundToCent] = static_cast<char>(r.RoundToCent);
    return image;
}

ConfigRecord DeserializeConfig(QByteArrayView bytes) {
    ConfigRecord r = DefaultConfig();
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    auto covers = [n](int offset, int width) { return n >= offset + width; };
    auto byteAt = [p](int offset) { return static_cast<std::uint8_t>(p[offset]); };

    if (covers(kOffDataDate, 8))
        r.DataDate = PlausibleDateOrMissing(GetDouble(p + kOffDataDate));
    if (covers(kOffAutoDownload, 1))
        r.AutoDownload = byteAt(kOffAutoDownload);
    if (covers(kOffCashRateOn, 1))
        r.CashRateOn = byteAt(kOffCashRateOn);
    if (covers(kOffYearPosition, 4))
        r.YearPosition = qFromLittleEndian<qint32>(p + kOffYearPosition);
    if (covers(kOffMonthPosition, 4))
        r.MonthPosition = qFromLittleEndian<qint32>(p + kOffMonthPosition);
    if (covers(kOffDayPosition, 4))
        r.DayPosition = qFromLittleEndian<qint32>(p + kOffDayPosition);
    if (covers(kOffLanguage, 1))
        r.Language = byteAt(kOffLanguage);
    if (covers(kOffCashRate, 8))
        r.CashRate = GetDouble(p + kOffCashRate);
    if (covers(kOffRatePageAddress, kShortStringSize))
        r.RatePageAddress = GetShortString(p + kOffRatePageAddress);
    if (covers(kOffDataFilesAddress, kShortStringSize))
        r.DataFilesAddress = GetShortString(p + kOffDataFilesAddress);
    if (covers(kOffCurrencyFormat, 1))
        r.CurrencyFormat = byteAt(kOffCurrencyFormat);
    if (covers(kOffRoundToCent, 1))
        r.RoundToCent = byteAt(kOffRoundToCent);

    // Values no part of the program can work with fall back to the defaults.
    if (!IsUsableFee(r.CashRate))
        r.CashRate = kDefaultFee;
    if (!IsUsableDateOrder(r.YearPosition, r.MonthPosition)) {
        const ConfigRecord defaults;
        r.YearPosition = defaults.YearPosition;
        r.MonthPosition = defaults.MonthPosition;
        r.DayPosition = defaults.DayPosition;
    }
    return r;
}

bool IsUsableDateOrder(int year, int month) {
    const auto inRange = [](int p) { return p >= 1 && p <= 3; };
    return inRange(year) && inRange(month) && year != month;
}

ConfigRecord& Configuration() {
    static ConfigRecord record = DefaultConfig();
    return record;
}

bool ConfigurationFileExists() {
    return QFileInfo::exists(ConfigPath());
}

IoResult CreateDefaultConfiguration() {
    Configuration() = DefaultConfig();
    return SaveConfiguration();
}

IoResult LoadConfiguration() {
    Configuration() = DefaultConfig();
    LastSynced() = Configuration();
    QByteArray image;
    if (const IoResult read = ReadFileStart(ConfigPath(), image, kConfigRecordSize); !read)
        return read;
    Configuration() = DeserializeConfig(image);
    LastSynced() = Configuration();
    return IoResult::Success();
}

IoResult SaveConfiguration(bool ownDataDate) {
    const QString path = ConfigPath();
    if (QFileInfo(path).isDir())
        return IoResult::Failure(
            QCoreApplication::translate("FileIo", "Cannot save \"%1\": %2")
                .arg(path, QCoreApplication::translate("FileIo", "it is a directory")));

    // Read, merge and write under the lock, so a concurrent "source" or
    // import is neither undone nor interleaved.
    const DirLock lock;
    if (lock.TimedOut())
        return IoResult::Failure(DirLock::FailureSentence());
    ConfigRecord record = Configuration();
    QByteArray previous;
    if (QFileInfo::exists(path) && ReadWholeFile(path, previous, kMaxBackupSize)) {
        record = Merged(record, LastSynced(), DeserializeConfig(previous));
        if (ownDataDate)
            record.DataDate = Configuration().DataDate;
        if (SerializeConfig(record) == previous && HoldsAlready(path, previous) &&
            HoldsAlready(BackupPath(), previous)) {
            // What killed saves left behind still goes, as after a write.
            RemoveStaleTemporaries(path);
            RemoveStaleTemporaries(BackupPath());
            Configuration() = record;
            LastSynced() = record;
            return IoResult::Success();
        }
        // The backup is a copy, not the renamed file, so a kill at any
        // instant leaves "kestrumconfig" whole, old or new. A lost backup
        // never stops the save.
        WriteFileAtomically(BackupPath(), previous, FileAccess::Private);
    }
    // The record may hold an address with a password.
    if (const IoResult saved =
            WriteFileAtomically(path, SerializeConfig(record), FileAccess::Private);
        !saved)
        return saved;
    Configuration() = record;
    LastSynced() = record;
    return IoResult::Success();
}

IoResult CloseConfiguration() {
    IoResult result = SaveConfiguration();
    Configuration() = DefaultConfig();
    return result;
}

} // namespace kestrum
