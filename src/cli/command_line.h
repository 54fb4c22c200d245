#pragma once

namespace kestrum {

// True when the arguments name a command or ask for help or the version: the
// program then runs without a window (and without a display).
bool IsCommandLine(int argc, char** argv);

// Runs one command and returns the process exit code.
int RunCommandLine(int argc, char** argv);

// Runs one command inside an application object that already exists: the
// window module's, for a command that draws.
int RunCommandInApplication(int argc, char** argv);

} // namespace kestrum
