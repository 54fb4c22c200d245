#include "rate_grid_form.h"

#include "rate_grid_origins.h"

#include "data/catalogue.h"
#include "data/cp1252.h"
#include "data/number_text.h"
#include "data/rate_store.h"
#include "settings/configuration.h"
#include "settings/language.h"
#include "settings/message_table.h"
#include "update/progress_form.h"
#include "widgets/message_box.h"
#include "widgets/prism_bar.h"
#include "widgets/typed_key.h"

#include <QBoxLayout>
#include <QFocusEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

namespace kestrum {

namespace {

constexpr int kColumnWidth = 225;
constexpr int kRowHeight = 24;
// The header's own padding and its sort-indicator space on either side.
constexpr int kHeaderMargin = 12;
constexpr int kUsDollarIndex = 1;
const char* const kAmountFallback = "1";

QLabel* Caption(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QFrame* Panel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

// The amount field's text with an empty or zero-like amount read as "1".
// In French "," and " " (settings/language.h).
QString NormalizedAmount(const QLineEdit* edit) {
    return WithShownMarks(
        FromCp1252(NormalizeNumber(ToCp1252(WithPointMarks(edit->text())), kAmountFallback)));
}

} // namespace

TCRateForm::TCRateForm(QWidget* parent) : QDialog(parent) {
    CreateControls();

    connect(Button1, &QPushButton::clicked, this, &TCRateForm::Button1Click);
    connect(AmountEdit, &QLineEdit::textChanged, this, &TCRateForm::AmountEditChange);
    AmountEdit->installEventFilter(this);
    // A move onto a cell (mouse or keys) and a click on the cell already
    // current both select it.
    connect(StringGrid, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { StringGridSelectCell(column + 1, row + 1); });
    connect(StringGrid, &QTableWidget::cellClicked, this,
            [this](int row, int column) { StringGridSelectCell(column + 1, row + 1); });
}

void TCRateForm::CreateControls() {
    setObjectName(QStringLiteral("CRateForm"));
    setWindowTitle(MessageText(msg::GridCanCaption));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);
    QFont font;
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel3 = Panel(this, "Panel3");
    Panel3->setFixedHeight(41);
    auto* amountRow = new QHBoxLayout(Panel3);
    amountRow->setContentsMargins(8, 4, 8, 4);
    Button1 = new QPushButton(tr("&Calculate"), Panel3);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(tr("Recalculate Page Values"));
    // Enter in the amount field recalculates once, through its key filter;
    // a default button would take the key a second time.
    Button1->setAutoDefault(false);
    StaticText1 = Caption(Panel3, "StaticText1", tr("&Amount "));
    AmountEdit = new QLineEdit(WithShownMarks(QStringLiteral("1.00")), Panel3);
    AmountEdit->setObjectName(QStringLiteral("AmountEdit"));
    StaticText1->setBuddy(AmountEdit);
    AmountEdit->setFixedWidth(121);
    m_pricedAmount = AmountEdit->text();
    StaticText2 = Caption(Panel3, "StaticText2", QStringLiteral("= ? "));
    CurrencyLabel = Caption(Panel3, "CurrencyLabel", tr("Currency"));
    amountRow->addWidget(Button1);
    amountRow->addSpacing(16);
    amountRow->addWidget(StaticText1);
    amountRow->addWidget(AmountEdit);
    amountRow->addWidget(StaticText2);
    amountRow->addWidget(CurrencyLabel);
    amountRow->addStretch();
    LegendLabel = Caption(Panel3, "LegendLabel", OriginLegend());
    LegendLabel->setToolTip(
        tr("Shaded cells: a rate filled from another source (the other bank or the "
           "National Bank of Poland's tables), or derived from a fixed official "
           "parity. Hover over a cell for its source and day."));
    amountRow->addWidget(LegendLabel);
    layout->addWidget(Panel3);

    Panel2 = Panel(this, "Panel2");
    auto* gridBox = new QVBoxLayout(Panel2);
    gridBox->setContentsMargins(0, 0, 0, 0);
    StringGrid = new QTableWidget(kRows - 1, kColumns - 1, Panel2);
    StringGrid->setObjectName(QStringLiteral("StringGrid"));
    StringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid->setShowGrid(true);
    StringGrid->setCornerButtonEnabled(false);
    for (QHeaderView* header : {StringGrid->horizontalHeader(), StringGrid->verticalHeader()}) {
        // The fixed row and column are never selected.
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    StringGrid->horizontalHeader()->setMinimumSectionSize(kRowHeight);
    StringGrid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    StringGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGrid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    StringGrid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StringGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid->verticalHeader()->setFixedWidth(kColumnWidth);
    for (int column = 1; column < kColumns; ++column)
        StringGrid->setHorizontalHeaderItem(column - 1, new QTableWidgetItem);
    for (int row = 1; row < kRows; ++row) {
        StringGrid->setVerticalHeaderItem(row - 1, new QTableWidgetItem);
        for (int column = 1; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            StringGrid->setItem(row - 1, column - 1, item);
        }
    }
    {
        // The first body cell starts current without being selected by the
        // user: the labels keep "Date" and "Conversion" until a selection.
        const QSignalBlocker quiet(StringGrid);
        StringGrid->setCurrentCell(0, 0);
    }
    gridBox->addWidget(StringGrid);
    layout->addWidget(Panel2, 1);

    Panel1 = Panel(this, "Panel1");
    Panel1->setFixedHeight(57);
    Panel1->setAutoFillBackground(true);
    QPalette dark = Panel1->palette();
    dark.setColor(QPalette::Window, dark.color(QPalette::Dark));
    dark.setColor(QPalette::WindowText, Qt::white);
    Panel1->setPalette(dark);
    auto* results = new QVBoxLayout(Panel1);
    results->setContentsMargins(16, 6, 16, 6);
    DateLabel = Caption(Panel1, "DateLabel", tr("Date"));
    ConversionLabel = Caption(Panel1, "ConversionLabel", tr("Conversion"));
    results->addWidget(DateLabel);
    results->addWidget(ConversionLabel);
    layout->addWidget(Panel1);

    AmountEdit->setFocus();
}

QString TCRateForm::Cells(int column, int row) const {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows || (column == 0 && row == 0))
        return QString();
    const QTableWidgetItem* item = row == 0      ? StringGrid->horizontalHeaderItem(column - 1)
                                   : column == 0 ? StringGrid->verticalHeaderItem(row - 1)
                                                 : StringGrid->item(row - 1, column - 1);
    return item ? item->text() : QString();
}

void TCRateForm::SetBody(int column, int row, const QString& text) {
    StringGrid->item(row - 1, column - 1)->setText(text);
}

void TCRateForm::DoCanGrid() {
    Fill(GridBase::CanadianDollar);
}

void TCRateForm::DoUSGrid() {
    Fill(GridBase::USDollar);
}

void TCRateForm::Fill(GridBase against) {
    const ConfigRecord& config = Configuration();
    m_unitGrid = BuildRateGrid(CurrencyCatalogue(), Rates(), config, against, 1.0, config.Language,
                               ShownLocale());
    m_unitCurrency = against == GridBase::CanadianDollar ? 0 : kUsDollarIndex;
    setWindowTitle(m_unitGrid.caption);
    CurrencyLabel->setText(m_unitGrid.unit);
    StringGrid->setAccessibleName(against == GridBase::CanadianDollar
                                      ? tr("Rates against the Canadian dollar")
                                      : tr("Rates against the U.S. dollar"));

    for (int d = 1; d <= kDayCount; ++d)
        StringGrid->horizontalHeaderItem(d - 1)->setText(m_unitGrid.dates[d - 1]);
    // The overall bar stays at the 0 the opener's ShowProgress left while the
    // names go in.
    for (int row = 1; row <= kPageLabelCount; ++row) {
        MoveBars(0, row * 100 / 110);
        StringGrid->verticalHeaderItem(row - 1)->setText(m_unitGrid.rows[row - 1].name);
    }
    // No name is cut, whatever the language: the column is as wide as the
    // longest.
    int widest = kColumnWidth;
    const QFontMetrics metrics(StringGrid->verticalHeader()->font());
    for (const GridRow& row : m_unitGrid.rows)
        widest = std::max(widest, metrics.horizontalAdvance(row.name) + 2 * kHeaderMargin);
    StringGrid->verticalHeader()->setFixedWidth(widest);
    for (int d = 1; d <= kDayCount; ++d) {
        for (int row = 1; row <= kPageLabelCount; ++row) {
            MoveBars(20 * d, row * 100 / 110);
            SetBody(d, row, m_unitGrid.rows[row - 1].cells[d - 1].text);
        }
    }
    MarkOrigins();
}

void TCRateForm::RecalculatePage() {
    DateLabel->setText(tr("Date"));
    ConversionLabel->setText(tr("Conversion"));

    AmountEdit->setText(NormalizedAmount(AmountEdit));
    const GridAmount amount = ReadGridAmount(ToCp1252(WithPointMarks(AmountEdit->text())));
    if (!amount.value) {
        for (const std::string& message : amount.messages)
            Messages().Error(this, AmountMessageText(message));
        return;
    }

    TProgressForm* progress = ProgressForm();
    if (progress) {
        progress->show();
        progress->raise();
    }
    m_pricedAmount = AmountEdit->text();
    const QLocale locale = ShownLocale();
    for (int column = 1; column <= kDayCount; ++column) {
        for (int row = 1; row <= kPageLabelCount; ++row) {
            MoveBars(20 * column, row * 100 / kPageLabelCount);
            const GridCell& unit = m_unitGrid.rows[row - 1].cells[column - 1];
            SetBody(column, row, ScaledCell(unit, *amount.value, locale).text);
        }
    }
    if (progress)
        progress->HideProgress();
    raise();
    activateWindow();
}

void TCRateForm::MoveBars(int total, int item) {
    TProgressForm* progress = ProgressForm();
    if (!progress)
        return;
    // A bar redraws at every set; most steps leave it where it is.
    for (auto [bar, value] :
         {std::pair{progress->TotalPrismBar, total}, {progress->PrismBar, item}})
        if (bar->Progress() != value)
            bar->SetProgress(value);
}

void TCRateForm::Button1Click() {
    RecalculatePage();
}

void TCRateForm::StringGridSelectCell(int column, int row) {
    if (column < 1 || row < 1)
        return;
    DateLabel->setText(Cells(column, 0));
    AmountEdit->setText(NormalizedAmount(AmountEdit));
    // The amount the cells were priced for, not one typed since: the line
    // must not claim that 2.5 units are worth what one unit is.
    ConversionLabel->setText(ConversionSentence(WithPointMarks(m_pricedAmount),
                                                m_unitGrid.rows[row - 1].currency, Cells(0, row),
                                                Cells(column, row), m_unitCurrency, ShownLocale()));
}

// Returns true when the key is to be discarded.
bool TCRateForm::AmountEditKeyPress(QKeyEvent* key) {
    const QChar c = TypedCharacter(key);
    // Esc goes on to the window, which closes.
    if (c.isNull() || c == QChar(27))
        return false;
    if (c == QChar(13)) {
        RecalculatePage();
        return false;
    }
    if (c == DecimalMark())
        return AmountEdit->text().contains(DecimalMark());
    return !(c.unicode() < 128 && IsDigit(static_cast<char>(c.unicode())));
}

void TCRateForm::AmountEditChange() {
    const QString text = AmountEdit->text();
    if (text.startsWith(DecimalMark())) {
        // Runs this handler again with the new text.
        AmountEdit->setText(QLatin1Char('0') + text);
        AmountEdit->setCursorPosition(static_cast<int>(AmountEdit->text().size()));
    }
}

void TCRateForm::AmountEditExit() {
    AmountEdit->setText(NormalizedAmount(AmountEdit));
}

bool TCRateForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == AmountEdit) {
        if (event->type() == QEvent::KeyPress)
            return AmountEditKeyPress(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut)
            AmountEditExit();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrum
