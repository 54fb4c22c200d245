#include "currency_lists.h"

namespace kestrum {

std::vector<int> OfferedCurrencies(const Catalogue& catalogue, const RateStore& store,
                                   int language) {
    std::vector<int> offered{0};
    for (int k = 1; k < kCurrencyCount; ++k)
        if (!CurrencyName(catalogue, k, language).empty() && CurrentRate(store, k) != kNotAvailable)
            offered.push_back(k);
    return offered;
}

namespace {

int FirstStartingWith(const std::vector<std::string>& entries, char letter) {
    for (std::size_t p = 0; p < entries.size(); ++p)
        if (!entries[p].empty() && entries[p].front() == letter)
            return static_cast<int>(p);
    return -1;
}

} // namespace

QuickFindPositions BuildQuickFindTable(const std::vector<std::string>& fromEntries,
                                       const std::vector<std::string>& toEntries) {
    QuickFindPositions table;
    for (int i = 0; i < 26; ++i) {
        const char letter = static_cast<char>('A' + i);
        table[i] = {FirstStartingWith(fromEntries, letter), FirstStartingWith(toEntries, letter)};
    }
    return table;
}

} // namespace kestrum
