// The rate grid window, filled from a store whose second day has no rates.
#include "app/form_fixture.h"

#include "data/catalogue.h"
#include "grids/rate_grid_form.h"

#include <QApplication>
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
    for (int k = 1; k < kCurrencyCount; ++k)
        SetDayRate(store, k, kEmptyDay, kNotAvailable);
    return Loaded(store);
}

// What a body cell must show for `amount` units, with the default 4 % fee.
QString Expected(GridBase against, int column, int row, double amount) {
    const RateStore store = GridStore();
    const double rate = DayRate(store, row, column);
    const double usd = DayRate(store, 1, column);
    if (against == GridBase::CanadianDollar)
        return rate < 0 ? QString() : QString::number(0.96 * rate * amount, 'f', 4);
    if (usd < 0)
        return QStringLiteral("NA");
    return QString::number((row == 1 ? 1.0 : rate) * 0.96 / usd * amount, 'f', 4);
}

void ClickCell(TCRateForm* grid, int column, int row) {
    QTableWidgetItem* item = grid->StringGrid->item(row - 1, column - 1);
    grid->StringGrid->scrollToItem(item);
    QTest::mouseClick(grid->StringGrid->viewport(), Qt::LeftButton, {},
                      grid->StringGrid->visualItemRect(item).center());
}

} // namespace

class RateGridFormTest : public FormTest {
    Q_OBJECT

    std::unique_ptr<TCRateForm> grid;

    TCRateForm* OpenGrid(GridBase against) {
        Rates() = GridStore();
        grid = std::make_unique<TCRateForm>();
        against == GridBase::CanadianDollar ? grid->DoCanGrid() : grid->DoUSGrid();
        grid->show();
        if (!QTest::qWaitForWindowActive(grid.get()))
            qFatal("the grid did not become active");
        return grid.get();
    }

    // Every body cell against `amount`, the fixed row and column unchanged.
    void CompareBody(GridBase against, double amount) {
        for (int column = 1; column <= kDayCount; ++column) {
            QCOMPARE(grid->Cells(column, 0), QLatin1String(kDates[column - 1]));
            for (int row = 1; row <= 55; ++row)
                QCOMPARE(grid->Cells(column, row), Expected(against, column, row, amount));
        }
        for (int row = 2; row <= 55; ++row)
            QCOMPARE(grid->Cells(0, row), NameOf(row));
    }

private slots:
    void cleanup() {
        grid.reset();
        FormTest::cleanup();
    }

    void oneUnitTables_data() {
        QTest::addColumn<GridBase>("against");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("firstName");
        QTest::newRow("Canadian dollar")
            << GridBase::CanadianDollar << "Exchange Rates v. Canadian Dollar"
            << "Canadian Dollars" << NameOf(1);
        QTest::newRow("U.S. dollar") << GridBase::USDollar << "Exchange Rates v. U.S. Dollar"
                                     << "U.S. Dollars"
                                     << "Canadian Dollar";
    }
    void oneUnitTables() {
        QFETCH(GridBase, against);
        QFETCH(QString, caption);
        OpenGrid(against);
        QCOMPARE(grid->windowTitle(), caption);
        QTEST(grid->CurrencyLabel->text(), "unit");
        QTEST(grid->Cells(0, 1), "firstName");
        QCOMPARE(grid->AmountEdit->text(), QStringLiteral("1.00"));
        QCOMPARE(grid->DateLabel->text(), QStringLiteral("Date"));
        QCOMPARE(grid->ConversionLabel->text(), QStringLiteral("Conversion"));
        CompareBody(against, 1.0);
        // The day without rates: empty against the Canadian dollar, "NA"
        // against the U.S. dollar, its first row included.
        QVERIFY(grid->Cells(kEmptyDay, 1) ==
                (against == GridBase::USDollar ? QStringLiteral("NA") : QString()));
    }

    // Calculate scales from the one-unit values, so pressing it again
    // changes nothing; Enter in the field does the same once.
    void calculateScalesFromOneUnit() {
        OpenGrid(GridBase::USDollar);
        grid->AmountEdit->selectAll();
        Type(grid->AmountEdit, QStringLiteral("2.5"));
        QCOMPARE(grid->AmountEdit->text(), QStringLiteral("2.5"));
        ClickCell(grid.get(), 1, kChf);
        QVERIFY(grid->ConversionLabel->text() != QStringLiteral("Conversion"));
        for (int press = 0; press < 2; ++press) {
            QTest::mouseClick(grid->Button1, Qt::LeftButton);
            CompareBody(GridBase::USDollar, 2.5);
        }
        QCOMPARE(grid->DateLabel->text(), QStringLiteral("Date"));
        QCOMPARE(grid->ConversionLabel->text(), QStringLiteral("Conversion"));
        QTest::keyClick(grid->AmountEdit, Qt::Key_Return);
        CompareBody(GridBase::USDollar, 2.5);
        QVERIFY(grid->isVisible());

        // A pasted text that is no number keeps the table and says why.
        Paste(grid->AmountEdit, QStringLiteral("x"));
        QTest::mouseClick(grid->Button1, Qt::LeftButton);
        CompareBody(GridBase::USDollar, 2.5);
        QCOMPARE(env->messages.texts,
                 QStringList{QStringLiteral("Invalid Input - the number contains non-numeric "
                                            "characters")});
    }

    void amountKeys() {
        OpenGrid(GridBase::CanadianDollar);
        QLineEdit* edit = grid->AmountEdit;
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_End);
        for (const auto key : {Qt::Key_Backspace, Qt::Key_Period, Qt::Key_A, Qt::Key_Comma})
            QTest::keyClick(edit, key);
        QCOMPARE(edit->text(), QStringLiteral("1.00"));
        QTest::keyClick(edit, '7');
        QCOMPARE(edit->text(), QStringLiteral("1.007"));

        // Delete types nothing, so the filter lets it edit; a leading dot left
        // behind gets its "0".
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QStringLiteral("0.007"));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QString());
        QTest::keyClick(edit, '.');
        QCOMPARE(edit->text(), QStringLiteral("0."));
        QCOMPARE(edit->cursorPosition(), 2);
        QTest::keyClick(edit, '.');
        QCOMPARE(edit->text(), QStringLiteral("0."));
        grid->Button1->setFocus();
        QCOMPARE(edit->text(), QStringLiteral("1"));
    }

    void sentenceForEveryKindOfCell_data() {
        QTest::addColumn<GridBase>("against");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("value") << GridBase::CanadianDollar << 5
                               << "1.00 Swiss Francs = " +
                                      Expected(GridBase::CanadianDollar, 5, kChf, 1) +
                                      " Canadian Dollars";
        QTest::newRow("empty") << GridBase::CanadianDollar << kEmptyDay
                               << "1.00 Swiss Francs =  Canadian Dollars";
        QTest::newRow("NA") << GridBase::USDollar << kEmptyDay
                            << "1.00 Swiss Francs = NA U.S. Dollars";
    }
    void sentenceForEveryKindOfCell() {
        QFETCH(GridBase, against);
        QFETCH(int, column);
        OpenGrid(against);
        ClickCell(grid.get(), column, kChf);
        QCOMPARE(grid->DateLabel->text(), grid->Cells(column, 0));
        QTEST(grid->ConversionLabel->text(), "sentence");
    }

    // Through the main window's buttons: the radio group's language reaches
    // the names only, and the window opens maximised and modal.
    void openedFromTheMainWindow_data() {
        QTest::addColumn<bool>("us");
        QTest::addColumn<int>("language");
        QTest::newRow("Can, English") << false << kEnglish;
        QTest::newRow("U.S., French") << true << kFrench;
    }
    void openedFromTheMainWindow() {
        QFETCH(bool, us);
        QFETCH(int, language);
        env->WriteRates(GridStore());
        form = env->Open();
        QTest::mouseClick(form->RadioItems[language], Qt::LeftButton);

        struct Seen {
            bool modal = false, maximised = false;
            QString caption, row1, row2, date;
        } seen;
        QCoreApplication::processEvents();
        QTimer::singleShot(0, this, [&seen] {
            auto* shown = qobject_cast<TCRateForm*>(QApplication::activeModalWidget());
            if (!shown)
                return;
            seen = {true,
                    shown->isMaximized(),
                    shown->windowTitle(),
                    shown->Cells(0, 1),
                    shown->Cells(0, 2),
                    shown->Cells(1, 0)};
            shown->reject();
        });
        QTest::mouseClick(us ? form->USGridButton : form->CanGridButton, Qt::LeftButton);

        QVERIFY(seen.modal);
        QVERIFY(seen.maximised);
        QCOMPARE(seen.caption, us ? QStringLiteral("Exchange Rates v. U.S. Dollar")
                                  : QStringLiteral("Exchange Rates v. Canadian Dollar"));
        QCOMPARE(seen.row1, us ? QStringLiteral("Canadian Dollar") : NameOf(1, language));
        QCOMPARE(seen.row2, NameOf(2, language));
        QCOMPARE(seen.date, QLatin1String(kDates[0]));
        QVERIFY(form->findChildren<TCRateForm*>().isEmpty());
    }
};

QTEST_MAIN(RateGridFormTest)
#include "rate_grid_form_test.moc"
