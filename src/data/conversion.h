#pragma once

#include "rate_store.h"
#include "settings/configuration.h"

#include <QLocale>
#include <QString>

namespace kestrum {

// 1 - CashRate/100 when the cash-rate fee is on, else exactly 1. A fee outside
// its range counts as the default.
double FeeFactor(const ConfigRecord& config);

// "less a 4% cash-rate fee" or "without a cash-rate fee", naming the fee
// FeeFactor applies. Rounding is not part of it: rate tables keep four decimals.
QString FeeSentence(const ConfigRecord& config);

// What one unit of a is worth in b through the Canadian dollar, fee included:
// rate(a) * ((1 / rate(b)) * fee), in that order.
double CrossRate(const RateStore& store, int a, int b, double fee);

constexpr const char* kTooLargeMessage =
    QT_TRANSLATE_NOOP("Conversion", "The result is too large to show.");

struct Conversion {
    bool available = false; // false: a rate is missing, or the result is not finite
    bool tooLarge = false;  // the result overflowed; show kTooLargeMessage
    double result = 0.0;
    int decimals = 4;    // 2 when rounded to the cent
    double factor = 0.0; // one unit of a in b, fee included
};

// Converts an amount of currency a into currency b with the fee and rounding
// settings of the record. The order of the multiplications is part of the
// result: it decides the last bits.
Conversion ConvertAmount(const RateStore& store, const ConfigRecord& config, int a, int b,
                         double amount);

// amount * factor with its cents rounded to the nearest cent, ties to even.
double RoundedToCent(double amount, double factor);

// A result as the user sees it: the locale's currency format, or plain fixed
// notation with the locale's decimal separator and no grouping (scientific
// beyond 18 integer digits). The currency format names the result's currency
// `code`: by the locale's sign when it is the locale's own currency (or no
// code is given), else by the code, in the locale's place for a sign.
QString FormatResult(double value, int decimals, bool currencyFormat, const QLocale& locale,
                     const QString& code = QString());

// A result for other programs to read: fixed notation with "." and no
// grouping whatever its size, never an exponent.
QString PlainNumberText(double value, int decimals);

} // namespace kestrum
