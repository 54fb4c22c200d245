#include "commands.h"
#include "modules.h"
#include "output.h"

#include <QCoreApplication>

namespace kestrum::cli {

void DefineUpdate(QCommandLineParser& parser) {
    parser.addOption(
        {QStringLiteral("url"),
         QCoreApplication::translate("Update", "Fetch <url> instead of the configured rate page."),
         QStringLiteral("url")});
    parser.addOption({QStringLiteral("fill-url"),
                      QCoreApplication::translate(
                          "Update", "Fetch the rates that fill missing currencies from <url> "
                                    "instead of the other service (with filling on)."),
                      QStringLiteral("url")});
    parser.addOption({QStringLiteral("nbp-url"),
                      QCoreApplication::translate(
                          "Update", "Fetch the National Bank of Poland's tables A and B from "
                                    "under <url> instead of its service (with filling on)."),
                      QStringLiteral("url")});
}

// Downloads run in the network module, which brings libcurl along.
int RunInNetworkModule(const char* entryName, const Arguments& arguments) {
    using Entry = int (*)(const Arguments&);
    QString error;
    const auto entry = reinterpret_cast<Entry>(ModuleSymbol(kNetworkModule, entryName, error));
    if (!entry)
        Fail(kFetchError, QCoreApplication::translate("Update", "Kestrum cannot download: %1.")
                              .arg(WithoutFullStop(error)));
    return entry(arguments);
}

int RunUpdate(const Arguments& arguments) {
    return RunInNetworkModule("kestrum_run_update", arguments);
}

} // namespace kestrum::cli
