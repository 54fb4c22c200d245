#include "data/number_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrum {
namespace {

using Messages = std::vector<std::string>;

TEST(NumberText, UsableNumbers) {
    for (const char* s : {"", "0", ".", "0.", ".0", "5.", "12.", "0.5."})
        EXPECT_FALSE(IsUsableNumber(s)) << '"' << s << '"';
    for (const char* s : {"00", "0.0", "5", ".5", "12.5", "100", ".00"})
        EXPECT_TRUE(IsUsableNumber(s)) << '"' << s << '"';
}

TEST(NumberText, Normalize) {
    for (const char* s : {"", "0", ".", "0.", ".0"})
        EXPECT_EQ(NormalizeNumber(s, "4"), "4") << '"' << s << '"';
    EXPECT_EQ(NormalizeNumber(".5", "4"), "0.5");
    EXPECT_EQ(NormalizeNumber("5.", "4"), "5");
    EXPECT_EQ(NormalizeNumber(".5.", "4"), "0.5");
    EXPECT_EQ(NormalizeNumber("12", "4"), "12");
    EXPECT_EQ(NormalizeNumber("00", "4"), "00");
    EXPECT_EQ(NormalizeNumber("0.0", "4"), "0.0");
    EXPECT_EQ(NormalizeNumber("2.5", ""), "2.5");
}

TEST(NumberText, DotsAndDigits) {
    EXPECT_FALSE(HasDot(""));
    EXPECT_FALSE(HasDot("125"));
    EXPECT_TRUE(HasDot("."));
    EXPECT_TRUE(HasDot("1.5"));
    EXPECT_TRUE(HasDot("15."));

    EXPECT_TRUE(IsDigit('0'));
    EXPECT_TRUE(IsDigit('9'));
    for (char c : {'/', ':', 'a', ' ', '.', '\xb2', '\xbd', '\0'})
        EXPECT_FALSE(IsDigit(c)) << static_cast<int>(c);
}

TEST(AmountText, ValidAmounts) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c :
         {Case{"1,000", 1000.0}, Case{"1,250.5", 1250.5}, Case{"12,345.67", 12345.67},
          Case{"1,000,000.", 1e6}, Case{".5", 0.5}, Case{"0.5", 0.5}, Case{"00012", 12.0},
          Case{"12.", 12.0}, Case{"0.125", 0.125}}) {
        const AmountReading r = ReadAmountText(c.text);
        EXPECT_EQ(r.value, c.value) << c.text;
        EXPECT_TRUE(r.messages.empty()) << c.text;
    }
    EXPECT_TRUE(CheckAmount(".5").needsLeadingZero);
    EXPECT_FALSE(CheckAmount("0.5").needsLeadingZero);
}

TEST(AmountText, ZeroAmounts) {
    for (const char* text : {"0", "0.", "000", "0.00", ".", ".0", "0,000"}) {
        const AmountReading r = ReadAmountText(text);
        EXPECT_EQ(r.value, 0.0) << text;
        EXPECT_EQ(r.messages, Messages{kZeroMessage}) << text;
    }
    EXPECT_STREQ(kZeroMessage, "Zero is invalid program input");
}

TEST(AmountText, RejectedAmountsAndTheirMessages) {
    EXPECT_STREQ(kMultipleDotsMessage, "Invalid Input - the number contains multiple \".\" (dots)");
    EXPECT_STREQ(kNonNumericMessage, "Invalid Input - the number contains non-numeric characters");

    struct Case {
        const char* text;
        Messages messages;
    };
    const Case cases[] = {
        {"", {}},
        {",,,", {}},
        {"12%", {}}, // a single stray character goes unreported
        {"1 2", {}},
        {"12/3", {}}, // "/" and "-" are never counted
        {"1-2-3/4", {}},
        {"12%%", {kNonNumericMessage}},
        {"12%&", {kNonNumericMessage}},
        {"1a/b", {kNonNumericMessage}},
        {"1.2.3", {kMultipleDotsMessage}},
        {"5..", {kMultipleDotsMessage}},
        {".5.", {kMultipleDotsMessage}},
        {"1..2ab", {kMultipleDotsMessage, kNonNumericMessage}},
        // A comma anywhere but before three digits of a well-formed group
        // is a decimal comma, never silently a thousands mark.
        {"1,25", {MisplacedGroupMessage()}},
        {"1,2,3", {MisplacedGroupMessage()}},
        {"1.250,50", {MisplacedGroupMessage()}},
        {"1000,000", {MisplacedGroupMessage()}},
        {"1,0000", {MisplacedGroupMessage()}},
        {",500", {MisplacedGroupMessage()}},
        {"1,000,", {MisplacedGroupMessage()}},
        {"1,,000", {MisplacedGroupMessage()}},
    };
    for (const Case& c : cases) {
        const AmountCheck check = CheckAmount(c.text);
        EXPECT_FALSE(check.valid) << '"' << c.text << '"';
        const AmountReading r = ReadAmountText(c.text);
        EXPECT_EQ(r.value, 0.0) << c.text;
        EXPECT_EQ(r.messages, c.messages) << '"' << c.text << '"';
    }

    // The leading zero is added whether or not the rest is valid.
    EXPECT_TRUE(CheckAmount(".5a").needsLeadingZero);
    EXPECT_FALSE(CheckAmount(".5a").valid);
}

// The marks are the caller's: a window reading French amounts swaps them.
TEST(AmountText, OtherMarks) {
    const NumberMarks french{',', ' '};
    EXPECT_EQ(ReadAmountText("1 250,5", french).value, 1250.5);
    EXPECT_EQ(ReadAmountText(",5", french).value, 0.5);
    EXPECT_EQ(ReadAmountText("1 25", french).fault, AmountFault::MisplacedGroup);
    EXPECT_EQ(ReadAmountText("1.5", french).fault, AmountFault::NonNumeric);
    EXPECT_EQ(MisplacedGroupMessage(french),
              "Invalid Input - a space only groups thousands (1 000); use a comma for decimals "
              "(1,5)");
}

TEST(NumberText, GeneralNotation) {
    EXPECT_EQ(GeneralNumberText(4.0), "4");
    EXPECT_EQ(GeneralNumberText(2.5), "2.5");
    EXPECT_EQ(GeneralNumberText(0.1), "0.1");
    EXPECT_EQ(GeneralNumberText(-3.75), "-3.75");
    EXPECT_EQ(GeneralNumberText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(GeneralNumberText(0.1 + 0.2), "0.3");
}

} // namespace
} // namespace kestrum
