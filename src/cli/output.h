#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace kestrum::cli {

// Rows of cells as lines of columns padded to their widest cell, two spaces
// apart; a column is right-aligned when `rightAligned` says so. No trailing
// spaces.
QString TextTable(const QList<QStringList>& rows, const QList<bool>& rightAligned);

// Text broken into lines of at most `width` columns at blanks, each line
// ending in a line end; 0 keeps it on one line.
QString WrapText(const QString& text, int width);

// A number with `digits` significant digits and no exponent (0.00101 for
// three); the whole part is never cut, so 1998.8 gives 1999.
QString SignificantText(double value, int digits);

// Writes the text in the locale's encoding (UTF-8 as a rule) by its length,
// so a NUL character read from a name file does not cut the output short.
// JSON goes out as UTF-8 bytes.
void WriteText(std::FILE* stream, const QString& text);
void WriteBytes(std::FILE* stream, const QByteArray& bytes);

// Opens /dev/null on standard input, output or error when the program was
// started without it, before any file is opened: a data file would otherwise
// take the free descriptor and receive the output. A closed standard output
// is remembered, and FinishOutput reports it once something was to be written.
void GuardStandardStreams();

// Flushes and closes standard output. On failure (a full disk, a closed
// pipe) the sentence that says why; empty when everything was written.
QString FinishOutput();

// One line of the download progress bar, to be written after a carriage
// return: a bar and a percentage when the total is known, else the bytes.
QString ProgressLine(qint64 position, qint64 total);

// The text without its closing full stops, so that texts from Qt, libcurl or
// the pipeline end a sentence of ours with one stop, not two.
QString WithoutFullStop(QString text);

} // namespace kestrum::cli
