#include "data/catalogue.h"
#include "data/cp1252.h"
#include "data/dates.h"
#include "data/number_text.h"
#include "data/rate_grid.h"
#include "data/rate_store.h"
#include "settings/configuration.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace kestrum {
namespace {

constexpr int kUsd = 1;
constexpr int kEur = 13;
constexpr int kJpy = 27;

// Rates chosen so that every cell below is exact in binary and in text.
// Day 4 has no U.S. rate, day 2 no euro rate; the yen has none at all.
RateStore SampleStore() {
    RateStore store;
    for (int d = 1; d <= kDayCount; ++d)
        SetDayDate(store, d, DateValueFromYmd(2007, 11, 8 + d));
    for (int d : {1, 2, 3, 5})
        SetDayRate(store, kUsd, d, 1.25);
    for (int d : {1, 3, 4, 5})
        SetDayRate(store, kEur, d, 1.5);
    return store;
}

const GridCell& Cell(const RateGrid& grid, int row, int day) {
    return grid.rows.at(row - 1).cells.at(day - 1);
}

class RateGridTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCatalogue(); }
    RateStore store = SampleStore();
    ConfigRecord config = DefaultConfig(); // 4 % fee on
};

TEST_F(RateGridTest, CanadianTablePricesOneUnitLessTheFee) {
    const RateGrid grid =
        BuildRateGrid(BuiltInCatalogue(), store, config, GridBase::CanadianDollar, 1.0, kEnglish);
    EXPECT_EQ(grid.caption, "Exchange Rates v. Canadian Dollar");
    EXPECT_EQ(grid.unit, "Canadian Dollars");
    EXPECT_EQ(grid.dates[0], "Fri, Nov 9, 2007");
    EXPECT_EQ(grid.dates[4], "Tue, Nov 13, 2007");
    EXPECT_EQ(grid.dayDates[4], DateValueFromYmd(2007, 11, 13));

    ASSERT_EQ(grid.rows.size(), 55u);
    for (int k = 1; k <= 55; ++k) {
        EXPECT_EQ(grid.rows[k - 1].currency, k);
        EXPECT_EQ(ToCp1252(grid.rows[k - 1].name), CurrencyName(k, kEnglish)) << k;
    }
    // 1.25 × 0.96 and 1.5 × 0.96.
    EXPECT_EQ(Cell(grid, kUsd, 1).text, "1.2000");
    EXPECT_EQ(Cell(grid, kUsd, 1).kind, GridCellKind::Value);
    EXPECT_DOUBLE_EQ(Cell(grid, kUsd, 1).value, 1.2);
    EXPECT_EQ(Cell(grid, kEur, 5).text, "1.4400");
    // Missing rates leave the cell empty, whatever the U.S. dollar does.
    EXPECT_EQ(Cell(grid, kUsd, 4).kind, GridCellKind::Empty);
    EXPECT_EQ(Cell(grid, kUsd, 4).text, "");
    EXPECT_EQ(Cell(grid, kEur, 4).text, "1.4400");
    EXPECT_EQ(Cell(grid, kEur, 2).kind, GridCellKind::Empty);
    for (int d = 1; d <= kDayCount; ++d)
        EXPECT_EQ(Cell(grid, kJpy, d).text, "") << d;
}

TEST_F(RateGridTest, USTableAppliesTheFeeOnceThroughTheDollar) {
    const RateGrid grid =
        BuildRateGrid(BuiltInCatalogue(), store, config, GridBase::USDollar, 1.0, kEnglish);
    EXPECT_EQ(grid.caption, "Exchange Rates v. U.S. Dollar");
    EXPECT_EQ(grid.unit, "U.S. Dollars");
    EXPECT_EQ(grid.rows[0].currency, 0);
    EXPECT_EQ(grid.rows[0].name, "Canadian Dollar");
    EXPECT_EQ(grid.rows[1].currency, 2);

    // One Canadian dollar: 0.96 / 1.25; one euro: 1.5 × 0.96 / 1.25.
    EXPECT_EQ(Cell(grid, 1, 1).text, "0.7680");
    EXPECT_EQ(Cell(grid, kEur, 1).text, "1.1520");
    EXPECT_DOUBLE_EQ(Cell(grid, kEur, 1).value, 1.152);
    // Without the U.S. rate the whole day is "NA", the dollar row included.
    for (int row : {1, kEur, kJpy}) {
        EXPECT_EQ(Cell(grid, row, 4).kind, GridCellKind::NotAvailable) << row;
        EXPECT_EQ(Cell(grid, row, 4).text, "NA") << row;
    }
    EXPECT_EQ(Cell(grid, kEur, 2).text, "NA");
    EXPECT_EQ(Cell(grid, kJpy, 1).text, "NA");
    // A zero U.S. rate is no rate to divide by.
    SetDayRate(store, kUsd, 1, 0.0);
    const RateGrid zero =
        BuildRateGrid(BuiltInCatalogue(), store, config, GridBase::USDollar, 1.0, kEnglish);
    EXPECT_EQ(Cell(zero, 1, 1).text, "NA");
    EXPECT_EQ(Cell(zero, kEur, 1).text, "NA");
}

TEST_F(RateGridTest, AmountFeeLanguageAndLocale) {
    config.CashRateOn = 0;
    RateGrid grid =
        BuildRateGrid(BuiltInCatalogue(), store, config, GridBase::CanadianDollar, 2.5, kFrench);
    EXPECT_EQ(Cell(grid, kUsd, 1).text, "3.1250");
    EXPECT_EQ(Cell(grid, kEur, 5).text, "3.7500");
    EXPECT_EQ(Cell(grid, kEur, 2).text, "");
    EXPECT_EQ(ToCp1252(grid.rows[kUsd - 1].name), CurrencyName(kUsd, kFrench));
    EXPECT_EQ(grid.dates[0], "Fri, Nov 9, 2007");

    grid = BuildRateGrid(BuiltInCatalogue(), store, config, GridBase::USDollar, 2.0, kFrench,
                         QLocale(QLocale::German));
    // The dollar row is named in the table's language like every other.
    EXPECT_EQ(ToCp1252(grid.rows[0].name), CurrencyName(0, kFrench));
    EXPECT_EQ(ToCp1252(grid.rows[1].name), CurrencyName(2, kFrench));
    EXPECT_EQ(Cell(grid, 1, 1).text, "1,6000");
    EXPECT_EQ(Cell(grid, kEur, 5).text, "2,4000");
    EXPECT_EQ(Cell(grid, kEur, 4).text, "NA");

    // A fee of 100 % or more is not one; the default 4 % prices the cells.
    config.CashRateOn = 1;
    config.CashRate = 100.0;
    grid =
        BuildRateGrid(BuiltInCatalogue(), store, config, GridBase::CanadianDollar, 1.0, kEnglish);
    EXPECT_EQ(Cell(grid, kUsd, 1).text, "1.2000");
    EXPECT_EQ(Cell(grid, kUsd, 4).text, "");

    // Overflowing cells and undated days show as missing, never "inf" or 1899.
    SetDayDate(store, 2, kNotAvailable);
    grid = BuildRateGrid(BuiltInCatalogue(), store, config, GridBase::USDollar, 1.7e308, kEnglish);
    EXPECT_EQ(Cell(grid, kEur, 5).text, "NA");
    EXPECT_EQ(grid.dates[1], "NA");
}

TEST_F(RateGridTest, NamesComeFromTheCatalogueGiven) {
    Catalogue renamed = BuiltInCatalogue();
    renamed.CurrencyNames[2 * kEur] = "Euro (renamed)";
    const RateGrid grid = BuildRateGrid(renamed, store, config, GridBase::USDollar, 1.0, kEnglish);
    EXPECT_EQ(grid.rows[kEur - 1].name, "Euro (renamed)");
    EXPECT_EQ(ToCp1252(grid.rows[kEur].name), CurrencyName(kEur + 1, kEnglish));
}

TEST(GridScaling, ReadsTheAmountLikeTheMainWindow) {
    const struct {
        const char* text;
        std::optional<double> value;
        std::vector<std::string> messages;
    } cases[] = {
        {"2.5", 2.5, {}},
        {"1,000", 1000.0, {}},
        {"00", 0.0, {}},
        {"1.2.3", std::nullopt, {kMultipleDotsMessage}},
        // One stray character: the main window says nothing, Calculate must.
        {"12a", std::nullopt, {kNonNumericMessage}},
    };
    for (const auto& c : cases) {
        const GridAmount amount = ReadGridAmount(c.text);
        EXPECT_EQ(amount.value, c.value) << c.text;
        EXPECT_EQ(amount.messages, c.messages) << c.text;
    }
}

TEST(GridSentence, CodesCarryTheAmountsInTheCellsConvention) {
    const QLocale fr(QLocale::French, QLocale::France);
    const int aud = FindCurrencyByCodeOrName("AUD");
    const int eur = FindCurrencyByCodeOrName("EUR");
    EXPECT_EQ(ConversionSentence(QStringLiteral("2.5"), aud, QStringLiteral("Dollar australien"),
                                 QStringLiteral("2,0904"), 0, fr),
              QStringLiteral("2,5 AUD (Dollar australien) = 2,0904 CAD"));
    EXPECT_EQ(ConversionSentence(QStringLiteral("1,000.50"), eur, QStringLiteral("Euro"),
                                 QStringLiteral("1474.2000"), 0),
              QStringLiteral("1000.50 EUR (Euro) = 1474.2000 CAD"));
}

} // namespace
} // namespace kestrum
