#pragma once

#include <QPushButton>

namespace kestrum {

// A flat push button that still shows the keyboard focus: flat buttons draw
// no bevel, and the focus frame comes with the bevel in most styles.
class FocusMarkedButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kestrum
