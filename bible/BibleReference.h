#pragma once

#include <QString>

#include <optional>

// A Bible reference as the propers fields hold it: book, blank, chapter, ",", verses, for
// example "Mk 1,9-15", "1. Kor 13,1-13" or "Röm 8,14-17.24". The book abbreviation is at the
// same time the name of the Bible file the verses are read from.
namespace bible {

// Verse numbers outside 0..65535 are not verse numbers.
inline constexpr int kMaxVerseNumber = 65535;

// Tidies a reference the way the preacher's fields are tidied before a lookup, each step once:
// a full stop directly before the first blank is dropped when it stands at position 3 or later
// ("Mk. 1" -> "Mk 1"; the "." of "1. Kor" stays), the blank after the first ", " is dropped,
// and a parenthesis before the first "," moves to the end ("Jona (3,10)4,1-11" ->
// "Jona 4,1-11(3,10)"). Optional verses in parentheses stay ("Jes 40,1-8(9-11)").
QString normaliseReference(const QString &reference);

// A psalm is shown online only. Any reference that names "psalm" (in any case) is one, even
// when it also names a hymn ("Psalm 24,EG 712").
bool isPsalmReference(const QString &reference);

// The part of a psalm reference that is looked up online: the text before its first ",".
QString psalmLookupText(const QString &reference);

// A reference into the hymnal ("EG 362") cannot be looked up.
bool isHymnalReference(const QString &reference);

// The parts of a reference, each trimmed of characters with codes up to 32.
struct BibleReference
{
    QString book; // exactly as written, e.g. "1. Kor" (also "1. Kor." if written so)
    QString chapter; // as written, e.g. "13"; the Bible file's section is "Kapitel 13"
    QString firstVerseText; // as written, e.g. "1" or "8a"
    QString lastVerseText; // equals firstVerseText for a single verse
    int firstVerse = -1; // the verse numbers; -1 when the text is not a verse number
    int lastVerse = -1;

    bool hasVerseNumbers() const { return firstVerse >= 0 && lastVerse >= 0; }
};

// Why a reference could not be taken apart.
enum class ReferenceError {
    None,
    NoBook, // no "," or no blank at all
    NoChapter, // no digit from position 3 on, or only as the last character
    NoVerses, // no "," after the chapter, or only as the last character
    TooManyParts, // more parts than a Bible has verses (parsePassage only)
};

struct ParsedReference
{
    ReferenceError error = ReferenceError::None;
    BibleReference reference; // filled as far as parsing got (book, chapter)
};

// Takes a normalised reference apart: the book runs up to the first digit from position 3 on
// (so the number of "1. Kor" belongs to the book), the chapter up to the next ",", the first
// verse up to the next ".", "-" (or en dash) or ",", the last verse up to the next "." or ";";
// anything after that is ignored ("Röm 8,14-17.24" is Röm 8, verses 14 to 17; parsePassage
// in PassageParts.h reads every part). A last verse
// written as a range counts as the range's end ("Kol 2,3.6-10" is verses 3 to 10). Verse
// numbers are converted with verseNumber(); a verse text that is not a number leaves -1.
ParsedReference parseReference(const QString &reference);

// The reference when it can be taken apart and both verses are numbers, else nothing.
std::optional<BibleReference> parseBibleReference(const QString &reference);

// The German message for a reference that cannot be taken apart (empty for None).
QString referenceErrorMessage(const ParsedReference &parsed);

// The number of a verse as written in a reference: decimal digits, optionally followed by
// one letter for half a verse ("8a" and "8b" are verse 8). Nothing for an empty text, any
// other text or a number above kMaxVerseNumber.
std::optional<int> verseNumber(const QString &text);

} // namespace bible
