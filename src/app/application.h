#pragma once

namespace kestrum {

// Starts the calculator window and runs until it closes. A second start of
// the same program brings the first copy's window forward and ends.
int RunWindow(int argc, char** argv);

} // namespace kestrum
