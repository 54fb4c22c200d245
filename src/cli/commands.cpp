#include "commands.h"

#include "data/catalogue.h"
#include "data/conversion.h"
#include "data/cp1252.h"
#include "data/dates.h"
#include "data/number_text.h"
#include "data/rate_files.h"
#include "data/rate_grid.h"
#include "data/rate_store.h"
#include "origins.h"
#include "output.h"
#include "settings/configuration.h"
#include "settings/local_text.h"
#include "settings/message_table.h"
#include "settings/paths.h"
#include "update/rate_pipeline.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cstdio>
#include <set>

namespace kestrum::cli {

namespace {

// Private use: no user types it, and it does not start with "-".
constexpr QChar kShield(0xE000);

const QString kFee = QStringLiteral("fee");
const QString kNoFee = QStringLiteral("no-fee");
const QString kRound = QStringLiteral("round");
const QString kNoRound = QStringLiteral("no-round");
const QString kVerbose = QStringLiteral("verbose");
const QString kAgainst = QStringLiteral("against");
const QString kAmount = QStringLiteral("amount");
const QString kJson = QStringLiteral("json");
const QString kWide = QStringLiteral("wide");
const QString kDigits = QStringLiteral("digits");
const QString kDate = QStringLiteral("date");
constexpr int kTerminalWidth = 80;
constexpr int kMaxDigits = 15;
// Enough for every rate the page prints (0.000449 for the bolivar).
constexpr int kListDecimals = 6;

QString Name(int k, int language) {
    return FromCp1252(CurrencyName(k, language));
}

} // namespace

// "Canadian Dollar (CAD)", the catalogue's name in the configured language.
QString CurrencyDescription(int k) {
    return QStringLiteral("%1 (%2)").arg(Name(k, Configuration().Language),
                                         QLatin1String(CurrencyCode(k)));
}

// "100 CAD (Canadian Dollar)": the code carries the amount, so no name needs
// a plural nobody can derive from the name alone ("Yens", "EUROs").
QString CountedCurrency(const QString& amount, int k) {
    return QStringLiteral("%1 %2 (%3)")
        .arg(amount, QLatin1String(CurrencyCode(k)), Name(k, Configuration().Language));
}

int CurrencyArgument(const QString& text) {
    const int k = FindCurrencyByCodeOrName(ToCp1252(text));
    if (k < 0)
        Fail(kUnknownCurrency,
             QStringLiteral("Unknown currency \"%1\"; \"kestrum list\" shows the codes and names.")
                 .arg(text));
    return k;
}

// An amount as the calculator window reads it: "." the decimal point, ","
// grouping thousands, zero refused.
double AmountArgument(const QString& text) {
    const AmountReading reading = ReadAmountText(ToCp1252(text));
    if (reading.value != 0.0)
        return reading.value;
    Fail(kUsageError, QStringLiteral("\"%1\" is not a valid amount: %2.")
                          .arg(text, QString::fromStdString(AmountFaultText(reading.fault))));
}

namespace {

// Fills the program's store from "rt.dt"; every command that reads rates
// needs the whole file.
void LoadRates() {
    const QString path = ProgramFile(QString::fromLatin1(Message(msg::RateFile)));
    const RateFileLoad load = LoadRateFile(Rates(), Configuration());
    switch (load.status) {
    case RateFileStatus::Loaded:
        return;
    case RateFileStatus::Missing:
        Fail(kDataFileError, QStringLiteral("There is no rate file \"%1\"; \"kestrum update\" or "
                                            "\"kestrum import FILE\" creates it.")
                                 .arg(path));
    case RateFileStatus::Incomplete:
        Fail(kDataFileError,
             QStringLiteral("The rate file \"%1\" is incomplete; \"kestrum update\" replaces it.")
                 .arg(path));
    case RateFileStatus::ReadError:
        Fail(kDataFileError, load.error + QLatin1Char('.'));
    }
}

void PrintJson(const QJsonValue& value) {
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    WriteBytes(stdout, document.toJson(QJsonDocument::Indented));
}

QJsonValue JsonNumberOrNull(bool present, double value) {
    return present ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QString IsoDate(double value) {
    return value == kNotAvailable ? QString() : IsoDateText(value);
}

// ---- convert ----------------------------------------------------------------

void DefineConvert(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QStringLiteral("AMOUNT"),
        QStringLiteral("The amount: \".\" decimal point, \",\" between thousands."));
    parser.addPositionalArgument(QStringLiteral("FROM"),
                                 QStringLiteral("Its currency: ISO code or English/French name."));
    parser.addPositionalArgument(QStringLiteral("TO"), QStringLiteral("The target currency."));
    parser.addOptions({
        {kFee, QStringLiteral("Apply a cash-rate fee of <pct> percent."), QStringLiteral("pct")},
        {kNoFee, QStringLiteral("Apply no cash-rate fee.")},
        {kRound, QStringLiteral("Round the result to the cent.")},
        {kNoRound, QStringLiteral("Show four decimals.")},
        {{QStringLiteral("v"), kVerbose},
         QStringLiteral("Print a sentence naming the currencies, rate date and fee.")},
    });
    DefineHistoryConvert(parser);
}

} // namespace

// The fee and rounding of the configuration, as the options change them.
void ApplyConversionArguments(const Arguments& arguments, ConfigRecord& config) {
    if (arguments.IsSet(kFee) && arguments.IsSet(kNoFee))
        Fail(kUsageError, QStringLiteral("--fee and --no-fee exclude each other."));
    if (arguments.IsSet(kRound) && arguments.IsSet(kNoRound))
        Fail(kUsageError, QStringLiteral("--round and --no-round exclude each other."));
    if (arguments.IsSet(kFee)) {
        const QString text = arguments.Value(kFee);
        const std::optional<double> fee = ParseDecimal(ToCp1252(text));
        if (!fee || !IsUsableFee(*fee))
            Fail(kUsageError, QStringLiteral("\"%1\" is not a valid fee percentage: %2")
                                  .arg(text, QLatin1String(kFeeRangeMessage)));
        config.CashRateOn = 1;
        config.CashRate = *fee;
    }
    if (arguments.IsSet(kNoFee))
        config.CashRateOn = 0;
    if (arguments.IsSet(kRound))
        config.RoundToCent = 1;
    if (arguments.IsSet(kNoRound))
        config.RoundToCent = 0;
}

namespace {

// "at the rates of <day> from <source>" when the history knows where the
// numbers came from.
QString RateOrigins(int a, int b) {
    const history::RateOrigins origins = history::OriginsOfStoredRates(Rates());
    std::vector<RatedCurrency> rated;
    for (const int k : {a, b})
        if (k != 0)
            rated.push_back({k, origins[CurrentRateDay(Rates(), k) - 1][k]});
    return RatesBasis(rated);
}

// "at the rates of <date>", naming each currency when their rates are of
// different days.
QString RateDates(int a, int b) {
    if (const QString origins = RateOrigins(a, b); !origins.isEmpty())
        return origins;
    QStringList parts;
    std::set<double> days;
    for (const int k : {a, b}) {
        if (k == 0)
            continue;
        const double date = DayDate(Rates(), CurrentRateDay(Rates(), k));
        days.insert(date);
        parts << QStringLiteral("%1 for %2")
                     .arg(DateTextOrNa(date, LongDateText), QLatin1String(CurrencyCode(k)));
    }
    if (days.size() == 1)
        return QStringLiteral("at the rates of ") + DateTextOrNa(*days.begin(), LongDateText);
    return QStringLiteral("at the rates of ") + parts.join(QLatin1String(" and "));
}

} // namespace

ConversionArguments ReadConversionArguments(const Arguments& arguments, const char* syntax) {
    ExpectArguments(arguments, 3, syntax);
    const QStringList& args = arguments.Positional();
    ConversionArguments read;
    read.amount = AmountArgument(args[0]);
    LoadSettings();
    ApplyConversionArguments(arguments, Configuration());
    read.from = CurrencyArgument(args[1]);
    read.to = CurrencyArgument(args[2]);
    return read;
}

namespace {

int RunConvert(const Arguments& arguments) {
    if (UsesHistory(arguments))
        return RunHistoryConvert(arguments);
    const auto [amount, a, b] = ReadConversionArguments(arguments, "convert AMOUNT FROM TO");
    const QStringList& args = arguments.Positional();
    const ConfigRecord& config = Configuration();
    LoadRates();

    const Conversion c = ConvertAmount(Rates(), config, a, b, amount);
    if (c.tooLarge)
        Fail(kUsageError, QLatin1String(kTooLargeMessage));
    if (!c.available) {
        const int missing = IsUsableRate(CurrentRate(Rates(), a)) || a == 0 ? b : a;
        Fail(kNoRate,
             QStringLiteral("No rate is stored for %1.").arg(CurrencyDescription(missing)));
    }
    const QString result = PlainNumberText(c.result, c.decimals);
    if (!arguments.IsSet(kVerbose)) {
        PrintLine(result);
        return kSuccess;
    }
    const QString conversion =
        CountedCurrency(args[0], a) + QStringLiteral(" = ") + CountedCurrency(result, b);
    if (a == b)
        PrintLine(conversion + QStringLiteral(": the same currency, no rate and no fee."));
    else
        PrintLine(
            QStringLiteral("%1, %2, %3%4.")
                .arg(conversion, RateDates(a, b), FeeSentence(config),
                     config.RoundToCent ? QStringLiteral(", rounded to the cent") : QString()));
    return kSuccess;
}

// ---- rates ------------------------------------------------------------------

void DefineRates(QCommandLineParser& parser) {
    parser.addOptions({
        {kAgainst, QStringLiteral("Price in CAD (default) or USD."), QStringLiteral("code")},
        {kAmount, QStringLiteral("Price <n> units instead of one."), QStringLiteral("n")},
        {kJson, QStringLiteral("Print JSON.")},
        {kWide, QStringLiteral("Full dates as headings; lines wider than 80 columns.")},
        {kDigits, QStringLiteral("Show <n> significant digits instead of four decimals."),
         QStringLiteral("n")},
    });
}

// 1 to 15 significant digits, or 0 for the grid's own four decimals.
int ReadDigits(const Arguments& arguments) {
    if (!arguments.IsSet(kDigits))
        return 0;
    const QString text = arguments.Value(kDigits);
    bool ok = false;
    const int digits = text.toInt(&ok);
    if (!ok || digits < 1 || digits > kMaxDigits)
        Fail(kUsageError, QStringLiteral("--digits takes a whole number from 1 to %1, not \"%2\".")
                              .arg(kMaxDigits)
                              .arg(text));
    return digits;
}

// Redoes the value cells with significant digits: four decimals show small
// currencies as 0.0001 on every day.
void UseSignificantDigits(RateGrid& grid, int digits) {
    if (digits == 0)
        return;
    for (GridRow& row : grid.rows)
        for (GridCell& cell : row.cells)
            if (cell.kind == GridCellKind::Value)
                cell.text = SignificantText(cell.value, digits);
}

// "Nov 13" out of "Tue, Nov 13, 2007".
QString DayHeading(double date) {
    if (date == kNotAvailable)
        return QStringLiteral("NA");
    return ShortDateText(date).section(QStringLiteral(", "), 1, 1);
}

GridBase ReadGridBase(const Arguments& arguments) {
    if (!arguments.IsSet(kAgainst))
        return GridBase::CanadianDollar;
    const QString text = arguments.Value(kAgainst);
    switch (FindCurrencyByCodeOrName(ToCp1252(text))) {
    case 0:
        return GridBase::CanadianDollar;
    case 1:
        return GridBase::USDollar;
    default:
        Fail(kUsageError, QStringLiteral("--against takes CAD or USD, not \"%1\".").arg(text));
    }
}

QJsonObject GridJson(const RateGrid& grid, GridBase against, double amount,
                     const history::RateOrigins& origins) {
    QJsonArray days;
    for (int d = 0; d < kDayCount; ++d)
        days.append(QJsonObject{{QStringLiteral("date"), IsoDate(grid.dayDates[d])},
                                {QStringLiteral("heading"), grid.dates[d]}});
    QJsonArray rows;
    for (const GridRow& row : grid.rows) {
        QJsonArray values;
        QJsonArray cells;
        QJsonArray cellOrigins;
        QJsonArray cellFields;
        for (int d = 0; d < kDayCount; ++d) {
            const GridCell& cell = row.cells[d];
            const bool value = cell.kind == GridCellKind::Value;
            values.append(JsonNumberOrNull(value, cell.value));
            cells.append(cell.text);
            const QString origin = history::OriginLabel(origins[d][row.currency]);
            cellOrigins.append(value && !origin.isEmpty() ? QJsonValue(origin)
                                                          : QJsonValue(QJsonValue::Null));
            cellFields.append(value ? OriginFields(origins[d][row.currency])
                                    : QJsonValue(QJsonValue::Null));
        }
        rows.append(QJsonObject{{QStringLiteral("index"), row.currency},
                                {QStringLiteral("code"), QLatin1String(CurrencyCode(row.currency))},
                                {QStringLiteral("name"), row.name},
                                {QStringLiteral("values"), values},
                                {QStringLiteral("cells"), cells},
                                {QStringLiteral("origins"), cellOrigins},
                                {QStringLiteral("originFields"), cellFields}});
    }
    const bool canadian = against == GridBase::CanadianDollar;
    return QJsonObject{
        {QStringLiteral("caption"), grid.caption},
        {QStringLiteral("against"), canadian ? "CAD" : "USD"},
        {QStringLiteral("unit"), grid.unit},
        {QStringLiteral("amount"), amount},
        {QStringLiteral("feeFactor"), FeeFactor(Configuration())},
        {QStringLiteral("feePercent"), Configuration().CashRateOn ? Configuration().CashRate : 0.0},
        {QStringLiteral("days"), days},
        {QStringLiteral("rows"), rows}};
}

int RunRates(const Arguments& arguments) {
    ExpectArguments(arguments, 0,
                    "rates [--against CAD|USD] [--amount N] [--digits N] [--wide] [--json]");
    const GridBase against = ReadGridBase(arguments);
    const double amount = arguments.IsSet(kAmount) ? AmountArgument(arguments.Value(kAmount)) : 1.0;
    const int digits = ReadDigits(arguments);
    LoadSettings();
    LoadRates();
    const ConfigRecord& config = Configuration();
    RateGrid grid =
        BuildRateGrid(CurrencyCatalogue(), Rates(), config, against, amount, config.Language);
    UseSignificantDigits(grid, digits);
    if (arguments.IsSet(kJson)) {
        PrintJson(GridJson(grid, against, amount, history::OriginsOfStoredRates(Rates())));
        return kSuccess;
    }

    const bool wide = arguments.IsSet(kWide);
    QString caption = QStringLiteral("%1: %2 %3 of each currency in %4, %5")
                          .arg(grid.caption, QString::fromStdString(GeneralNumberText(amount)),
                               amount == 1.0 ? QLatin1String("unit") : QLatin1String("units"),
                               grid.unit, FeeSentence(config));
    QStringList headings(grid.dates.begin(), grid.dates.end());
    if (!wide) {
        // The headings lose their years, so the caption names the days.
        caption += QStringLiteral("; days %1 to %2").arg(grid.dates.front(), grid.dates.back());
        for (int d = 0; d < kDayCount; ++d)
            headings[d] = DayHeading(grid.dayDates[d]);
    }
    caption += QLatin1Char('.');
    WriteText(stdout, WrapText(caption, wide ? 0 : kTerminalWidth));
    QList<QStringList> rows{QStringList{QStringLiteral("Code"), QStringLiteral("Currency")} +
                            headings};
    for (const GridRow& row : grid.rows) {
        QStringList cells{QLatin1String(CurrencyCode(row.currency)), row.name};
        for (const GridCell& cell : row.cells)
            cells << cell.text;
        rows << cells;
    }
    WriteText(stdout, TextTable(rows, {false, false, true, true, true, true, true}));
    return kSuccess;
}

// ---- list -------------------------------------------------------------------

void DefineList(QCommandLineParser& parser) {
    parser.addOptions({
        {kJson, QStringLiteral("Print JSON.")},
        {kDate,
         QStringLiteral("The rates the history gives for <date> (YYYY-MM-DD) instead of the "
                        "current ones."),
         QStringLiteral("date")},
    });
}

int RunList(const Arguments& arguments) {
    ExpectArguments(arguments, 0, "list [--date YYYY-MM-DD] [--json]");
    LoadSettings();
    ListedRates listed;
    if (arguments.IsSet(kDate)) {
        listed = ListedRatesAt(arguments.Value(kDate));
    } else if (QFile::exists(ProgramFile(QString::fromLatin1(Message(msg::RateFile))))) {
        // The codes and names are worth showing before any rate is stored.
        LoadRates();
        listed = CurrentListedRates(Rates());
    } else {
        PrintErrorLine(QStringLiteral("No rates are stored yet; \"kestrum update\" or "
                                      "\"kestrum import FILE\" stores them."));
    }
    QJsonArray entries;
    QList<QStringList> rows{{QStringLiteral("#"), QStringLiteral("Code"), QStringLiteral("English"),
                             QStringLiteral("French"), QStringLiteral("CAD per unit"),
                             QStringLiteral("Origin")}};
    for (int k = 0; k < kCurrencyCount; ++k) {
        // Every rate is a price in Canadian dollars, so the base is worth 1.
        const ListedRate& rate = listed[k];
        const bool present = k == 0 || rate.rate != kNotAvailable;
        const double value = k == 0 ? 1.0 : rate.rate;
        entries.append(QJsonObject{
            {QStringLiteral("index"), k},
            {QStringLiteral("code"), history::ShownCode(k, rate.detail)},
            {QStringLiteral("english"), Name(k, kEnglish)},
            {QStringLiteral("french"), Name(k, kFrench)},
            {QStringLiteral("rate"), JsonNumberOrNull(present, value)},
            {QStringLiteral("day"),
             k == 0 || !present ? QJsonValue(QJsonValue::Null) : QJsonValue(IsoDate(rate.day))},
            {QStringLiteral("origin"),
             rate.origin.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(rate.origin)},
            {QStringLiteral("originFields"), OriginFields(rate.detail)}});
        rows << QStringList{QString::number(k),
                            history::ShownCode(k, rate.detail),
                            Name(k, kEnglish),
                            Name(k, kFrench),
                            present ? QString::number(value, 'f', kListDecimals)
                                    : QStringLiteral("NA"),
                            rate.origin};
    }
    if (arguments.IsSet(kJson))
        PrintJson(entries);
    else
        WriteText(stdout, TextTable(rows, {true, false, false, false, true, false}));
    return kSuccess;
}

// ---- import -----------------------------------------------------------------

void DefineImport(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A saved rate page, Valet JSON answer, ECB XML file or NBP JSON answer."));
}

int RunImport(const Arguments& arguments) {
    ExpectArguments(arguments, 1, "import FILE");
    const bool configExists = LoadSettings();
    const QString path = arguments.Positional()[0];
    const PipelineResult stored = StoreRatePage(ProgramRates(), configExists, path);
    switch (stored.status) {
    case PipelineStatus::Stored:
        break;
    case PipelineStatus::Unreadable:
    case PipelineStatus::RateFileFailed:
    case PipelineStatus::ConfigFileFailed:
        Fail(kDataFileError, stored.error + QLatin1Char('.'));
    case PipelineStatus::Unparsable:
        if (!stored.notes.isEmpty())
            Fail(kFetchError, stored.notes.join(QLatin1Char(' ')));
        Fail(kFetchError, QStringLiteral("\"%1\" is not a rate page in the layout Kestrum reads; "
                                         "nothing was changed.")
                              .arg(path));
    }
    if (!stored.history.isEmpty())
        PrintErrorLine(stored.history);
    for (const QString& note : stored.notes)
        PrintErrorLine(note);
    ReportStoredRates(QStringLiteral("\"%1\"").arg(path));
    return kSuccess;
}

const std::array<Command, 8> kCommands = {{
    {"convert", "Convert an amount between two currencies.", DefineConvert, RunConvert,
     "convert [options] --file FILE"},
    {"rates", "Print the five-day rate table.", DefineRates, RunRates},
    {"list", "List the currencies with their codes and current rates.", DefineList, RunList},
    {"import", "Store the rates of a saved rate page.", DefineImport, RunImport},
    {"update", "Download the rate page and store its rates.", DefineUpdate, RunUpdate},
    {"source", "Print or set where downloads fetch the rates.", DefineSource, RunSource},
    {"history", "Show, summarise or fetch the rate history.", DefineHistory, RunHistory},
    {"chart", "Draw a pair's stored history into a PNG.", DefineChart, RunChart},
}};

} // namespace

void Fail(int code, const QString& sentence) {
    throw Failure{code, sentence};
}

void ExpectArguments(const Arguments& arguments, qsizetype count, const char* syntax) {
    if (arguments.Positional().size() != count)
        Fail(kUsageError, QStringLiteral("Usage: kestrum %1 (see --help).").arg(syntax));
}

QString Arguments::Value(const QString& option) const {
    return Unshield(m_parser.value(option));
}

QStringList ShieldNumbers(const QStringList& arguments) {
    QStringList shielded;
    for (const QString& argument : arguments) {
        const bool negativeNumber = argument.size() > 1 && argument[0] == QLatin1Char('-') &&
                                    (argument[1].isDigit() || argument[1] == QLatin1Char('.'));
        shielded << (negativeNumber ? kShield + argument : argument);
    }
    return shielded;
}

QString Unshield(const QString& argument) {
    return argument.startsWith(kShield) ? argument.mid(1) : argument;
}

const Command* FindCommand(const QString& name) {
    for (const Command& command : kCommands)
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

QString CommandSummaries() {
    QList<QStringList> rows;
    for (const Command& command : kCommands)
        rows << QStringList{QLatin1String(command.name), QLatin1String(command.summary)};
    return TextTable(rows, {});
}

void PrintLine(const QString& text) {
    WriteText(stdout, text + QLatin1Char('\n'));
}

void PrintErrorLine(const QString& text) {
    // Messages quote servers, files and records: nothing in them reaches the
    // terminal as a control sequence.
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = Printable(line);
    WriteText(stderr, lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

bool LoadSettings() {
    Configuration() = DefaultConfig();
    const bool exists = ConfigurationFileExists();
    if (exists) {
        const IoResult loaded = LoadConfiguration();
        if (!loaded)
            Fail(kDataFileError, loaded.error + QLatin1Char('.'));
    }
    const QStringList errors = LoadNameOverrides(CurrencyCatalogue(), Configuration());
    if (!errors.isEmpty())
        Fail(kDataFileError, errors.first() + QLatin1Char('.'));
    return exists;
}

void ReportStoredRates(const QString& source) {
    PrintLine(QStringLiteral("Stored the rates of %1; latest data: %2.")
                  .arg(source, DataDateText(Configuration().DataDate)));
}

} // namespace kestrum::cli
