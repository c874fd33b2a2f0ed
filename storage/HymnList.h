#pragma once

#include "base/Result.h"
#include "storage/BoundedFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The parish's own list of hymns (the regional part of its hymnal, a supplement): a CSV file of
// book, number and title read in through "Liederverzeichnis einlesen …" and kept in the data
// folder as "Liederverzeichnis.csv", so that hymns never typed yet are known by number too.
namespace hymnlist {

// One hymn of the list.
struct Entry
{
    QString book; // "EG"
    QString number; // "535", without leading zeros
    QString title;

    QString label() const { return book + u' ' + number; }
    bool operator==(const Entry &) const = default;
};

// A list to read in is a text file of this size at most, with at most kMaxEntries hymns, each
// title at most kMaxTitleLength characters long.
inline constexpr qint64 kMaxFileSize = boundedfile::kTextLimit;
inline constexpr int kMaxEntries = 10000;
inline constexpr int kMaxTitleLength = 200;

// The file's format in German, as the dialog and the manual show it.
QString formatDescription();

// The hymns of a list file's content: UTF-8 (with or without byte-order mark) or Windows-1252;
// lines of "book;number;title" (a field may be quoted as a spreadsheet writes it), empty lines
// skipped, a first line that names no number taken as the header. Any line that is no hymn, a
// number given twice, control characters or too many hymns refuse the whole content, with the
// German reason (naming the line).
Result<QList<Entry>> parse(const QByteArray &bytes);

// The list as the data folder keeps it: UTF-8 with byte-order mark, CR LF, the header
// "Buch;Nummer;Titel", sorted by book and number.
QByteArray toCsv(const QList<Entry> &entries);

// Where the data folder keeps the list.
QString storedPath(const QString &dataDir);

// The list the data folder keeps; empty when there is none. Fails when the kept file cannot be
// read or is no list.
Result<QList<Entry>> readStored(const QString &dataDir);

// The kept list with the added hymns: a hymn of the same book and number is replaced.
QList<Entry> merged(const QList<Entry> &kept, const QList<Entry> &added);

// What reading a list in did.
struct Imported
{
    qsizetype read = 0; // hymns in the file
    qsizetype total = 0; // hymns the kept list holds now
};

// Reads the list file at path and keeps its hymns with those kept before in the data folder.
// The whole file or nothing: a file that is no list (or too large, or no regular file) changes
// nothing, and the failure says why in German, naming the file.
Result<Imported> import(const QString &path, const QString &dataDir);

} // namespace hymnlist
