#include "catalogue.h"

#include "cp1252.h"

#include <algorithm>

namespace kestrum {

namespace {
struct Entry {
    const char* english;
    const char* french;
    const char* pageLabel; // nullptr: "English / French"
    const char* code;
};

// Texts are written here in UTF-8 and held as Windows-1252 bytes.
constexpr Entry kEntries[kCurrencyCount] = {
    {"Canadian Dollar", "Dollar canadien", nullptr, "CAD"},
    {"U.S. Dollar", "Dollar américain", nullptr, "USD"},
    {"Argentine Peso", "Peso argentin", nullptr, "ARS"},
    {"Australian Dollar", "Dollar australien", nullptr, "AUD"},
    {"Bahamian Dollar", "Dollar des Bahamas", nullptr, "BSD"},
    {"Brazilian Real", "Real brésilien", nullptr, "BRL"},
    {"Chilean Peso", "Peso chilien", nullptr, "CLP"},
    {"Chinese Renminbi", "Renminbi chinois", nullptr, "CNY"},
    {"Colombian Peso", "Peso colombien", nullptr, "COP"},
    {"Croatian Kuna", "Kuna croate", nullptr, "HRK"},
    {"Czech. Republic Koruna", "Couronne tchèque", nullptr, "CZK"},
    {"Danish Krone", "Couronne danoise", nullptr, "DKK"},
    {"East Caribbean Dollar", "Dollar des Caraïbes Orientales", "Dollar des Caraïbes Orientales",
     "XCD"},
    {"European EURO", "Europe Euro", "Europe Euro", "EUR"},
    {"Fiji Dollar", "Dollar de Fidji", nullptr, "FJD"},
    {"CFA Franc African F.C.", "Franc CFA C.F. Africaine",
     "Franc CFA (Communauté Financière Africaine)", "XOF"},
    {"CFP Franc Pacific F.C.", "Franc CFP C.F. Pacifique",
     "Franc CFP (Comptoirs français du Pacifique)", "XPF"},
    {"Ghanaian Cedi", "Cedi ghanéen", nullptr, "GHS"},
    {"Guatemalan quetzal", "Quetzal guatémaltèque", nullptr, "GTQ"},
    {"Honduran Lempira", "Lempira hondurienne", nullptr, "HNL"},
    {"Hong Kong Dollar", "Dollar de Hong-Kong", nullptr, "HKD"},
    {"Hungarian Forint", "Forint hongrois", nullptr, "HUF"},
    {"Icelandic Krona", "Couronne islandaise", nullptr, "ISK"},
    {"Indian Rupee", "Roupie indienne", nullptr, "INR"},
    {"Indonesian Rupiah", "Rupiah indonésienne", nullptr, "IDR"},
    {"Israeli New Shekel", "Nouveau shekel israélien", nullptr, "ILS"},
    {"Jamaican dollar", "Dollar jamaïcain", nullptr, "JMD"},
    {"Japanese Yen", "Yen japonais", nullptr, "JPY"},
    {"Malaysian Ringgit", "Ringgit malaisien", nullptr, "MYR"},
    {"Mexican Peso", "Peso mexicain", nullptr, "MXN"},
    {"Moroccan Dirham", "Dirham marocain", nullptr, "MAD"},
    {"Myanmar (Burma) Kyat", "Kyat du Myanmar (Birmanie)", nullptr, "MMK"},
    {"Neth. Antilles Guilder", "Florin des Antilles néerlandaises", nullptr, "ANG"},
    {"New Zealand Dollar", "Dollar néo-zélandais", nullptr, "NZD"},
    {"Norwegian Krone", "Couronne norvégienne", nullptr, "NOK"},
    {"Pakistan Rupee", "Roupie pakistanaise", nullptr, "PKR"},
    {"Panamanian Balboa", "Balboa panaméen", nullptr, "PAB"},
    {"Peruvian New Sol", "Nouveau sol péruvien", nullptr, "PEN"},
    {"Philippine Peso", "Peso philippin", nullptr, "PHP"},
    {"Polish Zloty", "Zloty polonais", nullptr, "PLN"},
    {"Russian Rouble", "Rouble russe", nullptr, "RUB"},
    {"Singapore Dollar", "Dollar de Singapour", nullptr, "SGD"},
    {"Slovak Koruna", "Couronne slovaque", nullptr, "SKK"},
    {"Slovenian Tolar", "Tolar slovène", nullptr, "SIT"},
    {"South African Rand", "Rand sud-africain", nullptr, "ZAR"},
    {"South Korean Won", "Won sud-coréen", nullptr, "KRW"},
    {"Sri Lanka Rupee", "Roupie sri-lankaise", nullptr, "LKR"},
    {"Swedish Krona", "Couronne suédoise", nullptr, "SEK"},
    {"Swiss Franc", "Franc suisse", nullptr, "CHF"},
    {"Taiwanese New Dollar", "Nouveau dollar taïwanais", nullptr, "TWD"},
    {"Thai Baht", "Baht thaïlandais", nullptr, "THB"},
    {"Trinidad & Tobago Dollar", "Dollar de Trinité-et-Tobago", nullptr, "TTD"},
    {"Tunisian Dinar", "Dinar tunisien", nullptr, "TND"},
    {"New Turkish Lira", "Nouvelle livre turque", "New Turkish Lira (2)/ Nouvelle livre turque (2)",
     "TRY"},
    {"U.K.Pound Sterling", "Lire sterling", nullptr, "GBP"},
    {"Venezuelan Bolivar", "Bolivar vénézuélien", nullptr, "VEF"},
};

Catalogue MakeBuiltIn() {
    Catalogue c;
    for (int k = 0; k < kCurrencyCount; ++k) {
        const Entry& e = kEntries[k];
        c.CurrencyNames[2 * k] = Utf8ToCp1252(e.english);
        c.CurrencyNames[2 * k + 1] = Utf8ToCp1252(e.french);
        if (k > 0)
            c.PageLabels[k - 1] = e.pageLabel
                                      ? Utf8ToCp1252(e.pageLabel)
                                      : c.CurrencyNames[2 * k] + " / " + c.CurrencyNames[2 * k + 1];
    }
    return c;
}

const std::string& Empty() {
    static const std::string empty;
    return empty;
}

int LanguageSlot(int language) {
    return language == kEnglish ? 0 : 1;
}

} // namespace

const Catalogue& BuiltInCatalogue() {
    static const Catalogue builtIn = MakeBuiltIn();
    return builtIn;
}

// Made afresh rather than copied from the built-in one, which most runs
// never need.
Catalogue& CurrencyCatalogue() {
    static Catalogue catalogue = MakeBuiltIn();
    return catalogue;
}

void ResetCatalogue() {
    CurrencyCatalogue() = BuiltInCatalogue();
}

const std::string& CurrencyName(const Catalogue& catalogue, int index, int language) {
    if (index < 0 || index >= kCurrencyCount)
        return Empty();
    return catalogue.CurrencyNames[2 * index + LanguageSlot(language)];
}

const std::string& CurrencyName(int index, int language) {
    return CurrencyName(CurrencyCatalogue(), index, language);
}

const std::string& PageLabel(const Catalogue& catalogue, int index) {
    if (index < 1 || index > kPageLabelCount)
        return Empty();
    return catalogue.PageLabels[index - 1];
}

int FindCurrencyIndex(const Catalogue& catalogue, std::string_view text, int language) {
    for (int k = 0; k < kCurrencyCount; ++k)
        if (catalogue.CurrencyNames[2 * k + LanguageSlot(language)] == text)
            return k;
    return -1;
}

int FindCurrencyIndex(std::string_view text, int language) {
    return FindCurrencyIndex(CurrencyCatalogue(), text, language);
}

const char* CurrencyCode(int index) {
    if (index < 0 || index >= kCurrencyCount)
        return "";
    return kEntries[index].code;
}

int FindCurrencyByCodeOrName(const Catalogue& catalogue, std::string_view text) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    for (int k = 0; k < kCurrencyCount; ++k) {
        const std::string_view code = CurrencyCode(k);
        if (std::ranges::equal(text, code, {}, upper))
            return k;
    }
    const int english = FindCurrencyIndex(catalogue, text, kEnglish);
    return english >= 0 ? english : FindCurrencyIndex(catalogue, text, kFrench);
}

int FindCurrencyByCodeOrName(std::string_view text) {
    return FindCurrencyByCodeOrName(CurrencyCatalogue(), text);
}

} // namespace kestrum
