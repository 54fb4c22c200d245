#pragma once

class QString;

namespace kestrum {

// Starts the calculator window and runs until it closes. A second start of
// the same program brings the first copy's window forward and ends.
int RunWindow(int argc, char** argv);

// Asks, in a box with Retry, whether to wait longer for a lock another
// program holds (see DirLock); true for Retry.
bool AskToWaitForLock(const QString& sentence);

} // namespace kestrum
