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

// Reads every book of an OSIS document. Verse texts become plain text: footnotes (<note>) are
// dropped, runs of white space become one blank. Verses are found as containers (a verse
// element whose osisID names book, chapter and verse, such as Mark.1.9, around its text) or as
// milestones (<verse sID/>...<verse eID/>).
// Returns false with a German reason for a document that is not well-formed XML or holds no
// verse at all.
bool readOsisBooks(QIODevice &device, QList<ImportedBook> &books, QString *errorText);

// The Bible file of a book: Windows-1252, CR LF, chapters and verses in ascending order.
QByteArray bibleFileBytes(const ImportedBook &book);

struct ImportSummary
{
    int books = 0;
    int chapters = 0;
    int verses = 0;
    QStringList writtenFiles; // full paths
    QStringList skippedBooks; // OSIS identifiers without a Loccum abbreviation
    QStringList duplicateBooks; // books found in more than one source file (the first counts)
};

enum class ImportStatus {
    Ok,
    BadInput, // the source is missing, unreadable, not OSIS, or holds no known book
    WriteFailed // a Bible file could not be written
};

struct ImportResult
{
    ImportStatus status = ImportStatus::Ok;
    QString errorText; // German, for BadInput and WriteFailed
    ImportSummary summary;
};

// Called before each book is written: books written so far, all books, the book's file name.
using ImportProgress = std::function<void(int done, int total, const QString &book)>;

// Imports the OSIS file, or every *.xml file of the folder, into targetFolder. With an empty
// targetFolder each file goes where the program reads it from: the program folder's
// "libs/Bibel" when it is writable, else the per-user overlay. Every source is read before the
// first file is written, so bad input writes nothing; each file is written whole or not at all.
ImportResult importOsisBible(const QString &source, const QString &targetFolder,
                             const ImportProgress &progress = {});

// The German summary line of a finished import.
QString importSummaryText(const ImportSummary &summary);

} // namespace bible
