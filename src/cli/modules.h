#pragma once

#include <QString>

namespace kestrum {

// The window and the network code live in modules beside the executable, so
// a command loads neither Qt Widgets nor libcurl unless it needs them.
inline constexpr char kWindowModule[] = "kestrum-window.so";
inline constexpr char kNetworkModule[] = "kestrum-network.so";
// The Graphs window and the chart, with Qt Charts; it needs the window module.
inline constexpr char kGraphsModule[] = "kestrum-graphs.so";
// Its entries: the Graphs window for the main window, the chart for `chart`.
inline constexpr char kGraphsWindowEntry[] = "kestrum_graphs_window";
inline constexpr char kRenderChartEntry[] = "kestrum_render_chart";

// The address of `symbol` in the module, loaded on first use; nullptr with a
// reason in `error` when the module is missing or broken.
void* ModuleSymbol(const char* module, const char* symbol, QString& error);

// Opens the window from its module and runs until it closes; a missing or
// broken module is one sentence on standard error and exit code 1.
int RunWindowModule(int argc, char** argv, long long mainStartedNs);

// Runs a command that draws (`chart`) inside the window module's offscreen
// application; a missing module is one sentence and exit code 1.
int RunDrawingCommand(int argc, char** argv);

} // namespace kestrum
