#pragma once

// One pass over plain, well-formed JSON for the readers of megabyte answers.
// Every function returns false when the pass gives up: at a syntax error, an
// escape where the text matters, deep nesting or a number it cannot read
// exactly; the reader then hands the answer to Qt's JSON reader.
#include <QByteArrayView>
#include <string_view>

namespace kestrum::sources {

class JsonScan {
public:
    explicit JsonScan(QByteArrayView body) : m_at(body.data()), m_end(body.data() + body.size()) {}

protected:
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
    // At the end of the body, white space aside.
    bool Ended() {
        SkipSpace();
        return !More();
    }

    // A string at its opening quote; `plain` when it holds no escape.
    bool String(std::string_view& text, bool& plain);
    // A plain string and its colon.
    bool Name(std::string_view& name);
    // A plain string value, as written.
    bool PlainString(std::string_view& text) {
        bool plain = false;
        return At('"') && String(text, plain) && plain;
    }
    // A number as written: an optional minus, whole digits without leading
    // zeros, an optional fraction and an optional exponent.
    bool Number(std::string_view& text);
    // Any value, skipped.
    bool Value(int depth);
    // The elements of a list up to `close`, after its opener.
    template <typename Element> bool Elements(char close, Element&& element) {
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
    // The members of an object, after its '{'.
    template <typename Member> bool Members(int depth, Member&& member) {
        if (depth > kMaxDepth)
            return false;
        return Elements('}', [&] {
            std::string_view name;
            return Name(name) && member(name);
        });
    }

    const char* m_at = nullptr;
    const char* m_end = nullptr;
};

} // namespace kestrum::sources
