#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

// Turning a public-domain Bible in OSIS XML (one file per book, or one file or a folder with
// many books) into the program's Bible files: one Windows-1252 INI file per book, named after
// the book's Loccum abbreviation, sections "Kapitel <n>", entries "<v>=<text>".
namespace bible {

struct ImportedBook
{
    QString osisId; // e.g. "Mark"
    QMap<int, QMap<int, QString>> chapters; // chapter -> verse -> plain text

    int verseCount() const;
};

// Called now and then while a source is read, with how much of it is read and its size (in
// whatever unit the reader counts); returning false stops the reading (the import was
// cancelled).
using ReadTick = std::function<bool(qint64 done, qint64 total)>;

// Reads every book of an OSIS document. Verse texts become plain text: footnotes (<note>) are
// dropped, runs of white space become one blank. Verses are found as containers (a verse
// element whose osisID names book, chapter and verse, such as Mark.1.9, around its text) or as
// milestones (<verse sID/>...<verse eID/>).
// Returns false with a German reason for a document that is not well-formed XML or holds no
// verse at all; false with an empty errorText when tick stopped the reading.
bool readOsisBooks(QIODevice &device, QList<ImportedBook> &books, QString *errorText,
                   const ReadTick &tick = {});

// The Bible file of a book: Windows-1252, CR LF, chapters and verses in ascending order.
QByteArray bibleFileBytes(const ImportedBook &book);

struct ImportSummary
{
    int books = 0;
    int chapters = 0;
    int verses = 0;
    QStringList writtenFiles; // full paths
    QStringList skippedBooks; // OSIS identifiers without a Loccum abbreviation (the summary
                              // text names them in German)
    QStringList duplicateBooks; // books found in more than one source file (the first counts)
};

enum class ImportStatus {
    Ok,
    BadInput, // the source is missing, unreadable, not a Bible, or holds no known book
    WriteFailed, // a Bible file could not be written
    Cancelled // stopped on request; nothing was written
};

struct ImportResult
{
    ImportStatus status = ImportStatus::Ok;
    QString errorText; // German, for BadInput and WriteFailed
    ImportSummary summary;
};

// Called before each book is written: books written so far, all books, the book's file name.
using ImportProgress = std::function<void(int done, int total, const QString &book)>;

// Imports the OSIS or Zefania file, or every *.xml file of the folder (see importBible in
// BibleImport.h, which this calls without cancellation).
ImportResult importOsisBible(const QString &source, const QString &targetFolder,
                             const ImportProgress &progress = {});

// The German summary line of a finished import.
QString importSummaryText(const ImportSummary &summary);

} // namespace bible
