#pragma once

// Byte-level pieces of the rate-source readers, for answers of many
// megabytes: plain texts are read without building strings, anything
// unusual goes through the general readings in rate_sources.h.
#include <string_view>

namespace kestrum::sources {

// The catalogue index of an ISO code (exact, upper case), -1 when absent.
int CodeIndex(std::string_view code);

// SourceRate of the text read as UTF-8.
double ScanRate(std::string_view text);

// IsoDateValue of the text read as UTF-8.
double ScanIsoDate(std::string_view text);

} // namespace kestrum::sources
