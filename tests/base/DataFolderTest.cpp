#include "base/DataFolder.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(DataFolder, FirstStartCreatesTheSeriesFoldersAndMovesNothing)
{
    TestEnvironment env;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(datafolder::PrepareSeriesFolders().ok());
    // The folder is passed along; the process's current folder stays where it was.
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_EQ(datafolder::EnterDataFolder().value(), env.dataDir());
    for (int n = 1; n <= 6; ++n) {
        const QString series = env.dataDir() + u'/' + QString::number(n);
        EXPECT_TRUE(QFileInfo(series + QStringLiteral("/Predigten")).isDir()) << n;
        EXPECT_TRUE(QFileInfo(series + QStringLiteral("/Archiv")).isDir()) << n;
        EXPECT_TRUE(QDir(series + QStringLiteral("/Archiv")).isEmpty());
    }
}

TEST(DataFolder, ArchiveMoveHappensOnlyAtTheStartThatMakesTheArchive)
{
    TestEnvironment env;
    // Series 2 as it was before archive folders existed: files and no "Archiv".
    const QString series = env.dataDir() + QStringLiteral("/2");
    ASSERT_TRUE(QDir().mkpath(series));
    touch(series + QStringLiteral("/2 Trinitatis.ini"));
    touch(series + QStringLiteral("/notizen.txt"));
    // Series 5 has an empty archive already, as a new user's first start leaves it.
    ASSERT_TRUE(QDir().mkpath(env.dataDir() + QStringLiteral("/5/Archiv")));
    touch(env.dataDir() + QStringLiteral("/5/5 Ostersonntag.ini"));

    ASSERT_TRUE(datafolder::PrepareSeriesFolders().ok());
    EXPECT_TRUE(QFile::exists(series + QStringLiteral("/Archiv/2 Trinitatis.ini")));
    EXPECT_FALSE(QFile::exists(series + QStringLiteral("/2 Trinitatis.ini")));
    EXPECT_TRUE(QFile::exists(series + QStringLiteral("/notizen.txt")))
        << "only service orders move";
    EXPECT_TRUE(QFile::exists(env.dataDir() + QStringLiteral("/5/5 Ostersonntag.ini")))
        << "an existing empty archive causes no move";

    // Later saves stay where they are at every following start, even with the archive
    // emptied by the user.
    touch(series + QStringLiteral("/2 Erntedank.ini"));
    ASSERT_TRUE(QFile::remove(series + QStringLiteral("/Archiv/2 Trinitatis.ini")));
    for (int start = 0; start < 3; ++start)
        ASSERT_TRUE(datafolder::PrepareSeriesFolders().ok());
    EXPECT_TRUE(QFile::exists(series + QStringLiteral("/2 Erntedank.ini")));
    EXPECT_TRUE(QDir(series + QStringLiteral("/Archiv")).isEmpty());
    EXPECT_TRUE(QFile::exists(env.dataDir() + QStringLiteral("/5/5 Ostersonntag.ini")));
}

TEST(DataFolder, AFolderThatCannotBeCreatedFailsWithAGermanMessage)
{
    TestEnvironment env;
    // A file where the data folder should be: creating the folder must fail, even as root.
    touch(env.home() + QStringLiteral("/Documents/Pergol"));
    const Result<QString> entered = datafolder::EnterDataFolder();
    ASSERT_FALSE(entered.ok());
    EXPECT_TRUE(entered.error().contains(QStringLiteral("kann nicht angelegt werden")))
        << entered.error().toStdString();
    EXPECT_FALSE(datafolder::PrepareSeriesFolders().ok());
}
