// Downloads through the real window against a rate page served on the
// loopback interface.
#include "app/application.h"
#include "data/dates.h"
#include "data/rate_files.h"
#include "form_fixture.h"
#include "settings/dir_lock.h"
#include "settings/message_table.h"
#include "update/platform.h"
#include "update/progress_form.h"
#include "update/publication_rule.h"
#include "widgets/prism_bar.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <httplib.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

using namespace kestrum;
using namespace kestrum::test;
using Answer = MessageBoxes::Answer;

namespace {

// The sample page without the Argentine peso, a currency nothing else can
// supply (no other source is stored, no parity), so the download drops it.
QByteArray SamplePage() {
    QFile file(QStringLiteral(KESTRUM_SAMPLE_PAGE));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the sample page");
    QByteArray page = file.readAll();
    const QByteArray peso = "0.2896 0.2951 0.2971 NA 0.3050";
    if (!page.contains(peso))
        throw std::runtime_error("the sample page has changed");
    return page.replace(peso, "NA NA NA NA NA");
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

// Serves the sample page whole at /rates.html, cut short at /cut.html, a
// few bytes at a time for ever at /slow.html (until the client goes), and a
// 404 for anything else.
class PageServer {
public:
    PageServer() : m_page(SamplePage().toStdString()) {
        m_server.Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
            ++hits;
            if (req.path == "/slow.html")
                res.set_content_provider(
                    m_page.size() * 100, "text/html",
                    [this](size_t offset, size_t, httplib::DataSink& sink) {
                        // Slow enough never to finish, quick enough to pass the
                        // first percent within a sanitized build's patience.
                        std::this_thread::sleep_for(std::chrono::milliseconds(20));
                        const size_t at = offset % m_page.size();
                        if (sink.write(m_page.data() + at,
                                       std::min<size_t>(512, m_page.size() - at)))
                            return true;
                        clientLeft = true;
                        return false;
                    });
            else if (req.path == "/rates.html" || req.path == "/cut.html")
                res.set_content(req.path == "/cut.html" ? m_page.substr(0, m_page.size() / 2)
                                                        : m_page,
                                "text/html");
            else
                res.status = 404;
        });
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
    std::atomic<bool> clientLeft{false};

private:
    std::string m_page;
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

} // namespace

class DownloadTest : public FormTest {
    Q_OBJECT
private slots:
    void staleRatesAreFetchedStoredAndShown();
    void attemptOutcomes();
    void cancelStopsTheTransferAndKeepsTheRates();
    void aHeldLockAsksToRetry();
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
    // Chosen before the download starts: the page has no Argentine peso.
    constexpr int kPeso = 2;
    form->FromComboBox->setCurrentIndex(1);
    form->ToComboBox->setCurrentText(NameOf(kPeso));
    QCOMPARE(form->ToComboBox->currentText(), NameOf(kPeso));
    Type(form->SourceEdit, QStringLiteral("100"));
    QTest::keyClick(form->SourceEdit, Qt::Key_Return);

    QTRY_COMPARE_WITH_TIMEOUT(form->DataDateLabel->text(), DataDateText(kSampleDate), 10000);
    QCOMPARE(env->messages.texts, QStringList());
    QCOMPARE(server.hits.load(), 1);
    QCOMPARE(Configuration().DataDate, kSampleDate);
    // Refilled from the new rates, the amount and a still offered choice kept.
    const QStringList offered = ListedNames(Rates(), 0);
    QVERIFY(!offered.contains(NameOf(kPeso)));
    QCOMPARE(form->ToComboBox->count(), offered.size());
    QCOMPARE(form->FromComboBox->currentText(), NameOf(1));
    QCOMPARE(form->ToComboBox->currentText(), NameOf(0));
    QCOMPARE(form->ConvertEdit->text(), ExpectedResult(Rates(), Configuration(), 1, 0, 100));
    // Quick find points into the new lists: the last entry moved up by one.
    form->ToSpeedButton->click();
    form->LetterButtons['V' - 'A']->click();
    QCOMPARE(form->ToComboBox->currentText(), offered.last());
    QVERIFY(!form->DownloadButton->isEnabled());
    // The window was shown with its text and the file bar followed the body.
    QCOMPARE(progress.windowTitle(), QString::fromLatin1(Message(msg::Downloading)));
    QVERIFY(!progress.isVisible());
    QCOMPARE(progress.PrismBar->Progress(), 100);

    QCOMPARE(env->dir.Read(QStringLiteral("rt.dt")), EncodeRateFile(Rates()));
    QVERIFY(env->dir.Exists(QStringLiteral("temp.html")));
    form.reset();
    QVERIFY(!env->dir.Exists(QStringLiteral("temp.html")));
}

void DownloadTest::attemptOutcomes() {
    const QString failed = QString::fromLatin1(Message(msg::DownloadFailed)) + "\n\n";
    const QString parse = QString::fromLatin1(Message(msg::ParseError));
    const QString offline = QString::fromLatin1(Message(msg::NotConnected));
    const struct {
        const char* name;
        const char* path; // nullptr: a port nobody listens on
        bool connected, autoDownload;
        bool press; // the Download button, once the timer's attempt is over
        QList<Answer> answers;
        QStringList messageStarts;
        int hits;
        bool stored;
        // Monday's rates on Tuesday at 10:00, bias 300: new ones in 3 hours.
        bool beforeTheHour = false;
    } cases[] = {
        {"page does not parse", "/cut.html", true, true, false, {}, {parse}, 1, false},
        {"404, cancel", "/missing.html", true, true, false, {}, {failed}, 1, false},
        {"404, yes re-arms",
         "/missing.html",
         true,
         true,
         false,
         {Answer::Yes},
         {failed, failed},
         2,
         false},
        {"refused, cancel", nullptr, true, true, false, {}, {failed}, 0, false},
        {"offline, cancel", "/rates.html", false, true, false, {}, {offline}, 0, false},
        {"offline, retry fetches anyway",
         "/rates.html",
         false,
         true,
         false,
         {Answer::Retry},
         {offline},
         1,
         true},
        {"automatic off: the button fetches", "/rates.html", true, false, true, {}, {}, 1, true},
        // Nothing would be fetched, so there is nothing to ask.
        {"automatic off, offline: the start asks nothing",
         "/rates.html",
         false,
         false,
         false,
         {},
         {},
         0,
         false},
        {"the button before the hour",
         "/rates.html",
         true,
         false,
         true,
         {},
         {HoursMessage(3)},
         0,
         false,
         true},
    };
    for (const auto& c : cases) {
        qInfo("%s", c.name);
        form.reset();
        env.reset(); // the old capture uninstalls itself before the new one installs
        env = std::make_unique<FormEnvironment>();
        PageServer server;
        FakePlatform platform;
        platform.connected = c.connected;
        const double newest = c.beforeTheHour ? DateValueFromYmd(2026, 12, 7) : kFixtureNewestDate;
        if (c.beforeTheHour)
            platform.now = QDateTime(QDate(2026, 12, 8), QTime(10, 0));
        SetPlatform(&platform);
        const auto restore = qScopeGuard([] { SetPlatform(nullptr); });
        ConfigRecord config = DefaultConfig();
        config.AutoDownload = c.autoDownload;
        config.RatePageAddress = c.path ? server.Url(c.path) : "http://127.0.0.1:1/rates.html";
        env->WriteConfig(config);
        env->WriteRates(FullRateStore(newest));
        env->messages.answers = c.answers;
        env->downloads = true;
        TProgressForm progress;
        form = env->Open();
        if (c.press) {
            QTRY_VERIFY(form->DownloadButton->isEnabled() && !form->DownloadTimer->isActive());
            QTest::mouseClick(form->DownloadButton, Qt::LeftButton);
        }

        if (c.stored) {
            QTRY_COMPARE_WITH_TIMEOUT(form->DataDateLabel->text(), DataDateText(kSampleDate),
                                      10000);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(env->messages.texts.size(), c.messageStarts.size(), 10000);
            QTRY_VERIFY(form->DownloadButton->isEnabled());
        }
        QTest::qWait(150); // no late attempt follows
        QCOMPARE(env->messages.texts.size(), c.messageStarts.size());
        for (qsizetype i = 0; i < c.messageStarts.size(); ++i)
            QVERIFY2(env->messages.texts[i].startsWith(c.messageStarts[i]),
                     qPrintable(env->messages.texts[i]));
        QCOMPARE(server.hits.load(), c.hits);
        QVERIFY(!form->DownloadTimer->isActive() && !progress.isVisible());
        QCOMPARE(form->DownloadButton->isEnabled(), !c.stored || !c.autoDownload);
        // Without new rates the store is what "rt.dt" holds.
        QCOMPARE(Configuration().DataDate, c.stored ? kSampleDate : newest);
        if (!c.stored)
            QCOMPARE(EncodeRateFile(Rates()), EncodeRateFile(FullRateStore(newest)));
    }
}

// A download that crawls on: Cancel, Esc and closing the progress window each
// end the transfer at once and leave the rates and files as they were.
void DownloadTest::cancelStopsTheTransferAndKeepsTheRates() {
    const struct {
        const char* name;
        void (*stop)(TProgressForm& progress);
    } cases[] = {
        {"Cancel", [](TProgressForm& p) { QTest::mouseClick(p.CancelButton, Qt::LeftButton); }},
        {"Esc", [](TProgressForm& p) { QTest::keyClick(&p, Qt::Key_Escape); }},
        {"closed", [](TProgressForm& p) { p.close(); }},
    };
    for (const auto& c : cases) {
        qInfo("%s", c.name);
        form.reset();
        env.reset();
        env = std::make_unique<FormEnvironment>();
        PageServer server;
        ConfigRecord config = DefaultConfig();
        config.AutoDownload = 1;
        config.RatePageAddress = server.Url("/slow.html");
        env->WriteConfig(config);
        env->WriteRates(FullRateStore());
        const QByteArray rates = env->dir.Read(QStringLiteral("rt.dt"));
        env->downloads = true;
        TProgressForm progress;
        form = env->Open();
        QTRY_VERIFY_WITH_TIMEOUT(progress.isVisible() && progress.PrismBar->Progress() > 0, 10000);
        QVERIFY(progress.CancelButton->isVisible());

        c.stop(progress);
        QVERIFY(!progress.isVisible());
        QTRY_VERIFY(server.clientLeft);
        QVERIFY(form->DownloadButton->isEnabled());
        QCOMPARE(Configuration().DataDate, kFixtureNewestDate);
        QCOMPARE(env->dir.Read(QStringLiteral("rt.dt")), rates);
        QCOMPARE(QDir(env->dir.Path(QStringLiteral(".")))
                     .entryList(QDir::Files | QDir::Hidden)
                     .filter("temp.html"),
                 QStringList());
        QCOMPARE(env->messages.texts, QStringList());
    }
}

// Another program keeps the data folder's lock while the page arrives: the
// window asks whether to wait on; Retry once it is free stores the page,
// Cancel keeps the old rates and says nothing was saved.
void DownloadTest::aHeldLockAsksToRetry() {
    DirLock::SetWaitLimit(std::chrono::milliseconds(300));
    DirLock::SetWaitHandlers({nullptr, AskToWaitForLock});
    const auto restore = qScopeGuard([] {
        DirLock::SetWaitLimit(std::chrono::seconds(5));
        DirLock::SetWaitHandlers({});
    });
    // Answers the lock's question after letting the lock go (or not).
    class Answering final : public MessageBoxes {
    public:
        Answer Show(QWidget*, Kind, const QString& text, Buttons buttons) override {
            texts << text;
            if (buttons != Buttons::RetryCancel)
                return Answer::Ok;
            if (release && held >= 0) {
                ::close(held);
                held = -1;
            }
            return release ? Answer::Retry : Answer::Cancel;
        }
        QStringList texts;
        bool release = false;
        int held = -1;
    };
    for (const bool retry : {true, false}) {
        qInfo(retry ? "Retry" : "Cancel");
        form.reset();
        env.reset();
        env = std::make_unique<FormEnvironment>();
        PageServer server;
        ConfigRecord config = DefaultConfig();
        config.AutoDownload = 1;
        config.RatePageAddress = server.Url("/rates.html");
        env->WriteConfig(config);
        env->WriteRates(FullRateStore());
        const QByteArray rates = env->dir.Read(QStringLiteral("rt.dt"));
        Answering answering;
        answering.release = retry;
        // Held through a descriptor of its own, as another process would.
        answering.held = ::open(QFile::encodeName(DirLock::LockPath()).constData(),
                                O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        QVERIFY(answering.held >= 0 && ::flock(answering.held, LOCK_EX) == 0);
        const auto close = qScopeGuard([&] {
            if (answering.held >= 0)
                ::close(answering.held);
        });
        env->downloads = true;
        form = env->Open();
        SetMessageBoxes(&answering);
        const auto back = qScopeGuard([this] { SetMessageBoxes(&env->messages); });
        QTRY_VERIFY_WITH_TIMEOUT(
            !answering.texts.isEmpty() && form->DownloadButton->isEnabled() != retry, 10000);
        QTest::qWait(100);
        const QString held = "held the lock \"" + DirLock::LockPath() + "\"";
        QVERIFY2(answering.texts[0].startsWith("Another program has " + held),
                 qPrintable(answering.texts[0]));
        if (retry) {
            QCOMPARE(answering.texts.size(), 1);
            QCOMPARE(Configuration().DataDate, kSampleDate);
        } else {
            QCOMPARE(answering.texts.size(), 2);
            QVERIFY2(
                answering.texts[1].startsWith("Nothing was saved: another program has " + held),
                qPrintable(answering.texts[1]));
            QCOMPARE(Configuration().DataDate, kFixtureNewestDate);
            QCOMPARE(env->dir.Read(QStringLiteral("rt.dt")), rates);
        }
    }
}

QTEST_MAIN(DownloadTest)
#include "download_test.moc"
