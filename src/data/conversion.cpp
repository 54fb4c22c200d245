#include "conversion.h"

#include "number_text.h"

#include <QCoreApplication>

#include <cfenv>
#include <cmath>

namespace kestrum {

namespace {
constexpr int kPrecision = 18;
} // namespace

namespace {
double FeePercent(const ConfigRecord& config) {
    return IsUsableFee(config.CashRate) ? config.CashRate : kDefaultFee;
}
} // namespace

double FeeFactor(const ConfigRecord& config) {
    return config.CashRateOn ? 1.0 - FeePercent(config) / 100.0 : 1.0;
}

QString FeeSentence(const ConfigRecord& config) {
    return config.CashRateOn
               ? QCoreApplication::translate("Conversion", "less a %1% cash-rate fee")
                     .arg(QString::fromStdString(GeneralNumberText(FeePercent(config))))
               : QCoreApplication::translate("Conversion", "without a cash-rate fee");
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

QString FormatResult(double value, int decimals, bool currencyFormat, const QLocale& locale,
                     const QString& code) {
    if (currencyFormat) {
        if (code.isEmpty() || code == locale.currencySymbol(QLocale::CurrencyIsoCode))
            return locale.toCurrencyString(value, locale.currencySymbol(), decimals);
        // Where the locale's sign comes first Qt glues a code to the digits
        // ("EUR76.80").
        QString text = locale.toCurrencyString(value, code, decimals);
        const qsizetype after = text.indexOf(code) + code.size();
        if (after < text.size() && !text.at(after).isSpace())
            text.insert(after, QChar(0x00A0));
        return text;
    }
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    if (std::isfinite(value) && std::fabs(value) >= std::pow(10.0, kPrecision))
        return plain.toString(value, 'E', kPrecision - 1);
    return plain.toString(value, 'f', decimals);
}

QString PlainNumberText(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

} // namespace kestrum
