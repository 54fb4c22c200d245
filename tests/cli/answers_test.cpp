// What the program makes of the services' answers, through the real
// executable: mirrors, older answers, impossible days and rates, answers the
// history cannot take, and what `history fetch` asks and refuses.

#include "file_bytes.h"
#include "loopback_server.h"
#include "process_run.h"
#include "settings/configuration.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <httplib.h>
#include <memory>

using namespace kestrum;
using namespace Qt::StringLiterals;

namespace {

using Run = test::ProcessRun;

// A Valet answer for the weekdays from `first` to `last`, USD and EUR.
QByteArray ValetAnswer(const QDate& first, const QDate& last) {
    QByteArray json = R"({"observations":[)";
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        if (day.dayOfWeek() > 5)
            continue;
        if (!json.endsWith('['))
            json += ',';
        json += u"{\"d\":\"%1\",\"FXUSDCAD\":{\"v\":\"1.%2\"},\"FXEURCAD\":{\"v\":\"1.5\"}}"_s
                    .arg(day.toString(Qt::ISODate))
                    .arg(day.dayOfYear(), 4, 10, QChar(u'0'))
                    .toUtf8();
    }
    return json + "]}";
}

const char* const kValetPath = "/valet/observations/group/FX_RATES_DAILY/json";

} // namespace

class AnswersTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_requests.clear();
        m_server = std::make_unique<httplib::Server>();
        // start_date and end_date as the service reads them; without them the
        // last days of 2026.
        m_server->Get(kValetPath, [this](const httplib::Request& request,
                                         httplib::Response& response) {
            m_requests << QString::fromStdString(request.get_param_value("start_date"));
            const auto date = [&](const char* name, QDate fallback) {
                return request.has_param(name)
                           ? QDate::fromString(
                                 QString::fromStdString(request.get_param_value(name)), Qt::ISODate)
                           : fallback;
            };
            response.set_content(
                ValetAnswer(date("start_date", {2026, 11, 30}), date("end_date", {2026, 12, 4}))
                    .toStdString(),
                "application/json");
        });
        m_server->Get("/empty", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(R"({"seriesDetail": {}, "observations": []})", "application/json");
        });
        m_server->Get("/unknown", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(R"({"message": "Series not found"})", "application/json");
        });
        m_listening = std::make_unique<test::Listening>(*m_server);
        m_base = u"http://127.0.0.1:%1"_s.arg(m_listening->port);
    }
    void cleanup() {
        m_listening.reset();
        m_server.reset();
    }

    void mirrorIsTheServiceItAnswersFor();
    void olderAnswerKeepsTheDaysInUse();
    void fetchAsksWhatFollowsTheLastStoredDay();
    void fetchRefusesWhatItCannotAsk_data();
    void fetchRefusesWhatItCannotAsk();
    void impossibleDaysAndAbsurdRatesAreLeftOut();
    void paritiesHoldWhateverTheHistoryAndAddress_data();
    void paritiesHoldWhateverTheHistoryAndAddress();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    Run Kestrum(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(KESTRUM_EXECUTABLE),
                      arguments + QStringList{u"--data-dir"_s, m_dir->path()});
        return test::Finish(process);
    }
    QJsonObject ListedUsd() {
        for (const QJsonValue& entry :
             QJsonDocument::fromJson(Kestrum({u"list"_s, u"--json"_s}).out.toUtf8()).array())
            if (entry[u"code"_s].toString() == u"USD"_s)
                return entry.toObject();
        return {};
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<httplib::Server> m_server;
    std::unique_ptr<test::Listening> m_listening;
    QString m_base;
    QStringList m_requests;
};

// A Valet mirror's days are the Bank's: the history readers find them, and
// `history fetch` asks the mirror.
void AnswersTest::mirrorIsTheServiceItAnswersFor() {
    QCOMPARE(Kestrum({u"source"_s, m_base + QLatin1String(kValetPath) + u"?recent=5"_s, u"--fill"_s,
                      u"off"_s})
                 .code,
             0);
    QCOMPARE(Kestrum({u"source"_s, u"nbp"_s}).code, 2); // it only fills
    QCOMPARE(Kestrum({u"update"_s}).code, 0);
    const Run dated = Kestrum(
        {u"convert"_s, u"1"_s, u"USD"_s, u"CAD"_s, u"--no-fee"_s, u"--date"_s, u"2026-12-02"_s});
    QVERIFY2(dated.code == 0 && dated.out.trimmed() == u"1.0336"_s, qPrintable(dated.err));
    const Run fetch = Kestrum(
        {u"history"_s, u"fetch"_s, u"--from"_s, u"2026-11-02"_s, u"--to"_s, u"2026-11-27"_s});
    QVERIFY2(fetch.code == 0, qPrintable(fetch.err));
    QCOMPARE(m_requests, (QStringList{QString(), u"2026-11-02"_s}));
}

// An answer of older days goes into the history and leaves "rt.dt" alone.
void AnswersTest::olderAnswerKeepsTheDaysInUse() {
    test::WriteFile(Path(u"new.json"_s), ValetAnswer({2025, 6, 2}, {2025, 6, 6}));
    test::WriteFile(Path(u"old.json"_s), ValetAnswer({2012, 1, 2}, {2012, 1, 6}));
    QCOMPARE(Kestrum({u"import"_s, Path(u"new.json"_s)}).code, 0);
    const Run old = Kestrum({u"import"_s, Path(u"old.json"_s)});
    QCOMPARE(old.code, 0);
    QVERIFY2(old.err.contains(u"Added 2012-01-02 to 2012-01-06 to the rate history; the rates in "
                              "use stay those of 2025-06-06."_s),
             qPrintable(old.err));
    QCOMPARE(ListedUsd()[u"day"_s].toString(), u"2025-06-06"_s);
    QCOMPARE(Kestrum({u"convert"_s, u"1"_s, u"USD"_s, u"CAD"_s, u"--date"_s, u"2012-01-04"_s}).code,
             0);
}

// A stretch fetched before its end is completed from the day after the last
// stored one, in one request; nothing is asked once no weekday can follow.
void AnswersTest::fetchAsksWhatFollowsTheLastStoredDay() {
    const QString url = m_base + QLatin1String(kValetPath);
    const auto fetch = [&](const char* to) {
        return Kestrum({u"history"_s, u"fetch"_s, u"boc"_s, u"--from"_s, u"2024-01-01"_s, u"--to"_s,
                        QLatin1String(to), u"--url"_s, url})
            .code;
    };
    QCOMPARE(fetch("2024-12-26"), 0);
    QCOMPARE(fetch("2024-12-31"), 0);
    QCOMPARE(fetch("2024-12-31"), 0);
    QCOMPARE(m_requests, (QStringList{u"2024-01-01"_s, u"2024-12-27"_s}));
}

void AnswersTest::fetchRefusesWhatItCannotAsk_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("said");
    QTest::newRow("before the service began")
        << QStringList{u"boc"_s, u"--from"_s, u"2016-01-01"_s, u"--to"_s, u"2016-12-31"_s} << 4
        << u"the Bank of Canada's daily series starts 2017-01-03"_s;
    QTest::newRow("not http") << QStringList{u"--url"_s, u"ftp://127.0.0.1/x"_s} << 2
                              << u"not an http or https address"_s;
    QTest::newRow("not an address")
        << QStringList{u"--url"_s, u"notaurl"_s} << 2 << u"not an http or https address"_s;
    QTest::newRow("empty answers")
        << QStringList{u"--url"_s, u"@/empty"_s} << 6 << u"held no rates Kestrum reads"_s;
    QTest::newRow("unknown series")
        << QStringList{u"--url"_s, u"@/unknown"_s} << 6 << u"is not the Bank of Canada's history"_s;
}

void AnswersTest::fetchRefusesWhatItCannotAsk() {
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, said);
    arguments.replaceInStrings(u"@"_s, m_base);
    if (!arguments.contains(u"boc"_s))
        arguments =
            QStringList{u"boc"_s, u"--from"_s, u"2025-03-03"_s, u"--to"_s, u"2025-03-07"_s} +
            arguments;
    const Run run = Kestrum(QStringList{u"history"_s, u"fetch"_s} + arguments);
    QVERIFY2(run.code == code && run.err.contains(said), qPrintable(run.err));
}

// Days no service can have published and rates outside the band: left out
// and counted, the rest of the answer kept.
void AnswersTest::impossibleDaysAndAbsurdRatesAreLeftOut() {
    const QString ahead = QDate::currentDate().addDays(12).toString(Qt::ISODate);
    test::WriteFile(Path(u"odd.json"_s),
                    u"{\"observations\": [{\"d\": \"2026-12-04\", \"FXUSDCAD\": {\"v\": \"1.4\"}, "
                    "\"FXEURCAD\": {\"v\": 1e400}, \"FXJPYCAD\": {\"v\": \"1e-11\"}},"
                    "{\"d\": \"9999-12-31\", \"FXUSDCAD\": {\"v\": \"1.3\"}},"
                    "{\"d\": \"2150-06-01\", \"FXUSDCAD\": {\"v\": \"1.3\"}},"
                    "{\"d\": \"%1\", \"FXUSDCAD\": {\"v\": \"1.3\"}},"
                    "{\"d\": \"1900-01-02\", \"FXUSDCAD\": {\"v\": \"1.3\"}},"
                    "{\"d\": \"1949-12-30\", \"FXUSDCAD\": {\"v\": \"1.3\"}}]}"_s.arg(ahead)
                        .toUtf8());
    const Run run = Kestrum({u"import"_s, Path(u"odd.json"_s)});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.err.contains(u"5 days outside the days the service can have published"_s) &&
                 run.err.contains(u"2 rates outside the plausible band"_s),
             qPrintable(run.err));
    QCOMPARE(ListedUsd()[u"day"_s].toString(), u"2026-12-04"_s);
    QVERIFY(Kestrum({u"history"_s})
                .out.contains(QRegularExpression(u"boc +2026-12-04 +2026-12-04 "_s)));
}

// The fixed parities need no history and no configured address.
void AnswersTest::paritiesHoldWhateverTheHistoryAndAddress_data() {
    QTest::addColumn<QString>("setting");
    QTest::newRow("history a directory") << u"directory"_s;
    QTest::newRow("all-zero address") << u"zero address"_s;
    QTest::newRow("name file of random bytes") << u"clist"_s;
}

void AnswersTest::paritiesHoldWhateverTheHistoryAndAddress() {
    QFETCH(QString, setting);
    if (setting == u"directory"_s) {
        QVERIFY(QDir(m_dir->path()).mkdir(u"history.sqlite"_s));
    } else if (setting == u"zero address"_s) {
        ConfigRecord config = DefaultConfig();
        config.RatePageAddress.clear();
        test::WriteFile(Path(u"kestrumconfig"_s), SerializeConfig(config));
    } else {
        test::WriteFile(Path(u"clist.dt"_s), QByteArray("\x93\xfe\x01zz\x7f\n", 7));
    }
    // A page of 2008, which prints the tolar as NA: its parity to the euro
    // holds since 2007.
    const Run run = Kestrum({u"import"_s, QStringLiteral(KESTRUM_RATE_PAGE_FIXTURE)});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QCOMPARE(run.err.contains(u"parities were applied"_s), setting == u"directory"_s);
    const Run tolar = Kestrum({u"convert"_s, u"100"_s, u"SIT"_s, u"CAD"_s});
    QVERIFY2(tolar.code == 0, qPrintable(tolar.err));
}

QTEST_GUILESS_MAIN(AnswersTest)
#include "answers_test.moc"
