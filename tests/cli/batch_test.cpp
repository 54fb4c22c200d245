// convert --file through the real executable: line ends, separators, the
// columns written, cells a spreadsheet would run, and all or nothing.

#include "file_bytes.h"
#include "process_run.h"

#include <QDate>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrum;
using test::WriteFile;

namespace {

using Run = test::ProcessRun;

// The Bank's answer for the weekdays of February 2020: USD 1.3 + day/1000,
// EUR 1.45.
QByteArray ValetFebruary() {
    QByteArray json = R"({"observations":[)";
    for (QDate day(2020, 2, 1); day.month() == 2; day = day.addDays(1)) {
        if (day.dayOfWeek() > 5)
            continue;
        if (!json.endsWith('['))
            json += ',';
        json += QStringLiteral(R"({"d":"%1","FXUSDCAD":{"v":"%2"},"FXEURCAD":{"v":"1.45"}})")
                    .arg(day.toString(Qt::ISODate))
                    .arg(1.3 + day.day() / 1000.0, 0, 'f', 4)
                    .toUtf8();
    }
    return json + "]}";
}

} // namespace

class BatchTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        WriteFile(Path("valet.json"), ValetFebruary());
        QCOMPARE(Kestrum({"import", Path("valet.json")}).code, 0);
    }
    void files_data();
    void files();
    void cellsReadBackAsWrittenBySpreadsheetRules();
    void aFaultAfterManyRowsWritesNothing();

private:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    Run Kestrum(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(KESTRUM_EXECUTABLE),
                      arguments + QStringList{"--data-dir", m_dir.path()});
        return test::Finish(process);
    }
    Run Convert(const QByteArray& csv, const QStringList& options = {}) {
        WriteFile(Path("rows.csv"), csv);
        return Kestrum(QStringList{"convert", "--file", Path("rows.csv")} + options);
    }

    QTemporaryDir m_dir;
};

void BatchTest::files_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("expected"); // standard output when 0, else part of the error

    const QString header = "date,amount,currency,target,rate_date,rate,fee_percent,"
                           "converted_amount,source,kind,table,origin\n";
    // The published 1.303 stays 1.303 beside the fee: no 1.2508799999999999.
    const QString usd =
        "2020-02-03,100,USD,CAD,2020-02-03,1.303,4,125.0880,boc,published,,Bank of Canada\n";
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const QByteArray e(end);
        QTest::addRow("lines ended by %s", e == "\n"   ? "LF"
                                           : e == "\r" ? "CR"
                                                       : "CR LF")
            << "date,amount,currency" + e + "2020-02-03,100,USD" + e + "2020-02-04,1,EUR,USD" + e
            << QStringList{"--fee", "4"} << 0
            << header + usd +
                   "2020-02-04,1,EUR,USD,2020-02-04,1.111963190184049,4,1.0675,boc,published,,Bank "
                   "of Canada\n";
    }
    QTest::newRow("empty target column: the default target")
        << QByteArray("2020-02-03,100,USD,\n") << QStringList{"--no-fee", "--to", "EUR"} << 0
        << header + "2020-02-03,100,USD,EUR,2020-02-03,0.8986206896551724,0,89.8621,boc,published,,"
                    "Bank of Canada\n";
    QTest::newRow("a header with semicolons keeps them")
        << QByteArray("Date;Amount;Currency\n2020-02-03;\"1,000\";USD\n") << QStringList{"--no-fee"}
        << 0
        << "Date;Amount;Currency;target;rate_date;rate;fee_percent;converted_amount;source;kind;"
           "table;origin\n"
           "2020-02-03;1,000;USD;CAD;2020-02-03;1.303;0;1303.0000;boc;published;;Bank of Canada\n";
    QTest::newRow("semicolons without a header, said once")
        << QByteArray("2020-02-03;100;USD\n2020-02-04;1;USD\n") << QStringList{} << 2
        << "rows.csv:1: The rows are separated by semicolons";
    QTest::newRow("a decimal comma")
        << QByteArray("2020-02-03,\"1,5\",USD\n") << QStringList{} << 2
        << "\"1,5\" is not a valid amount: a comma only groups thousands (1,000); use a point "
           "for decimals (1.5).";
    // Saturday, February 8: Friday's 1.307 or Monday's 1.310.
    QTest::newRow("a rule column, and --rule for the rows naming none")
        << QByteArray("date,amount,currency,Rule\n2020-02-08,100,USD,previous\n"
                      "2020-02-08,100,USD,\n")
        << QStringList{"--no-fee", "--rule", "next"} << 0
        << "date,amount,currency,Rule,target,rate_date,rate,fee_percent,converted_amount,source,"
           "kind,table,origin\n"
           "2020-02-08,100,USD,previous,CAD,2020-02-07,1.307,0,130.7000,boc,published,,Bank of "
           "Canada\n2020-02-08,100,USD,next,CAD,2020-02-10,1.31,0,131.0000,boc,published,,Bank "
           "of Canada\n";
    QTest::newRow("exact on a day without publication")
        << QByteArray("date,amount,currency,target,rule\n2020-02-07,1,USD,,exact\n"
                      "2020-02-08,1,USD,,exact\n")
        << QStringList{} << 4
        << "rows.csv:3: The Bank of Canada published no rates on Saturday, February 8, 2020; the "
           "nearest publication days are 2020-02-07 and 2020-02-10.";
    QTest::newRow("an unknown rule")
        << QByteArray("date,amount,currency,rule\n2020-02-07,1,USD,last\n") << QStringList{} << 2
        << "rows.csv:2: The rule takes previous, next or exact";
    QTest::newRow("a header and no row")
        << QByteArray("date,amount,currency\r\n\r\n") << QStringList{} << 2 << "holds no data row";
    QTest::newRow("an empty file") << QByteArray() << QStringList{} << 2 << "holds no data row";
    QTest::newRow("verbose") << QByteArray("2020-02-03,100,USD\n") << QStringList{"--verbose"} << 2
                             << "--verbose does not go with --file";
}

void BatchTest::files() {
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, options);
    QFETCH(int, code);
    QFETCH(QString, expected);
    const Run run = Convert(csv, options);
    QVERIFY2(run.code == code, qPrintable(run.err));
    if (code == 0) {
        QCOMPARE(run.out, expected);
        QCOMPARE(run.err, QString());
    } else {
        QVERIFY2(run.err.count(expected) == 1 && run.err.count(u'\n') == 1, qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
}

// Python's csv module reads what a spreadsheet would: each cell back whole,
// the formula-like ones behind a quote mark.
void BatchTest::cellsReadBackAsWrittenBySpreadsheetRules() {
    const Run run = Convert("date,=cmd|' /C calc'!A0,@SUM(1+1),\"+x,y\"\n"
                            "2020-02-03,100,\tUSD,\"\rCAD\"\n"
                            "2020-02-04,\"-1\",USD,CAD\n",
                            {"--no-fee"});
    QVERIFY2(run.code == 2 && run.err.contains("rows.csv:4: \"-1\" is not a valid amount"),
             qPrintable(run.err));
    const Run good = Convert("date,=cmd|' /C calc'!A0,@SUM(1+1),\"+x,y\"\n"
                             "2020-02-03,100,\tUSD,\"\rCAD\"\n",
                             {"--no-fee"});
    QCOMPARE(good.code, 0);
    QProcess python;
    python.start("python3", {"-c", "import csv, sys, json\n"
                                   "print(json.dumps(list(csv.reader(sys.stdin))))"});
    python.write(good.out.toUtf8());
    python.closeWriteChannel();
    const Run read = test::Finish(python);
    QCOMPARE(read.code, 0);
    const char* expected =
        "[[\"date\", \"'=cmd|' /C calc'!A0\", \"'@SUM(1+1)\", \"'+x,y\", \"rate_date\", "
        "\"rate\", \"fee_percent\", \"converted_amount\", \"source\", \"kind\", \"table\", "
        "\"origin\"], [\"2020-02-03\", "
        "\"100\", \"'\\tUSD\", \"'\\rCAD\", \"2020-02-03\", \"1.303\", \"0\", "
        "\"130.3000\", \"boc\", \"published\", \"\", \"Bank of Canada\"]]";
    QCOMPARE(read.out.trimmed(), QString::fromLatin1(expected));
}

// Rows are written as they are converted, past what one write holds; a fault
// in the last row must still leave standard output empty.
void BatchTest::aFaultAfterManyRowsWritesNothing() {
    QByteArray csv;
    for (int i = 0; i < 20000; ++i)
        csv += "2020-02-03,100,USD\n";
    const Run good = Convert(csv);
    QCOMPARE(good.code, 0);
    QCOMPARE(good.out.count('\n'), 20001);
    const Run bad = Convert(csv + "2020-01-03,100,USD\n");
    QCOMPARE(bad.code, 4);
    QCOMPARE(bad.out, QString());
    QVERIFY2(bad.err.startsWith(Path("rows.csv") + ":20001: No rate of"), qPrintable(bad.err));
}

QTEST_GUILESS_MAIN(BatchTest)
#include "batch_test.moc"
