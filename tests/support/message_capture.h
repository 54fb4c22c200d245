#pragma once

#include "widgets/message_box.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace kestrum::test {

// Installed for the lifetime of a widget test: records every message instead
// of showing it and answers with a queued answer (Cancel when none is queued).
class MessageCapture final : public MessageBoxes {
public:
    MessageCapture();
    ~MessageCapture() override;

    Answer Show(QWidget* parent, Kind kind, const QString& text, Buttons buttons) override;

    QStringList texts;
    QList<Kind> kinds;
    QList<Answer> answers; // consumed front first

    void Clear() {
        texts.clear();
        kinds.clear();
    }
};

// Fails fast when a modal dialog opens that the test did not expect: it
// closes the dialog and remembers its title, so the test ends instead of
// waiting for a click that never comes.
class ModalWatchdog final : public QObject {
public:
    explicit ModalWatchdog(int intervalMs = 200);
    QStringList unexpected;

private:
    QTimer m_timer;
};

} // namespace kestrum::test
