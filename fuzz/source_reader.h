#pragma once

// What must hold after a rate-source reader, whatever the body: the store is
// untouched unless it was read, and then every stored rate is usable or
// missing and the dates ascend.
#include "data/rate_store.h"
#include "fuzz_check.h"
#include "update/rate_sources.h"

#include <cstdint>

inline int CheckSourceReader(kestrum::SourceRead (*read)(QByteArrayView, kestrum::RateStore&),
                             const std::uint8_t* data, std::size_t size) {
    using namespace kestrum;
    RateStore store;
    SetDayDate(store, 3, 12345.0);
    if (read(QByteArrayView(data, qsizetype(size)), store) != SourceRead::Read) {
        FUZZ_CHECK(DayDate(store, 3) == 12345.0);
        return 0;
    }
    double previous = kNotAvailable;
    for (int d = 1; d <= kDayCount; ++d) {
        const double date = DayDate(store, d);
        FUZZ_CHECK(date == kNotAvailable || date > previous);
        if (date != kNotAvailable)
            previous = date;
        for (int k = 1; k < kDayRecordValues; ++k)
            FUZZ_CHECK(DayRate(store, k, d) == kNotAvailable || IsUsableRate(DayRate(store, k, d)));
    }
    FUZZ_CHECK(previous != kNotAvailable);
    return 0;
}
