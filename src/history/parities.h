#pragma once

#include <QString>
#include <span>

namespace kestrum {

enum class ParityAnchor { USDollar, Euro };

// A fixed official rate of a catalogue currency to the U.S. dollar or the euro.
struct Parity {
    int currency;          // catalogue index
    ParityAnchor anchor;   // USD (index 1) or EUR (index 13)
    double unitsPerAnchor; // units of the currency one anchor unit buys
    double holdsFrom;      // date value of the first day it holds
    bool euroChangeover;   // an irrevocable rate: the currency itself is gone
    const char* label;     // "2.70 per USD", "239.640 per EUR, irrevocable"
};

// Every parity, one per currency.
std::span<const Parity> Parities();

// The parity of a currency that holds on a day (a date value); nullptr
// before its start date and for currencies without one.
const Parity* ParityOn(int currency, double day);

// The catalogue index of the anchor (1 USD, 13 EUR).
int AnchorCurrency(const Parity& parity);

// Canadian dollars per unit from the anchor's rate; -1 when the anchor's rate
// is not usable.
double RateFromParity(const Parity& parity, double anchorRate);

QString ParityLabel(const Parity& parity);

} // namespace kestrum
