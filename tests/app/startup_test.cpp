// Start-up, layout and close-down of the calculator window.
#include "form_fixture.h"

#include "settings/build_info.h"

#include "data/catalogue.h"
#include "data/dates.h"
#include "data/rate_files.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTime>
#include <QTimer>
#include <QToolButton>

using namespace kestrum;
using namespace kestrum::test;

namespace {

const QString kMissingRateFile = QStringLiteral("Error : Missing Rate Data File");
const QString kRateFileLoadError = QStringLiteral("Error loading rate data file");

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QString Caption(const QWidget* widget) {
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* box = qobject_cast<const QGroupBox*>(widget))
        return box->title();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    return {};
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void firstRunWritesDefaults();
    void windowFrame();
    void controlPlacement_data();
    void controlPlacement();
    void rateFileStates_data();
    void rateFileStates();
    void frenchNamesWithEnglishQuickFind();
    void cashRateRestored_data();
    void cashRateRestored();
    void downloadButtonFollowsAutoDownload_data();
    void downloadButtonFollowsAutoDownload();
    void unreadableConfigurationFallsBackToDefaults();
    void closingSavesAndRemovesPage();
    void clockAndToday();
};

void StartupTest::firstRunWritesDefaults() {
    FormEnvironment env;
    auto form = env.Open(false);

    const QByteArray written = env.dir.Read(QStringLiteral("kestrumconfig"));
    QCOMPARE(written.size(), 545);
    // No rates: the data date stays "none", everything else is a default.
    QCOMPARE(written, SerializeConfig(DefaultConfig()));
    QCOMPARE(env.messages.texts, QStringList({kMissingRateFile, kRateFileLoadError}));
    QVERIFY(env.watchdog.unexpected.isEmpty());
}

void StartupTest::windowFrame() {
    FormEnvironment env;
    env.WriteRates(FullRateStore());
    auto form = env.Open();

    // The one version of the build, as --version prints it.
    QCOMPARE(form->windowTitle(), QStringLiteral("Kestrum ") + QLatin1String(build::kVersion));
    QCOMPARE(form->size(), QSize(622, 428));
    QCOMPARE(form->minimumSize(), QSize(622, 428));
    QCOMPARE(form->maximumSize(), QSize(622, 428));
    QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(form->SourceEdit->maxLength(), 32);
    QVERIFY(form->ConvertEdit->isReadOnly());
    QVERIFY(form->FromSpeedButton->isChecked());
    QVERIFY(!form->ToSpeedButton->isChecked());
    QVERIFY(form->RadioItems[0]->isChecked());
    QCOMPARE(form->RadioItems[0]->text(), QStringLiteral("E&nglish"));
    QCOMPARE(form->RadioItems[1]->text(), QStringLiteral("F&ran\u00e7ais"));
    QCOMPARE(form->FromSpeedButton->toolTip(),
             QStringLiteral("Quick find searches the Convert from list"));
    QCOMPARE(form->ToSpeedButton->toolTip(),
             QStringLiteral("Quick find searches the Convert to list"));
    QVERIFY(!form->dxButton2->isHidden());
    QCOMPARE(form->dxButton2->isEnabled(),
             form->FromComboBox->currentIndex() >= 0 && form->ToComboBox->currentIndex() >= 0);
    // The logo drawn when the program was built fills its place.
    // Drawn at twice the pixels, so it stays sharp at 200 %.
    const QPixmap drawn = form->Image1->pixmap();
    QCOMPARE(drawn.deviceIndependentSize(), QSizeF(318, 42));
    const QImage logo = drawn.toImage();
    QCOMPARE(logo.size(), QSize(636, 84));
    QCOMPARE(logo.pixelColor(logo.width() / 2, logo.height() / 2).alpha(), 255);
    QVERIFY(env.watchdog.unexpected.isEmpty());
}

void StartupTest::controlPlacement_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");  // empty: not checked
    QTest::addColumn<QPoint>("pos");      // negative: not checked
    QTest::addColumn<int>("width");       // 0: not checked
    QTest::addColumn<int>("height");      // 0: not checked
    QTest::addColumn<QString>("caption"); // empty: not checked

    auto row = [](const char* tag, const char* name, const char* parent, QPoint pos, int w, int h,
                  const QString& caption) {
        QTest::newRow(tag) << QString::fromLatin1(name) << QString::fromLatin1(parent) << pos << w
                           << h << caption;
    };
    const QPoint any(-1, -1);
    row("1", "Button3", "Panel5", {8, 8}, 50, 40, "1");
    row("2", "Button4", "Panel5", {68, 8}, 50, 40, "2");
    row("6", "Button8", "Panel5", {308, 8}, 50, 40, "6");
    row("7", "Button9", "Panel5", {8, 56}, 50, 40, "7");
    row("9", "Button11", "Panel5", {128, 56}, 50, 40, "9");
    row("0", "Button0", "Panel5", {188, 56}, 50, 40, "0");
    row("dot", "DotButton", "Panel5", {248, 56}, 50, 40, ".");
    row("enter", "EnterButton", "Panel5", {308, 56}, 50, 40, "Enter");
    row("comma", "CommaButton", "Panel5", {8, 104}, 50, 25, "Comma");
    row("clear", "ClearButton", "Panel5", {68, 104}, 50, 25, "Clear");
    row("fee box", "CashRateEdit", "Panel5", {272, 104}, 41, 0, "4");
    row("fee check", "PercentCheckBox", "Panel5", any, 0, 0, "Cas&h Rate %");
    row("info", "BitBtn2", "Panel5", {324, 104}, 26, 25, "");
    row("keypad", "Panel5", "", {16, 94}, 370, 136, "");
    row("amount", "SourceEdit", "Panel6", {16, 12}, 201, 0, "");
    row("result", "ConvertEdit", "Panel12", {16, 12}, 201, 0, "");
    row("from", "FromComboBox", "", {112, 242}, 409, 0, "");
    row("to", "ToComboBox", "", {112, 274}, 409, 0, "");
    row("from text", "StaticText4", "", {16, 248}, 0, 0, "Convert &from");
    row("to text", "StaticText1", "", {16, 280}, 0, 0, "Convert &to");
    row("quick find", "StaticText5", "", {392, 92}, 0, 0, "Quick Find...");
    row("letters", "FindPanel", "", {392, 118}, 129, 113, "");
    row("letter A", "AButton", "FindPanel", any, 18, 16, "A");
    row("letter T", "ButtonT", "FindPanel", any, 18, 16, "T");
    row("letter U", "uButton", "FindPanel", any, 18, 16, "U");
    row("letter V", "vButton", "FindPanel", any, 18, 16, "V");
    row("from toggle", "FromSpeedButton", "FindPanel", any, 36, 16, "From");
    row("to toggle", "ToSpeedButton", "FindPanel", any, 36, 16, "To");
    row("languages", "RadioGroup", "", {528, 10}, 76, 56, "");
    row("grids", "GroupBox", "", {528, 72}, 76, 97, "Grids");
    row("can grid", "CanGridButton", "GroupBox", {11, 26}, 50, 28, "&Can");
    row("us grid", "USGridButton", "GroupBox", {11, 58}, 50, 28, "&U.S.");
    row("options", "dxButton1", "", {524, 187}, 92, 42, "&Options");
    row("graphs", "dxButton2", "", {524, 250}, 92, 42, "&Graphs");
    row("top band", "Panel1", "KestrumForm", {0, 0}, 622, 57, "");
    row("logo", "Image1", "Panel1", {4, 8}, 318, 42, "");
    row("bottom band", "Panel3", "KestrumForm", {0, 384}, 622, 44, "");
    row("download", "DownloadButton", "Panel3", {16, 8}, 0, 28, "&Download");
    row("latest data", "StaticText2", "Panel3", {136, 5}, 0, 0, "Latest Data : ");
    row("data date", "DataDateLabel", "Panel3", {288, 5}, 0, 0, "Friday, June 3, 2005");
    row("today", "TodayLabel", "Panel13", {18, 12}, 0, 0, QString());
    row("time", "TimePanel", "Panel13", {249 - 86, 0}, 86, 0, QString());
}

void StartupTest::controlPlacement() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QPoint, pos);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, caption);

    FormEnvironment env;
    env.WriteRates(FullRateStore());
    auto form = env.Open(false);

    auto* widget = form->findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    if (!parent.isEmpty())
        QCOMPARE(widget->parentWidget()->objectName(), parent);
    if (pos.x() >= 0)
        QCOMPARE(widget->pos(), pos);
    if (width > 0)
        QCOMPARE(widget->width(), width);
    if (height > 0)
        QCOMPARE(widget->height(), height);
    if (!caption.isEmpty())
        QCOMPARE(Caption(widget), caption);
}

void StartupTest::rateFileStates_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<double>("dataDate");
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("downloadArmed");

    const QStringList canadianOnly{QStringLiteral("Canadian Dollar")};
    const RateStore full = FullRateStore();
    const double today = TodayDateValue();
    const RateStore fullToday = FullRateStore(today);
    const RateStore gap = RateStoreWithout({13});

    QTest::newRow("missing") << false << QByteArray()
                             << QStringList{kMissingRateFile, kRateFileLoadError} << -1.0 << "None"
                             << canadianOnly << true;
    // Four whole records and one byte short of the fifth: no current rates,
    // but the fourth day still dates the data.
    QTest::newRow("2239 bytes") << true << EncodeRateFile(full).left(2239)
                                << QStringList{kRateFileLoadError} << kFixtureNewestDate - 1
                                << "Thursday, June 2, 2005" << canadianOnly << true;
    QTest::newRow("empty") << true << QByteArray() << QStringList{kRateFileLoadError} << -1.0
                           << "None" << canadianOnly << true;
    QTest::newRow("full, older") << true << EncodeRateFile(full) << QStringList{}
                                 << kFixtureNewestDate << "Friday, June 3, 2005"
                                 << ListedNames(Loaded(full), kEnglish) << true;
    QTest::newRow("full, today") << true << EncodeRateFile(fullToday) << QStringList{} << today
                                 << LongDateText(today) << ListedNames(Loaded(fullToday), kEnglish)
                                 << false;
    QTest::newRow("one currency without rates")
        << true << EncodeRateFile(gap) << QStringList{} << kFixtureNewestDate
        << "Friday, June 3, 2005" << ListedNames(Loaded(gap), kEnglish) << true;
}

void StartupTest::rateFileStates() {
    QFETCH(bool, present);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, messages);
    QFETCH(double, dataDate);
    QFETCH(QString, dateText);
    QFETCH(QStringList, names);
    QFETCH(bool, downloadArmed);

    FormEnvironment env;
    if (present)
        env.dir.Write(QStringLiteral("rt.dt"), bytes);
    auto form = env.Open(false);

    // Before any event runs: a 50 ms tick would disarm it.
    QCOMPARE(form->DownloadTimer->isActive(), downloadArmed);
    QCOMPARE(env.messages.texts, messages);
    QCOMPARE(form->DataDateLabel->text(), dateText);
    QCOMPARE(env.SavedConfig().DataDate, dataDate);

    QCOMPARE(Items(form->FromComboBox), names);
    QCOMPARE(Items(form->ToComboBox), names);
    QCOMPARE(form->FromComboBox->currentIndex(), 0);
    QCOMPARE(form->ToComboBox->currentIndex(), names.size() > 1 ? 1 : 0);
    QCOMPARE(form->Label1->text(), names.at(0));
    QCOMPARE(form->Label2->text(), names.value(1, names.at(0)));
    QVERIFY(form->SourceEdit->text().isEmpty());
    QVERIFY(form->ConvertEdit->text().isEmpty());
    QVERIFY(!form->ResultShown);
    QVERIFY(env.watchdog.unexpected.isEmpty());
}

void StartupTest::frenchNamesWithEnglishQuickFind() {
    FormEnvironment env;
    ConfigRecord config = DefaultConfig();
    config.Language = 1;
    env.WriteConfig(config);
    const RateStore store = FullRateStore();
    env.WriteRates(store);
    auto form = env.Open();

    QVERIFY(form->RadioItems[1]->isChecked());
    QCOMPARE(Items(form->FromComboBox), ListedNames(Loaded(store), kFrench));
    QCOMPARE(Items(form->ToComboBox), ListedNames(Loaded(store), kFrench));
    QCOMPARE(form->FromComboBox->currentText(), QStringLiteral("Dollar canadien"));
    QCOMPARE(form->ToComboBox->currentText(), QStringLiteral("Dollar américain"));
    QCOMPARE(form->Label1->text(), QStringLiteral("Dollar canadien"));
    QCOMPARE(form->Label2->text(), QStringLiteral("Dollar américain"));
    QCOMPARE(env.SavedConfig().Language, std::uint8_t{1});
    QCOMPARE(form->DataDateLabel->text(), QStringLiteral("vendredi 3 juin 2005"));

    // The letters keep the English initials: D is the Danish krone, whose
    // French name starts with C, and never the first French "Dollar ...".
    const struct {
        char letter;
        const char* french;
    } cases[] = {{'J', "Dollar jamaïcain"},
                 {'U', "Dollar américain"},
                 {'D', "Couronne danoise"},
                 {'A', "Peso argentin"}};
    for (const auto& c : cases) {
        QTest::mouseClick(form->LetterButtons[c.letter - 'A'], Qt::LeftButton);
        QCOMPARE(form->FromComboBox->currentText(), QString::fromUtf8(c.french));
        QCOMPARE(form->Label1->text(), QString::fromUtf8(c.french));
    }
    QVERIFY(env.messages.texts.isEmpty());
    QVERIFY(env.watchdog.unexpected.isEmpty());
}

void StartupTest::cashRateRestored_data() {
    QTest::addColumn<int>("on");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("shown");

    QTest::newRow("on, 2.5") << 1 << 2.5 << "2.5";
    QTest::newRow("on, default") << 1 << 4.0 << "4";
    QTest::newRow("off, 12.75") << 0 << 12.75 << "12.75";
    QTest::newRow("off, zero") << 0 << 0.0 << "0";
    QTest::newRow("any non-zero byte is on") << 9 << 12.5 << "12.5";
}

void StartupTest::cashRateRestored() {
    QFETCH(int, on);
    QFETCH(double, rate);
    QFETCH(QString, shown);

    FormEnvironment env;
    ConfigRecord config = DefaultConfig();
    config.CashRateOn = static_cast<std::uint8_t>(on);
    config.CashRate = rate;
    env.WriteConfig(config);
    env.WriteRates(FullRateStore());
    auto form = env.Open();

    QCOMPARE(form->PercentCheckBox->isChecked(), on != 0);
    QCOMPARE(form->CashRateEdit->text(), shown);
    // Showing the stored values must not rewrite them.
    QCOMPARE(Configuration().CashRate, rate);
    QCOMPARE(Configuration().CashRateOn, std::uint8_t(on));
    QCOMPARE(env.SavedConfig().CashRate, rate);
    QCOMPARE(env.SavedConfig().CashRateOn, std::uint8_t(on));
    QVERIFY(env.messages.texts.isEmpty());
    QVERIFY(env.watchdog.unexpected.isEmpty());
}

void StartupTest::downloadButtonFollowsAutoDownload_data() {
    QTest::addColumn<int>("autoDownload");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("manual") << 0 << true;
    QTest::newRow("automatic") << 1 << false;
    QTest::newRow("automatic, other byte") << 0x80 << false;
}

void StartupTest::downloadButtonFollowsAutoDownload() {
    QFETCH(int, autoDownload);
    QFETCH(bool, enabled);

    FormEnvironment env;
    ConfigRecord config = DefaultConfig();
    config.AutoDownload = static_cast<std::uint8_t>(autoDownload);
    env.WriteConfig(config);
    env.WriteRates(FullRateStore());
    auto form = env.Open(false);

    QCOMPARE(form->DownloadButton->isEnabled(), enabled);
    QVERIFY(env.messages.texts.isEmpty());
}

void StartupTest::unreadableConfigurationFallsBackToDefaults() {
    FormEnvironment env;
    QVERIFY(QDir(env.dir.Path(QString())).mkdir(QStringLiteral("kestrumconfig")));
    env.WriteRates(FullRateStore());
    auto form = env.Open();

    const QString path = env.dir.Path(QStringLiteral("kestrumconfig"));
    QCOMPARE(env.messages.texts.size(), 1);
    const QString text = env.messages.texts.front();
    QVERIFY2(text.contains(path), qPrintable(text));
    // The reason follows the name.
    QVERIFY2(text.section(path, 1).size() > 4, qPrintable(text));
    QCOMPARE(env.messages.kinds.front(), MessageBoxes::Kind::Error);

    // Defaults throughout, and no first-run dialog.
    const ConfigRecord defaults = DefaultConfig();
    QCOMPARE(Configuration().Language, defaults.Language);
    QCOMPARE(Configuration().CashRate, defaults.CashRate);
    QCOMPARE(Configuration().RatePageAddress, defaults.RatePageAddress);
    QVERIFY(form->PercentCheckBox->isChecked());
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("4"));
    QVERIFY(form->RadioItems[0]->isChecked());
    QVERIFY(!form->DownloadButton->isEnabled());
    QCOMPARE(form->FromComboBox->count(), kCurrencyCount);
    QVERIFY(QFileInfo(path).isDir());

    // Later saves fail for the same reason; the user has been told already.
    QTest::mouseClick(form->RadioItems[1], Qt::LeftButton);
    QCOMPARE(form->FromComboBox->currentText(), QStringLiteral("Dollar canadien"));
    form.reset();
    QCOMPARE(env.messages.texts.size(), 1);
    QVERIFY(env.watchdog.unexpected.isEmpty());
}

void StartupTest::closingSavesAndRemovesPage() {
    FormEnvironment env;
    ConfigRecord config = DefaultConfig();
    config.Language = 1;
    config.CurrencyFormat = 1;
    config.AutoDownload = 0;
    env.WriteConfig(config);
    env.WriteRates(FullRateStore());
    env.dir.Write(QStringLiteral("temp.html"), QByteArrayLiteral("<html></html>"));
    auto form = env.Open();
    QVERIFY(QFile::remove(env.dir.Path(QStringLiteral("kestrumconfig.bak"))));

    // A fee typed but not yet saved; the box keeps the focus up to the close.
    form->CashRateEdit->setFocus();
    QTRY_VERIFY(form->CashRateEdit->hasFocus());
    QTest::keyClick(form->CashRateEdit, Qt::Key_End);
    QTest::keyClick(form->CashRateEdit, Qt::Key_Backspace);
    Type(form->CashRateEdit, QStringLiteral("7"));
    QCOMPARE(env.SavedConfig().CashRate, 4.0);

    QVERIFY(form->close());
    QVERIFY(!env.dir.Exists(QStringLiteral("temp.html")));
    QVERIFY(env.dir.Exists(QStringLiteral("kestrumconfig.bak")));
    QCoreApplication::processEvents();
    form.reset();

    // Whatever ran after the close must not have written a reset record.
    const ConfigRecord saved = env.SavedConfig();
    QCOMPARE(saved.CashRate, 7.0);
    QCOMPARE(saved.Language, std::uint8_t{1});
    QCOMPARE(saved.CurrencyFormat, std::uint8_t{1});
    QCOMPARE(saved.AutoDownload, std::uint8_t{0});
    QCOMPARE(saved.DataDate, kFixtureNewestDate);
    QVERIFY(env.messages.texts.isEmpty());
    QVERIFY(env.watchdog.unexpected.isEmpty());
}

void StartupTest::clockAndToday() {
    FormEnvironment env;
    env.WriteRates(FullRateStore());
    const QTime before = QTime::currentTime();
    const double todayBefore = TodayDateValue();
    auto form = env.Open(false);
    const QTime after = QTime::currentTime();
    const double todayAfter = TodayDateValue();

    static const QRegularExpression clock(QStringLiteral("^(1[0-2]|[1-9]):[0-5][0-9] (AM|PM)$"));
    const QString shown = form->TimePanel->text();
    QVERIFY2(clock.match(shown).hasMatch(), qPrintable(shown));
    const QStringList possible{ClockText(before.hour(), before.minute()),
                               ClockText(after.hour(), after.minute())};
    QVERIFY2(possible.contains(shown), qPrintable(shown));
    QVERIFY(form->ClockTimer->isActive());
    QVERIFY(form->ClockTimer->interval() <= 60000);

    const QStringList today{ShortDateText(todayBefore), ShortDateText(todayAfter)};
    QVERIFY2(today.contains(form->TodayLabel->text()), qPrintable(form->TodayLabel->text()));
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
