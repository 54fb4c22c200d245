#pragma once

#include <QChar>

class QKeyEvent;

namespace kestrum {

// The character a key press types, as the number fields see it: Backspace is
// 8 and Enter 13; keys that type nothing (arrows, Delete, Tab) give a null
// character, and those fields leave them alone.
QChar TypedCharacter(const QKeyEvent* key);

} // namespace kestrum
