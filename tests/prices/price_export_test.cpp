#include "prices/price_export.h"

#include <gtest/gtest.h>

namespace kestrum::prices {
namespace {

// Ledger and beancount read no exponent, and a rounding that carries into a
// new digit must not leave eleven.
TEST(PriceExportTest, SignificantDigitsNeverUseAnExponent) {
    struct Case {
        double value;
        const char* text;
    } const cases[] = {
        {0.0000123456789012, "0.00001234567890"},
        {18140.123456789, "18140.12346"},
        {9.99999999996, "10.00000000"},
        {123456789012345.0, "123456789000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SignificantDigits(c.value).toStdString(), c.text) << c.value;
}

} // namespace
} // namespace kestrum::prices
