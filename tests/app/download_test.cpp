// Downloads through the real window against a rate page served on the
// loopback interface.
#include "data/dates.h"
#include "data/rate_files.h"
#include "form_fixture.h"
#include "settings/message_table.h"
#include "update/platform.h"
#include "update/progress_form.h"
#include "widgets/prism_bar.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <httplib.h>
#include <thread>

using namespace kestrum;
using namespace kestrum::test;
using Answer = MessageBoxes::Answer;

namespace {

QByteArray SamplePage() {
    QFile file(QStringLiteral(KESTRUM_SAMPLE_PAGE));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the sample page");
    return file.readAll();
}

// The sample page's newest day, Tuesday 13 November 2007.
constexpr double kSampleDate = 39399.0;

class FakePlatform final : public Platform {
public:
    QDateTime now = QDateTime::currentDateTime();
    int bias = 300;
    bool connected = true;
    QDateTime Now() const override { return now; }
    int BaseBias(const QDateTime&) const override { return bias; }
    bool Connected(const QString&) const override { return connected; }
};

// Serves the sample page whole at /rates.html and cut short at /cut.html;
// anything else is a 404.
class PageServer {
public:
    PageServer() : m_page(SamplePage().toStdString()) {
        m_server.Get("/rates.html", [this](const httplib::Request&, httplib::Response& res) {
            ++hits;
            res.set_content(m_page, "text/html");
        });
        m_server.Get("/cut.html", [this](const httplib::Request&, httplib::Response& res) {
            ++hits;
            res.set_content(m_page.substr(0, m_page.size() / 2), "text/html");
        });
        m_server.set_error_handler([this](const httplib::Request&, httplib::Response&) { ++hits; });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }
    ~PageServer() {
        m_server.stop();
        m_thread.join();
    }
    std::string Url(const char* path) const {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }
    std::atomic<int> hits{0};

private:
    std::string m_page;
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

} // namespace

class DownloadTest : public FormTest {
    Q_OBJECT
private slots:
    void staleRatesAreFetchedStoredAndShown();
    void attemptOutcomes_data();
    void attemptOutcomes();
};

void DownloadTest::staleRatesAreFetchedStoredAndShown() {
    PageServer server;
    ConfigRecord config = DefaultConfig();
    config.AutoDownload = 1;
    config.RatePageAddress = server.Url("/rates.html");
    env->WriteConfig(config);
    env->WriteRates(FullRateStore());
    env->downloads = true;
    TProgressForm progress;
    form = env->Open();
    const QStringList lists = ListedNames(Loaded(FullRateStore()), 0);

    QTRY_COMPARE_WITH_TIMEOUT(form->DataDateLabel->text(), DataDateText(kSampleDate), 10000);
    QCOMPARE(env->messages.texts, QStringList());
    QCOMPARE(server.hits.load(), 1);
    QCOMPARE(Configuration().DataDate, kSampleDate);
    QCOMPARE(Items(form->FromComboBox), lists); // not refilled
    QVERIFY(!form->DownloadButton->isEnabled());
    // The window was shown with its text and the file bar followed the body.
    QCOMPARE(progress.windowTitle(), QString::fromLatin1(Message(msg::Downloading)));
    QVERIFY(!progress.isVisible());
    QCOMPARE(progress.PrismBar->Progress(), 100);

    RateStore stored;
    ConfigRecord reloaded = DefaultConfig();
    QCOMPARE(LoadRateFile(stored, reloaded).status, RateFileStatus::Loaded);
    QCOMPARE(DayDate(stored, 5), kSampleDate);
    QCOMPARE(EncodeRateFile(stored), EncodeRateFile(Rates()));
    QVERIFY(env->dir.Exists(QStringLiteral("temp.html")));
    form.reset();
    QVERIFY(!env->dir.Exists(QStringLiteral("temp.html")));
}

void DownloadTest::attemptOutcomes_data() {
    QTest::addColumn<QByteArray>("path"); // empty: a port nobody listens on
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("autoDownload");
    QTest::addColumn<bool>("press"); // the Download button, once the timer attempt is over
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QStringList>("messageStarts");
    QTest::addColumn<int>("hits");
    QTest::addColumn<bool>("stored");

    const QString failed = QString::fromLatin1(Message(msg::DownloadFailed)) + "\n\n";
    const QString parse = QString::fromLatin1(Message(msg::ParseError));
    const QString offline = QString::fromLatin1(Message(msg::NotConnected));
    const QList<Answer> none;
    QTest::newRow("page does not parse") << QByteArray("/cut.html") << true << true << false << none
                                         << QStringList{parse} << 1 << false;
    QTest::newRow("404, cancel") << QByteArray("/missing.html") << true << true << false << none
                                 << QStringList{failed} << 1 << false;
    QTest::newRow("404, yes re-arms")
        << QByteArray("/missing.html") << true << true << false << QList<Answer>{Answer::Yes}
        << QStringList{failed, failed} << 2 << false;
    QTest::newRow("refused, cancel")
        << QByteArray() << true << true << false << none << QStringList{failed} << 0 << false;
    QTest::newRow("offline, cancel") << QByteArray("/rates.html") << false << true << false << none
                                     << QStringList{offline} << 0 << false;
    QTest::newRow("offline, retry fetches anyway")
        << QByteArray("/rates.html") << false << true << false << QList<Answer>{Answer::Retry}
        << QStringList{offline} << 1 << true;
    QTest::newRow("automatic off: only the button fetches")
        << QByteArray("/rates.html") << true << false << true << none << QStringList{} << 1 << true;
}

void DownloadTest::attemptOutcomes() {
    QFETCH(QByteArray, path);
    QFETCH(bool, connected);
    QFETCH(bool, autoDownload);
    QFETCH(bool, press);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, messageStarts);
    QFETCH(int, hits);
    QFETCH(bool, stored);

    PageServer server;
    FakePlatform platform;
    platform.connected = connected;
    SetPlatform(&platform);
    const auto restore = qScopeGuard([] { SetPlatform(nullptr); });
    ConfigRecord config = DefaultConfig();
    config.AutoDownload = autoDownload;
    config.RatePageAddress =
        path.isEmpty() ? "http://127.0.0.1:1/rates.html" : server.Url(path.constData());
    env->WriteConfig(config);
    env->WriteRates(FullRateStore());
    env->messages.answers = answers;
    env->downloads = true;
    TProgressForm progress;
    form = env->Open();
    if (press) {
        QTRY_VERIFY(!form->DownloadTimer->isActive());
        QTRY_VERIFY(form->DownloadButton->isEnabled());
        QVERIFY(Items(form->FromComboBox).size() > 1);
        QTest::mouseClick(form->DownloadButton, Qt::LeftButton);
    }

    if (stored) {
        QTRY_COMPARE_WITH_TIMEOUT(form->DataDateLabel->text(), DataDateText(kSampleDate), 10000);
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(env->messages.texts.size(), messageStarts.size(), 10000);
        QTRY_VERIFY(form->DownloadButton->isEnabled());
    }
    QTest::qWait(150); // no late attempt follows
    QCOMPARE(env->messages.texts.size(), messageStarts.size());
    for (qsizetype i = 0; i < messageStarts.size(); ++i)
        QVERIFY2(env->messages.texts[i].startsWith(messageStarts[i]),
                 qPrintable(env->messages.texts[i]));
    QCOMPARE(server.hits.load(), hits);
    QVERIFY(!form->DownloadTimer->isActive());
    QVERIFY(!progress.isVisible());
    // Without new rates the store is what "rt.dt" holds.
    const double expectedDate = stored ? kSampleDate : kFixtureNewestDate;
    QCOMPARE(Configuration().DataDate, expectedDate);
    if (!stored)
        QCOMPARE(EncodeRateFile(Rates()), EncodeRateFile(FullRateStore()));
    QCOMPARE(form->DownloadButton->isEnabled(), !stored || !autoDownload);
}

QTEST_MAIN(DownloadTest)
#include "download_test.moc"
