// `kestrum history export`: stored prices out to ledger, hledger, beancount,
// GnuCash, CSV or JSON.
#include "commands.h"
#include "history_commands.h"
#include "output.h"

#include "data/dates.h"
#include "prices/price_export.h"
#include "settings/configuration.h"
#include "settings/file_io.h"
#include "settings/language.h"
#include "settings/paths.h"
#include "update/history_keeping.h"

#include <QCoreApplication>
#include <QDateTime>

namespace kestrum::cli {

namespace {

const QString kFormat = QStringLiteral("format");
const QString kOutput = QStringLiteral("output");
const QString kFill = QStringLiteral("fill");
const QString kSource = QStringLiteral("source");
const QString kAgainst = QStringLiteral("against");
const QString kFrom = QStringLiteral("from");
const QString kTo = QStringLiteral("to");

prices::PriceFormat FormatArgument(const Arguments& arguments) {
    QStringList names;
    for (const prices::PriceFormat format : prices::kPriceFormats)
        names << prices::FormatName(format);
    if (arguments.IsSet(kFormat)) {
        const QString text = arguments.Value(kFormat);
        if (const auto format = prices::ParseFormat(text))
            return *format;
        Fail(kUsageError,
             QCoreApplication::translate("HistoryExport", "--format takes %1, not \"%2\".")
                 .arg(names.join(QLatin1String(", ")), text));
    }
    if (arguments.IsSet(kOutput))
        if (const auto format = prices::FormatOfFileName(arguments.Value(kOutput)))
            return *format;
    return prices::PriceFormat::Ledger;
}

QString ExportSource(const Arguments& arguments) {
    if (!arguments.IsSet(kSource))
        return ConfiguredHistorySource(Configuration());
    const QString text = arguments.Value(kSource).toLower();
    if (text != QLatin1String(history::kBoc) && text != QLatin1String(history::kEcb) &&
        text != QLatin1String("nbp"))
        Fail(kUsageError, QCoreApplication::translate("HistoryExport",
                                                      "--source takes boc, ecb or nbp, not \"%1\".")
                              .arg(text));
    return text;
}

} // namespace

int RunHistoryExport(const Arguments& arguments) {
    for (const char* option : {"csv", "json", "url"})
        if (arguments.IsSet(QLatin1String(option)))
            Fail(kUsageError, QCoreApplication::translate(
                                  "HistoryExport", "history export takes --format instead of --%1.")
                                  .arg(QLatin1String(option)));
    LoadSettings();
    const prices::PriceFormat format = FormatArgument(arguments);
    prices::ExportRequest request;
    request.source = ExportSource(arguments);
    request.against = arguments.IsSet(kAgainst) ? CurrencyArgument(arguments.Value(kAgainst)) : 0;
    for (const QString& code : arguments.Positional().mid(1)) {
        const int k = CurrencyArgument(code);
        if (k == request.against)
            Fail(kUsageError, QCoreApplication::translate(
                                  "HistoryExport", "%1 is the currency the prices are counted in.")
                                  .arg(code.toUpper()));
        request.currencies.push_back(k);
    }
    request.fromDay = arguments.IsSet(kFrom) ? DayArgument(arguments.Value(kFrom), "--from") : 0;
    request.toDay = arguments.IsSet(kTo) ? DayArgument(arguments.Value(kTo), "--to", DayLimit::Any)
                                         : int(TodayDateValue());
    if (request.fromDay > request.toDay)
        Fail(kUsageError, QCoreApplication::translate("HistoryExport", "--from lies after --to."));
    request.fill = arguments.IsSet(kFill);
    // Checked before anything is read, so a mistaken name costs nothing.
    const QString output = arguments.IsSet(kOutput) ? arguments.Value(kOutput) : QString();
    if (!output.isEmpty() && IsProgramFile(output))
        Fail(kUsageError, QCoreApplication::translate(
                              "HistoryExport", "\"%1\" is one of Kestrum's own files; export to "
                                               "another name.")
                              .arg(output));

    history::Store store;
    std::vector<prices::ExportedPrice> exported;
    if (OpenHistoryForReading(store))
        exported = prices::CollectPrices(store, request);
    if (exported.empty())
        Fail(kNoRate,
             QCoreApplication::translate("HistoryExport",
                                         "The rate history holds no %1 prices for those currencies "
                                         "and days; \"kestrum history fetch\" brings them.")
                 .arg(request.source));
    QByteArray bytes;
    {
        // Files for other programs keep their English comments in every locale.
        const EnglishTexts english;
        bytes = prices::WritePrices(format, exported, request, QDateTime::currentDateTimeUtc());
    }
    if (output.isEmpty()) {
        WriteBytes(stdout, bytes);
        return kSuccess;
    }
    if (const IoResult written = WriteFileAtomically(output, bytes); !written)
        Fail(kDataFileError, written.error + QLatin1Char('.'));
    PrintLine(QCoreApplication::translate("HistoryExport", "Wrote %1 prices to \"%2\".")
                  .arg(exported.size())
                  .arg(output));
    return kSuccess;
}

} // namespace kestrum::cli
