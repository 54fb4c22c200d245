// `kestrum chart` as a process, without a display.
#include "cli/modules.h"
#include "data/dates.h"
#include "history/history_store.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <csignal>
#include <dlfcn.h>
#include <functional>
#include <sys/resource.h>

using namespace kestrum;

namespace {
// A PNG's size from its header: width and height follow "IHDR", big-endian.
QSize PngSize(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(24);
    if (head.size() < 24 || !head.startsWith("\x89PNG") || head.mid(12, 4) != "IHDR")
        return {};
    return QSize(qFromBigEndian<qint32>(head.constData() + 16),
                 qFromBigEndian<qint32>(head.constData() + 20));
}
} // namespace

class ChartCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void drawsOrSaysWhyNot_data();
    void drawsOrSaysWhyNot();
    void graphsModuleOffersTheEntriesLookedUp();
    void replacesItsFileWholeOrNotAtAll();
    void drawsWhenNoThreadCanStart();

private:
    // `chart USD CAD` into `output`, with `limit` applied to the process.
    struct Chart {
        int code = -1;
        QString err;
    };
    Chart Draw(const QString& output, std::function<void()> limit = {}) {
        QProcess process;
        if (limit)
            process.setChildProcessModifier(limit);
        process.start(QStringLiteral(KESTRUM_EXECUTABLE),
                      {"chart", "USD", "CAD", "--source", "ecb", "--range", "all", "--output",
                       output, "--data-dir", m_dir.path()});
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return {};
        }
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir m_dir;
};

void ChartCommandTest::initTestCase() {
    // Ten years of ECB days, every day a weekday or not.
    history::Days days;
    const int first = static_cast<int>(DateValueFromYmd(2016, 1, 4));
    const int last = static_cast<int>(DateValueFromYmd(2026, 12, 4));
    for (int day = first; day <= last; ++day) {
        DayRecord& record = days[day];
        record.Values.fill(-1.0);
        record.Values[0] = day;
        record.Values[1] = 1.3 + (day % 50) / 1000.0;
    }
    history::Store store;
    QVERIFY(store.Open(m_dir.filePath(QStringLiteral("history.sqlite"))).usable());
    QVERIFY(store.Import(QLatin1String(history::kEcb), days, QStringLiteral("test")).ok);
}

void ChartCommandTest::drawsOrSaysWhyNot_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QSize>("size");    // of the picture when the code is 0
    QTest::addColumn<QString>("error"); // a part of the sentence otherwise

    const QStringList pair{"chart", "USD", "CAD", "--source", "ecb", "--output", "c.png"};
    QTest::newRow("ten years") << pair + QStringList{"--range", "10y", "--size", "640x360"} << 0
                               << QSize(640, 360) << QString();
    QTest::newRow("dates") << pair + QStringList{"--from", "2020-02-29", "--to", "2020-03-31"} << 0
                           << QSize(900, 500) << QString();
    QTest::newRow("no day in range")
        << pair + QStringList{"--from", "2027-01-01"} << 4 << QSize() << "history fetch";
    QTest::newRow("one day") << pair + QStringList{"--from", "2020-03-02", "--to", "2020-03-02"}
                             << 4 << QSize() << "too little to draw";
    QTest::newRow("other source") << QStringList{"chart", "USD",      "CAD",  "--source",
                                                 "boc",   "--output", "c.png"}
                                  << 4 << QSize() << "Bank of Canada";
    QTest::newRow("no output") << QStringList{"chart", "USD", "CAD"} << 2 << QSize() << "--output";
    QTest::newRow("range and dates") << pair + QStringList{"--range", "1y", "--from", "2020-01-01"}
                                     << 2 << QSize() << "not both";
    QTest::newRow("bad range") << pair + QStringList{"--range", "2y"} << 2 << QSize() << "range";
    QTest::newRow("bad date") << pair + QStringList{"--to", "2020-02-30"} << 2 << QSize()
                              << "2020-02-30";
    QTest::newRow("bad size") << pair + QStringList{"--size", "20x20"} << 2 << QSize() << "20x20";
    QTest::newRow("unknown currency")
        << QStringList{"chart", "XXX", "CAD", "--output", "c.png"} << 3 << QSize() << "XXX";
}

void ChartCommandTest::drawsOrSaysWhyNot() {
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QSize, size);
    QFETCH(QString, error);
    const QString output = m_dir.filePath(QStringLiteral("c.png"));
    QFile::remove(output);
    arguments.replaceInStrings(QStringLiteral("c.png"), output);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // No display at all: the command draws offscreen whatever the platform says.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KESTRUM_EXECUTABLE),
                  arguments + QStringList{QStringLiteral("--data-dir"), m_dir.path()});
    QVERIFY(process.waitForFinished(60000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitCode(), code);
    if (code == 0) {
        QCOMPARE(err, QString());
        QCOMPARE(PngSize(output), size);
    } else {
        QVERIFY2(err.contains(error), qPrintable(err));
        QCOMPARE(err.count(QLatin1Char('\n')), 1);
        QVERIFY(!QFile::exists(output));
    }
}

// The window and `chart` find the module's entries by name; the module loads
// with the window module it links, from beside itself.
void ChartCommandTest::graphsModuleOffersTheEntriesLookedUp() {
    void* module = dlopen(KESTRUM_GRAPHS_MODULE, RTLD_LAZY | RTLD_LOCAL);
    QVERIFY2(module, dlerror());
    for (const char* entry : {kGraphsWindowEntry, kRenderChartEntry})
        QVERIFY2(dlsym(module, entry), entry);
}

// A write that fails half-way (here: past 40 kB, beyond the store's own
// files) leaves the old picture.
void ChartCommandTest::replacesItsFileWholeOrNotAtAll() {
    const QString output = m_dir.filePath(QStringLiteral("kept.png"));
    QFile file(output);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray before(100, 'k');
    file.write(before);
    file.close();
    const Chart failed = Draw(output, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{40000, 40000};
        setrlimit(RLIMIT_FSIZE, &small);
    });
    QCOMPARE(failed.code, 5);
    QCOMPARE(failed.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(failed.err.contains(output) && !failed.err.contains(QLatin1String("libpng")),
             qPrintable(failed.err));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    file.close();
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Hidden | QDir::Files).filter("kept.png").size(), 1);
    QCOMPARE(Draw(output).code, 0);
    QCOMPARE(PngSize(output), QSize(900, 500));
}

// Thread stacks of the size of the stack limit cannot be mapped under the
// address-space limit, so no thread starts; one picture needs none.
void ChartCommandTest::drawsWhenNoThreadCanStart() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    QSKIP("the sanitizers reserve more address space than the limit leaves");
#endif
    const QString output = m_dir.filePath(QStringLiteral("threadless.png"));
    const Chart chart = Draw(output, [] {
        const rlimit stack{3ULL << 30, 3ULL << 30};
        const rlimit space{2ULL << 30, 2ULL << 30};
        setrlimit(RLIMIT_STACK, &stack);
        setrlimit(RLIMIT_AS, &space);
    });
    QVERIFY2(chart.code == 0, qPrintable(chart.err));
    QCOMPARE(PngSize(output), QSize(900, 500));
}

QTEST_GUILESS_MAIN(ChartCommandTest)
#include "chart_command_test.moc"
