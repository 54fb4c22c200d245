#include "commands.h"
#include "data/cp1252.h"
#include "output.h"
#include "settings/configuration.h"
#include "settings/options.h"
#include "sources/source_table.h"
#include "update/rate_completion.h"
#include "update/rate_sources.h"
#include "update/split_address.h"

#include <QCoreApplication>

namespace kestrum::cli {

namespace {
constexpr const char* kSyntax = "source [boc|ecb|URL] [--fill on|off]";
const QString kFill = QStringLiteral("fill");

// "on" or "off" in any case; empty when the option is absent.
QString FillChoice(const Arguments& arguments) {
    if (!arguments.IsSet(kFill))
        return {};
    const QString choice = arguments.Value(kFill).toLower();
    if (choice != QLatin1String("on") && choice != QLatin1String("off"))
        Fail(kUsageError,
             QCoreApplication::translate("Source", "--fill takes on or off, not \"%1\".")
                 .arg(arguments.Value(kFill)));
    return choice;
}

// The switch lives apart from the record, so it never creates "kestrumconfig";
// "rt.dt" is rebuilt under it at once.
void SetFill(const QString& choice) {
    if (const IoResult switched =
            SwitchFilling(choice == QLatin1String("on"), Rates(), Configuration());
        !switched)
        Fail(kDataFileError, WithoutFullStop(switched.error) + QLatin1Char('.'));
    PrintLine(
        QCoreApplication::translate("Source", "Filling from the other source: %1.").arg(choice));
}
} // namespace

void DefineSource(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QStringLiteral("SOURCE"),
        QCoreApplication::translate(
            "Source", "boc: the Bank of Canada's daily rates; ecb: the European Central Bank's "
                      "reference rates; or any http or https address. Without it the configured "
                      "address is printed."),
        QStringLiteral("[boc|ecb|URL]"));
    parser.addOption({kFill,
                      QCoreApplication::translate(
                          "Source", "on (default): a currency the source lacks takes the other "
                                    "source's rate of the same day or up to 7 days before; off: "
                                    "only the source's own rates."),
                      QStringLiteral("on|off")});
}

int RunSource(const Arguments& arguments) {
    const QStringList& positional = arguments.Positional();
    if (positional.size() > 1)
        ExpectArguments(arguments, 1, kSyntax);
    const QString fill = FillChoice(arguments);
    LoadSettings();
    if (!fill.isEmpty() && positional.isEmpty()) {
        SetFill(fill);
        return kSuccess;
    }
    if (positional.isEmpty()) {
        PrintLine(DisplayedAddress(FromCp1252(Configuration().RatePageAddress)));
        return kSuccess;
    }
    const std::optional<QString> address = RateSourceAddress(positional[0]);
    if (const sources::RateSource* named = sources::SourceNamed(positional[0]);
        named && named->fillsOnly)
        Fail(kUsageError, QCoreApplication::translate(
                              "Source", "%1 only fills the gaps of the configured source; "
                                        "choose boc, ecb or an address (its tables fill with "
                                        "\"kestrum source --fill on\").")
                              .arg(sources::SourceWithArticle(positional[0], true)));
    if (!address)
        Fail(kUsageError, QCoreApplication::translate(
                              "Source", "\"%1\" is not boc, ecb or an http or https address of "
                                        "at most 255 characters that can be fetched.")
                              .arg(DisplayedAddress(positional[0])));
    // The one command that may create the settings file: the address has to
    // live somewhere.
    Configuration().RatePageAddress = ToCp1252(*address);
    if (const IoResult saved = SaveConfiguration(); !saved)
        Fail(kDataFileError, WithoutFullStop(saved.error) + QLatin1Char('.'));
    PrintLine(DisplayedAddress(*address));
    if (!fill.isEmpty())
        SetFill(fill);
    return kSuccess;
}

} // namespace kestrum::cli
