// The graphs module's entries. The window module loads it when the Graphs
// window is first opened, and `kestrum chart` when it draws; everything it
// does not hold itself comes from the window module and the executable.
#include "graphs_form.h"
#include "rate_chart.h"

extern "C" kestrum::GraphsWindow* kestrum_graphs_window(QWidget* parent) {
    return kestrum::NewGraphsWindow(parent);
}

extern "C" bool kestrum_render_chart(const kestrum::ChartContent& content, const QString& path,
                                     int width, int height) {
    return kestrum::RenderRateChart(content, QSize(width, height)).save(path, "PNG");
}
