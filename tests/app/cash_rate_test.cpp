// The cash-rate fee control of the calculator window and its information
// dialog.
#include "form_fixture.h"

#include "app/cash_rate_form.h"
#include "data/number_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kestrum;
using namespace kestrum::test;

namespace {

constexpr double kStoredFee = 2.5;

// The window converts 100 Canadian dollars into U.S. dollars throughout.
QString ResultWithFee(double fee, bool on = true) {
    ConfigRecord config = DefaultConfig();
    config.CashRateOn = on ? 1 : 0;
    config.CashRate = fee;
    return ExpectedResult(Loaded(FullRateStore()), config, 0, 1, 100);
}

} // namespace

class CashRateTest : public FormTest {
    Q_OBJECT

    QByteArray savedBytes; // the settings file once the window is up

    void Open(bool feeOn = true, double fee = kStoredFee) {
        ConfigRecord config = DefaultConfig();
        config.CashRateOn = feeOn ? 1 : 0;
        config.CashRate = fee;
        env->WriteConfig(config);
        env->WriteRates(FullRateStore());
        form = env->Open();
        Type(form->SourceEdit, QStringLiteral("100"));
        QTest::keyClick(form->SourceEdit, Qt::Key_Return);
        QCOMPARE(form->ConvertEdit->text(), ResultWithFee(fee, feeOn));
        savedBytes = env->dir.Read(QStringLiteral("kestrumconfig"));
    }
    bool Saved() const { return env->dir.Read(QStringLiteral("kestrumconfig")) != savedBytes; }

    // Puts the caret into the fee box and empties it with the keyboard, in
    // one go so that no shorter number passes through the box.
    void EmptyFeeBox() {
        form->CashRateEdit->setFocus();
        QTRY_VERIFY(form->CashRateEdit->hasFocus());
        QTest::keyClick(form->CashRateEdit, Qt::Key_Home);
        QTest::keyClick(form->CashRateEdit, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(form->CashRateEdit, Qt::Key_Backspace);
        QVERIFY(form->CashRateEdit->text().isEmpty());
    }

private slots:

    void typingChangesFeeWithoutSaving();
    void typedFeeOutOfRangeLeavesTheBoxAtTheFeeInUse();
    void enterNormalisesAndSaves_data();
    void enterNormalisesAndSaves();
    void leavingNormalisesAndSaves_data();
    void leavingNormalisesAndSaves();
    void refusedKeys();
    void pastedText_data();
    void pastedText();
    void checkBox();
    void checkBoxAfterEditing();
    void informationDialog();
};

void CashRateTest::typingChangesFeeWithoutSaving() {
    Open();
    EmptyFeeBox();
    QCOMPARE(Configuration().CashRate, kStoredFee);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(kStoredFee));

    // Each keystroke that leaves a usable number converts at once.
    QTest::keyClick(form->CashRateEdit, '2');
    QCOMPARE(Configuration().CashRate, 2.0);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(2));
    QTest::keyClick(form->CashRateEdit, '.');
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("2."));
    QCOMPARE(Configuration().CashRate, 2.0);
    QTest::keyClick(form->CashRateEdit, '5');
    QCOMPARE(Configuration().CashRate, 2.5);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(2.5));
    QTest::keyClick(form->CashRateEdit, '5');
    QCOMPARE(Configuration().CashRate, 2.55);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(2.55));
    QVERIFY(!Saved());

    QTest::keyClick(form->CashRateEdit, Qt::Key_Return);
    QVERIFY(Saved());
    QCOMPARE(env->SavedConfig().CashRate, 2.55);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(2.55));

    // A dot typed first becomes "0." and changes nothing until a digit follows.
    EmptyFeeBox();
    QTest::keyClick(form->CashRateEdit, '.');
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("0."));
    QCOMPARE(form->CashRateEdit->cursorPosition(), 2);
    QCOMPARE(Configuration().CashRate, 2.55);
    QTest::keyClick(form->CashRateEdit, '7');
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("0.7"));
    QCOMPARE(Configuration().CashRate, 0.7);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(0.7));
    QCOMPARE(env->SavedConfig().CashRate, 2.55);
    QVERIFY(env->messages.texts.isEmpty());
}

void CashRateTest::typedFeeOutOfRangeLeavesTheBoxAtTheFeeInUse() {
    Open();
    EmptyFeeBox();
    Type(form->CashRateEdit, QStringLiteral("150"));
    QCOMPARE(env->messages.texts, QStringList{QString::fromLatin1(kFeeRangeMessage)});
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("15"));
    QCOMPARE(Configuration().CashRate, 15.0);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(15.0));
    QTest::keyClick(form->CashRateEdit, Qt::Key_Return);
    QCOMPARE(env->SavedConfig().CashRate, 15.0);
}

void CashRateTest::enterNormalisesAndSaves_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("fee");
    QTest::addColumn<bool>("saved");

    QTest::newRow("empty: nothing happens") << ""
                                            << "" << kStoredFee << false;
    QTest::newRow("zero") << "0"
                          << "4" << 4.0 << true;
    QTest::newRow("dot only") << "."
                              << "4" << 4.0 << true;
    QTest::newRow("trailing dot") << "5."
                                  << "5" << 5.0 << true;
    QTest::newRow("double zero") << "00"
                                 << "00" << 0.0 << true;
    QTest::newRow("zero point zero") << "0.0"
                                     << "0.0" << 0.0 << true;
    QTest::newRow("plain") << "12.50"
                           << "12.50" << 12.5 << true;
    QTest::newRow("99.5 percent") << "99.5"
                                  << "99.5" << 99.5 << true;
}

void CashRateTest::enterNormalisesAndSaves() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(double, fee);
    QFETCH(bool, saved);

    Open();
    EmptyFeeBox();
    Type(form->CashRateEdit, typed);
    QTest::keyClick(form->CashRateEdit, Qt::Key_Return);

    QCOMPARE(form->CashRateEdit->text(), shown);
    QCOMPARE(Configuration().CashRate, fee);
    QCOMPARE(Saved(), saved);
    if (saved)
        QCOMPARE(env->SavedConfig().CashRate, fee);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(fee));
    QVERIFY(env->messages.texts.isEmpty());
}

void CashRateTest::leavingNormalisesAndSaves_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byTab");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("fee");

    QTest::newRow("zero") << "0" << false << "4" << 4.0;
    QTest::newRow("empty") << "" << false << "4" << 4.0;
    QTest::newRow("dot only") << "." << false << "4" << 4.0;
    QTest::newRow("trailing dot") << "5." << false << "5" << 5.0;
    QTest::newRow("zero point zero") << "0.0" << false << "0.0" << 0.0;
    QTest::newRow("zero, by Tab") << "0" << true << "4" << 4.0;
    QTest::newRow("trailing dot, by Tab") << "7." << true << "7" << 7.0;
}

void CashRateTest::leavingNormalisesAndSaves() {
    QFETCH(QString, typed);
    QFETCH(bool, byTab);
    QFETCH(QString, shown);
    QFETCH(double, fee);

    Open();
    EmptyFeeBox();
    Type(form->CashRateEdit, typed);
    QVERIFY(!Saved());
    if (byTab)
        QTest::keyClick(form->CashRateEdit, Qt::Key_Tab);
    else
        QTest::mouseClick(form->SourceEdit, Qt::LeftButton);
    QTRY_VERIFY(!form->CashRateEdit->hasFocus());

    QCOMPARE(form->CashRateEdit->text(), shown);
    QCOMPARE(Configuration().CashRate, fee);
    QVERIFY(Saved());
    QCOMPARE(env->SavedConfig().CashRate, fee);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(fee));
    QVERIFY(env->messages.texts.isEmpty());
}

void CashRateTest::refusedKeys() {
    Open();
    form->CashRateEdit->setFocus();
    QTRY_VERIFY(form->CashRateEdit->hasFocus());
    QTest::keyClick(form->CashRateEdit, Qt::Key_End);
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("2.5"));

    for (const char key : {'.', 'a', 'Z', '-', '+', ',', ' ', 'e', '%'})
        QTest::keyClick(form->CashRateEdit, key);
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("2.5"));

    // The clipboard shortcuts arrive as control characters and are refused.
    QApplication::clipboard()->setText(QStringLiteral("9"));
    QTest::sendKeyEvent(QTest::Click, form->CashRateEdit, Qt::Key_V, QStringLiteral("\x16"),
                        Qt::ControlModifier);
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("2.5"));

    // A dot is refused even when it would replace the selected dot.
    form->CashRateEdit->setSelection(1, 1);
    QTest::keyClick(form->CashRateEdit, '.');
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("2.5"));
    // A digit over the selection goes in.
    form->CashRateEdit->selectAll();
    QTest::keyClick(form->CashRateEdit, '3');
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("3"));
    QCOMPARE(Configuration().CashRate, 3.0);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(3));
    QVERIFY(!Saved());
    QVERIFY(env->messages.texts.isEmpty());
}

void CashRateTest::pastedText_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<double>("fee");

    QTest::newRow("letters") << "abc"
                             << QStringList{QStringLiteral(
                                    "'abc' is not a valid floating point value")}
                             << kStoredFee;
    QTest::newRow("two signs") << "1-2"
                               << QStringList{QStringLiteral(
                                      "'1-2' is not a valid floating point value")}
                               << kStoredFee;
    // A fee outside 0 <= fee < 100 would raise the result or make it negative.
    for (const char* fee : {"-3", "100", "150"})
        QTest::addRow("out of range %s", fee)
            << fee << QStringList{QString::fromLatin1(kFeeRangeMessage)} << kStoredFee;
}

void CashRateTest::pastedText() {
    QFETCH(QString, pasted);
    QFETCH(QStringList, messages);
    QFETCH(double, fee);

    Open();
    form->CashRateEdit->selectAll();
    Paste(form->CashRateEdit, pasted);
    // The box goes back to the fee still in use.
    QCOMPARE(form->CashRateEdit->text(), QString::number(fee));

    QCOMPARE(env->messages.texts, messages);
    for (const auto kind : env->messages.kinds)
        QCOMPARE(kind, MessageBoxes::Kind::Error);
    QCOMPARE(Configuration().CashRate, fee);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(fee));
    QVERIFY(!Saved());
}

void CashRateTest::checkBox() {
    Open();
    QVERIFY(form->PercentCheckBox->isChecked());

    QTest::mouseClick(form->PercentCheckBox, Qt::LeftButton);
    QVERIFY(!form->PercentCheckBox->isChecked());
    QCOMPARE(env->SavedConfig().CashRateOn, std::uint8_t{0});
    QCOMPARE(env->SavedConfig().CashRate, kStoredFee);
    QCOMPARE(form->ConvertEdit->text(), QStringLiteral("80.0000"));

    QTest::mouseClick(form->PercentCheckBox, Qt::LeftButton);
    QVERIFY(form->PercentCheckBox->isChecked());
    QCOMPARE(env->SavedConfig().CashRateOn, std::uint8_t{1});
    QCOMPARE(env->SavedConfig().CashRate, kStoredFee);
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(kStoredFee));
    QVERIFY(env->messages.texts.isEmpty());
}

void CashRateTest::checkBoxAfterEditing() {
    // A stored fee of 0 shows as "0"; switching on takes 4 and shows it.
    Open(false, 0.0);
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("0"));
    QCOMPARE(form->ConvertEdit->text(), QStringLiteral("80.0000"));
    QTest::mouseClick(form->PercentCheckBox, Qt::LeftButton);
    QCOMPARE(Configuration().CashRate, 4.0);
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("4"));
    QCOMPARE(env->SavedConfig().CashRate, 4.0);
    QCOMPARE(env->SavedConfig().CashRateOn, std::uint8_t{1});
    QCOMPARE(form->ConvertEdit->text(), QStringLiteral("76.8000"));

    // With the caret in the box, the click first leaves the box.
    EmptyFeeBox();
    Type(form->CashRateEdit, QStringLiteral("5."));
    QTest::mouseClick(form->PercentCheckBox, Qt::LeftButton);
    QCOMPARE(form->CashRateEdit->text(), QStringLiteral("5"));
    QVERIFY(!form->PercentCheckBox->isChecked());
    QCOMPARE(Configuration().CashRate, 5.0);
    QCOMPARE(env->SavedConfig().CashRate, 5.0);
    QCOMPARE(env->SavedConfig().CashRateOn, std::uint8_t{0});
    QCOMPARE(form->ConvertEdit->text(), QStringLiteral("80.0000"));
    QVERIFY(env->messages.texts.isEmpty());
}

void CashRateTest::informationDialog() {
    Open();

    struct Seen {
        bool found = false;
        QString title;
        QStringList lines;
        QString button;
        bool isDefault = false;
        bool buttonFocused = false;
        QSize size;
    } seen;
    // Let a watchdog tick that is already due run first: the dialog below
    // is expected, and the timer set next closes it.
    QCoreApplication::processEvents();
    QTimer::singleShot(0, this, [&seen] {
        auto* dialog = qobject_cast<TCashRateForm*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen.found = true;
        seen.title = dialog->windowTitle();
        seen.lines = dialog->Memo->toPlainText().split(QLatin1Char('\n'));
        seen.button = dialog->Button1->text();
        seen.isDefault = dialog->Button1->isDefault();
        seen.buttonFocused = dialog->focusWidget() == dialog->Button1;
        seen.size = dialog->size();
        QTest::mouseClick(dialog->Button1, Qt::LeftButton);
    });
    QTest::mouseClick(form->BitBtn2, Qt::LeftButton);

    QVERIFY(seen.found);
    QCOMPARE(seen.title, QStringLiteral("Cash Rate"));
    const QStringList expected{
        QStringLiteral("The nominal rate is the current rate of exchange"),
        QStringLiteral("for a currency.  However your bank or financial"),
        QStringLiteral("institution will charge a fee when exchanging"),
        QStringLiteral("currencies, and the amount you actually receive is"),
        QStringLiteral("referred to as the Cash Rate.  This fee averages"),
        QStringLiteral("around 4 percent.  If the Cash Rate checkbox is"),
        QStringLiteral("checked the program will base its calculations"),
        QStringLiteral("upon the percentage entered into the Cash Rate"),
        QStringLiteral("box which defaults to 4 percent.  If you know your"),
        QStringLiteral("discount rate, you can enter it into the program"),
        QStringLiteral("using the edit box."),
    };
    QCOMPARE(seen.lines, expected);
    QCOMPARE(seen.button, QStringLiteral("&Close"));
    QVERIFY(seen.isDefault);
    QVERIFY(seen.buttonFocused);
    QCOMPARE(seen.size, QSize(414, 348));

    // Closed, destroyed, and nothing else touched.
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(form->findChildren<TCashRateForm*>().isEmpty());
    QVERIFY(!Saved());
    QCOMPARE(form->ConvertEdit->text(), ResultWithFee(kStoredFee));
    QVERIFY(env->messages.texts.isEmpty());
    QVERIFY(env->watchdog.unexpected.isEmpty());
}

QTEST_MAIN(CashRateTest)
#include "cash_rate_test.moc"
