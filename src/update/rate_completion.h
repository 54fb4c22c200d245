#pragma once

#include "data/rate_store.h"

namespace kestrum {

// Completes the five days just read with what the history gives for them
// under the source of the latest import (the answer just kept): the other
// source's rates when filling is on, then the fixed parities. A rate the
// answer holds is never replaced; without a usable history nothing changes.
void CompleteFromHistory(RateStore& store);

} // namespace kestrum
