#pragma once

#include "data/rate_store.h"

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

} // namespace kestrum
