// The National Bank of Poland through the real executable: its real answers
// imported, and its history fetched from a loopback copy of its API.

#include "file_bytes.h"
#include "loopback_server.h"
#include "process_run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <httplib.h>
#include <memory>
#include <sqlite3.h>

using namespace kestrum;
using namespace Qt::StringLiterals;

namespace {

using Run = test::ProcessRun;

QString Fixture(const char* name) {
    return QStringLiteral(KESTRUM_NBP_FIXTURES "/") + QLatin1String(name);
}

// A made-up 2026 of the NBP: table A every weekday but 1 January, 11
// November (a Wednesday) and the second quarter (an outage), table B every
// Wednesday, 11 November's too. PKR leaves table A for table B in October.
bool HasTableA(const QDate& day) {
    return day.dayOfWeek() <= 5 && day != QDate(2026, 1, 1) && day != QDate(2026, 11, 11) &&
           (day < QDate(2026, 4, 4) || day > QDate(2026, 7, 5));
}
bool HasTableB(const QDate& day) {
    return day.dayOfWeek() == 3;
}
bool PkrInTableB(const QDate& day) {
    return day >= QDate(2026, 10, 1);
}
double Mid(const QString& code, const QDate& day) {
    const double step = day.dayOfYear() / 100000.0;
    if (code == u"CAD"_s)
        return 2.5 + step;
    if (code == u"USD"_s)
        return 3.5 + step;
    if (code == u"ARS"_s)
        return 0.004 + step / 10;
    return 0.013 + step / 10; // PKR
}
QString Number(const char* letter, const QDate& day) {
    return u"%1/%2/NBP/%3"_s.arg(day.dayOfYear(), 3, 10, QChar(u'0'))
        .arg(QLatin1String(letter))
        .arg(day.year());
}

QJsonObject Table(const char* letter, const QDate& day) {
    QStringList codes =
        QLatin1String(letter) == "A"_L1 ? QStringList{u"CAD"_s, u"USD"_s} : QStringList{u"ARS"_s};
    if (PkrInTableB(day) == (QLatin1String(letter) == "B"_L1))
        codes << u"PKR"_s;
    QJsonArray rates;
    for (const QString& code : codes)
        rates.append(QJsonObject{
            {u"currency"_s, u"waluta "_s}, {u"code"_s, code}, {u"mid"_s, Mid(code, day)}});
    return {{u"table"_s, QLatin1String(letter)},
            {u"no"_s, Number(letter, day)},
            {u"effectiveDate"_s, day.toString(Qt::ISODate)},
            {u"rates"_s, rates}};
}

double Crossed(const QString& code, const QDate& day, const QDate& cadDay) {
    return Mid(code, day) / Mid(u"CAD"_s, cadDay);
}

} // namespace

class NbpTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void realAnswersImport_data();
    void realAnswersImport();
    void historyFetchAsksBothTablesInWindowsAndCrosses();

private:
    Run Kestrum(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(KESTRUM_EXECUTABLE),
                      arguments + QStringList{u"--data-dir"_s, m_dir->path()});
        return test::Finish(process);
    }
    QJsonObject Listed(const QString& date, const char* code) {
        const Run run = Kestrum({u"list"_s, u"--date"_s, date, u"--json"_s});
        for (const QJsonValue& entry : QJsonDocument::fromJson(run.out.toUtf8()).array())
            if (entry[u"code"_s].toString() == QLatin1String(code))
                return entry.toObject();
        return {};
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void NbpTest::realAnswersImport_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("said");
    QTest::newRow("table A") << Fixture("nbp-table-a-2022-05-13-092A.json") << 0
                             << u"latest data: Friday, May 13, 2022"_s;
    // Table B needs a table A of its day or the week before to reach dollars.
    QTest::newRow("table B") << Fixture("nbp-table-b-2022-05-11-019B.json") << 0
                             << u"only fill the gaps"_s;
    QTest::newRow("no table that day")
        << Fixture("nbp-error-404-brak-danych.txt") << 6 << u"no table for that day"_s;
    QTest::newRow("a currency outside the catalogue")
        << Fixture("nbp-rates-b-AFN-2026-09-09_2026-09-23.json") << 6 << u"not a rate page"_s;
    QTest::newRow("a range refused")
        << Fixture("nbp-error-400-tables-range-93-days.txt") << 6 << u"not a rate page"_s;
}

void NbpTest::realAnswersImport() {
    QFETCH(QString, file);
    QFETCH(int, code);
    QFETCH(QString, said);
    const Run run = Kestrum({u"import"_s, file});
    QVERIFY2(run.code == code && (run.out + run.err).contains(said),
             qPrintable(QString::number(run.code) + u": "_s + run.out + run.err));
    if (code != 0)
        return;
    // The figures are kept as published, zlotys per unit with their texts and
    // table, and cross when read.
    QCOMPARE(Kestrum({u"import"_s, Fixture("nbp-table-a-2022-05-13-092A.json")}).code, 0);
    sqlite3* db = nullptr;
    sqlite3_stmt* row = nullptr;
    QCOMPARE(sqlite3_open_v2(m_dir->filePath(u"history.sqlite"_s).toUtf8().constData(), &db,
                             SQLITE_OPEN_READONLY, nullptr),
             SQLITE_OK);
    QCOMPARE(sqlite3_prepare_v2(db,
                                "SELECT rate, quote, tbl FROM observations WHERE source = 'nbp-a' "
                                "AND code = 'IDR'",
                                -1, &row, nullptr),
             SQLITE_OK);
    QCOMPARE(sqlite3_step(row), SQLITE_ROW);
    QCOMPARE(sqlite3_column_double(row, 0), 0.00030692);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(row, 1))), "0.00030692");
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(row, 2))),
             "092/A/NBP/2022");
    sqlite3_finalize(row);
    sqlite3_close(db);
    const Run converted = Kestrum(
        {u"convert"_s, u"100"_s, u"USD"_s, u"CAD"_s, u"--no-fee"_s, u"--date"_s, u"2022-05-13"_s});
    QCOMPARE(converted.out.trimmed(), QString::number(100 * 4.4849 / 3.4484, 'f', 4));
}

void NbpTest::historyFetchAsksBothTablesInWindowsAndCrosses() {
    httplib::Server server;
    QStringList requests;
    server.Get(
        R"(/api/exchangerates/tables/([AB])/([-0-9]+)/([-0-9]+)/)",
        [&](const httplib::Request& request, httplib::Response& response) {
            const std::string letter = request.matches[1];
            const QDate from =
                QDate::fromString(QString::fromStdString(request.matches[2]), Qt::ISODate);
            const QDate to =
                QDate::fromString(QString::fromStdString(request.matches[3]), Qt::ISODate);
            requests << u"%1 %2 %3"_s.arg(QString::fromStdString(letter),
                                          from.toString(Qt::ISODate), to.toString(Qt::ISODate));
            if (from.daysTo(to) >= 93) {
                response.status = 400;
                response.set_content(
                    test::ReadFile(Fixture("nbp-error-400-tables-range-93-days.txt")).toStdString(),
                    "text/plain");
                return;
            }
            QJsonArray tables;
            for (QDate day = from; day <= to; day = day.addDays(1))
                if (letter == "A" ? HasTableA(day) : HasTableB(day))
                    tables.append(Table(letter.c_str(), day));
            if (tables.isEmpty()) {
                response.status = 404;
                response.set_content("404 NotFound - Not Found - Brak danych", "text/plain");
                return;
            }
            response.set_content(QJsonDocument(tables).toJson().toStdString(), "application/json");
        });
    const test::Listening listening(server);
    const QString url = u"http://127.0.0.1:%1/api/exchangerates/"_s.arg(listening.port);
    const QStringList fetch{u"history"_s, u"fetch"_s,      u"nbp"_s,   u"--from"_s, u"2026-01-01"_s,
                            u"--to"_s,    u"2026-12-08"_s, u"--url"_s, url};

    // Windows of at most 93 days, one request per table and window; the
    // outage's window of table A answers 404 and the rest is stored.
    Run run = Kestrum(fetch);
    QVERIFY2(run.code == 0, qPrintable(run.err));
    const QStringList windows{u"2026-01-01 2026-04-03"_s, u"2026-04-04 2026-07-05"_s,
                              u"2026-07-06 2026-10-06"_s, u"2026-10-07 2026-12-08"_s};
    QStringList expected;
    for (const QString& letter : {u"A"_s, u"B"_s})
        for (const QString& window : windows)
            expected << letter + u' ' + window;
    QCOMPARE(requests, expected);
    QVERIFY2(run.out.contains(u"of nbp history between 2026-01-01 and 2026-12-08"_s),
             qPrintable(run.out));

    // Stored stretches are not asked again; the outage may have ended.
    requests.clear();
    QCOMPARE(Kestrum(fetch).code, 0);
    QCOMPARE(requests, QStringList{u"A 2026-04-04 2026-07-05"_s});

    const struct {
        const char* date;
        const char* code;
        const char* origin;
        QDate day, cadDay; // of the figure, and of the table A that crossed it
    } rates[] = {
        // A Wednesday's table B through that day's own table A.
        {"2026-11-04", "ARS", "NBP B (filled)", {2026, 11, 4}, {2026, 11, 4}},
        // 11 November has a table B but no table A: Tuesday's crosses it.
        {"2026-11-11", "ARS", "NBP B (filled)", {2026, 11, 11}, {2026, 11, 10}},
        {"2026-11-11", "USD", "NBP A (filled)", {2026, 11, 10}, {2026, 11, 10}},
        // PKR moved from table A to table B.
        {"2026-09-30", "PKR", "NBP A (filled)", {2026, 9, 30}, {2026, 9, 30}},
        {"2026-10-08", "PKR", "NBP B (filled)", {2026, 10, 7}, {2026, 10, 7}},
    };
    for (const auto& r : rates) {
        const QJsonObject entry = Listed(QLatin1String(r.date), r.code);
        const QString what = QLatin1String(r.date) + u' ' + QLatin1String(r.code);
        QCOMPARE(entry[u"origin"_s].toString(), QLatin1String(r.origin));
        QCOMPARE(entry[u"rate"_s].toDouble(), Crossed(QLatin1String(r.code), r.day, r.cadDay));
        const QJsonObject fields = entry[u"originFields"_s].toObject();
        // A table B names the table A that crossed it.
        const bool tableB = QLatin1String(r.origin).contains(u" B"_s);
        QCOMPARE(fields[u"table"_s].toString(), Number(tableB ? "B" : "A", r.day));
        QCOMPARE(fields[u"via"_s].toObject()[u"table"_s].toString(),
                 tableB ? Number("A", r.cadDay) : QString());
        QVERIFY2(fields[u"day"_s].toString() == r.day.toString(Qt::ISODate), qPrintable(what));
    }
}

QTEST_GUILESS_MAIN(NbpTest)
#include "nbp_test.moc"
