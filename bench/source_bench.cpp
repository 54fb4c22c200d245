// Speed of reading a downloaded body through the reader that recognises it.
#include "update/rate_sources.h"

#include <QDate>
#include <QFile>
#include <benchmark/benchmark.h>
#include <charconv>

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

// The layout of the ECB's whole history: every working day since 1999,
// 30 quotes a day, one element per line.
QByteArray EcbHistoryFile() {
    static const char* const codes[] = {"USD", "JPY", "BGN", "CZK", "DKK", "GBP", "HUF", "PLN",
                                        "RON", "SEK", "CHF", "ISK", "NOK", "TRY", "AUD", "BRL",
                                        "CAD", "CNY", "HKD", "IDR", "ILS", "INR", "KRW", "MXN",
                                        "MYR", "NZD", "PHP", "SGD", "THB", "ZAR"};
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gesmes:Envelope "
                     "xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
                     "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
                     "\t<gesmes:subject>Reference rates</gesmes:subject>\n\t<Cube>\n";
    const QDate newest(2026, 12, 4);
    for (int day = 0; day < 6700; ++day) {
        xml +=
            "\t\t<Cube time=\"" + newest.addDays(-day).toString(Qt::ISODate).toLatin1() + "\">\n";
        for (int i = 0; i < 30; ++i)
            xml += QByteArray("\t\t\t<Cube currency=\"") + codes[i] + "\" rate=\"" +
                   QByteArray::number(1.1 + i * 0.37 + day * 0.001, 'f', 4) + "\"/>\n";
        xml += "\t\t</Cube>\n";
    }
    return xml + "\t</Cube>\n</gesmes:Envelope>\n";
}

// Ten years of the NBP's table A in its compact layout, 33 currencies a day:
// what a history fetch reads in 93-day answers.
QByteArray NbpYearsAnswer() {
    static const char* const codes[] = {
        "THB", "USD", "AUD", "HKD", "CAD", "NZD", "SGD", "EUR", "HUF", "CHF", "GBP",
        "UAH", "JPY", "CZK", "DKK", "ISK", "NOK", "SEK", "RON", "BGN", "TRY", "ILS",
        "CLP", "PHP", "MXN", "ZAR", "BRL", "MYR", "IDR", "INR", "KRW", "CNY", "XDR"};
    QByteArray json = "[";
    const QDate first(2016, 12, 5);
    for (int day = 0; day < 2500; ++day) {
        json += (day == 0 ? "" : ",") + QByteArray("{\"table\":\"A\",\"no\":\"") +
                QByteArray::number(day % 250 + 1) + "/A/NBP/2026\",\"effectiveDate\":\"" +
                first.addDays(day).toString(Qt::ISODate).toLatin1() + "\",\"rates\":[";
        for (int i = 0; i < 33; ++i)
            json += QByteArray(i ? "," : "") + "{\"currency\":\"waluta\",\"code\":\"" + codes[i] +
                    "\",\"mid\":" + QByteArray::number(0.01 + i * 0.13 + day * 0.0001, 'f', 4) + "}";
        json += "]}";
    }
    return json + "]";
}

// Ten years of Valet publication days, 26 series a day.
QByteArray ValetYearsAnswer() {
    static const char* const codes[] = {
        "AUD", "BRL", "CNY", "EUR", "HKD", "INR", "IDR", "JPY", "MXN", "NZD", "NOK", "PEN", "RUB",
        "SAR", "SGD", "ZAR", "KRW", "SEK", "CHF", "TWD", "TRY", "GBP", "USD", "MYR", "THB", "VND"};
    QByteArray json = "{\n\"terms\": {\"url\": \"https://www.bankofcanada.ca/terms/\"},\n"
                      "\"seriesDetail\": {},\n\"observations\": [\n";
    const QDate newest(2026, 12, 4);
    for (int day = 0; day < 2500; ++day) {
        json += (day == 0 ? "{\"d\": \"" : ",\n{\"d\": \"") +
                newest.addDays(-day).toString(Qt::ISODate).toLatin1() + '"';
        for (int i = 0; i < 26; ++i)
            json += QByteArray(", \"FX") + codes[i] + "CAD\": {\"v\": \"" +
                    QByteArray::number(0.01 + i * 0.07 + day * 0.0001, 'f', 4) + "\"}";
        json += '}';
    }
    return json + "\n]\n}\n";
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

void ReadEcbHistoryBench(benchmark::State& state) {
    ReadBody(state, EcbHistoryFile());
}
BENCHMARK(ReadEcbHistoryBench)->Unit(benchmark::kMillisecond);

void ReadValetYearsBench(benchmark::State& state) {
    ReadBody(state, ValetYearsAnswer());
}
BENCHMARK(ReadValetYearsBench)->Unit(benchmark::kMillisecond);

void ReadNbpYearsBench(benchmark::State& state) {
    ReadBody(state, NbpYearsAnswer());
}
BENCHMARK(ReadNbpYearsBench)->Unit(benchmark::kMillisecond);

// The floor for the three above: one pass over the bytes converting every
// number, no structure.
void ScanBody(benchmark::State& state, const QByteArray& body) {
    for (auto _ : state) {
        double sum = 0;
        const char* end = body.constData() + body.size();
        for (const char* at = body.constData(); at < end;) {
            if (*at < '0' || *at > '9') {
                ++at;
                continue;
            }
            double value = 0;
            at = std::from_chars(at, end, value).ptr;
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}

void ScanEcbHistoryBench(benchmark::State& state) {
    ScanBody(state, EcbHistoryFile());
}
BENCHMARK(ScanEcbHistoryBench)->Unit(benchmark::kMillisecond);

void ScanNbpYearsBench(benchmark::State& state) {
    ScanBody(state, NbpYearsAnswer());
}
BENCHMARK(ScanNbpYearsBench)->Unit(benchmark::kMillisecond);

void ScanValetYearsBench(benchmark::State& state) {
    ScanBody(state, ValetYearsAnswer());
}
BENCHMARK(ScanValetYearsBench)->Unit(benchmark::kMillisecond);

// A rate page first passes both readers' checks.
void ReadRatePageThroughDispatchBench(benchmark::State& state) {
    ReadBody(state, Read(KESTRUM_RATE_PAGE_FIXTURE));
}
BENCHMARK(ReadRatePageThroughDispatchBench);

} // namespace
