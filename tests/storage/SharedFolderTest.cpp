// A data folder shared by two people: saving whole also where the folder refuses to rename over
// a file, and noticing before saving over a file that somebody else changed it since.
#include "storage/PreparationHistory.h"
#include "storage/SafeWrite.h"
#include "storage/ServiceOrderFile.h"
#include "storage/WatchedFile.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// A folder on a network share or a synchronised folder that refuses to rename over an existing
// file, and, when asked, also one or more of the renames to a free name.
struct RefusingFolder
{
    int refuseFreeRenameNumber = 0; // 1: the first rename to a free name fails, 2: the second...
    bool refuseAllFreeRenames = false;
    int freeRenames = 0;

    safewrite::Renames renames()
    {
        return { [](const QString &, const QString &) { return false; },
                 [this](const QString &from, const QString &to) {
                     ++freeRenames;
                     if (refuseAllFreeRenames || freeRenames == refuseFreeRenameNumber)
                         return false;
                     return safewrite::systemRenames().toFreeName(from, to);
                 } };
    }
};

TEST(SafeWrite, AFolderThatRefusesToRenameOverAFileStillGetsTheWholeFileOrKeepsTheEarlier)
{
    const struct
    {
        const char *name;
        RefusingFolder folder;
        bool saved;
        const char *message;
    } cases[] = {
        // The earlier file steps aside, the new one takes its name, the earlier one goes.
        { "fallback", {}, true, "" },
        // The earlier file cannot step aside: nothing is replaced.
        { "no move aside", { 1, false, 0 }, false, "nicht sicher ersetzt werden" },
        // The new file cannot take the name: the earlier one is put back.
        { "put back", { 2, false, 0 }, false, "Die bisherige Datei bleibt unverändert" },
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2 Ostersonntag.ini"));
        writeFileBytes(path, "alt\r\n");
        RefusingFolder folder = c.folder;
        const Result<> written = safewrite::writeWhole(path, "neu\r\n", folder.renames());
        EXPECT_EQ(written.ok(), c.saved) << c.name << ": " << written.error().toStdString();
        EXPECT_TRUE(written.error().contains(QString::fromUtf8(c.message)))
            << c.name << ": " << written.error().toStdString();
        EXPECT_EQ(readFileBytes(path), c.saved ? "neu\r\n" : "alt\r\n") << c.name;
        EXPECT_EQ(filesIn(dir.path()), QStringList { QStringLiteral("2 Ostersonntag.ini") })
            << c.name;
    }

    // Even putting the earlier file back fails: both versions are kept whole and named.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2 Ostersonntag.ini"));
    writeFileBytes(path, "alt\r\n");
    RefusingFolder folder { 2, false, 0 };
    auto renames = folder.renames();
    const auto moveAside = renames.toFreeName;
    int calls = 0;
    renames.toFreeName = [&](const QString &from, const QString &to) {
        return ++calls == 1 && moveAside(from, to);
    };
    const Result<> written = safewrite::writeWhole(path, "neu\r\n", renames);
    ASSERT_FALSE(written.ok());
    QStringList contents;
    for (const QString &name : filesIn(dir.path()))
        contents << QString::fromLatin1(readFileBytes(dir.filePath(name)));
    contents.sort();
    EXPECT_EQ(contents, QStringList({ QStringLiteral("alt\r\n"), QStringLiteral("neu\r\n") }));
    EXPECT_TRUE(written.error().contains(QStringLiteral("Die bisherige Fassung liegt jetzt unter")))
        << written.error().toStdString();
}

TEST(SafeWrite, ANewFileIsNeverWrittenOverAnExistingOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("neu.ini"));
    ASSERT_TRUE(safewrite::writeWhole(path, "eins", safewrite::systemRenames(), false).ok());
    EXPECT_FALSE(safewrite::writeWhole(path, "zwei", safewrite::systemRenames(), false).ok());
    EXPECT_EQ(readFileBytes(path), "eins");
    EXPECT_EQ(filesIn(dir.path()).size(), 1);
}

// Two pastors, each with the program open on the same data folder.
class TwoWriters : public ::testing::Test
{
protected:
    QByteArray preparation(const QString &hymn) const
    {
        Preparation p;
        p.dayName = QStringLiteral("Ostersonntag");
        p.series = QStringLiteral("2");
        p.eingangslied = hymn;
        return serviceorder::toIni(p).toBytes();
    }

    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("2")));
        writeFileBytes(path, preparation(QStringLiteral("EG 99")));
        ASSERT_TRUE(first.read(path).ok());
        ASSERT_TRUE(second.read(path).ok());
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2/2 Ostersonntag.ini"));
    WatchedFile first;
    WatchedFile second;
};

TEST_F(TwoWriters, TheSecondSaveAsksAndSavingAsNewKeepsBoth)
{
    const Result<SaveOutcome> firstSave = first.save(path, preparation(QStringLiteral("EG 100")));
    ASSERT_TRUE(firstSave.ok());
    EXPECT_EQ(firstSave->status, SaveOutcome::Status::Saved);

    const QByteArray mine = preparation(QStringLiteral("EG 101"));
    const Result<SaveOutcome> asked = second.save(path, mine);
    ASSERT_TRUE(asked.ok());
    ASSERT_EQ(asked->status, SaveOutcome::Status::Asks);
    EXPECT_TRUE(asked->question.startsWith(QStringLiteral(
        "Die Datei wurde inzwischen von jemand anderem geändert: „2 Ostersonntag.ini“")))
        << asked->question.toStdString();
    EXPECT_EQ(WatchedFile::answers(),
              QStringList({ QStringLiteral("Als neue Datei speichern"),
                            QStringLiteral("Überschreiben"), QStringLiteral("Abbrechen") }));
    EXPECT_EQ(readFileBytes(path), preparation(QStringLiteral("EG 100"))); // nothing written yet

    const Result<SaveOutcome> cancelled = second.save(path, mine, SaveChoice::Cancel);
    ASSERT_TRUE(cancelled.ok());
    EXPECT_EQ(cancelled->status, SaveOutcome::Status::Cancelled);

    const Result<SaveOutcome> asNew = second.save(path, mine, SaveChoice::SaveAsNew);
    ASSERT_TRUE(asNew.ok());
    EXPECT_EQ(asNew->status, SaveOutcome::Status::Saved);
    EXPECT_EQ(asNew->path, dir.filePath(QStringLiteral("2/2 Ostersonntag (2).ini")));
    EXPECT_EQ(readFileBytes(path), preparation(QStringLiteral("EG 100")));
    EXPECT_EQ(readFileBytes(asNew->path), mine);

    // The history lists both versions with the day.
    const history::Scan scan = history::scanDataFolder(dir.path());
    EXPECT_EQ(history::preparationsOfDay(scan, QStringLiteral("Ostersonntag")).size(), 2);

    // Each goes on with its own file without a question.
    EXPECT_EQ(second.save(asNew->path, mine)->status, SaveOutcome::Status::Saved);
    EXPECT_EQ(first.save(path, preparation(QStringLiteral("EG 102")))->status,
              SaveOutcome::Status::Saved);
}

TEST_F(TwoWriters, OverwritingReplacesTheOtherVersionAndOnlyRealChangesAsk)
{
    // The same content written again, and only a new time: nothing to lose, no question.
    writeFileBytes(path, preparation(QStringLiteral("EG 99")));
    QFile touched(path);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(QDateTime::currentDateTime().addSecs(3600),
                                    QFileDevice::FileModificationTime));
    touched.close();
    EXPECT_FALSE(second.changedByOthers(path));

    // Another content of the same size and time: the content decides.
    const QDateTime time = QFileInfo(path).lastModified();
    writeFileBytes(path, preparation(QStringLiteral("EG 98")));
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(time, QFileDevice::FileModificationTime));
    touched.close();
    EXPECT_TRUE(second.changedByOthers(path));
    EXPECT_FALSE(second.changedByOthers(dir.filePath(QStringLiteral("2/anders.ini"))));

    const Result<SaveOutcome> over
        = second.save(path, preparation(QStringLiteral("EG 101")), SaveChoice::Overwrite);
    ASSERT_TRUE(over.ok());
    EXPECT_EQ(over->path, path);
    EXPECT_EQ(readFileBytes(path), preparation(QStringLiteral("EG 101")));
    EXPECT_EQ(filesIn(dir.filePath(QStringLiteral("2"))).size(), 1);
    // The replaced version is kept in "Archiv" under its own save time.
    const QString archive = dir.filePath(QStringLiteral("2/Archiv"));
    const QString kept = keptName(path, time);
    EXPECT_EQ(kept,
              QStringLiteral("2 Ostersonntag ") + time.toString(u"yyyy-MM-dd HH-mm-ss")
                  + QStringLiteral(".ini"));
    EXPECT_EQ(filesIn(archive), QStringList { kept });
    EXPECT_EQ(readFileBytes(archive + u'/' + kept), preparation(QStringLiteral("EG 98")));
    EXPECT_EQ(QFileInfo(archive + u'/' + kept).lastModified(), time);

    // Another version of the same second replaced as well: kept beside, never over the first.
    writeFileBytes(path, preparation(QStringLiteral("EG 97")));
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(time, QFileDevice::FileModificationTime));
    touched.close();
    ASSERT_TRUE(
        second.save(path, preparation(QStringLiteral("EG 102")), SaveChoice::Overwrite).ok());
    EXPECT_EQ(filesIn(archive).size(), 2);
    EXPECT_EQ(readFileBytes(archive + u'/' + kept), preparation(QStringLiteral("EG 98")));
    EXPECT_EQ(readFileBytes(archive + u'/' + kept.chopped(4) + QStringLiteral(" (2).ini")),
              preparation(QStringLiteral("EG 97")));

    // A file somebody removed is simply written again.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(first.save(path, preparation(QStringLiteral("EG 1")))->status,
              SaveOutcome::Status::Saved);
}

TEST(WatchedFile, ALockLeftBehindIsTakenOverAndALiveOneWaitedFor)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2 Ostersonntag.ini"));
    const QString lockPath = lockPathFor(path);
    EXPECT_EQ(lockPath, dir.filePath(QStringLiteral(".2 Ostersonntag.ini.lock")));

    // Left by a program on another computer that ended an hour ago without removing it.
    writeFileBytes(lockPath, "4711\npergolan\nanderer-rechner\n");
    QFile stale(lockPath);
    ASSERT_TRUE(stale.open(QIODevice::ReadWrite));
    ASSERT_TRUE(stale.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                  QFileDevice::FileModificationTime));
    stale.close();
    WatchedFile file;
    const Result<SaveOutcome> saved = file.save(path, "eins");
    ASSERT_TRUE(saved.ok()) << saved.error().toStdString();
    EXPECT_EQ(readFileBytes(path), "eins");
    EXPECT_FALSE(QFileInfo::exists(lockPath)); // removed after the save

    // The check and the writing run inside the lock: what runs before the writing sees it held.
    bool heldMeanwhile = false;
    ASSERT_TRUE(file.save(path, "zwei", SaveChoice::AskIfChanged,
                          [&]() -> Result<> {
                              heldMeanwhile = QFileInfo::exists(lockPath);
                              return {};
                          })
                    .ok());
    EXPECT_TRUE(heldMeanwhile);
    // What fails before the writing writes nothing.
    EXPECT_FALSE(file.save(path, "drei", SaveChoice::AskIfChanged,
                           [] { return Result<>(Failure { QStringLiteral("nein") }); })
                     .ok());
    EXPECT_EQ(readFileBytes(path), "zwei");
}

TEST(WatchedFile, ADayNobodySavedAsksWhenSomebodyElseSavesItFirst)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2 Ostersonntag.ini"));
    WatchedFile mine;
    mine.watchAbsent(path);
    EXPECT_FALSE(mine.changedByOthers(path)); // still nobody's
    writeFileBytes(path, "[Allgemein]\r\nName=Ostersonntag\r\n");
    EXPECT_TRUE(mine.changedByOthers(path));
    EXPECT_EQ(mine.save(path, "mine")->status, SaveOutcome::Status::Asks);
    EXPECT_EQ(readFileBytes(path), QByteArray("[Allgemein]\r\nName=Ostersonntag\r\n"));

    // A file already there is watched as it is; no path watches nothing.
    WatchedFile later;
    later.watchAbsent(path);
    EXPECT_FALSE(later.changedByOthers(path));
    EXPECT_EQ(later.save(path, "later")->status, SaveOutcome::Status::Saved);
    later.watchAbsent(QString());
    EXPECT_TRUE(later.stamp().path.isEmpty());
}

TEST(FreeNameBeside, KeepsTheDaysNamingAndCountsOn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("3 Ostersonntag.ini"));
    EXPECT_EQ(freeNameBeside(path), dir.filePath(QStringLiteral("3 Ostersonntag (2).ini")));
    writeFileBytes(dir.filePath(QStringLiteral("3 Ostersonntag (2).ini")), "x");
    EXPECT_EQ(freeNameBeside(path), dir.filePath(QStringLiteral("3 Ostersonntag (3).ini")));
    EXPECT_EQ(freeNameBeside(dir.filePath(QStringLiteral("3 Ostersonntag (2).ini"))),
              dir.filePath(QStringLiteral("3 Ostersonntag (3).ini")));
    EXPECT_EQ(freeNameBeside(dir.filePath(QStringLiteral("1. So. n. Tr. 1.5 %1.ini"))),
              dir.filePath(QStringLiteral("1. So. n. Tr. 1.5 %1 (2).ini")));
}

} // namespace
