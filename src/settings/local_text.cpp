#include "local_text.h"

#include <algorithm>

namespace kestrum {

namespace {

// C0, DEL and C1 controls, and the marks that reorder bidirectional text.
bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F || c == 0x061C;
}

} // namespace

QString Printable(const QString& text) {
    const auto first =
        std::find_if(text.cbegin(), text.cend(), [](QChar c) { return IsControl(c.unicode()); });
    if (first == text.cend())
        return text;
    QString shown = text.left(first - text.cbegin());
    for (auto at = first; at != text.cend(); ++at) {
        const char16_t c = at->unicode();
        if (!IsControl(c))
            shown += *at;
        else if (c <= 0xFF)
            shown += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
        else
            shown += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
    }
    return shown;
}

} // namespace kestrum
