#include "rate_completion.h"

#include "data/rate_files.h"
#include "history/coverage.h"
#include "history/parities.h"
#include "settings/dir_lock.h"
#include "settings/options.h"

#include <QFileInfo>

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

namespace {

IoResult RebuildFromStore(RateStore& store, ConfigRecord& config) {
    if (!QFileInfo::exists(RateFilePath()))
        return IoResult::Success();
    if (const RateFileLoad load = LoadRateFile(store, config);
        load.status != RateFileStatus::Loaded)
        return IoResult::Success(); // nothing sound to rebuild; the next answer follows the switch
    history::Store history;
    if (!history.OpenForReading().usable())
        return IoResult::Success();
    const QString primary = history::LastImportedSource(history);
    if (primary.isEmpty())
        return IoResult::Success();
    const history::FillPolicy policy = history::ConfiguredFillPolicy();
    bool changed = false;
    for (int d = 1; d <= kDayCount; ++d) {
        if (!DayHasRates(store, d))
            continue;
        const int day = int(DayDate(store, d));
        if (history::StoredDays(history, primary, day, day).empty())
            continue;
        const history::DayRates rates =
            history::RatesOfPublicationDay(history, day, primary, policy);
        for (int k = 1; k < kCurrencyCount; ++k) {
            changed = changed || DayRate(store, k, d) != rates[k].rate;
            SetDayRate(store, k, d, rates[k].rate);
        }
    }
    return changed ? SaveRateFile(store, config) : IoResult::Success();
}

} // namespace

IoResult SwitchFilling(bool on, RateStore& store, ConfigRecord& config) {
    // The switch and the file it shapes change under one lock, so a download
    // in between never completes with the old switch after the rebuild.
    const DirLock lock;
    if (const IoResult saved = SetFillFromOtherSource(on); !saved)
        return saved;
    try {
        return RebuildFromStore(store, config);
    } catch (const history::StoreError& error) {
        return IoResult::Failure(error.sentence());
    }
}

} // namespace kestrum
