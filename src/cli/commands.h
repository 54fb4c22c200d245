#pragma once

#include "settings/configuration.h"

#include <QCommandLineParser>
#include <QJsonValue>
#include <QString>
#include <QStringList>

namespace kestrum::cli {

// Exit codes of the commands.
enum ExitCode : int {
    kSuccess = 0,
    kUsageError = 2,
    kUnknownCurrency = 3,
    kNoRate = 4,
    kDataFileError = 5,
    kFetchError = 6,
    kOutputError = 7, // standard output could not be written
    kNoMemory = 1,    // or a module of the program is missing
};

// What ends a command early: the exit code and one sentence for the user.
struct Failure {
    int code;
    QString sentence;
};
[[noreturn]] void Fail(int code, const QString& sentence);

// The option values and positional arguments of one command, with the
// shielding of negative numbers already undone.
class Arguments {
public:
    Arguments(const QCommandLineParser& parser, QStringList positional)
        : m_parser(parser), m_positional(std::move(positional)) {}

    const QStringList& Positional() const { return m_positional; }
    bool IsSet(const QString& option) const { return m_parser.isSet(option); }
    QString Value(const QString& option) const;

private:
    const QCommandLineParser& m_parser;
    QStringList m_positional;
};

// QCommandLineParser reads "-5" as an option; a leading marker keeps such
// numbers positional until Unshield takes it away again.
QStringList ShieldNumbers(const QStringList& arguments);
QString Unshield(const QString& argument);

// A usage failure unless the command got `count` positional arguments.
void ExpectArguments(const Arguments& arguments, qsizetype count, const char* syntax);

struct Command {
    const char* name;
    const char* summary;
    void (*define)(QCommandLineParser& parser); // its positional arguments and options
    int (*run)(const Arguments& arguments);     // throws Failure
    // A second form of the command, shown under its usage line.
    const char* otherUsage = nullptr;
};

// convert, rates, list, import, update, source, chart.
const Command* FindCommand(const QString& name);
QString CommandSummaries();

// Writes UTF-8 text and a line end.
void PrintLine(const QString& text);
void PrintErrorLine(const QString& text);

// Loads "kestrumconfig" (defaults stay in memory when it is missing) and
// applies the name files; returns whether "kestrumconfig" exists.
bool LoadSettings();
// The line that follows stored rates: where they came from and the new data date.
void ReportStoredRates(const QString& source);

// Shared by the commands: fills the program's store from "rt.dt" (or fails
// saying why); prints indented JSON; a number or null; an ISO date or "".
void LoadRates();
void PrintJson(const QJsonValue& value);
QJsonValue JsonNumberOrNull(bool present, double value);
QString IsoDate(double value);
// The catalogue's name of currency k.
QString Name(int k, int language);
// The names a text uses: French in French; in English the configured ones,
// as they always were.
int SentenceLanguage();

// tables.cpp: `rates` and `list`.
void DefineRates(QCommandLineParser& parser);
int RunRates(const Arguments& arguments);
void DefineList(QCommandLineParser& parser);
int RunList(const Arguments& arguments);

void DefineUpdate(QCommandLineParser& parser);
int RunUpdate(const Arguments& arguments);
// Runs a download command's entry in the network module.
int RunInNetworkModule(const char* entryName, const Arguments& arguments);

void DefineSource(QCommandLineParser& parser);
int RunSource(const Arguments& arguments);

// The parts of `convert` the dated conversions share: a currency or amount
// argument (or a usage failure), the fee and rounding options,
// "U.S. Dollar (USD)", "100 USD (U.S. Dollar)".
int CurrencyArgument(const QString& text);
double AmountArgument(const QString& text);
void ApplyConversionArguments(const Arguments& arguments, ConfigRecord& config);
QString CurrencyDescription(int k);

// AMOUNT FROM TO of a conversion, read after the settings, whose fee and
// rounding the options have changed; a usage failure quotes `syntax`.
struct ConversionArguments {
    double amount = 0.0;
    int from = 0;
    int to = 0;
};
ConversionArguments ReadConversionArguments(const Arguments& arguments, const char* syntax);
QString CountedCurrency(const QString& amount, int k);

// history_commands.cpp: `history` and `convert --date|--average|--file`.
void DefineHistory(QCommandLineParser& parser);
int RunHistory(const Arguments& arguments);
void DefineHistoryConvert(QCommandLineParser& parser);
bool UsesHistory(const Arguments& arguments);
int RunHistoryConvert(const Arguments& arguments);

void DefineChart(QCommandLineParser& parser);
int RunChart(const Arguments& arguments);

} // namespace kestrum::cli
