#pragma once

#include "graphs_window.h"
#include "prices/price_export.h"
#include "rate_series.h"

#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QScatterSeries;
QT_END_NAMESPACE

namespace kestrum {

class THistoryFetch;

// Where exports go: a save-file dialog unless a test installed its own.
// Returns the chosen path, empty when cancelled.
using SaveFileChooser = QString (*)(QWidget* parent, const QString& caption,
                                    const QString& suggestedName, const QString& filter);
void SetSaveFileChooser(SaveFileChooser chooser); // nullptr: the real dialog
QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& suggestedName,
                       const QString& filter);

// The Graphs window: the history of the main window's pair as a chart, its
// statistics, a conversion at a chosen date, and fetching the past. Not
// modal; the main window keeps one and points it at its selection.
class TGraphsForm : public QWidget, public GraphsWindow {
    Q_OBJECT
public:
    explicit TGraphsForm(QWidget* parent = nullptr);
    ~TGraphsForm() override;

    // The pair (catalogue indices) and the language of the names.
    void ShowPair(int from, int to, int language) override;
    QWidget* Widget() override { return this; }
    // Reads the store again, after something was stored.
    void Reload();

    std::array<QToolButton*, 6> RangeButtons{}; // 1M .. All
    QComboBox* SourceComboBox = nullptr;
    QStackedWidget* ChartStack = nullptr; // the chart, or the empty state
    QChartView* ChartView = nullptr;
    QLabel* EmptyLabel = nullptr;
    QPushButton* EmptyFetchButton = nullptr;
    QLabel* ReadoutLabel = nullptr;
    QLabel* StatsLabel = nullptr;
    QLabel* ConvertAtLabel = nullptr;
    QLineEdit* AmountEdit = nullptr;
    QDateEdit* DateEdit = nullptr;
    QComboBox* RuleComboBox = nullptr; // which publication day the date takes
    QPushButton* ConvertButton = nullptr;
    QLabel* ConvertResultLabel = nullptr;
    QPushButton* FetchButton = nullptr;
    QPushButton* PngButton = nullptr;
    QPushButton* CsvButton = nullptr;
    QPushButton* ExportButton = nullptr; // its menu offers one entry per format
    QPushButton* CloseButton = nullptr;

    ChartRange Range() const { return m_range; }
    // The lines drawn now, after the range was applied.
    const ChartContent& Shown() const { return *m_shown; }
    // The point the read-out names, as an index into the first line; -1 none.
    int ReadoutIndex() const { return m_readout; }

    // The back-fill the Fetch buttons run, made on first use.
    THistoryFetch* HistoryFetch();

    // One sentence when the file could not be written, else nothing.
    QString SavePng(const QString& path);
    bool SaveCsv(const QString& path);
    // The shown pair's prices over the shown range, from the source the
    // statistics name; the parities count as the chart draws them. An empty
    // text when written, else the sentence saying why not.
    QString SavePrices(const QString& path, prices::PriceFormat format);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void Retranslate();
    void FollowPalette();
    void RangeButtonClick(int id);
    void SourceComboBoxChange();
    void ConvertButtonClick();
    void FetchButtonClick();
    void PngButtonClick();
    void CsvButtonClick();
    void ExportPrices(prices::PriceFormat format);
    void CreateExportMenu();

    void FillSourceChooser();
    void LoadSeries();
    void ApplyRange();
    void ShowReadout(int index);
    void ShowStatistics();
    QString PairText() const;
    // The sources the chooser selects now, first the one whose numbers the
    // statistics and read-out give.
    QStringList ChosenSources() const;

    int m_from = -1;
    int m_to = -1;
    int m_language = 0;
    ChartRange m_range = ChartRange::OneYear;
    // The whole stored series per chosen source, before the range.
    std::vector<ChartLine> m_series;
    std::unique_ptr<ChartContent> m_shown;
    QChart* m_chart = nullptr;
    QScatterSeries* m_marker = nullptr;
    int m_readout = -1;
    THistoryFetch* m_fetch = nullptr;
};

// The one way to make the window: the graphs module's entry and the tests use it.
GraphsWindow* NewGraphsWindow(QWidget* parent);

} // namespace kestrum
