#pragma once

#include "options.h"

#include <QDialog>
#include <QUrl>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace kestrum {

// Automatic download, result format and rounding, written back only by OK;
// below them the software page, the shortcut dialog, e-mail and help.
class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QCheckBox* AutoCheckBox = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* CurrencyRadioButton = nullptr;
    QRadioButton* NumberRadioButton = nullptr;
    QCheckBox* RoundCheckBox = nullptr;
    QCheckBox* FillCheckBox = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QFrame* Panel2 = nullptr;
    QToolButton* dxButton1 = nullptr;
    QToolButton* dxButton2 = nullptr;
    QToolButton* dxButton3 = nullptr;
    QToolButton* dxButton4 = nullptr;

    // What the controls show now: the values OK would write.
    OptionValues Values() const;
    // The fill switch as chosen; whoever opened the dialog applies it after
    // OK, since switching rebuilds the stored rates.
    bool FillChosen() const;

private:
    void CreateControls();
    void FormCreate();
    void BitBtn1Click();
    void dxButton1Click();
    void dxButton2Click();
    void dxButton3Click();
    void dxButton4Click();
    void OpenHelpPage(const QString& section);
    void OpenOrSay(const QUrl& url, const QString& where);
};

} // namespace kestrum
