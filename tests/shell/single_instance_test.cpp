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
#include <optional>

using namespace kestrum;

namespace {

const QString kExecutable = QStringLiteral(KESTRUM_EXECUTABLE);
constexpr int kWaitMs = 30000;

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A running copy; its standard error goes to a file beside its data.
struct Copy {
    QProcess process;
    QString errors;
    ~Copy() {
        process.kill();
        process.waitForFinished();
    }
    bool BroughtForward() const { return ReadFile(errors).contains("brought the window forward"); }
};

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_runtime.emplace().isValid()); }
    void nameIsTheUpperCaseFileName_data();
    void nameIsTheUpperCaseFileName();
    void laterStartOfTheSameProgram_data();
    void laterStartOfTheSameProgram();
    void startAfterTheFirstCopyWasKilled();

private:
    // A data directory with the starter rates and settings that never
    // download, so a copy opens without a message box and stays local.
    QString DataDir(const QString& name) {
        const QString dir = m_dirs.filePath(name);
        QDir().mkpath(dir);
        QFile::copy(QFileInfo(kExecutable).absolutePath() + QStringLiteral("/rt.dt"),
                    dir + QStringLiteral("/rt.dt"));
        ConfigRecord config = DefaultConfig();
        config.AutoDownload = 0;
        config.RatePageAddress = "http://127.0.0.1:1/rates.html";
        QFile file(dir + QStringLiteral("/kestrumconfig"));
        if (!file.open(QIODevice::WriteOnly) || file.write(SerializeConfig(config)) <= 0)
            qFatal("cannot write the settings of %s", qPrintable(dir));
        return dir;
    }
    std::unique_ptr<Copy> Start(const QString& program, const QString& dataDir) {
        auto copy = std::make_unique<Copy>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
        environment.insert(QStringLiteral("KESTRUM_REPORT_FORWARD"), QStringLiteral("1"));
        copy->process.setProcessEnvironment(environment);
        // One file per copy: two copies may share a data folder.
        static int copies = 0;
        copy->errors = dataDir + QStringLiteral(".%1.err").arg(++copies);
        copy->process.setStandardErrorFile(copy->errors);
        copy->process.start(program, {QStringLiteral("--data-dir"), dataDir});
        return copy;
    }
    // The start-up work saves the settings, which moves the old file aside.
    static bool StartedUp(const QString& dataDir) {
        return QFile::exists(dataDir + QStringLiteral("/kestrumconfig.bak"));
    }

    QTemporaryDir m_dirs;
    std::optional<QTemporaryDir> m_runtime;
};

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
    QTest::addColumn<QString>("link"); // the later start's path, empty for the executable
    QTest::addColumn<bool>("forwards");
    QTest::newRow("same executable") << QString() << true;
    QTest::newRow("same name, other folder") << "elsewhere/kestrum" << true;
    QTest::newRow("name in upper case") << "upper/KESTRUM" << true;
    QTest::newRow("other name") << "other/kestrum2" << false;
    // Another data folder is another calculator, with its own window.
    QTest::newRow("other data folder") << QString() << false;
}

void SingleInstanceTest::laterStartOfTheSameProgram() {
    QFETCH(QString, link);
    QFETCH(bool, forwards);
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    const QString firstDir = DataDir(QStringLiteral("first ") + tag);
    // A copy that comes forward shares the first one's data folder; the
    // others have their own, so their start-up can be seen.
    const QString laterDir = forwards ? firstDir : DataDir(QStringLiteral("later ") + tag);
    QString program = kExecutable;
    if (!link.isEmpty()) {
        program = m_dirs.filePath(tag + QLatin1Char('/') + link);
        QVERIFY(QDir().mkpath(QFileInfo(program).absolutePath()));
        QVERIFY(QFile::link(kExecutable, program));
    }

    const auto first = Start(kExecutable, firstDir);
    QTRY_VERIFY_WITH_TIMEOUT(StartedUp(firstDir), kWaitMs);
    const auto later = Start(program, laterDir);
    if (forwards) {
        QVERIFY(later->process.waitForFinished(kWaitMs));
        QCOMPARE(later->process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(later->process.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(first->BroughtForward(), kWaitMs);
        // It ended before its start-up work: nothing of it was said.
        QCOMPARE(ReadFile(later->errors), QByteArray());
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(StartedUp(laterDir), kWaitMs);
        QCOMPARE(later->process.state(), QProcess::Running);
        QVERIFY(!first->BroughtForward());
    }
    QCOMPARE(first->process.state(), QProcess::Running);
}

void SingleInstanceTest::startAfterTheFirstCopyWasKilled() {
    const QString dir = DataDir(QStringLiteral("killed"));
    const auto first = Start(kExecutable, dir);
    QTRY_VERIFY_WITH_TIMEOUT(StartedUp(dir), kWaitMs);
    first->process.kill(); // SIGKILL: nothing of it runs to clean up
    QVERIFY(first->process.waitForFinished(kWaitMs));

    // The same folder again: the marker the killed copy left is stale.
    QFile::remove(dir + QStringLiteral("/kestrumconfig.bak"));
    const auto next = Start(kExecutable, dir);
    QTRY_VERIFY_WITH_TIMEOUT(StartedUp(dir), kWaitMs);
    // The new copy owns the marker: the start after it brings it forward.
    const auto third = Start(kExecutable, dir);
    QVERIFY(third->process.waitForFinished(kWaitMs));
    QCOMPARE(third->process.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(next->BroughtForward(), kWaitMs);
}

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
