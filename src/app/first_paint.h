#pragma once

class QWidget;

namespace kestrum {

// Start-up figures for the benchmarks. With KESTRUM_FIRST_PAINT_REPORT set in
// the environment, the first paint of `window` prints the milliseconds since
// main began and, when the launcher put its CLOCK_REALTIME nanoseconds in
// KESTRUM_EXEC_NS just before starting the program, since then; the program
// then quits. Without the variable nothing happens.
void NoteMainStarted(long long steadyNs);
void WatchFirstPaint(QWidget* window);

} // namespace kestrum
