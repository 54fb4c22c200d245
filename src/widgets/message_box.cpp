#include "message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

namespace kestrum {

namespace {

// Centred on its window, or on the screen before the window shows: the box
// only takes its final size when shown, after Qt placed it.
class CentredMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        QRect area;
        if (owner && owner->isVisible())
            area = owner->frameGeometry();
        else if (const QScreen* screen = this->screen())
            area = screen->availableGeometry();
        if (area.isValid())
            move(area.center() - QPoint(width() / 2, height() / 2));
    }
};

class ModalMessageBoxes final : public MessageBoxes {
public:
    Answer Show(QWidget* parent, Kind kind, const QString& text, Buttons buttons) override {
        CentredMessageBox box(
            kind == Kind::Error ? QMessageBox::Critical : QMessageBox::Information,
            QApplication::applicationDisplayName(), text, QMessageBox::NoButton, parent);
        // Never rich text: a message may quote a server's reply.
        box.setTextFormat(Qt::PlainText);
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
