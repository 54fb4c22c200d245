#include "message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace kestrum {

namespace {

class ModalMessageBoxes final : public MessageBoxes {
public:
    Answer Show(QWidget* parent, Kind kind, const QString& text, Buttons buttons) override {
        QMessageBox box(kind == Kind::Error ? QMessageBox::Critical : QMessageBox::Information,
                        QApplication::applicationDisplayName(), text, QMessageBox::NoButton,
                        parent);
        switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::RetryCancel:
            box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
            break;
        case Buttons::YesCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Retry:
            return Answer::Retry;
        case QMessageBox::Yes:
            return Answer::Yes;
        default:
            return Answer::Cancel;
        }
    }
};

MessageBoxes*& Installed() {
    static MessageBoxes* boxes = nullptr;
    return boxes;
}

} // namespace

MessageBoxes& Messages() {
    static ModalMessageBoxes modal;
    return Installed() ? *Installed() : modal;
}

void SetMessageBoxes(MessageBoxes* boxes) {
    Installed() = boxes;
}

} // namespace kestrum
