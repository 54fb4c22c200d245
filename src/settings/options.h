#pragma once

#include "configuration.h"

namespace kestrum {

// The three settings the options dialog edits, as a copy apart from the
// record until the user presses OK.
struct OptionValues {
    bool autoDownload = false;
    bool currencyFormat = false;
    bool roundToCent = false;
};

OptionValues ReadOptions(const ConfigRecord& record);
void ApplyOptions(const OptionValues& values, ConfigRecord& record);

} // namespace kestrum
