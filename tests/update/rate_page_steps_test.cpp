#include "data/cp1252.h"
#include "data/dates.h"
#include "update/rate_page_parser.h"

#include <gtest/gtest.h>
#include <string>

namespace kestrum {
namespace {

using page::ParsePageDate;

const std::string kMarker(40, ' ');

double Ymd(int y, int m, int d) {
    return DateValueFromYmd(y, m, d);
}

TEST(PageDate, ReadsThreeDigitGroupsInTheConfiguredOrder) {
    EXPECT_EQ(ParsePageDate("05/06/07", 1, 2), Ymd(2005, 6, 7));
    EXPECT_EQ(ParsePageDate("5/6/7", 1, 2), Ymd(2005, 6, 7));
    EXPECT_EQ(ParsePageDate("06/07/05", 3, 1), Ymd(2005, 6, 7));
    EXPECT_EQ(ParsePageDate("07/05/06", 2, 3), Ymd(2005, 6, 7));
    EXPECT_EQ(ParsePageDate("00000000000005/06/07", 1, 2), Ymd(2005, 6, 7));
    // Text after the third group (only the fifth token can carry it) is ignored.
    EXPECT_EQ(ParsePageDate("05/06/07 more text", 1, 2), Ymd(2005, 6, 7));
    EXPECT_EQ(ParsePageDate("199/12/31", 1, 2), Ymd(2199, 12, 31));
}

TEST(PageDate, AnythingButAPlainCalendarDayIsNotAvailable) {
    for (const char* token :
         {"05-06-07", "", "/", "05/06", "05/06/", "/06/07", "05//07", "05/06/07/08", "05/0x/07",
          "05/+6/07", " 05/06/07", "05/13/01", "05/00/01", "05/02/29", "05/04/31", "05/06/00",
          "200/01/01", "99999999999999999999/01/01", "05/99999999999999999999/01"})
        EXPECT_EQ(ParsePageDate(token, 1, 2), -1.0) << token;
    EXPECT_EQ(ParsePageDate("08/02/29", 1, 2), Ymd(2008, 2, 29));
    // A date order that leaves no group for the year or for the month.
    EXPECT_EQ(ParsePageDate("05/06/07", 1, 1), -1.0);
    EXPECT_EQ(ParsePageDate("05/06/07", 0, 2), -1.0);
    EXPECT_EQ(ParsePageDate("05/06/07", 1, 4), -1.0);
}

TEST(RateToken, NumbersWithADotConvertEverythingElseIsNotAvailable) {
    EXPECT_EQ(page::ParseRateToken("1.2450"), 1.245);
    EXPECT_EQ(page::ParseRateToken("0.000454"), 0.000454);
    EXPECT_EQ(page::ParseRateToken("2.5e-3  "), 0.0025);
    for (const char* token :
         {"NA", "na", "1,2450", "0.9643 NA", "nan", "inf", "1e999", "1.2.3", ""})
        EXPECT_EQ(page::ParseRateToken(token), -1.0) << token;
}

TEST(LineFrom, NeedsALineBreakThatIsNotThePagesLastByte) {
    EXPECT_EQ(page::LineFrom("ab\r\ncd", 0), "ab");
    EXPECT_EQ(page::LineFrom("ab\ncd", 1), "b");
    EXPECT_EQ(page::LineFrom("ab\rc", 0), "ab");
    EXPECT_EQ(page::LineFrom("ab\r", 0), "");
    EXPECT_EQ(page::LineFrom("ab\n", 0), "");
    EXPECT_EQ(page::LineFrom("abc", 0), "");
    // The search starts after the first byte, so a break there is skipped.
    EXPECT_EQ(page::LineFrom("\nab\ncd", 0), "\nab");
    EXPECT_EQ(page::LineFrom("ab", 7), "");
}

TEST(DateLine, StartsAtTheFirstFortySpaces) {
    const std::string line = kMarker + "05/06/07 05/06/08 05/06/09 05/06/10 05/06/13";
    EXPECT_EQ(page::FindDateLine("<PRE>\r\n" + line + "\r\nx"), line);
    EXPECT_EQ(page::FindDateLine(std::string(39, ' ') + "x\r\n" + line + "\r\nx"), line);
    // As the page's last line, with or without a final break, it is not found.
    EXPECT_EQ(page::FindDateLine("x\r\n" + line), "");
    EXPECT_EQ(page::FindDateLine("x\r\n" + line + "\n"), "");
    EXPECT_EQ(page::FindDateLine(line + "\r"), "");
}

TEST(TokenScan, FiveTokensTheLastRunningToTheLineEnd) {
    const page::TokenScan scan = page::ScanTokens("Name   1  2 3 4 5.5 and more", 4);
    ASSERT_TRUE(scan.complete());
    EXPECT_EQ(scan.tokens[0], "1");
    EXPECT_EQ(scan.tokens[3], "4");
    EXPECT_EQ(scan.tokens[4], "5.5 and more");
}

TEST(TokenScan, ATokenMayNotStartOrEndOnTheLinesLastByte) {
    EXPECT_EQ(page::ScanTokens("x   1 2 3 4", 1).count, 3);
    EXPECT_EQ(page::ScanTokens("x   1 2 3 4 ", 1).count, 3);
    EXPECT_EQ(page::ScanTokens("x   1 2 3 4  ", 1).count, 4);
    EXPECT_EQ(page::ScanTokens("x   1 2 3 4 5", 1).count, 4);
    EXPECT_TRUE(page::ScanTokens("x   1 2 3 4 55", 1).complete());
    EXPECT_EQ(page::ScanTokens("x   ", 1).count, 0);
    EXPECT_EQ(page::ScanTokens("", 0).count, 0);
    EXPECT_EQ(page::ScanTokens("x   1 2 3 4 55", 99).count, 0);
}

class DateLineParse : public ::testing::Test {
protected:
    bool Parse(const std::string& dates) {
        return page::ParseDateLine("<PRE>\r\n" + kMarker + dates + "\r\nnext", store, config);
    }
    RateStore store;
    ConfigRecord config;
};

TEST_F(DateLineParse, StoresTheFiveDatesOldestFirst) {
    ASSERT_TRUE(Parse("05/06/07 05/06/08 05/06/09 05/06/10 05/06/13"));
    const int days[] = {7, 8, 9, 10, 13};
    for (int d = 1; d <= 5; ++d)
        EXPECT_EQ(DayDate(store, d), Ymd(2005, 6, days[d - 1])) << d;
}

TEST_F(DateLineParse, FourDatesFailButKeepTheDatesAlreadyRead) {
    EXPECT_FALSE(Parse("05/06/07 05/06/08 05/06/09 05/06/10"));
    EXPECT_EQ(DayDate(store, 3), Ymd(2005, 6, 9));
    EXPECT_EQ(DayDate(store, 4), -1.0);
}

TEST_F(DateLineParse, UnreadableDatesAreNotAvailableAndTheLineStillCounts) {
    SetDayDate(store, 1, 1234.0);
    ASSERT_TRUE(Parse("NA 05/02/30 05-06-09 05/13/10 05/06/13"));
    for (int d = 1; d <= 4; ++d)
        EXPECT_EQ(DayDate(store, d), -1.0) << d;
    EXPECT_EQ(DayDate(store, 5), Ymd(2005, 6, 13));
}

TEST_F(DateLineParse, FollowsTheConfiguredDateOrder) {
    config.YearPosition = 3;
    config.MonthPosition = 1;
    ASSERT_TRUE(Parse("06/07/05 06/08/05 06/09/05 06/10/05 06/13/05"));
    EXPECT_EQ(DayDate(store, 1), Ymd(2005, 6, 7));
    EXPECT_EQ(DayDate(store, 5), Ymd(2005, 6, 13));
}

class CurrencyLineParse : public ::testing::Test {
protected:
    bool Parse(const std::string& page, int k) {
        return page::ParseCurrencyLine(page, k, store, BuiltInCatalogue());
    }
    std::string Label(int k) const { return PageLabel(BuiltInCatalogue(), k); }
    RateStore store;
};

TEST_F(CurrencyLineParse, UsDollarLineWithAMissingDay) {
    const std::string line =
        Utf8ToCp1252("U.S. Dollar / Dollar américain") + "   1.2450 1.2470 NA 1.2430 1.2410";
    ASSERT_TRUE(Parse("x\r\n" + line + "\r\nx", 1));
    const double expected[] = {1.2450, 1.2470, -1.0, 1.2430, 1.2410};
    for (int d = 1; d <= 5; ++d)
        EXPECT_EQ(DayRate(store, 1, d), expected[d - 1]) << d;
}

TEST_F(CurrencyLineParse, TrailingTextSpoilsOnlyTheFifthRate) {
    ASSERT_TRUE(Parse(Label(3) + "   1.1 1.2 1.3 1.4 1.5 (note)\r\n\r\n", 3));
    EXPECT_EQ(DayRate(store, 3, 4), 1.4);
    EXPECT_EQ(DayRate(store, 3, 5), -1.0);
}

TEST_F(CurrencyLineParse, NeedsATripleSpaceAndFiveTokens) {
    EXPECT_FALSE(Parse(Label(3) + "  1.1 1.2 1.3 1.4 1.5\r\n\r\n", 3));
    EXPECT_FALSE(Parse(Label(3) + "   1.1 1.2 1.3 1.4\r\n\r\n", 3));
    EXPECT_EQ(DayRate(store, 3, 3), 1.3);
    EXPECT_FALSE(Parse(Label(3) + "   1.1 1.2 1.3 1.4 1.5", 3));
    EXPECT_FALSE(Parse("x   1.1 1.2 1.3 1.4 1.5\r\n\r\n", 0));
    EXPECT_FALSE(Parse("x   1.1 1.2 1.3 1.4 1.5\r\n\r\n", 56));
}

TEST_F(CurrencyLineParse, CfaFallbackCountsOnlyAtALineStart) {
    const std::string rates = "   0.002 0.002 0.003 0.004 0.005\r\nx";
    ASSERT_TRUE(Parse("x\r\nFranc CFA" + rates, 15));
    EXPECT_EQ(DayRate(store, 15, 5), 0.005);
    EXPECT_TRUE(Parse("x\nFranc CFP (old)" + rates, 16));
    EXPECT_FALSE(Parse("x / Franc CFA" + rates, 15));
    EXPECT_FALSE(Parse("Franc CFA" + rates, 15));
    // Only the first occurrence is examined.
    EXPECT_FALSE(Parse("see Franc CFA below\r\nFranc CFA" + rates, 15));
}

TEST_F(CurrencyLineParse, FirstWordFallbackAndTheFullLabelFirst) {
    const std::string rates = "   1.1 1.2 1.3 1.4 1.5\r\nx";
    ASSERT_TRUE(Parse("x\r\nU.S." + rates, 1));
    EXPECT_EQ(DayRate(store, 1, 1), 1.1);
    // The full label wins wherever it stands, even mid-line; the line starts there.
    ASSERT_TRUE(Parse("x\r\nEuropean Euro / Europe Euro   2.1 2.2 2.3 2.4 2.5\r\nx", 13));
    EXPECT_EQ(DayRate(store, 13, 5), 2.5);
    EXPECT_EQ(page::FindCurrencyLine("a b\r\nc", "Nothing"), "");
    EXPECT_EQ(page::FindCurrencyLine("a b\r\nc", "Zed Thing"), "");
}

} // namespace
} // namespace kestrum
