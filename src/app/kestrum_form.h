#pragma once

#include "data/currency_lists.h"
#include "graphs/graphs_window.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QToolButton;

namespace kestrum {

struct IoResult;
class THttpUrlGrabber;
enum class GridBase;

// The calculator window. Controls keep their designer names; handlers are
// named after control and event.
// How the Graphs button makes its window: the window module loads the graphs
// module; tests link the window in. Without a maker the button does nothing.
void SetGraphsWindowMaker(GraphsWindowMaker maker);

class TKestrumForm : public QWidget {
    Q_OBJECT
public:
    explicit TKestrumForm(QWidget* parent = nullptr);
    ~TKestrumForm() override;

    // Top band.
    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Panel13 = nullptr;
    QLabel* TodayLabel = nullptr;
    QLabel* TimePanel = nullptr;

    // Amount and result.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* Panel6 = nullptr;
    QLineEdit* SourceEdit = nullptr;
    QFrame* Panel12 = nullptr;
    QLineEdit* ConvertEdit = nullptr;

    // Keypad and cash-rate controls.
    QFrame* Panel5 = nullptr;
    std::array<QPushButton*, 10> DigitButtons{}; // "0" .. "9"
    QPushButton* DotButton = nullptr;
    QPushButton* EnterButton = nullptr;
    QPushButton* CommaButton = nullptr;
    QPushButton* ClearButton = nullptr;
    QCheckBox* PercentCheckBox = nullptr;
    QLineEdit* CashRateEdit = nullptr;
    QPushButton* BitBtn2 = nullptr;

    // Quick find.
    QLabel* StaticText5 = nullptr;
    QFrame* FindPanel = nullptr;
    std::array<QPushButton*, 26> LetterButtons{}; // A .. Z
    QToolButton* FromSpeedButton = nullptr;
    QToolButton* ToSpeedButton = nullptr;

    // Currency lists.
    QLabel* StaticText4 = nullptr;
    QComboBox* FromComboBox = nullptr;
    QLabel* StaticText1 = nullptr;
    QComboBox* ToComboBox = nullptr;

    // Right column.
    QGroupBox* RadioGroup = nullptr;
    std::array<QRadioButton*, 2> RadioItems{}; // "English", "Francais"
    QGroupBox* GroupBox = nullptr;
    QPushButton* CanGridButton = nullptr;
    QPushButton* USGridButton = nullptr;
    QToolButton* dxButton1 = nullptr;
    QToolButton* dxButton2 = nullptr;

    // Bottom band.
    QFrame* Panel3 = nullptr;
    QPushButton* DownloadButton = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* DataDateLabel = nullptr;
    QLabel* RateOriginLabel = nullptr; // the source and day behind the result

    QTimer* DownloadTimer = nullptr;
    QTimer* ClockTimer = nullptr;
    THttpUrlGrabber* HttpUrlGrabber = nullptr;

    // A conversion has been shown since the amount was last edited.
    bool ResultShown = false;

    // Per letter A..Z: the first From and To list positions starting with it.
    QuickFindPositions QuickFindTable{};

    // The language the lists are showing: the radio group's item index.
    int ShownLanguage() const;

    void Convert();
    // The source and publication day of both currencies' rates under "Latest
    // Data", the full sentences in its tool tip; empty without a history.
    void ShowRateOrigins(int from, int to);
    void ShowSelectedOrigins();
    void UpdateClock();
    void ArmDownloadTimer();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    // Every caption, tip and accessible name in the language in use.
    void Retranslate();
    static void Announce(QWidget* widget, const QString& text);
    void FormCreate();
    void FormClose();

    // Amount entry.
    void DigitButtonClick(int digit);
    void DotButtonClick();
    void CommaButtonClick();
    void ClearButtonClick();
    bool SourceEditKeyPress(QKeyEvent* key);
    void SourceEditKeyUp();
    void StartNewAmount();
    QString AmountText() const;
    double ReadAmount();

    // Currency lists.
    void FillCurrencyLists();
    QStringList OfferedNames() const;
    void FillCurrencyLists(const QString& from, const QString& to);
    void RefillCurrencyLists();
    void BuildQuickFind();
    void QuickFind(int tag);
    void FromComboBoxChange();
    void ToComboBoxChange();
    void RadioGroupClick(int item);
    void SwitchLanguage(int language);
    // The catalogue index a list has chosen, its names read in `language`.
    int SelectedCurrency(const QComboBox* list, int language) const;
    void ShowSelectedNames();

    // Cash rate.
    void ShowCashRate();
    void PercentCheckBoxClick();
    bool CashRateEditKeyPress(QKeyEvent* key);
    void CashRateEditChange();
    void CashRateEditExit();
    void BitBtn2Click();
    // Sets CashRate from a usable text; false (and a message) when the text
    // is not a number.
    bool TakeCashRate(const QString& text);

    // Rate grids (kestrum_form_grids.cpp).
    void ConnectGridButtons();
    void CanGridButtonClick();
    void USGridButtonClick();
    void OpenRateGrid(GridBase against);
    // Shortcut offer and options dialog.
    void OfferShortcuts();
    void dxButton1Click();
    // The Graphs window (kestrum_form_graphs.cpp).
    void ConnectGraphsButton();
    void dxButton2Click();
    void GraphsFollowSelection();

    void DownloadTimerTimer();
    void ClockTimerTimer();

    // Downloads (kestrum_form_download.cpp).
    void CreateDownload();
    bool RatesAvailableNow(bool showMessage);
    void StartDownload();
    void DownloadButtonClick();
    void EndDownloadAttempt();
    void CancelDownload();
    void HttpUrlGrabberDoneFile(const QString& FileName, qint64 FileSize, const QString& Url);
    void HttpUrlGrabberError(const QString& ErrorMsg);
    void HttpUrlGrabberProgress(qint64 Position, qint64 TotalSize, const QString& Url,
                                bool& Continue);
    // The second file of a download: the other service's rates, which fill
    // the currencies the first lacks (kestrum_form_origins.cpp). True while
    // it runs; its end stores the first file as usual.
    bool StartFillDownload();
    void FillDownloadEnded(const QString& problem);

    void SaveSettings();
    void ReportConfiguration(const IoResult& result);
    void ShowMessages(const QStringList& texts);

    bool m_closed = false;
    bool m_configFailureShown = false;
    // The attempts under way began with a press of Download, which the
    // automatic-download setting does not govern.
    bool m_downloadPressed = false;
    THttpUrlGrabber* m_fillGrabber = nullptr;
    QMetaObject::Connection m_cancelDownload; // the progress window's Cancel, while downloading
    bool m_fillExpected = false; // the attempt is more files than the page, the page first
    bool m_fillTried = false;    // the fills of this attempt were planned or not wanted
    QStringList m_fillQueue;     // the fills still to fetch, the current one first
    int m_fillCount = 0;         // the fills of this attempt
    QStringList m_fillProblems;  // one sentence for each fill that failed
    // The Graphs window while it exists; m_graphs is valid while the widget is.
    QPointer<QWidget> m_graphsWidget;
    GraphsWindow* m_graphs = nullptr;
    GraphsWindow* Graphs() const { return m_graphsWidget ? m_graphs : nullptr; }
};

} // namespace kestrum
