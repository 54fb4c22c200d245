// The address split: any text gives a known scheme and a normal form.
#include "update/split_address.h"
#include "fuzz_check.h"
#include "settings/local_text.h"

#include <cstdint>

using namespace kestrum;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString address =
        QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    const AddressParts parts =
        SplitAddress(address, QStringLiteral("u"), QStringLiteral("p"), 8080);
    FUZZ_CHECK(parts.Scheme == QLatin1String("http") || parts.Scheme == QLatin1String("https"));
    const QString normal = NormalizedAddress(parts);
    (void)NormalizedAddress(SplitAddress(normal));
    // Masking keeps everything outside the password, control characters
    // shown escaped.
    const QString shown = DisplayedAddress(address);
    FUZZ_CHECK(shown == Printable(address) || shown.contains(QLatin1String("***")));
    return 0;
}
