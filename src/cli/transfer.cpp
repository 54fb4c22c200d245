// The command line's transfers, in the network module.
#include "transfer.h"

#include "progress_bar.h"
#include "update/url_grabber.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace kestrum::cli {

QString Fetch(const QString& url, const QString& fileName, QByteArray* body) {
    THttpUrlGrabber grabber;
    grabber.SetUrl(url);
    grabber.SetFileName(fileName);
    grabber.SetOutputMode(body ? TOutputMode::omStream : TOutputMode::omPrivateFile);

    ProgressBar bar;
    QEventLoop loop;
    QString error;
    bool done = false;
    // Off a terminal nothing is drawn, and the grabber need not report.
    if (bar.Shown())
        QObject::connect(&grabber, &THttpUrlGrabber::OnProgress,
                         [&bar](qint64 position, qint64 total, const QString&, bool&) {
                             bar.Show(position, total);
                         });
    const auto finish = [&] {
        done = true;
        loop.quit();
    };
    QObject::connect(&grabber, &THttpUrlGrabber::OnDoneFile, &loop, finish);
    QObject::connect(&grabber, &THttpUrlGrabber::OnDoneStream, &loop,
                     [&](const QByteArray& stream) {
                         *body = stream;
                         finish();
                     });
    QObject::connect(&grabber, &THttpUrlGrabber::OnError, &loop, [&](const QString& message) {
        error = message;
        loop.quit();
    });
    grabber.StartTransfer();
    loop.exec();
    bar.Close();
    return done ? QString()
                : (error.isEmpty() ? QCoreApplication::translate("Update", "no answer") : error);
}

} // namespace kestrum::cli
