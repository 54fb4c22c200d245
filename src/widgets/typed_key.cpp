#include "typed_key.h"

#include <QKeyEvent>

namespace kestrum {

namespace {

bool IsEnterKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

QChar TypedCharacter(const QKeyEvent* key) {
    // Some systems give these keys a control character as text, but they
    // type nothing: Tab and Backtab move the focus, Delete edits.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete)
        return QChar();
    if (key->key() == Qt::Key_Backspace)
        return QChar(8);
    if (IsEnterKey(key))
        return QChar(13);
    const QString text = key->text();
    return text.size() == 1 ? text.front() : QChar();
}

} // namespace kestrum
