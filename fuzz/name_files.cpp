// "mlist.dt" and "clist.dt": any bytes fill the tables without overrunning them.
#include "data/catalogue.h"
#include "data/rate_files.h"
#include "fuzz_check.h"
#include "settings/configuration.h"

#include <cstdint>

using namespace kestrum;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView contents(reinterpret_cast<const char*>(data), qsizetype(size));
    for (auto apply : {ApplyPageLabelFile, ApplyCurrencyNameFile}) {
        Catalogue catalogue = BuiltInCatalogue();
        ConfigRecord config = DefaultConfig();
        apply(contents, catalogue, config);
        FUZZ_CHECK(config.RatePageAddress.size() <= std::size_t(kShortStringCapacity));
        // The Canadian dollar keeps its names whatever the file says.
        FUZZ_CHECK(catalogue.CurrencyNames[0] == BuiltInCatalogue().CurrencyNames[0]);
        for (const std::string& name : catalogue.CurrencyNames)
            FUZZ_CHECK(name.find('\n') == std::string::npos);
    }
    return 0;
}
