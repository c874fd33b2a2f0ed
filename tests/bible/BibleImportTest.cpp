// The Bible files: importing a public-domain OSIS Bible, reading the files by the INI rules,
// and looking real passages up in them.
#include "base/ProgramFolder.h"
#include "bible/BibleFile.h"
#include "bible/BookNames.h"
#include "bible/OsisImport.h"
#include "bible/PassageLookup.h"
#include "storage/Win1252Text.h"
#include "tests/bible/BibleTestData.h"
#include "tests/support/TestEnvironment.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace bible;

namespace {

std::string s(const QString &text)
{
    return text.toStdString();
}

QByteArray osisDocument(const QByteArray &body)
{
    return "<?xml version='1.0' encoding='UTF-8'?>\n"
           "<osis xmlns='http://www.bibletechnologies.net/2003/OSIS/namespace'><osisText>"
        + body + "</osisText></osis>\n";
}

QList<ImportedBook> readDocument(const QByteArray &bytes, QString *error = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QList<ImportedBook> books;
    QString reason;
    if (!readOsisBooks(buffer, books, &reason)) {
        if (error)
            *error = reason;
        return {};
    }
    return books;
}

} // namespace

TEST(OsisImport, ImportsTheLuther1912TextCompletely)
{
    if (!bibletest::hasLutherText())
        GTEST_SKIP() << bibletest::kNoLutherText;
    QTemporaryDir target;
    int calls = 0;
    int lastDone = -1;
    const ImportResult result = importOsisBible(bibletest::luther1912Source(), target.path(),
                                                [&](int done, int total, const QString &) {
                                                    ++calls;
                                                    EXPECT_EQ(total, 66);
                                                    EXPECT_GE(done, lastDone);
                                                    lastDone = done;
                                                });
    ASSERT_EQ(result.status, ImportStatus::Ok) << s(result.errorText);
    // The figures of the published text: 66 books, 1189 chapters, 31171 verses.
    EXPECT_EQ(result.summary.books, 66);
    EXPECT_EQ(result.summary.chapters, 1189);
    EXPECT_EQ(result.summary.verses, 31171);
    EXPECT_EQ(lastDone, 66);
    EXPECT_EQ(calls, 67);
    EXPECT_TRUE(result.summary.skippedBooks.isEmpty());
    EXPECT_EQ(QDir(target.path()).entryList(QDir::Files).size(), 66);
    for (const BookName &book : bookNames()) {
        const bool apocryphal = book.loccum == u"Sir"_s || book.loccum == u"Tob"_s
            || book.loccum == u"Jdt"_s || book.loccum == u"Weish"_s || book.loccum == u"Bar"_s
            || book.loccum.contains(u"Makk"_s) || book.loccum == u"StEst"_s
            || book.loccum == u"StDan"_s || book.loccum == u"GebMan"_s;
        EXPECT_EQ(QFileInfo::exists(target.path() + u'/' + bibleFileName(book.loccum)), !apocryphal)
            << s(book.loccum);
    }
    EXPECT_EQ(
        s(importSummaryText(result.summary)),
        s(u"66 Bücher mit 1189 Kapiteln und 31171 Versen eingelesen und nach %1 geschrieben."_s.arg(
            QDir::toNativeSeparators(QDir(target.path()).absolutePath()))));

    // Windows-1252 with CR LF, chapters as sections, verses as entries; footnotes are gone.
    const QByteArray mark = readFileBytes(target.path() + u"/Mk.lib"_s);
    EXPECT_TRUE(mark.startsWith("[Kapitel 1]\r\n1=Dies ist der Anfang des Evangeliums"));
    EXPECT_TRUE(mark.contains("\r\n9=Und es begab sich zu der Zeit, da\xDF Jesus aus Galil\xE4"
                              "a von Nazareth kam"));
    EXPECT_FALSE(mark.contains("\n\n")); // LF only after CR
    const QString corinthians = win1252::decode(readFileBytes(target.path() + u"/1. Kor.lib"_s));
    EXPECT_FALSE(corinthians.contains(u"Andere Überlieferung"_s));
    EXPECT_FALSE(corinthians.contains(u'<'));
    const auto file = BibleFile::fromText(corinthians);
    EXPECT_EQ(s(file->verse(u"15"_s, 55)),
              "\"Der Tod ist verschlungen in den Sieg. Tod, wo ist "
              "dein Stachel? Hölle, wo ist dein Sieg?\"");
    // The German versification: Joel has four chapters, Malachi three.
    EXPECT_TRUE(BibleFile::fromText(win1252::decode(readFileBytes(target.path() + u"/Joel.lib"_s)))
                    ->hasChapter(u"4"_s));
    EXPECT_FALSE(BibleFile::fromText(win1252::decode(readFileBytes(target.path() + u"/Mal.lib"_s)))
                     ->hasChapter(u"4"_s));
}

TEST(OsisImport, ReadsContainerAndMilestoneVersesAndDropsNotes)
{
    const QList<ImportedBook> books = readDocument(osisDocument(
        "<div type='book' osisID='Mark'><chapter osisID='Mark.1'>"
        "<verse osisID='Mark.1.1'>Dies ist <note>eine Anmerkung <hi>mit</hi> Inhalt</note>der\n"
        "      Anfang</verse>"
        "<verse osisID='Mark.1.2 Mark.1.3'>zwei Verse</verse>"
        "<p><verse sID='Mark.1.4' osisID='Mark.1.4'/>Johannes <hi>der T\xC3\xA4ufer</hi>"
        "</p><p>taufte.<verse eID='Mark.1.4'/></p>"
        "</chapter></div>"
        "<div type='book' osisID='Obad'><chapter osisID='Obad.1'><verse n='21'>Und</verse>"
        "</chapter></div>"));
    ASSERT_EQ(books.size(), 2);
    EXPECT_EQ(s(books[0].osisId), "Mark");
    const auto &chapter = books[0].chapters.value(1);
    EXPECT_EQ(s(chapter.value(1)), "Dies ist der Anfang");
    EXPECT_EQ(s(chapter.value(2)), "zwei Verse");
    EXPECT_EQ(s(chapter.value(4)), "Johannes der Täufer taufte.");
    EXPECT_EQ(s(books[1].chapters.value(1).value(21)), "Und");
}

TEST(OsisImport, RejectsBadInputAndWritesNothing)
{
    QTemporaryDir source;
    QTemporaryDir target;
    const QString out = target.path() + u"/Bibel"_s;

    // Missing source, empty folder, broken XML, XML without verses.
    ImportResult result = importOsisBible(source.path() + u"/fehlt"_s, out);
    EXPECT_EQ(result.status, ImportStatus::BadInput);
    EXPECT_TRUE(result.errorText.startsWith(u"Die Quelle "_s)) << s(result.errorText);

    result = importOsisBible(source.path(), out);
    EXPECT_EQ(result.status, ImportStatus::BadInput);
    EXPECT_TRUE(result.errorText.contains(u"keine OSIS-Dateien"_s)) << s(result.errorText);

    writeFileBytes(source.path() + u"/mark.xml"_s,
                   osisDocument("<div type='book' osisID='Mark'><chapter osisID='Mark.1'>"
                                "<verse osisID='Mark.1.1'>Anfang</verse></chapter></div>"));
    writeFileBytes(source.path() + u"/zzz.xml"_s, "<osis><verse osisID='Rom.1.1'>abgebrochen");
    result = importOsisBible(source.path(), out);
    EXPECT_EQ(result.status, ImportStatus::BadInput);
    EXPECT_TRUE(result.errorText.contains(u"keine OSIS-Bibel: kein gültiges XML"_s))
        << s(result.errorText);
    // The good file read before the broken one was not written either.
    EXPECT_FALSE(QFileInfo::exists(out + u"/Mk.lib"_s));

    writeFileBytes(source.path() + u"/zzz.xml"_s, "<html><body>Kein Bibeltext</body></html>");
    result = importOsisBible(source.path() + u"/zzz.xml"_s, out);
    EXPECT_EQ(result.status, ImportStatus::BadInput);
    EXPECT_TRUE(result.errorText.contains(u"keine Bibelverse"_s)) << s(result.errorText);

    // Only books the program has no name for.
    writeFileBytes(source.path() + u"/zzz.xml"_s,
                   osisDocument("<div type='book' osisID='3Macc'><chapter osisID='3Macc.1'>"
                                "<verse osisID='3Macc.1.1'>x</verse></chapter></div>"));
    result = importOsisBible(source.path() + u"/zzz.xml"_s, out);
    EXPECT_EQ(result.status, ImportStatus::BadInput);
    EXPECT_TRUE(result.errorText.contains(u"kein bekanntes biblisches Buch"_s));

    // Unknown books are skipped and named when others are known; doubles count once.
    writeFileBytes(source.path() + u"/mark2.xml"_s,
                   osisDocument("<div type='book' osisID='Mark'><chapter osisID='Mark.1'>"
                                "<verse osisID='Mark.1.1'>Zweite Fassung</verse></chapter></div>"));
    result = importOsisBible(source.path(), out);
    ASSERT_EQ(result.status, ImportStatus::Ok) << s(result.errorText);
    EXPECT_EQ(result.summary.books, 1);
    EXPECT_EQ(result.summary.skippedBooks, QStringList { u"3Macc"_s });
    EXPECT_EQ(result.summary.duplicateBooks, QStringList { u"Mark"_s });
    EXPECT_EQ(readFileBytes(out + u"/Mk.lib"_s), QByteArray("[Kapitel 1]\r\n1=Anfang\r\n"));
    const QString summary = importSummaryText(result.summary);
    EXPECT_TRUE(summary.contains(u"Übersprungen (kein bekanntes Buch): 3. Makkabäer."_s))
        << s(summary);
    EXPECT_TRUE(summary.contains(u"Mehrfach vorhanden (die erste Fassung gilt): Markus."_s));

    // A target that is a file cannot take the Bible.
    writeFileBytes(target.path() + u"/datei"_s, "x");
    result = importOsisBible(source.path() + u"/mark.xml"_s, target.path() + u"/datei"_s);
    EXPECT_EQ(result.status, ImportStatus::WriteFailed);
}

TEST(OsisImport, WritesIntoTheProgramFolderOrTheUsersCopyOfIt)
{
    TestEnvironment env;
    QTemporaryDir source;
    writeFileBytes(source.path() + u"/john.xml"_s,
                   osisDocument("<div type='book' osisID='John'><chapter osisID='John.3'>"
                                "<verse osisID='John.3.16'>Also hat Gott die Welt geliebt</verse>"
                                "</chapter></div>"));

    ImportResult result = importOsisBible(source.path(), QString());
    ASSERT_EQ(result.status, ImportStatus::Ok) << s(result.errorText);
    EXPECT_EQ(s(result.summary.writtenFiles.value(0)),
              s(env.programDir() + u"/libs/Bibel/Joh.lib"_s));

    // A program folder that cannot be written to sends the files to the per-user copy, where
    // the lookup finds them first.
    programfolder::setReadOnlyForTesting(true);
    writeFileBytes(source.path() + u"/john.xml"_s,
                   osisDocument("<div type='book' osisID='John'><chapter osisID='John.3'>"
                                "<verse osisID='John.3.16'>Denn also hat Gott</verse>"
                                "</chapter></div>"));
    result = importOsisBible(source.path(), QString());
    ASSERT_EQ(result.status, ImportStatus::Ok) << s(result.errorText);
    EXPECT_EQ(s(result.summary.writtenFiles.value(0)),
              s(programfolder::overlayDir() + u"/libs/Bibel/Joh.lib"_s));
    const PassageLookup lookup = lookUpPassage(u"Joh 3,16"_s);
    EXPECT_EQ(lookup.verseLines, QStringList { u"16) Denn also hat Gott "_s });
}

TEST(BibleFile, ReadsByTheIniRules)
{
    TestEnvironment env;
    QString longVerse(3000, u'x');
    env.writeProgramFile(u"libs/Bibel/Tst.lib"_s,
                         win1252::encode(u"; Probe\r\n[Kapitel 2]\r\n1=   Am Anfang   \r\n"
                                         u"3=erste\r\n3=zweite\r\n4=%1\r\n[kapitel 3]\r\n"
                                         u"01=führende Null\r\n1=eins\r\n"_s.arg(longVerse)));
    const QString path = bibleFilePath(u"Tst"_s);
    EXPECT_EQ(s(path), s(env.programDir() + u"/libs/Bibel/Tst.lib"_s));
    const auto file = BibleFile::open(path);
    EXPECT_EQ(s(file->verse(u"2"_s, 1)), "Am Anfang");
    EXPECT_EQ(s(file->verse(u"2"_s, 3)), "erste");
    EXPECT_EQ(file->verse(u"2"_s, 4), QString(2047, u'x'));
    EXPECT_EQ(s(file->verse(u"2"_s, 2)), "");
    EXPECT_EQ(s(file->verse(u"9"_s, 1)), "");
    // Sections match without regard to case; keys are the verse numbers without leading zeros.
    EXPECT_EQ(s(file->verse(u"3"_s, 1)), "eins");

    // A changed file is read again, an unchanged one comes from memory.
    EXPECT_EQ(BibleFile::open(path), file);
    env.writeProgramFile(u"libs/Bibel/Tst.lib"_s, "[Kapitel 2]\r\n1=Neu und anders\r\n");
    EXPECT_EQ(s(BibleFile::open(path)->verse(u"2"_s, 1)), "Neu und anders");

    // An unreadable file reads as empty.
    QDir().mkpath(env.programDir() + u"/libs/Bibel/Ordner.lib"_s);
    EXPECT_EQ(s(BibleFile::open(env.programDir() + u"/libs/Bibel/Ordner.lib"_s)->verse(u"1"_s, 1)),
              "");
    EXPECT_FALSE(bibleFileExists(u"Ordner"_s));
}

TEST(BibleFile, FindsBooksWithoutRegardToCaseButNeverOutsideTheBibleFolder)
{
    TestEnvironment env;
    env.writeProgramFile(u"libs/Bibel/Mk.lib"_s, "[Kapitel 1]\r\n1=Anfang\r\n");
    EXPECT_TRUE(bibleFileExists(u"Mk"_s));
    EXPECT_TRUE(bibleFileExists(u"mk"_s));
    EXPECT_TRUE(bibleFileExists(u"MK"_s));
    EXPECT_FALSE(bibleFileExists(u"Mt"_s));

    env.writeProgramFile(u"libs/Geheim.lib"_s, "[Kapitel 1]\r\n1=nicht zeigen\r\n");
    env.writeProgramFile(u"libs/Bibel/.versteckt.lib"_s, "[Kapitel 1]\r\n1=nicht zeigen\r\n");
    for (const QString &book : { u"../Geheim"_s, u"..\\Geheim"_s, u".versteckt"_s, QString() }) {
        EXPECT_EQ(s(bibleFilePath(book)), "") << s(book);
        EXPECT_FALSE(bibleFileExists(book));
    }
    const PassageLookup lookup = lookUpPassage(u"../Geheim 1,1"_s);
    EXPECT_EQ(lookup.status, LookupStatus::BookMissing);
    EXPECT_EQ(s(lookup.message), "Das Buch ../Geheim konnte nicht gefunden werden.");
}

// The passages of the window tests are looked up there; here what only the data shows.
TEST(PassageLookup, ReachesEveryPartOfTheImportedBible)
{
    TestEnvironment env;
    bibletest::installBible(env);

    PassageLookup lookup = lookUpPassage(u"Mk 1,9-15"_s);
    ASSERT_EQ(lookup.status, LookupStatus::Found) << s(lookup.message);
    EXPECT_TRUE(bibletest::startsLikeVerse(lookup.verseLines.last(),
                                           u"15) und sprach: Die Zeit ist erfüllet"_s));
    EXPECT_EQ(s(lookup.address.toString()), "https://www.bibleserver.com/text/LUT/Mk 1,9-15");

    // The Apocrypha, books with a number and an umlaut, the last book.
    EXPECT_EQ(lookUpPassage(u"Sir 35,16-22a"_s).verseLines.size(), 7);
    EXPECT_TRUE(bibletest::startsLikeVerse(lookUpPassage(u"2. Kön 5,1"_s).verseLines.value(0),
                                           u"1) Naeman"_s));
    EXPECT_TRUE(bibletest::startsLikeVerse(lookUpPassage(u"Offb 22,21"_s).verseLines.value(0),
                                           u"21) Die Gnade"_s));

    // The longest chapter fits below the cap for damaged ranges.
    lookup = lookUpPassage(u"Ps 119,1-176"_s);
    ASSERT_EQ(lookup.verseLines.size(), 176);
    EXPECT_FALSE(lookup.verseLines.last().endsWith(u")  "_s));
}

TEST(BibelImportTool, ImportsAndReportsInGerman)
{
    const QString tool = builtProgramDir() + u"/pergolan-bibel-import"_s;
    ASSERT_TRUE(QFileInfo::exists(tool)) << s(tool);
    QTemporaryDir target;

    auto run = [](const QStringList &args, QString *out, QString *err) {
        const CommandRun done = runBuiltCommand(u"pergolan-bibel-import"_s, args, 120000);
        *out = done.out;
        *err = done.err;
        return done.exitCode;
    };
    QString out;
    QString err;
    if (bibletest::hasLutherText()) {
        EXPECT_EQ(run({ bibletest::luther1912ApocryphaSource(), target.path() }, &out, &err), 0)
            << s(err);
        EXPECT_TRUE(out.startsWith(u"76 Bücher mit 1337 Kapiteln"_s)) << s(out);
        EXPECT_TRUE(err.contains(u"Buch 76 von 76"_s)) << s(err);
        EXPECT_EQ(QDir(target.path()).entryList(QDir::Files).size(), 76);
    } else {
        writeFileBytes(target.path() + u"/Mk.lib"_s, "[Kapitel 1]\r\n1=Anfang\r\n");
    }

    EXPECT_EQ(run({ target.path() + u"/fehlt"_s, target.path() }, &out, &err), 2);
    EXPECT_TRUE(err.contains(u"Fehler: Die Quelle "_s)) << s(err);
    EXPECT_EQ(run({ target.path() + u"/Mk.lib"_s, target.path() }, &out, &err), 2);
    EXPECT_TRUE(err.contains(u"keine OSIS-Bibel"_s)) << s(err);
    EXPECT_EQ(run({}, &out, &err), 2);
    EXPECT_TRUE(err.startsWith(u"Aufruf: pergolan-bibel-import QUELLE [ZIELORDNER]"_s)) << s(err);
}
