#include "number_text.h"

#include <algorithm>
#include <charconv>

namespace kestrum {

namespace {

bool IsZeroOrDotOnly(std::string_view s) {
    return s.empty() || s == "0" || s == "." || s == "0." || s == ".0";
}

} // namespace

bool IsUsableNumber(std::string_view s) {
    return !IsZeroOrDotOnly(s) && s.back() != '.';
}

std::string NormalizeNumber(std::string_view s, std::string_view fallback) {
    if (IsZeroOrDotOnly(s))
        return std::string(fallback);
    std::string result(s);
    if (result.front() == '.')
        result.insert(result.begin(), '0');
    if (result.back() == '.')
        result.pop_back();
    return result;
}

bool HasDot(std::string_view s) {
    return s.find('.') != std::string_view::npos;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<double> ParseDecimal(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    s = s.substr(first, s.find_last_not_of(' ') - first + 1);
    if (s.front() == '+')
        s.remove_prefix(1);
    // from_chars would also take "inf" and "nan"; the pages and the user
    // write digits only.
    const bool plain = std::all_of(s.begin(), s.end(), [](char c) {
        return IsDigit(c) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    });
    if (!plain || s.empty())
        return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

std::string StripCommas(std::string_view s) {
    std::string result;
    std::copy_if(s.begin(), s.end(), std::back_inserter(result), [](char c) { return c != ','; });
    return result;
}

AmountCheck CheckAmount(std::string_view text) {
    AmountCheck check;
    const auto dots = std::count(text.begin(), text.end(), '.');
    check.needsLeadingZero = dots == 1 && !text.empty() && text.front() == '.';
    if (text.empty() || StripCommas(text).empty())
        return check;

    const bool onlyNumberCharacters = std::all_of(
        text.begin(), text.end(), [](char c) { return IsDigit(c) || c == '.' || c == ','; });
    check.valid = onlyNumberCharacters && dots <= 1;
    if (check.valid)
        return check;

    if (dots > 1)
        check.messages.emplace_back(kMultipleDotsMessage);
    // "/" and "-" never count, and a single stray character goes unreported.
    const auto strays = std::count_if(text.begin(), text.end(), [](char c) {
        return !IsDigit(c) && c != '.' && c != ',' && c != '/' && c != '-';
    });
    if (strays > 1)
        check.messages.emplace_back(kNonNumericMessage);
    return check;
}

AmountReading ReadAmountText(std::string_view text) {
    AmountReading reading;
    if (text.size() > static_cast<std::size_t>(kMaxAmountLength)) {
        reading.messages.emplace_back(kTooLongMessage);
        return reading;
    }
    const AmountCheck check = CheckAmount(text);
    if (!check.valid) {
        reading.messages = check.messages;
        return reading;
    }
    std::string digits = StripCommas(text);
    if (check.needsLeadingZero)
        digits.insert(digits.begin(), '0');
    const std::optional<double> value = ParseDecimal(digits);
    if (!value || *value == 0.0) {
        reading.messages.emplace_back(kZeroMessage);
        return reading;
    }
    reading.value = *value;
    return reading;
}

std::string GeneralNumberText(double value) {
    // to_chars ignores the C locale, which the application object sets from
    // the user's environment.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

} // namespace kestrum
