#include "list_choice_button.h"

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

} // namespace kestrum
