#pragma once

#include "data/rate_store.h"
#include "settings/configuration.h"
#include "settings/io_result.h"

#include <QString>

namespace kestrum {

// Completes the five days of `store` with what the history gives for them
// under `primary`, the source the days are of: the other sources' rates when
// filling is on, then the fixed parities. A rate the days hold is never
// replaced; without a usable history nothing changes.
void CompleteFromHistory(RateStore& store, const QString& primary);

// The fixed parities applied to the five days themselves, from each day's
// own anchor rate: no history is needed for them.
void ApplyParities(RateStore& store);

// Sets the fill switch and rebuilds the five days of "rt.dt" in `store`
// under it at once, so the grids, the verbose origins and the dated
// conversions agree: each day the history holds of the latest import's
// source is taken afresh from it (that source's own rates of the day, then
// what the switch and the parities add); a day it lacks stays as it was.
// Without "rt.dt" or a usable history only the switch changes.
IoResult SwitchFilling(bool on, RateStore& store, ConfigRecord& config);

} // namespace kestrum
