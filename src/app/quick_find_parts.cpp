#include "quick_find_parts.h"

#include <QPainter>

namespace kestrum {

void ListChoiceButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool chosen = isChecked();
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(chosen ? QPalette::Highlight : QPalette::Button));
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont face = font();
    face.setBold(chosen);
    painter.setFont(face);
    painter.setPen(colours.color(chosen ? QPalette::HighlightedText : QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter, text());
}

int BoundedPopupStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* returnData) const {
    if (hint == SH_ComboBox_Popup)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace kestrum
