#pragma once

#include "data/catalogue.h"
#include "data/rate_store.h"
#include "history/coverage.h"

#include <QString>
#include <array>
#include <vector>

namespace kestrum::cli {

// A rate as `list` shows it: the number, the publication day it belongs to
// and where it came from.
struct ListedRate {
    double rate = kNotAvailable;
    double day = kNotAvailable;
    QString origin; // "Bank of Canada", "ECB (filled)", "2.70 per USD"; empty when unknown
    history::Origin detail = {};
};
using ListedRates = std::array<ListedRate, kCurrencyCount>;

// The current rate of each currency in `rates`, with its origin.
ListedRates CurrentListedRates(const RateStore& rates);

// What the history gives for a date (YYYY-MM-DD, not in the future) under the
// configured source and fill switch; fails with exit 2 for a bad date and
// exit 4 when no rate is found within the look-back.
ListedRates ListedRatesAt(const QString& date);

// "at the rates of Friday, March 1, 2024 from the Bank of Canada" for the
// rates of the currencies named (the Canadian dollar needs none), naming
// each currency where their days or origins differ; empty when an origin is
// unknown.
struct RatedCurrency {
    int currency = 0;
    history::Origin origin;
};
QString RatesBasis(const std::vector<RatedCurrency>& rated);

} // namespace kestrum::cli
