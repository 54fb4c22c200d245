#pragma once

#include <QString>
#include <optional>

namespace kestrum {

// The command the arguments name, or an empty text when they ask for help or
// the version or make a usage error: the program then runs without a window
// (and without a display). Nothing when they ask for the window.
std::optional<QString> CommandLineCommand(int argc, char** argv);

// Runs the command and returns the process exit code.
int RunCommandLine(int argc, char** argv, const QString& command);

// Runs one command inside an application object that already exists: the
// window module's, for a command that draws. `command`, when known, spares a
// parse of the arguments.
int RunCommandInApplication(int argc, char** argv, const QString& command = {});

} // namespace kestrum
