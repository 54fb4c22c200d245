#pragma once

#include "data/rate_grid.h"

#include <QDialog>

class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kestrum {

// The five stored days of every currency against the Canadian or the U.S.
// dollar. Created for one opening, filled once, shown modally.
class TCRateForm : public QDialog {
    Q_OBJECT
public:
    // The program's progress window, when there is one, follows the fills
    // and the recalculation.
    explicit TCRateForm(QWidget* parent = nullptr);

    QFrame* Panel3 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* StaticText1 = nullptr;
    QLineEdit* AmountEdit = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* CurrencyLabel = nullptr;
    QLabel* LegendLabel = nullptr; // what the cell marks mean
    QFrame* Panel2 = nullptr;
    // Row 0 (the dates) and column 0 (the names) are its headers, so they
    // stay in view while the body scrolls; Cells addresses all of it.
    QTableWidget* StringGrid = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* DateLabel = nullptr;
    QLabel* ConversionLabel = nullptr;

    static constexpr int kColumns = 6;
    static constexpr int kRows = 56;

    // The text of cell (column, row), both from 0, the fixed row and column
    // included.
    QString Cells(int column, int row) const;

    void DoCanGrid();
    void DoUSGrid();
    void RecalculatePage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void Fill(GridBase against);
    void SetBody(int column, int row, const QString& text);
    // Shades and explains the cells whose rate was filled from the other
    // source or derived from a fixed parity.
    void MarkOrigins();
    void MoveBars(int total, int item);

    void Button1Click();
    void StringGridSelectCell(int column, int row);
    bool AmountEditKeyPress(QKeyEvent* key);
    void AmountEditChange();
    void AmountEditExit();

    // The cells for one unit, kept from the fill: every recalculation scales
    // from them, so the table always agrees with the sentence under it.
    RateGrid m_unitGrid;
    QString m_pricedAmount; // the amount text the body shows values for
    int m_unitCurrency = 0; // what the cells are priced in, by catalogue index
};

} // namespace kestrum
