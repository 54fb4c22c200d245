// One 10 MiB loopback download through the grabber as the first transfer of
// the process, written to its file as the program does, then the same file
// fetched by curl from the same server. Prints one line:
// "first download: grabber MB/s, curl MB/s, progress events".
#include "update/url_grabber.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <httplib.h>
#include <thread>

using namespace kestrum;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string body(size_t(10) << 20, 'x');
    httplib::Server server;
    server.Get("/page", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "text/html");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread listener([&server] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::yield();
    const QString address = QStringLiteral("http://127.0.0.1:%1/page").arg(port);

    QTemporaryDir dir;
    THttpUrlGrabber grabber;
    grabber.SetUrl(address);
    grabber.SetFileName(dir.filePath(QStringLiteral("temp.html")));
    int events = 0;
    qint64 received = 0;
    QString error;
    QEventLoop loop;
    QObject::connect(&grabber, &THttpUrlGrabber::OnProgress,
                     [&](qint64, qint64, const QString&, bool&) { ++events; });
    QObject::connect(&grabber, &THttpUrlGrabber::OnDoneFile, &loop,
                     [&](const QString&, qint64 size, const QString&) {
                         received = size;
                         loop.quit();
                     });
    QObject::connect(&grabber, &THttpUrlGrabber::OnError, &loop, [&](const QString& message) {
        error = message;
        loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    grabber.StartTransfer();
    loop.exec();
    const double grabberSeconds = double(timer.nsecsElapsed()) / 1e9;

    // curl's own transfer time, without its process start.
    QProcess curl;
    curl.start(QStringLiteral("curl"),
               {QStringLiteral("-s"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                QStringLiteral("-w"), QStringLiteral("%{time_total}"), address});
    curl.waitForFinished(60000);
    const double curlSeconds = curl.readAllStandardOutput().toDouble();
    server.stop();
    listener.join();
    if (!error.isEmpty() || received != qint64(body.size()) || curlSeconds <= 0) {
        std::fprintf(stderr, "first download failed: %s\n", qUtf8Printable(error));
        return 1;
    }
    std::printf("first download: grabber %.1f MB/s, curl %.1f MB/s, %d progress events\n",
                double(received) / grabberSeconds / 1e6, double(body.size()) / curlSeconds / 1e6,
                events);
    return 0;
}
