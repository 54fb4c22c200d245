#pragma once

#include "data/catalogue.h"
#include "data/rate_store.h"
#include "history/coverage.h"

#include <QString>
#include <array>

namespace kestrum::cli {

// A rate as `list` shows it: the number, the publication day it belongs to
// and where it came from.
struct ListedRate {
    double rate = kNotAvailable;
    double day = kNotAvailable;
    QString origin; // "Bank of Canada", "ECB (filled)", "2.70 per USD"; empty when unknown
};
using ListedRates = std::array<ListedRate, kCurrencyCount>;

// The origins of the five days in `rates`, from the history; empty origins
// when there is none.
history::RateOrigins StoredRateOrigins(const RateStore& rates);

// The current rate of each currency in `rates`, with its origin.
ListedRates CurrentListedRates(const RateStore& rates);

// What the history gives for a date (YYYY-MM-DD, not in the future) under the
// configured source and fill switch; fails with exit 2 for a bad date and
// exit 4 when no rate is found within the look-back.
ListedRates ListedRatesAt(const QString& date);

// "Bank of Canada, Friday, December 4, 2026" for the verbose conversion;
// a parity names its anchor's source too. Empty for an unknown origin.
QString OriginSentence(const history::Origin& origin);

} // namespace kestrum::cli
