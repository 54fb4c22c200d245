// Window faults found by trying the program as a new user would.
#include "form_fixture.h"

#include "app/cash_rate_form.h"
#include "data/dates.h"
#include "update/platform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace kestrum;
using namespace kestrum::test;

class PolishTest : public FormTest {
    Q_OBJECT

private slots:
    void cashRateTextFitsItsBox();
    void keysTypedRightAfterEscapeStay();
    void currencyPopupShowsAboutTwentyRows();
    void tabVisitsTheControlsInWorkingOrderAndShowsWhere();
    void windowIsPlacedBeforeStartUpMessages();
    void fieldMenusPromiseNoKeys();
    void quickFindTargetStandsOut();
    void dateTurnsOverWithTheClock();
    void longResultShowsItsBeginning();

private:
    void OpenWithRates() {
        env->WriteRates(FullRateStore());
        form = env->Open();
    }
};

void PolishTest::cashRateTextFitsItsBox() {
    TCashRateForm dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.Memo->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(dialog.Memo->verticalScrollBar()->maximum(), 0);
    QCOMPARE(dialog.Memo->toPlainText().count(QLatin1Char('\n')), 10);
}

void PolishTest::keysTypedRightAfterEscapeStay() {
    OpenWithRates();
    Type(form->SourceEdit, QStringLiteral("25"));
    QTest::keyClick(form->SourceEdit, Qt::Key_Escape);
    Type(form->SourceEdit, QStringLiteral("7"));
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("7"));
    // Long after a delayed click would have landed.
    QTest::qWait(300);
    QCOMPARE(form->SourceEdit->text(), QStringLiteral("7"));
}

void PolishTest::currencyPopupShowsAboutTwentyRows() {
    OpenWithRates();
    QComboBox* list = form->FromComboBox;
    QVERIFY(list->count() > 40);
    list->showPopup();
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    const int rows = view->viewport()->height() / view->sizeHintForRow(0);
    const bool scrollBar = view->verticalScrollBar()->isVisible();
    list->hidePopup();
    QVERIFY(scrollBar);
    QVERIFY2(rows >= 15 && rows <= 21, qPrintable(QString::number(rows)));
}

void PolishTest::tabVisitsTheControlsInWorkingOrderAndShowsWhere() {
    OpenWithRates();
    form->SourceEdit->setFocus();
    QTRY_VERIFY(form->SourceEdit->hasFocus());
    // The flat grid buttons as they look without the focus.
    const QImage can = form->CanGridButton->grab().toImage();
    const QImage us = form->USGridButton->grab().toImage();
    QStringList visited;
    QStringList unmarked;
    for (QWidget* w = form->SourceEdit; visited.size() < 20 && !visited.contains(w->objectName());
         w = QApplication::focusWidget()) {
        visited << w->objectName();
        if ((w == form->CanGridButton && w->grab().toImage() == can) ||
            (w == form->USGridButton && w->grab().toImage() == us))
            unmarked << w->objectName();
        QTest::keyClick(w, Qt::Key_Tab);
    }
    const QStringList first{"SourceEdit",      "FromComboBox", "ToComboBox",
                            "PercentCheckBox", "CashRateEdit", "BitBtn2"};
    QCOMPARE(visited.mid(0, 6), first);
    QVERIFY(!visited.contains(QStringLiteral("ConvertEdit")));
    for (const char* button : {"CanGridButton", "USGridButton", "dxButton1"})
        QVERIFY2(visited.contains(QLatin1String(button)), button);
    QCOMPARE(unmarked, QStringList());
}

void PolishTest::windowIsPlacedBeforeStartUpMessages() {
    // No rate file: the start-up reports it while the window is not shown.
    form = env->Open(false);
    QVERIFY(!env->messages.texts.isEmpty());
    const QPoint centre = form->screen()->availableGeometry().center();
    QVERIFY((form->geometry().center() - centre).manhattanLength() <= 2);
}

void PolishTest::fieldMenusPromiseNoKeys() {
    OpenWithRates();
    for (QLineEdit* edit : {form->SourceEdit, form->CashRateEdit}) {
        QStringList entries;
        bool keyed = false;
        QTimer::singleShot(0, this, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (const QAction* action : menu->actions()) {
                entries << action->text();
                keyed = keyed || action->text().contains(QLatin1Char('\t')) ||
                        !action->shortcut().isEmpty();
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4),
                                edit->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(edit, &event);
        QVERIFY2(entries.contains(QStringLiteral("&Paste")), qPrintable(entries.join('|')));
        QVERIFY2(!keyed, qPrintable(entries.join('|')));
    }
}

void PolishTest::quickFindTargetStandsOut() {
    OpenWithRates();
    const QColor highlight = form->palette().color(QPalette::Highlight);
    const auto background = [](QToolButton* button) {
        return button->grab().toImage().pixelColor(3, 3);
    };
    QCOMPARE(background(form->FromSpeedButton), highlight);
    QVERIFY(background(form->ToSpeedButton) != highlight);
    QTest::mouseClick(form->ToSpeedButton, Qt::LeftButton);
    QCOMPARE(background(form->ToSpeedButton), highlight);
    QVERIFY(background(form->FromSpeedButton) != highlight);
}

namespace {

class MovableClock final : public Platform {
public:
    QDateTime now;
    QDateTime Now() const override { return now; }
    int BaseBias(const QDateTime&) const override { return 300; }
    bool Connected(const QString&) const override { return false; }
};

} // namespace

void PolishTest::dateTurnsOverWithTheClock() {
    MovableClock clock;
    clock.now = QDateTime(QDate(2026, 12, 7), QTime(23, 59, 30));
    SetPlatform(&clock);
    const auto restore = qScopeGuard([] { SetPlatform(nullptr); });
    ConfigRecord config = DefaultConfig();
    config.AutoDownload = 0;
    env->WriteConfig(config);
    OpenWithRates();
    QCOMPARE(form->TodayLabel->text(), ShortDateText(DateValueOf(QDate(2026, 12, 7))));
    QCOMPARE(form->TimePanel->text(), QStringLiteral("11:59 PM"));

    clock.now = QDateTime(QDate(2026, 12, 8), QTime(0, 0, 1));
    form->UpdateClock();
    QCOMPARE(form->TimePanel->text(), QStringLiteral("12:00 AM"));
    QCOMPARE(form->TodayLabel->text(), ShortDateText(DateValueOf(QDate(2026, 12, 8))));
}

void PolishTest::longResultShowsItsBeginning() {
    OpenWithRates();
    Type(form->SourceEdit, QStringLiteral("123456789012345678901234567890"));
    QTest::keyClick(form->SourceEdit, Qt::Key_Return);
    const QString result = form->ConvertEdit->text();
    QVERIFY2(form->ConvertEdit->fontMetrics().horizontalAdvance(result) >
                 form->ConvertEdit->width(),
             qPrintable(result));
    QCOMPARE(form->ConvertEdit->cursorPosition(), 0);
}

QTEST_MAIN(PolishTest)
#include "polish_test.moc"
