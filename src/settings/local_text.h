#pragma once

#include <QByteArray>
#include <QString>

namespace kestrum {

// Text at the edges of a command: arguments come in, and output goes out, in
// the encoding of the user's locale (Qt assumes UTF-8, which stays the
// common case). Call after the locale is set (QCoreApplication does it).
QString FromLocale(const char* bytes);
QByteArray ToLocale(const QString& text);

// A command-line argument. A path whose bytes no text can carry (Latin-1 in
// a UTF-8 locale) still names its file: it is opened once and given as
// "/proc/self/fd/N", so every later system call reaches the same file.
QString ArgumentText(const char* bytes);

// Text from outside the program (a server's reply, a file, a damaged record)
// as it may be shown: each control character becomes a visible escape
// ("\x1b", "\u202e"), so it can neither drive a terminal nor reorder or
// break the line around it. Text without one comes back as it is.
QString Printable(const QString& text);

} // namespace kestrum
