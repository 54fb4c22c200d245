// The rate page parser: whatever the page, every stored rate is usable or missing.
#include "data/catalogue.h"
#include "data/rate_store.h"
#include "fuzz_check.h"
#include "settings/configuration.h"
#include "update/rate_page_parser.h"

#include <cstdint>

using namespace kestrum;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks the date order, stored values included.
    ConfigRecord config = DefaultConfig();
    config.YearPosition = 1 + data[0] % 3;
    config.MonthPosition = 1 + (data[0] / 3) % 3;
    config.DayPosition = 1 + (data[0] / 9) % 3;
    RateStore store;
    const bool parsed = ParseRatePage(QByteArrayView(data + 1, qsizetype(size - 1)), store,
                                      BuiltInCatalogue(), config);
    bool anyDate = false;
    for (int d = 1; d <= kDayCount; ++d) {
        anyDate = anyDate || DayDate(store, d) != kNotAvailable;
        for (int k = 1; k < kDayRecordValues; ++k)
            FUZZ_CHECK(DayRate(store, k, d) == kNotAvailable || IsUsableRate(DayRate(store, k, d)));
    }
    FUZZ_CHECK(!parsed || anyDate);
    return 0;
}
