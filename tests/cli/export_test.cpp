// Prices out of the history through the real executable, read back by the
// programs they are written for; and the dated conversions' rules.

#include "data/catalogue.h"
#include "data/dates.h"
#include "file_bytes.h"
#include "history/history_store.h"
#include "process_run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>

using namespace kestrum;
using test::ReadFile;
using test::WriteFile;

namespace {

using Run = test::ProcessRun;
using Texts = std::map<QString, QByteArray>; // code -> the text as published

int Index(const QString& code) {
    return FindCurrencyByCodeOrName(code.toStdString());
}

// Thursday, Friday and the Monday after: a Saturday holding is valued at
// Friday's price, so Thursday's or Monday's would show.
const QDate kThursday(2020, 6, 11), kFriday(2020, 6, 12), kSaturday(2020, 6, 13),
    kMonday(2020, 6, 15);

// The numbers as the services published them, each day told apart; "1.3600"
// keeps a zero that the shortest form of its double would lose.
const std::map<QDate, Texts> kBank = {
    {kThursday, {{"USD", "1.3587"}, {"EUR", "1.5390"}}},
    {kFriday, {{"USD", "1.3600"}, {"EUR", "1.5321"}}},
    {kMonday, {{"USD", "1.3604"}, {"EUR", "1.5345"}}},
};
// Units per euro; crosses of round numbers: USD 1.25 CAD, JPY 0.0125 CAD.
const std::map<QDate, Texts> kEcb = {
    {kFriday, {{"CAD", "1.5000"}, {"USD", "1.2000"}, {"JPY", "120.00"}}},
};

// NBP's mids in zlotys: table A on Wednesday and Friday, table B on
// Wednesday, crossed through the same day's table A.
const QDate kWednesday(2020, 6, 10);
const std::map<QDate, Texts> kNbpA = {
    {kWednesday, {{"CAD", "2.9100"}, {"USD", "3.9600"}}},
    {kFriday, {{"CAD", "2.9000"}, {"USD", "3.9500"}}},
};
const std::map<QDate, Texts> kNbpB = {{kWednesday, {{"ARS", "0.0567"}}}};

// Stores the days under `source` as the readers hand them over: CAD per
// unit (NBP: zlotys), for the ECB its cross (and the euro's CAD quote), with
// the texts and, for NBP, a table number.
void Store(const QString& path, const char* source, const std::map<QDate, Texts>& published) {
    const bool ecb = QLatin1String(source) == QLatin1String(history::kEcb);
    history::Days days;
    history::Quotes quotes;
    for (const auto& [date, texts] : published) {
        const double day = DateValueOf(date);
        DayRecord& record = days[day];
        record.Values.fill(kNotAvailable);
        record.Values[0] = day;
        for (const auto& [code, text] : texts) {
            const int k = ecb && code == "CAD" ? Index("EUR") : Index(code);
            const double cad = ecb ? texts.at("CAD").toDouble() : 1.0;
            if (k != 0)
                record.Values[k] = ecb && code != "CAD" ? cad / text.toDouble() : text.toDouble();
            quotes[day].texts[k] = text;
        }
        if (history::IsNbpSource(QLatin1String(source)))
            quotes[day].table = QByteArray::number(date.day()) + "/" +
                                QByteArray(source + 4).toUpper() + "/NBP/2020";
    }
    history::Store store;
    QVERIFY(store.Open(path).usable());
    QVERIFY(store.Import(QLatin1String(source), days, QStringLiteral("test"), quotes));
}

// Equal as decimals, whatever zeros the tools pad with or drop.
QString Decimal(QString text) {
    if (text.contains('.')) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
    }
    return text;
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        Store(Path("history.sqlite"), history::kBoc, kBank);
        Store(Path("history.sqlite"), history::kEcb, kEcb);
        Store(Path("history.sqlite"), history::kNbpA, kNbpA);
        Store(Path("history.sqlite"), history::kNbpB, kNbpB);
    }

    void toolsValueAWeekendHoldingAtFridaysPrice_data();
    void toolsValueAWeekendHoldingAtFridaysPrice();
    void crossesAreComputedAndMarked_data();
    void crossesAreComputedAndMarked();
    void gnuCashCsvHasTheAssistantsColumns();
    void fillingIsMarked();
    void programFilesAreNeverOverwritten();
    void batchRowsCarryTheirOrigin();
    void datedConversionRules_data();
    void datedConversionRules();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    Run Kestrum(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(KESTRUM_EXECUTABLE),
                      arguments + QStringList{"--data-dir", m_dir->path()});
        return test::Finish(process);
    }
    Run Tool(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(QStandardPaths::findExecutable(program), arguments);
        return test::Finish(process);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void ExportTest::toolsValueAWeekendHoldingAtFridaysPrice_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("value");  // the tool valuing the cash in CAD on its day
    QTest::addColumn<QStringList>("listed"); // the tool listing every price it holds

    // The euro is held too: ledger lists only the prices of held commodities.
    QTest::newRow("ledger") << "ledger" << QStringList{"ledger",      "-f", "%1",  "reg",
                                                       "Assets:Cash", "-X", "CAD", "--historical"}
                            << QStringList{"ledger", "-f", "%1", "pricedb"};
    QTest::newRow("hledger") << "hledger"
                             << QStringList{"hledger",          "-f", "%1", "bal", "assets:cash",
                                            "--value=then,CAD", "-N"}
                             << QStringList{"hledger", "-f", "%1", "prices"};
    QTest::newRow("beancount") << "beancount"
                               << QStringList{"bean-query", "%1",
                                              "SELECT convert(position, 'CAD', 2020-06-13) "
                                              "WHERE account = 'Assets:Cash'"}
                               << QStringList{"bean-report", "%1", "all_prices"};
}

// Each tool reads the file Kestrum wrote, finds Friday's price for the
// Saturday, and reads every price as the text the Bank published.
void ExportTest::toolsValueAWeekendHoldingAtFridaysPrice() {
    QFETCH(QString, format);
    QFETCH(QStringList, value);
    QFETCH(QStringList, listed);
    for (const QString& tool : {value[0], listed[0]})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(tool + " is not installed; scripts/deps.sh installs it."));

    const QString prices = Path("prices." + format);
    const Run run = Kestrum({"history", "export", "--source", "boc", "--format", format, "--from",
                             "2020-06-01", "--to", "2020-06-30", "--output", prices});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    const QString journal = Path("holding." + format);
    const bool beancount = format == "beancount";
    WriteFile(journal, beancount ? QStringLiteral("include \"%1\"\n"
                                                  "2020-01-01 open Assets:Cash\n"
                                                  "2020-01-01 open Assets:Other\n"
                                                  "2020-01-01 open Equity:Open\n"
                                                  "2020-06-13 * \"Holding\"\n"
                                                  "  Assets:Cash  10000 USD\n"
                                                  "  Assets:Other  1 EUR\n  Equity:Open\n")
                                       .arg(prices)
                                       .toUtf8()
                                 : QStringLiteral("include %1\n2020-06-13 Holding\n"
                                                  "    Assets:Cash  10000 USD\n"
                                                  "    Assets:Other  1 EUR\n    Equity\n")
                                       .arg(prices)
                                       .toUtf8());
    if (beancount) {
        const Run check = Tool("bean-check", {journal});
        QVERIFY2(check.code == 0, qPrintable(check.out + check.err));
    }
    const auto withJournal = [&](QStringList command) {
        command.replaceInStrings("%1", journal);
        return Tool(command.takeFirst(), command);
    };
    const Run valued = withJournal(value);
    QVERIFY2(valued.code == 0, qPrintable(valued.err));
    QVERIFY2(valued.out.contains(QRegularExpression("13600(\\.0*)? ?CAD|CAD ?13600")),
             qPrintable(valued.out));

    // Date, commodity and number of every price, from each tool's own
    // listing: "P 2020/06/12 00:00:00 USD CAD1.36", "2020-06-12 price USD
    // 1.3600000000 CAD".
    const Run list = withJournal(listed);
    QVERIFY2(list.code == 0, qPrintable(list.err));
    static const QRegularExpression price(
        "(\\d{4})[-/](\\d\\d)[-/](\\d\\d)\\D.*\\b([A-Z]{3}) +(?:CAD)?([0-9.]+)");
    QStringList read;
    for (const QString& line : list.out.split('\n', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = price.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        read << QStringLiteral("%1-%2-%3 %4 %5")
                    .arg(m.captured(1), m.captured(2), m.captured(3), m.captured(4),
                         Decimal(m.captured(5)));
    }
    QStringList stored;
    for (const auto& [date, texts] : kBank)
        for (const auto& [code, text] : texts)
            stored << date.toString(Qt::ISODate) + ' ' + code + ' ' + Decimal(text);
    read.sort();
    stored.sort();
    QCOMPARE(read, stored);
    // And as written: the published text itself, its zero kept.
    QVERIFY(ReadFile(prices).contains(" USD 1.3600 CAD"));
}

void ExportTest::crossesAreComputedAndMarked_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("price");
    QTest::addColumn<bool>("computed");
    QTest::addColumn<QString>("day"); // and for NBP, its table

    const QString friday = "2020-06-12,";
    QTest::newRow("ECB's euro in CAD: its CAD quote")
        << QStringList{"EUR", "--source", "ecb"} << "EUR"
        << "1.5000" << false << friday;
    QTest::newRow("ECB's USD in CAD: a cross") << QStringList{"USD", "--source", "ecb"} << "USD"
                                               << "1.250000000" << true << friday;
    QTest::newRow("a small cross keeps ten digits and no exponent")
        << QStringList{"JPY", "--source", "ecb"} << "JPY"
        << "0.01250000000" << true << friday;
    QTest::newRow("ECB's euro in USD: its USD quote")
        << QStringList{"EUR", "--source", "ecb", "--against", "USD"} << "EUR"
        << "1.2000" << false << friday;
    QTest::newRow("the Bank's euro in USD: a cross")
        << QStringList{"EUR",    "--source",   "boc",  "--against", "USD",
                       "--from", "2020-06-12", "--to", "2020-06-12"}
        << "EUR"
        << "1.126544118" << true << friday;
    QTest::newRow("NBP's dollar in zlotys: its mid")
        << QStringList{"USD", "--source", "nbp", "--against", "PLN", "--from", "2020-06-12"}
        << "USD"
        << "3.9500" << false << "2020-06-12,12/A/NBP/2020";
    QTest::newRow("NBP's dollar in CAD: through table A's CAD mid")
        << QStringList{"USD", "--source", "nbp", "--from", "2020-06-12"} << "USD"
        << "1.362068966" << true << "2020-06-12,12/A/NBP/2020";
    QTest::newRow("NBP table B in CAD: through that Wednesday's table A")
        << QStringList{"ARS", "--source", "nbp"} << "ARS"
        << "0.01948453608" << true << "2020-06-10,10/B/NBP/2020";
}

// What the file says where a number is not the source's own text, in the
// CSV columns and the JSON origin alike, and in the text formats' comment.
void ExportTest::crossesAreComputedAndMarked() {
    QFETCH(QStringList, options);
    QFETCH(QString, code);
    QFETCH(QString, price);
    QFETCH(bool, computed);
    QFETCH(QString, day);

    const Run csv = Kestrum(QStringList{"history", "export", "--format", "csv"} + options);
    QVERIFY2(csv.code == 0, qPrintable(csv.err));
    const QStringList lines = csv.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], "date,code,against,price,computed,source,kind,day,table");
    const QStringList row = lines[1].split(',');
    QCOMPARE(row.mid(1, 4), (QStringList{code, row[2], price, computed ? "true" : "false"}));
    QCOMPARE(row[6], computed ? "cross" : "published");
    QCOMPARE(row.mid(7).join(','), day);

    const Run json = Kestrum(QStringList{"history", "export", "--format", "json"} + options);
    const QJsonObject entry =
        QJsonDocument::fromJson(json.out.toUtf8())["prices"].toArray().at(0).toObject();
    QCOMPARE(entry["price"].toString(), price);
    QCOMPARE(entry["computed"].toBool(), computed);
    QCOMPARE(entry["originFields"]["kind"].toString(), row[6]);
    QCOMPARE(entry["originFields"]["source"].toString(), row[5]);

    const Run ledger = Kestrum(QStringList{"history", "export", "--format", "ledger"} + options);
    QCOMPARE(ledger.out.contains(price + " " + row[2] + " ; computed"), computed);
}

// The five columns the assistant requires, under the names it gives them.
void ExportTest::gnuCashCsvHasTheAssistantsColumns() {
    const Run run = Kestrum({"history", "export", "USD", "--source", "boc", "--format",
                             "gnucash-csv", "--from", "2020-06-12", "--to", "2020-06-12"});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QCOMPARE(run.out, "Date,Amount,From Namespace,From Symbol,Currency To\n"
                      "2020-06-12,1.3600,CURRENCY,USD,CAD\n");
}

// Without --fill only the source's own figures leave; with it, what filled
// them in says so on each line.
void ExportTest::fillingIsMarked() {
    const QStringList options{"history",  "export",     "ARS",      "XOF",
                              "--source", "boc",        "--format", "hledger",
                              "--from",   "2020-06-11", "--to",     "2020-06-12"};
    QCOMPARE(Kestrum(options).code, 4);
    const Run run = Kestrum(options + QStringList{"--fill"});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QVERIFY2(run.out.startsWith("; Kestrum "), qPrintable(run.out));
    QVERIFY(run.out.section('\n', 0, 0).endsWith(", filled from other sources,"));
    QCOMPARE(run.out.section('\n', 3),
             "P 2020-06-11 ARS 0.01948453608 CAD ; filled from NBP B of 2020-06-10, computed, "
             "table 10/B/NBP/2020\n"
             "P 2020-06-11 XOF 0.002346190375 CAD ; parity 655.957 per EUR, computed\n"
             "P 2020-06-12 ARS 0.01948453608 CAD ; filled from NBP B of 2020-06-10, computed, "
             "table 10/B/NBP/2020\n"
             "P 2020-06-12 XOF 0.002335671393 CAD ; parity 655.957 per EUR, computed\n");
}

void ExportTest::programFilesAreNeverOverwritten() {
    const QByteArray before = ReadFile(Path("history.sqlite"));
    for (const char* name : {"history.sqlite", "kestrumconfig", "rt.dt"}) {
        const Run run = Kestrum({"history", "export", "--output", Path(name)});
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.contains("Kestrum's own files"), qPrintable(run.err));
    }
    QCOMPARE(ReadFile(Path("history.sqlite")), before);
    QVERIFY(!QFile::exists(Path("rt.dt")));
    QCOMPARE(Kestrum({"history", "export", "--output", Path("prices.journal")}).code, 0);
    QVERIFY(ReadFile(Path("prices.journal")).contains("P 2020-06-12 USD 1.3600 CAD"));
}

// The audit columns of a converted file: a published rate, a table B filled
// in, two origins in one row, a parity.
void ExportTest::batchRowsCarryTheirOrigin() {
    WriteFile(Path("rows.csv"),
              "date,amount,currency,target\n2020-06-12,100,USD,EUR\n"
              "2020-06-10,1000,ARS,\n2020-06-12,100,USD,JPY\n2020-06-12,10,XOF,\n");
    const Run run = Kestrum({"convert", "--file", Path("rows.csv"), "--no-fee"});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QCOMPARE(run.out,
             "date,amount,currency,target,rate_date,rate,fee_percent,converted_amount,source,kind,"
             "table,origin\n"
             "2020-06-12,100,USD,EUR,2020-06-12,0.8876705175902357,0,88.7671,boc,published,,"
             "Bank of Canada\n"
             "2020-06-10,1000,ARS,CAD,2020-06-10,0.019484536082474226,0,19.4845,nbp,filled,"
             "10/B/NBP/2020,NBP B (filled)\n"
             "2020-06-12,100,USD,JPY,2020-06-12,108.80000000000001,0,10880.0000,boc;ecb,"
             "published;filled,,Bank of Canada;ECB (filled)\n"
             "2020-06-12,10,XOF,CAD,2020-06-12,0.0023356713930943645,0,0.0234,boc,parity,,"
             "655.957 per EUR\n");
}

void ExportTest::datedConversionRules_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("said"); // the result, or part of the sentence

    const auto row = [](const char* name, const QStringList& options, int code, QString said) {
        QTest::newRow(name) << options << code << said;
    };
    row("a Saturday takes Friday by default", {"--date", "2020-06-13"}, 0, "13600.0000");
    row("previous", {"--date", "2020-06-13", "--rule", "previous"}, 0, "13600.0000");
    row("next takes Monday", {"--date", "2020-06-13", "--rule", "NEXT"}, 0, "13604.0000");
    row("next of a publication day is that day", {"--date", "2020-06-11", "--rule", "next"}, 0,
        "13587.0000");
    row("exact on a publication day", {"--date", "2020-06-12", "--rule", "exact"}, 0, "13600.0000");
    row("exact on a Saturday names the nearest days", {"--date", "2020-06-13", "--rule", "exact"},
        4, "nearest publication days are 2020-06-12 and 2020-06-15");
    row("next beyond the stored days", {"--date", "2020-06-23", "--rule", "next"}, 4,
        "7 days after");
    row("an unknown rule", {"--date", "2020-06-13", "--rule", "nearest"}, 2,
        "previous, next or exact");
    row("a rule without a date", {"--rule", "next"}, 2, "--rule goes with --date");
}

void ExportTest::datedConversionRules() {
    QFETCH(QStringList, options);
    QFETCH(int, code);
    QFETCH(QString, said);
    const Run run = Kestrum(QStringList{"convert", "10000", "USD", "CAD", "--no-fee"} + options);
    QVERIFY2(run.code == code, qPrintable(run.err));
    QVERIFY2((code == 0 ? run.out.trimmed() == said : run.err.contains(said)),
             qPrintable(run.out + run.err));
}

QTEST_GUILESS_MAIN(ExportTest)
#include "export_test.moc"
