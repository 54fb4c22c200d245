#include "focus_marked_button.h"

#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace kestrum {

void FocusMarkedButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!isFlat() || !hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(2, 2, -2, -2);
    option.backgroundColor = palette().color(QPalette::Button);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

} // namespace kestrum
