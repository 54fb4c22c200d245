// The ECB's XML reader.
#include "source_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return CheckSourceReader(&kestrum::ReadEcbAnswer, data, size);
}
