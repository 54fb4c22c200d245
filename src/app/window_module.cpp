#include "application.h"
#include "first_paint.h"

// The window module's entry, called by the executable when no command is given.
extern "C" int kestrum_window_main(int argc, char** argv, long long mainStartedNs) {
    kestrum::NoteMainStarted(mainStartedNs);
    return kestrum::RunWindow(argc, argv);
}
