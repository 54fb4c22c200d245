#include "rate_completion.h"

#include "history/coverage.h"
#include "history/parities.h"

namespace kestrum {

namespace {

void CompleteFromStore(RateStore& store, const QString& primary) {
    history::Store history;
    if (primary.isEmpty() || !history.OpenForReading().usable())
        return;
    const history::FillPolicy policy = history::ConfiguredFillPolicy();
    for (int d = 1; d <= kDayCount; ++d) {
        if (DayDate(store, d) == kNotAvailable)
            continue;
        // The day as it stands, not carried forward from its earlier days:
        // a gap of the primary is for the other sources to fill.
        const int day = int(DayDate(store, d));
        history::DayRates rates;
        for (int k = 1; k < kCurrencyCount; ++k)
            rates[k] = {DayRate(store, k, d), day, {.source = primary, .day = day}};
        history::CompleteRates(history, day, primary, policy, rates);
        for (int k = 1; k < kCurrencyCount; ++k)
            SetDayRate(store, k, d, rates[k].rate);
    }
}

} // namespace

void CompleteFromHistory(RateStore& store, const QString& primary) {
    try {
        CompleteFromStore(store, primary);
    } catch (const history::StoreError&) {
        // The answer keeps what it holds; the import has said the history failed.
    }
}

void ApplyParities(RateStore& store) {
    for (int d = 1; d <= kDayCount; ++d) {
        const double day = DayDate(store, d);
        if (day == kNotAvailable)
            continue;
        for (const Parity& parity : Parities())
            if (DayRate(store, parity.currency, d) == kNotAvailable &&
                ParityOn(parity.currency, day) != nullptr)
                SetDayRate(store, parity.currency, d,
                           RateFromParity(parity, DayRate(store, AnchorCurrency(parity), d)));
    }
}

} // namespace kestrum
