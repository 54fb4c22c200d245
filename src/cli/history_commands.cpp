#include "history_commands.h"

#include "data/catalogue.h"
#include "data/conversion.h"
#include "data/csv_text.h"
#include "data/dates.h"
#include "data/shortest_number.h"
#include "graphs/rate_series.h"
#include "history/coverage.h"
#include "history/history_query.h"
#include "modules.h"
#include "origins.h"
#include "output.h"
#include "prices/date_rule.h"
#include "sources/source_table.h"
#include "update/history_keeping.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <set>

namespace kestrum::cli {

namespace {

const QString kDate = QStringLiteral("date");
const QString kAverage = QStringLiteral("average");
const QString kFile = QStringLiteral("file");
const QString kTo = QStringLiteral("to");
const QString kFrom = QStringLiteral("from");
const QString kAgainst = QStringLiteral("against");
const QString kSource = QStringLiteral("source");
const QString kCsv = QStringLiteral("csv");
const QString kJson = QStringLiteral("json");
const QString kUrl = QStringLiteral("url");
const QString kVerbose = QStringLiteral("verbose");
const QString kRule = QStringLiteral("rule");
// history export's own options.
const QString kExportOptions[] = {QStringLiteral("format"), QStringLiteral("output"),
                                  QStringLiteral("fill")};

// Days before it are no rate's: the date values count from 1899-12-30.
constexpr int kFirstYear = 1900;

// ---- convert --date / --average -------------------------------------------

// The days of "2024" or "2024-03", the last one at most today.
std::pair<int, int> AveragePeriod(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})(?:-(\\d{2}))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    const int year = match.captured(1).toInt();
    const int month = match.captured(2).isEmpty() ? 0 : match.captured(2).toInt();
    if (!match.hasMatch() || year < 1900 || month > 12 || (match.hasCaptured(2) && month < 1))
        Fail(kUsageError,
             QCoreApplication::translate(
                 "History", "--average takes a year or a month (YYYY or YYYY-MM), not \"%1\".")
                 .arg(text));
    const QDate first(year, month == 0 ? 1 : month, 1);
    const QDate last = month == 0 ? QDate(year, 12, 31) : first.addMonths(1).addDays(-1);
    if (int(DateValueOf(first)) > Today())
        Fail(kUsageError,
             QCoreApplication::translate("History", "%1 has not begun yet.").arg(text));
    return {int(DateValueOf(first)), std::min(int(DateValueOf(last)), Today())};
}

int ConvertWithHistory(const Arguments& arguments) {
    if (arguments.IsSet(kDate) && arguments.IsSet(kAverage))
        Fail(kUsageError,
             QCoreApplication::translate("History", "--date and --average exclude each other."));
    if (arguments.IsSet(kRule) && !arguments.IsSet(kDate))
        Fail(kUsageError,
             QCoreApplication::translate("History", "--rule goes with --date or --file."));
    const auto [amount, a, b] = ReadConversionArguments(
        arguments, "convert AMOUNT FROM TO --date YYYY-MM-DD|--average YYYY[-MM]");
    const QStringList& args = arguments.Positional();
    const ConfigRecord& config = Configuration();
    const bool dated = arguments.IsSet(kDate);
    int day = 0;
    std::pair<int, int> period;
    const prices::DateRule rule =
        arguments.IsSet(kRule) ? RuleArgument(arguments.Value(kRule)) : prices::DateRule::Previous;
    if (dated)
        day = DayArgument(arguments.Value(kDate), QStringLiteral("--date"));
    else
        period = AveragePeriod(arguments.Value(kAverage));
    const QString source = ConfiguredHistorySource(config);

    history::Store store;
    const bool open = OpenHistoryForReading(store);
    RateStore rates;
    history::DayRates dayRates;
    std::array<history::AverageRate, kCurrencyCount> averages;
    if (dated) {
        if (open) {
            prices::RuledRates ruled =
                prices::RatesByRule(store, day, source, history::ConfiguredFillPolicy(), rule);
            if (!ruled.refusal.isEmpty())
                Fail(kNoRate, ruled.refusal);
            dayRates = ruled.rates;
        }
        rates = history::AsRateStore(dayRates, day);
    } else {
        if (open)
            averages = history::AverageRates(store, source, history::ConfiguredFillPolicy(),
                                             period.first, period.second);
        for (int k = 0; k < kCurrencyCount; ++k)
            dayRates[k].rate = averages[k].rate;
        rates = history::AsRateStore(dayRates, period.second);
    }
    for (const int k : {a, b}) {
        if (k != 0 && rates.CurrentRates[k] == kNotAvailable)
            Fail(kNoRate, dated ? NoRateSentence(arguments.Value(kDate), day, k, rule)
                                : QCoreApplication::translate(
                                      "History", "No daily rates of %1 are stored for %2; %3")
                                      .arg(CurrencyDescription(k), arguments.Value(kAverage),
                                           FetchHint(period.second, k)));
    }
    const Conversion c = ConvertAmount(rates, config, a, b, amount);
    if (c.tooLarge)
        Fail(kUsageError, QCoreApplication::translate("Conversion", kTooLargeMessage));
    const QString result = PlainNumberText(c.result, c.decimals);
    if (!arguments.IsSet(kVerbose)) {
        PrintLine(result);
        return kSuccess;
    }
    const QString conversion =
        CountedCurrency(args[0], a) + QStringLiteral(" = ") + CountedCurrency(result, b);
    if (a == b) {
        PrintLine(
            QCoreApplication::translate("Commands", "%1: the same currency, no rate and no fee.")
                .arg(conversion));
        return kSuccess;
    }
    QString basis;
    if (dated) {
        basis = RatesBasis({{a, dayRates[a].origin}, {b, dayRates[b].origin}});
    } else {
        QStringList parts;
        for (const int k : {a, b}) {
            if (k == 0)
                continue;
            // The sources the days took, as --date names them for one day.
            QStringList origins;
            for (const history::Origin& origin : averages[k].origins)
                origins << history::OriginLabel(origin);
            parts << QCoreApplication::translate("History", "%1: %2 over %3 days from %4 to %5")
                         .arg(QLatin1String(CurrencyCode(k)), origins.join(QLatin1String(", ")))
                         .arg(averages[k].days)
                         .arg(IsoDateText(averages[k].firstDay), IsoDateText(averages[k].lastDay));
        }
        basis = QCoreApplication::translate("History", "at the average daily rates of %1 (%2)")
                    .arg(arguments.Value(kAverage), parts.join(QLatin1String("; ")));
    }
    PrintLine(QCoreApplication::translate("Commands", "%1, %2, %3.")
                  .arg(conversion, basis, FeeSentence(config)));
    return kSuccess;
}

// ---- history ----------------------------------------------------------------

int Summarise() {
    history::Store store;
    const std::vector<history::SourceSummary> summary = OpenHistoryForReading(store)
                                                            ? history::Summary(store)
                                                            : std::vector<history::SourceSummary>();
    if (summary.empty()) {
        PrintLine(QCoreApplication::translate(
            "History", "The rate history is empty; \"kestrum history fetch\" fills it."));
        return kSuccess;
    }
    QList<QStringList> rows{{QCoreApplication::translate("History", "Source"),
                             QCoreApplication::translate("History", "First day"),
                             QCoreApplication::translate("History", "Last day"),
                             QCoreApplication::translate("History", "Days"),
                             QCoreApplication::translate("History", "Currencies")}};
    for (const history::SourceSummary& entry : summary)
        rows << QStringList{entry.source, IsoDateText(entry.firstDay), IsoDateText(entry.lastDay),
                            QString::number(entry.days), QString::number(entry.currencies)};
    WriteText(stdout, TextTable(rows, {false, false, false, true, true}));
    return kSuccess;
}

QString SourceArgument(const Arguments& arguments) {
    if (!arguments.IsSet(kSource))
        return ConfiguredHistorySource(Configuration());
    const QString text = arguments.Value(kSource).toLower();
    if (text != QLatin1String(history::kBoc) && text != QLatin1String(history::kEcb))
        Fail(kUsageError,
             QCoreApplication::translate("History", "--source takes boc or ecb, not \"%1\".")
                 .arg(text));
    return text;
}

int Series(const Arguments& arguments) {
    ExpectArguments(arguments, 1,
                    "history CODE [--against CODE] [--from D] [--to D] [--source boc|ecb] "
                    "[--csv|--json]");
    if (arguments.IsSet(kCsv) && arguments.IsSet(kJson))
        Fail(kUsageError,
             QCoreApplication::translate("History", "--csv and --json exclude each other."));
    LoadSettings();
    const int k = CurrencyArgument(arguments.Positional()[0]);
    const int against = arguments.IsSet(kAgainst) ? CurrencyArgument(arguments.Value(kAgainst)) : 0;
    // A range may end in the future, as a chart's and a fetch's may.
    const int from =
        arguments.IsSet(kFrom) ? DayArgument(arguments.Value(kFrom), "--from", DayLimit::Any) : 0;
    const int to = arguments.IsSet(kTo) ? DayArgument(arguments.Value(kTo), "--to", DayLimit::Any)
                                        : std::max(Today(), from);
    if (from > to)
        Fail(kUsageError, QCoreApplication::translate("History", "--from lies after --to."));
    const QString source = SourceArgument(arguments);

    history::Store store;
    const std::vector<history::SeriesPoint> series =
        OpenHistoryForReading(store) ? history::CrossSeries(store, source, k, against, from, to)
                                     : std::vector<history::SeriesPoint>();
    if (series.empty())
        Fail(
            kNoRate,
            (from > Today()
                 ? QCoreApplication::translate("History",
                                               "The rate history holds no %1 rates of %2 in %3 "
                                               "for those days; they lie in the future.")
                 : QCoreApplication::translate("History",
                                               "The rate history holds no %1 rates of %2 in %3 "
                                               "for those days; \"kestrum history fetch\" brings "
                                               "them."))
                .arg(source, QLatin1String(CurrencyCode(k)), QLatin1String(CurrencyCode(against))));
    if (arguments.IsSet(kJson)) {
        QJsonArray points;
        for (const history::SeriesPoint& point : series)
            points.append(QJsonObject{{QStringLiteral("date"), IsoDateText(point.day)},
                                      {QStringLiteral("rate"), point.rate}});
        const QJsonObject document{
            {QStringLiteral("code"), QLatin1String(CurrencyCode(k))},
            {QStringLiteral("against"), QLatin1String(CurrencyCode(against))},
            {QStringLiteral("source"), source},
            {QStringLiteral("points"), points}};
        const QByteArray json = QJsonDocument(document).toJson(QJsonDocument::Indented);
        WriteBytes(stdout, json);
        return kSuccess;
    }
    // Shortest round-trip digits, the stored double exactly; ASCII only, so
    // written as bytes, without a QString per line.
    const bool csv = arguments.IsSet(kCsv);
    const QByteArray header = csv ? QByteArray("date,rate\n") : QByteArray();
    // Written in place: a line is at most a date, a separator, a number and
    // a line end.
    constexpr qsizetype kLineRoom = 10 + 1 + kShortestNumberRoom + 1;
    QByteArray text(header.size() + qsizetype(series.size()) * kLineRoom, Qt::Uninitialized);
    char* end = std::copy(header.begin(), header.end(), text.data());
    const char separator = csv ? ',' : ' ';
    for (const history::SeriesPoint& point : series) {
        end += WriteIsoDate(point.day, end);
        *end++ = separator;
        end = WriteShortestNumber(point.rate, end);
        *end++ = '\n';
    }
    text.truncate(end - text.constData());
    WriteBytes(stdout, text);
    return kSuccess;
}

} // namespace

// Once per command: the clock asks the time zone file again on every call,
// which a batch of a million dated rows would pay for each.
int Today() {
    static const int today = int(TodayDateValue());
    return today;
}

int FirstDayArgument() {
    return int(DateValueOf(QDate(kFirstYear, 1, 1)));
}

int DayArgument(const QString& text, const QString& what, DayLimit limit) {
    // Exactly YYYY-MM-DD: Qt's ISO reading also takes "2020-2-3".
    bool shaped = text.size() == 10;
    for (qsizetype i = 0; shaped && i < text.size(); ++i)
        shaped = (i == 4 || i == 7) ? text[i] == QLatin1Char('-') : text[i].isDigit();
    const QDate date = shaped ? QDate::fromString(text, Qt::ISODate) : QDate();
    if (!date.isValid())
        Fail(kUsageError,
             QCoreApplication::translate("History", "%1 takes a date YYYY-MM-DD, not \"%2\".")
                 .arg(what, text));
    const int day = int(DateValueOf(date));
    const bool early = date.year() < kFirstYear;
    if (early || (limit == DayLimit::PastOnly && day > Today()))
        Fail(kUsageError,
             (early ? QCoreApplication::translate("History", "%1 %2 lies too far back; Kestrum "
                                                             "knows days from %3-01-01 to today.")
                    : QCoreApplication::translate("History", "%1 %2 lies in the future; Kestrum "
                                                             "knows days from %3-01-01 to today."))
                 .arg(what, text)
                 .arg(kFirstYear));
    return day;
}

bool OpenHistoryForReading(history::Store& store) {
    if (!QFileInfo::exists(history::HistoryFilePath()))
        return false;
    const history::OpenResult open = store.Open();
    // A store that is there but cannot be read is an error, never an empty
    // history.
    if (!open.usable())
        Fail(kDataFileError,
             open.message.isEmpty()
                 ? QCoreApplication::translate("History", "The rate history %1 cannot be opened.")
                       .arg(history::HistoryFilePath())
                 : open.message);
    if (!open.message.isEmpty())
        PrintErrorLine(open.message);
    return store.IsOpen();
}

prices::DateRule RuleArgument(const QString& text) {
    if (const auto rule = prices::ParseDateRule(text.trimmed()))
        return *rule;
    Fail(kUsageError, QCoreApplication::translate(
                          "History", "The rule takes previous, next or exact, not \"%1\".")
                          .arg(text));
}

void DefineHistoryConvert(QCommandLineParser& parser) {
    parser.addOptions({
        {kDate,
         QCoreApplication::translate(
             "History", "Convert at the rates of <day> (YYYY-MM-DD) from the history."),
         QStringLiteral("day")},
        {kAverage,
         QCoreApplication::translate(
             "History", "Convert at the average rates of a year or month (YYYY[-MM])."),
         QStringLiteral("period")},
        {kFile,
         QCoreApplication::translate(
             "History", "Convert every row of a CSV file (date,amount,currency[,target])."),
         QStringLiteral("csv")},
        {kTo,
         QCoreApplication::translate(
             "History", "The target currency of --file rows that name none (default CAD)."),
         QStringLiteral("code")},
        {kRule,
         QCoreApplication::translate(
             "History", "Which publication day a date takes: the latest on or before it "
                        "(default), the first on or after it, or that day only."),
         QStringLiteral("previous|next|exact")},
    });
}

bool UsesHistory(const Arguments& arguments) {
    return arguments.IsSet(kDate) || arguments.IsSet(kAverage) || arguments.IsSet(kFile) ||
           arguments.IsSet(kTo) || arguments.IsSet(kRule);
}

int RunHistoryConvert(const Arguments& arguments) {
    if (arguments.IsSet(kFile))
        return RunBatchConvert(arguments);
    if (arguments.IsSet(kTo))
        Fail(kUsageError, QCoreApplication::translate("History", "--to goes with --file."));
    return ConvertWithHistory(arguments);
}

void DefineHistory(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QStringLiteral("CODE|fetch|export"),
        QCoreApplication::translate(
            "History", "A currency's daily series, \"fetch [boc|ecb|nbp]\" to download history, "
                       "or \"export [CODE...]\" to write prices for other programs; nothing: a "
                       "summary."));
    parser.addPositionalArgument(
        QStringLiteral("SOURCE"),
        QCoreApplication::translate("History", "fetch: the history to download (default: the "
                                               "configured source)."),
        QStringLiteral("[boc|ecb|nbp]"));
    parser.addOptions({
        {kAgainst, QCoreApplication::translate("History", "Price in <code> instead of CAD."),
         QStringLiteral("code")},
        {kFrom, QCoreApplication::translate("History", "From <day> (YYYY-MM-DD)."),
         QStringLiteral("day")},
        {kTo, QCoreApplication::translate("History", "Up to <day> (YYYY-MM-DD), by default today."),
         QStringLiteral("day")},
        {kSource,
         QCoreApplication::translate("History", "boc or ecb instead of the configured source."),
         QStringLiteral("boc|ecb")},
        {kCsv, QCoreApplication::translate("History", "Print CSV.")},
        {kJson, QCoreApplication::translate("History", "Print JSON.")},
        {kUrl,
         QCoreApplication::translate("History",
                                     "fetch: ask <url> instead of the source's address."),
         QStringLiteral("url")},
        {kExportOptions[0],
         QCoreApplication::translate(
             "History", "export: the file format (default: from the --output name, else "
                        "ledger)."),
         QStringLiteral("ledger|hledger|beancount|gnucash-csv|csv|json")},
        {kExportOptions[1],
         QCoreApplication::translate("History", "export: write <file> instead of standard output."),
         QStringLiteral("file")},
        {kExportOptions[2],
         QCoreApplication::translate(
             "History", "export: on the source's days, also what other sources and the "
                        "parities give, marked as filled.")},
    });
}

int RunHistory(const Arguments& arguments) {
    const QStringList& args = arguments.Positional();
    if (!args.isEmpty() && args[0] == QLatin1String("export"))
        return RunHistoryExport(arguments);
    for (const QString& option : kExportOptions)
        if (arguments.IsSet(option))
            Fail(kUsageError,
                 QCoreApplication::translate("History", "--%1 goes with history export.")
                     .arg(option));
    if (!args.isEmpty() && args[0] == QLatin1String("fetch"))
        return RunInNetworkModule("kestrum_run_history_fetch", arguments);
    if (args.isEmpty()) {
        ExpectArguments(arguments, 0, "history");
        LoadSettings();
        return Summarise();
    }
    return Series(arguments);
}

} // namespace kestrum::cli
