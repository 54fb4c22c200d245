// Speed of the work done at every keystroke, start-up and download.
#include "data/conversion.h"
#include "data/rate_files.h"
#include "settings/configuration.h"
#include "update/rate_page_parser.h"

#include <QFile>
#include <benchmark/benchmark.h>

using namespace kestrum;

namespace {

// The shipped sample page (the noon rates of 7 to 13 November 2007).
QByteArray Page() {
    QFile file(QStringLiteral(KESTRUM_SAMPLE_PAGE));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

RateStore FullStore() {
    RateStore store;
    for (int d = 1; d <= kDayCount; ++d)
        for (int k = 1; k < kCurrencyCount; ++k)
            SetDayRate(store, k, d, 0.5 + k * 0.01 + d * 0.001);
    ComputeCurrentRates(store);
    return store;
}

void ParseRatePageBench(benchmark::State& state) {
    const QByteArray page = Page();
    RateStore store;
    const ConfigRecord config = DefaultConfig();
    if (!ParseRatePage(page, store, BuiltInCatalogue(), config))
        state.SkipWithError("the sample page does not parse");
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseRatePage(page, store, BuiltInCatalogue(), config));
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(ParseRatePageBench);

// A page of the given size whose labels all sit at its end: the parser must
// walk the whole text, and its cost should grow linearly with the size.
void ParseLargePageBench(benchmark::State& state) {
    const QByteArray tail = Page();
    QByteArray page;
    const QByteArray filler = "<p>Nothing to read on this line of the page.</p>\n";
    while (page.size() + tail.size() < state.range(0))
        page += filler;
    page += tail;
    RateStore store;
    const ConfigRecord config = DefaultConfig();
    if (!ParseRatePage(page, store, BuiltInCatalogue(), config))
        state.SkipWithError("the large page does not parse");
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseRatePage(page, store, BuiltInCatalogue(), config));
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(ParseLargePageBench)
    ->Arg(256 << 10)
    ->Arg(1 << 20)
    ->Arg(4 << 20)
    ->Unit(benchmark::kMillisecond);

void ConvertAndFormatBench(benchmark::State& state) {
    const RateStore store = FullStore();
    const ConfigRecord config = DefaultConfig();
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    for (auto _ : state) {
        const Conversion c = ConvertAmount(store, config, 13, 27, 1234.5);
        benchmark::DoNotOptimize(FormatResult(c.result, c.decimals, false, locale));
    }
}
BENCHMARK(ConvertAndFormatBench);

void RateFileRoundTripBench(benchmark::State& state) {
    const RateStore store = FullStore();
    RateStore target;
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeRateFile(EncodeRateFile(store), target));
}
BENCHMARK(RateFileRoundTripBench);

void ConfigRoundTripBench(benchmark::State& state) {
    const ConfigRecord record = DefaultConfig();
    for (auto _ : state)
        benchmark::DoNotOptimize(DeserializeConfig(SerializeConfig(record)));
}
BENCHMARK(ConfigRoundTripBench);

} // namespace

BENCHMARK_MAIN();
