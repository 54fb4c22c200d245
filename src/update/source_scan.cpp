#include "source_scan.h"

#include "data/dates.h"
#include "rate_sources.h"

#include <QDate>
#include <array>
#include <charconv>
#include <cstdint>

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

} // namespace

int CodeIndex(std::string_view code) {
    if (code.size() != 3)
        return code.size() == 0 ? -1 : CurrencyIndexOfCode(QString::fromUtf8(code));
    const int key = LetterKey(code);
    return key < 0 ? CurrencyIndexOfCode(QString::fromUtf8(code)) : CodeTable()[size_t(key)];
}

double ScanRate(std::string_view text) {
    // "0.9120", "135": a whole part without leading zeros and an optional
    // fraction, short enough to be read exactly like the general reading.
    size_t i = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    bool plain = i > 0 && i <= 15 && (text[0] != '0' || i == 1);
    if (plain && i < text.size()) {
        size_t j = i + 1;
        while (j < text.size() && IsDigit(text[j]))
            ++j;
        plain = text[i] == '.' && j > i + 1 && j == text.size() && j - i <= 21;
    }
    if (!plain)
        return SourceRate(QString::fromUtf8(text));
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return UsableRateOrMissing(value);
}

double ScanIsoDate(std::string_view text) {
    const bool plain = text.size() == 10 && text[4] == '-' && text[7] == '-' && IsDigit(text[0]) &&
                       IsDigit(text[1]) && IsDigit(text[2]) && IsDigit(text[3]) &&
                       IsDigit(text[5]) && IsDigit(text[6]) && IsDigit(text[8]) && IsDigit(text[9]);
    if (!plain)
        return IsoDateValue(QString::fromUtf8(text));
    const QDate date(Digits(text.substr(0, 4)), Digits(text.substr(5, 2)),
                     Digits(text.substr(8, 2)));
    if (!date.isValid() || date.year() < 1900)
        return kNotAvailable;
    return DateValueOf(date);
}

} // namespace kestrum::sources
