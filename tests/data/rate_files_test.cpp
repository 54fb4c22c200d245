#include "data/catalogue.h"
#include "data/rate_files.h"
#include "data/rate_store.h"
#include "file_size_limit.h"
#include "settings/configuration.h"
#include "settings/paths.h"
#include "temp_dir.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace kestrum {
namespace {

const QString kRateFile = QStringLiteral("rt.dt");
const QString kLoadError = QStringLiteral("Error loading rate data file");

std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The 8 bytes at `offset`, read as a little-endian 64-bit pattern.
std::uint64_t LittleEndianAt(const QByteArray& bytes, int offset) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return bits;
}

// Five dated days with a distinct plain rate for every currency.
RateStore SampleStore() {
    RateStore s;
    for (int d = 1; d <= kDayCount; ++d) {
        SetDayDate(s, d, 38501.0 + d);
        for (int k = 1; k <= 55; ++k)
            SetDayRate(s, k, d, d + k / 100.0);
    }
    return s;
}

class RateFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRates();
        ResetCatalogue();
        Configuration() = DefaultConfig();
    }
    void TearDown() override {
        ResetRates();
        ResetCatalogue();
        Configuration() = DefaultConfig();
    }

    test::ScopedProgramDir dir;
    RateStore& store = Rates();
    ConfigRecord& config = Configuration();
};

TEST_F(RateFilesTest, EncodingIsFiveLittleEndianRecords) {
    const QByteArray empty = EncodeRateFile(RateStore());
    ASSERT_EQ(empty.size(), 2240);
    const QByteArray minusOne("\x00\x00\x00\x00\x00\x00\xF0\xBF", 8);
    for (int offset = 0; offset < 2240; offset += 8)
        ASSERT_EQ(empty.mid(offset, 8), minusOne) << offset;

    RateStore s;
    SetDayRate(s, 3, 2, 1.25);
    EXPECT_EQ(EncodeRateFile(s).mid(448 + 24, 8),
              QByteArray("\x00\x00\x00\x00\x00\x00\xF4\x3F", 8));

    const RateStore sample = SampleStore();
    const QByteArray bytes = EncodeRateFile(sample);
    for (int d = 1; d <= kDayCount; ++d) {
        EXPECT_EQ(LittleEndianAt(bytes, 448 * (d - 1)), Bits(DayDate(sample, d)));
        for (int k = 1; k <= 55; ++k)
            EXPECT_EQ(LittleEndianAt(bytes, 448 * (d - 1) + 8 * k), Bits(DayRate(sample, k, d)))
                << d << " " << k;
    }
}

TEST_F(RateFilesTest, SaveAndLoadKeepEveryBit) {
    const std::uint64_t unusual[] = {
        0x7FF8000000000123, // quiet NaN with a payload
        0x7FF0000000000001, // signalling NaN
        0xFFF4000000000ABC, // negative NaN
        0x8000000000000000, // -0.0
        0x0000000000000001, // smallest denormal
        0x800FFFFFFFFFFFFF, // largest negative denormal
        0x7FF0000000000000, // +inf
        0xFFF0000000000000, // -inf
        0x7FEFFFFFFFFFFFFF, // largest finite
        0xBFF0000000000001, // next to the -1 marker
    };
    std::uint64_t seed = 0x9E3779B97F4A7C15;
    int n = 0;
    for (DayRecord& day : store.RateTable) {
        for (double& value : day.Values) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            const std::uint64_t bits = n < 10 ? unusual[n] : seed;
            std::memcpy(&value, &bits, sizeof value);
            ++n;
        }
    }
    const RateStore saved = store;

    ASSERT_TRUE(SaveRateFile(store, config));
    EXPECT_EQ(dir.Read(kRateFile), EncodeRateFile(saved));

    ResetRates();
    const RateFileLoad load = LoadRateFile(store, config);
    EXPECT_EQ(load.status, RateFileStatus::Loaded);
    EXPECT_TRUE(RateFileMessages(load).isEmpty());
    // Every bit comes back, except values no one can use: those read as -1.
    for (int d = 0; d < kDayCount; ++d)
        for (int i = 0; i < kDayRecordValues; ++i) {
            const double value = saved.RateTable[d].Values[i];
            const bool kept = i == 0 ? IsPlausibleDate(value) : IsUsableRate(value);
            ASSERT_EQ(Bits(store.RateTable[d].Values[i]), Bits(kept ? value : kNotAvailable))
                << "record " << d + 1 << " element " << i;
        }
}

TEST_F(RateFilesTest, OnlyWholeDaysFrom1950To2199AreDates) {
    const struct {
        double stored, read;
    } cases[] = {
        {0.0, -1.0},          {18263.0, -1.0},  {18264.0, 18264.0},
        {109574.0, 109574.0}, {109575.0, -1.0}, {38506.5, -1.0},
    };
    for (const auto& c : cases) {
        RateStore written = SampleStore();
        SetDayDate(written, 5, c.stored);
        RateStore read;
        ASSERT_EQ(DecodeRateFile(EncodeRateFile(written), read), kDayCount);
        EXPECT_EQ(DayDate(read, 5), c.read) << c.stored;
        ConfigRecord record;
        record.DataDate = c.stored;
        EXPECT_EQ(DeserializeConfig(SerializeConfig(record)).DataDate, c.read) << c.stored;
    }
}

TEST_F(RateFilesTest, SaveAndFullLoadPublishDataDateAndCurrentRates) {
    store = SampleStore();
    ASSERT_TRUE(SaveRateFile(store, config));
    EXPECT_EQ(dir.Read(kRateFile), EncodeRateFile(SampleStore()));
    EXPECT_EQ(config.DataDate, 38506.0);
    EXPECT_EQ(CurrentRate(store, 9), 5 + 9 / 100.0);

    // Bytes beyond the fifth record are not read.
    dir.Write(kRateFile, dir.Read(kRateFile) + QByteArray(60, '\x7F'));
    ResetRates();
    config.DataDate = -1.0;
    const RateFileLoad load = LoadRateFile(store, config);
    EXPECT_EQ(load.status, RateFileStatus::Loaded);
    EXPECT_EQ(config.DataDate, 38506.0);
    EXPECT_EQ(CurrentRate(store, 55), 5 + 55 / 100.0);
    EXPECT_EQ(DayRate(store, 7, 2), 2 + 7 / 100.0);
}

TEST_F(RateFilesTest, ShortFileLoadsTheWholeRecordsItHolds) {
    const RateStore sample = SampleStore();
    const QByteArray file = EncodeRateFile(sample).left(2239);
    dir.Write(kRateFile, file);

    SetDayDate(store, 5, 99.0);
    SetDayRate(store, 1, 5, 7.0);
    store.CurrentRates[1] = 3.0;
    config.DataDate = 12.0;

    RateFileLoad load = LoadRateFile(store, config);
    EXPECT_EQ(load.status, RateFileStatus::Incomplete);
    EXPECT_EQ(RateFileMessages(load), QStringList({kLoadError}));
    for (int d = 1; d <= 4; ++d)
        EXPECT_EQ(store.RateTable[d - 1].Values, sample.RateTable[d - 1].Values) << d;
    EXPECT_EQ(DayDate(store, 5), 99.0);
    EXPECT_FALSE(DayHasRates(store, 5));
    EXPECT_EQ(CurrentRate(store, 1), 3.0);
    // Record 5 is dated but empty, so there is no data date.
    EXPECT_EQ(config.DataDate, -1.0);

    SetDayDate(store, 5, -1.0);
    load = LoadRateFile(store, config);
    EXPECT_EQ(load.status, RateFileStatus::Incomplete);
    EXPECT_EQ(config.DataDate, DayDate(sample, 4));
    EXPECT_EQ(CurrentRate(store, 1), 3.0);
}

TEST_F(RateFilesTest, MissingFileClearsRatesAndReportsTwice) {
    store = SampleStore();
    ComputeCurrentRates(store);
    config.DataDate = 38506.0;

    const RateFileLoad load = LoadRateFile(store, config);
    EXPECT_EQ(load.status, RateFileStatus::Missing);
    EXPECT_EQ(RateFileMessages(load),
              QStringList({QStringLiteral("Error : Missing Rate Data File"), kLoadError}));
    for (int d = 1; d <= kDayCount; ++d) {
        EXPECT_FALSE(DayHasRates(store, d));
        EXPECT_EQ(DayDate(store, d), 38501.0 + d);
    }
    EXPECT_EQ(CurrentRate(store, 1), 5 + 1 / 100.0);
    EXPECT_EQ(config.DataDate, 38506.0);
}

TEST_F(RateFilesTest, UnreadableFileReportsItsName) {
    ASSERT_TRUE(QDir(dir.Path(QString())).mkdir(kRateFile));
    const RateFileLoad load = LoadRateFile(store, config);
    EXPECT_EQ(load.status, RateFileStatus::ReadError);
    const QStringList messages = RateFileMessages(load);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].contains(dir.Path(kRateFile))) << messages[0].toStdString();
    EXPECT_EQ(messages[1], kLoadError);
}

TEST_F(RateFilesTest, FailedSaveKeepsThePreviousFileAndData) {
    const QByteArray previous = EncodeRateFile(SampleStore());
    dir.Write(kRateFile, previous);
    SetDayDate(store, 5, 40000.0);
    SetDayRate(store, 1, 5, 2.0);
    store.CurrentRates[1] = 3.0;
    config.DataDate = 12.0;

    {
        test::ScopedFileSizeLimit limit(1000);
        ASSERT_TRUE(limit.Active());
        const IoResult result = SaveRateFile(store, config);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(dir.Path(kRateFile))) << result.error.toStdString();
    }
    EXPECT_EQ(dir.Read(kRateFile), previous);
    EXPECT_EQ(QDir(dir.Path(QString())).entryList(QDir::Files | QDir::Hidden),
              QStringList({kRateFile}));
    EXPECT_EQ(config.DataDate, 12.0);
    EXPECT_EQ(CurrentRate(store, 1), 3.0);

    SetProgramDir(dir.Path(QStringLiteral("missing")));
    const IoResult result = SaveRateFile(store, config);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("missing/rt.dt")))
        << result.error.toStdString();
    EXPECT_EQ(config.DataDate, 12.0);
    EXPECT_EQ(CurrentRate(store, 1), 3.0);
}

// Joins lines with the given line end.
QByteArray Lines(const QList<QByteArray>& lines, const QByteArray& end = "\r\n") {
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + end;
    return out;
}

TEST_F(RateFilesTest, PageLabelFileReplacesAddressAndLabels) {
    Catalogue catalogue = BuiltInCatalogue();
    ApplyPageLabelFile("http://other.example/rates\r\n", catalogue, config);
    EXPECT_EQ(config.RatePageAddress, "http://other.example/rates");
    for (int k = 1; k <= 55; ++k)
        EXPECT_EQ(PageLabel(catalogue, k), "") << k;
    EXPECT_EQ(catalogue.CurrencyNames, BuiltInCatalogue().CurrencyNames);

    catalogue = BuiltInCatalogue();
    ApplyPageLabelFile(QByteArray(300, 'h') + "\nLabel 1\r\nLabel 2", catalogue, config);
    EXPECT_EQ(config.RatePageAddress, std::string(255, 'h'));
    EXPECT_EQ(PageLabel(catalogue, 2), "Label 2");
    EXPECT_EQ(PageLabel(catalogue, 3), "");

    catalogue = BuiltInCatalogue();
    ApplyPageLabelFile("", catalogue, config);
    EXPECT_EQ(config.RatePageAddress, std::string(255, 'h'));
    EXPECT_EQ(PageLabel(catalogue, 1), "");
}

TEST_F(RateFilesTest, CurrencyNameFileReplacesNamesButNotTheCanadianDollar) {
    QList<QByteArray> lines{"addr"};
    for (int k = 1; k <= 55; ++k)
        lines << "E" + QByteArray::number(k) << "F" + QByteArray::number(k);
    lines.removeLast();
    Catalogue catalogue = BuiltInCatalogue();
    ApplyCurrencyNameFile(Lines(lines), catalogue, config);
    EXPECT_EQ(config.RatePageAddress, "addr");
    EXPECT_EQ(CurrencyName(catalogue, 0, kEnglish), "Canadian Dollar");
    EXPECT_EQ(CurrencyName(catalogue, 0, kFrench), "Dollar canadien");
    EXPECT_EQ(CurrencyName(catalogue, 1, kEnglish), "E1");
    EXPECT_EQ(CurrencyName(catalogue, 1, kFrench), "F1");
    EXPECT_EQ(CurrencyName(catalogue, 54, kFrench), "F54");
    EXPECT_EQ(CurrencyName(catalogue, 55, kEnglish), "E55");
    EXPECT_EQ(CurrencyName(catalogue, 55, kFrench), "");
    EXPECT_EQ(catalogue.PageLabels, BuiltInCatalogue().PageLabels);

    // Mixed line ends, a missing final line end, lines beyond the table.
    catalogue = BuiltInCatalogue();
    ApplyCurrencyNameFile("a\r\nSame\nPareil\r\nSame\nPareil\r\n" +
                              Lines(QList<QByteArray>(200, "extra"), "\n") + "last",
                          catalogue, config);
    EXPECT_EQ(config.RatePageAddress, "a");
    EXPECT_EQ(FindCurrencyIndex(catalogue, "Same", kEnglish), 1);
    EXPECT_EQ(FindCurrencyIndex(catalogue, "Pareil", kFrench), 1);
    EXPECT_EQ(CurrencyName(catalogue, 2, kFrench), "Pareil");
    EXPECT_EQ(CurrencyName(catalogue, 55, kFrench), "extra");
    EXPECT_EQ(FindCurrencyIndex(catalogue, "Australian Dollar", kEnglish), -1);

    catalogue = BuiltInCatalogue();
    ApplyCurrencyNameFile(QByteArray(300, 'x') + "\nOne", catalogue, config);
    EXPECT_EQ(config.RatePageAddress, std::string(255, 'x'));
    EXPECT_EQ(CurrencyName(catalogue, 1, kEnglish), "One");
    EXPECT_EQ(CurrencyName(catalogue, 1, kFrench), "");

    catalogue = BuiltInCatalogue();
    ApplyCurrencyNameFile("", catalogue, config);
    EXPECT_EQ(config.RatePageAddress, std::string(255, 'x'));
    EXPECT_EQ(CurrencyName(catalogue, 13, kEnglish), "");
    EXPECT_EQ(CurrencyName(catalogue, 0, kEnglish), "Canadian Dollar");
}

TEST_F(RateFilesTest, NameOverridesFromDisk) {
    EXPECT_TRUE(LoadNameOverrides(CurrencyCatalogue(), config).isEmpty());
    EXPECT_EQ(CurrencyCatalogue().CurrencyNames, BuiltInCatalogue().CurrencyNames);
    EXPECT_EQ(config.RatePageAddress, DefaultConfig().RatePageAddress);

    dir.Write(QStringLiteral("mlist.dt"), "from-mlist\r\nLabel one\r\n");
    dir.Write(QStringLiteral("clist.dt"), "from-clist\r\nOne\r\nUn\r\n");
    EXPECT_TRUE(LoadNameOverrides(CurrencyCatalogue(), config).isEmpty());
    EXPECT_EQ(config.RatePageAddress, "from-clist");
    EXPECT_EQ(PageLabel(CurrencyCatalogue(), 1), "Label one");
    EXPECT_EQ(FindCurrencyIndex("Un", kFrench), 1);

    ResetCatalogue();
    ASSERT_TRUE(QFile::remove(dir.Path(QStringLiteral("mlist.dt"))));
    ASSERT_TRUE(QDir(dir.Path(QString())).mkdir(QStringLiteral("mlist.dt")));
    const QStringList errors = LoadNameOverrides(CurrencyCatalogue(), config);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(dir.Path(QStringLiteral("mlist.dt"))))
        << errors[0].toStdString();
    EXPECT_EQ(CurrencyCatalogue().PageLabels, BuiltInCatalogue().PageLabels);
    EXPECT_EQ(CurrencyName(1, kEnglish), "One");
}

} // namespace
} // namespace kestrum
