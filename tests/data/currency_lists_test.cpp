#include "data/currency_lists.h"

#include <gtest/gtest.h>

using namespace kestrum;

namespace {

RateStore StoreWithRatesExcept(int missing) {
    RateStore store;
    for (int k = 1; k < kCurrencyCount; ++k)
        if (k != missing)
            SetDayRate(store, k, 5, 1.0 + k);
    ComputeCurrentRates(store);
    return store;
}

std::vector<std::string> Names(const std::vector<int>& indices, int language) {
    std::vector<std::string> names;
    for (const int k : indices)
        names.push_back(CurrencyName(BuiltInCatalogue(), k, language));
    return names;
}

// The English name each letter leads to, "" for none.
std::string Landing(const QuickFindPositions& table, const std::vector<std::string>& names,
                    char letter) {
    const int p = table[letter - 'A'].from;
    return p < 0 ? std::string() : names[static_cast<std::size_t>(p)];
}

} // namespace

TEST(CurrencyLists, OfferOnlyNamedCurrenciesWithARate) {
    EXPECT_EQ(OfferedCurrencies(BuiltInCatalogue(), RateStore(), kEnglish), std::vector<int>{0});

    const std::vector<int> offered =
        OfferedCurrencies(BuiltInCatalogue(), StoreWithRatesExcept(43), kFrench);
    EXPECT_EQ(offered.size(), 55u);
    EXPECT_EQ(offered.front(), 0);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), 43), 0);

    Catalogue unnamed = BuiltInCatalogue();
    unnamed.CurrencyNames[2 * 7 + kFrench].clear();
    const std::vector<int> french = OfferedCurrencies(unnamed, StoreWithRatesExcept(0), kFrench);
    const std::vector<int> english = OfferedCurrencies(unnamed, StoreWithRatesExcept(0), kEnglish);
    EXPECT_EQ(std::count(french.begin(), french.end(), 7), 0);
    EXPECT_EQ(std::count(english.begin(), english.end(), 7), 1);
}

TEST(CurrencyLists, LettersLeadToTheFirstEntryWithThatInitial) {
    const std::vector<std::string> names =
        Names(OfferedCurrencies(BuiltInCatalogue(), StoreWithRatesExcept(0), kEnglish), kEnglish);
    const QuickFindPositions table = BuildQuickFindTable(names, names);

    const std::pair<char, const char*> expected[] = {
        {'A', "Argentine Peso"},        {'B', "Bahamian Dollar"},
        {'C', "Canadian Dollar"},       {'D', "Danish Krone"},
        {'E', "East Caribbean Dollar"}, {'F', "Fiji Dollar"},
        {'G', "Ghanaian Cedi"},         {'H', "Honduran Lempira"},
        {'I', "Icelandic Krona"},       {'J', "Jamaican dollar"},
        {'M', "Malaysian Ringgit"},     {'N', "Neth. Antilles Guilder"},
        {'P', "Pakistan Rupee"},        {'R', "Russian Rouble"},
        {'S', "Singapore Dollar"},      {'T', "Taiwanese New Dollar"},
        {'U', "U.S. Dollar"},           {'V', "Venezuelan Bolivar"},
    };
    for (const auto& [letter, name] : expected)
        EXPECT_EQ(Landing(table, names, letter), name) << letter;
    for (const char letter : std::string("KLOQWXYZ"))
        EXPECT_EQ(table[letter - 'A'].from, -1) << letter;
    EXPECT_EQ(table['U' - 'A'].to, table['U' - 'A'].from);
}

TEST(CurrencyLists, PositionsFollowTheListsNotTheIndices) {
    // Without a rate for the Danish krone, D lands on the next D in the list
    // (none) and every later position moves up by one.
    const std::vector<std::string> names =
        Names(OfferedCurrencies(BuiltInCatalogue(), StoreWithRatesExcept(11), kEnglish), kEnglish);
    const QuickFindPositions table = BuildQuickFindTable(names, names);
    EXPECT_EQ(table['D' - 'A'].from, -1);
    EXPECT_EQ(Landing(table, names, 'E'), "East Caribbean Dollar");
    EXPECT_EQ(table['E' - 'A'].from, 11);

    // Lower-case initials never match a capital letter.
    const QuickFindPositions lower = BuildQuickFindTable({"euro"}, {"Euro"});
    EXPECT_EQ(lower['E' - 'A'].from, -1);
    EXPECT_EQ(lower['E' - 'A'].to, 0);
}
