#include "json_scan.h"

#include <charconv>

namespace kestrum::sources {

bool JsonScan::String(std::string_view& text, bool& plain) {
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

bool JsonScan::Name(std::string_view& name) {
    bool plain = false;
    return At('"') && String(name, plain) && plain && Take(':');
}

bool JsonScan::Number(std::string_view& text) {
    const char* start = m_at;
    const auto digits = [this] {
        const char* first = m_at;
        while (More() && *m_at >= '0' && *m_at <= '9')
            ++m_at;
        return m_at - first;
    };
    if (At('-'))
        ++m_at;
    const char* whole = m_at;
    const auto wholeDigits = digits();
    if (wholeDigits == 0 || (*whole == '0' && wholeDigits > 1))
        return false;
    if (At('.')) {
        ++m_at;
        if (digits() == 0)
            return false;
    }
    if (At('e') || At('E')) {
        ++m_at;
        if (At('+') || At('-'))
            ++m_at;
        if (digits() == 0)
            return false;
    }
    text = std::string_view(start, size_t(m_at - start));
    return true;
}

bool JsonScan::Value(int depth) {
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

} // namespace kestrum::sources
