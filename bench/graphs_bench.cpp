// The Graphs window over a whole ECB history (6,700 days): opened and drawn on
// the All range, and a range switch redrawn. With --grab FILE it writes the
// README's picture instead: ten years of USD/CAD from the same history.
#include "data/catalogue.h"
#include "graphs/graphs_form.h"
#include "graphs/rate_chart.h"
#include "history/history_query.h"
#include "history/history_store.h"
#include "settings/configuration.h"
#include "settings/paths.h"
#include "settings/preferences.h"
#include "update/history_keeping.h"
#include "update/rate_sources.h"

#include <QApplication>
#include <QChartView>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <limits>
#include <memory>

using namespace kestrum;

namespace {

constexpr int kUsd = 1;
constexpr int kCad = 0;

std::unique_ptr<QTemporaryDir> g_dir;
// The same history's last three years alone: the floor of the opening.
std::unique_ptr<QTemporaryDir> g_threeYears;

bool ImportInto(const QTemporaryDir& dir, const sources::Answer& answer, const QString& origin) {
    SetProgramDir(dir.path());
    history::Store store;
    return store.Open().usable() && KeepAnswer(store, answer, origin).ok;
}

// A data directory whose history holds the file named by
// KESTRUM_GRAPHS_HISTORY (an ECB whole-history file), configured for the ECB.
bool PrepareStore() {
    QFile file(qEnvironmentVariable("KESTRUM_GRAPHS_HISTORY"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const HistoryAnswer read = ReadHistoryAnswer(file.readAll());
    if (!read.source || read.source->key != std::string_view("ecb") || !read.answer.HasDays())
        return false;
    sources::Answer recent = read.answer;
    for (auto& [source, published] : recent.published) {
        if (published.days.empty())
            continue;
        const double from = published.days.rbegin()->first - 3 * 365;
        published.days.erase(published.days.begin(), published.days.lower_bound(from));
        published.quotes.erase(published.quotes.begin(), published.quotes.lower_bound(from));
    }
    g_dir = std::make_unique<QTemporaryDir>();
    g_threeYears = std::make_unique<QTemporaryDir>();
    Configuration().RatePageAddress = kEcbRatesAddress;
    return ImportInto(*g_threeYears, recent, file.fileName()) &&
           ImportInto(*g_dir, read.answer, file.fileName());
}

bool Expose(QWidget& window) {
    window.show();
    const auto exposed = [&window] {
        return window.windowHandle() && window.windowHandle()->isExposed();
    };
    for (int round = 0; round < 1000 && !exposed(); ++round)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return exposed();
}

// Opens the window on the All range of a data directory and draws it; the
// days drawn, or -1 when the window is never exposed.
int OpenAndDraw(const QTemporaryDir& dir, double* seconds) {
    SetProgramDir(dir.path());
    const auto start = std::chrono::steady_clock::now();
    // Owned here: closing would only schedule the deletion.
    TGraphsForm form;
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.ShowPair(kUsd, kCad, kEnglish);
    if (!Expose(form))
        return -1;
    benchmark::DoNotOptimize(form.grab());
    if (seconds)
        *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return static_cast<int>(form.Shown().lines.front().points.size());
}

void OpenAllRangeBench(benchmark::State& state) {
    // 0: the whole history, 1: its last three years. Each timed opening
    // follows an untimed one of the other, so the two figures meet the same
    // machine, as their ratio needs.
    const bool whole = state.range(0) == 0;
    for (const QTemporaryDir* dir : {g_dir.get(), g_threeYears.get()}) {
        SetProgramDir(dir->path());
        WritePreference(QLatin1String(pref::kGraphsRange), QStringLiteral("All"));
    }
    for (auto _ : state) {
        double seconds = 0;
        // What the closed windows left to deleteLater, as the event loop
        // would run it between two openings.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const int days = OpenAndDraw(whole ? *g_threeYears : *g_dir, nullptr) < 0
                             ? -1
                             : OpenAndDraw(whole ? *g_dir : *g_threeYears, &seconds);
        if (days < 0) {
            state.SkipWithError("the window is never exposed");
            break;
        }
        state.SetIterationTime(seconds);
        state.counters["days"] = days;
    }
}
BENCHMARK(OpenAllRangeBench)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void SwitchRangeBench(benchmark::State& state) {
    SetProgramDir(g_dir->path());
    TGraphsForm form;
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.ShowPair(kUsd, kCad, kEnglish);
    if (!Expose(form)) {
        state.SkipWithError("the window is never exposed");
        return;
    }
    // Between All and 1Y: the largest and a small redraw in turn.
    QToolButton* ranges[] = {form.RangeButtons[static_cast<int>(ChartRange::All)],
                             form.RangeButtons[static_cast<int>(ChartRange::OneYear)]};
    int next = 0;
    for (auto _ : state) {
        ranges[next]->click();
        next = 1 - next;
        // The chart hands the replaced axes and lines to deleteLater, which
        // the window's event loop runs before it paints; here nothing else
        // would, and every switch would draw all the earlier ones again.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        benchmark::DoNotOptimize(form.ChartView->grab());
    }
}
BENCHMARK(SwitchRangeBench)->Unit(benchmark::kMillisecond);

// The chart `kestrum chart` and Save as PNG write: ten years drawn once, then
// encoded to a file at the level chosen for speed, beside Qt's default level
// on the same picture.
ChartContent TenYears() {
    history::Store store;
    std::vector<ChartLine> whole;
    if (store.OpenForReading().usable())
        whole.push_back({QString::fromLatin1(history::kEcb), QStringLiteral("ECB"),
                         history::CrossSeries(store, QString::fromLatin1(history::kEcb), kUsd, kCad,
                                              std::numeric_limits<int>::min(),
                                              std::numeric_limits<int>::max())});
    ChartContent content = ChartOfRange(whole, ChartRange::TenYears);
    NamePair(content, kUsd, kCad, kEnglish);
    return content;
}

void ChartPngBench(benchmark::State& state) {
    const ChartContent content = TenYears();
    const QString path = g_dir->filePath(QStringLiteral("chart.png"));
    for (auto _ : state)
        if (!SaveRateChart(content, QSize(900, 500), path).error.isEmpty())
            state.SkipWithError("the chart was not saved");
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK(ChartPngBench)->Unit(benchmark::kMillisecond);

void ChartPngDefaultLevelBench(benchmark::State& state) {
    const ChartContent content = TenYears();
    const QString path = g_dir->filePath(QStringLiteral("default.png"));
    for (auto _ : state)
        RenderRateChart(content, QSize(900, 500)).save(path, "PNG");
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK(ChartPngDefaultLevelBench)->Unit(benchmark::kMillisecond);

int Grab(const char* path) {
    TGraphsForm form;
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.resize(900, 640);
    form.ShowPair(kUsd, kCad, kEnglish);
    form.RangeButtons[static_cast<int>(ChartRange::TenYears)]->click();
    if (!Expose(form))
        return 1;
    // The read-out as the mouse would leave it, on a day well inside.
    const auto& points = form.Shown().lines.front().points;
    form.ChartView->setFocus();
    for (std::size_t i = 0; i < points.size() / 3; ++i) {
        QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(form.ChartView, &left);
    }
    form.AmountEdit->setText(QStringLiteral("250"));
    form.DateEdit->setDate(QDate(2024, 2, 29));
    form.ConvertButton->click();
    return form.grab().save(QString::fromLocal8Bit(path), "PNG") ? 0 : 1;
}

} // namespace

// Offscreen windows cannot be raised; the warning would fill the terminal.
void Quiet(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1String("does not support")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int main(int argc, char** argv) {
    qInstallMessageHandler(Quiet);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!PrepareStore()) {
        std::fprintf(stderr, "KESTRUM_GRAPHS_HISTORY must name an ECB whole-history file\n");
        return 1;
    }
    if (argc == 3 && QLatin1String(argv[1]) == QLatin1String("--grab"))
        return Grab(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
