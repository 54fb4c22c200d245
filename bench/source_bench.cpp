// Speed of reading a downloaded body through the reader that recognises it.
#include "update/rate_sources.h"

#include <QDate>
#include <QFile>
#include <benchmark/benchmark.h>

using namespace kestrum;

namespace {

QByteArray Read(const char* path) {
    QFile file(QString::fromLatin1(path));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// About the size of the ECB's 90-day file: 62 days of 30 quotes.
QByteArray NinetyDayEcbFile() {
    static const char* const codes[] = {"USD", "JPY", "BGN", "CZK", "DKK", "GBP", "HUF", "PLN",
                                        "RON", "SEK", "CHF", "ISK", "NOK", "TRY", "AUD", "BRL",
                                        "CAD", "CNY", "HKD", "IDR", "ILS", "INR", "KRW", "MXN",
                                        "MYR", "NZD", "PHP", "SGD", "THB", "ZAR"};
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gesmes:Envelope "
                     "xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
                     "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n<Cube>\n";
    const QDate newest(2026, 12, 4);
    for (int day = 0; day < 62; ++day) {
        xml += "<Cube time='" + newest.addDays(-day).toString(Qt::ISODate).toLatin1() + "'>\n";
        for (int i = 0; i < 30; ++i)
            xml += QByteArray("<Cube currency='") + codes[i] + "' rate='" +
                   QByteArray::number(1.1 + i * 0.37 + day * 0.001) + "'/>\n";
        xml += "</Cube>\n";
    }
    return xml + "</Cube>\n</gesmes:Envelope>\n";
}

void ReadBody(benchmark::State& state, const QByteArray& body) {
    RateStore store;
    const ConfigRecord config = DefaultConfig();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadRateBody(body, store, BuiltInCatalogue(), config));
    state.SetBytesProcessed(state.iterations() * body.size());
}

void ReadValetAnswerBench(benchmark::State& state) {
    ReadBody(state, Read(KESTRUM_VALET_FIXTURE));
}
BENCHMARK(ReadValetAnswerBench);

void ReadEcbAnswerBench(benchmark::State& state) {
    ReadBody(state, Read(KESTRUM_ECB_FIXTURE));
}
BENCHMARK(ReadEcbAnswerBench);

void ReadEcbNinetyDaysBench(benchmark::State& state) {
    ReadBody(state, NinetyDayEcbFile());
}
BENCHMARK(ReadEcbNinetyDaysBench);

// A rate page first passes both readers' checks.
void ReadRatePageThroughDispatchBench(benchmark::State& state) {
    ReadBody(state, Read(KESTRUM_RATE_PAGE_FIXTURE));
}
BENCHMARK(ReadRatePageThroughDispatchBench);

} // namespace
