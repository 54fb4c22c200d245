// The main window's dialogs: the first-run shortcut offer and the options
// dialog behind the "Options" button.
#include "form_fixture.h"

#include "settings/options_form.h"
#include "shell/shell_requests.h"
#include "shell/startmenu_form.h"
#include "when_shown.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace kestrum;
using namespace kestrum::test;

namespace {

class ShellCapture final : public ShellRequests {
public:
    ShellCapture() { SetShellRequests(this); }
    ~ShellCapture() override { SetShellRequests(nullptr); }
    bool Open(const QUrl& url) override {
        urls << url;
        return false; // a failing request must not be reported
    }
    QList<QUrl> urls;
};

// Opens the options dialog with the window's button, runs action inside its
// modal loop and returns once the dialog has closed.
void WithOptions(TKestrumForm* form, std::function<void(TOptionsForm*)> action) {
    WhenShown<TOptionsForm>(std::move(action));
    QTest::mouseClick(form->dxButton1, Qt::LeftButton);
}

} // namespace

class DialogsTest : public FormTest {
    Q_OBJECT

private slots:
    void firstRunOffersShortcuts_data();
    void firstRunOffersShortcuts();
    void leavingWithoutOkWritesNothing_data();
    void leavingWithoutOkWritesNothing();
    void okWithoutChangeSavesOnce();
    void showsTheRecord_data();
    void showsTheRecord();
    void newFormatAtNextConversion();
    void lowerButtons_data();
    void lowerButtons();
    void startupOpensPlacementOnTop();
};

void DialogsTest::firstRunOffersShortcuts_data() {
    QTest::addColumn<QByteArray>("config"); // empty: no file
    QTest::addColumn<int>("offers");
    QTest::newRow("first run") << QByteArray() << 1;
    QTest::newRow("configured") << SerializeConfig(DefaultConfig()) << 0;
    QTest::newRow("unreadable") << QByteArray("short") << 0;
}

void DialogsTest::firstRunOffersShortcuts() {
    QFETCH(QByteArray, config);
    QFETCH(int, offers);
    if (!config.isEmpty())
        env->dir.Write(QStringLiteral("kestrumconfig"), config);
    form = env->Open();
    // The offer comes before the window is on screen.
    QCOMPARE(env->shortcutOffersWhileShown, QList<bool>(offers, false));
}

void DialogsTest::leavingWithoutOkWritesNothing_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Cancel") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("closed") << 2;
}

void DialogsTest::leavingWithoutOkWritesNothing() {
    QFETCH(int, way);
    env->WriteConfig(DefaultConfig());
    form = env->Open();
    const QByteArray config = env->dir.Read(QStringLiteral("kestrumconfig"));
    const QByteArray backup = env->dir.Read(QStringLiteral("kestrumconfig.bak"));
    const QByteArray record = SerializeConfig(Configuration());
    WithOptions(form.get(), [way](TOptionsForm* options) {
        options->AutoCheckBox->click();
        options->CurrencyRadioButton->click();
        options->RoundCheckBox->click();
        if (way == 0)
            QTest::mouseClick(options->BitBtn2, Qt::LeftButton);
        else if (way == 1)
            QTest::keyClick(options, Qt::Key_Escape);
        else
            options->close();
    });
    QCOMPARE(env->dir.Read(QStringLiteral("kestrumconfig")), config);
    QCOMPARE(env->dir.Read(QStringLiteral("kestrumconfig.bak")), backup);
    QCOMPARE(SerializeConfig(Configuration()), record);
}

void DialogsTest::okWithoutChangeSavesOnce() {
    env->WriteConfig(DefaultConfig());
    form = env->Open();
    // A marker on disk: one save moves it to the backup, a second would not.
    ConfigRecord marker = Configuration();
    marker.CashRate = 7.5;
    env->WriteConfig(marker);
    WithOptions(form.get(),
                [](TOptionsForm* options) { QTest::mouseClick(options->BitBtn1, Qt::LeftButton); });
    QCOMPARE(env->dir.Read(QStringLiteral("kestrumconfig.bak")), SerializeConfig(marker));
    QCOMPARE(env->dir.Read(QStringLiteral("kestrumconfig")), SerializeConfig(Configuration()));
}

void DialogsTest::showsTheRecord_data() {
    QTest::addColumn<bool>("set");
    QTest::newRow("default record") << false;
    QTest::newRow("all three set") << true;
}

void DialogsTest::showsTheRecord() {
    QFETCH(bool, set);
    ConfigRecord record = DefaultConfig();
    record.AutoDownload = set ? 1 : 0;
    record.CurrencyFormat = set ? 1 : 0;
    record.RoundToCent = set ? 1 : 0;
    env->WriteConfig(record);
    form = env->Open();
    OptionValues shown;
    bool numberChecked = false;
    WithOptions(form.get(), [&](TOptionsForm* options) {
        shown = options->Values();
        numberChecked = options->NumberRadioButton->isChecked();
        options->reject();
    });
    QCOMPARE(shown.autoDownload, set);
    QCOMPARE(shown.currencyFormat, set);
    QCOMPARE(numberChecked, !set);
    QCOMPARE(shown.roundToCent, set);
}

void DialogsTest::newFormatAtNextConversion() {
    env->WriteConfig(DefaultConfig());
    env->WriteRates(FullRateStore());
    form = env->Open();
    Type(form->SourceEdit, QStringLiteral("1234.5"));
    QTest::keyClick(form->SourceEdit, Qt::Key_Return);
    const QString before = form->ConvertEdit->text();
    WithOptions(form.get(), [](TOptionsForm* options) {
        options->CurrencyRadioButton->click();
        options->RoundCheckBox->click();
        QTest::mouseClick(options->BitBtn1, Qt::LeftButton);
    });
    QCOMPARE(form->ConvertEdit->text(), before);
    QCOMPARE(int(env->SavedConfig().CurrencyFormat), 1);
    QCOMPARE(int(env->SavedConfig().RoundToCent), 1);

    form->SourceEdit->setFocus();
    QTest::keyClick(form->SourceEdit, Qt::Key_Return);
    const QString after = ExpectedResult(Loaded(FullRateStore()), Configuration(), 0, 1, 1234.5);
    QCOMPARE(form->ConvertEdit->text(), after);
    QVERIFY(after != before);
}

void DialogsTest::lowerButtons_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QUrl>("url");
    QTest::newRow("Software") << 1
                              << QUrl(QStringLiteral("http://www.kestrum.example/software.html"));
    QTest::newRow("Email") << 3
                           << QUrl(
                                  QStringLiteral("mailto:support@kestrum.example?subject=Kestrum"));
    QTest::newRow("Help") << 4
                          << QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                                 QStringLiteral("/currency_converter.html"));
}

void DialogsTest::lowerButtons() {
    QFETCH(int, button);
    QFETCH(QUrl, url);
    env->WriteConfig(DefaultConfig());
    form = env->Open();
    env->messages.Clear();
    ShellCapture shell;
    bool stillOpen = false;
    WithOptions(form.get(), [&](TOptionsForm* options) {
        QToolButton* buttons[] = {options->dxButton1, options->dxButton2, options->dxButton3,
                                  options->dxButton4};
        QTest::mouseClick(buttons[button - 1], Qt::LeftButton);
        stillOpen = options->isVisible();
        options->reject();
    });
    QCOMPARE(shell.urls, QList<QUrl>{url});
    QVERIFY(stillOpen);
    QVERIFY(env->messages.texts.isEmpty());
}

void DialogsTest::startupOpensPlacementOnTop() {
    env->WriteConfig(DefaultConfig());
    form = env->Open();
    SetStartmenuFormOpener({}); // the real placement dialog
    bool placementOwnedByOptions = false;
    bool placementOnTop = false;
    bool optionsOpenAfter = false;
    OptionValues before, after;
    WithOptions(form.get(), [&](TOptionsForm* options) {
        options->RoundCheckBox->click();
        before = options->Values();
        WhenShown<TStartmenuForm>([&, options](TStartmenuForm* placement) {
            placementOwnedByOptions = placement->parentWidget() == options;
            placementOnTop = QApplication::activeModalWidget() == placement;
            QTest::mouseClick(placement->CancelButton, Qt::LeftButton);
        });
        QTest::mouseClick(options->dxButton2, Qt::LeftButton);
        optionsOpenAfter = options->isVisible() && QApplication::activeModalWidget() == options;
        after = options->Values();
        options->reject();
    });
    QVERIFY(placementOwnedByOptions);
    QVERIFY(placementOnTop);
    QVERIFY(optionsOpenAfter);
    QCOMPARE(after.roundToCent, before.roundToCent);
    QCOMPARE(after.autoDownload, before.autoDownload);
    QCOMPARE(after.currencyFormat, before.currencyFormat);
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
