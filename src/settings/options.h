#pragma once

#include "configuration.h"
#include "io_result.h"

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

// Whether a currency the configured source lacks takes the other source's
// rate (on unless switched off); kept in the preferences file.
bool FillFromOtherSource();
IoResult SetFillFromOtherSource(bool on);

} // namespace kestrum
