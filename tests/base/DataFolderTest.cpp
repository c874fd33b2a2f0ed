#include "base/DataFolder.h"
#include "base/AppError.h"
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
    datafolder::PrepareSeriesFolders();
    EXPECT_EQ(QDir::currentPath(), env.dataDir());
    for (int n = 1; n <= 6; ++n) {
        const QString series = env.dataDir() + u'/' + QString::number(n);
        EXPECT_TRUE(QFileInfo(series + QStringLiteral("/Predigten")).isDir()) << n;
        EXPECT_TRUE(QFileInfo(series + QStringLiteral("/Archiv")).isDir()) << n;
        EXPECT_TRUE(QDir(series + QStringLiteral("/Archiv")).isEmpty());
    }
}

TEST(DataFolder, ArchiveMoveHappensOnceWhileTheArchiveIsEmpty)
{
    TestEnvironment env;
    datafolder::PrepareSeriesFolders();
    const QString series = env.dataDir() + QStringLiteral("/2");
    touch(series + QStringLiteral("/2 Trinitatis.ini"));
    touch(series + QStringLiteral("/notizen.txt"));

    datafolder::PrepareSeriesFolders();
    EXPECT_TRUE(QFile::exists(series + QStringLiteral("/Archiv/2 Trinitatis.ini")));
    EXPECT_FALSE(QFile::exists(series + QStringLiteral("/2 Trinitatis.ini")));
    EXPECT_TRUE(QFile::exists(series + QStringLiteral("/notizen.txt")))
        << "only service orders move";

    // A later save stays where it is: the archive is no longer empty.
    touch(series + QStringLiteral("/2 Erntedank.ini"));
    datafolder::PrepareSeriesFolders();
    datafolder::PrepareSeriesFolders();
    EXPECT_TRUE(QFile::exists(series + QStringLiteral("/2 Erntedank.ini")));
    EXPECT_FALSE(QFile::exists(series + QStringLiteral("/Archiv/2 Erntedank.ini")));

    // Other series are not affected by series 2's archive.
    touch(env.dataDir() + QStringLiteral("/5/5 Ostersonntag.ini"));
    datafolder::PrepareSeriesFolders();
    EXPECT_TRUE(QFile::exists(env.dataDir() + QStringLiteral("/5/Archiv/5 Ostersonntag.ini")));
}

TEST(DataFolder, AFolderThatCannotBeCreatedRaisesAGermanError)
{
    TestEnvironment env;
    // A file where the data folder should be: creating the folder must fail, even as root.
    touch(env.home() + QStringLiteral("/Documents/Pergol"));
    try {
        datafolder::EnterDataFolder();
        FAIL() << "no error raised";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("kann nicht angelegt werden"))) << e.what();
    }
}
