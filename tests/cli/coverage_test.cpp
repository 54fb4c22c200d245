// Both rate services from loopback servers, through the real executable:
// filling from the other source, parities and the origin of each rate.

#include "data/rate_files.h"
#include "file_bytes.h"
#include "loopback_server.h"
#include "process_run.h"
#include "settings/configuration.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <httplib.h>

using namespace kestrum;
using namespace Qt::StringLiterals;

namespace {

// What each service publishes that the catalogue has (the Bank also Saudi
// riyals and dong, which it lacks).
const QStringList kBankCodes = QStringLiteral("AUD BRL CHF CNY EUR GBP HKD IDR INR JPY KRW MXN NOK "
                                              "NZD PEN RUB SEK SGD TRY TWD USD ZAR SAR")
                                   .split(u' ');
const QStringList kEcbCodes =
    QStringLiteral("USD JPY BGN CZK DKK GBP HUF PLN RON SEK CHF ISK NOK TRY AUD BRL CAD CNY HKD "
                   "IDR ILS INR KRW MXN MYR NZD PHP SGD THB ZAR HRK")
        .split(u' ');

// Distinct numbers per code and day, so a value tells where it came from.
double BankRate(int code, int day) {
    return 0.5 + 0.01 * code + 0.0001 * day;
}
double EcbQuote(const QString& code, int day) {
    return code == u"CAD"_s ? 1.5 + 0.001 * day : 1.0 + 0.1 * kEcbCodes.indexOf(code) + 0.001 * day;
}
// Canadian dollars per unit, as the ECB's figures give them.
double EcbRate(const QString& code, int day) {
    return code == u"EUR"_s ? EcbQuote(u"CAD"_s, day)
                            : EcbQuote(u"CAD"_s, day) / EcbQuote(code, day);
}

int DayNumber(const QString& iso) {
    return QDate(2022, 1, 1).daysTo(QDate::fromString(iso, Qt::ISODate));
}

QByteArray ValetAnswer(const QStringList& days) {
    QJsonArray observations;
    for (const QString& day : days) {
        QJsonObject observation{{u"d"_s, day}};
        for (int c = 0; c < kBankCodes.size(); ++c)
            observation[u"FX%1CAD"_s.arg(kBankCodes[c])] =
                QJsonObject{{u"v"_s, QString::number(BankRate(c, DayNumber(day)), 'f', 6)}};
        observations.append(observation);
    }
    return QJsonDocument(QJsonObject{{u"observations"_s, observations}}).toJson();
}

// `withoutHrk`: days on which the kuna is not quoted.
QByteArray EcbAnswer(const QStringList& days, const QStringList& withoutHrk = {}) {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gesmes:Envelope "
                     "xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
                     "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\"><Cube>";
    for (const QString& day : days) {
        xml += "<Cube time='" + day.toLatin1() + "'>";
        for (const QString& code : kEcbCodes)
            if (code != u"HRK"_s || !withoutHrk.contains(day))
                xml += "<Cube currency='" + code.toLatin1() + "' rate='" +
                       QByteArray::number(EcbQuote(code, DayNumber(day)), 'f', 6) + "'/>";
        xml += "</Cube>";
    }
    return xml + "</Cube></gesmes:Envelope>";
}

using Mids = QList<std::pair<QString, double>>;

// An NBP table of one day: mids in zlotys per unit, by code.
QJsonObject NbpTableOf(const char* letter, const QString& number, const QString& day,
                       const Mids& mids) {
    QJsonArray rates;
    for (const auto& [code, mid] : mids)
        rates.append(QJsonObject{{u"currency"_s, u"waluta"_s}, {u"code"_s, code}, {u"mid"_s, mid}});
    return QJsonObject{{u"table"_s, QLatin1String(letter)},
                       {u"no"_s, number},
                       {u"effectiveDate"_s, day},
                       {u"rates"_s, rates}};
}

QByteArray NbpAnswer(const QJsonArray& tables) {
    return QJsonDocument(tables).toJson(QJsonDocument::Compact);
}

using Run = test::ProcessRun;

} // namespace

class CoverageTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void threeSourcesGiveEveryCurrencyWithOrigins();
    void aParityHoldsFromItsStartDate();
    void fillingOffOrFailedLeavesThePrimaryAlone();
    void switchingFillingRebuildsTheStoredRates();

private:
    Run Kestrum(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(KESTRUM_EXECUTABLE),
                      arguments + QStringList{u"--data-dir"_s, m_dir->path()});
        return test::Finish(process);
    }
    QJsonArray Json(const QStringList& arguments) {
        const Run run = Kestrum(arguments);
        if (run.code != 0)
            qWarning("%s: %s", qPrintable(arguments.join(u' ')), qPrintable(run.err));
        return QJsonDocument::fromJson(run.out.toUtf8()).array();
    }
    // The entry of `code` in `list --json`.
    static QJsonObject Entry(const QJsonArray& list, const char* code) {
        for (const QJsonValue& entry : list)
            if (entry[u"code"_s].toString() == QLatin1String(code))
                return entry.toObject();
        return {};
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void CoverageTest::threeSourcesGiveEveryCurrencyWithOrigins() {
    // The Bank is closed on Wednesday the 2nd; the ECB has not published Friday the 4th.
    const QByteArray bank = ValetAnswer(
        {u"2026-11-27"_s, u"2026-11-30"_s, u"2026-12-01"_s, u"2026-12-03"_s, u"2026-12-04"_s});
    const QByteArray ecb = EcbAnswer(
        {u"2026-12-03"_s, u"2026-12-02"_s, u"2026-12-01"_s, u"2026-11-30"_s, u"2026-11-27"_s});
    httplib::Server server;
    server.Get("/valet", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(bank.toStdString(), "application/json");
    });
    server.Get("/ecb", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(ecb.toStdString(), "text/xml");
    });
    // The NBP's tables A of the week and its table B of Wednesday bring the
    // fifteen others, B crossed through Wednesday's own table A.
    const QByteArray tableA = NbpAnswer(
        {NbpTableOf("A", u"234/A/NBP/2026"_s, u"2026-12-02"_s, {{u"CAD"_s, 2.5}, {u"USD"_s, 3.5}}),
         NbpTableOf("A", u"236/A/NBP/2026"_s, u"2026-12-04"_s,
                    {{u"CAD"_s, 2.6}, {u"USD"_s, 3.6}, {u"CLP"_s, 0.0039}})});
    Mids minor;
    for (const QString& code :
         u"ARS COP FJD GHS GTQ HNL JMD MAD MMK PKR LKR TTD TND VES"_s.split(u' '))
        minor.append({code, 0.01 * (minor.size() + 1)});
    const QByteArray tableB =
        NbpAnswer({NbpTableOf("B", u"049/B/NBP/2026"_s, u"2026-12-02"_s, minor)});
    server.Get("/nbp/tables/A/last/10/", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(tableA.toStdString(), "application/json");
    });
    server.Get("/nbp/tables/B/", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(tableB.toStdString(), "application/json");
    });
    const test::Listening listening(server);
    const QString base = u"http://127.0.0.1:%1"_s.arg(listening.port);

    const Run update = Kestrum({u"update"_s, u"--url"_s, base + u"/valet"_s, u"--fill-url"_s,
                                base + u"/ecb"_s, u"--nbp-url"_s, base + u"/nbp/"_s});
    QCOMPARE(update.code, 0);
    QCOMPARE(update.err, QString());
    QVERIFY2(update.out.contains(u"Friday, December 4, 2026"_s), qPrintable(update.out));

    const QJsonArray list = Json({u"list"_s, u"--json"_s});
    int offered = 0;
    for (const QJsonValue& entry : list) {
        if (entry[u"rate"_s].isNull())
            continue;
        ++offered;
        QVERIFY2(entry[u"index"_s].toInt() == 0 || !entry[u"origin"_s].toString().isEmpty(),
                 qPrintable(entry[u"code"_s].toString()));
    }
    QCOMPARE(offered, 56);

    const int friday = DayNumber(u"2026-12-04"_s);
    const int thursday = DayNumber(u"2026-12-03"_s);
    const struct {
        const char* code;
        const char* origin;
        const char* day;
        double rate;
    } current[] = {
        {"USD", "Bank of Canada", "2026-12-04", BankRate(kBankCodes.indexOf(u"USD"_s), friday)},
        // The ECB's latest day within the week before, never the Bank's own replaced.
        {"CZK", "ECB (filled)", "2026-12-03", EcbRate(u"CZK"_s, thursday)},
        {"HRK", "ECB (filled)", "2026-12-03", EcbRate(u"HRK"_s, thursday)},
        {"XCD", "2.70 per USD", "2026-12-04",
         BankRate(kBankCodes.indexOf(u"USD"_s), friday) / 2.70},
        {"XOF", "655.957 per EUR", "2026-12-04",
         BankRate(kBankCodes.indexOf(u"EUR"_s), friday) / 655.957},
        {"SIT", "239.640 per EUR, irrevocable", "2026-12-04",
         BankRate(kBankCodes.indexOf(u"EUR"_s), friday) / 239.640},
        // NBP table A of Friday, crossed through its own Canadian dollar; table
        // B of Wednesday through Wednesday's table A.
        {"CLP", "NBP A (filled)", "2026-12-04", 0.0039 / 2.6},
        {"ARS", "NBP B (filled)", "2026-12-02", 0.01 / 2.5},
        {"VES", "NBP B (filled)", "2026-12-02", 0.14 / 2.5},
    };
    for (const auto& c : current) {
        const QJsonObject entry = Entry(list, c.code);
        QCOMPARE(entry[u"origin"_s].toString(), QLatin1String(c.origin));
        QCOMPARE(entry[u"day"_s].toString(), QLatin1String(c.day));
        QCOMPARE(entry[u"rate"_s].toDouble(), c.rate);
    }
    const QJsonObject ars = Entry(list, "ARS")[u"originFields"_s].toObject();
    QCOMPARE(ars, (QJsonObject{{u"source"_s, u"nbp"_s},
                               {u"kind"_s, u"filled"_s},
                               {u"day"_s, u"2026-12-02"_s},
                               {u"table"_s, u"049/B/NBP/2026"_s},
                               {u"via"_s, QJsonObject{{u"table"_s, u"234/A/NBP/2026"_s},
                                                      {u"day"_s, u"2026-12-02"_s}}}}));
    const Run table = Kestrum({u"list"_s});
    QVERIFY(table.out.contains(QRegularExpression(u"XCD .* 2\\.70 per USD\\n"_s)));

    // The Bank's holiday: its own rates of the day before, the ECB's of the day.
    const QJsonArray holiday = Json({u"list"_s, u"--date"_s, u"2026-12-02"_s, u"--json"_s});
    QCOMPARE(Entry(holiday, "USD")[u"day"_s].toString(), u"2026-12-01"_s);
    QCOMPARE(Entry(holiday, "DKK")[u"origin"_s].toString(), u"ECB (filled)"_s);
    QCOMPARE(Entry(holiday, "DKK")[u"day"_s].toString(), u"2026-12-02"_s);

    const Run bolivar = Kestrum({u"convert"_s, u"100"_s, u"VEF"_s, u"CAD"_s, u"--verbose"_s});
    QVERIFY2(bolivar.out.contains(u"National Bank of Poland, table 049/B/NBP/2026 of 2026-12-02"_s),
             qPrintable(bolivar.out + bolivar.err));
    const Run verbose = Kestrum({u"convert"_s, u"100"_s, u"USD"_s, u"CZK"_s, u"--verbose"_s});
    QVERIFY2(verbose.out.contains(u"at the rates of Friday, December 4, 2026 from the Bank of "
                                  "Canada for USD and Thursday, December 3, 2026 from the ECB "
                                  "(filled) for CZK"_s),
             qPrintable(verbose.out));
}

// The kuna is the ECB's own until it stops quoting it; from the changeover on
// it is the euro over 7.53450, never before.
void CoverageTest::aParityHoldsFromItsStartDate() {
    const QString path = m_dir->filePath(u"ecb.xml"_s);
    test::WriteFile(path, EcbAnswer({u"2023-01-02"_s, u"2022-12-30"_s, u"2022-12-29"_s},
                                    {u"2022-12-30"_s, u"2023-01-02"_s}));
    QCOMPARE(Kestrum({u"import"_s, path}).code, 0);
    const QJsonObject rates =
        QJsonDocument::fromJson(Kestrum({u"rates"_s, u"--json"_s}).out.toUtf8()).object();
    QJsonObject kuna;
    for (const QJsonValue& row : rates[u"rows"_s].toArray())
        if (row[u"code"_s].toString() == u"HRK"_s)
            kuna = row.toObject();
    const QJsonArray origins = kuna[u"origins"_s].toArray();
    const QJsonArray values = kuna[u"values"_s].toArray();
    // Days 3, 4 and 5 are the three of the answer.
    QCOMPARE(origins[2].toString(), u"ECB"_s);
    QVERIFY(values[3].isNull() && origins[3].isNull());
    QCOMPARE(origins[4].toString(), u"7.53450 per EUR, irrevocable"_s);
    QCOMPARE(values[4].toDouble(), EcbRate(u"EUR"_s, DayNumber(u"2023-01-02"_s)) / 7.53450 * 0.96);
}

void CoverageTest::fillingOffOrFailedLeavesThePrimaryAlone() {
    const QByteArray bank = ValetAnswer({u"2026-12-03"_s, u"2026-12-04"_s});
    const QByteArray ecb = EcbAnswer({u"2026-12-04"_s, u"2026-12-03"_s});
    int ecbRequests = 0;
    httplib::Server server;
    server.Get("/valet", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(bank.toStdString(), "application/json");
    });
    server.Get("/ecb", [&](const httplib::Request&, httplib::Response& response) {
        ++ecbRequests;
        response.set_content(ecb.toStdString(), "text/xml");
    });
    const QByteArray nbp =
        NbpAnswer({NbpTableOf("A", u"236/A/NBP/2026"_s, u"2026-12-04"_s, {{u"CAD"_s, 2.6}})});
    server.Get(R"(/nbp/tables/[AB]/.*)", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(nbp.toStdString(), "application/json");
    });
    const test::Listening listening(server);
    const QString base = u"http://127.0.0.1:%1"_s.arg(listening.port);

    // A second fetch that fails: one sentence, the first stands.
    Run run = Kestrum({u"update"_s, u"--url"_s, base + u"/valet"_s, u"--fill-url"_s,
                       base + u"/missing"_s, u"--nbp-url"_s, base + u"/nbp"_s});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.err.count(u'\n'), 1);
    QVERIFY2(run.err.contains(u"stay unfilled"_s), qPrintable(run.err));
    QVERIFY(Entry(Json({u"list"_s, u"--json"_s}), "CZK")[u"rate"_s].isNull());
    QCOMPARE(Entry(Json({u"list"_s, u"--json"_s}), "USD")[u"origin"_s].toString(),
             u"Bank of Canada"_s);

    QCOMPARE(Kestrum({u"source"_s, u"--fill"_s, u"off"_s}).out,
             u"Filling from the other source: off.\n"_s);
    run = Kestrum({u"update"_s, u"--url"_s, base + u"/valet"_s, u"--fill-url"_s, base + u"/ecb"_s});
    QCOMPARE(run.code, 0);
    QCOMPARE(ecbRequests, 0);
    // Switched off, an ECB answer already stored does not fill either.
    QCOMPARE(Kestrum({u"update"_s, u"--url"_s, base + u"/ecb"_s}).code, 0);
    QCOMPARE(Kestrum({u"update"_s, u"--url"_s, base + u"/valet"_s}).code, 0);
    const QJsonArray list = Json({u"list"_s, u"--json"_s});
    QVERIFY(Entry(list, "CZK")[u"rate"_s].isNull());
    QCOMPARE(Entry(list, "PAB")[u"origin"_s].toString(), u"1 per USD"_s);
}

// Every reader agrees at once: the current rates, the grid and a dated
// conversion of the same day.
void CoverageTest::switchingFillingRebuildsTheStoredRates() {
    const QStringList days{u"2025-12-04"_s, u"2025-12-03"_s};
    test::WriteFile(m_dir->filePath(u"ecb.xml"_s), EcbAnswer(days));
    test::WriteFile(m_dir->filePath(u"valet.json"_s), ValetAnswer(days));
    QCOMPARE(Kestrum({u"import"_s, m_dir->filePath(u"ecb.xml"_s)}).code, 0);
    QCOMPARE(Kestrum({u"import"_s, m_dir->filePath(u"valet.json"_s)}).code, 0);
    const auto grid = [this] {
        return QJsonDocument::fromJson(Kestrum({u"rates"_s, u"--json"_s}).out.toUtf8())
            .object()[u"rows"_s]
            .toArray();
    };
    const auto gridHas = [&](const char* code) {
        for (const QJsonValue& row : grid())
            if (row[u"code"_s].toString() == QLatin1String(code))
                return !row[u"values"_s].toArray()[4].isNull();
        return false;
    };
    const QStringList dated{u"convert"_s, u"1"_s, u"CZK"_s, u"CAD"_s, u"--date"_s, days[0]};
    for (const bool on : {false, true}) {
        QCOMPARE(Kestrum({u"source"_s, u"--fill"_s, on ? u"on"_s : u"off"_s}).code, 0);
        const QJsonObject czk = Entry(Json({u"list"_s, u"--json"_s}), "CZK");
        QCOMPARE(czk[u"rate"_s].isNull(), !on);
        QCOMPARE(gridHas("CZK"), on);
        QCOMPARE(Kestrum({u"convert"_s, u"1"_s, u"CZK"_s, u"CAD"_s, u"--verbose"_s}).code,
                 on ? 0 : 4);
        const Run run = Kestrum(dated);
        QCOMPARE(run.code, on ? 0 : 4);
        // A fetch cannot bring what the sources asked did not publish.
        if (!on)
            QVERIFY2(run.err.contains(u"the Bank of Canada did not publish it then (filling from "
                                      "the other source is off)."_s),
                     qPrintable(run.err));
        // The Bank's own rates and the parities stay whatever the switch.
        QCOMPARE(Entry(Json({u"list"_s, u"--json"_s}), "USD")[u"origin"_s].toString(),
                 u"Bank of Canada"_s);
        QVERIFY(gridHas("XCD"));
    }
    // A missing rate names the fetch that brings it: of the configured source,
    // of the one that publishes the currency then, or none.
    struct Hint {
        const char* fill;
        const char* code;
        const char* day;
        const char* ending;
    };
    static const Hint kHints[] = {
        {"on", "USD", "2024-06-03", "; \"kestrum history fetch\" brings them."},
        {"on", "CZK", "2024-06-03", "; \"kestrum history fetch ecb\" brings them."},
        {"on", "MAD", "2025-12-04", "; \"kestrum history fetch nbp\" brings them."},
        {"off", "CZK", "2024-06-03",
         "; the Bank of Canada did not publish it then (filling from the other source is off)."},
    };
    for (const Hint& hint : kHints) {
        QCOMPARE(Kestrum({u"source"_s, u"--fill"_s, QLatin1String(hint.fill)}).code, 0);
        const Run run = Kestrum({u"convert"_s, u"1"_s, QLatin1String(hint.code), u"CAD"_s,
                                 u"--date"_s, QLatin1String(hint.day)});
        QCOMPARE(run.code, 4);
        QVERIFY2(run.err.endsWith(QLatin1String(hint.ending) + u'\n'), qPrintable(run.err));
    }
}

QTEST_GUILESS_MAIN(CoverageTest)
#include "coverage_test.moc"
