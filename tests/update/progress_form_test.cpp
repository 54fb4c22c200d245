#include "update/progress_form.h"
#include "widgets/prism_bar.h"

#include <QLabel>
#include <QtTest>

using namespace kestrum;

class ProgressFormTest : public QObject {
    Q_OBJECT
private slots:
    void showZeroesBarsAndHideHides() {
        ShowProgress(QStringLiteral("ignored")); // no window yet: nothing happens
        TProgressForm form;
        QVERIFY(!form.isVisible());
        QCOMPARE(form.PrismBar->geometry(), QRect(232, 64, 65, 180));
        form.PrismBar->SetProgress(40);
        form.TotalPrismBar->SetProgress(70);
        ShowProgress(QStringLiteral("Filling the table..."));
        QVERIFY(form.isVisible() && !form.isModal());
        QCOMPARE(form.PrismBar->Progress() + form.TotalPrismBar->Progress(), 0);
        QCOMPARE(form.Label1->text(), QStringLiteral("Filling the table..."));
        QCOMPARE(form.windowTitle(), QStringLiteral("Filling the table..."));
        HideProgress();
        QVERIFY(!form.isVisible());
    }

    void madeOnFirstUseOnlyWhileAsked() {
        QVERIFY(!ProgressForm());
        {
            const ProgressFormOnFirstUse onFirstUse;
            ShowProgress(QStringLiteral("Downloading..."));
            TProgressForm* made = ProgressForm();
            QVERIFY(made && made->isVisible());
            QCOMPARE(made->Label1->text(), QStringLiteral("Downloading..."));
            QCOMPARE(ProgressForm(), made);
        }
        QVERIFY(!ProgressForm());
    }
};

QTEST_MAIN(ProgressFormTest)
#include "progress_form_test.moc"
