#include "data/conversion.h"
#include "data/rate_store.h"
#include "settings/configuration.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>

namespace kestrum {
namespace {

constexpr int kCad = 0;
constexpr int kUsd = 1;
constexpr int kEur = 13;
constexpr int kJpy = 27;

class ConversionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRates();
        Configuration() = DefaultConfig();
        SetDayRate(store, kUsd, 5, 1.25);
        SetDayRate(store, kEur, 5, 1.3);
        ComputeCurrentRates(store);
    }
    void TearDown() override {
        ResetRates();
        Configuration() = DefaultConfig();
    }

    Conversion Convert(int a, int b, double amount) {
        return ConvertAmount(store, config, a, b, amount);
    }

    RateStore& store = Rates();
    ConfigRecord& config = Configuration();
};

TEST_F(ConversionTest, WorkedValuesWithTheDefaultFee) {
    ASSERT_EQ(config.CashRateOn, 1);
    ASSERT_EQ(config.CashRate, 4.0);
    const double fee = 1.0 - 4.0 / 100.0;
    EXPECT_EQ(FeeFactor(config), fee);

    Conversion c = Convert(kUsd, kCad, 100.0);
    EXPECT_TRUE(c.available);
    EXPECT_EQ(c.decimals, 4);
    EXPECT_EQ(c.result, (1.25 * 100.0) * fee);
    EXPECT_DOUBLE_EQ(c.result, 120.0);

    c = Convert(kCad, kUsd, 100.0);
    EXPECT_EQ(c.result, (100.0 * (1.0 / 1.25)) * fee);
    EXPECT_DOUBLE_EQ(c.result, 76.8);

    // Same currency: the fee does not apply and no rate is needed.
    EXPECT_EQ(Convert(kUsd, kUsd, 100.0).result, 100.0);
    c = Convert(kCad, kCad, 100.0);
    EXPECT_TRUE(c.available);
    EXPECT_EQ(c.result, 100.0);
    c = Convert(kJpy, kJpy, 7.5);
    EXPECT_TRUE(c.available);
    EXPECT_EQ(c.result, 7.5);
}

TEST_F(ConversionTest, CrossRateKeepsItsOrderOfOperations) {
    const double fee = 1.0 - 4.0 / 100.0;
    const double expected = 1.3 * ((1.0 / 1.25) * fee);
    EXPECT_EQ(CrossRate(store, kEur, kUsd, fee), expected);
    // For these rates the other groupings round differently, so the order
    // really is visible in the result.
    EXPECT_NE(expected, (1.3 * (1.0 / 1.25)) * fee);
    EXPECT_NE(expected, (1.3 / 1.25) * fee);

    const Conversion c = Convert(kEur, kUsd, 1.0);
    EXPECT_TRUE(c.available);
    EXPECT_EQ(c.result, expected);
    EXPECT_EQ(Convert(kEur, kUsd, 250.0).result, expected * 250.0);
}

TEST_F(ConversionTest, FeeSettings) {
    config.CashRateOn = 0;
    EXPECT_EQ(FeeFactor(config), 1.0);
    EXPECT_EQ(Convert(kUsd, kCad, 100.0).result, 125.0);
    EXPECT_EQ(Convert(kEur, kUsd, 1.0).result, 1.3 * (1.0 / 1.25));

    config.CashRateOn = 1;
    config.CashRate = 99.5;
    EXPECT_EQ(Convert(kUsd, kCad, 100.0).result, (1.25 * 100.0) * (1.0 - 99.5 / 100.0));
    EXPECT_EQ(Convert(kUsd, kUsd, 100.0).result, 100.0);

    // A fee outside 0 <= fee < 100 would make amounts zero, negative or
    // larger than the plain rate; the default 4 % stands in.
    for (const double fee : {100.0, 150.0, -10.0, std::nan("")}) {
        config.CashRate = fee;
        EXPECT_EQ(FeeFactor(config), 0.96) << fee;
        EXPECT_EQ(Convert(kUsd, kCad, 100.0).result, 120.0) << fee;
    }
}

TEST_F(ConversionTest, MissingOrZeroRatesMakeNoResult) {
    EXPECT_FALSE(Convert(kJpy, kCad, 100.0).available);
    EXPECT_FALSE(Convert(kCad, kJpy, 100.0).available);
    EXPECT_FALSE(Convert(kJpy, kUsd, 100.0).available);
    EXPECT_FALSE(Convert(kUsd, kJpy, 100.0).available);

    SetDayRate(store, kJpy, 5, 0.0);
    ComputeCurrentRates(store);
    EXPECT_FALSE(Convert(kJpy, kCad, 100.0).available);
    EXPECT_FALSE(Convert(kUsd, kJpy, 100.0).available);

    // A result beyond the largest double is not a number to show.
    SetDayRate(store, kJpy, 5, 1e300);
    ComputeCurrentRates(store);
    const Conversion c = Convert(kJpy, kCad, 1e10);
    EXPECT_FALSE(c.available);
    EXPECT_TRUE(c.tooLarge);
    EXPECT_FALSE(Convert(kJpy, kCad, 100.0).tooLarge);
}

TEST_F(ConversionTest, RoundingToTheCentTiesToEven) {
    EXPECT_EQ(RoundedToCent(0.125, 1.0), 0.12);
    EXPECT_EQ(RoundedToCent(0.375, 1.0), 0.38);
    EXPECT_EQ(RoundedToCent(0.875, 1.0), 0.88);
    EXPECT_EQ(RoundedToCent(1.625, 1.0), 1.0 + 0.62);
    // 2.675 is stored just below 2.675.
    EXPECT_EQ(RoundedToCent(2.675, 1.0), 2.0 + 0.67);
    EXPECT_EQ(RoundedToCent(-0.125, 1.0), -0.12);
    EXPECT_EQ(RoundedToCent(-0.375, 1.0), -0.38);
    EXPECT_EQ(RoundedToCent(-2.675, 1.0), -2.0 - 0.67);
    EXPECT_EQ(RoundedToCent(5.0, 0.5), 2.5);

    config.RoundToCent = 1;
    Conversion c = Convert(kUsd, kUsd, 0.125);
    EXPECT_EQ(c.decimals, 2);
    EXPECT_EQ(c.result, 0.12);
    EXPECT_EQ(Convert(kUsd, kUsd, 0.375).result, 0.38);
    EXPECT_EQ(Convert(kUsd, kUsd, 2.675).result, 2.67);
    c = Convert(kUsd, kCad, 100.0);
    EXPECT_EQ(c.decimals, 2);
    EXPECT_DOUBLE_EQ(c.result, 120.0);
    EXPECT_EQ(Convert(kUsd, kUsd, 100.0).result, 100.0);
}

TEST(FormatResult, NumberFormatHasNoGroupingAndTheLocaleSeparator) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    const QLocale fr(QLocale::French, QLocale::France);

    EXPECT_EQ(FormatResult(100.0, 4, false, us), QStringLiteral("100.0000"));
    EXPECT_EQ(FormatResult(100.0, 2, false, us), QStringLiteral("100.00"));
    EXPECT_EQ(FormatResult(100.0, 4, false, de), QStringLiteral("100,0000"));
    EXPECT_EQ(FormatResult(1234567.5, 4, false, us), QStringLiteral("1234567.5000"));
    EXPECT_EQ(FormatResult(1234567.5, 4, false, de), QStringLiteral("1234567,5000"));
    EXPECT_EQ(FormatResult(1234567.5, 4, false, fr), QStringLiteral("1234567,5000"));
    EXPECT_EQ(FormatResult(-0.5, 4, false, us), QStringLiteral("-0.5000"));

    // 18 integer digits stay fixed; the double nearest 123456789012345678
    // is 123456789012345680.
    EXPECT_EQ(FormatResult(123456789012345678.0, 4, false, us),
              QStringLiteral("123456789012345680.0000"));
    // 20 integer digits: the double nearest 12345678901234567890 is
    // 12345678901234567168, shown with 18 significant digits.
    EXPECT_EQ(FormatResult(12345678901234567890.0, 4, false, us),
              QStringLiteral("1.23456789012345672E+19"));
    EXPECT_EQ(FormatResult(12345678901234567890.0, 4, false, de),
              QStringLiteral("1,23456789012345672E+19"));
}

TEST(FormatResult, CurrencyFormatHasSymbolAndGrouping) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    const QLocale fr(QLocale::French, QLocale::France);

    EXPECT_EQ(FormatResult(1234.5, 4, true, us), QStringLiteral("$1,234.5000"));
    EXPECT_EQ(FormatResult(1234.5, 2, true, us), QStringLiteral("$1,234.50"));

    const QString german = FormatResult(1234.5, 4, true, de);
    EXPECT_TRUE(german.contains(QStringLiteral("1.234,5000"))) << german.toStdString();
    EXPECT_TRUE(german.contains(QChar(0x20AC))) << german.toStdString();

    const QString french = FormatResult(1234.5, 2, true, fr);
    EXPECT_TRUE(
        french.contains(QStringLiteral("1") + fr.groupSeparator() + QStringLiteral("234,50")))
        << french.toStdString();
    EXPECT_TRUE(french.contains(QChar(0x20AC))) << french.toStdString();
}

TEST(FormatResult, CurrencyFormatNamesTheResultsCurrency) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale fr(QLocale::French, QLocale::France);
    const QString frAmount = QStringLiteral("1") + fr.groupSeparator() + QStringLiteral("264,38");
    const struct {
        QLocale locale;
        const char* code;
        QString sign, amount, foreign; // foreign: a sign that must not appear
    } cases[] = {
        {us, "USD", "$", "1,264.38", "\u20AC"},
        {us, "EUR", "EUR\u00A0", "1,264.38", "$"},
        {fr, "USD", "USD", frAmount, "\u20AC"},
        {fr, "EUR", "\u20AC", frAmount, "$"},
    };
    for (const auto& c : cases) {
        const QString text = FormatResult(1264.38, 2, true, c.locale, QLatin1String(c.code));
        EXPECT_TRUE(text.contains(c.sign) && text.contains(c.amount) && !text.contains(c.foreign))
            << text.toStdString();
    }
}

} // namespace
} // namespace kestrum
