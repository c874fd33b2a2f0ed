#include "storage/Win1252Text.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Win1252Text, DecodesTheHighRangeAndLatin1)
{
    const QByteArray bytes("\x80 \x84\x93\x94 \x96 \xe4\xf6\xfc\xdf\xc4\xd6\xdc", 15);
    EXPECT_EQ(win1252::decode(bytes), QStringLiteral("€ „“” – äöüßÄÖÜ"));
}

TEST(Win1252Text, EncodesUnrepresentableCharactersAsQuestionMarks)
{
    EXPECT_EQ(win1252::encode(QStringLiteral("Buß- und Bettag – „Ω“ 😀")),
              QByteArray("Bu\xdf- und Bettag \x96 \x84?\x93 ?"));
}

TEST(Win1252Text, RoundTripsEveryWindows1252Byte)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(win1252::encode(win1252::decode(all)), all);
}

TEST(Win1252Text, SplitsLinesAtCrLfLfAndCr)
{
    EXPECT_EQ(win1252::splitLines(QStringLiteral("a\r\nb\nc\rd")),
              (QStringList { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                             QStringLiteral("d") }));
    // A final line ending starts no further line, but empty lines in between count.
    EXPECT_EQ(win1252::splitLines(QStringLiteral("a\r\n\r\n\n\rb\r\n")),
              (QStringList { QStringLiteral("a"), QString(), QString(), QString(),
                             QStringLiteral("b") }));
    EXPECT_TRUE(win1252::splitLines(QString()).isEmpty());
    // "\n\r" is two line endings, not one.
    EXPECT_EQ(win1252::splitLines(QStringLiteral("x\n\ry")).size(), 3);
}

TEST(Win1252Text, WritesCrLfAndReadsBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Glaubensbekenntnis.txt"));
    const QStringList lines { QStringLiteral("Ich glaube an Gott,"), QString(),
                              QStringLiteral("Amen.") };
    ASSERT_TRUE(win1252::writeLines(path, lines));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Ich glaube an Gott,\r\n\r\nAmen.\r\n"));
    QStringList read;
    ASSERT_TRUE(win1252::readLines(path, read));
    EXPECT_EQ(read, lines);
}

TEST(Win1252Text, FailedWriteKeepsTheEarlierFileAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nicht-da/datei.txt"));
    QString error;
    EXPECT_FALSE(win1252::writeLines(path, { QStringLiteral("x") }, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("datei.txt")));

    QStringList lines;
    EXPECT_FALSE(win1252::readLines(path, lines, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Die Datei")));
}
