// Taking references apart: the tidying of a field's text and the parsing into book, chapter
// and verses, with the forms the lectionary and preachers actually write.
#include "bible/BibleReference.h"
#include "bible/BookNames.h"
#include "bible/PassageParts.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace bible;

namespace {

std::string s(const QString &text)
{
    return text.toStdString();
}

} // namespace

TEST(BibleReference, NormalisationTidiesBlanksFullStopsAndParentheses)
{
    EXPECT_EQ(s(normaliseReference(u"Mk. 1, 9-15"_s)), "Mk 1,9-15");
    // Optional verses after the chapter stay: they are part of the reading.
    EXPECT_EQ(s(normaliseReference(u"Jes 40,1-8(9-11)"_s)), "Jes 40,1-8(9-11)");
    // Optional verses before the chapter move to the end, where the lookup reads them.
    EXPECT_EQ(s(normaliseReference(u"2. Kor (4,14)5,1-10"_s)), "2. Kor 5,1-10(4,14)");
    // The full stop of a book number stays; so does a later one, since only the first ". "
    // is looked at.
    EXPECT_EQ(s(normaliseReference(u"1. Kor 13,1-13"_s)), "1. Kor 13,1-13");
    EXPECT_EQ(s(normaliseReference(u"1. Kor. 13,1-13"_s)), "1. Kor. 13,1-13");
    // Each step once: only the first ", " loses its blank.
    EXPECT_EQ(s(normaliseReference(u"Röm 8, 14-17, 24"_s)), "Röm 8,14-17, 24");
    // A lone parenthesis is left alone.
    EXPECT_EQ(s(normaliseReference(u"Mk 1,9-15 (Taufe"_s)), "Mk 1,9-15 (Taufe");
    EXPECT_EQ(s(normaliseReference(QString())), "");
}

TEST(BibleReference, ParsesBookChapterAndVerses)
{
    struct Case
    {
        QString text;
        const char *book;
        const char *chapter;
        int first;
        int last;
    };
    const Case cases[] = {
        { u"Mk 1,9-15"_s, "Mk", "1", 9, 15 },
        { u"Joh 3,16"_s, "Joh", "3", 16, 16 },
        // From the "." after the last verse on everything is ignored.
        { u"Röm 8,14-17.24"_s, "Röm", "8", 14, 17 },
        { u"Röm 8,14-17;24-26"_s, "Röm", "8", 14, 17 },
        // "." separates like "-": the verses 14 to 17.
        { u"Röm 8,14.17"_s, "Röm", "8", 14, 17 },
        // The book number belongs to the book, also in "1. Kor" and a 3-letter start.
        { u"1. Kor 13,1-13"_s, "1. Kor", "13", 1, 13 },
        { u"1. Kor. 13,1-13"_s, "1. Kor.", "13", 1, 13 },
        { u"3. Joh 1,2"_s, "3. Joh", "1", 2, 2 },
        { u"Ps 104,1a"_s, "Ps", "104", 1, 1 },
        // Half verses are the verse.
        { u"1. Sam 2,1-8a"_s, "1. Sam", "2", 1, 8 },
        { u"Jes 9,1b-6"_s, "Jes", "9", 1, 6 },
        // A reference copied with an en dash.
        { u"Mk 16,1\u20138"_s, "Mk", "16", 1, 8 },
        // A last verse smaller than the first is kept as written.
        { u"Mk 1,15-9"_s, "Mk", "1", 15, 9 },
        // A single verse and a range after it: the passage runs to the range's end.
        { u"Kol 2,3.6-10"_s, "Kol", "2", 3, 10 },
        { u"Jer 29,1.4-7.10-14"_s, "Jer", "29", 1, 7 },
        { u"Ps 104,1a.10-15.27-30.33"_s, "Ps", "104", 1, 15 },
        // A "-" as the last character leaves the single verse.
        { u"Mk 1,9-"_s, "Mk", "1", 9, 9 },
        // Verses separated by ",": from the first to the last, as the parts read them.
        { u"Mk 1,9-11,14-15"_s, "Mk", "1", 9, 15 },
        { u"Mk 1,9,14"_s, "Mk", "1", 9, 14 },
        { u"Mk 1,9-11,14"_s, "Mk", "1", 9, 14 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(s(c.text));
        const auto ref = parseBibleReference(c.text);
        ASSERT_TRUE(ref.has_value());
        EXPECT_EQ(s(ref->book), c.book);
        EXPECT_EQ(s(ref->chapter), c.chapter);
        EXPECT_EQ(ref->firstVerse, c.first);
        EXPECT_EQ(ref->lastVerse, c.last);
    }
}

TEST(BibleReference, KeepsVerseTextsAndRejectsWhatIsNoVerseNumber)
{
    const ParsedReference half = parseReference(u"1. Sam 2,1-8a"_s);
    EXPECT_EQ(s(half.reference.lastVerseText), "8a");

    // Parsed, but the verses are no numbers: the lookup ends without a message.
    for (const QString &text : { u"Mk 1,x-5"_s, u"Mk 1,-5"_s, u"Mk 1,9-ab"_s, u"Mk 1,70000"_s,
                                 u"Mk 1,99999999999"_s, u"Mk 1,9-15ff"_s }) {
        SCOPED_TRACE(s(text));
        const ParsedReference parsed = parseReference(text);
        EXPECT_EQ(parsed.error, ReferenceError::None);
        EXPECT_FALSE(parsed.reference.hasVerseNumbers());
        EXPECT_FALSE(parseBibleReference(text).has_value());
    }

    EXPECT_EQ(verseNumber(u"65535"_s), 65535);
    EXPECT_EQ(verseNumber(u"0"_s), 0);
    EXPECT_EQ(verseNumber(u"007"_s), 7);
    EXPECT_FALSE(verseNumber(u"65536"_s).has_value());
    EXPECT_FALSE(verseNumber(QString()).has_value());
    EXPECT_FALSE(verseNumber(u"8 a"_s).has_value());
    EXPECT_FALSE(verseNumber(u"\u0668"_s).has_value()); // a digit of another script
}

TEST(BibleReference, ReportsWhereTakingApartFails)
{
    struct Case
    {
        QString text;
        ReferenceError error;
        const char *message;
    };
    const Case cases[] = {
        { u"Mk"_s, ReferenceError::NoBook, "Das Buch konnte nicht extrahiert werden." },
        { u"Mk1,9-15"_s, ReferenceError::NoBook, "Das Buch konnte nicht extrahiert werden." },
        { u"Mk 1 9-15"_s, ReferenceError::NoBook, "Das Buch konnte nicht extrahiert werden." },
        { u"Lied zum Eingang, frei"_s, ReferenceError::NoChapter,
          "Das Kapitel aus dem Buch Lied zum Eingang, frei konnte nicht extrahiert werden." },
        // The only digit is the last character.
        { u"Siehe Kapitel, 5"_s, ReferenceError::NoChapter,
          "Das Kapitel aus dem Buch Siehe Kapitel, konnte nicht extrahiert werden." },
        { u"Mk 1,"_s, ReferenceError::NoVerses,
          "Die Verse aus dem Kapitel 1 des Buches Mk konnten nicht extrahiert werden." },
        { u"Mk 12 und 13, ff"_s, ReferenceError::None, "" },
        { u"1. Kor 13 ,"_s, ReferenceError::NoVerses,
          "Die Verse aus dem Kapitel 13 des Buches 1. Kor konnten nicht extrahiert werden." },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(s(c.text));
        const ParsedReference parsed = parseReference(c.text);
        EXPECT_EQ(parsed.error, c.error);
        EXPECT_EQ(s(referenceErrorMessage(parsed)), c.message);
    }
}

TEST(BibleReference, PsalmsAndHymns)
{
    EXPECT_TRUE(isPsalmReference(u"Psalm 24"_s));
    EXPECT_TRUE(isPsalmReference(u"PSALM 24"_s));
    EXPECT_TRUE(isPsalmReference(u"Psalm 24,EG 712"_s));
    EXPECT_FALSE(isPsalmReference(u"Ps 24"_s));
    EXPECT_EQ(s(psalmLookupText(u"Psalm 24,EG 712"_s)), "Psalm 24");
    EXPECT_EQ(s(psalmLookupText(u"Psalm 24"_s)), "Psalm 24");
    EXPECT_TRUE(isHymnalReference(u"EG 362"_s));
    EXPECT_FALSE(isHymnalReference(u"eg 362"_s));
}

TEST(BookNames, LoccumAbbreviationsMapOneToOneOntoOsisBooks)
{
    const auto &books = bookNames();
    EXPECT_EQ(books.size(), 76); // 66 books and the ten of the Apocrypha
    QStringList loccum;
    QStringList osis;
    for (const BookName &book : books) {
        EXPECT_FALSE(loccum.contains(book.loccum)) << s(book.loccum);
        EXPECT_FALSE(osis.contains(book.osisId)) << s(book.osisId);
        loccum.append(book.loccum);
        osis.append(book.osisId);
        // Every abbreviation must parse as the book of a reference.
        const auto ref = parseBibleReference(book.loccum + u" 1,1"_s);
        ASSERT_TRUE(ref.has_value()) << s(book.loccum);
        EXPECT_EQ(ref->book, book.loccum);
    }
    EXPECT_EQ(s(bookByOsisId(u"Ezek"_s)->loccum), "Hes");
    EXPECT_EQ(s(bookByOsisId(u"Eccl"_s)->loccum), "Pred");
    EXPECT_EQ(s(bookByOsisId(u"Song"_s)->loccum), "Hld");
    EXPECT_EQ(s(bookByOsisId(u"1Cor"_s)->loccum), "1. Kor");
    EXPECT_EQ(s(bookByLoccum(u"Röm"_s)->osisId), "Rom");
    EXPECT_FALSE(bookByLoccum(u"Ez"_s).has_value());
    // German names also for the books the program keeps no file for.
    EXPECT_EQ(s(germanBookName(u"1Esd"_s)), "3. Esra");
    EXPECT_EQ(s(germanBookName(u"3Macc"_s)), "3. Makkabäer");
    EXPECT_EQ(s(germanBookName(u"Mark"_s)), "Markus");
    EXPECT_EQ(s(germanBookName(u"Zefania 99"_s)), "Zefania 99");
}

// Every part of a reading: ranges and verses after "." and ";", chapters after ";" and inside
// parentheses, optional verses (also where they split a range written outside them).
TEST(PassageParts, ReadsEveryPartOfAReference)
{
    struct Case
    {
        QString reference;
        QString parts; // "<chapter>:<text>" per part, optional ones in parentheses
    };
    const Case cases[] = {
        { u"Mk 1,9-15"_s, u"1:9-15"_s },
        { u"1. Mose 18,1-2.9-15"_s, u"18:1-2 18:9-15"_s },
        { u"Röm 8,14-17.24"_s, u"8:14-17 8:24"_s },
        { u"Jer 29,1.4-7(8-9)10-14"_s, u"29:1 29:4-7 (29:8-9) 29:10-14"_s },
        { u"Röm 14,(1-6)7-13"_s, u"(14:1-6) 14:7-13"_s },
        { u"Kol 2,3-10(4-5)"_s, u"2:3 (2:4-5) 2:6-10"_s },
        { u"Joh 18,28-40; 19,1-5"_s, u"18:28-40 19:1-5"_s },
        { u"1. Mose 1,1-4a.26-28.31a; 2,1-4a(1,4b-25.29-30.31b)"_s,
          u"1:1-4a 1:26-28 1:31a 2:1-4a (1:4b-25) (1:29-30) (1:31b)"_s },
        { u"Psalm 85,2-8"_s, u"85:2-8"_s },
        { u"Sir 35,16-22a; Dan 9,4-5.16-19"_s, u"35:16-22a Dan9:4-5 Dan9:16-19"_s },
        { u"Mk 1,9\u2013 15"_s, u"1:9\u2013 15"_s },
        // A "," in the first part, after verses, separates verses; after ";" a chapter (or
        // a book with its chapter) comes before it.
        { u"Mk 1,9-11,14-15"_s, u"1:9-11 1:14-15"_s },
        { u"Mk 1,9,14"_s, u"1:9 1:14"_s },
        { u"Joh 18,28-40; 19,1-3,5"_s, u"18:28-40 19:1-3 19:5"_s },
        { u"Röm 8,1; 1. Kor 13,1-3"_s, u"8:1 1. Kor13:1-3"_s },
        { u"Mk 1,9-11; 14-15,1"_s, u"1:9-11 1:14-15 1:1"_s },
        // Optional verses ending on the range's last verse are not read twice.
        { u"Kol 2,3-10(9-10)"_s, u"2:3-8 (2:9-10)"_s },
        { u"Kol 2,3-10(3-4)"_s, u"(2:3-4) 2:5-10"_s },
        { u"Kol 2,3-10(3-10)"_s, u"2:3-10 (2:3-10)"_s },
        // The first range that holds them splits; optional verses in order.
        { u"Kol 2,3-10.1-20(12-13)(5-6)"_s, u"2:3-4 (2:5-6) 2:7-10 2:1-11 (2:12-13) 2:14-20"_s },
    };
    for (const Case &c : cases) {
        const QString &reference = c.reference;
        const ParsedPassage parsed = parsePassage(reference);
        ASSERT_EQ(parsed.error, ReferenceError::None) << s(reference);
        EXPECT_TRUE(parsed.passage.hasVerseNumbers()) << s(reference);
        QStringList parts;
        for (const VerseSpan &span : parsed.passage.spans) {
            const QString book = span.book == parsed.passage.book ? QString() : span.book;
            const QString part = book + span.chapter + u':' + span.text;
            parts.append(span.optional ? u'(' + part + u')' : part);
        }
        EXPECT_EQ(s(parts.join(u' ')), s(c.parts));
    }
    const QList<VerseSpan> split = parsePassage(u"Kol 2,3-10(4-5)"_s).passage.spans;
    ASSERT_EQ(split.size(), 3);
    EXPECT_EQ(split[2].firstVerse, 6);
    EXPECT_EQ(split[2].lastVerse, 10);
    // The errors of the whole reference are those of parseReference; a part that is no verse
    // number spoils the passage.
    EXPECT_EQ(parsePassage(u"Mk 1"_s).error, ReferenceError::NoBook);
    EXPECT_FALSE(parsePassage(u"Mk 1,9.x"_s).passage.hasVerseNumbers());
}

// A Bible has fewer verses than this; a reference of more parts is pasted text, not a reading.
TEST(PassageParts, MorePartsThanABibleHasVersesAreRefused)
{
    const auto reference = [](qsizetype parts) {
        QString text = u"Mk 1,1"_s;
        text.reserve(6 + 2 * parts);
        for (qsizetype i = 1; i < parts; ++i)
            text += u".1"_s;
        return text;
    };
    const ParsedPassage most = parsePassage(reference(kMaxReferenceParts));
    EXPECT_EQ(most.error, ReferenceError::None);
    EXPECT_EQ(most.passage.spans.size(), kMaxReferenceParts);
    const ParsedPassage tooMany = parsePassage(reference(kMaxReferenceParts + 1));
    EXPECT_EQ(tooMany.error, ReferenceError::TooManyParts);
    EXPECT_TRUE(tooMany.passage.spans.isEmpty());
    EXPECT_EQ(s(referenceErrorMessage({ tooMany.error, {} })),
              "Die Bibelstelle hat mehr Teile, als eine Bibel Verse hat, und wird nicht gelesen.");
}

TEST(PassageParts, BooksByAbbreviationOrFullName)
{
    EXPECT_EQ(s(bookAbbreviation(u"Psalm"_s).value_or(u"-"_s)), "Ps");
    EXPECT_EQ(s(bookAbbreviation(u"Psalmen"_s).value_or(u"-"_s)), "Ps");
    EXPECT_EQ(s(bookAbbreviation(u"Jesaja"_s).value_or(u"-"_s)), "Jes");
    EXPECT_EQ(s(bookAbbreviation(u"1. Kor"_s).value_or(u"-"_s)), "1. Kor");
    EXPECT_FALSE(bookAbbreviation(u"Henoch"_s).has_value());
}
