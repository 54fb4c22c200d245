#include "update/progress_form.h"
#include "widgets/prism_bar.h"

#include <QLabel>
#include <QtTest>

using namespace kestrum;

class ProgressFormTest : public QObject {
    Q_OBJECT
private slots:
    void showZeroesBarsAndHideHides();
};

void ProgressFormTest::showZeroesBarsAndHideHides() {
    QVERIFY(ProgressForm() == nullptr);
    ShowProgress(QStringLiteral("ignored")); // no window yet: nothing happens
    {
        TProgressForm form;
        QCOMPARE(ProgressForm(), &form);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.size(), QSize(396, 261));
        QCOMPARE(form.PrismBar->geometry(), QRect(232, 64, 65, 180));
        QCOMPARE(form.TotalPrismBar->geometry(), QRect(112, 64, 65, 180));

        form.PrismBar->SetProgress(40);
        form.TotalPrismBar->SetProgress(70);
        ShowProgress(QStringLiteral("Filling the table..."));
        QVERIFY(form.isVisible());
        QCOMPARE(form.PrismBar->Progress(), 0);
        QCOMPARE(form.TotalPrismBar->Progress(), 0);
        QCOMPARE(form.Label1->text(), QStringLiteral("Filling the table..."));
        QCOMPARE(form.windowTitle(), QStringLiteral("Filling the table..."));
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!form.isModal());

        HideProgress();
        QVERIFY(!form.isVisible());
    }
    QVERIFY(ProgressForm() == nullptr);
}

QTEST_MAIN(ProgressFormTest)
#include "progress_form_test.moc"
