#include "dialog_parts.h"

#include <QPlainTextEdit>

namespace kestrum {

void UseToolTipColours(QWidget* widget) {
    widget->setAutoFillBackground(true);
    QPalette tip = widget->palette();
    tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::Text, tip.color(QPalette::ToolTipText));
    widget->setPalette(tip);
}

QPlainTextEdit* ReadOnlyMemo(QWidget* parent, const char* name, const QRect& where,
                             const QStringList& lines) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QLatin1String(name));
    memo->setGeometry(where);
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->viewport()->setCursor(Qt::ArrowCursor);
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    return memo;
}

} // namespace kestrum
