#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrum {

// Number texts typed by the user: "." is the decimal point and "," groups
// thousands, unless the marks say otherwise.

// False for "", "0", ".", "0.", ".0" and any text ending in a dot.
bool IsUsableNumber(std::string_view s);
// The fallback for "", "0", ".", "0.", ".0"; otherwise a leading dot gets a
// "0" in front and a trailing dot is dropped.
std::string NormalizeNumber(std::string_view s, std::string_view fallback);
bool HasDot(std::string_view s);
bool IsDigit(char c);

// A decimal number with "." as the separator whatever the locale: optional
// sign, digits, optional exponent, surrounding spaces allowed.
std::optional<double> ParseDecimal(std::string_view s);

std::string StripCommas(std::string_view s);

// The decimal mark and the thousands mark of an amount text.
struct NumberMarks {
    char decimal = '.';
    char group = ',';
};

// The text with its group marks taken out and its decimal mark written "."
// when every group mark stands before exactly three digits in well-formed
// groups of the whole part ("1,000", "12,345.67"); nothing for any other
// group mark ("1,25", "1.250,50", "1000,000", ",5"). Expects a text of
// digits and marks only.
std::optional<std::string> UngroupedNumber(std::string_view text, NumberMarks marks = {});

// Why an amount text is refused.
enum class AmountFault { None, NoDigits, MultipleDots, NonNumeric, MisplacedGroup, Zero, TooLong };

// What the amount check found in an amount text.
struct AmountCheck {
    bool valid = false;
    // A single leading decimal mark that the field shows with a "0" in front.
    bool needsLeadingZero = false;
    AmountFault fault = AmountFault::None;
    // The messages to show, in order, when the amount is invalid.
    std::vector<std::string> messages;
};

AmountCheck CheckAmount(std::string_view text, NumberMarks marks = {});

// The reason as the end of a sentence about the amount: "it has more than
// one decimal point", in the language in use; empty for None.
QString AmountFaultText(AmountFault fault, NumberMarks marks = {});

constexpr const char* kMultipleDotsMessage =
    "Invalid Input - the number contains multiple \".\" (dots)";
constexpr const char* kNonNumericMessage =
    "Invalid Input - the number contains non-numeric characters";
constexpr const char* kZeroMessage = "Zero is invalid program input";
constexpr const char* kTooLongMessage = "Invalid Input - the number is longer than 32 characters";
// "Invalid Input - a comma only groups thousands (1,000); use a point for
// decimals (1.5)", with the marks' own names.
std::string MisplacedGroupMessage(NumberMarks marks = {});

// The amount field holds at most this many characters; read amounts as well.
constexpr int kMaxAmountLength = 32;

// Outcome of reading an amount: the value (0 when there is none) and the
// messages the user is to see. A text longer than kMaxAmountLength is refused.
struct AmountReading {
    double value = 0.0;
    AmountFault fault = AmountFault::None;
    std::vector<std::string> messages;
};

AmountReading ReadAmountText(std::string_view text, NumberMarks marks = {});

// The message the fee box shows for a number outside the fee's range.
constexpr const char* kFeeRangeMessage = QT_TRANSLATE_NOOP(
    "Conversion", "The cash-rate fee must be a number from 0 up to but not including 100.");

// The general notation a stored percentage is shown in: up to 15 significant
// digits, "." always, no trailing zeros (4.0 shows as "4").
std::string GeneralNumberText(double value);

} // namespace kestrum
