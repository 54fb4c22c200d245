// The rate history through the real executable: back-fill from loopback
// services, answers for past dates, batches, damage and kills.

#include "data/dates.h"
#include "file_bytes.h"
#include "history/history_query.h"
#include "history/history_store.h"
#include "loopback_server.h"
#include "process_run.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <httplib.h>
#include <memory>

using namespace kestrum;
using test::ReadFile;
using test::WriteFile;

namespace {

constexpr int kUsd = 1;

using Run = test::ProcessRun;

QString Iso(const QDate& date) {
    return date.toString(Qt::ISODate);
}

// A weekday's USD rate, told apart from every other day's; `version` shifts
// a whole answer.
double UsdRate(const QDate& date, int version = 0) {
    return 1.25 + version + date.dayOfYear() / 10000.0;
}

// A Valet answer for the weekdays from `first` to `last`.
QByteArray ValetAnswer(const QDate& first, const QDate& last, int version = 0) {
    QByteArray json = R"({"observations":[)";
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        if (day.dayOfWeek() > 5)
            continue;
        if (!json.endsWith('['))
            json += ',';
        json += QStringLiteral(R"({"d":"%1","FXUSDCAD":{"v":"%2"},"FXEURCAD":{"v":"1.5"}})")
                    .arg(Iso(day))
                    .arg(UsdRate(day, version), 0, 'g', 17)
                    .toUtf8();
    }
    return json + "]}";
}

// The ECB's whole-history layout, newest day first, for the weekdays from
// `first` to `last`.
QByteArray EcbHistory(const QDate& first, const QDate& last) {
    QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?><gesmes:Envelope )"
                     R"(xmlns:gesmes="http://www.gesmes.org/xml/2002-08-01" )"
                     R"(xmlns="http://www.ecb.int/vocabulary/2002-08-01/eurofxref"><Cube>)";
    for (QDate day = last; day >= first; day = day.addDays(-1))
        if (day.dayOfWeek() <= 5)
            xml += QStringLiteral(R"(<Cube time="%1"><Cube currency="USD" rate="1.1"/>)"
                                  R"(<Cube currency="CAD" rate="1.5"/></Cube>)")
                       .arg(Iso(day))
                       .toUtf8();
    return xml + "</Cube></gesmes:Envelope>";
}

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void fetchAsksOneYearAtATimeAndOnlyForWhatIsMissing();
    void datesAndPeriods_data();
    void datesAndPeriods();
    void ecbHistoryIsReadWhole();
    void averagesTakeWhatTheDatedRatesTake();
    void batchIsAllOrNothing();
    void damagedStoreIsSetAsideAndRatesStillStored();
    void killedImportsLeaveTheStoreBeforeOrAfter();
    void importsAndReadersAtOnceAllSucceed();
    void twoImportsCreatingTheStoreBothKeepTheirDays();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }

    QProcess* Start(const QStringList& arguments) {
        auto* process = new QProcess;
        process->start(QStringLiteral(KESTRUM_EXECUTABLE),
                       arguments + QStringList{QStringLiteral("--data-dir"), m_dir->path()});
        return process;
    }
    Run Kestrum(const QStringList& arguments) {
        std::unique_ptr<QProcess> process(Start(arguments));
        return test::Finish(*process);
    }
    // A Valet service for 2019-2021 answering start_date/end_date as the real
    // one does; `requests` counts what it was asked.
    void ServeValet(httplib::Server& server, QStringList& requests) {
        server.Get(
            "/valet", [&requests](const httplib::Request& request, httplib::Response& response) {
                requests << QString::fromStdString(request.get_param_value("start_date"));
                if (request.has_param("recent") &&
                    (request.has_param("start_date") || request.has_param("end_date"))) {
                    response.status = 400;
                    response.set_content(
                        ReadFile(QStringLiteral(KESTRUM_RECENT_MIXED_ERROR)).toStdString(),
                        "application/json");
                    return;
                }
                const QDate first = QDate::fromString(
                    QString::fromStdString(request.get_param_value("start_date")), Qt::ISODate);
                const QDate last = QDate::fromString(
                    QString::fromStdString(request.get_param_value("end_date")), Qt::ISODate);
                response.set_content(ValetAnswer(std::max(first, QDate(2019, 1, 2)),
                                                 std::min(last, QDate(2021, 12, 31)))
                                         .toStdString(),
                                     "application/json");
            });
    }
    void FetchValet() {
        httplib::Server server;
        QStringList requests;
        ServeValet(server, requests);
        const test::Listening listening(server);
        const QString url = QStringLiteral("http://127.0.0.1:%1/valet").arg(listening.port);
        const Run run = Kestrum({"history", "fetch", "boc", "--from", "2019-01-01", "--to",
                                 "2021-12-31", "--url", url});
        QCOMPARE(run.code, 0);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void HistoryTest::fetchAsksOneYearAtATimeAndOnlyForWhatIsMissing() {
    httplib::Server server;
    QStringList requests;
    ServeValet(server, requests);
    const test::Listening listening(server);
    const QString url = QStringLiteral("http://127.0.0.1:%1/valet").arg(listening.port);
    const QStringList fetch{"history", "fetch",      "boc",   "--from", "2019-12-20",
                            "--to",    "2021-01-10", "--url", url};

    Run run = Kestrum(fetch);
    QCOMPARE(run.code, 0);
    QCOMPARE(requests, (QStringList{"2019-12-20", "2020-01-01", "2021-01-01"}));
    run = Kestrum(fetch);
    QCOMPARE(run.code, 0);
    QCOMPARE(requests.size(), 3);
    // A longer stretch of a year stored in part starts after what is stored.
    run = Kestrum(
        {"history", "fetch", "boc", "--from", "2019-12-20", "--to", "2021-03-31", "--url", url});
    QCOMPARE(run.code, 0);
    QCOMPARE(requests.mid(3), QStringList{"2021-01-09"});

    // The service refuses `recent` beside dates: an address that has it
    // loses it.
    run = Kestrum({"history", "fetch", "boc", "--from", "2021-06-01", "--to", "2021-06-30", "--url",
                   url + "?recent=5"});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QCOMPARE(requests.size(), 5);

    run = Kestrum({"history", "USD", "--source", "boc", "--from", "2020-02-27", "--to",
                   "2020-03-02", "--csv"});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, QStringLiteral("date,rate\n2020-02-27,%1\n2020-02-28,%2\n2020-03-02,%3\n")
                          .arg(UsdRate({2020, 2, 27}), 0, 'g', 17)
                          .arg(UsdRate({2020, 2, 28}), 0, 'g', 17)
                          .arg(UsdRate({2020, 3, 2}), 0, 'g', 17));
    // A range may reach into the future, as a chart's may; one wholly there
    // holds nothing.
    run = Kestrum({"history", "USD", "--from", "2021-06-30", "--to", "2999-01-01", "--csv"});
    QCOMPARE(run.out,
             QStringLiteral("date,rate\n2021-06-30,%1\n").arg(UsdRate({2021, 6, 30}), 0, 'g', 17));
    run = Kestrum({"history", "USD", "--from", "2999-01-01"});
    QVERIFY2(run.code == 4 && run.err.endsWith("they lie in the future.\n"), qPrintable(run.err));
}

// With 2019-01-02 .. 2021-12-31 stored from the Bank of Canada.
void HistoryTest::datesAndPeriods_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("usdRate"); // 0: no result to check

    const double feb28 = UsdRate({2020, 2, 28});
    QTest::newRow("29 February, a Saturday") << QStringList{"--date", "2020-02-29"} << 0 << feb28;
    QTest::newRow("Sunday") << QStringList{"--date", "2020-03-01"} << 0 << feb28;
    QTest::newRow("29 February of no leap year") << QStringList{"--date", "2021-02-29"} << 2 << 0.0;
    QTest::newRow("before the first day") << QStringList{"--date", "2018-12-31"} << 4 << 0.0;
    QTest::newRow("a week after the last day")
        << QStringList{"--date", "2022-01-07"} << 0 << UsdRate({2021, 12, 31});
    QTest::newRow("eight days after the last day")
        << QStringList{"--date", "2022-01-08"} << 4 << 0.0;
    QTest::newRow("future") << QStringList{"--date", "2999-01-01"} << 2 << 0.0;
    QTest::newRow("no date") << QStringList{"--date", "2020-2-3"} << 2 << 0.0;
    double sum = 0;
    int weekdays = 0;
    for (QDate day(2020, 2, 1); day.month() == 2; day = day.addDays(1))
        if (day.dayOfWeek() <= 5) {
            sum += UsdRate(day);
            ++weekdays;
        }
    QTest::newRow("a month's average")
        << QStringList{"--average", "2020-02"} << 0 << sum / weekdays;
    QTest::newRow("not a month") << QStringList{"--average", "2020-13"} << 2 << 0.0;
    QTest::newRow("both") << QStringList{"--average", "2020", "--date", "2020-01-02"} << 2 << 0.0;
}

void HistoryTest::datesAndPeriods() {
    QFETCH(QStringList, options);
    QFETCH(int, code);
    QFETCH(double, usdRate);
    FetchValet();
    const Run run = Kestrum(QStringList{"convert", "1000", "USD", "CAD", "--no-fee"} + options);
    QVERIFY2(run.code == code, qPrintable(run.err));
    if (usdRate != 0.0)
        QCOMPARE(run.out.trimmed().toDouble(), std::round(usdRate * 1000 * 10000) / 10000);
    if (code == 4)
        QVERIFY(run.err.contains(QLatin1String("kestrum history fetch")));
}

void HistoryTest::ecbHistoryIsReadWhole() {
    httplib::Server server;
    const QByteArray body = EcbHistory({1999, 1, 4}, {2001, 12, 31});
    server.Get("/hist.xml", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(body.toStdString(), "text/xml");
    });
    const test::Listening listening(server);
    const Run run = Kestrum({"history", "fetch", "ecb", "--to", "2001-12-31", "--url",
                             QStringLiteral("http://127.0.0.1:%1/hist.xml").arg(listening.port)});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    const Run summary = Kestrum({"history"});
    // 781 weekdays; USD and EUR.
    QVERIFY2(summary.out.contains(QRegularExpression("ecb +1999-01-04 +2001-12-31 +781 +2\n")),
             qPrintable(summary.out));
    QCOMPARE(Kestrum({"source", "ecb"}).code, 0);
    const Run verbose =
        Kestrum({"convert", "1", "EUR", "USD", "--no-fee", "--date", "2000-07-01", "--verbose"});
    QVERIFY2(verbose.out.contains(QLatin1String("= 1.1000 USD (U.S. Dollar)")) &&
                 verbose.out.contains(QLatin1String("Friday, June 30, 2000 from the ECB")),
             qPrintable(verbose.out + verbose.err));
}

// 270 XCD are 100 USD on every day through the parity, so in the mean too.
void HistoryTest::averagesTakeWhatTheDatedRatesTake() {
    FetchValet();
    const Run run = Kestrum({"convert", "270", "XCD", "USD", "--no-fee", "--average", "2020-02"});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QCOMPARE(run.out, QStringLiteral("100.0000\n"));
}

void HistoryTest::batchIsAllOrNothing() {
    FetchValet();
    WriteFile(Path("good.csv"), "date,amount,currency\n2020-02-29,100,USD\n"
                                "2021-03-01,\"1,000\",EUR,USD\n");
    Run run = Kestrum({"convert", "--file", Path("good.csv"), "--no-fee"});
    QCOMPARE(run.code, 0);
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0],
             "date,amount,currency,target,rate_date,rate,fee_percent,converted_amount,source,"
             "kind,table,origin");
    QVERIFY2(lines[1].startsWith("2020-02-29,100,USD,CAD,2020-02-28,"), qPrintable(lines[1]));
    QVERIFY2(lines[2].startsWith("2021-03-01,\"1,000\",EUR,USD,2021-03-01,"), qPrintable(lines[2]));
    QCOMPARE(lines[2].section(',', -5, -5),
             QString::number(1000 * 1.5 / UsdRate({2021, 3, 1}), 'f', 4));

    WriteFile(Path("bad.csv"), "2020-02-03,100,XXX\n2020-02-03,1,USD\n1998-01-05,1,USD\n"
                               "2020-02-31,1,USD\n");
    run = Kestrum({"convert", "--file", Path("bad.csv")});
    QCOMPARE(run.code, 3); // the first error's
    QCOMPARE(run.out, QString());
    QCOMPARE(run.err.count(QLatin1String("bad.csv:")), 3);
    QVERIFY(run.err.contains(QLatin1String("bad.csv:3:")));
}

void HistoryTest::damagedStoreIsSetAsideAndRatesStillStored() {
    WriteFile(Path("history.sqlite"), QByteArray(5000, '\x7f'));
    WriteFile(Path("day.json"), ValetAnswer({2020, 1, 2}, {2020, 1, 10}));
    const Run run = Kestrum({"import", Path("day.json")});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY(run.err.contains(QLatin1String("history.sqlite.damaged-")));
    QVERIFY(QFile::exists(Path("rt.dt")));
    const QStringList aside = QDir(m_dir->path()).entryList({"history.sqlite.damaged-*"});
    QCOMPARE(aside.size(), 1);
    QCOMPARE(ReadFile(Path(aside[0])), QByteArray(5000, '\x7f'));
    QCOMPARE(Kestrum({"convert", "1", "USD", "CAD", "--date", "2020-01-10"}).code, 0);
}

// SIGKILLs at random moments of imports that alternate between two answers
// for the same 2,000 days: the store always holds one of them whole.
void HistoryTest::killedImportsLeaveTheStoreBeforeOrAfter() {
    const QDate first(2012, 1, 2);
    const QDate last = first.addDays(2799);
    const QString answers[] = {Path("a.json"), Path("b.json")};
    WriteFile(answers[0], ValetAnswer(first, last, 0));
    WriteFile(answers[1], ValetAnswer(first, last, 1));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(Kestrum({"import", answers[0]}).code, 0);
    double window = double(clock.nsecsElapsed());

    QRandomGenerator random(20200229);
    int killed = 0;
    for (int i = 0; killed < 30 && i < 80; ++i) {
        std::unique_ptr<QProcess> process(Start({"import", answers[i % 2]}));
        QVERIFY(process->waitForStarted());
        QThread::usleep(static_cast<unsigned long>(window * (40 + random.bounded(70)) / 100e3));
        process->kill();
        QVERIFY(process->waitForFinished(10000));
        const bool wasKilled = process->exitStatus() == QProcess::CrashExit;
        killed += wasKilled;
        window *= wasKilled ? 1.05 : 0.85;

        history::Store store;
        QCOMPARE(store.OpenForReading(Path("history.sqlite")).status, history::OpenStatus::Opened);
        const auto series = history::StoredSeries(store, history::kBoc, kUsd, 0, 1 << 20);
        QCOMPARE(series.size(), std::size_t(2000));
        const int version = series.front().rate >= 2.25 ? 1 : 0;
        for (const history::SeriesPoint& point : series)
            QCOMPARE(point.rate, UsdRate(CalendarDate(point.day), version));
    }
    qInfo("%d runs killed", killed);
    QVERIFY(killed >= 30);
}

// Writers wait for each other and readers never wait: no run meets a
// locked store.
void HistoryTest::importsAndReadersAtOnceAllSucceed() {
    const QDate first(2005, 1, 1);
    const QDate last = first.addDays(6999);
    const QString answers[] = {Path("a.json"), Path("b.json")};
    WriteFile(answers[0], ValetAnswer(first, last, 0));
    WriteFile(answers[1], ValetAnswer(first, last, 1));
    QCOMPARE(Kestrum({"import", answers[0]}).code, 0);
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < 8; ++i)
        runs.emplace_back(Start(i % 2 == 0 ? QStringList{"import", answers[i / 2 % 2]}
                                           : QStringList{"history", "USD", "--source", "boc"}));
    for (const auto& process : runs) {
        QVERIFY(process->waitForFinished(60000));
        const QByteArray err = process->readAllStandardError();
        QVERIFY2(process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0 &&
                     err.isEmpty(),
                 err.constData());
    }
}

// Two imports into a folder without a store: whichever creates it, the
// other waits and then writes into it.
void HistoryTest::twoImportsCreatingTheStoreBothKeepTheirDays() {
    WriteFile(Path("a.json"), ValetAnswer({2020, 1, 6}, {2020, 1, 10}));
    WriteFile(Path("b.json"), ValetAnswer({2021, 1, 4}, {2021, 1, 8}));
    for (int round = 0; round < 20; ++round) {
        for (const QString& name : QDir(m_dir->path()).entryList(QDir::Files))
            if (!name.endsWith(".json"))
                QFile::remove(Path(name));
        std::unique_ptr<QProcess> a(Start({"import", Path("a.json")}));
        std::unique_ptr<QProcess> b(Start({"import", Path("b.json")}));
        for (QProcess* process : {a.get(), b.get()}) {
            const Run run = test::Finish(*process);
            // The import that comes second with older days says it keeps the
            // newer ones in use; neither may find the history out of reach.
            QVERIFY2(run.code == 0 && !run.err.contains("cannot") && !run.err.contains("busy"),
                     qPrintable(run.err));
        }
        const Run summary = Kestrum({"history"});
        QVERIFY2(summary.out.contains(QRegularExpression("boc +2020-01-06 +2021-01-08 +10 ")),
                 qPrintable(summary.out + summary.err));
    }
}

QTEST_GUILESS_MAIN(HistoryTest)
#include "history_test.moc"
