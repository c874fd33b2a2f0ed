#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

// Note files: rich text (RTF) written by the notes editor; a file that is not rich text is
// read as Windows-1252 text, one line per line.
namespace richtextfile {

// The document as an RTF file (Windows-1252 with \uN escapes for everything else), keeping
// per character the font face, size, bold, italic, underline, strike-out and colour.
QByteArray toRtf(const QTextDocument &document);

// Whether the bytes are an RTF document (they begin with "{\rtf", blanks allowed before).
bool isRtf(const QByteArray &bytes);

// Fills document from RTF bytes: paragraphs, line breaks, tabs and the character formats
// above. Unknown control words and destinations (pictures, style sheets, document info) are
// skipped. Never fails: damaged input gives whatever text could be read.
void fromRtf(const QByteArray &bytes, QTextDocument &document);

// Fills document from a note file's bytes: RTF when they are RTF, otherwise plain text.
void load(const QByteArray &bytes, QTextDocument &document);

// A note holds fewer paragraphs than this. Each costs the document about a hundred bytes, so
// a file of nothing but paragraph breaks would otherwise take many times its size in memory.
// Reading RTF stops at this many paragraphs, however they are written.
inline constexpr qsizetype kMaxParagraphs = 65536;

// The number of paragraph breaks in a note file's bytes (RTF or plain text); at least as
// many as reading them makes (\par, a backslash before a line break, line feed, carriage
// return and paragraph separator as \'XX or \uN), found without building anything.
qsizetype paragraphBreaks(const QByteArray &bytes);

// Reads and writes note files; on failure returns false and says why in German. A file is
// read only when it is a regular file of at most 8 MiB with fewer than kMaxParagraphs
// paragraphs.
Result<> readFile(const QString &path, QTextDocument &document);
Result<> writeFile(const QString &path, const QTextDocument &document);

} // namespace richtextfile
