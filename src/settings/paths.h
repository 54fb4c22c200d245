#pragma once

#include <QString>

namespace kestrum {

// The directory every program file lives in, with a trailing separator:
// --data-dir when given for this run; otherwise the executable's own
// directory (a portable copy or a build tree), or the per-user data directory
// for an installed copy (see DefaultProgramDir).
QString ProgramDir();

// Replaces the program directory for the rest of the run; an empty text
// restores the default.
void SetProgramDir(const QString& dir);

// The directory --data-dir chose for this run, without the trailing
// separator; empty when the run keeps the default.
QString ChosenProgramDir();

// ProgramDir() followed by a file name.
QString ProgramFile(const QString& name);

// The rate history's file name in the program directory.
inline constexpr char kHistoryFileName[] = "history.sqlite";

// Whether `path` names one of the program's own files in the program
// directory (settings, rates, the history and its journals, preferences, name
// files, the lock, a downloaded page): what a file the user asks for, such
// as an export, must never replace.
bool IsProgramFile(const QString& path);

// The full path of the running executable, the target of its shortcuts.
QString ExecutablePath();

// A file shipped with the program (the help page): beside the executable,
// else in the install layout's shared files directory. --data-dir does not
// move it.
QString ShippedFile(const QString& name);
// The directory of the running executable, with a trailing separator.
QString ExecutableDir();

// A module of the program: beside the executable, else in the install
// layout's library directory. When neither holds it, the path beside the
// executable, so a message can name it.
QString ModuleFile(const QString& name);

// The rule behind ProgramDir(). A copy is installed when its directory is not
// writable or when it sits in the install layout (the shared files directory
// next to it holds the starter "rt.dt"); it then keeps its files in
// userDataDir and, on the first start there, copies the starter "rt.dt" in.
// Anything else keeps its files beside the executable.
QString DefaultProgramDir(const QString& executableDir, const QString& userDataDir);

} // namespace kestrum
