#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace kestrum {

// Explains the cash-rate fee.
class TCashRateForm : public QDialog {
    Q_OBJECT
public:
    explicit TCashRateForm(QWidget* parent = nullptr);

    QPlainTextEdit* Memo = nullptr;
    QPushButton* Button1 = nullptr;

    static QStringList Lines();

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace kestrum
