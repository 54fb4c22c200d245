// Typing and clicking an amount into the calculator window.
#include "form_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kestrum;
using namespace kestrum::test;

namespace {

const QString kMultipleDots =
    QStringLiteral("Invalid Input - the number contains multiple \".\" (dots)");
const QString kNonNumeric =
    QStringLiteral("Invalid Input - the number contains non-numeric characters");
const QString kZero = QStringLiteral("Zero is invalid program input");

// The window opens on the Canadian dollar into the U.S. dollar.
QString CadToUsd(double amount) {
    return ExpectedResult(Loaded(FullRateStore()), DefaultConfig(), 0, 1, amount);
}

} // namespace

class AmountTest : public FormTest {
    Q_OBJECT

    void Enter() { QTest::keyClick(form->SourceEdit, Qt::Key_Return); }
    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

private slots:
    void init() {
        FormTest::init();
        env->WriteRates(FullRateStore());
        form = env->Open();
        form->SourceEdit->setFocus();
        QTRY_VERIFY(form->SourceEdit->hasFocus());
    }

    void newAmountAfterResult();
    void decimalPoint();
    void commas();
    void lengthLimit_data();
    void lengthLimit();
    void clearAndEscape();
    void enterConverts();
    void invalidAmounts_data();
    void invalidAmounts();
    void keyFilter_data();
    void keyFilter();
    void navigationKeys();
};

void AmountTest::newAmountAfterResult() {
    // Keypad: the digit starts a new amount and the result goes.
    Type(form->SourceEdit, QStringLiteral("100"));
    Enter();
    QCOMPARE(form->ConvertEdit->text(), CadToUsd(100));
    QVERIFY(form->ResultShown);
    Click(form->DigitButtons[7]);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("7"));
    QVERIFY(form->ConvertEdit->text().isEmpty());
    QVERIFY(!form->ResultShown);
    Click(form->DigitButtons[0]);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("70"));

    // Keyboard: the key edits the old amount and only the result goes.
    Enter();
    QCOMPARE(form->ConvertEdit->text(), CadToUsd(70));
    QTest::keyClick(form->SourceEdit, '7');
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("707"));
    QVERIFY(form->ConvertEdit->text().isEmpty());
    QVERIFY(!form->ResultShown);
    // The key press used up the new-amount state: the keypad now appends.
    Click(form->DigitButtons[8]);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("7078"));

    // The keypad dot starts a new amount as well; the comma does not.
    Enter();
    Click(form->DotButton);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("0."));
    QVERIFY(form->ConvertEdit->text().isEmpty());
    Click(form->DigitButtons[5]);
    Enter();
    QCOMPARE(form->ConvertEdit->text(), CadToUsd(0.5));
    Click(form->CommaButton);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("0.5,"));
    QCOMPARE(form->ConvertEdit->text(), CadToUsd(0.5));
    QVERIFY(form->ResultShown);
    QVERIFY(env->messages.texts.isEmpty());
}

void AmountTest::decimalPoint() {
    Click(form->DotButton);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("0."));
    QCOMPARE(form->SourceEdit->cursorPosition(), 2);
    Click(form->DotButton);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("0."));
    Click(form->DigitButtons[3]);
    Click(form->DotButton);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("0.3"));

    Click(form->ClearButton);
    QTest::keyClick(form->SourceEdit, '.');
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("0."));
    QCOMPARE(form->SourceEdit->cursorPosition(), 2);
    Type(form->SourceEdit, QStringLiteral("2.5."));
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("0.25"));

    // 1.2.3 cannot be typed: both later dots are refused.
    Click(form->ClearButton);
    Type(form->SourceEdit, QStringLiteral("1.2.3"));
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("1.23"));
    // Nor does the keypad add one anywhere in the text.
    form->SourceEdit->setCursorPosition(0);
    Click(form->DotButton);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("1.23"));

    // A dot typed in front of digits is not rewritten until the amount is read.
    Click(form->ClearButton);
    Type(form->SourceEdit, QStringLiteral("5"));
    form->SourceEdit->setCursorPosition(0);
    QTest::keyClick(form->SourceEdit, '.');
    QCOMPARE(form->SourceEdit->text(), QStringLiteral(".5"));
    Enter();
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("0.5"));
    QCOMPARE(form->ConvertEdit->text(), CadToUsd(0.5));
    QVERIFY(env->messages.texts.isEmpty());
}

void AmountTest::commas() {
    Click(form->CommaButton);
    QVERIFY(form->SourceEdit->text().isEmpty());
    QTest::keyClick(form->SourceEdit, ',');
    QVERIFY(form->SourceEdit->text().isEmpty());

    Type(form->SourceEdit, QStringLiteral("12"));
    form->SourceEdit->setCursorPosition(0);
    QTest::keyClick(form->SourceEdit, ',');
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("12"));
    form->SourceEdit->setCursorPosition(1);
    QTest::keyClick(form->SourceEdit, ',');
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("1,2"));
    Click(form->CommaButton);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("1,2,"));

    // Commas group thousands.
    Click(form->ClearButton);
    Type(form->SourceEdit, QStringLiteral("1,000"));
    Enter();
    QCOMPARE(form->ConvertEdit->text(), CadToUsd(1000));
    Click(form->ClearButton);
    Type(form->SourceEdit, QStringLiteral("12,345.5"));
    Enter();
    QCOMPARE(form->ConvertEdit->text(), CadToUsd(12345.5));
    QVERIFY(env->messages.texts.isEmpty());
}

void AmountTest::lengthLimit_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("afterDot");
    QTest::addColumn<QString>("afterComma");

    const QString full(32, QLatin1Char('9'));
    const QString almost(31, QLatin1Char('9'));
    QTest::newRow("32 digits") << full << full << full;
    QTest::newRow("31 digits") << almost << almost + QLatin1Char('.') << almost + QLatin1Char(',');
}

void AmountTest::lengthLimit() {
    QFETCH(QString, start);
    QFETCH(QString, afterDot);
    QFETCH(QString, afterComma);

    for (int i = 0; i < start.size(); ++i)
        Click(form->DigitButtons[9]);
    QCOMPARE(form->SourceEdit->text(), start);
    Click(form->DigitButtons[9]);
    QCOMPARE(form->SourceEdit->text().size(), 32);

    Click(form->ClearButton);
    for (int i = 0; i < start.size(); ++i)
        Click(form->DigitButtons[9]);
    Click(form->DotButton);
    QCOMPARE(form->SourceEdit->text(), afterDot);

    form->SourceEdit->setText(start);
    Click(form->CommaButton);
    QCOMPARE(form->SourceEdit->text(), afterComma);
}

void AmountTest::clearAndEscape() {
    Type(form->SourceEdit, QStringLiteral("25"));
    Enter();
    QVERIFY(!form->ConvertEdit->text().isEmpty());
    Click(form->ClearButton);
    QVERIFY(form->SourceEdit->text().isEmpty());
    QVERIFY(form->ConvertEdit->text().isEmpty());
    // Clearing leaves the new-amount state alone.
    QVERIFY(form->ResultShown);

    Type(form->SourceEdit, QStringLiteral("25"));
    Enter();
    QVERIFY(!form->ConvertEdit->text().isEmpty());
    // Esc clears as the button does.
    QTest::keyClick(form->SourceEdit, Qt::Key_Escape);
    QTRY_VERIFY(form->SourceEdit->text().isEmpty());
    QVERIFY(form->ConvertEdit->text().isEmpty());

    // Esc works wherever the focus is in the window.
    Type(form->SourceEdit, QStringLiteral("3"));
    Click(form->EnterButton);
    QVERIFY(!form->ConvertEdit->text().isEmpty());
    form->FromComboBox->setFocus();
    QTRY_VERIFY(form->FromComboBox->hasFocus());
    QTest::keyClick(form->FromComboBox, Qt::Key_Escape);
    QTRY_VERIFY(form->SourceEdit->text().isEmpty());
    QVERIFY(form->ConvertEdit->text().isEmpty());
    QVERIFY(env->messages.texts.isEmpty());
}

void AmountTest::enterConverts() {
    // Typing alone does not convert.
    Type(form->SourceEdit, QStringLiteral("40"));
    QVERIFY(form->ConvertEdit->text().isEmpty());
    QVERIFY(!form->ResultShown);
    Enter();
    QCOMPARE(form->ConvertEdit->text(), CadToUsd(40));
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("40"));

    // The keypad's Enter and the keypad key of the keyboard do the same.
    Click(form->ClearButton);
    Click(form->DigitButtons[1]);
    Click(form->DigitButtons[2]);
    Click(form->EnterButton);
    QCOMPARE(form->ConvertEdit->text(), CadToUsd(12));
    QTest::keyClick(form->SourceEdit, Qt::Key_Backspace);
    QTest::keyClick(form->SourceEdit, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(form->ConvertEdit->text(), CadToUsd(1));
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("1"));

    // The Enter key is a key typed into the field: it empties the old
    // result even when the amount is then refused.
    Paste(form->SourceEdit, QStringLiteral("%%"));
    Enter();
    QVERIFY(form->ConvertEdit->text().isEmpty());
    QCOMPARE(env->messages.texts, QStringList{kNonNumeric});
    env->messages.Clear();

    // Without an amount Enter does nothing at all.
    Click(form->ClearButton);
    form->ResultShown = false;
    Enter();
    QVERIFY(form->ConvertEdit->text().isEmpty());
    QVERIFY(!form->ResultShown);
    QVERIFY(env->messages.texts.isEmpty());
}

void AmountTest::invalidAmounts_data() {
    QTest::addColumn<QString>("typed");  // through the keyboard
    QTest::addColumn<QString>("pasted"); // then pasted at the end
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<double>("value"); // 0: refused

    QTest::newRow("two percent signs") << "12%%"
                                       << "" << QStringList{kNonNumeric} << "12%%" << 0.0;
    QTest::newRow("one percent sign") << "12%"
                                      << "" << QStringList{} << "12%" << 0.0;
    QTest::newRow("ampersands") << "1&&"
                                << "" << QStringList{kNonNumeric} << "1&&" << 0.0;
    QTest::newRow("zero") << "0"
                          << "" << QStringList{kZero} << "0" << 0.0;
    QTest::newRow("zero with decimals") << "0.00"
                                        << "" << QStringList{kZero} << "0.00" << 0.0;
    QTest::newRow("zeros with commas") << "0,000"
                                       << "" << QStringList{kZero} << "0,000" << 0.0;
    QTest::newRow("decimal comma")
        << "1,5"
        << ""
        << QStringList{"Invalid Input - a comma only groups thousands (1,000); use a point for "
                       "decimals (1.5)"}
        << "1,5" << 0.0;
    QTest::newRow("dots pasted") << ""
                                 << "1.2.3" << QStringList{kMultipleDots} << "1.2.3" << 0.0;
    QTest::newRow("dots and letters")
        << ""
        << "1.2.3ab" << QStringList{kMultipleDots, kNonNumeric} << "1.2.3ab" << 0.0;
    QTest::newRow("commas only") << ""
                                 << ",,," << QStringList{} << ",,," << 0.0;
    QTest::newRow("minus and slash never count") << ""
                                                 << "-1/2" << QStringList{} << "-1/2" << 0.0;
    // The leading zero goes in even when the amount is then refused.
    QTest::newRow("leading dot, stray sign") << ""
                                             << ".5%" << QStringList{} << "0.5%" << 0.0;
    QTest::newRow("leading dot") << ""
                                 << ".25" << QStringList{} << "0.25" << 0.25;
}

void AmountTest::invalidAmounts() {
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QStringList, messages);
    QFETCH(QString, shownAfter);
    QFETCH(double, value);

    // A previous result that a refused amount must not replace.
    Type(form->SourceEdit, QStringLiteral("8"));
    Enter();
    const QString previous = CadToUsd(8);
    QCOMPARE(form->ConvertEdit->text(), previous);
    form->SourceEdit->clear();

    Type(form->SourceEdit, typed);
    Paste(form->SourceEdit, pasted);
    QCOMPARE(form->SourceEdit->text(), typed + pasted);
    // The first key typed has emptied the old result; a paste does not.
    if (typed.isEmpty())
        QCOMPARE(form->ConvertEdit->text(), previous);
    else
        QVERIFY(form->ConvertEdit->text().isEmpty());
    // The keypad's Enter: no key reaches the field to empty the result.
    const QString before = form->ConvertEdit->text();
    Click(form->EnterButton);

    QCOMPARE(env->messages.texts, messages);
    for (const auto kind : env->messages.kinds)
        QCOMPARE(kind, MessageBoxes::Kind::Error);
    QCOMPARE(form->SourceEdit->text(), shownAfter);
    QCOMPARE(form->ConvertEdit->text(), value != 0 ? CadToUsd(value) : before);
    // A paste leaves the earlier result's state as it was.
    QCOMPARE(form->ResultShown, value != 0 || typed.isEmpty());
}

void AmountTest::keyFilter_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");

    QTest::newRow("letters") << "1a2Bz3"
                             << "123";
    QTest::newRow("signs and blanks") << "4 -+5e6/"
                                      << "456";
    QTest::newRow("allowed marks") << "7,5%&"
                                   << "7,5%&";
    QTest::newRow("comma first") << ",1"
                                 << "1";
}

void AmountTest::keyFilter() {
    QFETCH(QString, keys);
    QFETCH(QString, text);

    Type(form->SourceEdit, keys);
    QCOMPARE(form->SourceEdit->text(), text);
    // Keys that type nothing still move the caret.
    QTest::keyClick(form->SourceEdit, Qt::Key_Home);
    QCOMPARE(form->SourceEdit->cursorPosition(), 0);
    QTest::keyClick(form->SourceEdit, Qt::Key_Delete);
    QCOMPARE(form->SourceEdit->text(), text.mid(1));
    // The clipboard shortcuts arrive as control characters, which the
    // field refuses like any other.
    QTest::sendKeyEvent(QTest::Click, form->SourceEdit, Qt::Key_A, QStringLiteral("\x01"),
                        Qt::ControlModifier);
    QTest::sendKeyEvent(QTest::Click, form->SourceEdit, Qt::Key_X, QStringLiteral("\x18"),
                        Qt::ControlModifier);
    QCOMPARE(form->SourceEdit->text(), text.mid(1));
    QVERIFY(env->messages.texts.isEmpty());
}

void AmountTest::navigationKeys() {
    Type(form->SourceEdit, QStringLiteral("250"));
    Enter();
    const QString result = CadToUsd(250);
    QCOMPARE(form->ConvertEdit->text(), result);

    // Tab moves on to the next control; the amount and result stay.
    QTest::keyClick(form->SourceEdit, Qt::Key_Tab);
    QTRY_VERIFY(form->FromComboBox->hasFocus());
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("250"));
    QCOMPARE(form->ConvertEdit->text(), result);
    QTest::keyClick(form->FromComboBox, Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_VERIFY(form->SourceEdit->hasFocus());

    // Delete arrives with the DEL character as its text on some systems; it
    // still deletes, and like the arrows it types nothing.
    QTest::keyClick(form->SourceEdit, Qt::Key_Left);
    QTest::sendKeyEvent(QTest::Click, form->SourceEdit, Qt::Key_Delete, QStringLiteral("\x7f"),
                        Qt::NoModifier);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("25"));
    QCOMPARE(form->ConvertEdit->text(), result);

    QVERIFY(env->messages.texts.isEmpty());
}

QTEST_MAIN(AmountTest)
#include "amount_test.moc"
