// "rt.dt": every rate read is usable or missing, every date finite or missing.
#include "data/rate_files.h"
#include "data/rate_store.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>

using namespace kestrum;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RateStore store;
    const int records =
        DecodeRateFile(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), store);
    FUZZ_CHECK(records >= 0 && records <= kDayCount &&
               records == int(std::min<std::size_t>(kDayCount, size / kDayRecordSize)));
    ComputeCurrentRates(store);
    for (int d = 1; d <= kDayCount; ++d) {
        FUZZ_CHECK(std::isfinite(DayDate(store, d)));
        for (int k = 1; k < kDayRecordValues; ++k)
            FUZZ_CHECK(DayRate(store, k, d) == kNotAvailable || IsUsableRate(DayRate(store, k, d)));
    }
    for (int k = 1; k < kDayRecordValues; ++k)
        FUZZ_CHECK(CurrentRate(store, k) == kNotAvailable || IsUsableRate(CurrentRate(store, k)));
    RateStore again;
    const QByteArray bytes = EncodeRateFile(store);
    DecodeRateFile(bytes, again);
    FUZZ_CHECK(EncodeRateFile(again) == bytes);
    return 0;
}
