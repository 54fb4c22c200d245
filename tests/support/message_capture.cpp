#include "message_capture.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

namespace kestrum::test {

MessageCapture::MessageCapture() {
    SetMessageBoxes(this);
}

MessageCapture::~MessageCapture() {
    SetMessageBoxes(nullptr);
}

MessageBoxes::Answer MessageCapture::Show(QWidget*, Kind kind, const QString& text, Buttons) {
    texts << text;
    kinds << kind;
    return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
}

ModalWatchdog::ModalWatchdog(int intervalMs) {
    m_timer.setInterval(intervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        unexpected << modal->windowTitle();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    m_timer.start();
}

} // namespace kestrum::test
