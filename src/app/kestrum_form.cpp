#include "kestrum_form.h"

#include "cash_rate_form.h"
#include "data/catalogue.h"
#include "data/conversion.h"
#include "data/cp1252.h"
#include "data/dates.h"
#include "data/number_text.h"
#include "data/rate_files.h"
#include "data/rate_store.h"
#include "settings/configuration.h"
#include "settings/language.h"
#include "settings/message_table.h"
#include "settings/paths.h"
#include "update/platform.h"
#include "widgets/message_box.h"
#include "widgets/typed_key.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <memory>

namespace kestrum {

namespace {

const char* const kCashRateFallback = "4";

// The edit's own menu without the key hints: the amount and fee fields refuse
// the control characters those keys type, so the hints would promise keys
// that do nothing there.
void ShowMenuWithoutKeys(QLineEdit* edit, const QPoint& position) {
    std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        action->setText(action->text().section(QLatin1Char('\t'), 0, 0));
        action->setShortcut(QKeySequence());
    }
    menu->exec(edit->mapToGlobal(position));
}

std::string Bytes(const QString& text) {
    return ToCp1252(text);
}

QString Text(const std::string& bytes) {
    return FromCp1252(bytes);
}

} // namespace

TKestrumForm::TKestrumForm(QWidget* parent) : QWidget(parent) {
    CreateControls();
    Retranslate();

    for (int digit = 0; digit <= 9; ++digit)
        connect(DigitButtons[digit], &QPushButton::clicked, this,
                [this, digit] { DigitButtonClick(digit); });
    connect(DotButton, &QPushButton::clicked, this, &TKestrumForm::DotButtonClick);
    connect(CommaButton, &QPushButton::clicked, this, &TKestrumForm::CommaButtonClick);
    connect(ClearButton, &QPushButton::clicked, this, &TKestrumForm::ClearButtonClick);
    connect(EnterButton, &QPushButton::clicked, this, &TKestrumForm::Convert);
    SourceEdit->installEventFilter(this);
    for (QLineEdit* edit : {SourceEdit, CashRateEdit}) {
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QWidget::customContextMenuRequested, this,
                [edit](const QPoint& position) { ShowMenuWithoutKeys(edit, position); });
    }

    connect(FromComboBox, &QComboBox::activated, this, &TKestrumForm::FromComboBoxChange);
    for (QComboBox* list : {FromComboBox, ToComboBox})
        connect(list, &QComboBox::currentIndexChanged, this, &TKestrumForm::ShowSelectedOrigins);
    connect(ToComboBox, &QComboBox::activated, this, &TKestrumForm::ToComboBoxChange);
    for (int i = 0; i < 26; ++i)
        connect(LetterButtons[i], &QPushButton::clicked, this,
                [this, i] { QuickFind(LetterButtons[i]->property("tag").toInt()); });

    connect(PercentCheckBox, &QCheckBox::clicked, this, &TKestrumForm::PercentCheckBoxClick);
    connect(CashRateEdit, &QLineEdit::textChanged, this, &TKestrumForm::CashRateEditChange);
    CashRateEdit->installEventFilter(this);
    connect(BitBtn2, &QPushButton::clicked, this, &TKestrumForm::BitBtn2Click);
    ConnectGridButtons();
    connect(dxButton1, &QToolButton::clicked, this, &TKestrumForm::dxButton1Click);
    ConnectGraphsButton();

    connect(DownloadTimer, &QTimer::timeout, this, &TKestrumForm::DownloadTimerTimer);
    connect(ClockTimer, &QTimer::timeout, this, &TKestrumForm::ClockTimerTimer);
    CreateDownload();

    FormCreate();
}

TKestrumForm::~TKestrumForm() {
    FormClose();
}

void TKestrumForm::FormCreate() {
    ResultShown = false;

    const bool configured = ConfigurationFileExists();
    if (configured) {
        const IoResult loaded = LoadConfiguration();
        // An unreadable record is reported and the defaults stand in; the
        // file stays, and the next save moves it to the backup.
        ReportConfiguration(loaded);
    } else {
        ReportConfiguration(CreateDefaultConfiguration());
        // A first run speaks the desktop's language.
        Configuration().Language = static_cast<std::uint8_t>(LanguageOfLocale(QLocale()));
    }
    // Before any message, so that they come in the language chosen.
    const int language = Configuration().Language != kEnglish ? kFrench : kEnglish;
    RadioItems[language]->setChecked(true);
    if (language != kestrum::ShownLanguage())
        UseLanguage(language);
    Retranslate();
    if (!configured)
        OfferShortcuts();

    ShowMessages(LoadNameOverrides(CurrencyCatalogue(), Configuration()));

    const RateFileLoad load = LoadRateFile(Rates(), Configuration());
    if (load.status != RateFileStatus::Missing) {
        SaveSettings();
        if (Configuration().DataDate != kNotAvailable)
            DataDateLabel->setText(LongDateText(Configuration().DataDate));
    }
    ShowMessages(RateFileMessages(load));

    Configuration().DataDate = LatestDataDate(Rates());
    SaveSettings();

    // The quick-find letters follow the English names in either language.
    if (ShownLanguage() != kEnglish) {
        RadioItems[kEnglish]->setChecked(true);
        FillCurrencyLists();
        BuildQuickFind();
        RadioItems[kFrench]->setChecked(true);
        FillCurrencyLists();
    } else {
        FillCurrencyLists();
        BuildQuickFind();
    }

    ShowCashRate();

    DataDateLabel->setText(DataDateText(Configuration().DataDate));
    DownloadButton->setEnabled(!Configuration().AutoDownload);

    ShowSelectedOrigins();
    UpdateClock();
    ClockTimer->start();

    ArmDownloadTimer();
}

void TKestrumForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TKestrumForm::FormClose() {
    if (m_closed)
        return;
    m_closed = true;
    ClockTimer->stop();
    DownloadTimer->stop();
    ReportConfiguration(CloseConfiguration());
    const QString page = ProgramFile(QString::fromLatin1(Message(msg::TempHtml)));
    if (QFile::exists(page))
        QFile::remove(page);
}

void TKestrumForm::SaveSettings() {
    ReportConfiguration(SaveConfiguration());
}

// A configuration file that cannot be used fails every later save the same
// way; the user hears of it once, and again only after a save has worked.
void TKestrumForm::ReportConfiguration(const IoResult& result) {
    if (result) {
        m_configFailureShown = false;
        return;
    }
    if (m_configFailureShown)
        return;
    m_configFailureShown = true;
    Messages().Error(this, result.error);
}

void TKestrumForm::ShowMessages(const QStringList& texts) {
    for (const QString& text : texts)
        Messages().Information(this, text);
}

// ---- Clock and timers -------------------------------------------------------

// Date and time come from one reading, so that a tick after midnight also
// turns the date over.
void TKestrumForm::UpdateClock() {
    ClockTimer->stop();
    const QDateTime moment = CurrentPlatform().Now();
    const QTime now = moment.time();
    ClockTimer->setInterval(MillisecondsToNextMinute(now.second()));
    const QString text = ClockText(now.hour(), now.minute());
    if (TimePanel->text() != text)
        TimePanel->setText(text);
    const QString today = ShortDateText(DateValueOf(moment.date()));
    if (TodayLabel->text() != today) {
        TodayLabel->setText(today);
        TodayLabel->adjustSize();
    }
    ClockTimer->start();
}

void TKestrumForm::ClockTimerTimer() {
    UpdateClock();
}

void TKestrumForm::ArmDownloadTimer() {
    if (TodayDateValue() != Configuration().DataDate)
        DownloadTimer->start();
}

void TKestrumForm::DownloadTimerTimer() {
    DownloadTimer->stop();
    StartDownload();
}

// ---- Amount entry -----------------------------------------------------------

void TKestrumForm::StartNewAmount() {
    if (!ResultShown)
        return;
    SourceEdit->clear();
    ConvertEdit->clear();
    ResultShown = false;
}

void TKestrumForm::DigitButtonClick(int digit) {
    StartNewAmount();
    if (SourceEdit->text().size() < kMaxAmountLength)
        SourceEdit->setText(SourceEdit->text() + QString::number(digit));
}

// The amount as the one reading rule takes it: "." and ",".
QString TKestrumForm::AmountText() const {
    return WithPointMarks(SourceEdit->text());
}

void TKestrumForm::DotButtonClick() {
    StartNewAmount();
    QString text = SourceEdit->text();
    const QChar mark = DecimalMark();
    if (text.contains(mark))
        return;
    if (text.size() < kMaxAmountLength)
        text += mark;
    if (text == QString(mark))
        text = QLatin1Char('0') + text;
    SourceEdit->setText(text);
    SourceEdit->setCursorPosition(static_cast<int>(text.size()));
}

void TKestrumForm::CommaButtonClick() {
    const QString text = SourceEdit->text();
    if (!text.isEmpty() && text.size() < kMaxAmountLength)
        SourceEdit->setText(text + GroupMark());
}

void TKestrumForm::ClearButtonClick() {
    SourceEdit->clear();
    ConvertEdit->clear();
}

// Returns true when the key is to be discarded.
bool TKestrumForm::SourceEditKeyPress(QKeyEvent* key) {
    if (key->matches(QKeySequence::SelectAll))
        return false;
    const QChar c = TypedCharacter(key);
    if (c.isNull())
        return false;
    if (ResultShown) {
        ResultShown = false;
        ConvertEdit->clear();
    }
    if (c == QChar(13)) {
        Convert();
        return true;
    }
    const QString text = SourceEdit->text();
    const QChar decimal = DecimalMark();
    const QChar group = GroupMark();
    // In French the point of a numeric keypad types the decimal comma.
    if (decimal == QLatin1Char(',') && c == QLatin1Char('.')) {
        if (!text.contains(decimal))
            SourceEdit->insert(QString(decimal));
        return true;
    }
    if (c == decimal && text.contains(decimal))
        return true;
    if (c == group && (text.isEmpty() || SourceEdit->cursorPosition() == 0))
        return true;
    const bool passes = c.isDigit() && c.unicode() < 128;
    return !(passes || c == decimal || c == group || c == QChar(8) || c == QLatin1Char('%') ||
             c == QLatin1Char('&'));
}

void TKestrumForm::SourceEditKeyUp() {
    if (SourceEdit->text() == QString(DecimalMark())) {
        SourceEdit->setText(QLatin1Char('0') + SourceEdit->text());
        SourceEdit->setCursorPosition(2);
    }
}

double TKestrumForm::ReadAmount() {
    const std::string text = Bytes(AmountText());
    if (CheckAmount(text).needsLeadingZero)
        SourceEdit->setText(QLatin1Char('0') + SourceEdit->text());
    const AmountReading reading = ReadAmountText(text);
    for (const std::string& message : reading.messages)
        Messages().Error(this, AmountMessageText(message));
    return reading.value;
}

// ---- Conversion -------------------------------------------------------------

int TKestrumForm::ShownLanguage() const {
    return RadioItems[kFrench]->isChecked() ? kFrench : kEnglish;
}

void TKestrumForm::Convert() {
    if (FromComboBox->currentIndex() < 0 || ToComboBox->currentIndex() < 0)
        return;
    const double amount = ReadAmount();
    if (amount == 0.0)
        return;
    ResultShown = true;

    const int language = ShownLanguage();
    const int a = FindCurrencyIndex(Bytes(FromComboBox->currentText()), language);
    const int b = FindCurrencyIndex(Bytes(ToComboBox->currentText()), language);
    if (a < 0 || b < 0) {
        Messages().Information(this, MessageText(msg::ValueNotFound));
        return;
    }
    ShowSelectedNames();

    const ConfigRecord& config = Configuration();
    const Conversion c = ConvertAmount(Rates(), config, a, b, amount);
    if (c.tooLarge) {
        ConvertEdit->clear();
        Messages().Error(this, QCoreApplication::translate("Conversion", kTooLargeMessage));
        return;
    }
    // A list can still offer a currency that a later download left without
    // a rate; its marker must never turn into a number.
    ConvertEdit->setText(c.available
                             ? FormatResult(c.result, c.decimals, config.CurrencyFormat,
                                            ShownLocale(), QString::fromLatin1(CurrencyCode(b)))
                             : QStringLiteral("NA"));
    // A result wider than the field shows its leading digits.
    ConvertEdit->setCursorPosition(0);
    Announce(ConvertEdit, ConvertEdit->text());
    ShowRateOrigins(a, b);
}

// ---- Currency lists, quick find, language -----------------------------------

void TKestrumForm::ShowSelectedNames() {
    Label1->setText(FromComboBox->currentText());
    Label2->setText(ToComboBox->currentText());
}

void TKestrumForm::FillCurrencyLists() {
    FromComboBox->clear();
    ToComboBox->clear();
    SourceEdit->clear();
    ConvertEdit->clear();

    const QStringList names = OfferedNames();
    FromComboBox->addItems(names);
    ToComboBox->addItems(names);

    FromComboBox->setCurrentIndex(FromComboBox->count() > 0 ? 0 : -1);
    ToComboBox->setCurrentIndex(ToComboBox->count() >= 2 ? 1 : ToComboBox->count() - 1);
    if (FromComboBox->count() > 0 && ToComboBox->count() > 0)
        ShowSelectedNames();
}

QStringList TKestrumForm::OfferedNames() const {
    const int language = ShownLanguage();
    QStringList names;
    for (const int k : OfferedCurrencies(CurrencyCatalogue(), Rates(), language))
        names << Text(CurrencyName(k, language));
    return names;
}

// Both lists offer the current names, each keeping the named choice while
// it is offered (else the first entry), without a selection signal.
void TKestrumForm::FillCurrencyLists(const QString& from, const QString& to) {
    const QStringList names = OfferedNames();
    const QSignalBlocker blockFrom(FromComboBox);
    const QSignalBlocker blockTo(ToComboBox);
    FromComboBox->clear();
    ToComboBox->clear();
    FromComboBox->addItems(names);
    ToComboBox->addItems(names);
    FromComboBox->setCurrentIndex(std::max(0, static_cast<int>(names.indexOf(from))));
    ToComboBox->setCurrentIndex(std::max(0, static_cast<int>(names.indexOf(to))));
}

// New rates can add or drop currencies. Unlike a fresh fill this keeps the
// amount and each list's choice while it is still offered; a result shown
// is redone at the new rates.
void TKestrumForm::RefillCurrencyLists() {
    FillCurrencyLists(FromComboBox->currentText(), ToComboBox->currentText());
    BuildQuickFind();
    ShowSelectedNames();
    ShowSelectedOrigins();
    if (!ConvertEdit->text().isEmpty())
        Convert();
}

void TKestrumForm::BuildQuickFind() {
    for (int i = 0; i < 26; ++i)
        LetterButtons[i]->setProperty("tag", i + 1);
    auto entries = [](const QComboBox* list) {
        std::vector<std::string> texts;
        for (int p = 0; p < list->count(); ++p)
            texts.push_back(Bytes(list->itemText(p)));
        return texts;
    };
    QuickFindTable = BuildQuickFindTable(entries(FromComboBox), entries(ToComboBox));
}

void TKestrumForm::QuickFind(int tag) {
    if (tag < 1 || tag > 26)
        return;
    const QuickFindEntry& entry = QuickFindTable[tag - 1];
    if (FromSpeedButton->isChecked() && entry.from != -1 && entry.from < FromComboBox->count())
        FromComboBox->setCurrentIndex(entry.from);
    if (ToSpeedButton->isChecked() && entry.to != -1 && entry.to < ToComboBox->count())
        ToComboBox->setCurrentIndex(entry.to);
    ShowSelectedNames();
    Convert();
}

void TKestrumForm::FromComboBoxChange() {
    if (FromComboBox->currentIndex() >= 0)
        Label1->setText(FromComboBox->currentText());
    Convert();
}

void TKestrumForm::ToComboBoxChange() {
    if (ToComboBox->currentIndex() >= 0)
        Label2->setText(ToComboBox->currentText());
    Convert();
}

void TKestrumForm::RadioGroupClick(int item) {
    // Clicking the language already shown changes nothing.
    if ((item != kEnglish) == (Configuration().Language != kEnglish))
        return;
    SwitchLanguage(item);
}

// The captions change at once; the amount, the result and the pair stay,
// only their names and number forms change language.
void TKestrumForm::SwitchLanguage(int language) {
    const int from = SelectedCurrency(FromComboBox, 1 - language);
    const int to = SelectedCurrency(ToComboBox, 1 - language);
    const QString amountBefore = AmountText();
    Configuration().Language = static_cast<std::uint8_t>(language);
    SaveSettings();
    UseLanguage(language);
    Retranslate();
    // The amount keeps its value, written with the new language's marks.
    SourceEdit->setText(WithShownMarks(amountBefore));
    FillCurrencyLists(from >= 0 ? Text(CurrencyName(from, language)) : QString(),
                      to >= 0 ? Text(CurrencyName(to, language)) : QString());
    GraphsFollowSelection();
    ShowSelectedNames();
    ShowSelectedOrigins();
    if (!ConvertEdit->text().isEmpty())
        Convert();
}

int TKestrumForm::SelectedCurrency(const QComboBox* list, int language) const {
    return list->currentIndex() < 0 ? -1 : FindCurrencyIndex(Bytes(list->currentText()), language);
}

// ---- Cash rate --------------------------------------------------------------

void TKestrumForm::ShowCashRate() {
    // Restoring the controls must not run their handlers: a stored 2.5 stays 2.5.
    const QSignalBlocker blockBox(PercentCheckBox);
    const QSignalBlocker blockEdit(CashRateEdit);
    PercentCheckBox->setChecked(Configuration().CashRateOn != 0);
    CashRateEdit->setText(QString::fromStdString(GeneralNumberText(Configuration().CashRate)));
}

// A refused fee puts the fee in use back in the box, so that the box never
// shows a figure the arithmetic is not using.
bool TKestrumForm::TakeCashRate(const QString& text) {
    const std::optional<double> value = ParseDecimal(Bytes(text));
    if (!value || !IsUsableFee(*value)) {
        ShowCashRate();
        if (value)
            Messages().Error(this, QCoreApplication::translate("Conversion", kFeeRangeMessage));
        else
            Messages().Error(this, tr("'%1' is not a valid floating point value").arg(text));
        return false;
    }
    Configuration().CashRate = *value;
    return true;
}

void TKestrumForm::PercentCheckBoxClick() {
    if (PercentCheckBox->isChecked()) {
        Configuration().CashRateOn = 1;
        const QString text = CashRateEdit->text();
        // A pasted text that is no number is reported and keeps the old fee.
        if (IsUsableNumber(Bytes(text))) {
            TakeCashRate(text);
        } else {
            Configuration().CashRate = 4.0;
            ShowCashRate();
        }
    } else {
        Configuration().CashRateOn = 0;
    }
    SaveSettings();
    Convert();
}

// Returns true when the key is to be discarded.
bool TKestrumForm::CashRateEditKeyPress(QKeyEvent* key) {
    if (key->matches(QKeySequence::SelectAll))
        return false;
    const QChar c = TypedCharacter(key);
    if (c.isNull() || c == QChar(8))
        return false;
    if (c == QChar(13)) {
        if (CashRateEdit->text().isEmpty())
            return true;
        CashRateEdit->setText(QString::fromStdString(
            NormalizeNumber(Bytes(CashRateEdit->text()), kCashRateFallback)));
        if (IsUsableNumber(Bytes(CashRateEdit->text())) && TakeCashRate(CashRateEdit->text())) {
            SaveSettings();
            Convert();
        }
        return true;
    }
    if (c == QLatin1Char('.'))
        return HasDot(Bytes(CashRateEdit->text()));
    return !(c.unicode() >= '0' && c.unicode() <= '9');
}

void TKestrumForm::CashRateEditChange() {
    const QString text = CashRateEdit->text();
    if (text.isEmpty())
        return;
    if (text.startsWith(QLatin1Char('.'))) {
        // Runs this handler again with the new text.
        CashRateEdit->setText(QLatin1Char('0') + text);
        CashRateEdit->setCursorPosition(static_cast<int>(CashRateEdit->text().size()));
        return;
    }
    if (IsUsableNumber(Bytes(text)) && TakeCashRate(text))
        Convert();
}

void TKestrumForm::CashRateEditExit() {
    CashRateEdit->setText(
        QString::fromStdString(NormalizeNumber(Bytes(CashRateEdit->text()), kCashRateFallback)));
    if (IsUsableNumber(Bytes(CashRateEdit->text())) && TakeCashRate(CashRateEdit->text())) {
        SaveSettings();
        Convert();
    }
}

void TKestrumForm::BitBtn2Click() {
    TCashRateForm dialog(this);
    dialog.exec();
}

// ---- Keyboard routing ------------------------------------------------------

bool TKestrumForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SourceEdit) {
        if (event->type() == QEvent::KeyPress)
            return SourceEditKeyPress(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::KeyRelease)
            SourceEditKeyUp();
    } else if (watched == CashRateEdit) {
        if (event->type() == QEvent::KeyPress)
            return CashRateEditKeyPress(static_cast<QKeyEvent*>(event));
        // Leaving the box means focus going to another control of this window;
        // the window losing activation (closing, a popup, another program)
        // is not, and after the close the record is already back to defaults.
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                CashRateEditExit();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kestrum
