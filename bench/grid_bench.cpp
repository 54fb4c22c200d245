// Filling the rate grid windows over the rates of the shipped sample page, as
// a click on a grid button does before the window opens: the grid built, the
// progress window shown and both of its bars redrawn as the cells go in.
#include "data/catalogue.h"
#include "data/rate_store.h"
#include "grids/rate_grid_form.h"
#include "settings/configuration.h"
#include "update/progress_form.h"
#include "update/rate_page_parser.h"
#include "widgets/prism_bar.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace kestrum;

namespace {

// Counts the paints a bar really receives: a repaint of a hidden widget
// costs nothing and would flatter the figure.
class PaintCounter : public QObject {
public:
    qint64 paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

bool LoadSamplePage() {
    QFile file(QStringLiteral(KESTRUM_SAMPLE_PAGE));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    ResetRates();
    if (!ParseRatePage(file.readAll(), Rates(), CurrencyCatalogue(), Configuration()))
        return false;
    ComputeCurrentRates(Rates());
    return true;
}

bool Expose(QWidget& window) {
    window.show();
    const auto painted = [&window] {
        return window.testAttribute(Qt::WA_Mapped) && window.windowHandle()->isExposed();
    };
    for (int round = 0; round < 1000 && !painted(); ++round)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return painted();
}

void FillGridBench(benchmark::State& state, GridBase against) {
    if (!LoadSamplePage()) {
        state.SkipWithError("the sample page does not parse");
        return;
    }
    TProgressForm progress;
    PaintCounter counter;
    progress.TotalPrismBar->installEventFilter(&counter);
    progress.PrismBar->installEventFilter(&counter);
    for (auto _ : state) {
        // A click finds the progress window on screen from the previous
        // step; only an exposed window really paints.
        state.PauseTiming();
        const bool exposed = Expose(progress);
        state.ResumeTiming();
        if (!exposed) {
            state.SkipWithError("the progress window is never exposed");
            break;
        }
        TCRateForm grid;
        progress.ShowProgress(QStringLiteral("Parsing"));
        against == GridBase::CanadianDollar ? grid.DoCanGrid() : grid.DoUSGrid();
        progress.HideProgress();
        benchmark::DoNotOptimize(grid.Cells(5, 55));
    }
    state.counters["bar_paints"] = benchmark::Counter(static_cast<double>(counter.paints) /
                                                      static_cast<double>(state.iterations()));
}

void FillCanadianGridBench(benchmark::State& state) {
    FillGridBench(state, GridBase::CanadianDollar);
}
BENCHMARK(FillCanadianGridBench)->Unit(benchmark::kMillisecond);

void FillUSGridBench(benchmark::State& state) {
    FillGridBench(state, GridBase::USDollar);
}
BENCHMARK(FillUSGridBench)->Unit(benchmark::kMillisecond);

} // namespace

// Offscreen windows cannot be raised; the warning would fill the table's
// terminal at every step.
QtMessageHandler g_previousHandler = nullptr;

void QuietRaise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support raise()")))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int main(int argc, char** argv) {
    g_previousHandler = qInstallMessageHandler(QuietRaise);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
