#pragma once

#include <QString>

class QWidget;

namespace kestrum {

// Every message the user sees goes through one MessageBoxes instance, so tests
// can capture messages instead of leaving a modal box waiting.
class MessageBoxes {
public:
    enum class Kind { Information, Error };
    enum class Buttons { Ok, RetryCancel, YesCancel };
    enum class Answer { Ok, Retry, Yes, Cancel };

    virtual ~MessageBoxes() = default;
    virtual Answer Show(QWidget* parent, Kind kind, const QString& text,
                        Buttons buttons = Buttons::Ok) = 0;

    void Information(QWidget* parent, const QString& text) {
        Show(parent, Kind::Information, text);
    }
    void Error(QWidget* parent, const QString& text) { Show(parent, Kind::Error, text); }
};

// The instance in use: real modal boxes unless a test installed its own.
MessageBoxes& Messages();
// Installs a replacement (not owned); nullptr restores the real boxes.
void SetMessageBoxes(MessageBoxes* boxes);

} // namespace kestrum
