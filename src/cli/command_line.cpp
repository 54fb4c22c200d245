#include "command_line.h"

#include "commands.h"
#include "history/history_store.h"
#include "modules.h"
#include "output.h"
#include "settings/build_info.h"
#include "settings/dir_lock.h"
#include "settings/language.h"
#include "settings/local_text.h"
#include "settings/paths.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace kestrum {

namespace {

using cli::Fail;
using cli::Failure;

const QString kDataDir = QStringLiteral("data-dir");
const QString kCommand = QStringLiteral("command");

QString Version() {
    return QStringLiteral("Kestrum ") + QLatin1String(build::kVersion) + QLatin1Char('\n') +
           QCoreApplication::translate(
               "CommandLine", "Copyright (c) 2026 the Kestrum authors.\n"
                              "License MIT: <https://opensource.org/license/mit>.\n"
                              "This is free software: you are free to change and redistribute it.\n"
                              "There is NO WARRANTY, to the extent permitted by law.");
}

// The options every command takes, and the command itself.
struct ProgramOptions {
    // Our own help option: Qt's would add a --help-all that shows nothing more.
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QCoreApplication::translate("CommandLine", "Show this help.")};
    // No -v: that is convert's --verbose, as in most programs.
    QCommandLineOption version{QStringLiteral("version"),
                               QCoreApplication::translate("CommandLine", "Show the version.")};

    explicit ProgramOptions(QCommandLineParser& parser) {
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(
            {kDataDir,
             QCoreApplication::translate("CommandLine", "Keep the program files in <dir>."),
             QStringLiteral("dir")});
        parser.addPositionalArgument(
            kCommand, QCoreApplication::translate("CommandLine", "The command to run (see above)."),
            QStringLiteral("[command]"));
    }

    // The program's own help, which lists the commands: made only when
    // shown, since every command start builds these options.
    static void Describe(QCommandLineParser& parser) {
        QString commands;
        for (const QString& line : cli::CommandSummaries().trimmed().split(QLatin1Char('\n')))
            commands += QStringLiteral("  ") + line + QLatin1Char('\n');
        parser.setApplicationDescription(
            QCoreApplication::translate("CommandLine",
                                        "Kestrum converts currencies with the Bank of Canada's or "
                                        "the\nEuropean Central Bank's rates. Without a command it "
                                        "opens its window.\n\nCommands:\n%1\n"
                                        "\"kestrum COMMAND --help\" describes a command.\n"
                                        "Exit codes: 0 success, 2 usage, 3 unknown currency, 4 no "
                                        "rate,\n            5 data file missing or unreadable, 6 "
                                        "download or parse failed,\n            7 output could "
                                        "not be written.")
                .arg(commands));
    }
};

// The usage line names the program as it was started, often with a path, and
// puts the command before the options.
void PrintHelp(const QCommandLineParser& parser, const cli::Command* command = nullptr,
               std::FILE* stream = stdout) {
    QString text = parser.helpText();
    // Qt's own words, in Qt's translation when one is installed.
    const char* const qtContext = "QCommandLineParser";
    const char* const qtUsage = "Usage: %1";
    const QString usage = QCoreApplication::translate(qtContext, qtUsage).arg(QString());
    QString program = QStringLiteral("kestrum");
    if (command)
        program += QLatin1Char(' ') + QLatin1String(command->name);
    text.replace(usage + QCoreApplication::arguments().constFirst(), usage + program);
    if (command && command->otherUsage) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'));
        text.insert(end + 1, QStringLiteral("       kestrum ") +
                                 QLatin1String(command->otherUsage) + QLatin1Char('\n'));
    }
    cli::WriteText(stream, text);
}

// The first option given more than once, without its dashes.
QString RepeatedOption(const QCommandLineParser& parser) {
    QStringList seen;
    for (const QString& name : parser.optionNames()) {
        if (seen.contains(name))
            return name;
        seen << name;
    }
    return QString();
}

void RefuseRepeatedOptions(const QCommandLineParser& parser) {
    const QString repeated = RepeatedOption(parser);
    if (repeated.isEmpty())
        return;
    Fail(cli::kUsageError,
         QCoreApplication::translate("CommandLine", "%1%2 is given more than once (see --help).")
             .arg(repeated.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), repeated));
}

QStringList CommandLineArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << ArgumentText(argv[i]);
    return cli::ShieldNumbers(arguments);
}

void UseDataDir(const QCommandLineParser& parser) {
    if (!parser.isSet(kDataDir))
        return;
    const QString dir = cli::Unshield(parser.value(kDataDir));
    if (!QFileInfo(dir).isDir())
        Fail(cli::kDataFileError,
             QCoreApplication::translate("CommandLine", "The data directory \"%1\" does not exist.")
                 .arg(dir));
    SetProgramDir(dir);
}

int RunParsed(const QStringList& arguments, QString name) {
    QCommandLineParser parser;
    const ProgramOptions program(parser);
    // Unless the command is known, a first pass finds it; its own options
    // are unknown until the second.
    if (name.isEmpty()) {
        parser.parse(arguments);
        if (!parser.positionalArguments().isEmpty())
            name = parser.positionalArguments().first();
    }
    if (name.isEmpty()) {
        if (parser.isSet(program.version)) {
            cli::PrintLine(Version());
            return cli::kSuccess;
        }
        if (parser.isSet(program.help)) {
            ProgramOptions::Describe(parser);
            PrintHelp(parser);
            return cli::kSuccess;
        }
        if (!parser.errorText().isEmpty()) {
            cli::PrintErrorLine(parser.errorText());
            ProgramOptions::Describe(parser);
            PrintHelp(parser, nullptr, stderr);
            return cli::kUsageError;
        }
        Fail(cli::kUsageError,
             QCoreApplication::translate(
                 "CommandLine", "No command given; \"kestrum --help\" lists the commands."));
    }
    const cli::Command* command = cli::FindCommand(cli::Unshield(name));
    if (!command)
        Fail(cli::kUsageError,
             QCoreApplication::translate("CommandLine", "Unknown command \"%1\"; \"kestrum "
                                                        "--help\" lists the commands.")
                 .arg(cli::Unshield(name)));

    parser.clearPositionalArguments();
    parser.setApplicationDescription(QCoreApplication::translate("Commands", command->summary));
    command->define(parser);
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(program.help)) {
        PrintHelp(parser, command);
        return cli::kSuccess;
    }
    if (parser.isSet(program.version)) {
        cli::PrintLine(Version());
        return cli::kSuccess;
    }
    if (!parsed)
        Fail(cli::kUsageError, QCoreApplication::translate("CommandLine", "%1 (see --help).")
                                   .arg(cli::WithoutFullStop(parser.errorText())));
    RefuseRepeatedOptions(parser);

    UseDataDir(parser);
    QStringList positional;
    for (const QString& argument : parser.positionalArguments().mid(1))
        positional << cli::Unshield(argument);
    return command->run(cli::Arguments(parser, positional));
}

} // namespace

std::optional<QString> CommandLineCommand(int argc, char** argv) {
    QCommandLineParser parser;
    const ProgramOptions program(parser);
    // A command's own options are unknown here, so a failed parse still
    // names the command; without one it is a usage error.
    const bool parsed = parser.parse(CommandLineArguments(argc, argv));
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty())
        return cli::Unshield(positional.first());
    if (!parsed || parser.isSet(program.help) || parser.isSet(program.version))
        return QString();
    return std::nullopt;
}

int RunCommandLine(int argc, char** argv, const QString& command) {
    // A chart is drawn with Qt Widgets, whose application object the window
    // module makes; every other command stays on Qt Core.
    if (command == QLatin1String("chart"))
        return RunDrawingCommand(argc, argv);
    QCoreApplication app(argc, argv);
    return RunCommandInApplication(argc, argv, command);
}

int RunCommandInApplication(int argc, char** argv, const QString& command) {
    QCoreApplication::setApplicationName(QStringLiteral("kestrum"));
    QCoreApplication::setApplicationVersion(QLatin1String(build::kVersion));
    // The window keeps its configured language; the command line speaks the
    // locale's. English needs no translator at all.
    if (const int language = LanguageOfEnvironment(); language != kLanguageEnglish)
        UseLanguage(language);
    // A wait of more than a second is worth a word, where someone reads it.
    DirLock::SetWaitHandlers({[](const QString& sentence) {
                                  if (isatty(STDERR_FILENO) == 1)
                                      cli::PrintErrorLine(sentence);
                              },
                              nullptr});
    int code = cli::kSuccess;
    try {
        code = RunParsed(CommandLineArguments(argc, argv), command);
    } catch (const Failure& failure) {
        cli::PrintErrorLine(failure.sentence);
        code = failure.code;
    } catch (const history::StoreError& error) {
        cli::PrintErrorLine(error.sentence());
        code = cli::kDataFileError;
    }
    // Output that never arrived is a failure, whatever the command said.
    if (const QString error = cli::FinishOutput(); !error.isEmpty()) {
        cli::PrintErrorLine(error);
        return code == cli::kSuccess ? cli::kOutputError : code;
    }
    return code;
}

} // namespace kestrum
