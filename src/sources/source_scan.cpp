#include "source_scan.h"

#include "data/dates.h"
#include "readers.h"

#include <QDate>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

namespace kestrum::sources {

namespace {

constexpr int kLetters = 26 * 26 * 26;

int LetterKey(std::string_view code) {
    int key = 0;
    for (const char c : code) {
        if (c < 'A' || c > 'Z')
            return -1;
        key = key * 26 + (c - 'A');
    }
    return key;
}

// Built once: every three-letter code to its index.
const std::array<std::int8_t, kLetters>& CodeTable() {
    static const auto table = [] {
        std::array<std::int8_t, kLetters> built;
        built.fill(-1);
        for (int k = kCurrencyCount - 1; k >= 0; --k) {
            const std::string_view code = CurrencyCode(k);
            if (code.size() == 3 && LetterKey(code) >= 0)
                built[size_t(LetterKey(code))] = std::int8_t(k);
        }
        built[size_t(LetterKey("VES"))] = std::int8_t(CurrencyIndexOfCode(u"VES"));
        return built;
    }();
    return table;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int Digits(std::string_view text) {
    int value = 0;
    for (const char c : text)
        value = value * 10 + (c - '0');
    return value;
}

// The length of a JSON number at the start of `text`, 0 when there is none.
size_t NumberLength(std::string_view text) {
    size_t i = 0;
    const auto digits = [&] {
        const size_t start = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        return i - start;
    };
    if (i < text.size() && text[i] == '-')
        ++i;
    const size_t whole = i;
    if (digits() == 0 || (text[whole] == '0' && i - whole > 1))
        return 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (digits() == 0)
            return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() == 0)
            return 0;
    }
    return i;
}

} // namespace

int CodeIndex(std::string_view code) {
    if (code.size() != 3)
        return code.size() == 0 ? -1 : CurrencyIndexOfCode(QString::fromUtf8(code));
    const int key = LetterKey(code);
    return key < 0 ? CurrencyIndexOfCode(QString::fromUtf8(code)) : CodeTable()[size_t(key)];
}

double ScanNumber(std::string_view text) {
    if (NumberLength(text) != text.size() || text.empty()) {
        // Spaces, a plus sign and the like: the general reading decides.
        bool ok = false;
        const double value = QString::fromUtf8(text).toDouble(&ok);
        return ok ? value : std::numeric_limits<double>::quiet_NaN();
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: a figure no band holds.
        const size_t e = text.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
        value = tiny ? std::numeric_limits<double>::denorm_min()
                     : std::numeric_limits<double>::infinity();
        return text[0] == '-' ? -value : value;
    }
    return end == text.data() + text.size() ? value : std::numeric_limits<double>::quiet_NaN();
}

double ScanIsoDate(std::string_view text) {
    const bool plain = text.size() == 10 && text[4] == '-' && text[7] == '-' && IsDigit(text[0]) &&
                       IsDigit(text[1]) && IsDigit(text[2]) && IsDigit(text[3]) &&
                       IsDigit(text[5]) && IsDigit(text[6]) && IsDigit(text[8]) && IsDigit(text[9]);
    if (!plain)
        return IsoDateValue(QString::fromUtf8(text));
    const QDate date(Digits(text.substr(0, 4)), Digits(text.substr(5, 2)),
                     Digits(text.substr(8, 2)));
    return date.isValid() ? DateValueOf(date) : kNotAvailable;
}

} // namespace kestrum::sources
