// The data directory under links, special files, secrets, a second process
// and broken output, through the real executable.

#include "file_bytes.h"
#include "loopback_server.h"
#include "settings/configuration.h"
#include "settings/dir_lock.h"
#include "settings/paths.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace kestrum;
using test::Listening;
using test::ReadFile;
using test::WriteFile;

namespace {

QByteArray SamplePage() {
    return ReadFile(QStringLiteral(KESTRUM_SAMPLE_PAGE));
}

QString Loopback(int port, const char* credentials = "") {
    return QStringLiteral("http://") + QLatin1String(credentials) +
           QStringLiteral("127.0.0.1:%1/rates").arg(port);
}

} // namespace

class SafetyTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void specialFilesAreRefused_data();
    void specialFilesAreRefused();
    void plantedPageFileNeverReceivesTheDownload();
    void passwordsAreNeverShown_data();
    void passwordsAreNeverShown();
    void unfetchableAddressesAreUsageErrors_data();
    void unfetchableAddressesAreUsageErrors();
    void lockHoldsOffASecondWriter();
    void outputFailuresAreReported_data();
    void outputFailuresAreReported();
    void pageFileThatCannotBeMadeIsADataFileError();
    void pathsAndArgumentsKeepTheirBytes_data();
    void pathsAndArgumentsKeepTheirBytes();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    QProcess* Start(const QStringList& arguments, const QString& dataDir = {}) {
        auto* process = new QProcess(this);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        for (const char* proxy : {"http_proxy", "https_proxy", "all_proxy", "ALL_PROXY"})
            environment.remove(QLatin1String(proxy));
        process->setProcessEnvironment(environment);
        if (!m_stdout.isEmpty())
            process->setStandardOutputFile(m_stdout);
        process->start(QStringLiteral(KESTRUM_EXECUTABLE),
                       arguments + QStringList{QStringLiteral("--data-dir"),
                                               dataDir.isEmpty() ? m_dir->path() : dataDir});
        return process;
    }
    // Exit code, or -1 when the program crashed or did not end within 20 s.
    int Run(const QStringList& arguments, QByteArray* output = nullptr,
            const QString& dataDir = {}) {
        QProcess* process = Start(arguments, dataDir);
        const bool finished = process->waitForFinished(20000);
        if (!finished)
            process->kill();
        if (output)
            *output = process->readAllStandardOutput() + process->readAllStandardError();
        const int code =
            finished && process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
        delete process;
        return code;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_stdout;
};

void SafetyTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_stdout.clear();
}

void SafetyTest::specialFilesAreRefused_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"rt.dt", "kestrumconfig", "mlist.dt", "clist.dt"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// A FIFO has no writer: opening or reading it must not wait for one.
void SafetyTest::specialFilesAreRefused() {
    QFETCH(QString, name);
    WriteFile(Path("page.html"), SamplePage());
    QCOMPARE(Run({"import", Path("page.html")}), 0);
    QFile::remove(Path(name));
    QCOMPARE(::mkfifo(QFile::encodeName(Path(name)).constData(), 0600), 0);

    QByteArray output;
    QCOMPARE(Run({"convert", "100", "USD", "CAD"}, &output), 5);
    QVERIFY2(output.contains(Path(name).toUtf8() + "\": it is not a regular file"),
             output.constData());
}

// A link planted as "temp.html" while the download runs points at a file
// elsewhere; the page must go to the command's own file, not through it.
void SafetyTest::plantedPageFileNeverReceivesTheDownload() {
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("victim"));
    WriteFile(victim, "victim");
    httplib::Server server;
    server.Get("/rates", [&](const httplib::Request&, httplib::Response& response) {
        QFile::link(victim, Path("temp.html"));
        response.set_content(SamplePage().toStdString(), "text/html");
    });
    const Listening listening(server);

    QByteArray output;
    QCOMPARE(Run({"update", "--url", Loopback(listening.port)}, &output), 0);
    QCOMPARE(ReadFile(victim), QByteArray("victim"));
    QVERIFY(QFileInfo(Path("temp.html")).isSymLink());
    QVERIFY2(output.contains("November 13, 2007"), output.constData());
}

void SafetyTest::passwordsAreNeverShown_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::newRow("source prints") << QStringList{"source"} << 0;
    QTest::newRow("source sets") << QStringList{"source", Loopback(1, "alice:secret@")} << 0;
    QTest::newRow("update fails") << QStringList{"update"} << 6;
    QTest::newRow("update stores") << QStringList{"update", "--url", "SERVER"} << 0;
}

void SafetyTest::passwordsAreNeverShown() {
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    ConfigRecord config = DefaultConfig();
    config.RatePageAddress = Loopback(1, "alice:secret@").toStdString();
    WriteFile(Path("kestrumconfig"), SerializeConfig(config));
    httplib::Server server;
    server.Get("/rates", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(SamplePage().toStdString(), "text/html");
    });
    const Listening listening(server);
    arguments.replaceInStrings(QStringLiteral("SERVER"), Loopback(listening.port, "alice:secret@"));

    QByteArray output;
    QCOMPARE(Run(arguments, &output), code);
    QVERIFY2(output.contains("alice:***@127.0.0.1:"), output.constData());
    QVERIFY2(!output.contains("secret"), output.constData());
}

void SafetyTest::unfetchableAddressesAreUsageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    for (const char* address : {"http://h:8o80/p", "http://h:99999/p", "http://h:/p"}) {
        QTest::addRow("source %s", address) << QStringList{"source", address};
        QTest::addRow("update %s", address) << QStringList{"update", "--url", address};
    }
}

void SafetyTest::unfetchableAddressesAreUsageErrors() {
    QFETCH(QStringList, arguments);
    QByteArray output;
    QCOMPARE(Run(arguments, &output), 2);
    QVERIFY2(output.contains("can be fetched"), output.constData());
    QVERIFY(!QFile::exists(Path("kestrumconfig")));
}

// While another process holds the directory's lock, "source" waits to read
// and rewrite the record, and finishes once the lock is let go.
void SafetyTest::lockHoldsOffASecondWriter() {
    SetProgramDir(m_dir->path());
    QProcess* process = nullptr;
    {
        const DirLock lock;
        QVERIFY(lock.Held());
        process = Start({"source", "ecb"});
        QVERIFY(process->waitForStarted());
        QVERIFY(!process->waitForFinished(500));
        QVERIFY(!QFile::exists(Path("kestrumconfig")));
    }
    QVERIFY(process->waitForFinished(20000));
    QCOMPARE(process->exitCode(), 0);
    QVERIFY(QFile::exists(Path("kestrumconfig")));
    delete process;
    SetProgramDir(QString());
}

void SafetyTest::outputFailuresAreReported_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("convert") << QStringList{"convert", "100", "USD", "CAD"};
    QTest::newRow("rates --json") << QStringList{"rates", "--json"};
}

void SafetyTest::outputFailuresAreReported() {
    QFETCH(QStringList, arguments);
    WriteFile(Path("page.html"), SamplePage());
    QCOMPARE(Run({"import", Path("page.html")}), 0);
    m_stdout = QStringLiteral("/dev/full");
    QByteArray output;
    QCOMPARE(Run(arguments, &output), 7);
    QVERIFY2(output.contains("cannot write its output: No space left on device"),
             output.constData());
}

// No file can be created in /proc, even by root: the page file is a data
// file, and the download does not start.
void SafetyTest::pageFileThatCannotBeMadeIsADataFileError() {
    bool requested = false;
    httplib::Server server;
    server.Get("/rates", [&](const httplib::Request&, httplib::Response& response) {
        requested = true;
        response.set_content(SamplePage().toStdString(), "text/html");
    });
    const Listening listening(server);
    QByteArray output;
    QCOMPARE(Run({"update", "--url", Loopback(listening.port)}, &output, QStringLiteral("/proc")),
             5);
    QVERIFY2(output.contains("temp.html"), output.constData());
    QVERIFY(!requested);
}

void SafetyTest::pathsAndArgumentsKeepTheirBytes_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("script");
    // Through a shell: QProcess would pass every argument as UTF-8.
    QTest::newRow("Latin-1 data directory") << QString() << R"sh(
        d="$D/$(printf 'caf\351')"
        mkdir "$d" && "$K" import "$P" --data-dir "$d" && "$K" convert 100 USD CAD --data-dir "$d"
    )sh";
    QTest::newRow("name in an ISO-8859-1 locale") << "en_US.ISO-8859-1"
                                                  << R"sh(
        "$K" import "$P" --data-dir "$D" &&
        "$K" convert 100 "$(printf 'Dollar am\351ricain')" CAD --data-dir "$D"
    )sh";
}

void SafetyTest::pathsAndArgumentsKeepTheirBytes() {
    QFETCH(QString, locale);
    QFETCH(QString, script);
    QTemporaryDir locales;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("K", QStringLiteral(KESTRUM_EXECUTABLE));
    environment.insert("D", m_dir->path());
    environment.insert("P", QStringLiteral(KESTRUM_SAMPLE_PAGE));
    environment.insert("LC_ALL", QStringLiteral("C.UTF-8"));
    if (!locale.isEmpty()) {
        // The machine need not have the locale; its sources make one.
        const QString name = locale.section(u'.', 0, 0);
        if (QProcess::execute("localedef",
                              {"-i", name, "-f", "ISO-8859-1", locales.filePath(locale)}) != 0)
            QSKIP("localedef cannot make an ISO-8859-1 locale here");
        environment.insert("LOCPATH", locales.path());
        environment.insert("LC_ALL", locale);
    }
    QProcess shell;
    shell.setProcessEnvironment(environment);
    shell.start("/bin/sh", {"-c", script});
    QVERIFY(shell.waitForFinished(20000));
    const QByteArray output = shell.readAllStandardOutput() + shell.readAllStandardError();
    QVERIFY2(shell.exitCode() == 0, output.constData());
    QVERIFY2(output.contains("92.5728"), output.constData());
    // Qt cannot name the Latin-1 directory to remove it.
    QProcess::execute("rm", {"-rf", m_dir->path()});
}

QTEST_GUILESS_MAIN(SafetyTest)
#include "safety_test.moc"
