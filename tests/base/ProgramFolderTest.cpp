#include "base/ProgramFolder.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(ProgramFolder, ReadsFromTheProgramFolderUnlessTheOverlayHasTheFile)
{
    TestEnvironment env;
    const QString inProgram = env.programDir() + QStringLiteral("/libs/Ablauf.ini");
    EXPECT_EQ(programfolder::readPath(QStringLiteral("libs/Ablauf.ini")), inProgram);

    const QString overlay = programfolder::overlayDir() + QStringLiteral("/libs/Ablauf.ini");
    EXPECT_TRUE(overlay.startsWith(env.home())) << overlay.toStdString();
    QDir().mkpath(programfolder::overlayDir() + QStringLiteral("/libs"));
    QFile f(overlay);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(programfolder::readPath(QStringLiteral("libs/Ablauf.ini")), overlay);
    // Once a file lives in the overlay, writes go there too, so reading and writing agree.
    EXPECT_EQ(programfolder::writePath(QStringLiteral("libs/Ablauf.ini")), overlay);
}

TEST(ProgramFolder, WritesGoToTheOverlayWhenTheProgramFolderIsReadOnly)
{
    TestEnvironment env;
    EXPECT_EQ(programfolder::writePath(QStringLiteral("libs/Bibel/Mk.lib")),
              env.programDir() + QStringLiteral("/libs/Bibel/Mk.lib"));
    programfolder::setReadOnlyForTesting(true);
    const QString redirected = programfolder::writePath(QStringLiteral("libs/Ablauf.ini"));
    EXPECT_EQ(redirected, programfolder::overlayDir() + QStringLiteral("/libs/Ablauf.ini"));
    EXPECT_TRUE(QDir(programfolder::overlayDir() + QStringLiteral("/libs")).exists());
}

TEST(ProgramFolder, AProgramFolderThatCannotHoldTheFileFallsBackToTheOverlay)
{
    TestEnvironment env;
    // "libs" is a file here, so no folder can be made under it.
    QDir(env.programDir()).rmpath(QStringLiteral("libs"));
    QDir(env.programDir() + QStringLiteral("/libs")).removeRecursively();
    QFile f(env.programDir() + QStringLiteral("/libs"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(programfolder::writePath(QStringLiteral("libs/Ablauf.ini")),
              programfolder::overlayDir() + QStringLiteral("/libs/Ablauf.ini"));
}

TEST(ProgramFolder, AFolderInstalledSystemWideIsNeverWrittenEvenByRoot)
{
    const struct
    {
        const char *folder;
        bool installed;
    } cases[] = {
        { "/usr/lib/pergolan", true },       { "/usr", true },
        { "/usr/local/lib/pergolan", true }, { "/usr/lib/../lib/pergolan", true },
        { "/usrlocal/pergolan", false },     { "/opt/pergolan", false },
        { "/home/pfarrer/pergolan", false },
    };
    for (const auto &c : cases)
        EXPECT_EQ(programfolder::installedSystemWide(QString::fromLatin1(c.folder)), c.installed)
            << c.folder;

    // Whoever runs it, the per-user copy takes what the program writes.
    TestEnvironment env;
    programfolder::setDirForTesting(QStringLiteral("/usr/lib/pergolan"));
    EXPECT_EQ(programfolder::writePath(QStringLiteral("libs/Bibel/Mk.lib")),
              programfolder::overlayDir() + QStringLiteral("/libs/Bibel/Mk.lib"));
    programfolder::setDirForTesting(env.programDir());
}
