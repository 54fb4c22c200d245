#pragma once

namespace kestrum {

// Starts the calculator window and runs until it closes.
int RunWindow(int argc, char** argv);

} // namespace kestrum
