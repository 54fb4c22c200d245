#include "data/catalogue.h"
#include "data/dates.h"
#include "history/parities.h"

#include <gtest/gtest.h>
#include <set>

namespace kestrum {
namespace {

int Index(const char* code) {
    return FindCurrencyByCodeOrName(code);
}

TEST(ParitiesTest, EveryParityNamesACatalogueCurrencyOnce) {
    std::set<int> seen;
    for (const Parity& parity : Parities()) {
        EXPECT_GT(parity.currency, 1);
        EXPECT_TRUE(seen.insert(parity.currency).second) << CurrencyCode(parity.currency);
    }
    EXPECT_EQ(seen.size(), 9u);
}

// Start dates hold from their first day, never the day before; the rate is
// the anchor's divided by the units per anchor.
TEST(ParitiesTest, HoldFromTheirStartDateAndDivideTheAnchorRate) {
    const struct {
        const char* code;
        int year, month, day;
        double anchorRate; // CAD per anchor unit
        double expected;   // CAD per unit, -1 when no parity holds
        const char* label;
    } cases[] = {
        {"XCD", 1976, 7, 6, 1.35, -1.0, ""},
        {"XCD", 1976, 7, 7, 1.35, 0.5, "2.70 per USD"},
        {"PAB", 2024, 5, 1, 1.37, 1.37, "1 per USD"},
        {"ANG", 2025, 4, 1, 1.79 * 1.4, 1.4, "1.79 per USD"},
        {"XOF", 1998, 12, 31, 1.5, -1.0, ""},
        {"XOF", 1999, 1, 1, 655.957, 1.0, "655.957 per EUR"},
        {"XPF", 2020, 3, 2, 1.5, 1.5 * 8.38 / 1000.0, "1000 XPF = 8.38 EUR"},
        {"SIT", 2006, 12, 29, 1.5, -1.0, ""},
        {"SIT", 2007, 1, 2, 239.640, 1.0, "239.640 per EUR, irrevocable"},
        {"SKK", 2009, 1, 1, 30.126, 1.0, "30.1260 per EUR, irrevocable"},
        {"HRK", 2022, 12, 30, 1.4, -1.0, ""},
        {"HRK", 2023, 1, 2, 7.5345 * 1.4, 1.4, "7.53450 per EUR, irrevocable"},
        {"USD", 2023, 1, 2, 1.0, -1.0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.code << " " << c.year << "-" << c.month << "-" << c.day);
        const Parity* parity = ParityOn(Index(c.code), DateValueFromYmd(c.year, c.month, c.day));
        if (c.expected < 0) {
            EXPECT_EQ(parity, nullptr);
            continue;
        }
        ASSERT_NE(parity, nullptr);
        EXPECT_NEAR(RateFromParity(*parity, c.anchorRate), c.expected, 1e-12);
        EXPECT_EQ(ParityLabel(*parity), QLatin1String(c.label));
        EXPECT_EQ(parity->euroChangeover,
                  ParityLabel(*parity).endsWith(QLatin1String("irrevocable")));
        EXPECT_EQ(RateFromParity(*parity, -1.0), -1.0);
    }
}

} // namespace
} // namespace kestrum
