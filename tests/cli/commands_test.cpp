// Runs the real executable on temporary data directories.

#include "data/catalogue.h"
#include "data/conversion.h"
#include "data/cp1252.h"
#include "data/dates.h"
#include "data/number_text.h"
#include "data/rate_files.h"
#include "data/rate_store.h"
#include "file_bytes.h"
#include "loopback_server.h"
#include "parity_rates.h"
#include "process_run.h"
#include "settings/configuration.h"
#include "settings/message_table.h"
#include "settings/paths.h"
#include "update/rate_page_parser.h"
#include "update/rate_sources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <httplib.h>
#include <memory>
#include <thread>

using namespace kestrum;
using namespace Qt::StringLiterals;

namespace {

const QString kRateFile = QStringLiteral("rt.dt");
const QString kConfigFile = QStringLiteral("kestrumconfig");
constexpr int kUsd = 1;
constexpr int kEur = 13;
constexpr int kJpy = 27;
constexpr int kTolar = 43;

using test::ReadFile;
using test::WriteFile;

QByteArray SamplePage() {
    return ReadFile(QStringLiteral(KESTRUM_SAMPLE_PAGE));
}

// The five rates of a currency as the page prints them, read independently of
// the program's parser: the numbers after the run of spaces that ends its label.
QList<double> PageRates(const char* utf8Label) {
    const QByteArray label = QByteArray::fromStdString(Utf8ToCp1252(utf8Label));
    for (const QByteArray& line : SamplePage().split('\n')) {
        if (!line.startsWith(label))
            continue;
        QList<double> rates;
        const QList<QByteArray> tokens = line.simplified().split(' ');
        for (const QByteArray& token : tokens.mid(tokens.size() - 5))
            rates << (token == "NA" ? kNotAvailable : token.toDouble());
        return rates;
    }
    qFatal("no line for %s", utf8Label);
}

// The sample page as the core reads it, with the default date order.
RateStore SampleStore() {
    RateStore store;
    if (!ParseRatePage(SamplePage(), store, BuiltInCatalogue(), DefaultConfig()))
        qFatal("the sample page does not parse");
    ComputeCurrentRates(store);
    return store;
}

using test::Listening;

using Run = test::ProcessRun;

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void convertMatchesTheCore_data();
    void convertMatchesTheCore();
    void currenciesByCodeInAnyCaseOrByName();
    void verboseNamesCurrenciesDateAndFee();
    void errorsHaveTheirExitCodes_data();
    void errorsHaveTheirExitCodes();
    void ratesTablesFollowTheGridRules();
    void listShowsCodesNamesAndRates();
    void importStoresThePageAsADownloadWould();
    void failedImportsLeaveTheFilesAlone();
    void updateFetchesFromALoopbackServer();
    void updateReadsTheRateServices_data();
    void updateReadsTheRateServices();
    void sourceSetsAndPrintsTheAddress();
    void helpAndVersion();
    void usageMessagesEndInOneStop();
    void outputReadsWell_data();
    void outputReadsWell();
    void buildStagesStarterRates();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    void WriteConfig(const ConfigRecord& config) const {
        WriteFile(Path(kConfigFile), SerializeConfig(config));
    }
    void WriteSampleRates() const { WriteFile(Path(kRateFile), EncodeRateFile(m_store)); }

    // Runs kestrum with --data-dir pointing at the test's directory (after
    // the other arguments unless `dataDirFirst`). Without a display, so a
    // command that opened a window would fail.
    Run Kestrum(const QStringList& arguments, bool dataDirFirst = false) {
        const QStringList dataDir{QStringLiteral("--data-dir"), m_dir->path()};
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        for (const auto& [name, value] : m_environment)
            environment.insert(name, value);
        process.setProcessEnvironment(environment);
        const bool configExisted = QFile::exists(Path(kConfigFile));
        process.start(QStringLiteral(KESTRUM_EXECUTABLE),
                      dataDirFirst ? dataDir + arguments : arguments + dataDir);
        Run run = test::Finish(process);
        if (run.code == -1)
            return run;
        if (!configExisted && QFile::exists(Path(kConfigFile)) &&
            !arguments.contains(QStringLiteral("source")))
            m_createdConfig << arguments.join(u' ');
        return run;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    RateStore m_store = SampleStore();
    QStringList m_createdConfig;
    QList<std::pair<QString, QString>> m_environment; // added to the runs of one test
};

void CommandsTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_createdConfig.clear();
    m_environment.clear();
}

void CommandsTest::cleanup() {
    // No command but "source" ever creates the configuration file.
    QCOMPARE(m_createdConfig, QStringList());
    m_dir.reset();
}

void CommandsTest::convertMatchesTheCore_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("configFile");
    QTest::addColumn<bool>("dataDirFirst");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<double>("amount");
    QTest::addColumn<int>("cashRateOn"); // what the conversion is to use
    QTest::addColumn<double>("cashRate");
    QTest::addColumn<int>("round");

    const auto args = [](std::initializer_list<const char*> list) {
        QStringList result;
        for (const char* a : list)
            result << QString::fromUtf8(a);
        return result;
    };
    QTest::newRow("defaults") << args({"convert", "100", "USD", "CAD"}) << false << false << kUsd
                              << 0 << 100.0 << 1 << 4.0 << 0;
    QTest::newRow("cross rate, data dir first")
        << args({"convert", "1,000.5", "EUR", "JPY"}) << false << true << kEur << kJpy << 1000.5
        << 1 << 4.0 << 0;
    QTest::newRow("configured: no fee, rounded") << args({"convert", "250", "GBP", "USD"}) << true
                                                 << false << 54 << kUsd << 250.0 << 0 << 2.5 << 1;
    QTest::newRow("--fee overrides") << args({"convert", "--fee", "7.25", "80", "CAD", "EUR"})
                                     << true << false << 0 << kEur << 80.0 << 1 << 7.25 << 1;
    QTest::newRow("--no-fee --round")
        << args({"convert", "0.5", "JPY", "USD", "--no-fee", "--round"}) << false << false << kJpy
        << kUsd << 0.5 << 0 << 4.0 << 1;
    QTest::newRow("--no-round beats the file")
        << args({"convert", "3", "EUR", "EUR", "--no-round"}) << true << false << kEur << kEur
        << 3.0 << 0 << 2.5 << 0;
    QTest::newRow("zero fee") << args({"convert", "10", "USD", "CAD", "--fee", "0"}) << false
                              << false << kUsd << 0 << 10.0 << 1 << 0.0 << 0;
}

void CommandsTest::convertMatchesTheCore() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, configFile);
    QFETCH(bool, dataDirFirst);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(double, amount);
    QFETCH(int, cashRateOn);
    QFETCH(double, cashRate);
    QFETCH(int, round);

    WriteSampleRates();
    ConfigRecord stored = DefaultConfig();
    stored.CashRateOn = 0;
    stored.CashRate = 2.5;
    stored.RoundToCent = 1;
    if (configFile)
        WriteConfig(stored);
    const QByteArray configBefore = ReadFile(Path(kConfigFile));

    const Run run = Kestrum(arguments, dataDirFirst);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.code, 0);

    ConfigRecord config = DefaultConfig();
    config.CashRateOn = static_cast<std::uint8_t>(cashRateOn);
    config.CashRate = cashRate;
    config.RoundToCent = static_cast<std::uint8_t>(round);
    const Conversion expected = ConvertAmount(m_store, config, from, to, amount);
    QVERIFY(expected.available);
    QCOMPARE(run.out, FormatResult(expected.result, expected.decimals, false, QLocale::c()) + '\n');
    // Options apply to one run only.
    QCOMPARE(ReadFile(Path(kConfigFile)), configBefore);
}

void CommandsTest::currenciesByCodeInAnyCaseOrByName() {
    WriteSampleRates();
    const QString expected = Kestrum({"convert", "100", "CZK", "VEF"}).out;
    QVERIFY(!expected.isEmpty());
    for (const char* from : {"czk", "Czk", "Czech. Republic Koruna", "Couronne tchèque"}) {
        for (const char* to : {"vef", "Venezuelan Bolivar", "Bolivar vénézuélien"}) {
            const Run run =
                Kestrum({"convert", "100", QString::fromUtf8(from), QString::fromUtf8(to)});
            QCOMPARE(run.code, 0);
            QCOMPARE(run.out, expected);
        }
    }
    const Run french = Kestrum({"convert", "5", "Dollar des Caraïbes Orientales", "usd"});
    QCOMPARE(french.code, 0);
    QCOMPARE(french.out, Kestrum({"convert", "5", "XCD", "USD"}).out);
}

void CommandsTest::verboseNamesCurrenciesDateAndFee() {
    WriteSampleRates();
    const QString number = Kestrum({"convert", "100", "EUR", "USD"}).out.trimmed();
    const Run run = Kestrum({"convert", "100", "EUR", "USD", "--verbose"});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out.count('\n'), 1);
    for (const QString& part :
         {QStringLiteral("100 EUR (European EURO) = "), QStringLiteral(" USD (U.S. Dollar), at"),
          number, QStringLiteral("Tuesday, November 13, 2007"), QStringLiteral("4% cash-rate fee")})
        QVERIFY2(run.out.contains(part), qPrintable(run.out));

    // French names come from the configured language.
    ConfigRecord config = DefaultConfig();
    config.Language = kFrench;
    config.CashRateOn = 0;
    WriteConfig(config);
    const Run french = Kestrum({"convert", "100", "EUR", "USD", "--verbose"});
    QVERIFY2(french.out.contains(QString::fromUtf8("USD (Dollar américain), at")),
             qPrintable(french.out));
    QVERIFY2(french.out.contains(QStringLiteral("without a cash-rate fee")),
             qPrintable(french.out));
}

void CommandsTest::errorsHaveTheirExitCodes_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("rateFile"); // "sample", "short" or "none"
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("says");

    const QString sample = QStringLiteral("sample");
    QTest::newRow("no command arguments") << QStringList{"convert"} << sample << 2 << u"Usage"_s;
    QTest::newRow("missing currency")
        << QStringList{"convert", "1", "USD"} << sample << 2 << u"Usage"_s;
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << sample << 2 << u"frobnicate"_s;
    QTest::newRow("unknown option") << QStringList{"list", "--bogus"} << sample << 2 << u"bogus"_s;
    // Every amount fault in one sentence of one shape.
    QTest::newRow("two dots") << QStringList{"convert", "12.3.4", "USD", "CAD"} << sample << 2
                              << u"\"12.3.4\" is not a valid amount: it holds more than one "
                                 "decimal point."_s;
    QTest::newRow("zero") << QStringList{"convert", "0", "USD", "CAD"} << sample << 2
                          << u"\"0\" is not a valid amount: zero converts to nothing."_s;
    QTest::newRow("decimal comma") << QStringList{"convert", "1,25", "EUR", "CAD"} << sample << 2
                                   << u"\"1,25\" is not a valid amount: a comma only groups "
                                      "thousands (1,000); use a point for decimals (1.5)."_s;
    QTest::newRow("day before the first")
        << QStringList{"convert", "1", "USD", "CAD", "--date", "1899-12-31"} << sample << 2
        << u"from 1900-01-01 to today"_s;
    QTest::newRow("negative amount") << QStringList{"convert", "-5", "USD", "CAD"} << sample << 2
                                     << u"\"-5\" is not a valid amount"_s;
    QTest::newRow("fee and no fee")
        << QStringList{"convert", "1", "USD", "CAD", "--fee", "1", "--no-fee"} << sample << 2
        << u"--no-fee"_s;
    QTest::newRow("bad fee") << QStringList{"convert", "1", "USD", "CAD", "--fee", "x"} << sample
                             << 2 << u"fee"_s;
    for (const char* fee : {"-2", "100", "150", "nan"})
        QTest::addRow("fee %s", fee) << QStringList{"convert", "1", "USD", "CAD", "--fee", fee}
                                     << sample << 2 << QString::fromLatin1(kFeeRangeMessage);
    QTest::newRow("33-character amount") << QStringList{"convert", QString(33, u'1'), "USD", "CAD"}
                                         << sample << 2 << u"longer than 32 characters."_s;
    QTest::newRow("rates against EUR")
        << QStringList{"rates", "--against", "EUR"} << sample << 2 << u"CAD or USD"_s;
    QTest::newRow("unknown currency")
        << QStringList{"convert", "1", "XYZ", "CAD"} << sample << 3 << u"XYZ"_s;
    QTest::newRow("name in the wrong case")
        << QStringList{"convert", "1", "USD", "canadian dollar"} << sample << 3 << u"canadian"_s;
    QTest::newRow("no rate from") << QStringList{"convert", "1", "SIT", "CAD"} << sample << 4
                                  << u"Slovenian Tolar (SIT)"_s;
    QTest::newRow("no rate to") << QStringList{"convert", "1", "USD", "sit"} << sample << 4
                                << u"Slovenian Tolar (SIT)"_s;
    QTest::newRow("no rate file") << QStringList{"convert", "1", "USD", "CAD"} << u"none"_s << 5
                                  << u"rt.dt"_s;
    QTest::newRow("rates without a rate file")
        << QStringList{"rates"} << u"none"_s << 5 << u"rt.dt"_s;
    QTest::newRow("incomplete rate file")
        << QStringList{"list"} << u"short"_s << 5 << u"incomplete"_s;
    QTest::newRow("import of a missing file") << QStringList{"import", "/nonexistent/page.html"}
                                              << sample << 5 << u"/nonexistent/page.html"_s;
    QTest::newRow("import of a text file")
        << QStringList{"import", QStringLiteral(KESTRUM_SAMPLE_README)} << sample << 6
        << u"not a rate page"_s;
}

void CommandsTest::errorsHaveTheirExitCodes() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, rateFile);
    QFETCH(int, code);
    QFETCH(QString, says);

    if (rateFile == QLatin1String("sample"))
        WriteSampleRates();
    else if (rateFile == QLatin1String("short"))
        WriteFile(Path(kRateFile), EncodeRateFile(m_store).left(kRateFileSize - 1));
    const QByteArray rates = ReadFile(Path(kRateFile));

    const Run run = Kestrum(arguments);
    QCOMPARE(run.code, code);
    QCOMPARE(run.out, QString());
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY2(run.err.contains(says), qPrintable(run.err));
    QCOMPARE(ReadFile(Path(kRateFile)), rates);
}

void CommandsTest::ratesTablesFollowTheGridRules() {
    WriteSampleRates();
    const QList<double> usd = PageRates("U.S. Dollar / Dollar américain");
    const QList<double> eur = PageRates("European Euro / Europe Euro");
    const double fee = FeeFactor(DefaultConfig());

    Run run = Kestrum({"rates", "--json", "--amount", "2.5"});
    QCOMPARE(run.code, 0);
    QJsonObject grid = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(grid["against"].toString(), "CAD");
    const QJsonArray days = grid["days"].toArray();
    QCOMPARE(days.size(), 5);
    QCOMPARE(days[0].toObject()["date"].toString(), "2007-11-07");
    QCOMPARE(days[4].toObject()["heading"].toString(), "Tue, Nov 13, 2007");
    QJsonArray rows = grid["rows"].toArray();
    QCOMPARE(rows.size(), 55);
    QJsonObject row = rows[kEur - 1].toObject();
    QCOMPARE(row["code"].toString(), "EUR");
    for (int d = 0; d < 5; ++d) {
        if (eur[d] == kNotAvailable) {
            QVERIFY(row["values"].toArray()[d].isNull());
            QCOMPARE(row["cells"].toArray()[d].toString(), "");
        } else {
            QCOMPARE(row["values"].toArray()[d].toDouble(), (eur[d] * fee) * 2.5);
        }
    }
    QCOMPARE(eur[3], kNotAvailable); // the holiday column

    run = Kestrum({"rates", "--against", "usd", "--json"});
    QCOMPARE(run.code, 0);
    grid = QJsonDocument::fromJson(run.out.toUtf8()).object();
    rows = grid["rows"].toArray();
    QCOMPARE(rows[0].toObject()["code"].toString(), "CAD");
    QCOMPARE(rows[0].toObject()["values"].toArray()[4].toDouble(), (1.0 / usd[4]) * fee);
    row = rows[kEur - 1].toObject();
    QCOMPARE(row["values"].toArray()[0].toDouble(), eur[0] * ((1.0 / usd[0]) * fee));
    QCOMPARE(row["cells"].toArray()[3].toString(), "NA");

    // The wide text table: dates as headings, one line per currency, four decimals.
    run = Kestrum({"rates", "--wide"});
    QCOMPARE(run.code, 0);
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2 + 55);
    QVERIFY(lines[1].contains(QStringLiteral("Wed, Nov 7, 2007")));
    QVERIFY(lines[1].endsWith(QStringLiteral("Tue, Nov 13, 2007")));
    QVERIFY(lines[2].startsWith(QStringLiteral("USD   U.S. Dollar")));
    QVERIFY(lines[2].endsWith(FormatResult(usd[4] * fee, 4, false, QLocale::c())));

    // Rounding to the cent is the converter's: the table neither claims nor does it.
    ConfigRecord rounded = DefaultConfig();
    rounded.RoundToCent = 1;
    WriteConfig(rounded);
    run = Kestrum({"rates", "--wide"});
    QVERIFY2(!run.out.contains(QStringLiteral("rounded")), qPrintable(run.out.left(300)));
    QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts)[2], lines[2]);
}

void CommandsTest::listShowsCodesNamesAndRates() {
    WriteSampleRates();
    Run run = Kestrum({"list", "--json"});
    QCOMPARE(run.code, 0);
    const QJsonArray entries = QJsonDocument::fromJson(run.out.toUtf8()).array();
    QCOMPARE(entries.size(), kCurrencyCount);
    for (int k = 0; k < kCurrencyCount; ++k) {
        const QJsonObject entry = entries[k].toObject();
        QCOMPARE(entry["index"].toInt(), k);
        QCOMPARE(entry["code"].toString(), QString::fromLatin1(CurrencyCode(k)));
        QCOMPARE(entry["english"].toString(), FromCp1252(CurrencyName(k, kEnglish)));
        QCOMPARE(entry["french"].toString(), FromCp1252(CurrencyName(k, kFrench)));
    }
    QCOMPARE(entries[0].toObject()["rate"].toDouble(), 1.0);
    QCOMPARE(entries[kUsd].toObject()["rate"].toDouble(),
             PageRates("U.S. Dollar / Dollar américain")[4]);
    QCOMPARE(entries[kJpy].toObject()["rate"].toDouble(), PageRates("Japanese Yen")[4]);
    QVERIFY(entries[kTolar].toObject()["rate"].isNull());

    run = Kestrum({"list"});
    QCOMPARE(run.code, 0);
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + kCurrencyCount);
    QVERIFY(lines[1 + kTolar].contains(QStringLiteral("SIT")));
    QVERIFY(lines[1 + kTolar].endsWith(QStringLiteral("NA")));
    QVERIFY(lines[1 + kUsd].contains(QString::fromUtf8("Dollar américain")));
}

void CommandsTest::importStoresThePageAsADownloadWould() {
    Run run = Kestrum({"import", QStringLiteral(KESTRUM_SAMPLE_PAGE)});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.code, 0);
    QVERIFY(run.out.contains(QStringLiteral("Tuesday, November 13, 2007")));
    QCOMPARE(QFileInfo(Path(kRateFile)).size(), qint64(kRateFileSize));
    QVERIFY(!QFile::exists(Path(kConfigFile)));

    SetProgramDir(m_dir->path());
    RateStore store;
    ConfigRecord config = DefaultConfig();
    QCOMPARE(LoadRateFile(store, config).status, RateFileStatus::Loaded);
    SetProgramDir(QString());
    QCOMPARE(config.DataDate, DateValueFromYmd(2007, 11, 13));
    QCOMPARE(DayDate(store, 1), DateValueFromYmd(2007, 11, 7));
    QCOMPARE(DayDate(store, 4), DateValueFromYmd(2007, 11, 12));
    const struct {
        int k;
        const char* label;
    } checks[] = {{kUsd, "U.S. Dollar / Dollar américain"},
                  {kEur, "European Euro"},
                  {kJpy, "Japanese Yen"},
                  {15, "CFA Franc (African Financial Community)"}};
    for (const auto& check : checks) {
        const QList<double> rates = PageRates(check.label);
        for (int d = 1; d <= kDayCount; ++d)
            QCOMPARE(DayRate(store, check.k, d), rates[d - 1]);
    }
    // The tolar's line is all "NA"; since the changeover it follows the euro.
    for (int d = 1; d <= kDayCount; ++d)
        if (DayRate(store, kEur, d) != kNotAvailable)
            QCOMPARE(DayRate(store, kTolar, d), DayRate(store, kEur, d) / 239.640);

    // With a configuration file, its data date follows, as after a download.
    ConfigRecord stored = DefaultConfig();
    stored.RatePageAddress = "http://127.0.0.1/elsewhere.html";
    stored.CashRate = 3.0;
    WriteConfig(stored);
    QFile::remove(Path(kRateFile));
    run = Kestrum({"import", QStringLiteral(KESTRUM_SAMPLE_PAGE)});
    QCOMPARE(run.code, 0);
    const ConfigRecord saved = DeserializeConfig(ReadFile(Path(kConfigFile)));
    QCOMPARE(saved.DataDate, DateValueFromYmd(2007, 11, 13));
    QCOMPARE(saved.RatePageAddress, stored.RatePageAddress);
    QCOMPARE(saved.CashRate, 3.0);
    QVERIFY(QFile::exists(Path(QStringLiteral("kestrumconfig.bak"))));

    // The configured date order applies: "07/11/13" read as day/month/year.
    stored.YearPosition = 3;
    stored.MonthPosition = 2;
    stored.DayPosition = 1;
    WriteConfig(stored);
    QCOMPARE(Kestrum({"import", QStringLiteral(KESTRUM_SAMPLE_PAGE)}).code, 0);
    QCOMPARE(DeserializeConfig(ReadFile(Path(kConfigFile))).DataDate,
             DateValueFromYmd(2013, 11, 7));
}

void CommandsTest::failedImportsLeaveTheFilesAlone() {
    RateStore other;
    SetDayDate(other, 5, DateValueFromYmd(2005, 6, 3));
    SetDayRate(other, kUsd, 5, 1.25);
    WriteFile(Path(kRateFile), EncodeRateFile(other));
    WriteConfig(DefaultConfig());
    const QByteArray rates = ReadFile(Path(kRateFile));
    const QByteArray config = ReadFile(Path(kConfigFile));

    // Cut after the euro: the date line and the first currencies parse.
    const QByteArray page = SamplePage();
    WriteFile(Path(QStringLiteral("cut.html")), page.left(page.indexOf("Fiji")));
    const Run run = Kestrum({"import", Path(QStringLiteral("cut.html"))});
    QCOMPARE(run.code, 6);
    QCOMPARE(ReadFile(Path(kRateFile)), rates);
    QCOMPARE(ReadFile(Path(kConfigFile)), config);
    QVERIFY(!QFile::exists(Path(QStringLiteral("kestrumconfig.bak"))));
}

void CommandsTest::updateFetchesFromALoopbackServer() {
    httplib::Server server;
    const std::string page = SamplePage().toStdString();
    server.Get("/rates.html", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(page, "text/html");
    });
    server.Get("/cut.html", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(page.substr(0, page.size() / 2), "text/html");
    });
    const Listening listening(server);
    const int port = listening.port;
    QVERIFY(port > 0);
    const auto url = [port](const char* path) {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path);
    };

    Run run = Kestrum({"update", "--url", url("/rates.html")});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.err, QString()); // no progress bar off a terminal
    QCOMPARE(run.out.count('\n'), 1);
    QCOMPARE(ReadFile(Path(kRateFile)), EncodeRateFile(test::WithParities(m_store)));
    QVERIFY(!QFile::exists(Path(QStringLiteral("temp.html"))));

    // Failures keep the stored rates and the configuration.
    ConfigRecord config = DefaultConfig();
    config.RatePageAddress = url("/cut.html").toStdString();
    WriteConfig(config);
    const QByteArray configBefore = ReadFile(Path(kConfigFile));
    const QByteArray rates = ReadFile(Path(kRateFile));
    for (const QStringList& arguments :
         {QStringList{"update"}, QStringList{"update", "--url", url("/missing.html")},
          QStringList{"update", "--url", QStringLiteral("http://127.0.0.1:1/rates.html")}}) {
        run = Kestrum(arguments);
        QCOMPARE(run.code, 6);
        QCOMPARE(run.err.count('\n'), 1);
        QCOMPARE(ReadFile(Path(kRateFile)), rates);
        QCOMPARE(ReadFile(Path(kConfigFile)), configBefore);
    }

    // The configured address is the default one; the data date is saved.
    config.RatePageAddress = url("/rates.html").toStdString();
    WriteConfig(config);
    QFile::remove(Path(kRateFile));
    run = Kestrum({"update"});
    QCOMPARE(run.code, 0);
    QCOMPARE(ReadFile(Path(kRateFile)), EncodeRateFile(test::WithParities(m_store)));
    QCOMPARE(DeserializeConfig(ReadFile(Path(kConfigFile))).DataDate,
             DateValueFromYmd(2007, 11, 13));
}

void CommandsTest::updateReadsTheRateServices_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("proxied"); // through http_proxy, to an address nothing serves
    QTest::newRow("Bank of Canada") << u"valet_fx_rates_daily.json"_s << false;
    QTest::newRow("ECB") << u"ecb_reference_rates.xml"_s << false;
    QTest::newRow("Bank of Canada via a proxy") << u"valet_fx_rates_daily.json"_s << true;
}

void CommandsTest::updateReadsTheRateServices() {
    QFETCH(QString, fixture);
    QFETCH(bool, proxied);
    const QByteArray body = ReadFile(QStringLiteral(KESTRUM_UPDATE_FIXTURES "/") + fixture);
    RateStore expected;
    QVERIFY(ReadRateBody(body, expected, BuiltInCatalogue(), DefaultConfig()));

    httplib::Server server;
    // A proxy is asked for the whole address.
    server.Get(".*/rates", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(body.toStdString(), "application/octet-stream");
    });
    const Listening listening(server);
    const int port = listening.port;
    QVERIFY(port > 0);
    const QString local = QStringLiteral("http://127.0.0.1:%1").arg(port);
    if (proxied)
        m_environment = {{QStringLiteral("http_proxy"), local}};
    // Filling would fetch the other service from the real network.
    WriteFile(Path(QStringLiteral("kestrum.ini")), "fill=off\n");
    const Run run =
        Kestrum({"update", "--url", proxied ? u"http://127.0.0.2:1/rates"_s : local + "/rates"});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains(QStringLiteral("Friday, December 4, 2026")), qPrintable(run.out));
    QCOMPARE(ReadFile(Path(kRateFile)), EncodeRateFile(test::WithParities(expected)));
}

void CommandsTest::sourceSetsAndPrintsTheAddress() {
    const QString valet = QString::fromLatin1(Message(msg::RatePageAddress));
    const QString ecb =
        QStringLiteral("https://www.ecb.europa.eu/stats/eurofxref/eurofxref-hist-90d.xml");
    const QString mirror = QStringLiteral("http://127.0.0.1:9/rates.json");
    const struct {
        QStringList arguments;
        int code;
        QString out;
        QString stored; // empty: no settings file
    } steps[] = {
        {{"source"}, 0, valet + '\n', {}},
        {{"source", "ftp://mirror.example/rates"}, 2, {}, {}},
        {{"source", "ecb"}, 0, ecb + '\n', ecb},
        {{"source"}, 0, ecb + '\n', ecb},
        {{"source", mirror}, 0, mirror + '\n', mirror},
        {{"source", "boc", "ecb"}, 2, {}, mirror},
        {{"source", "rates.example"}, 2, {}, mirror},
        {{"source", "http://"}, 2, {}, mirror},
        {{"source", "http://host/a b"}, 2, {}, mirror},
        {{"source", "http://host/" + QString(244, 'a')}, 2, {}, mirror}, // 256 characters
        {{"source", "BOC"}, 0, valet + '\n', valet},
    };
    for (const auto& step : steps) {
        const Run run = Kestrum(step.arguments);
        const QByteArray label = step.arguments.join(u' ').toUtf8();
        QVERIFY2(run.code == step.code, label.constData());
        QCOMPARE(run.out, step.out);
        QCOMPARE(run.err.isEmpty(), step.code == 0);
        if (step.stored.isEmpty()) {
            QVERIFY(!QFile::exists(Path(kConfigFile)));
            continue;
        }
        // The record is created with its defaults; only the address changes.
        ConfigRecord expected = DefaultConfig();
        expected.RatePageAddress = step.stored.toStdString();
        QCOMPARE(ReadFile(Path(kConfigFile)), SerializeConfig(expected));
    }
}

void CommandsTest::helpAndVersion() {
    Run run = Kestrum({"--version"});
    QCOMPARE(run.code, 0);
    QVERIFY(run.out.startsWith(QStringLiteral("Kestrum " KESTRUM_PROJECT_VERSION "\n")));
    QVERIFY(run.out.contains(QStringLiteral("License MIT")));

    for (const char* help : {"--help", "-h"}) {
        run = Kestrum({help});
        QCOMPARE(run.code, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("Usage: kestrum [options] [command]\n")));
        for (const char* command : {"convert", "rates", "list", "import", "update", "source"})
            QVERIFY2(run.out.contains(QLatin1String(command)), command);
    }

    run = Kestrum({"convert", "--help"});
    QCOMPARE(run.code, 0);
    for (const char* part : {"AMOUNT", "FROM", "TO", "--fee", "--no-fee", "--round", "--verbose"})
        QVERIFY2(run.out.contains(QLatin1String(part)), part);
    QVERIFY(!run.out.contains(QLatin1String("--against")));
    run = Kestrum({"rates", "-h"});
    QCOMPARE(run.code, 0);
    QVERIFY(run.out.contains(QLatin1String("--against")));
}

void CommandsTest::usageMessagesEndInOneStop() {
    const QStringList commands[] = {
        {"convert", "1", "USD", "CAD", "--fee"},
        {"rates", "--bogus"},
        {"convert", "1", "USD", "CAD", "--round", "--round"},
    };
    for (const QStringList& arguments : commands) {
        // The data directory first, so that an option can stand last.
        const Run run = Kestrum(arguments, true);
        const QString line = run.err.trimmed();
        QVERIFY2(run.code == 2 && line.endsWith(QLatin1Char('.')), qPrintable(line));
        QVERIFY2(!line.contains(QLatin1String("..")) && !line.contains(QLatin1String(". (")),
                 qPrintable(line));
    }
}

void CommandsTest::outputReadsWell_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("rates"); // the sample rt.dt, or none
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("out"); // parts of standard output
    QTest::addColumn<QStringList>("err"); // parts of standard error
    QTest::addColumn<int>("columns");     // widest output line, 0 for any

    QTest::newRow("window without a display")
        << QStringList{} << true << 2 << QStringList{}
        << QStringList{u"needs a graphical display for its window"_s, u"kestrum --help"_s} << 0;
    QTest::newRow("unknown option, no command")
        << QStringList{"--bogus"} << true << 2 << QStringList{}
        << QStringList{u"bogus"_s, u"Usage: kestrum [options] [command]"_s} << 0;
    QTest::newRow("-v: no version") << QStringList{"-v"} << true << 2 << QStringList{}
                                    << QStringList{u"'v'"_s, u"Usage: kestrum"_s} << 0;
    QTest::newRow("no --help-all") << QStringList{"--help-all"} << true << 2 << QStringList{}
                                   << QStringList{u"help-all"_s} << 0;
    QTest::newRow("repeated option")
        << QStringList{"convert", "1", "USD", "CAD", "--fee", "5", "--fee", "6"} << true << 2
        << QStringList{} << QStringList{u"--fee is given more than once"_s} << 0;
    QTest::newRow("list without rates") << QStringList{"list"} << false << 0
                                        << QStringList{u"CAD per unit"_s, u"1.000000"_s, u"NA"_s}
                                        << QStringList{u"No rates are stored"_s} << 0;
    QTest::newRow("list, one number format")
        << QStringList{"list"} << true << 0 << QStringList{u"0.964300"_s, u"0.000449"_s}
        << QStringList{} << 0;
    QTest::newRow("no invented plurals")
        << QStringList{"convert", "100", "CAD", "JPY", "--verbose"} << true << 0
        << QStringList{u"100 CAD (Canadian Dollar) = "_s, u" JPY (Japanese Yen), at"_s}
        << QStringList{} << 0;
    QTest::newRow("one unit") << QStringList{"convert", "1", "USD", "CAD", "--verbose"} << true << 0
                              << QStringList{u"1 USD (U.S. Dollar) = "_s} << QStringList{} << 0;
    QTest::newRow("-v is verbose")
        << QStringList{"convert", "1", "USD", "CAD", "-v"} << true << 0
        << QStringList{u"1 USD (U.S. Dollar) = "_s} << QStringList{} << 0;
    QTest::newRow("a huge amount in plain digits")
        << QStringList{"convert", "136320000000000000000", "USD", "CAD", "--no-fee"} << true << 0
        << QStringList{u"131453376000000000000.0000\n"_s} << QStringList{} << 0;
    QTest::newRow("fee fields") << QStringList{"rates", "--json"} << true << 0
                                << QStringList{u"\"feeFactor\": 0.96"_s, u"\"feePercent\": 4"_s}
                                << QStringList{} << 0;
    QTest::newRow("rates in 80 columns")
        << QStringList{"rates", "--against", "USD"} << true << 0
        << QStringList{u"Nov 12  "_s, u"Wed, Nov 7, 2007 to Tue, Nov 13, 2007."_s} << QStringList{}
        << 80;
    QTest::newRow("significant digits")
        << QStringList{"rates", "--digits", "3"} << true << 0
        << QStringList{u"KRW   South Korean Won"_s, u"  0.00101\n"_s} << QStringList{} << 0;
    QTest::newRow("digits out of range") << QStringList{"rates", "--digits", "0"} << true << 2
                                         << QStringList{} << QStringList{u"--digits"_s} << 0;
    QTest::newRow("help") << QStringList{"--help"} << true << 0
                          << QStringList{u"\n  convert  Convert"_s, u"Exit codes: 0 success"_s}
                          << QStringList{} << 80;
    QTest::newRow("command help")
        << QStringList{"convert", "--help"} << true << 0
        << QStringList{u"Usage: kestrum convert [options] AMOUNT FROM TO\n"_s, u"-v, --verbose"_s}
        << QStringList{} << 80;
}

void CommandsTest::outputReadsWell() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, rates);
    QFETCH(int, code);
    QFETCH(QStringList, out);
    QFETCH(QStringList, err);
    QFETCH(int, columns);

    if (rates)
        WriteSampleRates();
    const Run run = Kestrum(arguments);
    QCOMPARE(run.code, code);
    for (const QString& part : out)
        QVERIFY2(run.out.contains(part), qPrintable(run.out.left(2000)));
    for (const QString& part : err)
        QVERIFY2(run.err.contains(part), qPrintable(run.err));
    if (err.isEmpty())
        QCOMPARE(run.err, QString());
    if (columns > 0)
        for (const QString& line : run.out.split(u'\n'))
            QVERIFY2(line.size() <= columns, qPrintable(line));
    // The commands' texts hold no "Arguments:" entry naming the command.
    QVERIFY(!run.out.contains(QStringLiteral("  convert  Convert an amount between two "
                                             "currencies.\n\nOptions")));
}

void CommandsTest::buildStagesStarterRates() {
    const QString dir = QFileInfo(QStringLiteral(KESTRUM_EXECUTABLE)).absolutePath();
    QVERIFY(QFile::exists(dir + QStringLiteral("/rt.dt")));
    SetProgramDir(dir);
    RateStore store;
    ConfigRecord config = DefaultConfig();
    const RateFileLoad load = LoadRateFile(store, config);
    SetProgramDir(QString());
    QCOMPARE(load.status, RateFileStatus::Loaded);
    QVERIFY(config.DataDate != kNotAvailable);
}

QTEST_GUILESS_MAIN(CommandsTest)
#include "commands_test.moc"
