// The readings for the lector: the day's readings verse by verse from the installed Bible, a
// note where a book or chapter is missing, the distinct result without a Bible, and the
// printed document (its PDF's text, read with pdftotext).
#include "bible/LectorReadings.h"
#include "tests/bible/BibleTestData.h"
#include "tests/bible/TestBible.h"
#include "tests/support/TestEnvironment.h"

#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

using Kind = lector::Paragraph::Kind;

const QDate kEaster(2026, 4, 5);

QStringList versesOf(const QString &book, int chapter, int first, int last)
{
    QStringList verses;
    for (int v = first; v <= last; ++v)
        verses << QString::number(v) + u' ' + bibletest::madeUpVerseText(book, chapter, v);
    return verses;
}

QStringList textsOf(const QList<lector::Paragraph> &paragraphs, Kind kind)
{
    QStringList texts;
    for (const lector::Paragraph &p : paragraphs) {
        if (p.kind == kind)
            texts << p.text;
    }
    return texts;
}

// The made-up Bible in the real chapter and verse counts, whatever Bible the other tests read
// in: the expected verses are its texts.
void installMadeUpBible(const TestEnvironment &env)
{
    ASSERT_TRUE(bibletest::writeTestBible(env.programDir() + QStringLiteral("/libs/Bibel")));
}

TEST(LectorReadings, EachReadingUnderItsHeadingVerseByVerseAndMissingPartsNoted)
{
    TestEnvironment env;
    installMadeUpBible(env);
    ProperTexts texts;
    texts.psalm = QStringLiteral("Jes 25,8-9");
    texts.epistel = QStringLiteral("Xyz 1,1-3");
    texts.evangelium = QStringLiteral("Mk 16,1-8");
    texts.predigttext = QStringLiteral("Mk 99,1-2");
    const QList<lector::Reading> readings = lector::readingsOf(texts, true);
    ASSERT_EQ(readings.size(), 4);
    EXPECT_EQ(readings.at(0).heading, QStringLiteral("Alttestamentliche Lesung"));
    EXPECT_EQ(lector::readingsOf(texts, false).size(), 3);

    const lector::Document document
        = lector::make(QStringLiteral("Ostersonntag"), kEaster, readings);
    ASSERT_EQ(document.status, lector::Document::Status::Made);
    EXPECT_EQ(textsOf(document.paragraphs, Kind::Heading),
              QStringList({ QStringLiteral("Alttestamentliche Lesung – Ostersonntag, 05.04.2026"),
                            QStringLiteral("Epistel – Ostersonntag, 05.04.2026"),
                            QStringLiteral("Evangelium – Ostersonntag, 05.04.2026"),
                            QStringLiteral("Predigttext – Ostersonntag, 05.04.2026") }));
    EXPECT_EQ(textsOf(document.paragraphs, Kind::Verse),
              versesOf(QStringLiteral("Jes"), 25, 8, 9) + versesOf(QStringLiteral("Mk"), 16, 1, 8));
    EXPECT_EQ(textsOf(document.paragraphs, Kind::Note),
              QStringList({ QStringLiteral("Das Buch Xyz ist in der eingelesenen Bibel nicht "
                                           "vorhanden."),
                            QStringLiteral("Das Kapitel 99 des Buches Mk ist in der eingelesenen "
                                           "Bibel nicht vorhanden.") }));
    // The note stands at the place of its reading: after the epistle's reference.
    const qsizetype note = document.paragraphs.indexOf(
        lector::Paragraph { Kind::Note, textsOf(document.paragraphs, Kind::Note).first() });
    ASSERT_GT(note, 0);
    EXPECT_EQ(document.paragraphs.at(note - 1).text, QStringLiteral("Xyz 1,1-3"));
}

// The Old Testament reading is read where the day has one; the psalm field only stands in
// for it where that field is empty (as in preparations saved before it had its field).
TEST(LectorReadings, TheOldTestamentReadingBeforeThePsalm)
{
    struct Case
    {
        const char *what;
        QString psalm, atLesung;
        QString heading, reference; // of the first reading
    };
    const Case cases[] = {
        { "both", QStringLiteral("Psalm 24,1-10"), QStringLiteral("Sach 9,9-10"),
          QStringLiteral("Alttestamentliche Lesung"), QStringLiteral("Sach 9,9-10") },
        { "a psalm only", QStringLiteral("Psalm 24,1-10"), QStringLiteral("  "),
          QStringLiteral("Psalm"), QStringLiteral("Psalm 24,1-10") },
        { "a reading in the psalm field", QStringLiteral("Jes 25,8-9"), QString(),
          QStringLiteral("Alttestamentliche Lesung"), QStringLiteral("Jes 25,8-9") },
        { "no psalm", QString(), QStringLiteral(" Jes 40,1-11 "),
          QStringLiteral("Alttestamentliche Lesung"), QStringLiteral("Jes 40,1-11") },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ProperTexts texts;
        texts.psalm = c.psalm;
        texts.atLesung = c.atLesung;
        texts.epistel = QStringLiteral("Röm 13,8-12");
        texts.evangelium = QStringLiteral("Mt 21,1-11");
        const QList<lector::Reading> readings = lector::readingsOf(texts, false);
        ASSERT_EQ(readings.size(), 3);
        EXPECT_EQ(readings.at(0).heading, c.heading);
        EXPECT_EQ(readings.at(0).reference, c.reference);
        EXPECT_EQ(readings.at(1).heading, QStringLiteral("Epistel"));
        EXPECT_EQ(readings.at(2).heading, QStringLiteral("Evangelium"));
    }
}

TEST(LectorReadings, EveryPartOfAReferenceWithOptionalVersesMarked)
{
    TestEnvironment env;
    installMadeUpBible(env);
    const lector::Document document = lector::make(
        QStringLiteral("Ostersonntag"), kEaster,
        { { QStringLiteral("Psalm"), QStringLiteral("Psalm 85,9-10") },
          { QStringLiteral("Epistel"), QStringLiteral("Röm 8,14-15.24") },
          { QStringLiteral("Alttestamentliche Lesung"), QStringLiteral("Jes 40,1-2(3-4)") } });
    ASSERT_EQ(document.status, lector::Document::Status::Made);
    EXPECT_TRUE(textsOf(document.paragraphs, Kind::Note).isEmpty())
        << textsOf(document.paragraphs, Kind::Note).join(u'|').toStdString();
    EXPECT_EQ(textsOf(document.paragraphs, Kind::Verse),
              versesOf(QStringLiteral("Ps"), 85, 9, 10) + versesOf(QStringLiteral("Röm"), 8, 14, 15)
                  + versesOf(QStringLiteral("Röm"), 8, 24, 24)
                  + versesOf(QStringLiteral("Jes"), 40, 1, 4));
    EXPECT_EQ(
        textsOf(document.paragraphs, Kind::Part),
        QStringList({ QStringLiteral("Röm 8,14-15"), QStringLiteral("Röm 8,24"),
                      QStringLiteral("Jes 40,1-2"), QStringLiteral("Jes 40,3-4 (wahlweise)") }));
    QStringList optional;
    for (const lector::Paragraph &p : document.paragraphs) {
        if (p.kind == Kind::Verse && p.optional)
            optional << p.text;
    }
    EXPECT_EQ(optional, versesOf(QStringLiteral("Jes"), 40, 3, 4));
}

TEST(LectorReadings, WithoutABibleTheDocumentIsNotMade)
{
    TestEnvironment env;
    const lector::Document document
        = lector::make(QStringLiteral("Ostersonntag"), kEaster,
                       { { QStringLiteral("Evangelium"), QStringLiteral("Mk 16,1-8") } });
    EXPECT_EQ(document.status, lector::Document::Status::NoBible);
    EXPECT_TRUE(document.paragraphs.isEmpty());
    EXPECT_TRUE(lector::noBibleMessage().contains(QStringLiteral("„Perikope“")));
}

TEST(LectorReadings, PrintedDocumentHoldsTheVersesInOrderInTheChosenSize)
{
    TestEnvironment env;
    installMadeUpBible(env);
    const lector::Document made
        = lector::make(QStringLiteral("Ostersonntag"), kEaster,
                       { { QStringLiteral("Epistel"), QStringLiteral("1. Kor 15,1-11") },
                         { QStringLiteral("Evangelium"), QStringLiteral("Mk 16,1-8") } });
    QTextDocument document;
    lector::fillDocument(document, made.paragraphs, 18);
    EXPECT_EQ(document.blockCount(), made.paragraphs.size());
    EXPECT_EQ(document.findBlockByNumber(5).charFormat().fontPointSize(), 18);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext fehlt (Debian: poppler-utils)";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("Lesungen.pdf"));
    {
        QPdfWriter writer(pdf);
        document.print(&writer);
    }
    QProcess process;
    process.start(pdftotext, { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput()).simplified();
    qsizetype at = text.indexOf(QStringLiteral("Epistel – Ostersonntag, 05.04.2026"));
    ASSERT_GE(at, 0) << text.toStdString();
    for (const QString &verse :
         versesOf(QStringLiteral("1. Kor"), 15, 1, 11) + versesOf(QStringLiteral("Mk"), 16, 1, 8)) {
        // The verse number is set raised before its text.
        const QString words = verse.mid(verse.indexOf(u' ') + 1);
        const qsizetype next = text.indexOf(words, at);
        EXPECT_GT(next, at) << words.toStdString();
        at = std::max(at, next);
    }
}

} // namespace
