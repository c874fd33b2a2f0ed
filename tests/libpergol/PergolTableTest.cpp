// The liturgical data library through its C interface: every day of the day list has its
// propers, every reading has the form the Bible lookup reads, spot checks of real days, and
// Windows-1252 names and texts.
#include "bible/BibleReference.h"
#include "bible/BookNames.h"
#include "bible/PassageParts.h"
#include "calendar/ChurchYear.h"
#include "calendar/DayEntry.h"
#include "libpergol/pergol.h"
#include "storage/Win1252Text.h"
#include "tests/libpergol/PergolTestSupport.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using pergoltest::propersOf;

namespace {

constexpr auto kWhite = "50331647"; // 0x02FFFFFF
constexpr auto kViolet = "44695722"; // 0x02AA00AA
constexpr auto kBlack = "33554432"; // 0x02000000
constexpr auto kGreen = "33587200"; // 0x02008000
constexpr auto kRed = "33554687"; // 0x020000FF

QString qs(const char *latin)
{
    return QString::fromLatin1(latin);
}

QStringList allNames()
{
    return pergoltest::dayListVocabulary() + pergoltest::furtherNames();
}

// Every name the day list produces for a date from 1900 to 2200. The list depends on the
// year and the month of the date only, so one date a month covers every date.
QSet<QString> dayListNames()
{
    QSet<QString> names;
    for (int year = 1900; year <= 2200; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (const QString &entry : churchyear::FillDayList(QDate(year, month, 1)))
                names.insert(dayentry::dayName(entry));
        }
    }
    return names;
}

TEST(PergolTable, EveryDayOfTheDayListHasItsPropers)
{
    const QSet<QString> names = dayListNames();
    // The other tests walk the same names (and the further feast days).
    const QStringList vocabulary = pergoltest::dayListVocabulary();
    EXPECT_EQ(names, QSet<QString>(vocabulary.begin(), vocabulary.end()));

    const QStringList colours = { qs(kWhite), qs(kViolet), qs(kBlack), qs(kGreen), qs(kRed) };
    const QStringList further = pergoltest::furtherNames();
    for (const QString &name : names + QSet<QString>(further.begin(), further.end())) {
        SCOPED_TRACE(name.toStdString());
        const auto p = propersOf(name);
        EXPECT_TRUE(colours.contains(p.colour)) << p.colour.toStdString();
        EXPECT_FALSE(p.verse.isEmpty());
        EXPECT_FALSE(p.psalm.isEmpty());
        EXPECT_FALSE(p.hymn.isEmpty());
        EXPECT_FALSE(p.oldTestament.isEmpty());
        EXPECT_FALSE(p.epistle.isEmpty());
        EXPECT_FALSE(p.gospel.isEmpty());
        ASSERT_EQ(p.series.size(), 6);
        for (const QString &text : p.series)
            EXPECT_FALSE(text.isEmpty());
        // Every reading of the order is also one of its sermon texts; a reading that is none
        // of the six is mistyped.
        EXPECT_TRUE(p.series.contains(p.oldTestament)) << p.oldTestament.toStdString();
    }
}

// A reading must survive the Bible lookup: tidied as the lookup tidies a field, it is a
// clean reference (book, blank, chapter, ",", verse ranges joined by "."; a second chapter
// after "; "; half-verse letters allowed) whose book has a Bible file and whose verses are
// numbers, optional verses in one parenthesis. A psalm is looked up online by its number.
void expectReadableReading(const QString &reading, bool psalm)
{
    SCOPED_TRACE(reading.toStdString());
    EXPECT_EQ(reading, reading.trimmed());
    EXPECT_FALSE(reading.contains(QChar(0x2013))) << "en dash";
    EXPECT_LE(reading.count(u'('), 1) << "optional verses stand in one parenthesis";
    const QString tidied = bible::normaliseReference(reading);
    QString core = tidied;
    core.remove(QRegularExpression(u"\\([^)]*\\)"_s));

    static const QString verses = uR"(\d+[a-c]?(?:-\d+[a-c]?)?(?:\.\d+[a-c]?(?:-\d+[a-c]?)?)*)"_s;
    static const QRegularExpression form(u"^((?:\\d\\. )?\\p{L}+) (\\d+),"_s + verses
                                         + u"(?:; (?:(?:\\d\\. )?\\p{L}+ )?\\d+,"_s + verses
                                         + u")*$"_s);
    EXPECT_TRUE(form.match(core).hasMatch()) << core.toStdString();

    EXPECT_EQ(bible::isPsalmReference(tidied), psalm);
    if (psalm) {
        EXPECT_TRUE(tidied.startsWith(u"Psalm "_s));
        EXPECT_TRUE(bible::psalmLookupText(tidied).contains(QRegularExpression(u"^Psalm \\d+$"_s)));
    } else {
        EXPECT_FALSE(bible::isHymnalReference(tidied));
    }
    const bible::ParsedPassage parsed = bible::parsePassage(tidied);
    ASSERT_EQ(parsed.error, bible::ReferenceError::None);
    EXPECT_TRUE(parsed.passage.hasVerseNumbers());
    EXPECT_TRUE(bible::bookAbbreviation(parsed.passage.book).has_value())
        << parsed.passage.book.toStdString();
    for (const bible::VerseSpan &span : parsed.passage.spans)
        EXPECT_LE(span.firstVerse, span.lastVerse) << span.text.toStdString();
    // The sermon-text tab looks a text up only when a "," follows its first character.
    EXPECT_GE(reading.indexOf(u','), 1);
}

TEST(PergolTable, ReadingsHaveTheFormTheBibleLookupReads)
{
    for (const QString &name : allNames()) {
        SCOPED_TRACE(name.toStdString());
        const auto p = propersOf(name);
        expectReadableReading(p.psalm, true);
        expectReadableReading(p.oldTestament, false);
        // The Old Testament reading is one: its book stands before the gospels.
        const auto book = bible::bookAbbreviation(
            bible::parsePassage(bible::normaliseReference(p.oldTestament)).passage.book);
        ASSERT_TRUE(book.has_value());
        EXPECT_LT(bible::loccumAbbreviations().indexOf(*book),
                  bible::loccumAbbreviations().indexOf(u"Mt"_s))
            << p.oldTestament.toStdString();
        expectReadableReading(p.epistle, false);
        expectReadableReading(p.gospel, false);
        for (const QString &text : p.series)
            expectReadableReading(text, text.startsWith(u"Psalm"_s));
    }
}

TEST(PergolTable, ReadingsNameVersesOfTheLutherBible)
{
    pergoltest::LutherBible bible;
    if (bible.verseCount(u"Mk"_s, 1) == 0)
        GTEST_SKIP() << "the Luther Bible of the shared reference data is missing (set "
                        "PERGOLAN_SHARED_DIR)";
    for (const QString &name : allNames()) {
        const auto p = propersOf(name);
        for (const QString &text :
             QStringList { p.psalm, p.oldTestament, p.epistle, p.gospel } + p.series) {
            const auto set = pergoltest::versesOf(text, bible);
            EXPECT_TRUE(set.error.isEmpty())
                << name.toStdString() << ": " << set.error.toStdString();
        }
    }
}

TEST(PergolTable, SpotChecksOfRealDays)
{
    auto p = propersOf(u"Erntedank"_s);
    EXPECT_EQ(p.colour, qs(kGreen));
    EXPECT_EQ(p.psalm, u"Psalm 104,1a.10-15.27-30.33"_s);
    EXPECT_EQ(p.epistle, u"2. Kor 9,6-15"_s);
    EXPECT_EQ(p.gospel, u"Mk 8,1-9"_s);
    EXPECT_EQ(p.series,
              (QStringList { u"Jes 58,7-12"_s, u"Mk 8,1-9"_s, u"2. Kor 9,6-15"_s,
                             u"5. Mose 8,7-18"_s, u"Lk 12,(13-14)15-21"_s, u"1. Tim 4,4-5"_s }));
    EXPECT_EQ(p.verse,
              u"Aller Augen warten auf dich, und du gibst ihnen ihre Speise zu "
              "seiner Zeit. (Ps 145,15)"_s);
    EXPECT_EQ(p.hymn, u"Nun preiset alle Gottes Barmherzigkeit / Auf, Seele, Gott zu loben"_s);

    p = propersOf(u"Ostersonntag"_s);
    EXPECT_EQ(p.colour, qs(kWhite));
    EXPECT_EQ(p.epistle, u"1. Kor 15,1-11"_s);
    EXPECT_EQ(p.gospel, u"Mk 16,1-8"_s);
    EXPECT_EQ(p.series[2], u"2. Mose 14,8-14.19-23.28-30a; 15,20-21"_s);

    p = propersOf(u"2. Sonntag nach Trinitatis"_s);
    EXPECT_EQ(p.colour, qs(kGreen));
    EXPECT_EQ(p.verse,
              u"Kommet her zu mir alle, die ihr mühselig und beladen seid; ich will "
              "euch erquicken. (Mt 11,28)"_s);
    EXPECT_EQ(p.gospel, u"Lk 14,(15)16-24"_s);

    p = propersOf(u"Karfreitag"_s);
    EXPECT_EQ(p.colour, qs(kBlack));
    EXPECT_EQ(p.gospel, u"Joh 19,16-30"_s);
    EXPECT_EQ(p.series[2], u"Jes 52,13-15; 53,1-12"_s);

    EXPECT_EQ(propersOf(u"1. Sonntag im Advent"_s).colour, qs(kViolet));
    EXPECT_EQ(propersOf(u"1. Sonntag im Advent"_s).psalm, u"Psalm 24,1-10"_s);
    EXPECT_EQ(propersOf(u"Buß- und Bettag"_s).colour, qs(kViolet));
    EXPECT_EQ(propersOf(u"Pfingstsonntag"_s).colour, qs(kRed));
    EXPECT_EQ(propersOf(u"Reformationstag"_s).colour, qs(kRed));
    EXPECT_EQ(propersOf(u"Ewigkeitssonntag"_s).colour, qs(kWhite));
    EXPECT_EQ(propersOf(u"Septuagesimae"_s).colour, qs(kGreen));
    EXPECT_EQ(propersOf(u"Karsamstag"_s).colour, qs(kBlack));

    // A passage that runs into the next chapter is split at the chapter's last verse.
    EXPECT_EQ(propersOf(u"Judica"_s).series[0], u"Joh 18,28-40; 19,1-5"_s);
    // Optional verses inside a passage move into one parenthesis at its end.
    const QString supper = propersOf(u"Gründonnerstag"_s).epistle;
    EXPECT_EQ(supper, u"1. Kor 11,23-26(17-22.27-29.33-34a)"_s);
}

// The days that the calendar export lacks, with the values that two or more sources of the
// order give alike (a value resting on one source is left to the data file's comments).
TEST(PergolTable, DaysWithoutCalendarExport)
{
    struct Case
    {
        const char *name;
        const char *colour;
        std::u16string_view verseReference, psalm, hymn, oldTestament, epistle, gospel;
        QStringList series; // empty: not known from two sources
    };
    const QList<Case> cases = {
        { "5. Sonntag vor der Passionszeit",
          kGreen,
          u"(1. Kor 4,5b)",
          u"Psalm 37,3-",
          u"Ach bleib bei uns, Herr Jesu Christ / Gott liebt diese Welt",
          u"Jes 40,12-25",
          u"1. Kor 1,4-9",
          u"Mt 21,28-32",
          { u"1. Kor 1,4-9"_s, u"Jes 40,12-25"_s, u"Mt 21,28-32"_s, u"1. Kor 1,4-9"_s,
            u"Jes 40,12-25"_s, u"Mt 21,28-32"_s } },
        { "10. Sonntag nach Trinitatis",
          kGreen,
          u"(Ps 33,12)",
          u"Psalm 122,1-9",
          u"Nun danket Gott, erhebt und preiset / Lobt und preist die herrlichen Taten",
          u"2. Mose 19,1-6",
          u"Röm 11,25-32",
          u"Mk 12,28-34",
          { u"Mk 12,28-34"_s, u"Röm 11,25-32"_s, u"2. Mose 19,1-6"_s, u"Mt 5,17-20"_s,
            u"5. Mose 4,5-20"_s, u"Sach 8,20-23"_s } },
        { "Gedenktag der Zerstörung Jerusalems",
          kViolet,
          u"(Ps 33,12)",
          u"Psalm 74,1-3.8-11.20-21",
          u"Aus tiefer Not lasst uns zu Gott / Und suchst du meine Sünde",
          u"Jes 27,2-9",
          u"Röm 9,1-5",
          u"Lk 19,41-48",
          {} },
        // Only the colour is known from two sources; the day no longer borrows the 23rd's.
        { "24. Sonntag nach Trinitatis", kGreen, u"", u"", u"", u"", u"", u"", {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto p = propersOf(QString::fromUtf8(c.name));
        const auto has = [](const QString &value, std::u16string_view expected) {
            return expected.empty() || value == QStringView(expected)
                || (expected.back() == u'-' && value.startsWith(QStringView(expected)));
        };
        EXPECT_EQ(p.colour, qs(c.colour));
        EXPECT_TRUE(p.verse.endsWith(QStringView(c.verseReference))) << p.verse.toStdString();
        EXPECT_TRUE(has(p.psalm, c.psalm)) << p.psalm.toStdString();
        EXPECT_TRUE(has(p.hymn, c.hymn)) << p.hymn.toStdString();
        EXPECT_TRUE(has(p.oldTestament, c.oldTestament)) << p.oldTestament.toStdString();
        EXPECT_TRUE(has(p.epistle, c.epistle)) << p.epistle.toStdString();
        EXPECT_TRUE(has(p.gospel, c.gospel)) << p.gospel.toStdString();
        if (!c.series.isEmpty()) {
            EXPECT_EQ(p.series, c.series);
        }
    }
    // The second proper's first three sermon texts are its readings, as two sources give them.
    const auto jerusalem = propersOf(u"Gedenktag der Zerstörung Jerusalems"_s);
    EXPECT_EQ(jerusalem.series.mid(0, 3),
              (QStringList { u"Lk 19,41-48"_s, u"Röm 9,1-5"_s, u"Jes 27,2-9"_s }));
    EXPECT_TRUE(jerusalem.series[5].startsWith(u"5. Mose 30,1-6"_s));
    const auto last = propersOf(u"24. Sonntag nach Trinitatis"_s);
    const auto before = propersOf(u"23. Sonntag nach Trinitatis"_s);
    EXPECT_NE(last.gospel, before.gospel);
    EXPECT_NE(last.verse, before.verse);
    EXPECT_NE(last.series, before.series);
}

TEST(PergolTable, FurtherNamesAndAliases)
{
    EXPECT_EQ(propersOf(u"Palmarum"_s).series, propersOf(u"Palmsonntag"_s).series);
    EXPECT_EQ(propersOf(u"Lätare"_s).series, propersOf(u"Laetare"_s).series);
    EXPECT_EQ(propersOf(u"Christfest II"_s).gospel, propersOf(u"2. Weihnachtstag"_s).gospel);
    EXPECT_EQ(propersOf(u"Reformationsfest"_s).verse, propersOf(u"Reformationstag"_s).verse);
    EXPECT_EQ(propersOf(u"Neujahrstag"_s).gospel, u"Lk 4,16-21"_s);
    EXPECT_EQ(propersOf(u"Johannistag"_s).gospel, u"Lk 1,(5-25)57-66.80"_s);
    EXPECT_EQ(propersOf(u"Michaelistag"_s).colour, qs(kWhite));
    // The remembrance of the dead has its own propers beside those of the Ewigkeitssonntag.
    EXPECT_EQ(propersOf(u"Totensonntag"_s).gospel, u"Joh 5,24-29"_s);
    EXPECT_EQ(propersOf(u"Ewigkeitssonntag"_s).gospel, u"Mt 25,1-13"_s);
}

TEST(PergolTable, UnknownNamesAndSeriesGiveEmptyTextsAndGreen)
{
    for (const char *name :
         { "", "Sonntag", "erntedank", "Erntedankfest", "1. Sonntag im Advent!" }) {
        SCOPED_TRACE(name);
        EXPECT_STREQ(getFarbe(name), kGreen);
        EXPECT_STREQ(getVers(name), "");
        EXPECT_STREQ(getPsalm(name), "");
        EXPECT_STREQ(getWochenlied(name), "");
        EXPECT_STREQ(getEpistel(name), "");
        EXPECT_STREQ(getEvangelium(name), "");
        EXPECT_STREQ(getPerikope(name, 1), "");
        EXPECT_STREQ(getATLesung(name), "");
    }
    EXPECT_STREQ(getFarbe(nullptr), kGreen);
    EXPECT_STREQ(getVers(nullptr), "");
    EXPECT_STREQ(getPerikope("Erntedank", 0), "");
    EXPECT_STREQ(getPerikope("Erntedank", 7), "");
    EXPECT_STREQ(getPerikope("Erntedank", -1), "");
}

TEST(PergolTable, BlanksAroundATypedNameAreIgnored)
{
    EXPECT_STREQ(getEvangelium("  Erntedank "), "Mk 8,1-9");
    EXPECT_STREQ(getFarbe(" Karfreitag"), kBlack);
}

TEST(PergolTable, ResultsStayValidAndUnchanged)
{
    const char *first = getVers("Trinitatis");
    const std::string copy = first;
    getVers("Karfreitag");
    getPerikope("Trinitatis", 3);
    EXPECT_EQ(getVers("Trinitatis"), first);
    EXPECT_EQ(std::string(first), copy);
}

TEST(PergolTable, NamesAndTextsAreWindows1252)
{
    // Names passed as Windows-1252 bytes find their day ...
    EXPECT_STREQ(getFarbe("Bu\xDF- und Bettag"), kViolet);
    EXPECT_STREQ(getFarbe("Gr\xFCndonnerstag"), kWhite);
    EXPECT_STREQ(getEvangelium("Gr\xFCndonnerstag"), "Joh 13,1-15.34-35");
    // ... the UTF-8 spelling is another name ...
    EXPECT_STREQ(getEvangelium("Gr\xC3\xBCndonnerstag"), "");
    // ... and the texts come back in Windows-1252: umlauts, sharp s and typographic quotes.
    EXPECT_NE(std::string(getVers("Bu\xDF- und Bettag")).find("erh\xF6het"), std::string::npos);
    EXPECT_NE(std::string(getEpistel("Reminiscere")).find("R\xF6m"), std::string::npos);
    EXPECT_NE(
        std::string(getWochenlied("13. Sonntag nach Trinitatis")).find("\x84Ich liebe Gott\x93"),
        std::string::npos);

    // No text carries a control character or one of the five unassigned bytes.
    const QByteArray forbidden("\x81\x8D\x8F\x90\x9D", 5);
    for (const QString &name : allNames()) {
        const QByteArray bytes = win1252::encode(name);
        const char *key = bytes.constData();
        std::vector<const char *> texts = { getVers(key),    getPsalm(key),      getWochenlied(key),
                                            getEpistel(key), getEvangelium(key), getATLesung(key) };
        for (int s = 1; s <= 6; ++s)
            texts.push_back(getPerikope(key, s));
        for (const char *text : texts) {
            for (const unsigned char c : std::string(text)) {
                EXPECT_GE(c, 0x20) << name.toStdString();
                EXPECT_FALSE(forbidden.contains(char(c))) << name.toStdString();
            }
        }
    }
}

} // namespace
