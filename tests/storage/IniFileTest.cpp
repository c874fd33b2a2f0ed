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
