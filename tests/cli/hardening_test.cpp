// Hostile files and killed saves, through the real executable.

#include "data/rate_files.h"
#include "data/rate_store.h"
#include "file_bytes.h"
#include "settings/configuration.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace kestrum;

namespace {

const QString kConfig = QStringLiteral("kestrumconfig");
const QString kBackup = QStringLiteral("kestrumconfig.bak");
const QString kRates = QStringLiteral("rt.dt");
constexpr int kUsd = 1;

using test::ReadFile;
using test::WriteFile;

QByteArray SamplePage() {
    return ReadFile(QStringLiteral(KESTRUM_SAMPLE_PAGE));
}

// The sample page with one byte run replaced, which must be on it.
QByteArray Edited(const QByteArray& from, const QByteArray& to) {
    QByteArray page = SamplePage();
    const qsizetype at = page.indexOf(from);
    if (at < 0)
        qFatal("%s is not on the sample page", from.constData());
    return page.replace(at, from.size(), to);
}

// The sample's U.S. dollar line with its five rates replaced.
QByteArray WithUsRates(const QByteArray& rates) {
    return Edited("0.9170 0.9306 0.9391 NA 0.9643", rates);
}

QByteArray RateFileWithUsRate(double rate) {
    RateStore store;
    for (int d = 1; d <= kDayCount; ++d) {
        SetDayDate(store, d, 39393.0 + d);
        for (int k = 1; k < kDayRecordValues; ++k)
            SetDayRate(store, k, d, 0.5);
        // Written around SetDayRate, as a damaged file would hold it.
        store.RateTable[d - 1].Values[kUsd] = rate;
    }
    return EncodeRateFile(store);
}

QByteArray ConfigWith(void (*change)(ConfigRecord&)) {
    ConfigRecord config = DefaultConfig();
    change(config);
    return SerializeConfig(config);
}

// Leftovers of saves that never ended: ".<name>.kestrum-XXXXXX".
QStringList Temporaries(const QDir& dir) {
    return dir.entryList({QStringLiteral(".%1.kestrum-??????").arg(kConfig),
                          QStringLiteral(".%1.kestrum-??????").arg(kRates)},
                         QDir::Files | QDir::Hidden);
}

// Moves a file's times an hour back, beyond any save still running.
bool MakeStale(const QString& path) {
    QFile file(path);
    const QDateTime then = QDateTime::currentDateTime().addSecs(-3600);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(then, QFileDevice::FileModificationTime);
}

} // namespace

class HardeningTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void damagedValuesNeverPrintAsNumbers_data();
    void damagedValuesNeverPrintAsNumbers();
    void nulBytesDoNotCutOutput();
    void hugeFilesAreRefusedUnread();
    void killedImportsLeaveWholeFiles();
    void importOnAFullDiskChangesNeitherFile();
    void concurrentImportsReportTheirOwnDays();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    QProcess* Start(const QStringList& arguments) {
        auto* process = new QProcess(this);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(KESTRUM_EXECUTABLE),
                       arguments + QStringList{QStringLiteral("--data-dir"), m_dir->path()});
        return process;
    }
    // Exit code, or -1 when the program crashed or hung.
    int Run(const QStringList& arguments, QByteArray* output = nullptr) {
        QProcess* process = Start(arguments);
        const bool finished = process->waitForFinished(60000);
        if (output)
            *output = process->readAllStandardOutput() + process->readAllStandardError();
        const int code =
            finished && process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
        delete process;
        return code;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void HardeningTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

// Every damaged value is "no value": refused, "NA" or the default, never
// "nan", "inf", a negative amount or the calendar's day zero.
void HardeningTest::damagedValuesNeverPrintAsNumbers_data() {
    QTest::addColumn<QByteArray>("page");   // imported first when set
    QTest::addColumn<QByteArray>("rates");  // else written as rt.dt
    QTest::addColumn<QByteArray>("config"); // written when set
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("code");

    const QByteArray none;
    const QStringList usdToCad{"convert", "100", "USD", "CAD"};
    const QStringList usGrid{"rates", "--against", "USD"};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double subnormal = std::numeric_limits<double>::denorm_min();

    QTest::newRow("page rate -5") << WithUsRates("-5.0 -5.0 -5.0 -5.0 -5.0") << none << none
                                  << usdToCad << 4;
    QTest::newRow("page rate 0.00")
        << WithUsRates("0.00 0.00 0.00 0.00 0.00") << none << none << usGrid << 0;
    QTest::newRow("page subnormal rate")
        << WithUsRates("1.0e-320 1.0e-320 1.0e-320 1.0e-320 1.0e-320") << none << none << usdToCad
        << 4;
    QTest::newRow("page with no valid date")
        << Edited("07/11/07 07/11/08 07/11/09 07/11/12 07/11/13",
                  "07/13/07 NA 0/0/0 x/y/z 07/02/30")
        << none << none << usdToCad << 5;
    QTest::newRow("page, impossible date order")
        << SamplePage() << none
        << ConfigWith([](ConfigRecord& c) { c.YearPosition = c.MonthPosition = c.DayPosition = 2; })
        << QStringList{"rates"} << 0;
    QTest::newRow("rt.dt all zeros")
        << none << QByteArray(5 * 56 * 8, '\0') << none << QStringList{"rates"} << 0;
    QTest::newRow("rt.dt NaN rate") << none << RateFileWithUsRate(nan) << none << usdToCad << 4;
    QTest::newRow("rt.dt inf rate") << none << RateFileWithUsRate(inf) << none << usGrid << 0;
    QTest::newRow("rt.dt -inf rate") << none << RateFileWithUsRate(-inf) << none << usdToCad << 4;
    QTest::newRow("rt.dt subnormal rate")
        << none << RateFileWithUsRate(subnormal) << none << QStringList{"list"} << 0;
    QTest::newRow("rt.dt huge rate, long amount")
        << none << RateFileWithUsRate(1e300) << none
        << QStringList{"convert", QString(32, QLatin1Char('9')), "USD", "CAD"} << 2;
    QTest::newRow("record fee 150 %")
        << none << RateFileWithUsRate(1.25) << ConfigWith([](ConfigRecord& c) { c.CashRate = 150; })
        << QStringList{"convert", "100", "USD", "CAD", "--verbose"} << 0;
    QTest::newRow("record NaN fee")
        << none << RateFileWithUsRate(1.25)
        << ConfigWith([](ConfigRecord& c) { c.CashRate = std::nan(""); }) << usGrid << 0;
}

void HardeningTest::damagedValuesNeverPrintAsNumbers() {
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, rates);
    QFETCH(QByteArray, config);
    QFETCH(QStringList, command);
    QFETCH(int, code);

    if (!config.isEmpty())
        WriteFile(Path(kConfig), config);
    if (!rates.isEmpty())
        WriteFile(Path(kRates), rates);
    if (!page.isEmpty()) {
        WriteFile(Path("page.html"), page);
        const int imported = Run({"import", Path("page.html")});
        // A page without a valid date is refused and no rate file appears.
        QCOMPARE(imported, code == 5 ? 6 : 0);
    }
    QByteArray output;
    QCOMPARE(Run(command, &output), code);
    const QString text = QString::fromUtf8(output);
    static const QRegularExpression notANumber(QStringLiteral("\\b(nan|inf)\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression negative(QStringLiteral("(^|\\s)-[0-9]"));
    QVERIFY2(!notANumber.match(text).hasMatch(), qPrintable(text));
    QVERIFY2(!negative.match(text).hasMatch(), qPrintable(text));
    QVERIFY2(!text.contains(QLatin1String("1899")) && !text.contains(QLatin1String("Dec 29")) &&
                 !text.contains(QLatin1String("Dec 30")),
             qPrintable(text));
    if (QTest::currentDataTag() == QLatin1String("record fee 150 %"))
        QVERIFY2(text.startsWith(QLatin1String("100 USD (U.S. Dollar) = 120.0000")),
                 qPrintable(text));
}

void HardeningTest::nulBytesDoNotCutOutput() {
    WriteFile(Path(kRates), RateFileWithUsRate(1.25));
    WriteFile(Path("clist.dt"),
              QByteArray("address\nU.S.\0Dollar\nDollar US\nArgentine Peso\n", 45));
    for (const QStringList& command : {QStringList{"list"}, QStringList{"rates"}}) {
        QByteArray output;
        QCOMPARE(Run(command, &output), 0);
        QVERIFY2(output.contains(QByteArray("U.S.\0Dollar", 11)), output.constData());
        // The table goes on to the last currency after the NUL.
        QVERIFY2(output.contains("Argentine Peso"), output.constData());
    }
}

void HardeningTest::hugeFilesAreRefusedUnread() {
    QFile sparse(Path("huge.html"));
    QVERIFY(sparse.open(QIODevice::WriteOnly));
    QVERIFY(sparse.resize(33 * 1024 * 1024));
    sparse.close();
    for (const QString& file : {QStringLiteral("/dev/zero"), Path("huge.html")}) {
        QByteArray output;
        QCOMPARE(Run({"import", file}, &output), 5);
        QVERIFY2(output.contains("larger than 33554432 bytes"), output.constData());
    }
    QVERIFY(!QFile::exists(Path(kRates)));

    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), Path("clist.dt")));
    QByteArray output;
    QCOMPARE(Run({"list"}, &output), 5);
    QVERIFY2(output.contains("not a regular file"), output.constData());
}

// SIGKILLs at random moments of imports that alternate between two pages:
// after every kill each file is whole, old or new, and never missing.
void HardeningTest::killedImportsLeaveWholeFiles() {
    const QString pages[] = {Path("a.html"), Path("b.html")};
    WriteFile(pages[0], SamplePage());
    WriteFile(pages[1], Edited("07/11/12 07/11/13", "07/11/12 07/11/14"));
    WriteFile(Path(kConfig), SerializeConfig(DefaultConfig()));

    // The versions each file may hold, and how long an import takes.
    QSet<QByteArray> configs{ReadFile(Path(kConfig))};
    QSet<QByteArray> rateFiles;
    qint64 runNs = std::numeric_limits<qint64>::max();
    for (int i = 0; i < 4; ++i) {
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(Run({"import", pages[i % 2]}), 0);
        runNs = std::min(runNs, clock.nsecsElapsed());
        configs << ReadFile(Path(kConfig));
        rateFiles << ReadFile(Path(kRates));
    }
    QCOMPARE(configs.size(), 3); // the first one, and one per page
    QCOMPARE(rateFiles.size(), 2);

    constexpr int kKills = 200;
    QRandomGenerator random(20071113);
    int killed = 0;
    int runs = 0;
    int temporariesSeen = 0;
    double window = double(runNs);
    for (int i = 0; killed < kKills && i < 2 * kKills; ++i, ++runs) {
        QProcess* process = Start({"import", pages[i % 2]});
        QVERIFY(process->waitForStarted());
        const double delayNs = window * (50 + random.bounded(60)) / 100.0;
        QThread::usleep(static_cast<unsigned long>(delayNs / 1000));
        process->kill();
        QVERIFY(process->waitForFinished(10000));
        const bool wasKilled = process->exitStatus() == QProcess::CrashExit;
        delete process;
        // A run that ended first moves the moments earlier, a kill later, so
        // they gather around the end of a run, where the saves are.
        killed += wasKilled;
        window *= wasKilled ? 1.03 : 0.85;

        const QString step = QStringLiteral("kill %1").arg(i);
        QVERIFY2(configs.contains(ReadFile(Path(kConfig))), qPrintable(step));
        QVERIFY2(rateFiles.contains(ReadFile(Path(kRates))), qPrintable(step));
        if (QFile::exists(Path(kBackup)))
            QVERIFY2(configs.contains(ReadFile(Path(kBackup))), qPrintable(step));
        temporariesSeen += static_cast<int>(Temporaries(QDir(m_dir->path())).size());
    }
    qInfo("%d of %d runs killed (a run takes %lld us, the last moment %.0f us); %d leftover "
          "temporaries seen",
          killed, runs, runNs / 1000, window / 1000, temporariesSeen);
    QVERIFY(killed >= kKills);

    // The next whole save sweeps up what the kills left, or would have left,
    // once it is old enough not to be a save in progress.
    WriteFile(Path("." + kRates + ".kestrum-Ab12Cd"), EncodeRateFile(RateStore()));
    WriteFile(Path("." + kConfig + ".kestrum-Ef34Gh"), SerializeConfig(DefaultConfig()));
    for (const QString& name : Temporaries(QDir(m_dir->path())))
        QVERIFY(MakeStale(Path(name)));
    QCOMPARE(Run({"import", pages[0]}), 0);
    QCOMPARE(Temporaries(QDir(m_dir->path())), QStringList());
    QCOMPARE(ReadFile(Path(kBackup)).size(), kConfigRecordSize);
}

// With one page of a small file system left, an import writes "rt.dt", then
// cannot write the record: "rt.dt" must go back to its old bytes, which a
// rewrite could not do without space, so the pair never disagrees.
void HardeningTest::importOnAFullDiskChangesNeitherFile() {
    WriteFile(Path("a.html"), SamplePage());
    WriteFile(Path("b.html"), Edited("07/11/12 07/11/13", "07/11/12 07/11/14"));
    // A private mount namespace: the small file system is seen by this run only.
    const char* script = R"sh(
        set -e
        mount -t tmpfs -o size=128k tmpfs "$D"
        mkdir "$D/history.sqlite" # no history: its pages would change the count
        "$K" source boc --data-dir "$D" >/dev/null
        "$K" import "$A" --data-dir "$D" >/dev/null
        cp "$D/rt.dt" "$D/kestrumconfig" "$O"
        rm "$D/kestrumconfig.bak" # else its page would be freed for the record
        dd if=/dev/zero of="$D/filler" bs=4096 2>/dev/null || true
        truncate -s -4096 "$D/filler"
        set +e
        "$K" import "$B" --data-dir "$D"
        echo "exit $?"
        cmp "$D/rt.dt" "$O/rt.dt" && cmp "$D/kestrumconfig" "$O/kestrumconfig" && echo unchanged
        ls -a "$D"
    )sh";
    QTemporaryDir mountPoint;
    QTemporaryDir outside;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("K", QStringLiteral(KESTRUM_EXECUTABLE));
    environment.insert("D", mountPoint.path());
    environment.insert("O", outside.path());
    environment.insert("A", Path("a.html"));
    environment.insert("B", Path("b.html"));
    QProcess shell;
    shell.setProcessEnvironment(environment);
    shell.start("unshare", {"-m", "--propagation", "private", "/bin/sh", "-c", script});
    QVERIFY(shell.waitForFinished(60000));
    const QByteArray said = shell.readAllStandardOutput() + shell.readAllStandardError();
    if (said.contains("mount: ") || said.contains("unshare: "))
        QSKIP(qPrintable("no private mount here: " + said));
    QVERIFY2(said.contains("exit 5\nunchanged\n"), said.constData());
    QVERIFY2(said.contains("kestrumconfig"), said.constData());
    QVERIFY2(!said.contains(".kestrum-"), said.constData()); // no second name left
}

// Two imports at once each say which days they brought, not the other's.
void HardeningTest::concurrentImportsReportTheirOwnDays() {
    const QByteArray pages[] = {SamplePage(), Edited("07/11/12 07/11/13", "07/11/12 07/11/14")};
    const char* latest[] = {"November 13, 2007", "November 14, 2007"};
    WriteFile(Path("a.html"), pages[0]);
    WriteFile(Path("b.html"), pages[1]);
    QCOMPARE(Run({"source", "boc"}), 0);
    for (int round = 0; round < 12; ++round) {
        QProcess* imports[] = {Start({"import", Path("a.html")}),
                               Start({"import", Path("b.html")})};
        for (int i = 0; i < 2; ++i) {
            QVERIFY(imports[i]->waitForFinished(30000));
            const QByteArray said =
                imports[i]->readAllStandardOutput() + imports[i]->readAllStandardError();
            // The older page, coming second, keeps the newer days in use and
            // names its own.
            const bool own =
                said.contains(latest[i]) ||
                (i == 0 && said.contains("to 2007-11-13 to the rate history; the rates "
                                         "in use stay those of 2007-11-14"));
            QVERIFY2(imports[i]->exitCode() == 0 && own,
                     qPrintable(QStringLiteral("round %1: %2").arg(round).arg(QString(said))));
            delete imports[i];
        }
    }
}

QTEST_GUILESS_MAIN(HardeningTest)
#include "hardening_test.moc"
