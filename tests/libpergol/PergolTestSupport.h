#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// Helpers for the tests of the liturgical data library: calling its C functions with Unicode
// names, reading the Luther Bible of 1912 from the shared reference data, and taking a
// reading apart into the verses it names.
namespace pergoltest {

// The functions of the library, with the name converted to Windows-1252 and the
// result decoded from it.
struct Propers
{
    QString colour;
    QString verse;
    QString psalm;
    QString hymn;
    QString epistle;
    QString gospel;
    QString oldTestament;
    QStringList series; // I to VI
};
Propers propersOf(const QString &name);

// Every name of the day list: the fixed names and the numbered Sundays.
QStringList dayListVocabulary();

// Further feast days and other names under which the library knows a day.
QStringList furtherNames();

// The Luther Bible of 1912 (with the Apocrypha) from the shared reference data, read lazily
// book by book.
class LutherBible
{
public:
    // The verse texts of a chapter, without footnotes; empty when the book or chapter is not
    // there. Verse n is at index n (index 0 is empty).
    QStringList chapter(const QString &loccumBook, int chapter);
    int verseCount(const QString &loccumBook, int chapter);

private:
    QHash<QString, QHash<int, QStringList>> m_books; // OSIS id -> chapter -> verses
    const QHash<int, QStringList> &book(const QString &osisId);
};

// The verses a reading names, split into those it names firmly and those in parentheses
// (optional; also where a range outside the parentheses covers them). Each verse is "Book
// chapter,verse" with a half-verse letter kept ("Mk 1,8a"). Readings are read in every spelling the
// order uses: en dashes or hyphens, blanks after commas, "20f." for two verses, a whole chapter by
// its number alone, a range across a chapter end, several books joined by ";". Book names are
// mapped to their Loccum form with the given aliases. An empty error text means the reading was
// understood.
struct VerseSet
{
    QSet<QString> firm;
    QSet<QString> optional;
    QString error;
    bool operator==(const VerseSet &other) const = default;
};
VerseSet versesOf(const QString &reading, LutherBible &bible);

} // namespace pergoltest
