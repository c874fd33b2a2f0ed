#pragma once

#include "storage/IniFile.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <memory>
#include <optional>

// The Bible files: one INI-form, Windows-1252 file per book in the program folder's
// "libs/Bibel", named after the book's abbreviation ("Mk.lib", "1. Kor.lib"). Each chapter
// is a section "Kapitel <n>", each verse an entry "<v>=<text>".
namespace bible {

// A verse text is read up to this many characters.
inline constexpr int kMaxVerseTextLength = 2047;

// The folder of the Bible files below the program folder.
QString bibleFolderRelative(); // "libs/Bibel"

// The Bible file's name for a book: the book followed by ".lib".
QString bibleFileName(const QString &book);

// Where the Bible file of the book is read from: the per-user copy when there is one, else the
// program folder's file. When no file of exactly that name exists, a file whose name differs
// only in case counts (as on the file systems the program was first written for). Empty for a
// book that cannot name a file in the folder (empty, or with a path separator or a leading
// "."), so a reference can never reach files outside the Bible folder.
QString bibleFilePath(const QString &book);

// True when the Bible file of the book exists.
bool bibleFileExists(const QString &book);

// One Bible file, read whole. Missing sections, entries or an unreadable file read as empty.
class BibleFile
{
public:
    // The file at the path, parsed once and kept while it is unchanged on disk (same size and
    // modification time), so that repeated lookups in one book do not read it again.
    static std::shared_ptr<const BibleFile> open(const QString &path);

    // Parses already decoded text (for tests and the import's self-check).
    static std::shared_ptr<const BibleFile> fromText(const QString &text);

    // The text of the verse in the chapter ("Kapitel " + chapter), blanks around it dropped,
    // cut after kMaxVerseTextLength characters; empty when missing.
    QString verse(const QString &chapter, int verse) const;

    bool hasChapter(const QString &chapter) const;
    bool hasVerse(const QString &chapter, int verse) const;

    // Forgets every parsed file (for tests and benchmarks).
    static void clearCache();

private:
    IniFile m_ini;
};

// The Bible folders looked at for many books in a row (every part of a long reference): each
// folder is listed at most once, and each book is looked up once. Finds what bibleFilePath
// finds.
class BibleFolder
{
public:
    QString filePath(const QString &book);
    // The book's file, parsed (BibleFile::open), asked for once per book.
    std::shared_ptr<const BibleFile> file(const QString &book);

private:
    QString findIgnoringCase(int folder, const QString &fileName);

    QHash<QString, QString> m_paths;
    QHash<QString, std::shared_ptr<const BibleFile>> m_files;
    // The files of the overlay's and the program folder's Bible folder by their names in
    // lower case; listed when a name is first not found as written.
    std::optional<QHash<QString, QString>> m_listed[2];
};

} // namespace bible
