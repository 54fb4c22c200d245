#include "rate_completion.h"

#include "history/coverage.h"

namespace kestrum {

void CompleteFromHistory(RateStore& store) {
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
        const history::DayRates rates =
            history::RatesFor(history, int(DayDate(store, d)), primary, policy);
        for (int k = 1; k < kCurrencyCount; ++k)
            if (DayRate(store, k, d) == kNotAvailable)
                SetDayRate(store, k, d, rates[k].rate);
    }
}

} // namespace kestrum
