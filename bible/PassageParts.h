#pragma once

#include "bible/BibleFile.h"
#include "bible/BibleReference.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

// A reading as a list of parts: every verse and range of a reference, also those after "." and
// ";" and those in parentheses (optional verses), each with the verses read from the Bible.
// Used for the offline view and for anything else that prints the day's readings.
namespace bible {

// A reference of more parts than the German Bible with the Apocrypha has verses (35,764)
// can be no reading; it is refused before its parts are read.
inline constexpr qsizetype kMaxReferenceParts = 36000;

// One part of a reference: a single verse or a range in one chapter.
struct VerseSpan
{
    QString book; // as written, e.g. "Röm"
    QString chapter; // e.g. "8"
    QString text; // as written, e.g. "14-17", "4b-25" or "24"
    int firstVerse = -1; // -1 when the text is no verse number
    int lastVerse = -1;
    bool optional = false; // written in parentheses

    bool hasVerseNumbers() const { return firstVerse >= 0 && lastVerse >= 0; }
    friend bool operator==(const VerseSpan &, const VerseSpan &) = default;
};

// The parts of a reference in the order in which it names them. A part written as
// "<chapter>,<verses>" (after ";" or inside the parentheses) starts a new chapter that the
// following parts share, "<book> <chapter>,<verses>" a new book ("Sir 35,16-22a; Dan 9,4-5").
// Verses in parentheses that lie inside a range written outside them
// ("Kol 2,3-10(4-5)") split that range, so that every verse is shown once and the optional
// ones in their place.
struct PassageReference
{
    QString book; // the first book, as written
    QList<VerseSpan> spans;

    bool hasVerseNumbers() const;
};

// Takes a reference apart as parseReference does (the same errors for book, chapter and
// verses) and then splits the verses into their parts; more than kMaxReferenceParts parts are
// refused (ReferenceError::TooManyParts). Within the first part a "," separates verses
// ("Mk 1,9-11,14-15" is Mk 1, verses 9-11 and 14-15); after ".", ";" or a parenthesis a
// chapter before the "," starts a new chapter.
struct ParsedPassage
{
    ReferenceError error = ReferenceError::None;
    PassageReference passage;
};
ParsedPassage parsePassage(const QString &reference);

// The abbreviation of the book (the Bible file's name) for a book as a reference names it:
// the abbreviation itself ("Ps", "1. Kor"), the book's German name ("Psalmen", "Jesaja") or
// "Psalm", as the lectionary writes the psalm of the day. Nothing for any other text.
std::optional<QString> bookAbbreviation(const QString &book);

// One verse as read from the Bible.
struct PassageVerse
{
    int number = 0;
    QString text; // empty when the Bible lacks the verse
};

// One part with its verses.
struct PassagePart
{
    VerseSpan span;
    QList<PassageVerse> verses; // first to last; none when the span is backwards
};

// The Bible files of the books a reading names, each book (by its abbreviation or its full
// name) looked up once and the Bible folder listed at most once.
class PassageBooks
{
public:
    QString filePath(const QString &book);
    // Whether the book's file is there (a regular file).
    bool hasFile(const QString &book);
    std::shared_ptr<const BibleFile> file(const QString &book);

private:
    QString abbreviation(const QString &book);

    QHash<QString, QString> m_abbreviations;
    QHash<QString, bool> m_present;
    BibleFolder m_folder;
};

// Reads the verses of every span from its book's Bible file, at most maxVerses in all (the
// parts after that limit come without verses; a book without a file gives empty verses).
QList<PassagePart> readPassageParts(const QList<VerseSpan> &spans, int maxVerses);
QList<PassagePart> readPassageParts(const QList<VerseSpan> &spans, int maxVerses,
                                    PassageBooks &books);

} // namespace bible
