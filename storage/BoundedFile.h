#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

// Every file the program reads goes through here: only a regular file (after following
// links) within a limit that fits its kind is read. A pipe, a device, a folder or an
// oversized file is refused before it is opened, so nothing can block or fill the memory.
namespace boundedfile {

constexpr qint64 kMiB = 1024 * 1024;
// Liturgical text files in "Texte" and the order settings file libs/Ablauf.ini.
constexpr qint64 kTextLimit = 1 * kMiB;
constexpr qint64 kServiceOrderLimit = 4 * kMiB;
constexpr qint64 kNoteLimit = 8 * kMiB;
// One Bible file holds one book; the longest is a few hundred KiB.
constexpr qint64 kBibleLimit = 16 * kMiB;
// A Bible to read in (OSIS or Zefania XML): a whole Bible in one file stays far below.
constexpr qint64 kBibleSourceLimit = 128 * kMiB;
// The sermon template, copied into the series folder.
constexpr qint64 kTemplateLimit = 16 * kMiB;
// Any other INI file.
constexpr qint64 kIniLimit = 4 * kMiB;

// Empty when path is a regular file (after following links) of at most maxBytes; otherwise
// the German reason why it is not read.
QString problem(const QString &path, qint64 maxBytes);

// Whether path passes the check above.
inline bool check(const QString &path, qint64 maxBytes)
{
    return problem(path, maxBytes).isEmpty();
}

// The whole content of path when it passes the check and reads without error and within the
// limit; otherwise the failure says why in German, naming the file.
Result<QByteArray> read(const QString &path, qint64 maxBytes);

} // namespace boundedfile
