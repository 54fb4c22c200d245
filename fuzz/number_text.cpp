// Amount and number texts: a value read is always a finite, positive number.
#include "data/number_text.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <string>

using namespace kestrum;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const AmountReading reading = ReadAmountText(text);
    FUZZ_CHECK(std::isfinite(reading.value) && reading.value >= 0.0);
    FUZZ_CHECK(reading.value == 0.0 || reading.messages.empty());
    FUZZ_CHECK(reading.value == 0.0 || text.size() <= std::size_t(kMaxAmountLength));
    if (const auto value = ParseDecimal(text))
        FUZZ_CHECK(std::isfinite(*value));
    (void)CheckAmount(text);
    if (!text.empty()) {
        const std::string normal = NormalizeNumber(text, "4");
        FUZZ_CHECK(!normal.empty() && normal.front() != '.');
    }
    (void)IsUsableNumber(text);
    (void)GeneralNumberText(reading.value);
    return 0;
}
