#pragma once

#include <QRect>
#include <QStringList>

class QPlainTextEdit;
class QWidget;

namespace kestrum {

// The tool-tip background the dialogs and their panels wear, for the widget
// and the text fields on it.
void UseToolTipColours(QWidget* widget);

// A read-only memo without a border that shows lines as they are.
QPlainTextEdit* ReadOnlyMemo(QWidget* parent, const char* name, const QRect& where,
                             const QStringList& lines);

} // namespace kestrum
