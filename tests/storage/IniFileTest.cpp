#include "storage/IniFile.h"

#include "storage/Win1252Text.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(IniFile, ReadsByTheSettingsFileRules)
{
    const IniFile ini = IniFile::fromText(QStringLiteral("ohne Abschnitt=wird ignoriert\r\n"
                                                         "[Allgemein]\r\n"
                                                         "  Name  =   Erntedank  \r\n"
                                                         "; Name=Kommentar\r\n"
                                                         "\r\n"
                                                         "keine Zuweisung\n"
                                                         "Name=zweiter Eintrag zählt nicht\r"
                                                         "[ lieder ]\n"
                                                         "KOLEKTENLIED=EG 331\n"
                                                         "Leer=\n"));
    EXPECT_EQ(ini.value(QStringLiteral("allgemein"), QStringLiteral("NAME")),
              QStringLiteral("Erntedank"));
    EXPECT_EQ(ini.value(QStringLiteral("Lieder"), QStringLiteral("Kolektenlied")),
              QStringLiteral("EG 331"));
    EXPECT_EQ(
        ini.value(QStringLiteral("Lieder"), QStringLiteral("Kollektenlied"), QStringLiteral("-")),
        QStringLiteral("-"));
    EXPECT_TRUE(ini.contains(QStringLiteral("Lieder"), QStringLiteral("leer")));
    EXPECT_EQ(ini.value(QStringLiteral("Lieder"), QStringLiteral("Leer"), QStringLiteral("x")),
              QString());
    EXPECT_EQ(ini.value(QStringLiteral("Fehlt"), QStringLiteral("Name"), QStringLiteral("Sonntag")),
              QStringLiteral("Sonntag"));
    EXPECT_FALSE(ini.contains(QStringLiteral("Allgemein"), QStringLiteral("ohne Abschnitt")));
}

TEST(IniFile, IntegerValuesFallBackToTheDefault)
{
    const IniFile ini = IniFile::fromText(
        QStringLiteral("[Format]\nSeitenformat=7\nMinus=-2\nText=quer\nLeer=\n"));
    EXPECT_EQ(ini.intValue(QStringLiteral("Format"), QStringLiteral("Seitenformat"), 1), 7);
    EXPECT_EQ(ini.intValue(QStringLiteral("Format"), QStringLiteral("Minus"), 1), -2);
    EXPECT_EQ(ini.intValue(QStringLiteral("Format"), QStringLiteral("Text"), 1), 1);
    EXPECT_EQ(ini.intValue(QStringLiteral("Format"), QStringLiteral("Leer"), 1), 1);
    EXPECT_EQ(ini.intValue(QStringLiteral("Format"), QStringLiteral("Fehlt"), 1), 1);
}

TEST(IniFile, WritesSectionsAndKeysInTheOrderSet)
{
    IniFile ini;
    ini.setValue(QStringLiteral("Format"), QStringLiteral("Seitenformat"), QStringLiteral("0"));
    ini.setValue(QStringLiteral("Kasualien"), QStringLiteral("Abendmahl"), QStringLiteral("1"));
    ini.setValue(QStringLiteral("Kasualien"), QStringLiteral("Taufe"), QStringLiteral("0"));
    ini.setValue(QStringLiteral("format"), QStringLiteral("SEITENFORMAT"), QStringLiteral("1"));
    ini.setValue(QStringLiteral("Allgemein"), QStringLiteral("Name"),
                 QStringLiteral("Buß- und Bettag"));
    EXPECT_EQ(ini.toBytes(),
              QByteArray("[Format]\r\nSeitenformat=1\r\n"
                         "[Kasualien]\r\nAbendmahl=1\r\nTaufe=0\r\n"
                         "[Allgemein]\r\nName=Bu\xdf- und Bettag\r\n"));
}

TEST(IniFile, SavesAndLoadsWindows1252Files)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2 Gründonnerstag.ini"));
    IniFile ini;
    ini.setValue(QStringLiteral("Texte"), QStringLiteral("Psalm"), QStringLiteral("Psalm 111"));
    ini.setValue(QStringLiteral("Lieder"), QStringLiteral("Wochenlied"),
                 QStringLiteral("Das Wort geht von dem Vater aus – EG 223"));
    const Result<> saved = ini.save(path);
    ASSERT_TRUE(saved) << saved.error().toStdString();

    const Result<IniFile> read = IniFile::read(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->value(QStringLiteral("lieder"), QStringLiteral("wochenlied")),
              QStringLiteral("Das Wort geht von dem Vater aus – EG 223"));
    const Result<IniFile> missing = IniFile::read(dir.filePath(QStringLiteral("fehlt.ini")));
    EXPECT_TRUE(missing.error().contains(QStringLiteral("fehlt.ini")));
}

TEST(IniFile, BinaryGarbageReadsAsNothingWithoutCrashing)
{
    QByteArray garbage;
    for (int i = 0; i < 100000; ++i)
        garbage.append(static_cast<char>((i * 7919) % 256));
    const IniFile ini = IniFile::fromText(win1252::decode(garbage));
    EXPECT_EQ(
        ini.value(QStringLiteral("Reihenfolge"), QStringLiteral("Anzahl"), QStringLiteral("0")),
        QStringLiteral("0"));
}

// Reading only some sections and keys gives for those exactly what reading the whole file gives,
// and nothing for the rest; sections and keys of any number are found without regard to case.
TEST(IniFile, ReadingWantedPartsKeepsTheRulesOfTheWholeFile)
{
    QString text = QStringLiteral("[Allgemein]\r\nName=Erntedank\r\nName=nicht dieser\r\n"
                                  "[Texte]\r\nPsalm=Psalm 104\r\n"
                                  "[ LIEDER ]\r\n Eingangslied = EG 324 \r\n"
                                  "[Reihenfolge]\r\nAnzahl=40\r\n");
    // A long list: its keys are found through a hash, the first of two equal ones counting.
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("Eintrag%1=Teil %1\r\n").arg(i);
    text += QStringLiteral(
        "EINTRAG7=doppelt\r\n[allgemein]\r\nPredigtreihe=4\r\nName=auch nicht\r\n");
    const QList<IniFile::Wanted> wanted = {
        { QStringLiteral("allgemein"), {} },
        { QStringLiteral("Lieder"), {} },
        { QStringLiteral("reihenfolge"),
          { QStringLiteral("anzahl"), QStringLiteral("Eintrag7"), QStringLiteral("Eintrag39") } }
    };
    const IniFile whole = IniFile::fromText(text);
    const IniFile part = IniFile::fromText(text, wanted);
    const struct
    {
        const char *section;
        const char *key;
        const char *value; // in the whole file
        bool kept; // in the wanted parts
    } cases[] = {
        { "Allgemein", "name", "Erntedank", true },
        { "ALLGEMEIN", "Predigtreihe", "4", true }, // a section written twice is one
        { "Texte", "Psalm", "Psalm 104", false },
        { "lieder", "EINGANGSLIED", "EG 324", true },
        { "Reihenfolge", "Anzahl", "40", true },
        { "Reihenfolge", "eintrag7", "Teil 7", true },
        { "Reihenfolge", "Eintrag39", "Teil 39", true },
        { "Reihenfolge", "Eintrag12", "Teil 12", false },
        { "Reihenfolge", "Eintrag40", "-", false },
    };
    for (const auto &c : cases) {
        const QString section = QString::fromUtf8(c.section);
        const QString key = QString::fromUtf8(c.key);
        const QString value = QString::fromUtf8(c.value);
        EXPECT_EQ(whole.value(section, key, QStringLiteral("-")), value) << c.section << c.key;
        EXPECT_EQ(part.value(section, key, QStringLiteral("-")),
                  c.kept ? value : QStringLiteral("-"))
            << c.section << c.key;
    }
    EXPECT_FALSE(part.hasSection(QStringLiteral("Texte")));
}

// Many sections, names beyond plain ASCII: found as their case-folded forms match.
TEST(IniFile, FindsManySectionsAndFoldedNames)
{
    QString text;
    for (int i = 0; i < 30; ++i)
        text += QStringLiteral("[Abschnitt %1]\nSchlüssel=%1\n").arg(i);
    text += QStringLiteral("[Übersicht]\nGröße=groß\n");
    const IniFile ini = IniFile::fromText(text);
    EXPECT_EQ(ini.value(QStringLiteral("abschnitt 0"), QStringLiteral("SCHLÜSSEL")),
              QStringLiteral("0"));
    EXPECT_EQ(ini.value(QStringLiteral("ABSCHNITT 29"), QStringLiteral("schlüssel")),
              QStringLiteral("29"));
    EXPECT_EQ(ini.value(QStringLiteral("übersicht"), QStringLiteral("GRÖßE")),
              QStringLiteral("groß"));
    EXPECT_EQ(ini.value(QStringLiteral("übersicht"), QStringLiteral("Grösse"), QStringLiteral("-")),
              QStringLiteral("-"));
    EXPECT_TRUE(ini.hasSection(QStringLiteral("ÜBERSICHT")));
}
