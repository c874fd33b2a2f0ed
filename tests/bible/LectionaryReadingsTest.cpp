// Every reading the liturgical data library hands out - psalm, epistle, gospel and the sermon
// texts of all six series, for every day the day list can show - must lead to a passage of the
// imported Bible: an existing book file, and every part of the reading (after "." and ";", in
// parentheses) to chapters and verses that are there.
#include "bible/BibleFile.h"
#include "bible/BibleReference.h"
#include "bible/PassageLookup.h"
#include "bible/PassageParts.h"
#include "calendar/ChurchYear.h"
#include "libpergol/pergol.h"
#include "storage/Win1252Text.h"
#include "tests/bible/BibleTestData.h"
#include "tests/support/TestEnvironment.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every day name the day list produces over a dozen church years (Easter early and late, so
// that the Sundays that only some years have are there too).
QStringList everyDayName()
{
    QStringList names;
    for (int year = 2024; year <= 2040; ++year) {
        for (int month = 1; month <= 12; month += 3) {
            for (const QString &entry : churchyear::FillDayList(QDate(year, month, 1))) {
                const QString name = entry.mid(13);
                if (!names.contains(name))
                    names.append(name);
            }
        }
    }
    return names;
}

QString fromLibrary(const char *text)
{
    return text ? win1252::decode(QByteArray(text)) : QString();
}

// What is wrong with the reading, or an empty text when every part of it leads to verses of
// the imported Bible. The reading is tidied as the field is before a lookup and looked up as
// the program looks it up, psalms (named "Psalm") included.
QString problemWith(const QString &reading)
{
    const QString reference = bible::normaliseReference(reading);
    if (bible::isHymnalReference(reference))
        return u"names the hymnal"_s;
    const bible::PassageLookup lookup = bible::lookUpPassage(reference);
    if (lookup.status != bible::LookupStatus::Found)
        return u"not found (%1)"_s.arg(lookup.message.isEmpty() ? u"verse"_s : lookup.message);
    QStringList problems;
    for (const bible::PassagePart &part : lookup.parts) {
        const bible::VerseSpan &span = part.span;
        const auto book = bible::bookAbbreviation(span.book);
        const QString where = span.book + u' ' + span.chapter + u',' + span.text;
        if (!book) {
            problems.append(u"no book "_s + where);
            continue;
        }
        const auto file = bible::BibleFile::open(bible::bibleFilePath(*book));
        if (!file->hasChapter(span.chapter))
            problems.append(u"no chapter "_s + where);
        else if (span.lastVerse < span.firstVerse)
            problems.append(u"last verse before the first in "_s + where);
        else if (!file->hasVerse(span.chapter, span.firstVerse)
                 || !file->hasVerse(span.chapter, span.lastVerse))
            problems.append(u"no verse "_s + where);
        else if (part.verses.size() != span.lastVerse - span.firstVerse + 1)
            problems.append(u"verses missing from "_s + where);
    }
    // Every verse the reading names is shown: as many verse lines as the parts hold.
    if (lookup.verseLines.size() > bible::kMaxVersesShown)
        problems.append(u"too long"_s);
    return problems.join(u"; "_s);
}

} // namespace

TEST(LectionaryReadings, EveryReadingOfEveryDayAndSeriesIsInTheImportedBible)
{
    TestEnvironment env;
    bibletest::installBible(env);

    const QStringList names = everyDayName();
    ASSERT_GE(names.size(), 70);

    QStringList problems;
    QSet<QString> checked;
    int readings = 0;
    for (const QString &name : names) {
        const QByteArray key = win1252::encode(name);
        QList<std::pair<QString, QString>> dayReadings = {
            { u"Psalm"_s, fromLibrary(getPsalm(key.constData())) },
            { u"Epistel"_s, fromLibrary(getEpistel(key.constData())) },
            { u"Evangelium"_s, fromLibrary(getEvangelium(key.constData())) },
        };
        for (int series = 1; series <= 6; ++series)
            dayReadings.append(
                { u"Reihe %1"_s.arg(series), fromLibrary(getPerikope(key.constData(), series)) });
        for (const auto &[what, reading] : dayReadings) {
            if (reading.isEmpty()) {
                problems.append(u"%1, %2: empty"_s.arg(name, what));
                continue;
            }
            ++readings;
            if (checked.contains(reading))
                continue;
            checked.insert(reading);
            if (const QString problem = problemWith(reading); !problem.isEmpty())
                problems.append(u"%1, %2: %3: %4"_s.arg(name, what, reading, problem));
        }
    }
    EXPECT_GE(readings, names.size() * 9);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}
