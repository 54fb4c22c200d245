#pragma once

#include "io_result.h"

#include <QString>

namespace kestrum {

// Settings that grew after the 545-byte record, whose layout stays fixed:
// "key=value" lines in "kestrum.ini" beside the record. A missing or
// unreadable file, or a missing key, gives the fallback.
QString PreferencesPath();
QString ReadPreference(const QString& key, const QString& fallback = {});
// Rewrites the file with the one key changed and every other line kept.
IoResult WritePreference(const QString& key, const QString& value);

// Well-known keys.
namespace pref {
inline constexpr const char* kFillFromOtherSource = "fill"; // "on" (default) or "off"
inline constexpr const char* kGraphsRange = "graphs/range"; // "1M" .. "All"
// An address that answers in place of the other service when filling (a mirror).
inline constexpr const char* kFillUrl = "fill/url";
// The base address of the NBP's tables when filling ("https://api.nbp.pl/api/exchangerates/").
inline constexpr const char* kFillNbpUrl = "fill/nbp-url";
} // namespace pref

} // namespace kestrum
