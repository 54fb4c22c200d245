// The settings record: what is read is workable and survives a save unchanged.
#include "data/rate_store.h"
#include "fuzz_check.h"
#include "settings/configuration.h"

#include <cstdint>

using namespace kestrum;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ConfigRecord record =
        DeserializeConfig(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    FUZZ_CHECK(IsUsableFee(record.CashRate));
    FUZZ_CHECK(IsUsableDateOrder(record.YearPosition, record.MonthPosition));
    FUZZ_CHECK(record.RatePageAddress.size() <= std::size_t(kShortStringCapacity));
    const QByteArray image = SerializeConfig(record);
    FUZZ_CHECK(image.size() == kConfigRecordSize);
    FUZZ_CHECK(SerializeConfig(DeserializeConfig(image)) == image);
    return 0;
}
