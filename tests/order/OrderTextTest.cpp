// The order text from the texts of a day: which lines each element writes, in which format,
// and the one empty line after every block.
#include "order/OrderText.h"

#include "base/TextTrim.h"
#include "order/OccasionalServices.h"

#include "tests/order/OrderTextCases.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace ordertexttest;

namespace {

struct TextFile
{
    QString name;
    QByteArray bytes;
};

struct Case
{
    const char *title;
    QStringList sequence;
    std::function<void(ordertext::OrderInput &)> prepare; // may be empty
    QList<TextFile> files;
    const char *expected; // the lines after the heading
};

QStringList names(const char *list)
{
    return QString::fromUtf8(list).split(u'|');
}

void setDay(ordertext::OrderInput &in, const char *name, int colour)
{
    in.dayPanelCaption = QStringLiteral("   ") + QString::fromUtf8(name);
    in.colour = colour;
}

const int kGreen = ordertext::colourFromRgb(0, 128, 0);
const int kRed = ordertext::colourFromRgb(255, 0, 0);

const QList<Case> &cases()
{
    static const QList<Case> all = {
        { "empty list: the heading only", {}, {}, {}, "" },
        { "hymns, readings and greeting",
          names("Begrüßung mit Wochenspruch|Eingangslied|Wochenlied|Vorpredigtslied|Kollektenlied|"
                "Ausgangslied|Predigt|Abkündigungen"),
          {},
          {},
          R"(R|Begrüßung mit dem Wochenspruch: Heilig, heilig, heilig ist der HERR Zebaoth (Jes 6,3)
R|
R|Lied: EG 139,1-5
R|
R|Lied: EG 126
R|
R|Lied: EG 165
R|
R|Lied: EG 331 (Sammlung der Kollekte)
R|
R|Lied: EG 421
R|
R|Predigt: Jes 6,1-13
R|
R|Abkündigungen
R|
)" },
        { "dialogues, psalm, Kyrie and both Glorias on a white day",
          names("1. Dialog|2. Dialog|3. Dialog|Psalm|Gloria Patri|Kyrie|Gloria Excelsis"),
          {},
          {},
          R"(R|L: Im Namen des Vaters
R|G: Amen
R|
R|L: Unsere Hilfe
R|G: Der Himmel
R|
R|L: Der Herr sei mit euch!
R|G: Und mit deinem Geist!
R|
R|Ps 113
R|
R|Ehr sei dem Vater
R|Amen.
R|
R|Kyrie eleison.
R|   Herr, erbarme dich.
R|
R|Ehre sei Gott
R|
R|all Fehd hat nun ein Ende.
R|
)" },
        { "readings with their responses on a green day",
          names("Epistel|Evangelium"),
          [](auto &in) { in.colour = kGreen; },
          {},
          R"(R|Epistel: Röm 11,33-36
R|Halleluja!
R|
R|Ehr sei dir Herre!
R|Evangelium: Joh 3,1-8
R|Lob sei dir Christe!
R|
)" },
        { "collect, creed, intercessions, Lord's Prayer and blessing",
          names("Tagesgebet|Glaubensbekenntnis|Fürbitte|Vaterunser|Ausgangslied|Segen"),
          {},
          {},
          R"(R|Tagesgebet
I|<dem Lektionar entnehmen>
R|
B|Glaubensbekenntnis:
R|Ich glaube an Gott,
R|
R|Amen.
R|
B|Fürbitte:
I|<selbst einfügen>
R|
R|Gemeinsam beten wir:
R|Vater Unser im Himmel,
R|Amen.
R|
R|Lied: EG 421
R|
B|Segen:
R|Der Herr segne dich
R|Amen.
R|Orgelnachspiel
R|
)" },
        { "Palmsonntag: no Gloria Patri, not even an empty line",
          names("Psalm|Gloria Patri|Kyrie"),
          [](auto &in) { setDay(in, "Palmsonntag", ordertext::kViolet); },
          {},
          R"(R|Ps 113
R|
R|Kyrie eleison.
R|   Herr, erbarme dich.
R|
)" },
        { "Gründonnerstag: no Gloria Patri on a white day",
          names("Gloria Patri|Gloria Excelsis"),
          [](auto &in) { setDay(in, "Gründonnerstag", ordertext::colourFromRgb(255, 255, 255)); },
          {},
          R"(R|Ehre sei Gott
R|
R|all Fehd hat nun ein Ende.
R|
)" },
        { "a day's name is compared exactly: palmsonntag keeps the Gloria Patri",
          names("Gloria Patri"),
          [](auto &in) { setDay(in, "palmsonntag", kGreen); },
          {},
          R"(R|Ehr sei dem Vater
R|Amen.
R|
)" },
        { "black: neither Gloria, no Halleluja",
          names("Gloria Patri|Gloria Excelsis|Epistel|Kyrie"),
          [](auto &in) { setDay(in, "Karfreitag", ordertext::kBlack); },
          {},
          R"(R|Epistel: Röm 11,33-36
R|
R|Kyrie eleison.
R|   Herr, erbarme dich.
R|
)" },
        { "black named 1. Advent: still no Gloria in excelsis",
          names("Gloria Excelsis"),
          [](auto &in) { setDay(in, "1. Advent", ordertext::kBlack); },
          {},
          "" },
        { "violet: Gloria Patri yes, Gloria in excelsis and Halleluja no",
          names("Gloria Patri|Gloria Excelsis|Epistel"),
          [](auto &in) { setDay(in, "Invokavit", ordertext::kViolet); },
          {},
          R"(R|Ehr sei dem Vater
R|Amen.
R|
R|Epistel: Röm 11,33-36
R|
)" },
        { "violet 1. Advent: the Gloria in excelsis, but no Halleluja",
          names("Gloria Excelsis|Epistel"),
          [](auto &in) { setDay(in, "1. Advent", ordertext::kViolet); },
          {},
          R"(R|Ehre sei Gott
R|
R|all Fehd hat nun ein Ende.
R|
R|Epistel: Röm 11,33-36
R|
)" },
        { "violet 1. Sonntag im Advent: no Gloria in excelsis",
          names("Gloria Excelsis"),
          [](auto &in) { setDay(in, "1. Sonntag im Advent", ordertext::kViolet); },
          {},
          "" },
        { "red: both Glorias and Halleluja",
          names("Gloria Patri|Gloria Excelsis|Epistel"),
          [](auto &in) { setDay(in, "Pfingstsonntag", kRed); },
          {},
          R"(R|Ehr sei dem Vater
R|Amen.
R|
R|Ehre sei Gott
R|
R|all Fehd hat nun ein Ende.
R|
R|Epistel: Röm 11,33-36
R|Halleluja!
R|
)" },
        { "empty fields keep their fixed words",
          names("Eingangslied|Psalm|Begrüßung mit Wochenspruch|Kollektenlied"),
          [](auto &in) {
              in.eingangslied.clear();
              in.psalm.clear();
              in.wochenspruch.clear();
              in.kollektenlied.clear();
          },
          {},
          R"(R|Lied: 
R|
R|
R|Begrüßung mit dem Wochenspruch: 
R|
R|Lied:  (Sammlung der Kollekte)
R|
)" },
        { "a field of blanks counts as empty for the closing line",
          names("Psalm|Predigt"),
          [](auto &in) { in.psalm = QStringLiteral("   "); },
          {},
          R"(R|   
R|Predigt: Jes 6,1-13
R|
)" },
        { "empty memos leave no trace; a memo ending in an empty line gets no second one",
          names("Kyrie|1. Dialog|Vaterunser|Segen"),
          [](auto &in) {
              in.kyrie.clear();
              in.dialog1 = { QStringLiteral("L: Friede sei mit euch"), QStringLiteral("   ") };
              in.vaterUnser.clear();
              in.segen.clear();
          },
          {},
          R"(R|L: Friede sei mit euch
R|   
R|Gemeinsam beten wir:
R|
B|Segen:
R|Orgelnachspiel
R|
)" },
        { "names are matched exactly: predigt and a trailing blank go to the text folder",
          names("predigt|Predigt |PSALM"),
          {},
          {},
          R"(R|predigt
R|
R|Predigt 
R|
R|PSALM
R|
)" },
        { "predigt with its own text file",
          names("predigt|Predigt"),
          {},
          { { QStringLiteral("predigt.txt"), "Predigt in der Stille\r\n" } },
          R"(B|predigt:
R|Predigt in der Stille
R|
R|Predigt: Jes 6,1-13
R|
)" },
        { "a damaged entry without its file",
          names("Datei beschädigt"),
          {},
          {},
          R"(R|Datei beschädigt
R|
)" },
        { "a damaged entry with its file",
          names("Datei beschädigt"),
          {},
          { { QString::fromUtf8("datei beschädigt.txt"), "Bitte die Liste neu aufbauen." } },
          R"(B|Datei beschädigt:
R|Bitte die Liste neu aufbauen.
R|
)" },
        { "only A to Z are lowered: the capital Ü stays in the file name",
          names("Übergabe der Bibel|Ähre"),
          {},
          { { QString::fromUtf8("Übergabe der bibel.txt"), "Nimm und lies." },
            // Lowered umlaut: not the file of "Ähre".
            { QString::fromUtf8("ähre.txt"), "falsch" } },
          R"(B|Übergabe der Bibel:
R|Nimm und lies.
R|
R|Ähre
R|
)" },
        { "text files in each line-ending style, Windows-1252",
          names("Glockengeläut|Musik zum Eingang|Sündenbekenntnis|Gnadenzusage"),
          {},
          { { QString::fromUtf8("glockengeläut.txt"),
              "Die Glocken l\xe4uten.\r\n\r\n   Stille\r\n" },
            { QStringLiteral("musik zum eingang.txt"), "Orgel\nPosaunenchor \x96 Choral\n" },
            { QString::fromUtf8("sündenbekenntnis.txt"), "Wir bekennen\rvor Gott\r" },
            { QStringLiteral("gnadenzusage.txt"), "Gott ist treu.\r\nEr vergibt.\nAmen.\r" } },
          R"(B|Glockengeläut:
R|Die Glocken läuten.
R|
R|   Stille
R|
B|Musik zum Eingang:
R|Orgel
R|Posaunenchor – Choral
R|
B|Sündenbekenntnis:
R|Wir bekennen
R|vor Gott
R|
B|Gnadenzusage:
R|Gott ist treu.
R|Er vergibt.
R|Amen.
R|
)" },
        { "an empty text file gives its heading alone; a final empty line is not doubled",
          names("Taufgebet|Tauflied"),
          {},
          { { QStringLiteral("taufgebet.txt"), "" },
            { QStringLiteral("tauflied.txt"), "EG 200\r\n\r\n" } },
          R"(B|Taufgebet:
R|
B|Tauflied:
R|EG 200
R|
)" },
        { "an element whose name holds a folder reads no file there",
          names("Gebete/geheim"),
          {},
          { { QStringLiteral("gebete/geheim.txt"), "geheim\r\n" } },
          R"(R|Gebete/geheim
R|
)" },
        { "the same element twice writes its block twice",
          names("Kyrie|Kyrie|Eingangslied|Eingangslied"),
          {},
          {},
          R"(R|Kyrie eleison.
R|   Herr, erbarme dich.
R|
R|Kyrie eleison.
R|   Herr, erbarme dich.
R|
R|Lied: EG 139,1-5
R|
R|Lied: EG 139,1-5
R|
)" },
        { "the longest list without text files", longestSequence(), {}, {}, kLongestWithoutFiles },
    };
    return all;
}

ordertext::OrderText generateIn(const QTemporaryDir &folder, ordertext::OrderInput in)
{
    const QString dir = folder.path();
    in.textFilePath = [dir](const QString &fileName) { return dir + u'/' + fileName; };
    return ordertext::generate(in);
}

TEST(OrderText, GoldenCases)
{
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.title);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        for (const TextFile &file : c.files)
            writeFileBytes(folder.path() + u'/' + file.name, file.bytes);
        ordertext::OrderInput in = trinitatis();
        in.sequence = c.sequence;
        if (c.prepare)
            c.prepare(in);
        const ordertext::OrderText text = generateIn(folder, in);
        EXPECT_TRUE(text.error.isEmpty()) << text.error.toStdString();
        ASSERT_GE(text.lines.size(), 3);
        // The heading carries the trimmed day name of each case.
        EXPECT_EQ(text.lines.at(0).text, trimControl(in.dayPanelCaption));
        EXPECT_EQ(encode(text.lines.mid(3)).toStdString(), c.expected);
    }
}

TEST(OrderText, HeadingIsTheDayTheDateAndTheSeries)
{
    QTemporaryDir folder;
    const ordertext::OrderText text = generateIn(folder, trinitatis());
    EXPECT_EQ(encode(text.lines).toStdString(), kHeading);

    ordertext::OrderInput in = trinitatis();
    in.dayPanelCaption = QStringLiteral("   2. Sonntag nach Trinitatis\t ");
    in.dayEntry = QStringLiteral("14.06.2026 - 2. Sonntag nach Trinitatis");
    in.series = QStringLiteral("6");
    const ordertext::OrderText other = generateIn(folder, in);
    EXPECT_EQ(encode(other.lines).toStdString(),
              "H|2. Sonntag nach Trinitatis\n"
              "H|14.06.2026, Predigtreihe 6\n"
              "H|\n");
}

TEST(OrderText, LongestListIsTheBasicFormWithAllFourServices)
{
    EXPECT_EQ(longestSequence(),
              occasional::rebuildSequence(0, { true, true, true, true }).entries());
    EXPECT_EQ(longestSequence().size(), 42);
}

TEST(OrderText, LongestListWithTextFilesPresent)
{
    QTemporaryDir folder;
    writeFileBytes(folder.path() + QString::fromUtf8("/glockengeläut.txt"), "Glocken\r\n");
    writeFileBytes(folder.path() + QString::fromUtf8("/segnung der täuflingseltern.txt"),
                   "Gott segne euch als Eltern.\nAmen.");
    writeFileBytes(folder.path() + QString::fromUtf8("/grußworte.txt"),
                   "Gru\xdfworte der Gemeinde\r");
    writeFileBytes(folder.path() + QStringLiteral("/agnus dei.txt"), "Christe, du Lamm Gottes\r\n");
    writeFileBytes(folder.path() + QStringLiteral("/schuldbekenntnis.txt"), "");
    ordertext::OrderInput in = trinitatis();
    in.sequence = longestSequence();

    QString expected = QString::fromUtf8(kHeading) + QString::fromUtf8(kLongestWithoutFiles);
    const auto replace = [&expected](const char *from, const char *to) {
        ASSERT_TRUE(expected.contains(QString::fromUtf8(from))) << from;
        expected.replace(QString::fromUtf8(from), QString::fromUtf8(to));
    };
    replace("R|Glockengeläut\n", "B|Glockengeläut:\nR|Glocken\n");
    replace("R|Segnung der Täuflingseltern\n",
            "B|Segnung der Täuflingseltern:\nR|Gott segne euch als Eltern.\nR|Amen.\n");
    replace("R|Grußworte\n", "B|Grußworte:\nR|Grußworte der Gemeinde\n");
    replace("R|Agnus Dei\n", "B|Agnus Dei:\nR|Christe, du Lamm Gottes\n");
    replace("R|Schuldbekenntnis\n", "B|Schuldbekenntnis:\n");

    const ordertext::OrderText text = generateIn(folder, in);
    EXPECT_TRUE(text.error.isEmpty());
    EXPECT_EQ(encode(text.lines), expected);
}

TEST(OrderText, UnreadableTextFileStopsWithWhatWasWrittenSoFar)
{
    QTemporaryDir folder;
    // Exists, but is a folder.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("taufgebet.txt")));
    ordertext::OrderInput in = trinitatis();
    in.sequence = names("Eingangslied|Taufgebet|Predigt");
    const ordertext::OrderText text = generateIn(folder, in);
    EXPECT_TRUE(text.error.contains(QStringLiteral("taufgebet.txt"))) << text.error.toStdString();
    EXPECT_EQ(encode(text.lines).toStdString(), std::string(kHeading) + "R|Lied: EG 139,1-5\nR|\n");
}

TEST(OrderText, WithoutTextFolderEveryOtherNameIsWrittenBare)
{
    ordertext::OrderInput in = trinitatis();
    in.sequence = names("Glockengeläut|Tauflied");
    const ordertext::OrderText text = ordertext::generate(in);
    EXPECT_EQ(encode(text.lines.mid(3)).toStdString(), "R|Glockengeläut\nR|\nR|Tauflied\nR|\n");
}

TEST(OrderText, FileNameLowersOnlyAToZ)
{
    EXPECT_EQ(ordertext::textFileName(QStringLiteral("Musik zum Eingang")),
              QStringLiteral("musik zum eingang.txt"));
    EXPECT_EQ(ordertext::textFileName(QStringLiteral("Segnung der Täuflingseltern")),
              QStringLiteral("segnung der täuflingseltern.txt"));
    EXPECT_EQ(ordertext::textFileName(QStringLiteral("ÄÖÜ ÉZ ß 1.")),
              QStringLiteral("ÄÖÜ Éz ß 1..txt"));
}

TEST(OrderText, ColourFromRgbHasTheLibrarysLayout)
{
    EXPECT_EQ(ordertext::colourFromRgb(0xAA, 0x00, 0xAA), ordertext::kViolet);
    EXPECT_EQ(ordertext::colourFromRgb(0, 0, 0), ordertext::kBlack);
    EXPECT_EQ(ordertext::colourFromRgb(0xFF, 0xFF, 0xFF), 0x02FFFFFF);
    EXPECT_EQ(ordertext::colourFromRgb(0x12, 0x34, 0x56), 0x02563412);
}

} // namespace
