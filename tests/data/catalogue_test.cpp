#include "data/catalogue.h"
#include "data/cp1252.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kestrum {
namespace {

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCatalogue(); }
    void TearDown() override { ResetCatalogue(); }
};

TEST_F(CatalogueTest, FindCurrencyIndexComparesExactBytesInOneLanguage) {
    EXPECT_EQ(FindCurrencyIndex("Canadian Dollar", kEnglish), 0);
    EXPECT_EQ(FindCurrencyIndex("Dollar canadien", kFrench), 0);
    EXPECT_EQ(FindCurrencyIndex("Dollar canadien", kEnglish), -1);
    EXPECT_EQ(FindCurrencyIndex("Canadian Dollar", kFrench), -1);
    EXPECT_EQ(FindCurrencyIndex("canadian dollar", kEnglish), -1);
    EXPECT_EQ(FindCurrencyIndex("Canadian Dollar ", kEnglish), -1);
    EXPECT_EQ(FindCurrencyIndex("Canadian", kEnglish), -1);
    EXPECT_EQ(FindCurrencyIndex("", kEnglish), -1);

    EXPECT_EQ(FindCurrencyIndex("Europe Euro", kFrench), 13);
    EXPECT_EQ(FindCurrencyIndex("European EURO", kEnglish), 13);
    EXPECT_EQ(FindCurrencyIndex("Venezuelan Bolivar", kEnglish), 55);
    EXPECT_EQ(FindCurrencyIndex("Dollar am\xe9ricain", kFrench), 1);
    EXPECT_EQ(FindCurrencyIndex("Bolivar v\xe9n\xe9zu\xe9lien", kFrench), 55);
    // The UTF-8 spelling is a different byte string.
    EXPECT_EQ(FindCurrencyIndex("Dollar am\xc3\xa9ricain", kFrench), -1);
    // Any non-zero language searches the French names.
    EXPECT_EQ(FindCurrencyIndex("Couronne tch\xe8que", 2), 10);
    EXPECT_EQ(CurrencyName(26, 2), "Dollar jama\xef"
                                   "cain");

    EXPECT_EQ(CurrencyName(0, kEnglish), "Canadian Dollar");
    EXPECT_EQ(CurrencyName(54, kEnglish), "U.K.Pound Sterling");
    EXPECT_EQ(CurrencyName(-1, kEnglish), "");
    EXPECT_EQ(CurrencyName(56, kFrench), "");
}

TEST_F(CatalogueTest, EveryNameFindsItsOwnIndex) {
    // Catches duplicated or misplaced names anywhere in the table.
    for (int k = 0; k < kCurrencyCount; ++k) {
        for (int language : {kEnglish, kFrench}) {
            const std::string& name = CurrencyName(k, language);
            EXPECT_FALSE(name.empty()) << k;
            EXPECT_EQ(FindCurrencyIndex(name, language), k) << name;
        }
    }
}

TEST_F(CatalogueTest, PageLabels) {
    EXPECT_EQ(PageLabel(BuiltInCatalogue(), 1), "U.S. Dollar / Dollar am\xe9ricain");
    EXPECT_EQ(PageLabel(BuiltInCatalogue(), 2), "Argentine Peso / Peso argentin");
    EXPECT_EQ(PageLabel(BuiltInCatalogue(), 26), "Jamaican dollar / Dollar jama\xef"
                                                 "cain");
    EXPECT_EQ(PageLabel(BuiltInCatalogue(), 55),
              "Venezuelan Bolivar / Bolivar v\xe9n\xe9zu\xe9lien");

    EXPECT_EQ(PageLabel(BuiltInCatalogue(), 12), "Dollar des Cara\xef"
                                                 "bes Orientales");
    EXPECT_EQ(PageLabel(BuiltInCatalogue(), 13), "Europe Euro");
    EXPECT_EQ(PageLabel(BuiltInCatalogue(), 15),
              "Franc CFA (Communaut\xe9 Financi\xe8re Africaine)");
    EXPECT_EQ(PageLabel(BuiltInCatalogue(), 16), "Franc CFP (Comptoirs fran\xe7"
                                                 "ais du Pacifique)");
    EXPECT_EQ(PageLabel(BuiltInCatalogue(), 53), "New Turkish Lira (2)/ Nouvelle livre turque (2)");

    EXPECT_EQ(PageLabel(BuiltInCatalogue(), 0), "");
    EXPECT_EQ(PageLabel(BuiltInCatalogue(), 56), "");
}

TEST_F(CatalogueTest, IsoCodes) {
    EXPECT_STREQ(CurrencyCode(0), "CAD");
    EXPECT_STREQ(CurrencyCode(1), "USD");
    EXPECT_STREQ(CurrencyCode(13), "EUR");
    EXPECT_STREQ(CurrencyCode(15), "XOF");
    EXPECT_STREQ(CurrencyCode(54), "GBP");
    EXPECT_STREQ(CurrencyCode(55), "VEF");
    EXPECT_STREQ(CurrencyCode(-1), "");
    EXPECT_STREQ(CurrencyCode(56), "");

    std::set<std::string> codes;
    for (int k = 0; k < kCurrencyCount; ++k) {
        const std::string code = CurrencyCode(k);
        EXPECT_EQ(code.size(), 3u) << k;
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(kCurrencyCount));
}

TEST_F(CatalogueTest, FindsCurrenciesByCodeInAnyCaseOrByEitherName) {
    for (int k = 0; k < kCurrencyCount; ++k) {
        const std::string code = CurrencyCode(k);
        std::string lower = code;
        for (char& c : lower)
            c = static_cast<char>(c - 'A' + 'a');
        std::string mixed = lower;
        mixed[0] = code[0];
        EXPECT_EQ(FindCurrencyByCodeOrName(code), k) << code;
        EXPECT_EQ(FindCurrencyByCodeOrName(lower), k) << lower;
        EXPECT_EQ(FindCurrencyByCodeOrName(mixed), k) << mixed;
        EXPECT_EQ(FindCurrencyByCodeOrName(CurrencyName(k, kEnglish)), k) << k;
        EXPECT_EQ(FindCurrencyByCodeOrName(CurrencyName(k, kFrench)), k) << k;
    }
    EXPECT_EQ(FindCurrencyByCodeOrName(Utf8ToCp1252("Dollar américain")), 1);
    EXPECT_EQ(FindCurrencyByCodeOrName(Utf8ToCp1252("Dollar des Caraïbes Orientales")), 12);

    // Names are exact; codes are whole.
    for (const char* text : {"", "US", "USDX", " USD", "u.s. dollar", "U.S. Dollar ", "Euro",
                             "Dollar am\xc3\xa9ricain", "XXX"})
        EXPECT_EQ(FindCurrencyByCodeOrName(text), -1) << text;
}

TEST_F(CatalogueTest, CodesOutrankNamesAndRenamedCurrenciesStayReachable) {
    Catalogue renamed = BuiltInCatalogue();
    renamed.CurrencyNames[2 * 5] = "USD"; // an English name that is another's code
    renamed.CurrencyNames[2 * 1] = "Greenback";
    renamed.CurrencyNames[2 * 7 + 1] = "Yuan";
    EXPECT_EQ(FindCurrencyByCodeOrName(renamed, "USD"), 1);
    EXPECT_EQ(FindCurrencyByCodeOrName(renamed, "Greenback"), 1);
    EXPECT_EQ(FindCurrencyByCodeOrName(renamed, "U.S. Dollar"), -1);
    EXPECT_EQ(FindCurrencyByCodeOrName(renamed, "Yuan"), 7);
    EXPECT_EQ(FindCurrencyByCodeOrName(renamed, "brl"), 5);
    // The program-wide catalogue is the one the overloads without one use.
    CurrencyCatalogue() = renamed;
    EXPECT_EQ(FindCurrencyByCodeOrName("Greenback"), 1);
}

TEST_F(CatalogueTest, NamesAreWindows1252AndSurviveTheToolkitRoundTrip) {
    EXPECT_EQ(CurrencyName(5, kFrench), "Real br\xe9silien");
    EXPECT_EQ(CurrencyName(12, kFrench), "Dollar des Cara\xef"
                                         "bes Orientales");
    EXPECT_EQ(FromCp1252(CurrencyName(1, kFrench)), QString::fromUtf8("Dollar américain"));

    for (const std::string& name : BuiltInCatalogue().CurrencyNames)
        EXPECT_EQ(ToCp1252(FromCp1252(name)), name);
}

TEST(Cp1252, MapsEveryByteBothWays) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString text = FromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCp1252(text), all);

    EXPECT_EQ(text[0x80], QChar(0x20AC)); // euro sign
    EXPECT_EQ(text[0x9C], QChar(0x0153)); // oe ligature
    EXPECT_EQ(text[0x81], QChar(0x0081)); // undefined, passed through
    EXPECT_EQ(ToCp1252(QString::fromUtf8("a\xce\xa9\xf0\x9f\x98\x80z")), "a??z");
    // Straight from UTF-8 alike, malformed bytes included.
    EXPECT_EQ(Utf8ToCp1252(text.toUtf8().toStdString()), all);
    const char* malformed = "a\xce\xa9\xf0\x9f\x98\x80z\xff\xe2\x82\xe0\x80\x80";
    EXPECT_EQ(Utf8ToCp1252(malformed), ToCp1252(QString::fromUtf8(malformed)));
}

} // namespace
} // namespace kestrum
