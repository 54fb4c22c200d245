#include "command_line.h"

#include "commands.h"
#include "output.h"
#include "settings/paths.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace kestrum {

namespace {

using cli::Fail;
using cli::Failure;

const QString kDataDir = QStringLiteral("data-dir");
const QString kCommand = QStringLiteral("command");

QString Version() {
    return QStringLiteral("Kestrum " KESTRUM_VERSION);
}

// The options every command takes, and the command itself.
struct ProgramOptions {
    QCommandLineOption help;
    QCommandLineOption version;

    explicit ProgramOptions(QCommandLineParser& parser)
        : help(parser.addHelpOption()), version(parser.addVersionOption()) {
        parser.addOption(
            {kDataDir, QStringLiteral("Keep the program files in <dir>."), QStringLiteral("dir")});
        parser.addPositionalArgument(kCommand, QStringLiteral("The command to run (see above)."),
                                     QStringLiteral("[command]"));
        parser.setApplicationDescription(
            QStringLiteral("Kestrum converts currencies with the Bank of Canada's rates. Without a "
                           "command it opens its window.\n\nCommands:\n") +
            cli::CommandSummaries().trimmed() +
            QStringLiteral("\n\n\"kestrum COMMAND --help\" describes a command. Exit codes: 2 "
                           "usage, 3 unknown currency, 4 no rate, 5 data file missing or "
                           "unreadable, 6 download or parse failed."));
    }
};

// Qt adds --help-all beside --help; Qt's own options do not apply here.
bool WantsHelp(const QCommandLineParser& parser, const ProgramOptions& program) {
    return parser.isSet(program.help) || parser.isSet(QStringLiteral("help-all"));
}

// The usage line names the program as it was started, often with a path.
void PrintHelp(const QCommandLineParser& parser) {
    QString text = parser.helpText();
    const QString usage = QStringLiteral("Usage: ");
    text.replace(usage + QCoreApplication::arguments().constFirst(), usage + "kestrum");
    cli::WriteText(stdout, text);
}

QStringList CommandLineArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return cli::ShieldNumbers(arguments);
}

void UseDataDir(const QCommandLineParser& parser) {
    if (!parser.isSet(kDataDir))
        return;
    const QString dir = cli::Unshield(parser.value(kDataDir));
    if (!QFileInfo(dir).isDir())
        Fail(cli::kDataFileError,
             QStringLiteral("The data directory \"%1\" does not exist.").arg(dir));
    SetProgramDir(dir);
}

int RunParsed(const QStringList& arguments) {
    QCommandLineParser parser;
    const ProgramOptions program(parser);
    // The first pass finds the command; its own options are unknown until
    // the second.
    parser.parse(arguments);
    const QString name =
        parser.positionalArguments().isEmpty() ? QString() : parser.positionalArguments().first();
    if (name.isEmpty()) {
        if (parser.isSet(program.version)) {
            cli::PrintLine(Version());
            return cli::kSuccess;
        }
        if (WantsHelp(parser, program)) {
            PrintHelp(parser);
            return cli::kSuccess;
        }
        Fail(cli::kUsageError, parser.errorText().isEmpty()
                                   ? QStringLiteral("No command given; \"kestrum --help\" lists "
                                                    "the commands.")
                                   : parser.errorText() + QLatin1Char('.'));
    }
    const cli::Command* command = cli::FindCommand(cli::Unshield(name));
    if (!command)
        Fail(cli::kUsageError, QStringLiteral("Unknown command \"%1\"; \"kestrum --help\" "
                                              "lists the commands.")
                                   .arg(cli::Unshield(name)));

    parser.clearPositionalArguments();
    parser.setApplicationDescription(QLatin1String(command->summary));
    parser.addPositionalArgument(QLatin1String(command->name), QLatin1String(command->summary));
    command->define(parser);
    const bool parsed = parser.parse(arguments);
    if (WantsHelp(parser, program)) {
        PrintHelp(parser);
        return cli::kSuccess;
    }
    if (parser.isSet(program.version)) {
        cli::PrintLine(Version());
        return cli::kSuccess;
    }
    if (!parsed)
        Fail(cli::kUsageError, parser.errorText() + QStringLiteral(" (see --help)."));

    UseDataDir(parser);
    QStringList positional;
    for (const QString& argument : parser.positionalArguments().mid(1))
        positional << cli::Unshield(argument);
    return command->run(cli::Arguments(parser, positional));
}

} // namespace

bool IsCommandLine(int argc, char** argv) {
    QCommandLineParser parser;
    const ProgramOptions program(parser);
    parser.parse(CommandLineArguments(argc, argv));
    return !parser.positionalArguments().isEmpty() || WantsHelp(parser, program) ||
           parser.isSet(program.version);
}

int RunCommandLine(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrum"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTRUM_VERSION));
    try {
        return RunParsed(CommandLineArguments(argc, argv));
    } catch (const Failure& failure) {
        cli::PrintErrorLine(failure.sentence);
        return failure.code;
    }
}

} // namespace kestrum
