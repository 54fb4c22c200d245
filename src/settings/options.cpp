#include "options.h"

#include "preferences.h"

namespace kestrum {

OptionValues ReadOptions(const ConfigRecord& record) {
    return {record.AutoDownload != 0, record.CurrencyFormat != 0, record.RoundToCent != 0};
}

void ApplyOptions(const OptionValues& values, ConfigRecord& record) {
    record.AutoDownload = values.autoDownload ? 1 : 0;
    record.CurrencyFormat = values.currencyFormat ? 1 : 0;
    record.RoundToCent = values.roundToCent ? 1 : 0;
}

bool FillFromOtherSource() {
    return ReadPreference(QLatin1String(pref::kFillFromOtherSource)) != QLatin1String("off");
}

IoResult SetFillFromOtherSource(bool on) {
    return WritePreference(QLatin1String(pref::kFillFromOtherSource),
                           on ? QStringLiteral("on") : QStringLiteral("off"));
}

} // namespace kestrum
