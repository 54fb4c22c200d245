#pragma once

// What must hold after a rate-source reader, whatever the body: no day is
// added unless it was read, every kept day lies within the bounds,
// every kept rate within the band with the text it was read from, and the
// dates of the five newest days ascend.
#include "data/rate_store.h"
#include "fuzz_check.h"
#include "sources/readers.h"

#include <cstdint>

inline int CheckSourceReader(kestrum::SourceRead (*read)(QByteArrayView, kestrum::sources::Answer&,
                                                         const kestrum::sources::DayBounds&),
                             const std::uint8_t* data, std::size_t size) {
    using namespace kestrum;
    // 2000-01-01 to 2030-12-31: the seeds hold days on both sides.
    const sources::DayBounds bounds{36526.0, 47848.0};
    sources::Answer answer;
    const SourceRead result = read(QByteArrayView(data, qsizetype(size)), answer, bounds);
    // Days only when read; what was left out is counted either way, and an
    // answer of another kind leaves everything alone.
    FUZZ_CHECK(answer.HasDays() == (result == SourceRead::Read));
    if (result == SourceRead::NotRecognised)
        FUZZ_CHECK(answer.published.empty() && answer.ratesRefused == 0 &&
                   answer.daysOutside.empty());
    for (const double day : answer.daysOutside)
        FUZZ_CHECK(!bounds.Holds(day));
    for (const auto& [source, published] : answer.published) {
        for (const auto& [date, record] : published.days) {
            FUZZ_CHECK(bounds.Holds(date) && record.Values[0] == date);
            const auto quotes = published.quotes.find(date);
            FUZZ_CHECK(quotes != published.quotes.end());
            for (int k = 1; k < kDayRecordValues; ++k) {
                const double rate = record.Values[k];
                FUZZ_CHECK(rate == kNotAvailable || sources::InBand(rate));
                FUZZ_CHECK((rate == kNotAvailable) == quotes->second.texts[size_t(k)].isEmpty());
            }
        }
        RateStore store;
        if (sources::StoreNewestDays(published.days, store)) {
            double previous = kNotAvailable;
            for (int d = 1; d <= kDayCount; ++d)
                if (const double date = DayDate(store, d); date != kNotAvailable) {
                    FUZZ_CHECK(date > previous);
                    previous = date;
                }
        }
    }
    return 0;
}
