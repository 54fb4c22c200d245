// The data directory under links, special files, secrets, a second process
// and broken output, through the real executable.

#include "file_bytes.h"
#include "loopback_server.h"
#include "settings/configuration.h"
#include "settings/dir_lock.h"
#include "settings/paths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <csignal>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace kestrum;
using test::Listening;
using test::ReadFile;
using test::WriteFile;
using namespace std::chrono_literals;

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
    void aLockHeldTooLongEndsTheCommand();
    void interruptedUpdatesLeaveNoPage_data();
    void interruptedUpdatesLeaveNoPage();
    void outsideTextIsShownEscaped_data();
    void outsideTextIsShownEscaped();
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

// A holder that never lets go (stopped, stuck) must not hang the commands
// that write: each gives up after a few seconds naming the lock, and says it
// waits when someone reads its terminal.
void SafetyTest::aLockHeldTooLongEndsTheCommand() {
    WriteFile(Path("page.html"), SamplePage());
    httplib::Server server;
    server.Get("/rates", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(SamplePage().toStdString(), "text/html");
    });
    const Listening listening(server);
    SetProgramDir(m_dir->path());
    const DirLock lock;
    QVERIFY(lock.Held());
    const QString k = QStringLiteral(KESTRUM_EXECUTABLE);
    QList<QProcess*> processes{Start({"import", Path("page.html")}),
                               Start({"update", "--url", Loopback(listening.port)})};
    // `script` gives the command a terminal.
    auto* onTerminal = new QProcess(this);
    onTerminal->start(
        "script", {"-qec", QStringLiteral("'%1' source ecb --data-dir '%2'").arg(k, m_dir->path()),
                   "/dev/null"});
    processes << onTerminal;
    QElapsedTimer clock;
    clock.start();
    for (QProcess* process : processes) {
        QVERIFY(process->waitForFinished(20000));
        const QByteArray said = process->readAllStandardOutput() + process->readAllStandardError();
        QVERIFY2(process->exitCode() == 5, said.constData());
        QVERIFY2(said.contains("Nothing was saved: another program has held the lock \"" +
                               Path(".kestrum.lock").toUtf8() + "\" for 5 seconds."),
                 said.constData());
        QCOMPARE(said.contains("Waiting for the lock"), process == onTerminal);
        delete process;
    }
    QVERIFY(clock.elapsed() < 15000);
    QCOMPARE(ReadFile(Path("kestrumconfig")), QByteArray());
    QCOMPARE(ReadFile(Path("rt.dt")), QByteArray());
    SetProgramDir(QString());
}

// Interrupted while the page arrives, `update` leaves no page behind; one
// killed outright leaves its page to the sweep of a later download. Either
// way the rates stay as they were.
void SafetyTest::interruptedUpdatesLeaveNoPage_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGKILL") << SIGKILL;
}

void SafetyTest::interruptedUpdatesLeaveNoPage() {
    QFETCH(int, signal);
    WriteFile(Path("page.html"), SamplePage());
    QCOMPARE(Run({"import", Path("page.html")}), 0);
    const QByteArray rates = ReadFile(Path("rt.dt"));
    std::atomic<bool> arriving = false;
    httplib::Server server;
    server.Get("/rates", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(1 << 20, "text/html",
                                      [&](size_t, size_t, httplib::DataSink& sink) {
                                          arriving = true;
                                          std::this_thread::sleep_for(20ms);
                                          return sink.write("<html>      ", 12);
                                      });
    });
    server.Get("/sample", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(SamplePage().toStdString(), "text/html");
    });
    const Listening listening(server);
    const auto pages = [this] {
        return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).filter("temp.html");
    };

    QProcess* update = Start({"update", "--url", Loopback(listening.port)});
    QVERIFY(QTest::qWaitFor([&] { return arriving.load() && !pages().isEmpty(); }, 10000));
    QTest::qWait(100);
    ::kill(pid_t(update->processId()), signal);
    QVERIFY(update->waitForFinished(10000));
    QCOMPARE(update->exitStatus(), QProcess::CrashExit);
    delete update;
    QCOMPARE(ReadFile(Path("rt.dt")), rates);
    if (signal != SIGKILL) {
        QCOMPARE(pages(), QStringList());
        return;
    }
    const QStringList left = pages();
    QCOMPARE(left.size(), 1);
    QVERIFY(left[0].startsWith(".temp.html.kestrum-"));
    const QString leftPath = Path(left[0]);
    const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
    QFile leftFile(leftPath);
    QVERIFY(leftFile.open(QIODevice::ReadWrite) &&
            leftFile.setFileTime(old, QFileDevice::FileModificationTime));
    leftFile.close();
    QByteArray output;
    QCOMPARE(
        Run({"update", "--url", QStringLiteral("http://127.0.0.1:%1/sample").arg(listening.port)},
            &output),
        0);
    QCOMPARE(pages(), QStringList());
}

// A damaged record's address and a file's cells may carry terminal controls;
// the messages show them escaped (a server's status line: the grabber's test).
void SafetyTest::outsideTextIsShownEscaped_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("escaped");
    ConfigRecord config = DefaultConfig();
    config.RatePageAddress = "http://\x1b]0;owned\x07.example/rates";
    QTest::newRow("record's address") << "kestrumconfig" << SerializeConfig(config)
                                      << QStringList{"source"} << QByteArray("\\x1b]0;owned\\x07");
    const QByteArray cell("\x1b[2J\x07\0", 6);
    QTest::newRow("batch file's cell")
        << "expenses.csv"
        << "date,amount,currency\n2007-11-13," + cell + ",USD\n"
        << QStringList{"convert", "--file", "FILE"} << QByteArray("\\x1b[2J");
}

void SafetyTest::outsideTextIsShownEscaped() {
    QFETCH(QString, file);
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, escaped);
    WriteFile(Path("page.html"), SamplePage());
    QCOMPARE(Run({"import", Path("page.html")}), 0);
    WriteFile(Path(file), contents);
    arguments.replaceInStrings("FILE", Path(file));
    QByteArray output;
    Run(arguments, &output);
    QVERIFY2(output.contains(escaped), output.constData());
    for (const char control : {'\x1b', '\x07', '\0'})
        QVERIFY2(!output.contains(control), output.toPercentEncoding(" :\"").constData());
}

void SafetyTest::outputFailuresAreReported_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("closed"); // else a full disk
    QTest::addColumn<QString>("reason");
    const QString full = QStringLiteral("No space left on device");
    const QString closed = QStringLiteral("standard output is closed");
    QTest::newRow("convert") << QStringList{"convert", "100", "USD", "CAD"} << false << full;
    QTest::newRow("rates --json") << QStringList{"rates", "--json"} << false << full;
    QTest::newRow("convert, closed")
        << QStringList{"convert", "100", "USD", "CAD"} << true << closed;
}

void SafetyTest::outputFailuresAreReported() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, closed);
    QFETCH(QString, reason);
    WriteFile(Path("page.html"), SamplePage());
    QCOMPARE(Run({"import", Path("page.html")}), 0);
    QByteArray output;
    if (closed) {
        // Closed, not redirected: the first file opened would take its place.
        QProcess shell;
        shell.start("/bin/sh", QStringList{"-c", "exec \"$@\" >&-", "sh", KESTRUM_EXECUTABLE} +
                                   arguments + QStringList{"--data-dir", m_dir->path()});
        QVERIFY(shell.waitForFinished(20000));
        QCOMPARE(shell.exitCode(), 7);
        output = shell.readAllStandardError();
    } else {
        m_stdout = QStringLiteral("/dev/full");
        QCOMPARE(Run(arguments, &output), 7);
    }
    QVERIFY2(output.contains("cannot write its output: " + reason.toUtf8() + "."),
             output.constData());
    QCOMPARE(ReadFile(Path("rt.dt")).size(), 2240);
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
    // The C locale's ASCII stands for UTF-8, as in glibc's C.UTF-8.
    QTest::newRow("name in the C locale") << "C"
                                          << R"sh(
        "$K" import "$P" --data-dir "$D" &&
        "$K" convert 100 "$(printf 'Dollar am\303\251ricain')" CAD --data-dir "$D"
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
    if (locale == "C") {
        environment.insert("LC_ALL", locale);
    } else if (!locale.isEmpty()) {
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
