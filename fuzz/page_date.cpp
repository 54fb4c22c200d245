// A page date token: -1 or a real day of the years 2000 to 9999.
#include "data/dates.h"
#include "data/rate_store.h"
#include "fuzz_check.h"
#include "update/rate_page_parser.h"

#include <cstdint>
#include <string_view>

using namespace kestrum;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // Positions outside 1..3 reach the function from old records too.
    const int year = data[0] % 5;
    const int month = (data[0] / 5) % 5;
    const std::string_view token(reinterpret_cast<const char*>(data + 1), size - 1);
    const double value = page::ParsePageDate(token, year, month);
    if (value == kNotAvailable)
        return 0;
    const QDate date = CalendarDate(value);
    FUZZ_CHECK(date.isValid());
    FUZZ_CHECK(date.year() >= 2000 && date.year() <= 9999);
    FUZZ_CHECK(DateValueOf(date) == value);
    return 0;
}
