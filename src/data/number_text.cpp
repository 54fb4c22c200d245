#include "number_text.h"

#include <QCoreApplication>

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

std::optional<std::string> UngroupedNumber(std::string_view text, NumberMarks marks) {
    const std::string_view whole = text.substr(0, text.find(marks.decimal));
    const std::string_view fraction = text.substr(whole.size());
    if (fraction.find(marks.group) != std::string_view::npos)
        return std::nullopt;
    std::string result;
    std::size_t groupStart = 0;
    for (std::size_t i = 0; i <= whole.size(); ++i) {
        if (i < whole.size() && whole[i] != marks.group)
            continue;
        const std::size_t length = i - groupStart;
        // The first group holds one to three digits, every later one three.
        const bool grouped = i < whole.size() || groupStart > 0;
        if (grouped && (groupStart == 0 ? length < 1 || length > 3 : length != 3))
            return std::nullopt;
        result.append(whole.substr(groupStart, length));
        groupStart = i + 1;
    }
    if (!fraction.empty()) {
        result += '.';
        result.append(fraction.substr(1));
    }
    return result;
}

namespace {

const char* MarkName(char mark) {
    switch (mark) {
    case '.':
        return QT_TRANSLATE_NOOP("Amount", "a point");
    case ',':
        return QT_TRANSLATE_NOOP("Amount", "a comma");
    case ' ':
        return QT_TRANSLATE_NOOP("Amount", "a space");
    default:
        return "that mark";
    }
}

QString MarkText(char mark) {
    return QCoreApplication::translate("Amount", MarkName(mark));
}

std::string GroupRule(NumberMarks marks) {
    return std::string(MarkName(marks.group)) + " only groups thousands (1" + marks.group +
           "000); use " + MarkName(marks.decimal) + " for decimals (1" + marks.decimal + "5)";
}

} // namespace

std::string MisplacedGroupMessage(NumberMarks marks) {
    return "Invalid Input - " + GroupRule(marks);
}

QString AmountFaultText(AmountFault fault, NumberMarks marks) {
    const QChar decimal = QLatin1Char(marks.decimal);
    const QChar group = QLatin1Char(marks.group);
    switch (fault) {
    case AmountFault::None:
        return {};
    case AmountFault::NoDigits:
        return QCoreApplication::translate("Amount", "it holds no digits");
    case AmountFault::MultipleDots:
        return marks.decimal == '.'
                   ? QCoreApplication::translate("Amount", "it holds more than one decimal point")
                   : QCoreApplication::translate("Amount", "it holds more than one decimal mark");
    case AmountFault::NonNumeric:
        return QCoreApplication::translate("Amount",
                                           "it holds characters other than digits, \"%1\" and "
                                           "\"%2\"")
            .arg(QString(decimal), QString(group));
    case AmountFault::MisplacedGroup:
        return QCoreApplication::translate(
                   "Amount", "%1 only groups thousands (%2); use %3 for decimals (%4)")
            .arg(MarkText(marks.group), QLatin1Char('1') + group + QStringLiteral("000"),
                 MarkText(marks.decimal), QLatin1Char('1') + decimal + QLatin1Char('5'));
    case AmountFault::Zero:
        return QCoreApplication::translate("Amount", "zero converts to nothing");
    case AmountFault::TooLong:
        return QCoreApplication::translate("Amount", "it is longer than %1 characters")
            .arg(kMaxAmountLength);
    }
    return {};
}

AmountCheck CheckAmount(std::string_view text, NumberMarks marks) {
    AmountCheck check;
    const auto dots = std::count(text.begin(), text.end(), marks.decimal);
    check.needsLeadingZero = dots == 1 && !text.empty() && text.front() == marks.decimal;
    const bool anyDigit = std::any_of(text.begin(), text.end(), IsDigit);
    const bool onlyNumberCharacters = std::all_of(text.begin(), text.end(), [&](char c) {
        return IsDigit(c) || c == marks.decimal || c == marks.group;
    });
    if (text.empty() || (onlyNumberCharacters && dots == 0 && !anyDigit)) {
        check.fault = AmountFault::NoDigits;
        return check;
    }
    if (onlyNumberCharacters && dots <= 1) {
        check.valid = UngroupedNumber(text, marks).has_value();
        if (!check.valid) {
            check.fault = AmountFault::MisplacedGroup;
            check.messages.push_back(MisplacedGroupMessage(marks));
        }
        return check;
    }

    check.fault = dots > 1 ? AmountFault::MultipleDots : AmountFault::NonNumeric;
    if (dots > 1)
        check.messages.emplace_back(kMultipleDotsMessage);
    // "/" and "-" never count, and a single stray character goes unreported.
    const auto strays = std::count_if(text.begin(), text.end(), [&](char c) {
        return !IsDigit(c) && c != marks.decimal && c != marks.group && c != '/' && c != '-';
    });
    if (strays > 1)
        check.messages.emplace_back(kNonNumericMessage);
    return check;
}

AmountReading ReadAmountText(std::string_view text, NumberMarks marks) {
    AmountReading reading;
    if (text.size() > static_cast<std::size_t>(kMaxAmountLength)) {
        reading.fault = AmountFault::TooLong;
        reading.messages.emplace_back(kTooLongMessage);
        return reading;
    }
    const AmountCheck check = CheckAmount(text, marks);
    if (!check.valid) {
        reading.fault = check.fault;
        reading.messages = check.messages;
        return reading;
    }
    std::string digits = *UngroupedNumber(text, marks);
    if (digits.empty() || digits.front() == '.')
        digits.insert(digits.begin(), '0');
    const std::optional<double> value = ParseDecimal(digits);
    if (!value || *value == 0.0) {
        reading.fault = AmountFault::Zero;
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
