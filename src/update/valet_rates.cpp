// The Bank of Canada's Valet service, group FX_RATES_DAILY: observations of
// series "FX" + code + "CAD", each in Canadian dollars per unit.
//
// Answers of several years run to megabytes, so they are read in one pass
// over the bytes. That pass knows only plain, well-formed JSON; at anything
// else (a syntax error, an escape in a name that matters, a repeated name,
// an exponent, deep nesting) it gives up and Qt's JSON reader decides.
#include "rate_sources.h"
#include "source_scan.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <array>
#include <bitset>
#include <charconv>
#include <string_view>

namespace kestrum {

using namespace sources;

namespace {

// Values are strings, in older answers numbers; an absent key, an empty
// string or an object without "v" means no rate.
double ValetValue(const QJsonValue& cell) {
    const QJsonValue value = cell.toObject().value(QLatin1String("v"));
    if (value.isString())
        return SourceRate(value.toString());
    if (value.isDouble() && IsUsableRate(value.toDouble()))
        return value.toDouble();
    return kNotAvailable;
}

SourceRead ReadThroughQt(QByteArrayView body, SourceDays& days) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body.toByteArray(), &error);
    const QJsonValue observations = document.object().value(QLatin1String("observations"));
    if (error.error != QJsonParseError::NoError || !observations.isArray())
        return SourceRead::NotRecognised;
    for (const QJsonValue& entry : observations.toArray()) {
        const QJsonObject point = entry.toObject();
        const double date = IsoDateValue(point.value(QLatin1String("d")).toString());
        if (date == kNotAvailable)
            continue;
        for (int k = 1; k < kCurrencyCount; ++k) {
            const QString series =
                QLatin1String("FX") + QLatin1String(CurrencyCode(k)) + QLatin1String("CAD");
            if (const double rate = ValetValue(point.value(series)); rate != kNotAvailable)
                DayOf(days, date).Values[k] = rate;
        }
    }
    return days.empty() ? SourceRead::NoUsableDay : SourceRead::Read;
}

using Rates = std::array<double, kCurrencyCount>;

// One pass over a Valet answer. Every Scan function returns false when the
// pass gives up.
class ValetScan {
public:
    explicit ValetScan(QByteArrayView body) : m_at(body.data()), m_end(body.data() + body.size()) {}

    // Fills `days` only when the whole answer was read; `observations`
    // tells whether it had an array of that name.
    bool Scan(SourceDays& days, bool& observations);

private:
    static constexpr int kMaxDepth = 64;

    bool More() const { return m_at < m_end; }
    bool At(char c) const { return m_at < m_end && *m_at == c; }
    void SkipSpace() {
        while (m_at < m_end && (*m_at == ' ' || *m_at == '\n' || *m_at == '\r' || *m_at == '\t'))
            ++m_at;
    }
    bool Take(char c) {
        SkipSpace();
        if (!At(c))
            return false;
        ++m_at;
        SkipSpace();
        return true;
    }
    bool Word(std::string_view word) {
        if (size_t(m_end - m_at) < word.size() || std::string_view(m_at, word.size()) != word)
            return false;
        m_at += word.size();
        return true;
    }

    bool String(std::string_view& text, bool& plain);
    bool Name(std::string_view& name); // a plain string and its colon
    bool Number(std::string_view& text);
    bool Value(int depth);
    bool Elements(char close, auto&& element); // a list up to `close`, after its opener
    bool Members(int depth, auto&& member);    // after '{'
    bool Observations(SourceDays& found);
    bool Observation(SourceDays& found);
    bool Cell(double& rate);

    const char* m_at = nullptr;
    const char* m_end = nullptr;
};

bool ValetScan::String(std::string_view& text, bool& plain) {
    ++m_at; // the opening quote
    const char* start = m_at;
    plain = true;
    while (m_at < m_end) {
        const auto c = static_cast<unsigned char>(*m_at);
        if (c == '"') {
            text = std::string_view(start, size_t(m_at - start));
            ++m_at;
            return true;
        }
        if (c < 0x20)
            return false;
        if (c == '\\') {
            plain = false;
            if (m_end - m_at < 2)
                return false;
            const char e = m_at[1];
            if (e == 'u') {
                unsigned code = 0;
                if (m_end - m_at < 6 ||
                    std::from_chars(m_at + 2, m_at + 6, code, 16).ptr != m_at + 6 ||
                    (code >= 0xD800 && code <= 0xDFFF))
                    return false;
                m_at += 6;
            } else if (std::string_view("\"\\/bfnrt").find(e) != std::string_view::npos) {
                m_at += 2;
            } else {
                return false;
            }
            continue;
        }
        if (c < 0x80) {
            ++m_at;
            continue;
        }
        // Well-formed UTF-8 only, no surrogates and no U+FFFE or U+FFFF.
        const auto next = [&](int i, unsigned low, unsigned high) {
            if (m_end - m_at <= i)
                return false;
            const auto b = static_cast<unsigned char>(m_at[i]);
            return b >= low && b <= high;
        };
        int length = 0;
        if (c >= 0xC2 && c <= 0xDF)
            length = next(1, 0x80, 0xBF) ? 2 : 0;
        else if (c >= 0xE0 && c <= 0xEF)
            length = next(1, c == 0xE0 ? 0xA0 : 0x80, c == 0xED ? 0x9F : 0xBF) &&
                             next(2, 0x80, 0xBF) &&
                             !(c == 0xEF && static_cast<unsigned char>(m_at[1]) == 0xBF &&
                               static_cast<unsigned char>(m_at[2]) >= 0xBE)
                         ? 3
                         : 0;
        else if (c >= 0xF0 && c <= 0xF4)
            length = next(1, c == 0xF0 ? 0x90 : 0x80, c == 0xF4 ? 0x8F : 0xBF) &&
                             next(2, 0x80, 0xBF) && next(3, 0x80, 0xBF)
                         ? 4
                         : 0;
        if (length == 0)
            return false;
        m_at += length;
    }
    return false;
}

bool ValetScan::Name(std::string_view& name) {
    bool plain = false;
    return At('"') && String(name, plain) && plain && Take(':');
}

bool ValetScan::Number(std::string_view& text) {
    // Integers of up to 15 digits and decimals without an exponent: numbers
    // any reading gives exactly.
    const char* start = m_at;
    if (At('-'))
        ++m_at;
    const char* whole = m_at;
    while (More() && *m_at >= '0' && *m_at <= '9')
        ++m_at;
    const auto wholeDigits = m_at - whole;
    if (wholeDigits == 0 || wholeDigits > 15 || (*whole == '0' && wholeDigits > 1))
        return false;
    if (At('.')) {
        const char* fraction = ++m_at;
        while (More() && *m_at >= '0' && *m_at <= '9')
            ++m_at;
        if (m_at == fraction || m_at - fraction > 20)
            return false;
    }
    if (At('e') || At('E'))
        return false;
    text = std::string_view(start, size_t(m_at - start));
    return true;
}

bool ValetScan::Elements(char close, auto&& element) {
    SkipSpace();
    if (At(close)) {
        ++m_at;
        return true;
    }
    for (;;) {
        if (!element())
            return false;
        SkipSpace();
        if (At(close)) {
            ++m_at;
            return true;
        }
        if (!Take(','))
            return false;
    }
}

bool ValetScan::Members(int depth, auto&& member) {
    if (depth > kMaxDepth)
        return false;
    return Elements('}', [&] {
        std::string_view name;
        return Name(name) && member(name);
    });
}

bool ValetScan::Value(int depth) {
    if (!More() || depth > kMaxDepth)
        return false;
    switch (*m_at) {
    case '{':
        ++m_at;
        return Members(depth + 1, [&](std::string_view) { return Value(depth + 1); });
    case '[':
        ++m_at;
        return Elements(']', [&] { return Value(depth + 1); });
    case '"': {
        std::string_view text;
        bool plain = false;
        return String(text, plain);
    }
    case 't':
        return Word("true");
    case 'f':
        return Word("false");
    case 'n':
        return Word("null");
    default: {
        std::string_view text;
        return Number(text);
    }
    }
}

bool ValetScan::Cell(double& rate) {
    rate = kNotAvailable;
    if (!At('{'))
        return Value(2);
    ++m_at;
    bool seen = false;
    return Members(3, [&](std::string_view name) {
        if (name != "v")
            return Value(3);
        if (seen)
            return false;
        seen = true;
        if (At('"')) {
            std::string_view text;
            bool plain = false;
            if (!String(text, plain) || !plain)
                return false;
            rate = ScanRate(text);
            return true;
        }
        if (!More() || (*m_at != '-' && (*m_at < '0' || *m_at > '9')))
            return Value(3);
        std::string_view text;
        if (!Number(text))
            return false;
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        rate = UsableRateOrMissing(value);
        return true;
    });
}

bool ValetScan::Observation(SourceDays& found) {
    Rates rates;
    rates.fill(kNotAvailable);
    std::bitset<kCurrencyCount> seen;
    double date = kNotAvailable;
    bool dated = false;
    ++m_at;
    const bool read = Members(2, [&](std::string_view name) {
        if (name == "d") {
            if (dated)
                return false;
            dated = true;
            if (!At('"'))
                return Value(2);
            std::string_view text;
            bool plain = false;
            if (!String(text, plain) || !plain)
                return false;
            date = ScanIsoDate(text);
            return true;
        }
        const int k = name.size() == 8 && name.starts_with("FX") && name.ends_with("CAD")
                          ? CodeIndex(name.substr(2, 3))
                          : -1;
        if (k < 1)
            return Value(2);
        if (seen[size_t(k)])
            return false;
        seen[size_t(k)] = true;
        return Cell(rates[size_t(k)]);
    });
    if (!read)
        return false;
    // A date enters only with a rate, so discontinued series bring no empty
    // days, and the order of the observations does not matter.
    if (date != kNotAvailable)
        for (int k = 1; k < kCurrencyCount; ++k)
            if (rates[size_t(k)] != kNotAvailable)
                DayOf(found, date).Values[k] = rates[size_t(k)];
    return true;
}

bool ValetScan::Observations(SourceDays& found) {
    ++m_at;
    return Elements(']', [&] { return At('{') ? Observation(found) : Value(1); });
}

bool ValetScan::Scan(SourceDays& days, bool& observations) {
    SourceDays found;
    bool named = false;
    observations = false;
    SkipSpace();
    if (!At('{'))
        return false;
    ++m_at;
    const bool read = Members(1, [&](std::string_view name) {
        if (name != "observations")
            return Value(1);
        if (named)
            return false;
        named = true;
        observations = At('[');
        return observations ? Observations(found) : Value(1);
    });
    SkipSpace();
    if (!read || More())
        return false;
    for (const auto& [date, record] : found) {
        DayRecord& day = DayOf(days, date);
        for (int k = 1; k < kCurrencyCount; ++k)
            if (record.Values[k] != kNotAvailable)
                day.Values[k] = record.Values[k];
    }
    return true;
}

} // namespace

SourceRead ReadValetDays(QByteArrayView body, SourceDays& days) {
    if (!BodyStartsWith(body, '{'))
        return SourceRead::NotRecognised;
    bool observations = false;
    if (!ValetScan(body).Scan(days, observations))
        return ReadThroughQt(body, days);
    if (!observations)
        return SourceRead::NotRecognised;
    return days.empty() ? SourceRead::NoUsableDay : SourceRead::Read;
}

SourceRead ReadValetRates(QByteArrayView body, RateStore& store) {
    SourceDays days;
    const SourceRead read = ReadValetDays(body, days);
    return read == SourceRead::Read && StoreNewestDays(days, store) ? SourceRead::Read : read;
}

} // namespace kestrum
