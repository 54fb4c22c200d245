#pragma once

#include "data/rate_store.h"
#include "history/parities.h"

namespace kestrum::test {

// What a stored answer becomes once the fixed parities complete it: each
// missing rate of a pegged currency is its anchor's rate of that day over the
// parity, from the parity's start date.
inline RateStore WithParities(RateStore store) {
    for (int d = 1; d <= kDayCount; ++d) {
        for (const Parity& parity : Parities()) {
            const double anchor = DayRate(store, AnchorCurrency(parity), d);
            if (DayRate(store, parity.currency, d) == kNotAvailable &&
                DayDate(store, d) >= parity.holdsFrom && anchor != kNotAvailable)
                SetDayRate(store, parity.currency, d, anchor / parity.unitsPerAnchor);
        }
    }
    ComputeCurrentRates(store);
    return store;
}

} // namespace kestrum::test
