// The calculator window's words: captions, tips and what a screen reader
// says of each control, in the language in use. Set at start and again at
// every change of language.
#include "kestrum_form.h"

#include "data/dates.h"
#include "settings/configuration.h"
#include "settings/language.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

namespace kestrum {

void TKestrumForm::Retranslate() {
    // The labels over the fields name the chosen currencies once there are.
    if (FromComboBox->count() == 0 || ToComboBox->count() == 0) {
        Label1->setText(tr("Source value"));
        Label2->setText(tr("Converted value"));
    }
    EnterButton->setText(tr("Enter"));
    DotButton->setText(QString(DecimalMark()));
    CommaButton->setText(ShownLanguage() == kFrench
                             ? tr("Space", "the key that types a thousands separator")
                             : tr("Comma", "the key that types a thousands separator"));
    ClearButton->setText(tr("Clear"));
    ClearButton->setToolTip(tr("Clear the amount (Esc)"));
    PercentCheckBox->setText(tr("Cas&h Rate %"));
    PercentCheckBox->adjustSize();
    // A longer caption grows to the left, into the gap after Clear, and
    // never under the fee box.
    PercentCheckBox->move(std::max(ClearButton->geometry().right() + 6,
                                   std::min(152, CashRateEdit->x() - 4 - PercentCheckBox->width())),
                          PercentCheckBox->y());
    BitBtn2->setToolTip(tr("About the cash rate"));
    StaticText5->setText(tr("Quick Find..."));
    StaticText5->adjustSize();
    FromSpeedButton->setText(tr("From", "quick find acts on the Convert from list"));
    ToSpeedButton->setText(tr("To", "quick find acts on the Convert to list"));
    FromSpeedButton->setToolTip(tr("Quick find searches the Convert from list"));
    ToSpeedButton->setToolTip(tr("Quick find searches the Convert to list"));
    StaticText4->setText(tr("Convert &from"));
    StaticText4->adjustSize();
    StaticText1->setText(tr("Convert &to"));
    StaticText1->adjustSize();
    RadioGroup->setTitle(QString());
    GroupBox->setTitle(tr("Grids"));
    CanGridButton->setText(tr("&Can", "the grid of rates against the Canadian dollar"));
    USGridButton->setText(tr("&U.S.", "the grid of rates against the U.S. dollar"));
    dxButton1->setText(tr("&Options"));
    dxButton2->setText(tr("&Graphs"));
    dxButton2->setToolTip(tr("Graphs (Ctrl+G)"));
    DownloadButton->setText(tr("&Download"));
    DownloadButton->resize(std::max(81, DownloadButton->sizeHint().width()),
                           DownloadButton->height());
    StaticText2->setText(tr("Latest Data : "));
    StaticText2->adjustSize();
    // The date follows its caption, however long the caption is here.
    DataDateLabel->move(std::max(288, StaticText2->x() + StaticText2->width()), DataDateLabel->y());
    DataDateLabel->setFixedWidth(width() - DataDateLabel->x() - 8);
    DataDateLabel->setText(DataDateText(Configuration().DataDate));

    SourceEdit->setAccessibleName(tr("Amount"));
    SourceEdit->setAccessibleDescription(tr("The amount to convert; Enter converts it"));
    ConvertEdit->setAccessibleName(tr("Result"));
    CashRateEdit->setAccessibleName(tr("Cash-rate fee in percent"));
    PercentCheckBox->setAccessibleDescription(
        tr("Lowers every conversion by the fee a bank keeps when it changes cash"));
    BitBtn2->setAccessibleName(tr("About the cash rate"));
    FromComboBox->setAccessibleName(tr("Convert from"));
    ToComboBox->setAccessibleName(tr("Convert to"));
    RadioGroup->setAccessibleName(tr("Language"));
    CanGridButton->setAccessibleDescription(tr("Rates against the Canadian dollar"));
    USGridButton->setAccessibleDescription(tr("Rates against the U.S. dollar"));
    FromSpeedButton->setAccessibleDescription(FromSpeedButton->toolTip());
    ToSpeedButton->setAccessibleDescription(ToSpeedButton->toolTip());
    for (int i = 0; i < 26; ++i) {
        const QString letter(QLatin1Char(static_cast<char>('A' + i)));
        LetterButtons[i]->setAccessibleDescription(
            tr("Find currencies starting with %1").arg(letter));
    }
    Image1->setAccessibleName(QStringLiteral("Kestrum"));
    TodayLabel->setAccessibleName(tr("Today"));
    TimePanel->setAccessibleName(tr("Time"));
    RateOriginLabel->setAccessibleDescription(tr("Where the rates come from"));
    if (RateOriginLabel->text().isEmpty())
        RateOriginLabel->setAccessibleName(tr("Where the rates come from"));
    DotButton->setAccessibleName(tr("Decimal mark"));
    if (ClockTimer->isActive())
        UpdateClock();
}

void TKestrumForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QWidget::changeEvent(event);
}

// Screen readers hear of a new result and of where its rates come from
// without having to look.
void TKestrumForm::Announce(QWidget* widget, const QString& text) {
    QAccessibleValueChangeEvent event(widget, text);
    QAccessible::updateAccessibility(&event);
}

} // namespace kestrum
