// The command path loads no window or network libraries unless it needs
// them, and the window still opens through its module.

#include "settings/configuration.h"

#include "loopback_server.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <httplib.h>
#include <thread>

using namespace kestrum;

namespace {

const QString kExecutable = QStringLiteral(KESTRUM_EXECUTABLE);

struct Run {
    int code = -1;
    QString err;    // the program's own messages
    QString loader; // what LD_DEBUG=libs reported
    bool Loaded(const char* library) const { return loader.contains(QLatin1String(library)); }
};

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

Run Start(const QString& program, const QStringList& arguments, const QString& platform) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("libs"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    environment.insert(QStringLiteral("KESTRUM_FIRST_PAINT_REPORT"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.code = process.exitCode();
    static const QRegularExpression loaderLine(QStringLiteral("^\\s*\\d+:\\s"));
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    for (const QString& line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        (loaderLine.match(line).hasMatch() ? run.loader : run.err) += line + QLatin1Char('\n');
    return run;
}

} // namespace

class LeanPathTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void commandsLoadOnlyWhatTheyNeed_data();
    void commandsLoadOnlyWhatTheyNeed();
    void windowOpensThroughItsModule();
    void missingOrBrokenWindowModuleIsOneSentence();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void LeanPathTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QFile::copy(QFileInfo(kExecutable).absolutePath() + QStringLiteral("/rt.dt"),
                        Path(QStringLiteral("rt.dt"))));
    QVERIFY(WriteFile(Path(QStringLiteral("kestrumconfig")), SerializeConfig(DefaultConfig())));
}

void LeanPathTest::commandsLoadOnlyWhatTheyNeed_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("downloads");
    // list and rates name where each rate came from, which the history holds.
    QTest::addColumn<bool>("readsHistory");
    QTest::newRow("version") << QStringList{"--version"} << false << false;
    QTest::newRow("convert") << QStringList{"convert", "100", "USD", "CAD"} << false << false;
    QTest::newRow("list") << QStringList{"list"} << false << true;
    QTest::newRow("rates") << QStringList{"rates", "--json"} << false << true;
    QTest::newRow("update") << QStringList{"update", "--url", "http://127.0.0.1:%1/rates.html"}
                            << true << true;
}

void LeanPathTest::commandsLoadOnlyWhatTheyNeed() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, downloads);
    QFETCH(bool, readsHistory);
    httplib::Server server;
    const std::string page = ReadFile(QStringLiteral(KESTRUM_SAMPLE_PAGE)).toStdString();
    server.Get("/rates.html", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(page, "text/html");
    });
    const test::Listening listening(server);
    const int port = listening.port;
    QVERIFY(port > 0);
    for (QString& argument : arguments)
        argument.replace(QLatin1String("%1"), QString::number(port));

    const QByteArray ratesBefore = ReadFile(Path(QStringLiteral("rt.dt")));
    QFile::remove(Path(QStringLiteral("rt.dt")));
    if (!downloads)
        QVERIFY(WriteFile(Path(QStringLiteral("rt.dt")), ratesBefore));
    const Run run = Start(kExecutable, arguments + QStringList{"--data-dir", m_dir->path()},
                          QStringLiteral("xcb"));
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QVERIFY(run.Loaded("libQt6Core"));
    QVERIFY(!run.Loaded("libQt6Gui"));
    QVERIFY(!run.Loaded("libQt6Widgets"));
    QCOMPARE(run.Loaded("libcurl"), downloads);
    QCOMPARE(run.Loaded("libsqlite3"), readsHistory);
    QCOMPARE(ReadFile(Path(QStringLiteral("rt.dt"))), ratesBefore);
}

void LeanPathTest::windowOpensThroughItsModule() {
    // No download: the network libraries wait for the first one, and Qt
    // Charts for the Graphs window.
    ConfigRecord config = DefaultConfig();
    config.AutoDownload = 0;
    QVERIFY(WriteFile(Path(QStringLiteral("kestrumconfig")), SerializeConfig(config)));
    const Run run = Start(kExecutable, {"--data-dir", m_dir->path()}, QStringLiteral("offscreen"));
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QVERIFY(run.err.contains(QLatin1String("first paint: ")));
    QVERIFY(run.Loaded("libQt6Widgets"));
    for (const char* library : {"libcurl", "libssl", "libgnutls", "libQt6Network", "libQt6Charts"})
        QVERIFY2(!run.Loaded(library), library);
    // The window saved its settings in the directory it was given.
    QVERIFY(QFile::exists(Path(QStringLiteral("kestrumconfig.bak"))));
}

void LeanPathTest::missingOrBrokenWindowModuleIsOneSentence() {
    const QString copy = Path(QStringLiteral("kestrum"));
    QVERIFY(QFile::copy(kExecutable, copy));
    const QString module = Path(QStringLiteral("kestrum-window.so"));
    for (const bool broken : {false, true}) {
        if (broken)
            QVERIFY(WriteFile(module, "not a shared object"));
        const Run run = Start(copy, {}, QStringLiteral("offscreen"));
        QCOMPARE(run.code, 1);
        QVERIFY2(
            run.err.startsWith(QStringLiteral("Kestrum cannot open its window: the module \"") +
                               module + QLatin1Char('"')),
            qPrintable(run.err));
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY(!run.Loaded("libQt6Gui"));
    }
}

QTEST_GUILESS_MAIN(LeanPathTest)
#include "lean_path_test.moc"
