#pragma once

#include "storage/BoundedFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Every file the program reads or writes itself is Windows-1252 text. These helpers are the
// one place where such bytes become Unicode and back.
namespace win1252 {

// Decodes Windows-1252 bytes. The five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 controls of the same value, as Windows does.
QString decode(const QByteArray &bytes);

// Encodes to Windows-1252; a character that has no Windows-1252 form becomes '?'.
QByteArray encode(const QString &text);

// Splits text into lines; a line ends at CR LF, LF or CR. A final line ending does not
// start another (empty) line.
QStringList splitLines(const QString &text);

// Joins lines with CR LF after every line, as the program writes its files.
QString joinLines(const QStringList &lines);

// Reads a whole Windows-1252 text file as lines. Fails with a German reason when the file is
// no regular file of at most maxBytes or cannot be read.
Result<QStringList> readLines(const QString &path, qint64 maxBytes = boundedfile::kTextLimit);

// Writes lines as Windows-1252 with CR LF, whole or not at all (the earlier file survives
// any failure).
Result<> writeLines(const QString &path, const QStringList &lines);

// Writes bytes whole or not at all (safewrite::writeWhole), also where the folder does not
// rename over an existing file.
Result<> writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace win1252
