// The National Bank of Poland's JSON reader.
#include "source_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return CheckSourceReader(&kestrum::ReadNbpAnswer, data, size);
}
