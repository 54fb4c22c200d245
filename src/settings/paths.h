#pragma once

#include <QString>

namespace kestrum {

// The directory every program file lives in, with a trailing separator: the
// executable's own directory unless --data-dir replaced it for this run.
QString ProgramDir();

// Replaces the program directory for the rest of the run; an empty text
// restores the executable's directory.
void SetProgramDir(const QString& dir);

// ProgramDir() followed by a file name.
QString ProgramFile(const QString& name);

// The full path of the running executable, the target of its shortcuts.
QString ExecutablePath();

// A file shipped beside the executable (the help page), which --data-dir
// does not move.
QString ExecutableFile(const QString& name);

} // namespace kestrum
