// The command line speaks the locale's language, through the real executable.

#include "process_run.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrum;

namespace {

const QString kFrench = QStringLiteral("LANG=fr_CA.UTF-8");

} // namespace

class LocaleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        const test::ProcessRun imported =
            Kestrum({}, {"import", QStringLiteral(KESTRUM_VALET_ANSWER)});
        QVERIFY2(imported.code == 0, qPrintable(imported.err));
        QFile rows(m_dir.filePath("rows.csv"));
        QVERIFY(rows.open(QIODevice::WriteOnly));
        rows.write("date,amount,currency,target\n2026-12-02,100,USD,EUR\n");
    }

    void textsFollowTheLocale_data() {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("expected"); // in the output or the error

        QTest::newRow("verbose convert")
            << QStringList{kFrench} << QStringList{"convert", "100", "USD", "EUR", "--verbose"} << 0
            << QString::fromUtf8("100 USD (Dollar américain) = ");
        QTest::newRow("dated convert")
            << QStringList{kFrench}
            << QStringList{"convert", "100", "USD", "EUR", "--date", "2026-12-02", "-v"} << 0
            << QString::fromUtf8(
                   "aux taux du mercredi 2 décembre 2026 de la Banque du Canada pour USD et du "
                   "mardi 1er décembre 2026");
        QTest::newRow("unknown currency")
            << QStringList{kFrench} << QStringList{"convert", "100", "USD", "XYZ"} << 3
            << QString::fromUtf8("Devise inconnue « XYZ »");
        QTest::newRow("bad amount")
            << QStringList{kFrench} << QStringList{"convert", "1.2.3", "USD", "EUR"} << 2
            << QString::fromUtf8("plus d'un point décimal");
        QTest::newRow("history summary") << QStringList{kFrench} << QStringList{"history"} << 0
                                         << QStringLiteral("Premier jour");
        // libcurl's English must not reach a French sentence.
        QTest::newRow("refused download")
            << QStringList{kFrench} << QStringList{"update", "--url", "http://127.0.0.1:1/"} << 6
            << QString::fromUtf8("a échoué : La connexion au serveur a échoué.");
        QTest::newRow("no rate on a date")
            << QStringList{kFrench} << QStringList{"list", "--date", "1990-01-02"} << 4
            << QStringLiteral("Aucun taux");
        // LC_ALL wins over LANG; an empty variable counts as unset.
        QTest::newRow("LC_ALL=C wins")
            << QStringList{"LC_ALL=C", kFrench} << QStringList{"convert", "100", "USD", "XYZ"} << 3
            << QStringLiteral("Unknown currency \"XYZ\"");
        QTest::newRow("empty LC_ALL") << QStringList{"LC_ALL=", "LC_MESSAGES=fr_FR.UTF-8", "LANG=C"}
                                      << QStringList{"convert", "100", "USD", "XYZ"} << 3
                                      << QString::fromUtf8("Devise inconnue");
    }

    void textsFollowTheLocale() {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, expected);
        const test::ProcessRun run = Kestrum(environment, arguments);
        QCOMPARE(run.code, code);
        QVERIFY2((run.out + run.err).contains(expected), qPrintable(run.out + run.err));
    }

    // Output for other programs does not change with the locale.
    void machineOutputIsTheSameInEveryLocale_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("rates") << QStringList{"rates", "--json"};
        QTest::newRow("list") << QStringList{"list", "--json"};
        QTest::newRow("dated list") << QStringList{"list", "--date", "2026-12-02", "--json"};
        QTest::newRow("CSV batch") << QStringList{"convert", "--file", m_dir.filePath("rows.csv")};
    }

    void machineOutputIsTheSameInEveryLocale() {
        QFETCH(QStringList, arguments);
        const test::ProcessRun english = Kestrum({QStringLiteral("LANG=en_CA.UTF-8")}, arguments);
        const test::ProcessRun french = Kestrum({kFrench}, arguments);
        QCOMPARE(english.code, 0);
        QVERIFY(english.out.contains(QStringLiteral("Bank of Canada")));
        QCOMPARE(french.out, english.out);
    }

private:
    // Runs with the locale variables exactly as given, the others removed.
    test::ProcessRun Kestrum(const QStringList& environment, const QStringList& arguments) {
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
            variables.remove(QLatin1String(name));
        for (const QString& setting : environment)
            variables.insert(setting.section(QLatin1Char('='), 0, 0),
                             setting.section(QLatin1Char('='), 1));
        QProcess process;
        process.setProcessEnvironment(variables);
        process.start(QStringLiteral(KESTRUM_EXECUTABLE),
                      arguments + QStringList{QStringLiteral("--data-dir"), m_dir.path()});
        return test::Finish(process);
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(LocaleTest)
#include "locale_test.moc"
