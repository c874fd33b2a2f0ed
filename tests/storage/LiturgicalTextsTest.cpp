#include "storage/LiturgicalTexts.h"

#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using liturgicaltexts::Memo;

namespace {

struct BuiltInCase
{
    Memo memo;
    qsizetype lineCount;
    const char16_t *first;
    const char16_t *last;
    qsizetype emptyLine; // index of the one empty line, -1 for none
};

class BuiltInTextTest : public ::testing::TestWithParam<BuiltInCase>
{
};

TEST_P(BuiltInTextTest, HasItsLinesWithFirstAndLast)
{
    const BuiltInCase &c = GetParam();
    const QStringList text = liturgicaltexts::builtInText(c.memo);
    ASSERT_EQ(text.size(), c.lineCount);
    EXPECT_EQ(text.constFirst(), QString::fromUtf16(c.first));
    EXPECT_EQ(text.constLast(), QString::fromUtf16(c.last));
    for (qsizetype i = 0; i < text.size(); ++i) {
        EXPECT_EQ(text.at(i).isEmpty(), i == c.emptyLine) << "line " << i;
        if (text.at(i).trimmed().isEmpty()) {
            EXPECT_TRUE(text.at(i).isEmpty()) << "blank-only line " << i;
        }
        EXPECT_FALSE(text.at(i).endsWith(u' ')) << "line " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllMemos, BuiltInTextTest,
    ::testing::Values(
        BuiltInCase { Memo::Dialog1, 2,
                      u"L: Wir feiern diesen Gottesdienst im Namen des Vaters und des Sohnes und "
                      u"des Heiligen Geistes.",
                      u"G: Amen", -1 },
        BuiltInCase { Memo::Dialog2, 2, u"L: Unsere Hilfe steht im Namen des Herrn",
                      u"G: Der Himmel und Erde gemacht hat", -1 },
        BuiltInCase { Memo::Dialog3, 2, u"L: Der Herr sei mit euch!", u"G: Und mit deinem Geist!",
                      -1 },
        BuiltInCase { Memo::Credo, 22, u"Ich glaube an Gott den Vater, den Allmächtigen,", u"Amen.",
                      14 },
        BuiltInCase { Memo::VaterUnser, 14, u"Vater Unser im Himmel,", u"Amen.", -1 },
        BuiltInCase { Memo::Segen, 4, u"Der Herr segne dich und er behüte dich,", u"Amen.", -1 },
        BuiltInCase { Memo::GloriaPatri, 4,
                      u"Ehr sei dem Vater und dem Sohn und dem Heiligen Geist", u"Amen.", -1 },
        BuiltInCase { Memo::Kyrie, 6, u"Kyrie eleison.", u"   Herr, erbarm dich über uns.", -1 },
        BuiltInCase { Memo::GloriaExcelsis, 10, u"Ehre sei Gott in der Höhe und auf Erden Fried",
                      u"all Fehd hat nun ein Ende.", 2 }));

TEST(BuiltInText, CreedSeparatesTheThirdArticle)
{
    const QStringList credo = liturgicaltexts::builtInText(Memo::Credo);
    const qsizetype empty = credo.indexOf(QString());
    ASSERT_GT(empty, 0);
    EXPECT_EQ(credo.at(empty - 1), QStringLiteral("zu richten die Lebenden und die Toten."));
    EXPECT_EQ(credo.at(empty + 1), QStringLiteral("Ich glaube an den Heiligen Geist,"));
}

TEST(BuiltInText, KyrieAlternatesCallsAndIndentedResponses)
{
    const QStringList kyrie = liturgicaltexts::builtInText(Memo::Kyrie);
    ASSERT_EQ(kyrie.size(), 6);
    EXPECT_EQ(kyrie.at(0), QStringLiteral("Kyrie eleison."));
    EXPECT_EQ(kyrie.at(2), QStringLiteral("Christe eleison."));
    EXPECT_EQ(kyrie.at(4), QStringLiteral("Kyrie eleison."));
    for (const int response : { 1, 3, 5 }) {
        EXPECT_TRUE(kyrie.at(response).startsWith(QStringLiteral("   ")));
        EXPECT_NE(kyrie.at(response).at(3), u' ');
    }
}

TEST(BuiltInText, GloriaInExcelsisEndsWithTheHymnStanza)
{
    const QStringList gloria = liturgicaltexts::builtInText(Memo::GloriaExcelsis);
    ASSERT_EQ(gloria.size(), 10);
    EXPECT_EQ(gloria.at(3), QStringLiteral("Allein Gott in der Höh sei Ehr"));
}

TEST(StartupFiles, AreReadInTheirOrderWithExactNames)
{
    QStringList names;
    QList<Memo> memos;
    for (const auto &file : liturgicaltexts::startupFiles()) {
        names.append(QString::fromUtf16(file.fileName));
        memos.append(file.memo);
    }
    EXPECT_EQ(names,
              QStringList({ QStringLiteral("Glaubensbekenntnis.txt"),
                            QStringLiteral("gloriaexcelsis.txt"), QStringLiteral("gloriapatri.txt"),
                            QStringLiteral("kyrie.txt"), QStringLiteral("paternoster.txt"),
                            QStringLiteral("segen.txt") }));
    EXPECT_EQ(memos,
              QList<Memo>({ Memo::Credo, Memo::GloriaExcelsis, Memo::GloriaPatri, Memo::Kyrie,
                            Memo::VaterUnser, Memo::Segen }));
}

TEST(MemoLines, TextAndLinesConvertBothWays)
{
    const QList<QStringList> cases = {
        {},
        { QString() },
        { QStringLiteral("a") },
        { QStringLiteral("a"), QString() },
        { QString(), QStringLiteral("b") },
        { QStringLiteral("a"), QString(), QString() },
        { QStringLiteral("   eingerückt"), QStringLiteral("x ") },
    };
    for (const QStringList &lines : cases) {
        EXPECT_EQ(liturgicaltexts::memoLines(liturgicaltexts::memoText(lines)), lines)
            << lines.join(u'|').toStdString();
    }
    // A final line break typed by the user does not make another line.
    EXPECT_EQ(liturgicaltexts::memoLines(QStringLiteral("a\nb\n")),
              QStringList({ QStringLiteral("a"), QStringLiteral("b") }));
    EXPECT_TRUE(liturgicaltexts::memoLines(QString()).isEmpty());
}

TEST(TextFile, ReadsWindows1252InEveryLineEndingStyle)
{
    TestEnvironment env;
    const QList<QByteArray> endings = { "\r\n", "\n", "\r" };
    for (const QByteArray &eol : endings) {
        const QByteArray bytes = "Gr\xfc\xdf Gott \x80" + eol + eol + "   zweite" + eol + "letzte";
        env.writeProgramFile(QStringLiteral("Texte/probe.txt"), bytes);
        const QStringList lines = liturgicaltexts::readTextFile(
                                      liturgicaltexts::textFilePath(QStringLiteral("probe.txt")))
                                      .value();
        EXPECT_EQ(lines,
                  QStringList({ QStringLiteral("Grüß Gott €"), QString(),
                                QStringLiteral("   zweite"), QStringLiteral("letzte") }))
            << eol.toHex().toStdString();
    }
    // Mixed endings in one file.
    env.writeProgramFile(QStringLiteral("Texte/probe.txt"), "a\r\nb\nc\rd\r\n");
    EXPECT_EQ(liturgicaltexts::readTextFile(env.programDir() + QStringLiteral("/Texte/probe.txt"))
                  .value(),
              QStringList({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                            QStringLiteral("d") }));
}

TEST(TextFile, UnreadableFileFailsWithAGermanMessage)
{
    TestEnvironment env;
    QDir().mkpath(env.programDir() + QStringLiteral("/Texte/kyrie.txt"));
    const Result<QStringList> read
        = liturgicaltexts::readTextFile(env.programDir() + QStringLiteral("/Texte/kyrie.txt"));
    ASSERT_FALSE(read.ok()) << "a folder read as a text file";
    EXPECT_TRUE(read.error().contains(QStringLiteral("kyrie.txt"))) << read.error().toStdString();
}

TEST(TextFile, WritesWindows1252WithCrLfAndKeepsTheOldFileOnFailure)
{
    TestEnvironment env;
    const QString path = env.home() + QStringLiteral("/credo.txt");
    ASSERT_TRUE(
        liturgicaltexts::writeTextFile(
            path, { QStringLiteral("Ich glaube an Gott,"), QString(), QStringLiteral("Amen – ☧") })
            .ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Ich glaube an Gott,\r\n\r\nAmen \x96 ?\r\n"));
    file.close();

    EXPECT_FALSE(liturgicaltexts::writeTextFile(env.home() + QStringLiteral("/fehlt/x.txt"),
                                                { QStringLiteral("x") })
                     .ok());
}

} // namespace
