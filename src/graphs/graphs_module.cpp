// The graphs module's entries. The window module loads it when the Graphs
// window is first opened, and `kestrum chart` when it draws; everything it
// does not hold itself comes from the window module and the executable.
#include "graphs_form.h"
#include "rate_chart.h"

#include <QThread>
#include <QThreadPool>
#include <new>

namespace {
// Enough for the drawing's deepest calls, and small enough to map where the
// address space is tight and a default stack (the stack limit, often 8 MiB
// or more) is not.
constexpr uint kDrawingStack = 1024 * 1024;
} // namespace

extern "C" kestrum::GraphsWindow* kestrum_graphs_window(QWidget* parent) {
    return kestrum::NewGraphsWindow(parent);
}

// The picture is drawn on the one thread of the raster engine's own pool:
// from there the engine fills and converts on the calling thread instead of
// handing parts to pool threads, which wait for ever when none can start. A
// thread that cannot start at all is told as the lack of memory it is.
extern "C" kestrum::ChartSaving kestrum_render_chart(const kestrum::ChartContent& content,
                                                     const QString& path, int width, int height) {
    const kestrum::ChartSaving noThread{
        kestrum::ChartSaving::NoMemory,
        QStringLiteral("There is not enough memory to start drawing the chart.")};
    QThread* probe = QThread::create([] {});
    probe->setStackSize(kDrawingStack);
    probe->start();
    const bool started = probe->isRunning() || probe->isFinished();
    if (started)
        probe->wait();
    delete probe;
    if (!started)
        return noThread;
    QThreadPool* pool = QThreadPool::globalInstance();
    pool->setStackSize(kDrawingStack);
    pool->setMaxThreadCount(1);
    kestrum::ChartSaving saved = noThread;
    pool->start([&] {
        try {
            saved = kestrum::SaveRateChart(content, QSize(width, height), path);
        } catch (const std::bad_alloc&) {
            saved.error = QStringLiteral("There is not enough memory to draw the chart.");
        }
    });
    pool->waitForDone();
    return saved;
}
