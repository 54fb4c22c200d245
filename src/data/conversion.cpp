#include "conversion.h"

#include <cfenv>
#include <cmath>

namespace kestrum {

namespace {
constexpr int kPrecision = 18;
} // namespace

double FeeFactor(const ConfigRecord& config) {
    const double percent = IsUsableFee(config.CashRate) ? config.CashRate : kDefaultFee;
    return config.CashRateOn ? 1.0 - percent / 100.0 : 1.0;
}

double CrossRate(const RateStore& store, int a, int b, double fee) {
    return CurrentRate(store, a) * ((1.0 / CurrentRate(store, b)) * fee);
}

double RoundedToCent(double amount, double factor) {
    const double v = amount * factor;
    const double whole = std::trunc(v);
    // nearbyint rounds in the current mode, which is to-nearest-even unless
    // someone changed it; say so explicitly.
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double cents = std::nearbyint((v - whole) * 100.0) / 100.0;
    std::fesetround(previous);
    return whole + cents;
}

Conversion ConvertAmount(const RateStore& store, const ConfigRecord& config, int a, int b,
                         double amount) {
    Conversion c;
    const double fee = FeeFactor(config);
    const double rateA = CurrentRate(store, a);
    const double rateB = CurrentRate(store, b);
    double factor = 1.0;
    double plain = amount;
    if (a == b) {
        factor = 1.0;
        plain = amount;
    } else if (b == 0) {
        if (!IsUsableRate(rateA))
            return c;
        factor = rateA * fee;
        plain = (rateA * amount) * fee;
    } else if (a == 0) {
        if (!IsUsableRate(rateB))
            return c;
        factor = (1.0 / rateB) * fee;
        plain = (amount * (1.0 / rateB)) * fee;
    } else {
        if (!IsUsableRate(rateA) || !IsUsableRate(rateB))
            return c;
        factor = CrossRate(store, a, b, fee);
        plain = factor * amount;
    }
    c.factor = factor;
    if (config.RoundToCent) {
        c.result = RoundedToCent(amount, factor);
        c.decimals = 2;
    } else {
        c.result = plain;
        c.decimals = 4;
    }
    c.available = std::isfinite(c.result);
    c.tooLarge = !c.available;
    return c;
}

QString FormatResult(double value, int decimals, bool currencyFormat, const QLocale& locale) {
    if (currencyFormat)
        return locale.toCurrencyString(value, QString(), decimals);
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    if (std::isfinite(value) && std::fabs(value) >= std::pow(10.0, kPrecision))
        return plain.toString(value, 'E', kPrecision - 1);
    return plain.toString(value, 'f', decimals);
}

} // namespace kestrum
