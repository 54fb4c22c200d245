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
#include "settings/language.h"
#include "settings/local_text.h"
#include "settings/message_table.h"
#include "settings/paths.h"
#include "update/rate_pipeline.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cstdio>
#include <optional>
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

} // namespace

QString Name(int k, int language) {
    return FromCp1252(CurrencyName(k, language));
}

int SentenceLanguage() {
    return ShownLanguage() == kLanguageFrench ? kFrench : Configuration().Language;
}

// "Canadian Dollar (CAD)", the catalogue's name in the language of the text.
QString CurrencyDescription(int k) {
    return QStringLiteral("%1 (%2)").arg(Name(k, SentenceLanguage()),
                                         QLatin1String(CurrencyCode(k)));
}

// "100 CAD (Canadian Dollar)": the code carries the amount, so no name needs
// a plural nobody can derive from the name alone ("Yens", "EUROs").
QString CountedCurrency(const QString& amount, int k) {
    return QStringLiteral("%1 %2 (%3)")
        .arg(amount, QLatin1String(CurrencyCode(k)), Name(k, SentenceLanguage()));
}

int CurrencyArgument(const QString& text) {
    const int k = FindCurrencyByCodeOrName(ToCp1252(text));
    if (k < 0)
        Fail(kUnknownCurrency,
             QCoreApplication::translate(
                 "Commands", "Unknown currency \"%1\"; \"kestrum list\" shows the codes and names.")
                 .arg(text));
    return k;
}

// An amount as the calculator window reads it: "." the decimal point, ","
// grouping thousands, zero refused.
double AmountArgument(const QString& text) {
    const AmountReading reading = ReadAmountText(ToCp1252(text));
    if (reading.value != 0.0)
        return reading.value;
    Fail(kUsageError, QCoreApplication::translate("Commands", "\"%1\" is not a valid amount: %2.")
                          .arg(text, AmountFaultText(reading.fault)));
}

void LoadRates() {
    const QString path = ProgramFile(QString::fromLatin1(Message(msg::RateFile)));
    const RateFileLoad load = LoadRateFile(Rates(), Configuration());
    switch (load.status) {
    case RateFileStatus::Loaded:
        return;
    case RateFileStatus::Missing:
        Fail(kDataFileError,
             QCoreApplication::translate("Commands", "There is no rate file \"%1\"; \"kestrum "
                                                     "update\" or \"kestrum import FILE\" "
                                                     "creates it.")
                 .arg(path));
    case RateFileStatus::Incomplete:
        Fail(kDataFileError,
             QCoreApplication::translate(
                 "Commands", "The rate file \"%1\" is incomplete; \"kestrum update\" replaces it.")
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

namespace {

// ---- convert ----------------------------------------------------------------

void DefineConvert(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QStringLiteral("AMOUNT"),
        QCoreApplication::translate("Commands",
                                    "The amount: \".\" decimal point, \",\" between thousands."));
    parser.addPositionalArgument(
        QStringLiteral("FROM"),
        QCoreApplication::translate("Commands", "Its currency: ISO code or English/French name."));
    parser.addPositionalArgument(QStringLiteral("TO"),
                                 QCoreApplication::translate("Commands", "The target currency."));
    parser.addOptions({
        {kFee, QCoreApplication::translate("Commands", "Apply a cash-rate fee of <pct> percent."),
         QStringLiteral("pct")},
        {kNoFee, QCoreApplication::translate("Commands", "Apply no cash-rate fee.")},
        {kRound, QCoreApplication::translate("Commands", "Round the result to the cent.")},
        {kNoRound, QCoreApplication::translate("Commands", "Show four decimals.")},
        {{QStringLiteral("v"), kVerbose},
         QCoreApplication::translate("Commands",
                                     "Print a sentence naming the currencies, rate date and fee.")},
    });
    DefineHistoryConvert(parser);
}

} // namespace

// The fee and rounding of the configuration, as the options change them.
void ApplyConversionArguments(const Arguments& arguments, ConfigRecord& config) {
    if (arguments.IsSet(kFee) && arguments.IsSet(kNoFee))
        Fail(kUsageError,
             QCoreApplication::translate("Commands", "--fee and --no-fee exclude each other."));
    if (arguments.IsSet(kRound) && arguments.IsSet(kNoRound))
        Fail(kUsageError,
             QCoreApplication::translate("Commands", "--round and --no-round exclude each other."));
    if (arguments.IsSet(kFee)) {
        const QString text = arguments.Value(kFee);
        const std::optional<double> fee = ParseDecimal(ToCp1252(text));
        if (!fee || !IsUsableFee(*fee))
            Fail(kUsageError,
                 QCoreApplication::translate("Commands", "\"%1\" is not a valid fee percentage: %2")
                     .arg(text, QCoreApplication::translate("Conversion", kFeeRangeMessage)));
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
        parts << QCoreApplication::translate("Origins", "%1 for %2")
                     .arg(DateTextOrNa(date, LongDateText), QLatin1String(CurrencyCode(k)));
    }
    if (days.size() == 1)
        return QCoreApplication::translate("Origins", "at the rates of %1")
            .arg(DateTextOrNa(*days.begin(), LongDateText));
    return QCoreApplication::translate("Origins", "at the rates of %1")
        .arg(QCoreApplication::translate("Origins", "%1 and %2").arg(parts[0], parts[1]));
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
        Fail(kUsageError, QCoreApplication::translate("Conversion", kTooLargeMessage));
    if (!c.available) {
        const int missing = IsUsableRate(CurrentRate(Rates(), a)) || a == 0 ? b : a;
        Fail(kNoRate, QCoreApplication::translate("Commands", "No rate is stored for %1.")
                          .arg(CurrencyDescription(missing)));
    }
    const QString result = PlainNumberText(c.result, c.decimals);
    if (!arguments.IsSet(kVerbose)) {
        PrintLine(result);
        return kSuccess;
    }
    const QString conversion =
        CountedCurrency(args[0], a) + QStringLiteral(" = ") + CountedCurrency(result, b);
    if (a == b)
        PrintLine(
            QCoreApplication::translate("Commands", "%1: the same currency, no rate and no fee.")
                .arg(conversion));
    else if (config.RoundToCent)
        PrintLine(QCoreApplication::translate("Commands", "%1, %2, %3, rounded to the cent.")
                      .arg(conversion, RateDates(a, b), FeeSentence(config)));
    else
        PrintLine(QCoreApplication::translate("Commands", "%1, %2, %3.")
                      .arg(conversion, RateDates(a, b), FeeSentence(config)));
    return kSuccess;
}

// ---- import -----------------------------------------------------------------

void DefineImport(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QCoreApplication::translate(
            "Commands", "A saved rate page, Valet JSON answer, ECB XML file or NBP JSON answer."));
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
        Fail(kFetchError,
             QCoreApplication::translate("Commands", "\"%1\" is not a rate page in the layout "
                                                     "Kestrum reads; nothing was changed.")
                 .arg(path));
    }
    if (!stored.history.isEmpty())
        PrintErrorLine(stored.history);
    for (const QString& note : stored.notes)
        PrintErrorLine(note);
    ReportStoredRates(QCoreApplication::translate("Commands", "\"%1\"").arg(path));
    return kSuccess;
}

const std::array<Command, 8> kCommands = {{
    {"convert", QT_TRANSLATE_NOOP("Commands", "Convert an amount between two currencies."),
     DefineConvert, RunConvert, "convert [options] --file FILE"},
    {"rates", QT_TRANSLATE_NOOP("Commands", "Print the five-day rate table."), DefineRates,
     RunRates},
    {"list",
     QT_TRANSLATE_NOOP("Commands", "List the currencies with their codes and current rates."),
     DefineList, RunList},
    {"import", QT_TRANSLATE_NOOP("Commands", "Store the rates of a saved rate page."), DefineImport,
     RunImport},
    {"update", QT_TRANSLATE_NOOP("Commands", "Download the rate page and store its rates."),
     DefineUpdate, RunUpdate},
    {"source", QT_TRANSLATE_NOOP("Commands", "Print or set where downloads fetch the rates."),
     DefineSource, RunSource},
    {"history", QT_TRANSLATE_NOOP("Commands", "Show, summarise or fetch the rate history."),
     DefineHistory, RunHistory},
    {"chart", QT_TRANSLATE_NOOP("Commands", "Draw a pair's stored history into a PNG."),
     DefineChart, RunChart},
}};

} // namespace

void Fail(int code, const QString& sentence) {
    throw Failure{code, sentence};
}

void ExpectArguments(const Arguments& arguments, qsizetype count, const char* syntax) {
    if (arguments.Positional().size() != count)
        Fail(
            kUsageError,
            QCoreApplication::translate("Commands", "Usage: kestrum %1 (see --help).").arg(syntax));
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
        rows << QStringList{QLatin1String(command.name),
                            QCoreApplication::translate("Commands", command.summary)};
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
    PrintLine(QCoreApplication::translate("Commands", "Stored the rates of %1; latest data: %2.")
                  .arg(source, DataDateText(Configuration().DataDate)));
}

} // namespace kestrum::cli
