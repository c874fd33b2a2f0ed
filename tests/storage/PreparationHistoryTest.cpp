// The saved preparations read from the data folder, the hymn key that counts hymns together,
// and the companion command pergolan-lieder.
#include "storage/PreparationHistory.h"
#include "storage/HymnCsv.h"
#include "storage/HymnKey.h"
#include "storage/Win1252Text.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

TEST(HymnKey, CountsHymnBookNumbersTogetherAndOtherTextsByText)
{
    const struct
    {
        const char *hymn;
        const char *label;
    } cases[] = {
        { "EG 99", "EG 99" },
        { "EG 99,1-3", "EG 99" },
        { "EG 99 Christ ist erstanden", "EG 99" },
        { "  EG   099.1  ", "EG 99" },
        { "EG99", "EG 99" },
        { "GL 140, 1+2", "GL 140" },
        { "EGplus 12", "EGplus 12" },
        { "EG 99a", "EG 99a" }, // a regional addition is another hymn
        { "EG 1234567", "EG 1234567" },
        { "Christ ist erstanden", "Christ ist erstanden" },
        { "Nun  danket alle   Gott", "Nun danket alle Gott" },
        { "99", "99" },
        { "   ", "" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(hymnkey::label(QString::fromUtf8(c.hymn)), QString::fromUtf8(c.label)) << c.hymn;
    EXPECT_EQ(hymnkey::key(QStringLiteral("eg 99,2")), hymnkey::key(QStringLiteral("EG 99")));
    EXPECT_NE(hymnkey::key(QStringLiteral("EG 9")), hymnkey::key(QStringLiteral("EG 99")));
}

TEST(HymnKey, SortsByBookThenNumberThenTheRest)
{
    const QStringList sorted = { QStringLiteral("Christ ist erstanden"),
                                 QStringLiteral("EG 1"),
                                 QStringLiteral("eg 16"),
                                 QStringLiteral("EG 99"),
                                 QStringLiteral("EG 99,1-3"),
                                 QStringLiteral("EG 99a"),
                                 QStringLiteral("EG 147"),
                                 QStringLiteral("EGplus 2"),
                                 QStringLiteral("GL 140"),
                                 QStringLiteral("Nun danket alle Gott") };
    QStringList shuffled = { sorted.at(6), sorted.at(2), sorted.at(9), sorted.at(4), sorted.at(0),
                             sorted.at(7), sorted.at(3), sorted.at(8), sorted.at(5), sorted.at(1) };
    std::stable_sort(shuffled.begin(), shuffled.end(), [](const QString &a, const QString &b) {
        return hymnkey::sortKey(a) < hymnkey::sortKey(b);
    });
    EXPECT_EQ(shuffled, sorted);
}

// A data folder with preparations of known dates, written as the program writes them.
class DataFolder : public ::testing::Test
{
protected:
    void write(const QString &relative, const QString &name, const QString &series,
               const QStringList &hymns, const QDate &saved, const QString &extra = {},
               const QString &dayStamp = {})
    {
        QString text = QStringLiteral("[Allgemein]\nName=%1\nPredigtreihe=%2\n").arg(name, series);
        if (!dayStamp.isEmpty())
            text += QStringLiteral("Datum=") + dayStamp + u'\n';
        text += QStringLiteral("[Texte]\nPredigttext=Mk 16,1-8\n[Lieder]\n");
        const QStringList keys = { QStringLiteral("Eingangslied"), QStringLiteral("Wochenlied"),
                                   QStringLiteral("Vorpredigtslied"),
                                   QStringLiteral("Kolektenlied"), QStringLiteral("Ausgangslied") };
        for (int i = 0; i < hymns.size(); ++i)
            text += keys.at(i) + u'=' + hymns.at(i) + u'\n';
        text += extra;
        writeRaw(relative, win1252::encode(win1252::joinLines(win1252::splitLines(text))), saved);
    }

    void writeRaw(const QString &relative, const QByteArray &bytes, const QDate &saved)
    {
        const QString path = dir.filePath(relative);
        writeFileBytes(path, bytes);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime(saved, QTime(10, 0)), QFileDevice::FileModificationTime));
    }

    // The folder of the command's golden output.
    void fill()
    {
        write(QStringLiteral("2/2 Ostersonntag.ini"), QStringLiteral("Ostersonntag"),
              QStringLiteral("2"),
              { QStringLiteral("EG 99,1-3"),
                QStringLiteral("EG 103"),
                {},
                QStringLiteral("Er ist erstanden; Halleluja"),
                QStringLiteral("EG 99") },
              QDate(2026, 4, 5));
        write(QStringLiteral("1/Archiv/1 Ostersonntag.ini"), QStringLiteral("Ostersonntag"),
              QStringLiteral("1"),
              { QStringLiteral("EG 99 Christ ist erstanden"), QStringLiteral("Das \"Osterlied\"") },
              QDate(2025, 4, 20));
        write(QStringLiteral("1/1 Trinitatis.ini"), QStringLiteral("Trinitatis"),
              QStringLiteral("1"), { QStringLiteral("EG 139") }, QDate(2025, 6, 15));
        // Damaged: the sequence count is no number.
        write(QStringLiteral("3/3 Erntedank.ini"), QStringLiteral("Erntedank"), QStringLiteral("3"),
              { QStringLiteral("EG 508") }, QDate(2026, 10, 4),
              QStringLiteral("[Reihenfolge]\nAnzahl=viele\n"));
        // Not where preparations are kept.
        write(QStringLiteral("2/Predigten/2 Ostersonntag.ini"), QStringLiteral("Ostersonntag"),
              QStringLiteral("2"), { QStringLiteral("EG 1") }, QDate(2026, 4, 5));
        write(QStringLiteral("7/7 Ostersonntag.ini"), QStringLiteral("Ostersonntag"),
              QStringLiteral("7"), { QStringLiteral("EG 2") }, QDate(2026, 4, 5));
    }

    QTemporaryDir temp;
    QDir dir { temp.path() };
};

TEST_F(DataFolder, ReadsTheSeriesFoldersAndArchivesAndCountsDamagedFiles)
{
    fill();
    const history::Scan scan = history::scanDataFolder(temp.path());
    QStringList read;
    for (const auto &saved : scan.preparations)
        read << saved.relativePath;
    EXPECT_EQ(read,
              (QStringList { QStringLiteral("1/1 Trinitatis.ini"),
                             QStringLiteral("1/Archiv/1 Ostersonntag.ini"),
                             QStringLiteral("2/2 Ostersonntag.ini") }));
    EXPECT_EQ(scan.unreadable, QStringList { QStringLiteral("3/3 Erntedank.ini") });

    const QList<history::SavedPreparation> easter
        = history::preparationsOfDay(scan, QStringLiteral("Ostersonntag"));
    ASSERT_EQ(easter.size(), 2);
    EXPECT_EQ(easter.at(0).preparation.series, QStringLiteral("2")); // latest first
    EXPECT_EQ(easter.at(1).preparation.eingangslied, QStringLiteral("EG 99 Christ ist erstanden"));

    // The period takes the files' dates, both ends included.
    const auto uses = history::hymnUses(scan, QDate(2025, 6, 15), QDate(2026, 4, 5));
    QStringList hymns;
    for (const auto &use : uses)
        hymns << use.hymn;
    EXPECT_EQ(hymns,
              (QStringList {
                  QStringLiteral("EG 139"), QStringLiteral("EG 99,1-3"), QStringLiteral("EG 103"),
                  QStringLiteral("Er ist erstanden; Halleluja"), QStringLiteral("EG 99") }));

    const QList<history::HymnCount> counts = history::countHymns(history::hymnUses(scan));
    ASSERT_FALSE(counts.isEmpty());
    EXPECT_EQ(counts.first().hymn, QStringLiteral("EG 99"));
    EXPECT_EQ(counts.first().count, 3);
    EXPECT_EQ(counts.first().days,
              (QStringList { QStringLiteral("Ostersonntag (20.04.2025)"),
                             QStringLiteral("Ostersonntag (05.04.2026)"),
                             QStringLiteral("Ostersonntag (05.04.2026)") }));
    EXPECT_EQ(counts.size(), 5);
}

TEST_F(DataFolder, TheServiceDateOrdersAndFiltersWhereTheFileKeepsIt)
{
    // Christmas Eve prepared on 8 December; a file of an older version keeps no date and
    // goes by the day it was saved; a date that is none counts as missing.
    write(QStringLiteral("2/2 Christvesper.ini"), QStringLiteral("Christvesper"),
          QStringLiteral("2"), { QStringLiteral("EG 24") }, QDate(2026, 12, 8), {},
          QStringLiteral("20261224"));
    write(QStringLiteral("2/Archiv/2 Christvesper.ini"), QStringLiteral("Christvesper"),
          QStringLiteral("2"), { QStringLiteral("EG 27") }, QDate(2026, 12, 10));
    write(QStringLiteral("1/Archiv/1 Christvesper.ini"), QStringLiteral("Christvesper"),
          QStringLiteral("1"), { QStringLiteral("EG 24") }, QDate(2020, 12, 1), {},
          QStringLiteral("20201324"));
    const history::Scan scan = history::scanDataFolder(temp.path());

    const auto eve = history::preparationsOfDay(scan, QStringLiteral("Christvesper"));
    ASSERT_EQ(eve.size(), 3);
    EXPECT_EQ(eve.at(0).serviceDate(), QDate(2026, 12, 24));
    EXPECT_EQ(eve.at(0).saved.date(), QDate(2026, 12, 8));
    EXPECT_FALSE(eve.at(1).serviceDate().isValid());
    EXPECT_EQ(eve.at(1).effectiveDate(), QDate(2026, 12, 10));
    EXPECT_FALSE(eve.at(2).serviceDate().isValid());

    // A period ending before Christmas leaves out the service held on the 24th.
    QStringList hymns;
    for (const auto &use : history::hymnUses(scan, QDate(2026, 12, 1), QDate(2026, 12, 20)))
        hymns << use.hymn;
    EXPECT_EQ(hymns, QStringList { QStringLiteral("EG 27") });
    const auto counts = history::countHymns(history::hymnUses(scan, QDate(2026, 12, 1), {}));
    ASSERT_EQ(counts.size(), 2);
    EXPECT_EQ(counts.at(0).days, QStringList { QStringLiteral("Christvesper (24.12.2026)") });
}

TEST_F(DataFolder, MissingSeriesFoldersAreNoError)
{
    const history::Scan scan = history::scanDataFolder(temp.path() + QStringLiteral("/fehlt"));
    EXPECT_TRUE(scan.preparations.isEmpty());
    EXPECT_TRUE(scan.unreadable.isEmpty());
}

CommandRun runLieder(const QStringList &arguments)
{
    return runBuiltCommand(QStringLiteral("pergolan-lieder"), arguments);
}

TEST_F(DataFolder, LiederCommandWritesTheGoldenCsv)
{
    fill();
    const CommandRun run = runLieder({ temp.path() });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.outBytes,
              readFileBytes(QStringLiteral(PERGOLAN_SOURCE_DIR "/tests/storage/data/lieder.csv")));
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("1 Datei konnte nicht gelesen werden")))
        << run.err.toStdString();
}

TEST_F(DataFolder, LiederCommandRefusesAMissingFolder)
{
    const CommandRun run = runLieder({ temp.path() + QStringLiteral("/fehlt") });
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.outBytes.isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("existiert nicht"))) << run.err.toStdString();
}

} // namespace

// Every text field is quoted, so that a spreadsheet splitting at commas (as Calc's import
// dialog does by default) reads the same columns; what would start a formula stays text.
TEST(HymnCsv, TextFieldsAreQuotedAndFormulasStayText)
{
    const struct
    {
        QString text;
        QString field;
    } cases[] = {
        { QStringLiteral("EG 1"), QStringLiteral("\"EG 1\"") },
        { QStringLiteral("EG 11,1-4"), QStringLiteral("\"EG 11,1-4\"") },
        { QStringLiteral("a;b"), QStringLiteral("\"a;b\"") },
        { QStringLiteral("sag \"ja\""), QStringLiteral("\"sag \"\"ja\"\"\"") },
        { QStringLiteral("a\nb"), QStringLiteral("\"a\nb\"") },
        { QStringLiteral("1 Ostern\r.ini"), QStringLiteral("\"1 Ostern\r.ini\"") },
        { QString(), QStringLiteral("\"\"") },
        { QStringLiteral("=HYPERLINK(\"x\")"), QStringLiteral("\"'=HYPERLINK(\"\"x\"\")\"") },
        { QStringLiteral("+49"), QStringLiteral("\"'+49\"") },
        { QStringLiteral("-"), QStringLiteral("\"'-\"") },
        { QStringLiteral("@SUMME(1)"), QStringLiteral("\"'@SUMME(1)\"") },
        { QStringLiteral(" =1"), QStringLiteral("\" =1\"") },
        { QStringLiteral("EG 1 =2"), QStringLiteral("\"EG 1 =2\"") },
    };
    for (const auto &c : cases)
        EXPECT_EQ(hymncsv::field(c.text), c.field) << c.text.toStdString();
}
