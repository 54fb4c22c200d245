#include "app/application.h"
#include "cli/command_line.h"

int main(int argc, char** argv) {
    // A command never creates the window's application object, so it needs
    // no display.
    if (kestrum::IsCommandLine(argc, argv))
        return kestrum::RunCommandLine(argc, argv);
    return kestrum::RunWindow(argc, argv);
}
