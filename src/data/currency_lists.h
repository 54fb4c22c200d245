#pragma once

#include "catalogue.h"
#include "rate_store.h"

#include <array>
#include <string>
#include <vector>

namespace kestrum {

// The currencies the two lists offer, in index order: the Canadian dollar
// always first, then each currency that has a name in the language and a
// current rate.
std::vector<int> OfferedCurrencies(const Catalogue& catalogue, const RateStore& store,
                                   int language);

// Per letter A..Z, the first position in each list whose entry starts with
// that capital letter (bytes compared, no case folding), or -1.
struct QuickFindEntry {
    int from = -1;
    int to = -1;
};
using QuickFindPositions = std::array<QuickFindEntry, 26>;

QuickFindPositions BuildQuickFindTable(const std::vector<std::string>& fromEntries,
                                       const std::vector<std::string>& toEntries);

} // namespace kestrum
