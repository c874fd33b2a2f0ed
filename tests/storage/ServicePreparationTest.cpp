// Which saved file is the preparation of a service: the rule that choosing the day, the hymn
// plan and the history's counts share, over folders with nothing, the current file, a file of an
// earlier cycle, files without a service date, several versions and archived ones.
#include "storage/ServicePreparation.h"
#include "storage/ServiceOrderFile.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kDay = QStringLiteral("3. Sonntag im Advent");
const QDate kService(2032, 12, 12);

// One saved file: where, for which service date (none: an older file without one), and when
// it was saved.
struct SavedFile
{
    const char *relativePath;
    const char *datum; // yyyyMMdd or ""
    QDateTime saved;
};

QDateTime at(int year, int month, int day, int hour = 10, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, 0, second));
}

void write(const QString &dataDir, const SavedFile &file)
{
    Preparation p;
    p.dayName = kDay;
    p.series = QStringLiteral("3");
    p.dayStamp = QString::fromLatin1(file.datum);
    p.eingangslied = QString::fromLatin1(file.relativePath); // tells the files apart
    const QString path = dataDir + u'/' + QString::fromUtf8(file.relativePath);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    ASSERT_TRUE(serviceorder::writeFile(path, serviceorder::toIni(p)).ok());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(file.saved, QFileDevice::FileModificationTime));
}

QString relative(const QList<history::SavedPreparation> &saved)
{
    QStringList names;
    for (const history::SavedPreparation &s : saved)
        names << s.relativePath;
    return names.join(QStringLiteral(", "));
}

TEST(ServicePreparation, ChoosesTheFileOfTheServiceOrAStartingPoint)
{
    using Kind = servicefile::Found::Kind;
    const struct
    {
        const char *name;
        std::vector<SavedFile> files;
        Kind kind;
        const char *chosen; // relative path, "" for none
        const char *versions; // the service's versions, newest first
        const char *otherCycles;
    } cases[] = {
        { "nothing", {}, Kind::None, "", "", "" },
        { "the current file",
          { { "3/3 3. Sonntag im Advent.ini", "20321212", at(2032, 12, 1) } },
          Kind::Current,
          "3/3 3. Sonntag im Advent.ini",
          "3/3 3. Sonntag im Advent.ini",
          "" },
        { "a file of an earlier cycle is a starting point",
          { { "3/3 3. Sonntag im Advent.ini", "20261213", at(2026, 12, 10) } },
          Kind::Earlier,
          "3/3 3. Sonntag im Advent.ini",
          "",
          "3/3 3. Sonntag im Advent.ini" },
        { "without a date, saved in this cycle",
          { { "3/3 3. Sonntag im Advent.ini", "", at(2032, 11, 2) } },
          Kind::Current,
          "3/3 3. Sonntag im Advent.ini",
          "3/3 3. Sonntag im Advent.ini",
          "" },
        { "without a date, saved six years before",
          { { "3/3 3. Sonntag im Advent.ini", "", at(2026, 11, 2) } },
          Kind::Earlier,
          "3/3 3. Sonntag im Advent.ini",
          "",
          "3/3 3. Sonntag im Advent.ini" },
        { "two versions: the one saved last",
          { { "3/3 3. Sonntag im Advent.ini", "20321212", at(2032, 12, 1, 11) },
            { "3/3 3. Sonntag im Advent (2).ini", "20321212", at(2032, 12, 1, 10) } },
          Kind::Current,
          "3/3 3. Sonntag im Advent.ini",
          "3/3 3. Sonntag im Advent.ini, 3/3 3. Sonntag im Advent (2).ini",
          "" },
        { "two versions saved in one second: the higher number",
          { { "3/3 3. Sonntag im Advent.ini", "20321212", at(2032, 12, 1) },
            { "3/3 3. Sonntag im Advent (2).ini", "20321212", at(2032, 12, 1) } },
          Kind::Current,
          "3/3 3. Sonntag im Advent (2).ini",
          "3/3 3. Sonntag im Advent (2).ini, 3/3 3. Sonntag im Advent.ini",
          "" },
        { "a version of this cycle before an earlier cycle's file",
          { { "3/3 3. Sonntag im Advent.ini", "20261213", at(2026, 12, 10) },
            { "3/3 3. Sonntag im Advent (2).ini", "20321212", at(2032, 12, 1) } },
          Kind::Current,
          "3/3 3. Sonntag im Advent (2).ini",
          "3/3 3. Sonntag im Advent (2).ini",
          "3/3 3. Sonntag im Advent.ini" },
        { "an archived file is history, not the day's file",
          { { "3/Archiv/3 3. Sonntag im Advent 2026-12-13.ini", "20261213", at(2026, 12, 10) },
            { "3/Archiv/3 3. Sonntag im Advent 2032-12-01 10-00-00.ini", "20321212",
              at(2032, 12, 1) } },
          Kind::None,
          "",
          "",
          "" },
        { "other names and series do not count",
          { { "3/3 3. Sonntag im Advent 2.ini", "20321212", at(2032, 12, 1) },
            { "3/3 4. Sonntag im Advent.ini", "20321212", at(2032, 12, 1) },
            { "2/2 3. Sonntag im Advent.ini", "20321212", at(2032, 12, 1) } },
          Kind::None,
          "",
          "",
          "" },
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        for (const SavedFile &file : c.files)
            write(dir.path(), file);
        const servicefile::Found found
            = servicefile::find(dir.path(), QStringLiteral("3"), { kDay }, kService);
        EXPECT_EQ(found.kind, c.kind) << c.name;
        EXPECT_EQ(found.kind == Kind::None ? QString() : found.chosen.relativePath,
                  QString::fromUtf8(c.chosen))
            << c.name;
        EXPECT_EQ(relative(found.versions), QString::fromUtf8(c.versions)) << c.name;
        EXPECT_EQ(relative(found.otherCycles), QString::fromUtf8(c.otherCycles)) << c.name;
        // The hymn plan and the history read the same folder as a whole: the same choice.
        const servicefile::Found fromScan
            = servicefile::choose(history::scanDataFolder(dir.path()).preparations,
                                  QStringLiteral("3"), { kDay }, kService);
        EXPECT_EQ(fromScan.kind, found.kind) << c.name;
        EXPECT_EQ(fromScan.chosen.path, found.chosen.path) << c.name;
    }
}

TEST(ServicePreparation, SavingTheServiceMovesOtherCyclesIntoTheArchiveUnderTheirDate)
{
    QTemporaryDir dir;
    const SavedFile files[] = {
        { "3/3 3. Sonntag im Advent.ini", "20261213", at(2026, 12, 10) },
        { "3/3 3. Sonntag im Advent (2).ini", "", at(2026, 12, 11) },
        { "3/3 3. Sonntag im Advent (3).ini", "20321212", at(2032, 12, 1) },
        // Taken already: the next free name.
        { "3/Archiv/3 3. Sonntag im Advent 2026-12-13.ini", "20261213", at(2026, 12, 9) },
    };
    for (const SavedFile &file : files)
        write(dir.path(), file);
    ASSERT_TRUE(
        servicefile::archiveOtherCycles(dir.path(), QStringLiteral("3"), { kDay }, kService).ok());
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("3"))).entryList(QDir::Files),
              QStringList { QStringLiteral("3 3. Sonntag im Advent (3).ini") });
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("3/Archiv"))).entryList(QDir::Files, QDir::Name),
              (QStringList { QStringLiteral("3 3. Sonntag im Advent 2026-12-11.ini"),
                             QStringLiteral("3 3. Sonntag im Advent 2026-12-13 (2).ini"),
                             QStringLiteral("3 3. Sonntag im Advent 2026-12-13.ini") }));
    // Nothing more to move: the day's name holds this cycle's file alone.
    ASSERT_TRUE(
        servicefile::archiveOtherCycles(dir.path(), QStringLiteral("3"), { kDay }, kService).ok());
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("3/Archiv"))).count(), 5u); // with . and ..
}

TEST(ServicePreparation, TheHistoryCountsEachServiceOnceWithTheVersionInUse)
{
    const struct
    {
        const char *name;
        std::vector<SavedFile> files;
        const char *counted;
    } cases[] = {
        { "a version replaced by Überschreiben, kept in the archive",
          { { "3/3 3. Sonntag im Advent.ini", "20321212", at(2032, 12, 1, 11) },
            { "3/Archiv/3 3. Sonntag im Advent 2032-12-01 12-00-00.ini", "20321212",
              at(2032, 12, 1, 12) } },
          "3/3 3. Sonntag im Advent.ini" },
        { "two versions beside each other: the one saved last",
          { { "3/3 3. Sonntag im Advent.ini", "20321212", at(2032, 12, 1, 10) },
            { "3/3 3. Sonntag im Advent (2).ini", "20321212", at(2032, 12, 1, 11) } },
          "3/3 3. Sonntag im Advent (2).ini" },
        { "versions saved in the same second: the higher number, as choosing the day has it",
          { { "3/3 3. Sonntag im Advent.ini", "20321212", at(2032, 12, 1, 10) },
            { "3/3 3. Sonntag im Advent (3).ini", "20321212", at(2032, 12, 1, 10) },
            { "3/3 3. Sonntag im Advent (2).ini", "20321212", at(2032, 12, 1, 10) } },
          "3/3 3. Sonntag im Advent (3).ini" },
        { "two cycles are two services",
          { { "3/3 3. Sonntag im Advent.ini", "20321212", at(2032, 12, 1) },
            { "3/Archiv/3 3. Sonntag im Advent 2026-12-13.ini", "20261213", at(2026, 12, 10) },
            { "3/Archiv/3 3. Sonntag im Advent 2020.ini", "", at(2020, 12, 1) } },
          "3/3 3. Sonntag im Advent.ini, 3/Archiv/3 3. Sonntag im Advent 2020.ini, "
          "3/Archiv/3 3. Sonntag im Advent 2026-12-13.ini" },
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        for (const SavedFile &file : c.files)
            write(dir.path(), file);
        const history::Scan scan = history::scanDataFolder(dir.path());
        QStringList counted;
        for (const history::SavedPreparation *saved : servicefile::oncePerService(scan))
            counted << saved->relativePath;
        EXPECT_EQ(counted.join(QStringLiteral(", ")), QString::fromUtf8(c.counted)) << c.name;
    }
}

} // namespace
