#include "parities.h"

#include "data/catalogue.h"
#include "data/dates.h"
#include "data/rate_store.h"

#include <array>

namespace kestrum {

namespace {

constexpr int kUSDollar = 1;
constexpr int kEuro = 13;

struct ParityRow {
    const char* code;
    ParityAnchor anchor;
    double unitsPerAnchor;
    int year, month, day;
    bool euroChangeover;
    const char* label;
};

// The authorities that fix these rates:
//   BSD  1 per USD since 1973: Central Bank of The Bahamas.
//   PAB  1 per USD since 1904: Republic of Panama (the U.S. dollar is legal tender).
//   XCD  2.70 per USD since 1976-07-07: Eastern Caribbean Central Bank.
//   ANG  1.79 per USD since 1971: Centrale Bank van Curaçao en Sint Maarten; the
//        Caribbean guilder replaced it 1:1 on 2025-03-31 at the same peg, so the
//        rate carries on unchanged.
//   XOF  655.957 per EUR since 1999-01-01: BCEAO (formerly 100 per French franc).
//   XPF  1000 XPF = 8.38 EUR since 1999-01-01: IEOM.
//   SIT  239.640 per EUR from 2007-01-01, SKK 30.1260 per EUR from 2009-01-01,
//   HRK  7.53450 per EUR from 2023-01-01: the Council of the EU's irrevocable
//        conversion rates at each euro changeover.
// Each holds from the first day of its year where only the year is known.
constexpr std::array<ParityRow, 9> kRows = {{
    {"BSD", ParityAnchor::USDollar, 1.0, 1973, 1, 1, false,
     QT_TRANSLATE_NOOP("Parities", "1 per USD")},
    {"PAB", ParityAnchor::USDollar, 1.0, 1904, 1, 1, false,
     QT_TRANSLATE_NOOP("Parities", "1 per USD")},
    {"XCD", ParityAnchor::USDollar, 2.70, 1976, 7, 7, false,
     QT_TRANSLATE_NOOP("Parities", "2.70 per USD")},
    {"ANG", ParityAnchor::USDollar, 1.79, 1971, 1, 1, false,
     QT_TRANSLATE_NOOP("Parities", "1.79 per USD")},
    {"XOF", ParityAnchor::Euro, 655.957, 1999, 1, 1, false,
     QT_TRANSLATE_NOOP("Parities", "655.957 per EUR")},
    {"XPF", ParityAnchor::Euro, 1000.0 / 8.38, 1999, 1, 1, false,
     QT_TRANSLATE_NOOP("Parities", "1000 XPF = 8.38 EUR")},
    {"SIT", ParityAnchor::Euro, 239.640, 2007, 1, 1, true,
     QT_TRANSLATE_NOOP("Parities", "239.640 per EUR, irrevocable")},
    {"SKK", ParityAnchor::Euro, 30.1260, 2009, 1, 1, true,
     QT_TRANSLATE_NOOP("Parities", "30.1260 per EUR, irrevocable")},
    {"HRK", ParityAnchor::Euro, 7.53450, 2023, 1, 1, true,
     QT_TRANSLATE_NOOP("Parities", "7.53450 per EUR, irrevocable")},
}};

int IndexOfCode(const char* code) {
    for (int k = 0; k < kCurrencyCount; ++k)
        if (QLatin1String(CurrencyCode(k)) == QLatin1String(code))
            return k;
    return -1;
}

using Table = std::array<Parity, kRows.size()>;

const Table& TheTable() {
    static const Table table = [] {
        Table t;
        for (std::size_t i = 0; i < kRows.size(); ++i) {
            const ParityRow& row = kRows[i];
            t[i] = {IndexOfCode(row.code), row.anchor,
                    row.unitsPerAnchor,    DateValueFromYmd(row.year, row.month, row.day),
                    row.euroChangeover,    row.label};
        }
        return t;
    }();
    return table;
}

} // namespace

std::span<const Parity> Parities() {
    return TheTable();
}

const Parity* ParityOn(int currency, double day) {
    for (const Parity& parity : Parities())
        if (parity.currency == currency)
            return day >= parity.holdsFrom ? &parity : nullptr;
    return nullptr;
}

int AnchorCurrency(const Parity& parity) {
    return parity.anchor == ParityAnchor::USDollar ? kUSDollar : kEuro;
}

double RateFromParity(const Parity& parity, double anchorRate) {
    if (!IsUsableRate(anchorRate))
        return kNotAvailable;
    return UsableRateOrMissing(anchorRate / parity.unitsPerAnchor);
}

QString ParityLabel(const Parity& parity) {
    return QLatin1String(parity.label);
}

} // namespace kestrum
