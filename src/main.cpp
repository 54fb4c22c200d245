#include "cli/command_line.h"
#include "cli/modules.h"
#include "cli/output.h"

#include <chrono>

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now().time_since_epoch();
    kestrum::cli::GuardStandardStreams();
    // A command never loads the window module, so it needs no display and
    // none of the window's libraries.
    if (const std::optional<QString> command = kestrum::CommandLineCommand(argc, argv))
        return kestrum::RunCommandLine(argc, argv, *command);
    return kestrum::RunWindowModule(
        argc, argv, std::chrono::duration_cast<std::chrono::nanoseconds>(started).count());
}
