// The generator that turns the order of readings into the library's tables: a fault in the
// data file must stop the build with the line it is in, never slip into the tables.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct GeneratorRun
{
    int exitCode = -1;
    QString errors;
    QByteArray table;
};

GeneratorRun generate(const QByteArray &data)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(u"perikopen.txt"_s);
    const QString out = dir.filePath(u"tables.cpp"_s);
    QFile file(in);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return {};
    file.close();
    QProcess process;
    process.start(QStringLiteral(PERGOL_GENERATOR), { in, out });
    process.waitForFinished(30000);
    GeneratorRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromUtf8(process.readAllStandardError());
    QFile table(out);
    if (table.open(QIODevice::ReadOnly))
        run.table = table.readAll();
    return run;
}

// A complete day in the format of perikopen.txt.
QByteArray day(const QByteArray &name, const QByteArray &extra = {})
{
    return "[" + name + "]\n" + extra
        + "Farbe: grün\n"
          "Wochenspruch: Spruch (Mk 1,1)\n"
          "Psalm: Psalm 1,1-6\n"
          "Wochenlied: Lied\n"
          "AT-Lesung: Jes 40,1-11\n"
          "Epistel: Röm 1,1-7\n"
          "Evangelium: Mk 1,1-8\n"
          "I: Mk 1,1-8\nII: Röm 1,1-7\nIII: Jes 1,1-3\nIV: Jes 2,1-5\nV: Mt 1,1-17\n"
          "VI: Mt 2,1-12\n\n";
}

TEST(GenerateTables, WritesSortedWindows1252Tables)
{
    const GeneratorRun run
        = generate("# comment\n" + day("Zacharias") + day("Ärger", "Auch: Alias\n")
                   + "[Kopie]\nWie: Zacharias\nFarbe: rot\nWochenlied: -\nVI: „Text“ €\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    // Byte order: "Alias" < "Kopie" < "Zacharias" < "\304rger" (Ä is 0xC4).
    const auto alias = run.table.indexOf("{\"Alias\"");
    const auto copy = run.table.indexOf("{\"Kopie\"");
    const auto z = run.table.indexOf("{\"Zacharias\"");
    const auto ae = run.table.indexOf("{\"\\304rger\"");
    ASSERT_GE(alias, 0);
    EXPECT_LT(alias, copy);
    EXPECT_LT(copy, z);
    EXPECT_LT(z, ae);
    EXPECT_TRUE(run.table.contains("kDayCount = 4;"));
    // The copy takes over what it does not set itself, in Windows-1252.
    const QByteArray copied = run.table.mid(copy, z - copy);
    EXPECT_TRUE(copied.contains("\"33554687\"")) << copied.constData(); // red
    EXPECT_TRUE(copied.contains("\"Mk 1,1-8\""));
    EXPECT_TRUE(copied.contains("\"\",")) << "hymns left empty with \"-\"";
    EXPECT_TRUE(copied.contains("\"\\204Text\\223 \\200\"")) << copied.constData();
    EXPECT_TRUE(run.table.mid(z).contains("\"33587200\"")); // green
}

TEST(GenerateTables, RejectsFaultyData)
{
    struct Case
    {
        const char *what;
        QByteArray data;
        const char *message;
    };
    QByteArray noSeries = day("Tag");
    noSeries.replace("VI: Mt 2,1-12\n", "");
    QByteArray notWin1252 = day("Tag");
    notWin1252.replace("Lied", "Lied \xE2\x80\x8B"); // a zero-width space
    QByteArray badUtf8 = day("Tag");
    badUtf8.replace("Lied", "Lied \xC3");
    QByteArray noOldTestament = day("Tag");
    noOldTestament.replace("AT-Lesung: Jes 40,1-11\n", "");
    QByteArray emptyPsalm = day("Tag");
    emptyPsalm.replace("Psalm: Psalm 1,1-6", "Psalm: -");
    const QList<Case> cases = {
        { "missing series", noSeries, ":1: Tag: no VI" },
        { "missing Old Testament reading", noOldTestament, ":1: Tag: no AT-Lesung" },
        { "unknown key", day("Tag") + "Predigt: x\n", ":16: unknown key Predigt" },
        { "unknown colour", "[Tag]\nFarbe: blau\n", ":2: unknown colour blau" },
        { "no Windows-1252 form", notWin1252, "Wochenlied is not Windows-1252 text" },
        { "broken UTF-8", badUtf8, "Wochenlied is not Windows-1252 text" },
        { "name twice", day("Tag") + day("Anderer", "Auch: Tag\n"), "the name Tag is given twice" },
        { "copy of nothing", "[Tag]\nWie: Niemand\n", "names no day with propers: Niemand" },
        { "copy of itself", "[Tag]\nWie: Tag\n", "names no day with propers: Tag" },
        { "line outside a day", "Farbe: grün\n", ":1: a line outside of any day" },
        { "field twice", day("Tag", "Psalm: Psalm 2\n"), "Psalm given twice" },
        { "a reading left empty", emptyPsalm, "only the hymns may be left empty" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const GeneratorRun run = generate(c.data);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.message))) << run.errors.toStdString();
    }
}

} // namespace
