// The rate grid window over a store whose second day has no rates.
#include "app/form_fixture.h"

#include "data/number_text.h"
#include "grids/rate_grid_form.h"
#include "update/progress_form.h"
#include "widgets/prism_bar.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace kestrum;
using namespace kestrum::test;

namespace {

constexpr int kEmptyDay = 2;
constexpr int kChf = 48; // Swiss Franc
const char* const kDates[] = {"Mon, May 30, 2005", "Tue, May 31, 2005", "Wed, June 1, 2005",
                              "Thu, June 2, 2005", "Fri, June 3, 2005"};

RateStore GridStore() {
    RateStore store = FullRateStore();
    for (int k = 1; k < 56; ++k)
        SetDayRate(store, k, kEmptyDay, kNotAvailable);
    return Loaded(store);
}

// A body cell for `amount` units with the default 4 % fee.
QString Expected(bool us, int column, int row, double amount = 1.0) {
    const RateStore store = GridStore();
    const double rate = DayRate(store, row, column), usd = DayRate(store, 1, column);
    if (!us)
        return rate < 0 ? QString() : QString::number(0.96 * rate * amount, 'f', 4);
    return usd < 0 ? QStringLiteral("NA")
                   : QString::number((row == 1 ? 1.0 : rate) * 0.96 / usd * amount, 'f', 4);
}

} // namespace

class RateGridFormTest : public FormTest {
    Q_OBJECT

    std::unique_ptr<TProgressForm> progress;
    std::unique_ptr<TCRateForm> grid;

    void OpenGrid(bool us) {
        Rates() = GridStore();
        progress = std::make_unique<TProgressForm>();
        grid = std::make_unique<TCRateForm>();
        us ? grid->DoUSGrid() : grid->DoCanGrid();
        grid->show();
        QVERIFY(QTest::qWaitForWindowActive(grid.get()));
    }
    void ClickCell(int column, int row) {
        QTableWidgetItem* item = grid->StringGrid->item(row - 1, column - 1);
        grid->StringGrid->scrollToItem(item);
        QTest::mouseClick(grid->StringGrid->viewport(), Qt::LeftButton, {},
                          grid->StringGrid->visualItemRect(item).center());
    }
    // Every body cell for `amount`; the dates and names untouched.
    void CompareBody(bool us, double amount) {
        for (int column = 1; column <= 5; ++column) {
            QCOMPARE(grid->Cells(column, 0), QLatin1String(kDates[column - 1]));
            for (int row = 1; row <= 55; ++row)
                QCOMPARE(grid->Cells(column, row), Expected(us, column, row, amount));
        }
        for (int row = 2; row <= 55; ++row)
            QCOMPARE(grid->Cells(0, row), NameOf(row));
    }

private slots:
    void cleanup() {
        grid.reset();
        progress.reset();
        FormTest::cleanup();
    }

    void oneUnitTables_data() {
        QTest::addColumn<bool>("us");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("emptyDay"); // row 1 of the day without rates
        QTest::addColumn<QString>("sentence"); // for the franc that day
        QTest::newRow("Can") << false << NameOf(1) << ""
                             << "1.00 CHF (Swiss Franc) =  CAD";
        QTest::newRow("U.S.") << true << NameOf(0) << "NA"
                              << "1.00 CHF (Swiss Franc) = NA USD";
    }
    void oneUnitTables() {
        QFETCH(bool, us);
        OpenGrid(us);
        QTEST(grid->Cells(0, 1), "firstName");
        QTEST(grid->Cells(kEmptyDay, 1), "emptyDay");
        const QStringList fresh{grid->AmountEdit->text(), grid->DateLabel->text(),
                                grid->ConversionLabel->text()};
        QCOMPARE(fresh, (QStringList{"1.00", "Date", "Conversion"}));
        CompareBody(us, 1.0);
        ClickCell(kEmptyDay, kChf);
        QCOMPARE(grid->DateLabel->text(), QLatin1String(kDates[kEmptyDay - 1]));
        QTEST(grid->ConversionLabel->text(), "sentence");
    }

    // Calculate and Enter both scale from the one-unit values, so the second
    // changes nothing; a pasted non-number keeps the table.
    void calculateScalesFromOneUnit() {
        OpenGrid(true);
        grid->AmountEdit->selectAll();
        Type(grid->AmountEdit, QStringLiteral("2.5"));
        const auto sentence = [](const char* amount, double scale) {
            return amount + QStringLiteral(" CHF (Swiss Franc) = ") +
                   Expected(true, 1, kChf, scale) + " USD";
        };
        // Until Calculate the cells and so the line quote one franc.
        ClickCell(1, kChf);
        QCOMPARE(grid->ConversionLabel->text(), sentence("1.00", 1.0));
        QTest::mouseClick(grid->Button1, Qt::LeftButton);
        QCOMPARE(grid->ConversionLabel->text(), QStringLiteral("Conversion"));
        QTest::keyClick(grid->AmountEdit, Qt::Key_Return);
        CompareBody(true, 2.5);
        QVERIFY(grid->isVisible());
        QCOMPARE(progress->PrismBar->Progress(), 100);
        QVERIFY(!progress->isVisible());
        ClickCell(1, kChf);
        QCOMPARE(grid->ConversionLabel->text(), sentence("2.5", 2.5));

        Paste(grid->AmountEdit, QStringLiteral("x"));
        QTest::mouseClick(grid->Button1, Qt::LeftButton);
        CompareBody(true, 2.5);
        QCOMPARE(env->messages.texts, QStringList{QString(kNonNumericMessage)});
    }

    void amountKeys() {
        OpenGrid(false);
        QLineEdit* edit = grid->AmountEdit;
        QTest::keyClick(edit, Qt::Key_End);
        for (const auto key : {Qt::Key_Backspace, Qt::Key_Period, Qt::Key_A, Qt::Key_Comma})
            QTest::keyClick(edit, key);
        QTest::keyClick(edit, '7');
        QCOMPARE(edit->text(), QStringLiteral("1.007"));
        edit->clear();
        QTest::keyClicks(edit, "..");
        QCOMPARE(edit->text(), QStringLiteral("0."));
        QCOMPARE(edit->cursorPosition(), 2);
        grid->Button1->setFocus();
        QCOMPARE(edit->text(), QStringLiteral("1"));
    }

    void escapeClosesWithTheFocusInTheAmount() {
        OpenGrid(false);
        QVERIFY(grid->AmountEdit->hasFocus());
        QTest::keyClick(grid->AmountEdit, Qt::Key_Escape);
        QVERIFY(!grid->isVisible());
        QCOMPARE(grid->result(), int(QDialog::Rejected));
    }

    // Through the main window: the radio group's language reaches the names,
    // the captions and the dates; the window opens maximised and modal after
    // the progress window.
    void openedFromTheMainWindow_data() {
        QTest::addColumn<bool>("us");
        QTest::addColumn<int>("language");
        QTest::newRow("Can, English") << false << 0;
        QTest::newRow("U.S., French") << true << 1;
    }
    void openedFromTheMainWindow() {
        QFETCH(bool, us);
        QFETCH(int, language);
        ConfigRecord config = DefaultConfig();
        config.AutoDownload = 0; // the old rates must not start a transfer meanwhile
        env->WriteConfig(config);
        env->WriteRates(GridStore());
        form = env->Open();
        progress = std::make_unique<TProgressForm>();
        QTest::mouseClick(form->RadioItems[language], Qt::LeftButton);

        QStringList seen;
        QCoreApplication::processEvents();
        QTimer::singleShot(0, this, [&] {
            auto* shown = qobject_cast<TCRateForm*>(QApplication::activeModalWidget());
            if (!shown || !shown->isMaximized() || progress->isVisible())
                return;
            seen << shown->windowTitle() << shown->Cells(0, 1) << shown->Cells(0, 2)
                 << shown->Cells(1, 0) << progress->Label1->text()
                 << QString::number(progress->TotalPrismBar->Progress())
                 << QString::number(progress->PrismBar->Progress()) << shown->AmountEdit->text();
            // No row name is cut, in either language.
            const QHeaderView* names = shown->StringGrid->verticalHeader();
            for (int row = 1; row < TCRateForm::kRows; ++row)
                if (names->fontMetrics().horizontalAdvance(shown->Cells(0, row)) >= names->width())
                    seen << QStringLiteral("cut: ") + shown->Cells(0, row);
            shown->reject();
        });
        QTest::mouseClick(us ? form->USGridButton : form->CanGridButton, Qt::LeftButton);
        const bool french = language == kFrench;
        QCOMPARE(seen,
                 (QStringList{us ? "Taux de change par rapport au dollar am\u00e9ricain"
                                 : "Exchange Rates v. Canadian Dollar",
                              NameOf(us ? 0 : 1, language), NameOf(2, language),
                              french ? "lun. 30 mai 2005" : kDates[0],
                              french ? "Lecture des donn\u00e9es..." : "Parsing Data Files...",
                              "100", "50", french ? "1,00" : "1.00"}));
    }
};

QTEST_MAIN(RateGridFormTest)
#include "rate_grid_form_test.moc"
