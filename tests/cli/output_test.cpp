#include "cli/output.h"

#include <gtest/gtest.h>

namespace kestrum::cli {
namespace {

TEST(TextTable, PadsColumnsToTheWidestCellAndAlignsNumbersRight) {
    const QString table = TextTable({{"Code", "Name", "Rate"},
                                     {"USD", QString::fromUtf8("Dollar américain"), "0.9643"},
                                     {"SIT", "Tolar", "NA"}},
                                    {false, false, true});
    EXPECT_EQ(table.toStdString(), "Code  Name                Rate\n"
                                   "USD   Dollar am\xc3\xa9ricain  0.9643\n"
                                   "SIT   Tolar                 NA\n");
    // A short last row and an empty left-aligned last cell leave no trailing spaces.
    EXPECT_EQ(TextTable({{"a", "bb"}, {"ccc", ""}}, {}).toStdString(), "a    bb\nccc\n");
    EXPECT_EQ(TextTable({}, {}), QString());
}

TEST(ProgressLine, ShowsABarWhenTheTotalIsKnown) {
    EXPECT_EQ(ProgressLine(0, 200).toStdString(),
              "Downloading  [------------------------------]   0%  0 bytes");
    EXPECT_EQ(ProgressLine(100, 200).toStdString(),
              "Downloading  [###############---------------]  50%  100 bytes");
    EXPECT_EQ(ProgressLine(200, 200).toStdString(),
              "Downloading  [##############################] 100%  200 bytes");
    // A server that sends more than it announced does not overrun the bar.
    EXPECT_EQ(ProgressLine(300, 200).toStdString(),
              "Downloading  [##############################] 100%  300 bytes");
    EXPECT_EQ(ProgressLine(5335, 0).toStdString(), "Downloading  5335 bytes");
}

TEST(SignificantText, KeepsTheDigitsWithoutAnExponent) {
    const struct {
        double value;
        int digits;
        const char* text;
    } cases[] = {{0.001008, 3, "0.00101"}, {1998.8, 3, "1999"}, {0.9257, 4, "0.9257"},
                 {-0.5, 2, "-0.50"},       {0.0, 3, "0"},       {12.5, 1, "13"}};
    for (const auto& c : cases)
        EXPECT_EQ(SignificantText(c.value, c.digits).toStdString(), c.text) << c.value;
}

TEST(WrapText, BreaksAtBlanksWithinTheWidth) {
    EXPECT_EQ(WrapText("aaa bbb ccc", 7).toStdString(), "aaa bbb\nccc\n");
    EXPECT_EQ(WrapText("aaa bbb ccc", 0).toStdString(), "aaa bbb ccc\n");
    // A word longer than the width stands alone rather than being cut.
    EXPECT_EQ(WrapText("a verylongword b", 5).toStdString(), "a\nverylongword\nb\n");
}

} // namespace
} // namespace kestrum::cli
