// Reading Bibles in from Zefania XML, OSIS and SWORD modules, and replacing the Bible files
// as a whole.
#include "base/ProgramFolder.h"
#include "bible/BibleImport.h"
#include "bible/PassageLookup.h"
#include "bible/SwordImport.h"
#include "bible/ZefaniaImport.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace bible;

namespace {

std::string s(const QString &text)
{
    return text.toStdString();
}

// The module of Debian's sword-text-web, installed by scripts/setup-debian.sh.
const QString kWebModule = u"engWEB2015eb"_s;

// Asked inside a TestEnvironment, whose program folder holds the SWORD plugin.
bool webModuleInstalled()
{
    EXPECT_EQ(s(swordUnavailableText()), "") << "the SWORD plugin is not in the program folder";
    const QList<SwordModule> modules = installedSwordBibles();
    return std::any_of(modules.cbegin(), modules.cend(),
                       [](const SwordModule &m) { return m.name == kWebModule; });
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

const QByteArray kZefania
    = "<?xml version='1.0' encoding='UTF-8'?>\n"
      "<XMLBIBLE biblename='Probe'><INFORMATION><title>Probe</title></INFORMATION>"
      "<BIBLEBOOK bnumber='41' bname='Markus'><CHAPTER cnumber='1'>"
      "<CAPTION>Johannes der Täufer</CAPTION>"
      "<VERS vnumber='1'>Dies ist der <STYLE css='x'>Anfang</STYLE> des Evangeliums"
      "<NOTE type='x-studynote'>Fußnote</NOTE>.</VERS>"
      "<VERS vnumber='2'>Zeile eins<BR art='x-nl'/>Zeile zwei<XREF fscope='Mal 3,1'/></VERS>"
      "</CHAPTER></BIBLEBOOK>"
      "<BIBLEBOOK bnumber='70'><CHAPTER cnumber='35'><VERS vnumber='16'>Sirach</VERS>"
      "</CHAPTER></BIBLEBOOK>"
      "<BIBLEBOOK bnumber='99'><CHAPTER cnumber='1'><VERS vnumber='1'>unbekannt</VERS>"
      "</CHAPTER></BIBLEBOOK></XMLBIBLE>\n";

const QByteArray kOsis = "<?xml version='1.0' encoding='UTF-8'?>\n"
                         "<osis><osisText><div type='book' osisID='John'>"
                         "<chapter osisID='John.3'><verse osisID='John.3.16'>Also hat Gott"
                         "</verse></chapter></div></osisText></osis>\n";

} // namespace

TEST(BibleImport, RecognisesZefaniaAndOsisByTheirContent)
{
    QTemporaryDir source;
    QTemporaryDir target;
    // The names say nothing: the content decides.
    writeFileBytes(source.path() + u"/bibel.dat"_s, kZefania);
    writeFileBytes(source.path() + u"/johannes.txt"_s, kOsis);

    ImportResult result = importBible(source.path() + u"/bibel.dat"_s, target.path());
    ASSERT_EQ(result.status, ImportStatus::Ok) << s(result.errorText);
    EXPECT_EQ(result.summary.books, 2);
    EXPECT_EQ(result.summary.verses, 3);
    EXPECT_EQ(result.summary.skippedBooks, QStringList { u"Zefania 99"_s });
    // Notes, cross references and captions dropped, a line break becomes a blank.
    EXPECT_EQ(readFileBytes(target.path() + u"/Mk.lib"_s),
              QByteArray("[Kapitel 1]\r\n1=Dies ist der Anfang des Evangeliums.\r\n"
                         "2=Zeile eins Zeile zwei\r\n"));
    EXPECT_EQ(readFileBytes(target.path() + u"/Sir.lib"_s),
              QByteArray("[Kapitel 35]\r\n16=Sirach\r\n"));

    result = importBible(source.path() + u"/johannes.txt"_s, target.path());
    ASSERT_EQ(result.status, ImportStatus::Ok) << s(result.errorText);
    EXPECT_EQ(entries(target.path()), QStringList { u"Joh.lib"_s });

    // The numbering of Zefania's books: the canon in its Protestant order, then the Apocrypha.
    const std::pair<int, const char *> numbers[]
        = { { 1, "Gen" },  { 39, "Mal" },   { 40, "Matt" }, { 66, "Rev" },
            { 67, "Jdt" }, { 76, "PrMan" }, { 0, "" },      { 77, "" } };
    for (const auto &[number, osisId] : numbers)
        EXPECT_EQ(s(osisIdOfZefaniaBook(number)), osisId) << number;

    writeFileBytes(source.path() + u"/kaputt.xml"_s, kZefania.left(300));
    result = importBible(source.path() + u"/kaputt.xml"_s, target.path());
    EXPECT_EQ(result.status, ImportStatus::BadInput);
    EXPECT_TRUE(result.errorText.contains(u"ist keine Zefania-Bibel: kein gültiges XML"_s))
        << s(result.errorText);
}

TEST(BibleImport, ReplacesTheBibleFilesAsAWholeOrNotAtAll)
{
    QTemporaryDir work;
    const QString target = work.path() + u"/Bibel"_s;
    writeFileBytes(target + u"/Mk.lib"_s, "[Kapitel 1]\r\n1=alt\r\n");
    writeFileBytes(target + u"/Ri.lib"_s, "[Kapitel 1]\r\n1=alt\r\n");
    writeFileBytes(work.path() + u"/bibel.xml"_s, kZefania);
    writeFileBytes(work.path() + u"/kaputt.xml"_s, kZefania.left(300));
    const QStringList before = entries(work.path());
    auto unchanged = [&] {
        EXPECT_EQ(entries(target), (QStringList { u"Mk.lib"_s, u"Ri.lib"_s }));
        EXPECT_EQ(readFileBytes(target + u"/Mk.lib"_s), QByteArray("[Kapitel 1]\r\n1=alt\r\n"));
        // No fresh or set-aside folder is left behind.
        EXPECT_EQ(entries(work.path()), before);
    };

    EXPECT_EQ(importBible(work.path() + u"/kaputt.xml"_s, target).status, ImportStatus::BadInput);
    unchanged();

    // Cancelled while reading, and after the first file is written.
    for (int callsBeforeCancel : { 0, 2 }) {
        int calls = 0;
        ImportControl control;
        control.cancelled = [&] { return calls++ >= callsBeforeCancel; };
        EXPECT_EQ(importBible(work.path() + u"/bibel.xml"_s, target, control).status,
                  ImportStatus::Cancelled);
        unchanged();
    }

    // A folder that holds anything else is never replaced.
    writeFileBytes(target + u"/notiz.txt"_s, "meins");
    EXPECT_EQ(importBible(work.path() + u"/bibel.xml"_s, target).status, ImportStatus::WriteFailed);
    EXPECT_EQ(readFileBytes(target + u"/notiz.txt"_s), QByteArray("meins"));
    QFile::remove(target + u"/notiz.txt"_s);

    // A finished import replaces everything: the book the new Bible lacks is gone.
    const ImportResult result = importBible(work.path() + u"/bibel.xml"_s, target);
    ASSERT_EQ(result.status, ImportStatus::Ok) << s(result.errorText);
    EXPECT_EQ(entries(target), (QStringList { u"Mk.lib"_s, u"Sir.lib"_s }));
    EXPECT_EQ(entries(work.path()), before);
}

TEST(BibleImport, NextLookupShowsTheNewTextAndTheOverlayCannotHideIt)
{
    TestEnvironment env;
    QTemporaryDir source;
    writeFileBytes(source.path() + u"/joh.xml"_s, kOsis);
    // An earlier Bible in the per-user overlay, read before the program folder's.
    writeFileBytes(programfolder::overlayDir() + u"/libs/Bibel/Joh.lib"_s,
                   "[Kapitel 3]\r\n16=alte Fassung\r\n");
    EXPECT_FALSE(lookUpPassage(u"Joh 3,16"_s).verseLines.value(0).contains(u"Also hat Gott"_s));
    EXPECT_TRUE(bibleInstalled());

    const ImportResult result = importBible(source.path() + u"/joh.xml"_s, QString());
    ASSERT_EQ(result.status, ImportStatus::Ok) << s(result.errorText);
    EXPECT_EQ(s(result.summary.writtenFiles.value(0)),
              s(env.programDir() + u"/libs/Bibel/Joh.lib"_s));
    EXPECT_EQ(lookUpPassage(u"Joh 3,16"_s).verseLines, QStringList { u"16) Also hat Gott "_s });
}

TEST(SwordImport, ImportsTheInstalledWorldEnglishBible)
{
    TestEnvironment env;
    if (!webModuleInstalled())
        GTEST_SKIP() << "Debian's sword-text-web is not installed (scripts/setup-debian.sh)";
    const QString target = env.programDir() + u"/libs/Bibel"_s;
    const ImportResult result = importSwordBible(kWebModule, QString());
    ASSERT_EQ(result.status, ImportStatus::Ok) << s(result.errorText);
    // The 66 books of the canon, the Apocrypha the program names, nothing written twice.
    EXPECT_GE(result.summary.books, 66);
    EXPECT_GE(result.summary.chapters, 1189);
    EXPECT_GE(result.summary.verses, 31000);
    for (const char *book : { "1. Mose", "Ps", "Mal", "Mt", "Offb", "Sir", "Tob" })
        EXPECT_TRUE(QFileInfo::exists(target + u'/' + QString::fromUtf8(book) + u".lib"_s)) << book;
    EXPECT_TRUE(lookUpPassage(u"Joh 3,16"_s)
                    .verseLines.value(0)
                    .startsWith(u"16) For God so loved the world"_s));
    EXPECT_EQ(lookUpPassage(u"Ps 119,1-176"_s).verseLines.size(), 176);
    EXPECT_FALSE(lookUpPassage(u"Ps 119,176"_s).verseLines.value(0).endsWith(u")  "_s));
    // The module's own numbering is kept: the English Bible ends Malachi with chapter 4.
    EXPECT_FALSE(lookUpPassage(u"Mal 4,1"_s).verseLines.value(0).endsWith(u")  "_s));
}

TEST(SwordImport, ToolListsModulesAndRejectsUnknownOnesWithoutWriting)
{
    TestEnvironment env;
    QTemporaryDir work;
    const QString target = work.path() + u"/Bibel"_s;
    auto run = [](const QStringList &args, QString *out, QString *err) {
        const CommandRun done = runBuiltCommand(u"pergolan-bibel-import"_s, args, 120000);
        *out = done.out;
        *err = done.err;
        return done.exitCode;
    };
    QString out;
    QString err;
    EXPECT_EQ(run({ u"--sword"_s, u"KeinSolchesModul"_s, target }, &out, &err), 2);
    EXPECT_TRUE(err.contains(u"Das SWORD-Modul KeinSolchesModul ist nicht installiert."_s))
        << s(err);
    EXPECT_FALSE(QFileInfo::exists(target));

    if (!webModuleInstalled())
        GTEST_SKIP() << "Debian's sword-text-web is not installed (scripts/setup-debian.sh)";
    EXPECT_EQ(run({ u"--sword-list"_s }, &out, &err), 0);
    EXPECT_TRUE(out.contains(kWebModule + u"\tWorld English Bible"_s)) << s(out);
    EXPECT_EQ(run({ u"--sword"_s, kWebModule, target }, &out, &err), 0) << s(err);
    EXPECT_TRUE(out.contains(u"Bücher mit"_s)) << s(out);
    EXPECT_TRUE(QFileInfo::exists(target + u"/Joh.lib"_s));
}

// Without the package pergolan-sword the command says how to get it and writes nothing.
TEST(SwordImport, ToolWithoutTheSwordPluginSaysWhichPackageBringsIt)
{
    QTemporaryDir work;
    const QString tool = work.path() + u"/pergolan-bibel-import"_s;
    ASSERT_TRUE(QFile::copy(builtProgramDir() + u"/pergolan-bibel-import"_s, tool));
    const QString target = work.path() + u"/Bibel"_s;
    const QString missing = u"SWORD-Bibelmodule lassen sich einlesen, sobald das Paket "
                            u"„pergolan-sword“ installiert ist."_s;
    for (const QStringList &args :
         { QStringList { u"--sword-list"_s }, QStringList { u"--sword"_s, kWebModule, target } }) {
        QProcess process;
        process.start(tool, args);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 2) << s(args.join(u' '));
        EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError()).contains(missing));
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(target));
}
