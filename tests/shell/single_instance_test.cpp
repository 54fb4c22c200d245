// Starts real copies of the window, offscreen, each over its own data
// directory and all sharing one runtime directory for their markers.

#include "settings/configuration.h"
#include "shell/single_instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

using namespace kestrum;

namespace {

const QString kForwardLine = QStringLiteral("brought the window forward");
constexpr int kStartMs = 30000;

class Copy {
public:
    Copy(const QString& program, const QString& dataDir, const QString& runtimeDir) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
        environment.insert(QStringLiteral("KESTRUM_REPORT_FORWARD"), QStringLiteral("1"));
        m_process.setProcessEnvironment(environment);
        m_process.start(program, {QStringLiteral("--data-dir"), dataDir});
    }
    ~Copy() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    QProcess& Process() { return m_process; }
    // Everything written to standard error so far.
    QString Errors() {
        m_errors += QString::fromUtf8(m_process.readAllStandardError());
        return m_errors;
    }

private:
    QProcess m_process;
    QString m_errors;
};

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void nameIsTheUpperCaseFileName_data();
    void nameIsTheUpperCaseFileName();
    void laterStartOfTheSameProgram_data();
    void laterStartOfTheSameProgram();
    void startAfterTheFirstCopyWasKilled();

private:
    // A data directory with the starter rates and settings that never
    // download, so a copy opens without a message box and stays local.
    QString DataDir(const QString& name) {
        const QString dir = m_dirs.path() + QLatin1Char('/') + name;
        QDir().mkpath(dir);
        const QString starter =
            QFileInfo(QStringLiteral(KESTRUM_EXECUTABLE)).absolutePath() + QStringLiteral("/rt.dt");
        QFile::copy(starter, dir + QStringLiteral("/rt.dt"));
        ConfigRecord config = DefaultConfig();
        config.AutoDownload = 0;
        config.RatePageAddress = "http://127.0.0.1:1/rates.html";
        QFile file(dir + QStringLiteral("/kestrumconfig"));
        if (!file.open(QIODevice::WriteOnly) || file.write(SerializeConfig(config)) <= 0)
            qFatal("cannot write the settings of %s", qPrintable(dir));
        return dir;
    }
    // A link to the executable under another path.
    QString Link(const QString& path) {
        const QString link = m_dirs.path() + QLatin1Char('/') + path;
        QDir().mkpath(QFileInfo(link).absolutePath());
        if (!QFile::link(QStringLiteral(KESTRUM_EXECUTABLE), link))
            qFatal("cannot link %s", qPrintable(link));
        return link;
    }
    std::unique_ptr<Copy> Start(const QString& program, const QString& dataDir) {
        return std::make_unique<Copy>(program, dataDir, m_runtime->path());
    }
    // The start-up work saves the settings, which moves the old file aside.
    static bool StartedUp(const QString& dataDir) {
        return QFile::exists(dataDir + QStringLiteral("/kestrumconfig.bak"));
    }

    QTemporaryDir m_dirs;
    std::unique_ptr<QTemporaryDir> m_runtime;
};

void SingleInstanceTest::init() {
    m_runtime = std::make_unique<QTemporaryDir>();
    QVERIFY(m_runtime->isValid());
}

void SingleInstanceTest::nameIsTheUpperCaseFileName_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("path") << "/usr/bin/kestrum"
                          << "KESTRUM";
    QTest::newRow("mixed case") << "Kestrum"
                                << "KESTRUM";
    QTest::newRow("other name") << "/opt/k/kestrum2"
                                << "KESTRUM2";
    QTest::newRow("suffix kept") << "calc.exe"
                                 << "CALC.EXE";
}

void SingleInstanceTest::nameIsTheUpperCaseFileName() {
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(InstanceName(path), name);
}

void SingleInstanceTest::laterStartOfTheSameProgram_data() {
    QTest::addColumn<QString>("second"); // link path, empty for the executable itself
    QTest::addColumn<bool>("forwards");
    QTest::newRow("same executable") << QString() << true;
    QTest::newRow("same name, other folder") << "elsewhere/kestrum" << true;
    QTest::newRow("name in upper case") << "upper/KESTRUM" << true;
    QTest::newRow("other name") << "other/kestrum2" << false;
}

void SingleInstanceTest::laterStartOfTheSameProgram() {
    QFETCH(QString, second);
    QFETCH(bool, forwards);
    const QString firstDir = DataDir(QStringLiteral("first-") + QTest::currentDataTag());
    const QString secondDir = DataDir(QStringLiteral("second-") + QTest::currentDataTag());
    const QByteArray secondConfig = [&] {
        QFile file(secondDir + QStringLiteral("/kestrumconfig"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();

    auto first = Start(QStringLiteral(KESTRUM_EXECUTABLE), firstDir);
    QTRY_VERIFY_WITH_TIMEOUT(StartedUp(firstDir), kStartMs);
    auto later =
        Start(second.isEmpty() ? QStringLiteral(KESTRUM_EXECUTABLE) : Link(second), secondDir);

    if (forwards) {
        QVERIFY(later->Process().waitForFinished(kStartMs));
        QCOMPARE(later->Process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(later->Process().exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(first->Errors().contains(kForwardLine), kStartMs);
        // It ended before its start-up work: its files are as they were.
        QVERIFY(!StartedUp(secondDir));
        QFile file(secondDir + QStringLiteral("/kestrumconfig"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), secondConfig);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(StartedUp(secondDir), kStartMs);
        QCOMPARE(later->Process().state(), QProcess::Running);
        QVERIFY(!first->Errors().contains(kForwardLine));
    }
    QCOMPARE(first->Process().state(), QProcess::Running);
}

void SingleInstanceTest::startAfterTheFirstCopyWasKilled() {
    const QString dir = DataDir(QStringLiteral("killed"));
    auto first = Start(QStringLiteral(KESTRUM_EXECUTABLE), dir);
    QTRY_VERIFY_WITH_TIMEOUT(StartedUp(dir), kStartMs);
    first->Process().kill(); // SIGKILL: nothing of it runs to clean up
    QVERIFY(first->Process().waitForFinished(kStartMs));

    const QString nextDir = DataDir(QStringLiteral("next"));
    auto next = Start(QStringLiteral(KESTRUM_EXECUTABLE), nextDir);
    QTRY_VERIFY_WITH_TIMEOUT(StartedUp(nextDir), kStartMs);
    QCOMPARE(next->Process().state(), QProcess::Running);

    // The new copy owns the marker: the one after it brings it forward.
    auto third = Start(QStringLiteral(KESTRUM_EXECUTABLE), DataDir(QStringLiteral("third")));
    QVERIFY(third->Process().waitForFinished(kStartMs));
    QCOMPARE(third->Process().exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(next->Errors().contains(kForwardLine), kStartMs);
}

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
