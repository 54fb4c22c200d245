// A rate history that cannot be read, through the real executable: damaged
// pages, a store another program holds, a store of a newer version.

#include "file_bytes.h"
#include "process_run.h"

#include <QDate>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace kestrum;
using test::ReadFile;
using test::WriteFile;

namespace {

// 2020 and 2021 of the Bank: USD distinct every day, EUR fixed.
QByteArray ValetAnswer() {
    QByteArray json = R"({"observations":[)";
    for (QDate day(2020, 1, 1); day.year() < 2022; day = day.addDays(1)) {
        if (day.dayOfWeek() > 5)
            continue;
        if (!json.endsWith('['))
            json += ',';
        json += QStringLiteral(R"({"d":"%1","FXUSDCAD":{"v":"%2"},"FXEURCAD":{"v":"1.5"}})")
                    .arg(day.toString(Qt::ISODate))
                    .arg(1.25 + day.dayOfYear() / 10000.0, 0, 'f', 4)
                    .toUtf8();
    }
    return json + "]}";
}

const QList<QStringList> kReaders = {
    {"convert", "1", "USD", "CAD", "--date", "2021-06-01"},
    {"history", "USD"},
    {"history"},
};

} // namespace

class HistoryFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        WriteFile(Path("a.json"), ValetAnswer());
        QCOMPARE(Kestrum({"import", Path("a.json")}).code, 0);
    }
    void damagedPagesFailTheCommandNeverAnswerWrongly();
    void aStoreInUseOrOfANewerVersionIsSaidSo_data();
    void aStoreInUseOrOfANewerVersionIsSaidSo();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    test::ProcessRun Kestrum(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("KESTRUM_HISTORY_BUSY_MS", "300");
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KESTRUM_EXECUTABLE),
                      arguments + QStringList{"--data-dir", m_dir->path()});
        return test::Finish(process);
    }
    void RemoveStores() {
        for (const QString& name : QDir(m_dir->path()).entryList({"history.sqlite*"}))
            QFile::remove(Path(name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

// 64 bytes of 0xFF at offset 8 of each page past the header, one page at a
// time: every reader gives the undamaged answer or fails with one sentence,
// and a store found damaged is set aside with its bytes.
void HistoryFaultsTest::damagedPagesFailTheCommandNeverAnswerWrongly() {
    QList<test::ProcessRun> good;
    for (const QStringList& reader : kReaders)
        good << Kestrum(reader);
    RemoveStores();
    QCOMPARE(Kestrum({"import", Path("a.json")}).code, 0);
    const QByteArray store = ReadFile(Path("history.sqlite"));
    const int pages = int(store.size() / 4096);
    QVERIFY(pages > 10);
    int failed = 0;
    for (int page = 1; page < pages; ++page) {
        QByteArray damaged = store;
        damaged.replace(page * 4096 + 8, 64, QByteArray(64, '\xff'));
        for (int r = 0; r < kReaders.size(); ++r) {
            RemoveStores();
            WriteFile(Path("history.sqlite"), damaged);
            const test::ProcessRun run = Kestrum(kReaders[r]);
            const QString what =
                QStringLiteral("page %1, %2: %3").arg(page + 1).arg(kReaders[r].join(' '), run.err);
            if (run.code == 0) {
                QVERIFY2(run.out == good[r].out, qPrintable(what));
                continue;
            }
            ++failed;
            QVERIFY2(run.code == 5 && run.out.isEmpty() && run.err.count('\n') == 1 &&
                         run.err.contains(Path("history.sqlite")) && run.err.contains("malformed"),
                     qPrintable(what));
            const QStringList aside = QDir(m_dir->path())
                                          .entryList({"history.sqlite.damaged-*"})
                                          .filter(QRegularExpression("damaged-[0-9-]+$"));
            QCOMPARE(aside.size(), 1);
            QCOMPARE(ReadFile(Path(aside[0])), damaged);
        }
    }
    QVERIFY2(failed >= pages / 2, qPrintable(QString::number(failed)));
}

void HistoryFaultsTest::aStoreInUseOrOfANewerVersionIsSaidSo_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("error");
    const QString busy = "The rate history is busy (used by another program).\n";
    for (const QStringList& reader : kReaders)
        QTest::addRow("busy: %s", qPrintable(reader.join(' '))) << "busy" << reader << 5 << busy;
    // The rates still reach "rt.dt", completed by the parities; the history
    // says why it has not.
    QTest::newRow("busy: import") << "busy" << QStringList{"import", "a.json"} << 0
                                  << busy + "The rate history was not updated; the fixed "
                                            "parities were applied to the answer itself.\n";
    QTest::newRow("newer: history")
        << "newer" << QStringList{"history"} << 5 << "written by a newer version";
    QTest::newRow("none: history") << "none" << QStringList{"history"} << 0 << "";
}

void HistoryFaultsTest::aStoreInUseOrOfANewerVersionIsSaidSo() {
    QFETCH(QString, state);
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, error);
    if (arguments.first() == "import")
        arguments[1] = Path(arguments[1]);
    sqlite3* holder = nullptr;
    if (state == "none")
        RemoveStores();
    if (state != "none")
        QCOMPARE(sqlite3_open(Path("history.sqlite").toUtf8().constData(), &holder), SQLITE_OK);
    // Another program's exclusive lock, held while the command runs.
    if (state == "busy")
        QCOMPARE(sqlite3_exec(holder,
                              "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE; "
                              "DELETE FROM imports WHERE 0",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
    if (state == "newer")
        QCOMPARE(sqlite3_exec(holder, "PRAGMA user_version = 3", nullptr, nullptr, nullptr),
                 SQLITE_OK);
    const test::ProcessRun run = Kestrum(arguments);
    sqlite3_close(holder);
    QVERIFY2(run.code == code, qPrintable(run.err));
    if (error.isEmpty())
        QVERIFY2(run.err.isEmpty() && run.out.contains("empty"), qPrintable(run.out + run.err));
    else if (error.endsWith('\n'))
        QCOMPARE(run.err, error);
    else
        QVERIFY2(run.err.contains(error) && run.err.count('\n') == 1, qPrintable(run.err));
    if (arguments.first() == "import")
        QVERIFY(run.out.contains("latest data: Friday, December 31, 2021"));
}

QTEST_GUILESS_MAIN(HistoryFaultsTest)
#include "history_faults_test.moc"
