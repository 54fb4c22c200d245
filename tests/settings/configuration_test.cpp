#include "data/catalogue.h"
#include "file_size_limit.h"
#include "settings/configuration.h"
#include "settings/message_table.h"
#include "settings/paths.h"
#include "temp_dir.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/stat.h>

namespace kestrum {
namespace {

constexpr const char* kRateAddress =
    "https://www.bankofcanada.ca/valet/observations/group/FX_RATES_DAILY/json?recent=5";
constexpr const char* kFilesAddress = "";

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// A record in which every field differs from its default.
ConfigRecord NonDefaultRecord() {
    ConfigRecord r;
    r.DataDate = 38506.0;
    r.AutoDownload = 0;
    r.CashRateOn = 0;
    r.YearPosition = 3;
    r.MonthPosition = 1;
    r.DayPosition = 2;
    r.Language = 1;
    r.CashRate = 2.5;
    r.RatePageAddress = "http://rates.example/page.htm";
    r.DataFilesAddress = "http://files.example/d\xe9j\xe0/";
    r.CurrencyFormat = 1;
    r.RoundToCent = 1;
    return r;
}

void ExpectSameRecord(const ConfigRecord& a, const ConfigRecord& b) {
    EXPECT_EQ(std::memcmp(&a.DataDate, &b.DataDate, sizeof a.DataDate), 0);
    EXPECT_EQ(a.AutoDownload, b.AutoDownload);
    EXPECT_EQ(a.CashRateOn, b.CashRateOn);
    EXPECT_EQ(a.YearPosition, b.YearPosition);
    EXPECT_EQ(a.MonthPosition, b.MonthPosition);
    EXPECT_EQ(a.DayPosition, b.DayPosition);
    EXPECT_EQ(a.Language, b.Language);
    EXPECT_EQ(std::memcmp(&a.CashRate, &b.CashRate, sizeof a.CashRate), 0);
    EXPECT_EQ(a.RatePageAddress, b.RatePageAddress);
    EXPECT_EQ(a.DataFilesAddress, b.DataFilesAddress);
    EXPECT_EQ(a.CurrencyFormat, b.CurrencyFormat);
    EXPECT_EQ(a.RoundToCent, b.RoundToCent);
}

class ConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override {
        Configuration() = DefaultConfig();
        ResetCatalogue();
    }
    void TearDown() override { Configuration() = DefaultConfig(); }

    test::ScopedProgramDir dir;
    const QString configName = QStringLiteral("kestrumconfig");
    const QString backupName = QStringLiteral("kestrumconfig.bak");
};

TEST_F(ConfigurationTest, DefaultRecordImage) {
    const QByteArray image = SerializeConfig(DefaultConfig());
    ASSERT_EQ(image.size(), 545);
    EXPECT_EQ(image.left(31),
              Bytes({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0xBF, 0x01, 0x01, 0x01,
                     0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x40}));

    const int rateLength = static_cast<int>(std::strlen(kRateAddress));
    EXPECT_EQ(static_cast<unsigned char>(image[31]), rateLength);
    EXPECT_EQ(image.mid(32, rateLength), QByteArray(kRateAddress));
    EXPECT_EQ(image.mid(32 + rateLength, 287 - 32 - rateLength),
              QByteArray(287 - 32 - rateLength, '\0'));

    const int filesLength = static_cast<int>(std::strlen(kFilesAddress));
    EXPECT_EQ(static_cast<unsigned char>(image[287]), filesLength);
    EXPECT_EQ(image.mid(288, filesLength), QByteArray(kFilesAddress));
    EXPECT_EQ(image.mid(288 + filesLength, 543 - 288 - filesLength),
              QByteArray(543 - 288 - filesLength, '\0'));
    EXPECT_EQ(image.mid(543), Bytes({0x00, 0x00}));

    ASSERT_TRUE(CreateDefaultConfiguration());
    EXPECT_EQ(dir.Read(configName), image);
    EXPECT_FALSE(dir.Exists(backupName));
}

TEST_F(ConfigurationTest, EveryFieldSurvivesSerialisation) {
    ConfigRecord r = NonDefaultRecord();
    const QByteArray image = SerializeConfig(r);
    ASSERT_EQ(image.size(), 545);
    // Spot checks of the packed little-endian layout: 38506 = 0x40E2CD4000000000,
    // 2.5 = 0x4004000000000000.
    EXPECT_EQ(image.left(8), Bytes({0x00, 0x00, 0x00, 0x00, 0x40, 0xCD, 0xE2, 0x40}));
    EXPECT_EQ(image.mid(8, 15), Bytes({0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                                       0x02, 0x00, 0x00, 0x00, 0x01}));
    EXPECT_EQ(image.mid(23, 8), Bytes({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x40}));
    EXPECT_EQ(image.mid(543), Bytes({0x01, 0x01}));
    ExpectSameRecord(DeserializeConfig(image), r);

    // Length byte 255 must read back as 255, not as a negative char.
    r.RatePageAddress = std::string(255, 'a');
    r.DataFilesAddress = std::string(200, 'b') + std::string(100, 'c');
    const ConfigRecord back = DeserializeConfig(SerializeConfig(r));
    EXPECT_EQ(back.RatePageAddress, std::string(255, 'a'));
    EXPECT_EQ(back.DataFilesAddress, std::string(200, 'b') + std::string(55, 'c'));
    EXPECT_EQ(static_cast<unsigned char>(SerializeConfig(r)[31]), 255);
}

TEST_F(ConfigurationTest, BackupHoldsThePreviousRecord) {
    ASSERT_TRUE(SaveConfiguration());
    const QByteArray first = dir.Read(configName);
    EXPECT_EQ(first.size(), 545);
    EXPECT_FALSE(dir.Exists(backupName));

    Configuration().CashRate = 2.5;
    ASSERT_TRUE(SaveConfiguration());
    const QByteArray second = dir.Read(configName);
    EXPECT_EQ(dir.Read(backupName), first);
    EXPECT_EQ(DeserializeConfig(second).CashRate, 2.5);

    Configuration().Language = 1;
    ASSERT_TRUE(SaveConfiguration());
    EXPECT_EQ(dir.Read(backupName), second);
    EXPECT_EQ(DeserializeConfig(dir.Read(configName)).Language, 1);

    ASSERT_TRUE(LoadConfiguration());
    EXPECT_EQ(Configuration().CashRate, 2.5);
    EXPECT_EQ(Configuration().Language, 1);
}

// The window saves at every start: a save that changes nothing leaves both
// files alone, unless the record is not yet private.
TEST_F(ConfigurationTest, SaveThatChangesNothingRewritesNothing) {
    const auto inode = [this](const QString& name) {
        struct stat info {};
        return ::stat(dir.Path(name).toLocal8Bit().constData(), &info) == 0 ? info.st_ino : 0;
    };
    ASSERT_TRUE(SaveConfiguration());
    ASSERT_TRUE(SaveConfiguration()); // the backup now holds the same record
    const ino_t record = inode(configName);
    const ino_t backup = inode(backupName);
    ASSERT_TRUE(SaveConfiguration());
    EXPECT_EQ(inode(configName), record);
    EXPECT_EQ(inode(backupName), backup);

    ASSERT_TRUE(QFile::setPermissions(dir.Path(configName),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    ASSERT_TRUE(SaveConfiguration());
    EXPECT_NE(inode(configName), record);
    EXPECT_FALSE(QFileInfo(dir.Path(configName)).permissions() & QFile::ReadOther);
}

TEST_F(ConfigurationTest, LongerFileLoadsItsFirstRecordAndIsCutOnSave) {
    const QByteArray image = SerializeConfig(NonDefaultRecord());
    const QByteArray longer = image + QByteArray(55, '\x5A');
    dir.Write(configName, longer);

    ASSERT_TRUE(ConfigurationFileExists());
    ASSERT_TRUE(LoadConfiguration());
    ExpectSameRecord(Configuration(), NonDefaultRecord());

    ASSERT_TRUE(SaveConfiguration());
    EXPECT_EQ(dir.Read(configName), image);
    EXPECT_EQ(dir.Read(backupName), longer);
}

TEST_F(ConfigurationTest, ShorterFileKeepsDefaultsForFieldsItDoesNotCover) {
    const QByteArray image = SerializeConfig(NonDefaultRecord());
    const ConfigRecord defaults = DefaultConfig();

    // 30 bytes: up to Language, but only 7 of CashRate's 8 bytes.
    dir.Write(configName, image.left(30));
    ASSERT_TRUE(LoadConfiguration());
    ConfigRecord expected = NonDefaultRecord();
    expected.CashRate = defaults.CashRate;
    expected.RatePageAddress = defaults.RatePageAddress;
    expected.DataFilesAddress = defaults.DataFilesAddress;
    expected.CurrencyFormat = 0;
    expected.RoundToCent = 0;
    ExpectSameRecord(Configuration(), expected);

    // 100 bytes: CashRate is whole, the first address is not.
    dir.Write(configName, image.left(100));
    ASSERT_TRUE(LoadConfiguration());
    expected.CashRate = 2.5;
    ExpectSameRecord(Configuration(), expected);

    // 544 bytes: everything but the last flag.
    ConfigRecord partial = DeserializeConfig(image.left(544));
    EXPECT_EQ(partial.CurrencyFormat, 1);
    EXPECT_EQ(partial.RoundToCent, 0);
    EXPECT_EQ(partial.DataFilesAddress, NonDefaultRecord().DataFilesAddress);

    dir.Write(configName, QByteArray());
    ASSERT_TRUE(LoadConfiguration());
    ExpectSameRecord(Configuration(), defaults);
}

TEST_F(ConfigurationTest, DateOrderRestsOnTheYearAndMonthPositionsOnly) {
    struct Case {
        int year, month, day;
        int wantYear, wantMonth;
    } const cases[] = {
        {3, 1, 3, 3, 1}, // the default day position with month/day/year
        {2, 3, 7, 2, 3}, {1, 1, 3, 1, 2}, {0, 2, 3, 1, 2}, {3, 4, 1, 1, 2},
    };
    for (const Case& c : cases) {
        ConfigRecord r = DefaultConfig();
        r.YearPosition = c.year;
        r.MonthPosition = c.month;
        r.DayPosition = c.day;
        const ConfigRecord read = DeserializeConfig(SerializeConfig(r));
        EXPECT_EQ(read.YearPosition, c.wantYear) << c.year << c.month << c.day;
        EXPECT_EQ(read.MonthPosition, c.wantMonth) << c.year << c.month << c.day;
    }
}

TEST_F(ConfigurationTest, LanguageTwoStaysTwoAndMeansFrench) {
    QByteArray image = SerializeConfig(DefaultConfig());
    image[22] = 2;
    dir.Write(configName, image);
    ASSERT_TRUE(LoadConfiguration());
    EXPECT_EQ(Configuration().Language, 2);
    EXPECT_EQ(CurrencyName(1, Configuration().Language), "Dollar am\xe9ricain");
    EXPECT_EQ(FindCurrencyIndex("Europe Euro", Configuration().Language), 13);

    ASSERT_TRUE(SaveConfiguration());
    EXPECT_EQ(dir.Read(configName)[22], 2);
}

TEST_F(ConfigurationTest, FailedSaveNamesTheFileAndKeepsThePreviousOne) {
    const QByteArray previous = SerializeConfig(NonDefaultRecord());
    dir.Write(configName, previous);
    dir.Write(backupName, QByteArray("old backup"));
    Configuration().CashRate = 9.0;

    {
        test::ScopedFileSizeLimit limit(100);
        ASSERT_TRUE(limit.Active());
        const IoResult result = SaveConfiguration();
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(dir.Path(configName))) << result.error.toStdString();
    }
    EXPECT_EQ(dir.Read(configName), previous);
    EXPECT_EQ(dir.Read(backupName), QByteArray("old backup"));
    EXPECT_EQ(Configuration().CashRate, 9.0);

    // Nothing is left behind beside the two files and the directory's lock.
    const QStringList left = QDir(dir.Path(QString())).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList({QStringLiteral(".kestrum.lock"), configName, backupName}));
}

// "source" ran while the window was open: the window's next save changes
// only what the window changed.
TEST_F(ConfigurationTest, SaveKeepsFieldsAnotherProcessChanged) {
    dir.Write(configName, SerializeConfig(DefaultConfig()));
    ASSERT_TRUE(LoadConfiguration());
    ConfigRecord other = DefaultConfig();
    other.RatePageAddress = "http://other.example/rates";
    dir.Write(configName, SerializeConfig(other));

    Configuration().Language = 1;
    ASSERT_TRUE(SaveConfiguration());
    const ConfigRecord saved = DeserializeConfig(dir.Read(configName));
    EXPECT_EQ(saved.RatePageAddress, other.RatePageAddress);
    EXPECT_EQ(saved.Language, 1);
    EXPECT_EQ(Configuration().RatePageAddress, other.RatePageAddress);
}

TEST_F(ConfigurationTest, SaveFailsWhenTheFileCannotBeCreated) {
    const QString missing = dir.Path(QStringLiteral("no-such-dir"));
    SetProgramDir(missing);
    IoResult result = SaveConfiguration();
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("no-such-dir/kestrumconfig")))
        << result.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));

    SetProgramDir(dir.Path(QString()));
    ASSERT_TRUE(QDir(dir.Path(QString())).mkdir(configName));
    dir.Write(backupName, QByteArray("old backup"));
    result = SaveConfiguration();
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(dir.Path(configName))) << result.error.toStdString();
    EXPECT_TRUE(QFileInfo(dir.Path(configName)).isDir());
    EXPECT_EQ(dir.Read(backupName), QByteArray("old backup"));
}

TEST_F(ConfigurationTest, UnreadableFileLeavesDefaults) {
    ASSERT_TRUE(QDir(dir.Path(QString())).mkdir(configName));
    Configuration() = NonDefaultRecord();
    const IoResult result = LoadConfiguration();
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(dir.Path(configName))) << result.error.toStdString();
    ExpectSameRecord(Configuration(), DefaultConfig());
}

TEST(MessageTable, HoldsTheFixedTexts) {
    const std::pair<int, const char*> expected[] = {
        {1, "kestrumconfig"},
        {2, "kestrumconfig.bak"},
        {3, "DATA DOWNLOAD FAILED.  RETRY?"},
        {13, kRateAddress},
        {14, ""},
        {20, "Downloading Data Files..."},
        {22, "rt.dt"},
        {25, "Program Error.  Value not found."},
        {26, ""},
        {27, ""},
        {29, "Error Parsing Downloaded Data File.  The program may need to be updated or you "
             "may need to download this file again."},
        {30, "Internet not connected.  If you believe this message is in error select "
             "\"Retry\""},
        {32, "Approximately "},
        {33, " hours remaining."},
        {34, "Error : Missing Rate Data File"},
        {35, "Error loading rate data file"},
    };
    for (const auto& [index, text] : expected)
        EXPECT_STREQ(Message(index), text) << "entry " << index;

    EXPECT_EQ(kMessageCount, 36);
    EXPECT_STREQ(Message(-1), "");
    EXPECT_STREQ(Message(36), "");
}

} // namespace
} // namespace kestrum
