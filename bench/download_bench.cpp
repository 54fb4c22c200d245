// Downloads from a loopback server through the grabber, progress events
// attached as the progress window attaches them.
#include "update/url_grabber.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <thread>

using namespace kestrum;

namespace {

void DownloadBench(benchmark::State& state) {
    const std::string body(static_cast<size_t>(state.range(0)), 'x');
    httplib::Server server;
    server.Get("/page", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "text/html");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread listener([&server] { server.listen_after_bind(); });

    THttpUrlGrabber grabber;
    grabber.SetUrl(QStringLiteral("http://127.0.0.1:%1/page").arg(port));
    grabber.SetOutputMode(TOutputMode::omStream);
    qint64 events = 0;
    qint64 received = 0;
    QObject::connect(&grabber, &THttpUrlGrabber::OnProgress,
                     [&](qint64 position, qint64, const QString&, bool&) {
                         ++events;
                         benchmark::DoNotOptimize(position);
                     });
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&grabber, &THttpUrlGrabber::OnDoneStream, &loop,
                         [&](const QByteArray&, qint64 size, const QString&) {
                             received = size;
                             loop.quit();
                         });
        QObject::connect(&grabber, &THttpUrlGrabber::OnError, &loop, [&](const QString& error) {
            state.SkipWithError(error.toUtf8().constData());
            loop.quit();
        });
        grabber.StartTransfer();
        loop.exec();
    }
    server.stop();
    listener.join();
    state.SetBytesProcessed(state.iterations() * received);
    state.counters["progress_events"] =
        benchmark::Counter(static_cast<double>(events) / static_cast<double>(state.iterations()));
}
BENCHMARK(DownloadBench)->Arg(5 << 10)->Arg(10 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
