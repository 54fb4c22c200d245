#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace kestrum {

class TPrismBar;

// The download-progress window: one per program, created hidden after the
// main window and kept until the end. The newest instance is the one the
// free ShowProgress / HideProgress act on.
class TProgressForm : public QWidget {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* parent = nullptr);
    ~TProgressForm() override;

    QLabel* Label1 = nullptr;
    TPrismBar* TotalPrismBar = nullptr; // the whole job
    TPrismBar* PrismBar = nullptr;      // the current file
    // Hidden unless a job that can stop shows it; the job connects to it.
    // While it shows, Esc and closing the window press it.
    QPushButton* CancelButton = nullptr;

    // Zeroes both bars, hides Cancel, shows the text as caption and label,
    // brings the window to the front.
    void ShowProgress(const QString& text);
    void HideProgress();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Presses Cancel when it can be pressed; false when there is none.
    bool PressCancel();
};

// The program's progress window, or nullptr before it exists.
TProgressForm* ProgressForm();

// While one lives, ProgressForm() makes the window when there is none, so a
// program that never shows progress never builds it; it deletes what it made.
class ProgressFormOnFirstUse {
public:
    ProgressFormOnFirstUse();
    ~ProgressFormOnFirstUse();
    ProgressFormOnFirstUse(const ProgressFormOnFirstUse&) = delete;
    ProgressFormOnFirstUse& operator=(const ProgressFormOnFirstUse&) = delete;
};
// Act on ProgressForm(); nothing happens when there is none.
void ShowProgress(const QString& text);
void HideProgress();

} // namespace kestrum
