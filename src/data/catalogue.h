#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kestrum {

constexpr int kCurrencyCount = 56;  // indices 0..55, 0 the Canadian dollar
constexpr int kPageLabelCount = 55; // currencies 1..55
constexpr int kEnglish = 0;
constexpr int kFrench = 1;

// The currency catalogue: display names (entry 2k English, 2k+1 French) and
// the labels under which the rate page prints each currency. All texts are
// Windows-1252 bytes.
struct Catalogue {
    std::array<std::string, 2 * kCurrencyCount> CurrencyNames;
    std::array<std::string, kPageLabelCount> PageLabels;
};

// The built-in catalogue, as shipped.
const Catalogue& BuiltInCatalogue();

// The program-wide catalogue; start-up may overwrite it once from the name
// files, afterwards it is only read. ResetCatalogue restores the built-in one.
Catalogue& CurrencyCatalogue();
void ResetCatalogue();

// Name of currency index in a language (0 English, anything else French);
// empty for an index outside 0..55.
const std::string& CurrencyName(const Catalogue& catalogue, int index, int language);
const std::string& CurrencyName(int index, int language);

// Page label of currency k (1..55); empty outside that range.
const std::string& PageLabel(const Catalogue& catalogue, int index);

// Exact, case-sensitive search of the chosen language's names; the first
// matching index, or -1.
int FindCurrencyIndex(const Catalogue& catalogue, std::string_view text, int language);
int FindCurrencyIndex(std::string_view text, int language);

// ISO 4217 code of each catalogue currency, in index order.
const char* CurrencyCode(int index);

// A currency as a user names it outside the window: its code in any case, or
// its exact English or French name (Windows-1252 bytes). Codes win over names;
// -1 when nothing matches.
int FindCurrencyByCodeOrName(const Catalogue& catalogue, std::string_view text);
int FindCurrencyByCodeOrName(std::string_view text);

} // namespace kestrum
