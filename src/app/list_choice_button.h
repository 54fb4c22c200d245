#pragma once

#include <QToolButton>

namespace kestrum {

// One of the two toggles that choose the list quick find acts on. The chosen
// one has to stand out at a glance: it is drawn in the highlight colour and
// bold, the other as a plain framed button.
class ListChoiceButton : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kestrum
