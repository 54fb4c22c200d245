#include "commands.h"
#include "data/cp1252.h"
#include "output.h"
#include "settings/configuration.h"
#include "update/rate_sources.h"
#include "update/split_address.h"

namespace kestrum::cli {

namespace {
constexpr const char* kSyntax = "source [boc|ecb|URL]";
} // namespace

void DefineSource(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QStringLiteral("SOURCE"),
        QStringLiteral("boc: the Bank of Canada's daily rates; ecb: the European Central Bank's "
                       "reference rates; or any http or https address. Without it the configured "
                       "address is printed."),
        QStringLiteral("[boc|ecb|URL]"));
}

int RunSource(const Arguments& arguments) {
    const QStringList& positional = arguments.Positional();
    if (positional.size() > 1)
        ExpectArguments(arguments, 1, kSyntax);
    LoadSettings();
    if (positional.isEmpty()) {
        PrintLine(DisplayedAddress(FromCp1252(Configuration().RatePageAddress)));
        return kSuccess;
    }
    const std::optional<QString> address = RateSourceAddress(positional[0]);
    if (!address)
        Fail(kUsageError, QStringLiteral("\"%1\" is not boc, ecb or an http or https address of "
                                         "at most 255 characters that can be fetched.")
                              .arg(DisplayedAddress(positional[0])));
    // The one command that may create the settings file: the address has to
    // live somewhere.
    Configuration().RatePageAddress = ToCp1252(*address);
    if (const IoResult saved = SaveConfiguration(); !saved)
        Fail(kDataFileError, WithoutFullStop(saved.error) + QLatin1Char('.'));
    PrintLine(DisplayedAddress(*address));
    return kSuccess;
}

} // namespace kestrum::cli
