// The main window's dialogs: the first-run shortcut offer and the options
// dialog behind the "Options" button.
#include "form_fixture.h"

#include "app/cash_rate_form.h"
#include "grids/rate_grid_form.h"
#include "settings/language.h"
#include "settings/options_form.h"
#include "shell/shell_requests.h"
#include "shell/start_menu_tree_form.h"
#include "shell/startmenu_form.h"
#include "update/progress_form.h"
#include "when_shown.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <QToolButton>

using namespace kestrum;
using namespace kestrum::test;

namespace {

struct ShellCapture final : ShellRequests {
    ShellCapture() { SetShellRequests(this); }
    ~ShellCapture() override { SetShellRequests(nullptr); }
    bool Open(const QUrl& url) override {
        urls << url;
        return opens;
    }
    QList<QUrl> urls;
    bool opens = true; // false: the desktop has no program for it
};

} // namespace

class DialogsTest : public FormTest {
    Q_OBJECT

    QByteArray File(const char* name) const { return env->dir.Read(QLatin1String(name)); }

private slots:
    void firstRunOffersShortcuts_data() {
        QTest::addColumn<QByteArray>("config"); // empty: no file
        QTest::newRow("first run") << QByteArray();
        QTest::newRow("configured") << SerializeConfig(DefaultConfig());
        QTest::newRow("unreadable") << QByteArray("short");
    }
    void firstRunOffersShortcuts() {
        QFETCH(QByteArray, config);
        if (!config.isEmpty())
            env->dir.Write(QStringLiteral("kestrumconfig"), config);
        form = env->Open();
        // Offered once, before the window is on screen, and only on a first run.
        QCOMPARE(env->shortcutOffersWhileShown, QList<bool>(config.isEmpty() ? 1 : 0, false));
    }

    void leavingWithoutOkWritesNothing_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("closed") << 2;
    }
    void leavingWithoutOkWritesNothing() {
        QFETCH(int, way);
        env->WriteConfig(DefaultConfig());
        form = env->Open();
        const QByteArray config = File("kestrumconfig"), backup = File("kestrumconfig.bak");
        bool defaultsShown = false;
        WhenShown<TOptionsForm>([&](TOptionsForm* options) {
            // The default record: number format, no rounding.
            defaultsShown =
                options->NumberRadioButton->isChecked() &&
                !options->CurrencyRadioButton->isChecked() && options->AutoCheckBox->isChecked() &&
                !options->RoundCheckBox->isChecked() && options->FillCheckBox->isChecked();
            options->AutoCheckBox->click();
            options->CurrencyRadioButton->click();
            options->RoundCheckBox->click();
            options->FillCheckBox->click();
            if (way == 0)
                QTest::mouseClick(options->BitBtn2, Qt::LeftButton);
            else if (way == 1)
                QTest::keyClick(options, Qt::Key_Escape);
            else
                options->close();
        });
        QTest::mouseClick(form->dxButton1, Qt::LeftButton); // returns once the dialog closed
        QVERIFY(defaultsShown);
        QCOMPARE(File("kestrumconfig"), config);
        QCOMPARE(File("kestrumconfig.bak"), backup);
        QCOMPARE(SerializeConfig(Configuration()), config);
        QVERIFY(FillFromOtherSource());
    }

    void okWithoutChangeSavesOnce() {
        env->WriteConfig(DefaultConfig());
        form = env->Open();
        // A marker on disk: one save moves it to the backup, a second would not.
        ConfigRecord marker = Configuration();
        marker.CashRate = 7.5;
        env->WriteConfig(marker);
        TOptionsForm options(form.get());
        QTest::mouseClick(options.BitBtn1, Qt::LeftButton);
        QCOMPARE(File("kestrumconfig.bak"), SerializeConfig(marker));
        QCOMPARE(File("kestrumconfig"), SerializeConfig(Configuration()));
    }

    void newFormatAtNextConversion() {
        env->WriteConfig(DefaultConfig());
        env->WriteRates(FullRateStore());
        form = env->Open();
        Type(form->SourceEdit, QStringLiteral("1234.5\r"));
        const QString before = form->ConvertEdit->text();
        WhenShown<TOptionsForm>([](TOptionsForm* options) {
            options->CurrencyRadioButton->click();
            options->RoundCheckBox->click();
            options->FillCheckBox->click();
            QTest::mouseClick(options->BitBtn1, Qt::LeftButton);
        });
        QTest::mouseClick(form->dxButton1, Qt::LeftButton); // returns once the dialog closed
        QCOMPARE(form->ConvertEdit->text(), before);
        QCOMPARE(File("kestrumconfig"), SerializeConfig(Configuration()));
        QVERIFY(Configuration().CurrencyFormat && Configuration().RoundToCent);
        QVERIFY(!FillFromOtherSource());
        QTest::keyClick(form->SourceEdit, Qt::Key_Return);
        const QString after =
            ExpectedResult(Loaded(FullRateStore()), Configuration(), 0, 1, 1234.5);
        QCOMPARE(form->ConvertEdit->text(), after);
        QVERIFY(after != before);
    }

    // A 1920 x 1080 screen at scale 2 is 960 x 540 here, less a panel and a
    // title bar; 1366 x 768 at scale 1 is larger in both directions.
    void everyWindowFitsASmallScreen() {
        env->WriteRates(FullRateStore());
        form = env->Open();
        TOptionsForm options;
        TStartmenuForm shortcuts;
        TStartMenuTreeForm chooser;
        TCashRateForm cashRate;
        TProgressForm progress;
        TCRateForm grid;
        const QList<QWidget*> windows{form.get(), &options,  &shortcuts, &chooser,
                                      &cashRate,  &progress, &grid};
        for (QWidget* window : windows) {
            // Fixed sizes, or the least a window that opens maximised can have.
            const QSize size = window->minimumSize().expandedTo(window->minimumSizeHint());
            QVERIFY2(size.width() <= 960 && size.height() + 32 + 40 <= 540,
                     qPrintable(window->objectName()));
        }
    }

    void lowerButtons() {
        QFETCH(bool, pagePresent);
        // The page is looked for beside the executable, here the test's.
        const QString page =
            QCoreApplication::applicationDirPath() + QStringLiteral("/currency_converter.html");
        QFile::remove(page);
        const auto removePage = qScopeGuard([&] { QFile::remove(page); });
        if (pagePresent) {
            QFile file(page);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        ShellCapture shell;
        SetStartmenuFormOpener({}); // the real placement dialog
        TOptionsForm options;
        options.show();
        options.RoundCheckBox->click();
        for (QToolButton* button : {options.dxButton1, options.dxButton4})
            QTest::mouseClick(button, Qt::LeftButton);
        QUrl about = QUrl::fromLocalFile(page);
        about.setFragment(QStringLiteral("about"));
        if (pagePresent) {
            QCOMPARE(shell.urls, (QList<QUrl>{about, QUrl::fromLocalFile(page)}));
            QVERIFY(env->messages.texts.isEmpty());
        } else {
            // One box per click, naming the page; nothing is handed to the desktop.
            QCOMPARE(shell.urls, QList<QUrl>());
            QCOMPARE(env->messages.texts.size(), 2);
            QVERIFY(env->messages.texts[1].contains(page) &&
                    env->messages.texts[1].contains(QLatin1String("cannot be found")));
            env->messages.Clear();
        }
        // Only a build with a support address offers e-mail.
        const QString support = QStringLiteral(KESTRUM_SUPPORT_ADDRESS);
        QCOMPARE(options.dxButton3->isVisibleTo(&options), !support.isEmpty());
        if (!support.isEmpty()) {
            shell.urls.clear();
            QTest::mouseClick(options.dxButton3, Qt::LeftButton);
            QCOMPARE(shell.urls,
                     QList<QUrl>{QUrl(QStringLiteral("mailto:%1?subject=Kestrum").arg(support))});
        }
        bool onTop = false;
        WhenShown<TStartmenuForm>([&](TStartmenuForm* placement) {
            onTop = placement->parentWidget() == &options &&
                    QApplication::activeModalWidget() == placement;
            QTest::mouseClick(placement->CancelButton, Qt::LeftButton);
        });
        QTest::mouseClick(options.dxButton2, Qt::LeftButton);
        QVERIFY(onTop);
        // None closes the dialog or changes it.
        QVERIFY(options.isVisible() && options.RoundCheckBox->isChecked());
        QVERIFY(env->messages.texts.isEmpty());
        QCOMPARE(env->shellFolders.Files(), QStringList());
    }

    // Without xdg-open nothing would happen but a line on standard error:
    // the user is told, and where the page is. In French the French page.
    void noLauncherIsSaid() {
        const QString dir = QCoreApplication::applicationDirPath();
        for (const char* name : {"/currency_converter.html", "/currency_converter_fr.html"}) {
            QFile file(dir + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const auto removePages = qScopeGuard([&] {
            QFile::remove(dir + QStringLiteral("/currency_converter.html"));
            QFile::remove(dir + QStringLiteral("/currency_converter_fr.html"));
        });
        ShellCapture shell;
        shell.opens = false;
        UseLanguage(kLanguageFrench);
        TOptionsForm options;
        QTest::mouseClick(options.dxButton4, Qt::LeftButton);
        QCOMPARE(shell.urls, QList<QUrl>{QUrl::fromLocalFile(
                                 dir + QStringLiteral("/currency_converter_fr.html"))});
        QCOMPARE(env->messages.texts.size(), 1);
        QVERIFY2(env->messages.texts[0].contains(QLatin1String("xdg-utils")) &&
                     env->messages.texts[0].contains(QLatin1String("currency_converter_fr.html")),
                 qPrintable(env->messages.texts[0]));
    }
    void lowerButtons_data() {
        QTest::addColumn<bool>("pagePresent");
        QTest::newRow("help page present") << true;
        QTest::newRow("help page missing") << false;
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
