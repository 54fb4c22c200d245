#pragma once

// Byte-level pieces of the rate-source readers, for answers of many
// megabytes: plain texts are read without building strings, anything
// unusual goes through the general readings in readers.h.
#include <string_view>

namespace kestrum::sources {

// The catalogue index of an ISO code (exact, upper case), -1 when absent.
int CodeIndex(std::string_view code);

// A number text as the double it names, correctly rounded; +infinity beyond
// the largest double, the smallest positive double below the smallest one, NaN
// for anything that is not a number.
double ScanNumber(std::string_view text);

// "2026-12-04" as a date value; -1 for anything that is not a calendar day
// written so.
double ScanIsoDate(std::string_view text);

} // namespace kestrum::sources
