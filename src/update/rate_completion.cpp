#include "rate_completion.h"

#include "history/coverage.h"

namespace kestrum {

namespace {

void CompleteFromStore(RateStore& store) {
    history::Store history;
    if (!history.OpenForReading().usable())
        return;
    const QString primary = history::LastImportedSource(history);
    const double newest = LatestDataDate(store);
    // A history that did not take this answer would complete it under another's name.
    if (primary.isEmpty() || newest == kNotAvailable ||
        history::StoredDays(history, primary, int(newest), int(newest)).empty())
        return;
    const history::FillPolicy policy = history::ConfiguredFillPolicy();
    for (int d = 1; d <= kDayCount; ++d) {
        if (!DayHasRates(store, d))
            continue;
        // The answer's own day as it stands, not carried forward from its
        // earlier days: a gap of the primary is for the other source to fill.
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

void CompleteFromHistory(RateStore& store) {
    try {
        CompleteFromStore(store);
    } catch (const history::StoreError&) {
        // The answer keeps what it holds; the import has said the history failed.
    }
}

} // namespace kestrum
