// A rate page travels the whole way a download takes it: served over HTTP on
// the loopback interface, fetched by the grabber into "temp.html", parsed into
// a store, saved as "rt.dt" and read back.
#include "data/dates.h"
#include "data/rate_files.h"
#include "rate_page_fixture.h"
#include "temp_dir.h"
#include "update/rate_page_parser.h"
#include "update/url_grabber.h"

#include "loopback_server.h"
#include <QTest>

#include <httplib.h>
#include <thread>

using namespace kestrum;

class DownloadPipelineTest : public QObject {
    Q_OBJECT

private slots:
    void downloadedPageBecomesStoredRates();
};

void DownloadPipelineTest::downloadedPageBecomesStoredRates() {
    test::ScopedProgramDir dir;
    const QByteArray page = test::RatePageFixture();

    httplib::Server server;
    server.Get("/fmd/exchange.htm", [&page](const httplib::Request&, httplib::Response& res) {
        res.set_content(page.toStdString(), "text/html");
    });
    const test::Listening listening(server);
    const int port = listening.port;
    QVERIFY(port > 0);

    THttpUrlGrabber grabber;
    grabber.SetUrl(QStringLiteral("http://127.0.0.1:%1/fmd/exchange.htm").arg(port));
    grabber.SetFileName(PageFilePath());
    qint64 lastPercent = -1;
    QString error;
    bool done = false;
    connect(&grabber, &THttpUrlGrabber::OnProgress,
            [&](qint64 position, qint64 total, const QString&, bool&) {
                if (total > 0)
                    lastPercent = position * 100 / total;
            });
    connect(&grabber, &THttpUrlGrabber::OnError, [&](const QString& text) { error = text; });
    connect(&grabber, &THttpUrlGrabber::OnDoneFile, [&] { done = true; });
    grabber.StartTransfer();
    QTRY_VERIFY_WITH_TIMEOUT(done || !error.isEmpty(), 10000);
    QCOMPARE(error, QString());
    QCOMPARE(lastPercent, 100);
    QCOMPARE(dir.Read(QStringLiteral("temp.html")), page);

    RateStore store;
    ConfigRecord config = DefaultConfig();
    const PageFileParse parse = ParsePageFile(store, BuiltInCatalogue(), config);
    QVERIFY(parse.status == PageFileStatus::Parsed);
    QVERIFY(SaveRateFile(store, config).ok);

    RateStore reloaded;
    QVERIFY(LoadRateFile(reloaded, config).status == RateFileStatus::Loaded);
    // The fixture's date line reads 08/06/23 .. 08/06/27 in year/month/day order.
    for (int d = 1; d <= 5; ++d)
        QCOMPARE(DayDate(reloaded, d), DateValueFromYmd(2008, 6, 22 + d));
    QCOMPARE(config.DataDate, DateValueFromYmd(2008, 6, 27));
    QCOMPARE(DayRate(reloaded, 1, 1), 1.0244); // U.S. dollar, oldest day
    QCOMPARE(DayRate(reloaded, 1, 5), 1.0216);
    QCOMPARE(DayRate(reloaded, 5, 3), -1.0); // Brazilian real: "NA" on day 3
    QCOMPARE(CurrentRate(reloaded, 5), 0.6360);
}

QTEST_GUILESS_MAIN(DownloadPipelineTest)
#include "download_pipeline_test.moc"
