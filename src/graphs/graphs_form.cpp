#include "graphs_form.h"

#include "history_fetch.h"
#include "rate_chart.h"

#include "prices/date_rule.h"

#include "data/catalogue.h"
#include "data/conversion.h"
#include "data/cp1252.h"
#include "data/dates.h"
#include "data/number_text.h"
#include "history/coverage.h"
#include "history/history_query.h"
#include "history/history_store.h"
#include "settings/configuration.h"
#include "settings/language.h"
#include "settings/preferences.h"
#include "update/history_keeping.h"
#include "widgets/app_icon.h"
#include "widgets/message_box.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace kestrum {

namespace {
SaveFileChooser g_chooser = nullptr;

QString Name(int k, int language) {
    return FromCp1252(CurrencyName(k, language));
}

// "USD-CAD.png" for the chart titled USD/CAD.
QString SuggestedName(const ChartContent& content, const QString& extension) {
    return QStringLiteral("%1-%2.%3").arg(content.toCode, content.fromCode, extension);
}

// Four significant decimals for rates near one, more for tiny ones.
QString RateText(double rate) {
    return QString::number(rate, 'g', rate < 0.01 ? 4 : 6);
}
} // namespace

void SetSaveFileChooser(SaveFileChooser chooser) {
    g_chooser = chooser;
}

QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& suggested,
                       const QString& filter) {
    if (g_chooser)
        return g_chooser(parent, caption, suggested, filter);
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

TGraphsForm::TGraphsForm(QWidget* parent)
    : QWidget(parent, Qt::Window), m_shown(std::make_unique<ChartContent>()) {
    setObjectName(QStringLiteral("GraphsForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(AppIcon());
    CreateControls();
    if (const auto range = ParseRange(ReadPreference(QLatin1String(pref::kGraphsRange))))
        m_range = *range;
    RangeButtons[static_cast<int>(m_range)]->setChecked(true);
}

TGraphsForm::~TGraphsForm() = default;

void TGraphsForm::CreateControls() {
    resize(900, 640);
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* ranges = new QButtonGroup(this);
    for (ChartRange range : kChartRanges) {
        const int id = static_cast<int>(range);
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("Range") + RangeName(range) +
                              QStringLiteral("Button"));
        button->setText(RangeName(range));
        button->setCheckable(true);
        button->setMinimumWidth(44);
        ranges->addButton(button, id);
        top->addWidget(button);
        RangeButtons[static_cast<std::size_t>(id)] = button;
    }
    ranges->setExclusive(true);
    connect(ranges, &QButtonGroup::idClicked, this, &TGraphsForm::RangeButtonClick);
    top->addStretch();
    SourceComboBox = new QComboBox(this);
    SourceComboBox->setObjectName(QStringLiteral("SourceComboBox"));
    connect(SourceComboBox, &QComboBox::activated, this, &TGraphsForm::SourceComboBoxChange);
    top->addWidget(SourceComboBox);
    layout->addLayout(top);

    ChartStack = new QStackedWidget(this);
    m_chart = BuildRateChart(*m_shown, QSize());
    ChartView = new QChartView(m_chart, ChartStack);
    ChartView->setObjectName(QStringLiteral("ChartView"));
    ChartView->setRenderHint(QPainter::Antialiasing);
    ChartView->setFocusPolicy(Qt::StrongFocus);
    ChartView->viewport()->setMouseTracking(true);
    ChartView->viewport()->installEventFilter(this);
    ChartView->installEventFilter(this);
    ChartStack->addWidget(ChartView);
    auto* empty = new QWidget(ChartStack);
    auto* emptyLayout = new QVBoxLayout(empty);
    EmptyLabel = new QLabel(empty);
    EmptyLabel->setObjectName(QStringLiteral("EmptyLabel"));
    EmptyLabel->setWordWrap(true);
    EmptyLabel->setAlignment(Qt::AlignCenter);
    EmptyFetchButton = new QPushButton(empty);
    EmptyFetchButton->setObjectName(QStringLiteral("EmptyFetchButton"));
    connect(EmptyFetchButton, &QPushButton::clicked, this, &TGraphsForm::FetchButtonClick);
    emptyLayout->addStretch();
    emptyLayout->addWidget(EmptyLabel);
    emptyLayout->addWidget(EmptyFetchButton, 0, Qt::AlignHCenter);
    emptyLayout->addStretch();
    ChartStack->addWidget(empty);
    layout->addWidget(ChartStack, 1);

    ReadoutLabel = new QLabel(this);
    ReadoutLabel->setObjectName(QStringLiteral("ReadoutLabel"));
    StatsLabel = new QLabel(this);
    StatsLabel->setObjectName(QStringLiteral("StatsLabel"));
    StatsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Long figures wrap instead of widening the window past the screen.
    StatsLabel->setWordWrap(true);
    ReadoutLabel->setWordWrap(true);
    layout->addWidget(ReadoutLabel);
    layout->addWidget(StatsLabel);

    auto* convert = new QHBoxLayout;
    ConvertAtLabel = new QLabel(this);
    convert->addWidget(ConvertAtLabel);
    AmountEdit = new QLineEdit(this);
    AmountEdit->setObjectName(QStringLiteral("AmountEdit"));
    convert->addWidget(AmountEdit);
    DateEdit = new QDateEdit(this);
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    DateEdit->setCalendarPopup(true);
    DateEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // No rates exist for tomorrow; the calendar offers none.
    DateEdit->setMaximumDate(QDate::currentDate());
    DateEdit->setDate(QDate::currentDate());
    convert->addWidget(DateEdit);
    RuleComboBox = new QComboBox(this);
    RuleComboBox->setObjectName(QStringLiteral("RuleComboBox"));
    // Named in the language in use by Retranslate().
    for (const prices::DateRule rule :
         {prices::DateRule::Previous, prices::DateRule::Next, prices::DateRule::Exact})
        RuleComboBox->addItem(QString(), int(rule));
    convert->addWidget(RuleComboBox);
    ConvertButton = new QPushButton(this);
    ConvertButton->setObjectName(QStringLiteral("ConvertButton"));
    connect(ConvertButton, &QPushButton::clicked, this, &TGraphsForm::ConvertButtonClick);
    connect(AmountEdit, &QLineEdit::returnPressed, ConvertButton, &QPushButton::click);
    convert->addWidget(ConvertButton);
    convert->addStretch();
    layout->addLayout(convert);
    ConvertResultLabel = new QLabel(this);
    ConvertResultLabel->setObjectName(QStringLiteral("ConvertResultLabel"));
    ConvertResultLabel->setWordWrap(true);
    ConvertResultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(ConvertResultLabel);

    auto* bottom = new QHBoxLayout;
    FetchButton = new QPushButton(this);
    FetchButton->setObjectName(QStringLiteral("FetchButton"));
    PngButton = new QPushButton(this);
    PngButton->setObjectName(QStringLiteral("PngButton"));
    CsvButton = new QPushButton(this);
    CsvButton->setObjectName(QStringLiteral("CsvButton"));
    CreateExportMenu();
    CloseButton = new QPushButton(this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    connect(FetchButton, &QPushButton::clicked, this, &TGraphsForm::FetchButtonClick);
    connect(PngButton, &QPushButton::clicked, this, &TGraphsForm::PngButtonClick);
    connect(CsvButton, &QPushButton::clicked, this, &TGraphsForm::CsvButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(FetchButton);
    bottom->addStretch();
    bottom->addWidget(PngButton);
    bottom->addWidget(CsvButton);
    bottom->addWidget(ExportButton);
    bottom->addWidget(CloseButton);
    layout->addLayout(bottom);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    Retranslate();
}

void TGraphsForm::Retranslate() {
    // The access key belongs to the button that is always there.
    EmptyFetchButton->setText(tr("Fetch history"));
    ConvertAtLabel->setText(tr("Convert at &date:"));
    ConvertAtLabel->setBuddy(DateEdit);
    AmountEdit->setPlaceholderText(tr("Amount"));
    AmountEdit->setAccessibleName(tr("Amount"));
    DateEdit->setAccessibleName(tr("Date of the rates"));
    SourceComboBox->setAccessibleName(tr("Source"));
    ChartView->setAccessibleName(tr("Chart"));
    ChartView->setAccessibleDescription(
        tr("The left and right arrow keys step the read-out from day to day"));
    ConvertButton->setText(tr("Con&vert"));
    FetchButton->setText(tr("&Fetch history"));
    PngButton->setText(tr("Save as &PNG..."));
    CsvButton->setText(tr("Save as C&SV..."));
    ExportButton->setText(tr("&Export prices..."));
    CloseButton->setText(tr("Close"));
    RuleComboBox->setItemText(0, tr("or the last publication before"));
    RuleComboBox->setItemText(1, tr("or the first publication after"));
    RuleComboBox->setItemText(2, tr("only that day"));
    RuleComboBox->setAccessibleName(tr("Publication day taken"));
    RuleComboBox->setToolTip(tr("Which publication day a date without one takes: the latest "
                                "before it, the first after it (the EU VAT rule), or none."));
    for (ChartRange range : kChartRanges) {
        QToolButton* button = RangeButtons[static_cast<std::size_t>(range)];
        const QString name =
            range == ChartRange::All ? tr("All", "the whole stored history") : RangeName(range);
        button->setText(name);
        button->setAccessibleName(tr("Show %1", "a chart range such as 1Y").arg(name));
    }
}

void TGraphsForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
        if (m_from >= 0)
            Reload();
    }
    QWidget::changeEvent(event);
}

// The chart on screen follows the desktop's colours, light or dark; the
// exported picture keeps its own white page for printing.
void TGraphsForm::FollowPalette() {
    const QPalette colours = palette();
    const QColor text = colours.color(QPalette::WindowText);
    m_chart->setBackgroundBrush(colours.brush(QPalette::Base));
    m_chart->setTitleBrush(colours.brush(QPalette::Text));
    m_chart->legend()->setLabelColor(colours.color(QPalette::Text));
    QColor grid = text;
    grid.setAlpha(60);
    for (QAbstractAxis* axis : m_chart->axes()) {
        axis->setLabelsColor(colours.color(QPalette::Text));
        axis->setTitleBrush(colours.brush(QPalette::Text));
        axis->setGridLineColor(grid);
        axis->setLinePenColor(text);
    }
    // Dark lines vanish on a dark page: lighten them there.
    if (colours.color(QPalette::Base).lightness() < 128) {
        for (QAbstractSeries* series : m_chart->series()) {
            if (auto* line = qobject_cast<QLineSeries*>(series)) {
                QPen pen = line->pen();
                pen.setColor(pen.color().lighter(180));
                line->setPen(pen);
            }
        }
    }
}

void TGraphsForm::ShowPair(int from, int to, int language) {
    const bool pairChanged = from != m_from || to != m_to;
    m_from = from;
    m_to = to;
    m_language = language;
    if (pairChanged)
        ConvertResultLabel->clear();
    Reload();
}

void TGraphsForm::Reload() {
    FillSourceChooser();
    LoadSeries();
    ApplyRange();
}

void TGraphsForm::FillSourceChooser() {
    const QString configured = ConfiguredHistorySource(Configuration());
    const QString other = history::OtherSource(configured);
    // Days of the other source, not the whole summary: that counts every
    // source's currencies and costs most of the opening on a long history.
    history::Store store;
    const auto storedFrom = [&store](const QString& source) {
        return !source.isEmpty() &&
               !history::StoredDays(store, source, std::numeric_limits<int>::min(),
                                    std::numeric_limits<int>::max())
                    .empty();
    };
    bool otherStored = false;
    QStringList tables; // the NBP's, which fill only: each beside the banks
    try {
        if (store.OpenForReading().usable()) {
            otherStored = storedFrom(other);
            for (const char* table : {history::kNbpA, history::kNbpB})
                if (storedFrom(QLatin1String(table)))
                    tables << QLatin1String(table);
        }
    } catch (const history::StoreError&) {
        // Loading the series meets the same error and says so.
    }

    const QString kept = SourceComboBox->currentData().toString();
    SourceComboBox->clear();
    SourceComboBox->addItem(SourceDisplayName(configured), configured);
    if (otherStored) {
        SourceComboBox->addItem(SourceDisplayName(other), other);
        SourceComboBox->addItem(tr("Both"), configured + QLatin1Char(',') + other);
    }
    for (const QString& table : tables)
        SourceComboBox->addItem(SourceDisplayName(table), table);
    const int index = SourceComboBox->findData(kept);
    SourceComboBox->setCurrentIndex(index >= 0 ? index : 0);
    SourceComboBox->setVisible(SourceComboBox->count() > 1);
}

QStringList TGraphsForm::ChosenSources() const {
    return SourceComboBox->currentData().toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
}

void TGraphsForm::LoadSeries() {
    m_series.clear();
    if (m_from < 0 || m_to < 0)
        return;
    try {
        history::Store store;
        if (!store.OpenForReading().usable())
            return;
        for (const QString& source : ChosenSources())
            m_series.push_back(
                {source, SourceDisplayName(source),
                 history::CrossSeries(store, source, m_from, m_to, std::numeric_limits<int>::min(),
                                      std::numeric_limits<int>::max())});
    } catch (const history::StoreError& error) {
        m_series.clear();
        Messages().Error(this, error.sentence());
    }
}

QString TGraphsForm::PairText() const {
    return tr("%1 per %2").arg(Name(m_to, m_language), Name(m_from, m_language));
}

void TGraphsForm::ApplyRange() {
    ChartContent& shown = *m_shown;
    shown = ChartOfRange(m_series, m_range);
    if (m_from >= 0 && m_to >= 0) {
        NamePair(shown, m_from, m_to, m_language);
        setWindowTitle(tr("Graphs: %1/%2").arg(shown.toCode, shown.fromCode));
    }
    const bool empty = !HasLineToDraw(shown);
    for (QPushButton* b : {PngButton, CsvButton, ExportButton})
        b->setEnabled(!empty);
    if (empty) {
        QStringList sources;
        for (const QString& source : ChosenSources())
            sources << SourceDisplayName(source);
        EmptyLabel->setText(
            m_from < 0 ? tr("Choose two currencies in the main window.")
            : shown.lines.empty()
                ? tr("No history of %1 is stored yet from the %2; fetch it to see the chart.")
                      .arg(PairText(), sources.join(tr(" or the ")))
                : tr("Only one day of %1 is stored in this range, too little to draw a line; "
                     "choose a longer range or fetch the history.")
                      .arg(PairText()));
        ChartStack->setCurrentIndex(1);
        ReadoutLabel->clear();
        StatsLabel->clear();
        m_readout = -1;
        return;
    }
    // Before the window is first shown, the width its layout will give the
    // view; the chart takes the view's inside.
    const QMargins around = layout()->contentsMargins();
    FillRateChart(*m_chart, shown,
                  ChartView->isVisible() ? ChartView->viewport()->width()
                                         : width() - around.left() - around.right());
    m_marker = new QScatterSeries;
    m_marker->setMarkerSize(8);
    m_marker->setColor(Qt::red);
    m_chart->addSeries(m_marker);
    FollowPalette();
    for (QAbstractAxis* axis : m_chart->axes())
        m_marker->attachAxis(axis);
    // The read-out's dot is no series of its own.
    for (QLegendMarker* marker : m_chart->legend()->markers(m_marker))
        marker->setVisible(false);
    ChartStack->setCurrentIndex(0);
    ShowStatistics();
    ShowReadout(static_cast<int>(shown.lines.front().points.size()) - 1);
}

void TGraphsForm::ShowReadout(int index) {
    if (m_shown->lines.empty())
        return;
    const RateSeries& points = m_shown->lines[0].points;
    if (index < 0 || index >= static_cast<int>(points.size()))
        return;
    m_readout = index;
    const RatePoint& point = points[static_cast<std::size_t>(index)];
    QString text = QStringLiteral("%1: %2").arg(LongDateText(point.day), RateText(point.rate));
    // The second source on the same day, when it published one.
    for (std::size_t i = 1; i < m_shown->lines.size(); ++i) {
        const RateSeries& other = m_shown->lines[i].points;
        const int j = NearestPointIndex(other, point.day);
        if (j >= 0 && other[static_cast<std::size_t>(j)].day == point.day)
            text +=
                QStringLiteral(" (%1: %2)")
                    .arg(m_shown->lines[i].name, RateText(other[static_cast<std::size_t>(j)].rate));
    }
    ReadoutLabel->setText(text + QStringLiteral(" ") + PairText());
    if (m_marker)
        m_marker->replace(QList<QPointF>{QPointF(ChartX(point.day), point.rate)});
}

void TGraphsForm::ShowStatistics() {
    const RateSeries& points = m_shown->lines.front().points;
    const SeriesStatistics s = Statistics(points);
    QString text =
        tr("First %1   Last %2   Change %3%4 %   Minimum %5 (%6)   Maximum %7 (%8)   Mean %9")
            .arg(RateText(s.first), RateText(s.last),
                 s.changePercent >= 0 ? QStringLiteral("+") : QString(),
                 QString::number(s.changePercent, 'f', 2), RateText(s.minimum),
                 ShortDateText(s.minimumDay), RateText(s.maximum), ShortDateText(s.maximumDay),
                 RateText(s.mean));
    // The days the figures cover, which a range with missing years does not
    // fill.
    text += QLatin1Char('\n') + tr("%1 days with rates between %2 and %3")
                                    .arg(s.days)
                                    .arg(IsoDateText(s.firstDay), IsoDateText(s.lastDay));
    QStringList gaps;
    for (const SeriesGap& gap : Gaps(points))
        gaps
            << tr("%1 to %2").arg(IsoDateText(gap.lastBefore + 1), IsoDateText(gap.firstAfter - 1));
    if (!gaps.isEmpty())
        text += tr("; nothing stored from %1").arg(gaps.join(QStringLiteral(", ")));
    StatsLabel->setText(text + QLatin1Char('.'));
}

bool TGraphsForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ChartView->viewport() && event->type() == QEvent::MouseMove &&
        !m_shown->lines.empty()) {
        const QPointF scene = ChartView->mapToScene(static_cast<QMouseEvent*>(event)->pos());
        const QPointF value = m_chart->mapToValue(m_chart->mapFromScene(scene));
        ShowReadout(NearestPointIndex(m_shown->lines.front().points, DayOfChartX(value.x())));
    } else if (watched == ChartView && event->type() == QEvent::KeyPress &&
               !m_shown->lines.empty()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            ShowReadout(m_readout + (key == Qt::Key_Left ? -1 : 1));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TGraphsForm::RangeButtonClick(int id) {
    m_range = static_cast<ChartRange>(id);
    WritePreference(QLatin1String(pref::kGraphsRange), RangeName(m_range));
    ApplyRange();
}

void TGraphsForm::SourceComboBoxChange() {
    LoadSeries();
    ApplyRange();
}

QString TGraphsForm::SavePng(const QString& path) {
    const QSize size = ChartView->size().isEmpty() ? QSize(900, 500) : ChartView->size();
    return SaveRateChart(*m_shown, size, path).error;
}

bool TGraphsForm::SaveCsv(const QString& path) {
    if (m_shown->lines.empty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(SeriesCsv(*m_shown));
    return file.commit();
}

void TGraphsForm::ConvertButtonClick() {
    ConvertResultLabel->clear();
    if (m_from < 0 || m_to < 0)
        return;
    const AmountReading reading = ReadAmountText(ToCp1252(WithPointMarks(AmountEdit->text())));
    for (const std::string& message : reading.messages)
        Messages().Error(this, AmountMessageText(message));
    if (reading.value == 0.0)
        return;
    const int day = static_cast<int>(DateValueOf(DateEdit->date()));
    const QString source = ChosenSources().value(0, ConfiguredHistorySource(Configuration()));
    const auto rule = static_cast<prices::DateRule>(RuleComboBox->currentData().toInt());
    // The rates `kestrum convert --date --rule` takes, read as it reads them.
    history::DayRates rates;
    try {
        history::Store store;
        if (store.OpenForReading().usable()) {
            const prices::RuledRates ruled =
                prices::RatesByRule(store, day, source, history::ConfiguredFillPolicy(), rule);
            if (!ruled.refusal.isEmpty()) {
                ConvertResultLabel->setText(ruled.refusal);
                return;
            }
            rates = ruled.rates;
        }
    } catch (const history::StoreError& error) {
        Messages().Error(this, error.sentence());
        return;
    }
    const ConfigRecord& config = Configuration();
    const Conversion c =
        ConvertAmount(history::AsRateStore(rates, day), config, m_from, m_to, reading.value);
    // The Canadian dollar has no publication day; the other currency names it.
    const history::OriginatedRate& named =
        rates[static_cast<std::size_t>(m_from != 0 ? m_from : m_to)];
    if (c.tooLarge) {
        Messages().Error(this, QCoreApplication::translate("Conversion", kTooLargeMessage));
        return;
    }
    if (!c.available) {
        const QString missing =
            rule == prices::DateRule::Exact
                ? tr("No rate of %1 was published on %2.").arg(PairText(), LongDateText(day))
            : rule == prices::DateRule::Next
                ? tr("No rate of %1 is stored for %2 or the %3 days after it.")
                      .arg(PairText(), LongDateText(day))
                      .arg(history::kLookBackDays)
                : tr("No rate of %1 is stored for %2 or the %3 days before it; fetch the "
                     "history first.")
                      .arg(PairText(), LongDateText(day))
                      .arg(history::kLookBackDays);
        ConvertResultLabel->setText(missing);
        return;
    }
    ConvertResultLabel->setText(
        tr("%1 %2 = %3 %4 at the rates of %5 (%6), %7.")
            .arg(AmountEdit->text(), QLatin1String(CurrencyCode(m_from)),
                 FormatResult(c.result, c.decimals, config.CurrencyFormat, ShownLocale()),
                 QLatin1String(CurrencyCode(m_to)), LongDateText(named.day),
                 SourceDisplayName(named.origin.source), FeeSentence(config)));
}

THistoryFetch* TGraphsForm::HistoryFetch() {
    if (!m_fetch) {
        m_fetch = new THistoryFetch(this);
        connect(m_fetch, &THistoryFetch::Finished, this, [this] {
            for (QPushButton* b : {FetchButton, EmptyFetchButton})
                b->setEnabled(true);
            Reload();
            // An error has said so already; otherwise the end says what came.
            if (m_fetch->Failed())
                return;
            const int added = m_fetch->DaysAdded();
            QString said;
            if (m_fetch->Cancelled())
                said = added == 0   ? tr("Fetching stopped: no day was added.")
                       : added == 1 ? tr("Fetching stopped: one day of rates added.")
                                    : tr("Fetching stopped: %1 days of rates added.").arg(added);
            else
                said = added == 0   ? tr("Nothing new: the history already held every day fetched.")
                       : added == 1 ? tr("One day of rates added to the history.")
                                    : tr("%1 days of rates added to the history.").arg(added);
            Messages().Information(this, said);
        });
    }
    return m_fetch;
}

void TGraphsForm::FetchButtonClick() {
    const QString source = ChosenSources().value(0, ConfiguredHistorySource(Configuration()));
    if (HistoryFetch()->Start(source))
        for (QPushButton* b : {FetchButton, EmptyFetchButton})
            b->setEnabled(false);
}

void TGraphsForm::PngButtonClick() {
    const QString path =
        ChooseSaveFile(this, tr("Save the chart as PNG"),
                       SuggestedName(*m_shown, QStringLiteral("png")), tr("PNG images (*.png)"));
    if (path.isEmpty())
        return;
    if (const QString error = SavePng(path); !error.isEmpty())
        Messages().Error(this, error);
}

void TGraphsForm::CsvButtonClick() {
    const QString path =
        ChooseSaveFile(this, tr("Save the rates as CSV"),
                       SuggestedName(*m_shown, QStringLiteral("csv")), tr("CSV files (*.csv)"));
    if (!path.isEmpty() && !SaveCsv(path))
        Messages().Error(this, tr("The rates could not be saved as \"%1\".").arg(path));
}

GraphsWindow* NewGraphsWindow(QWidget* parent) {
    return new TGraphsForm(parent);
}

} // namespace kestrum
