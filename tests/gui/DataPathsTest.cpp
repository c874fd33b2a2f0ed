#include "base/DataPaths.h"
#include "calendar/DayEntry.h"
#include "gui/FrmMain.h"
#include "office/SermonDocument.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>

#include <QToolButton>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct PathCase
{
    const char16_t *series;
    const char16_t *dayName;
    bool allowed;
};

const PathCase kPathCases[] = {
    { u"1", u"Erntedank", true },
    { u"6", u"3. Sonntag im Advent", true },
    { u"3", u"..Advent.", true },
    { u"0", u"Erntedank", false },
    { u"7", u"Erntedank", false },
    { u"01", u"Erntedank", false },
    { u" 1", u"Erntedank", false },
    { u"", u"Erntedank", false },
    { u"../../../../tmp/x/s", u"Erntedank", false },
    { u"1", u"../../draussen", false },
    { u"1", u"a\\b", false },
    { u"1", u"..", false },
    { u"1", u".", false },
};

} // namespace

TEST(DataPaths, OnlySeriesOneToSixAndPlainNamesNameFilesInTheDataFolder)
{
    const QString data = QStringLiteral("/home/p/Pergol");
    for (const PathCase &c : kPathCases) {
        const QString series = QString::fromUtf16(c.series);
        const QString name = QString::fromUtf16(c.dayName);
        SCOPED_TRACE((series + u'|' + name).toStdString());
        const bool seriesOk = datapaths::seriesProblem(series).isEmpty();
        const bool nameOk = datapaths::fileNamePartProblem(name).isEmpty();
        EXPECT_EQ(seriesOk && nameOk, c.allowed);

        // Every builder of a path in the data folder follows the same checks.
        const QString stored = dayentry::storedOrderPath(data, series, name);
        EXPECT_EQ(!stored.isEmpty(), c.allowed);
        if (c.allowed) {
            EXPECT_EQ(stored,
                      data + u'/' + series + u'/' + series + u' ' + name + QStringLiteral(".ini"));
            EXPECT_EQ(sermonFolder(data, series).value(),
                      data + u'/' + series + QStringLiteral("/Predigten/"));
            EXPECT_TRUE(sermonDocumentName(series, QStringLiteral("20261004"), name).ok());
        } else if (!seriesOk) {
            EXPECT_FALSE(datapaths::seriesFolder(data, series).ok());
            EXPECT_FALSE(sermonFolder(data, series).ok());
        } else {
            EXPECT_FALSE(sermonDocumentName(series, QStringLiteral("20261004"), name).ok());
        }
    }
}

namespace {

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

// A loaded preparation's series or day name never makes the sermon-document click create
// anything outside its place or hand anything to the desktop; neither does a failed copy of
// the template.
TEST(DataPaths, SermonDocumentClickRefusesHostileValuesAndFailedCopies)
{
    struct Case
    {
        const char16_t *series;
        const char16_t *dayName;
        enum { Plain, SermonsOnProc, TemplatePipe } setup;
    };
    const Case cases[] = {
        { u"../../draussen/s", u"Erntedank", Case::Plain },
        { u"../../../../tmp/x/s", u"Erntedank", Case::Plain },
        { u"7", u"Erntedank", Case::Plain },
        { u"1", u"../../../draussen", Case::Plain },
        { u"1", u"..", Case::Plain },
        // The copy fails: the sermon folder is a link to a folder nobody can write in.
        { u"1", u"Erntedank", Case::SermonsOnProc },
        // A template that is a pipe would block the copy; it counts as missing.
        { u"1", u"Erntedank", Case::TemplatePipe },
    };
    for (const Case &c : cases) {
        const QString series = QString::fromUtf16(c.series);
        const QString name = QString::fromUtf16(c.dayName);
        SCOPED_TRACE((series + u'|' + name).toStdString());
        TestEnvironment env;
        ScriptedDialogs *dialogs = nullptr;
        auto w = makeMainWindow(&dialogs);
        const QString templatePath = QStringLiteral("Texte/Predigt.ott");
        env.writeProgramFile(templatePath, readFileBytes(builtProgramDir() + u'/' + templatePath));
        if (c.setup == Case::SermonsOnProc) {
            const QString sermons = env.dataDir() + QStringLiteral("/1/Predigten");
            ASSERT_TRUE(QDir(sermons).removeRecursively());
            ASSERT_TRUE(QFile::link(QStringLiteral("/proc"), sermons));
        } else if (c.setup == Case::TemplatePipe) {
            const QString pipe = env.programDir() + u'/' + templatePath;
            ASSERT_TRUE(QFile::remove(pipe));
            ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        }
        const QString file = env.home() + QStringLiteral("/geladen.ini");
        writeFileBytes(file,
                       QStringLiteral("[Allgemein]\r\nName=%1\r\nPredigtreihe=%2\r\n")
                           .arg(name, series)
                           .toLatin1());
        openPreparation(*w, *dialogs, file);
        const QStringList before = filesBelow(env.home());
        dialogs->messages.clear();
        dialogs->errors.clear();

        clickOn(control<QLabel>(*w, "lblPredigttext"));

        EXPECT_TRUE(dialogs->openedUrls.isEmpty());
        EXPECT_EQ(dialogs->messages.size(), 1) << dialogs->messages.join(u'|').toStdString();
        EXPECT_EQ(filesBelow(env.home()), before);
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/tmp/x/s")));
    }
}

// Saving proposes no folder or file name made of such values; the user still chooses.
TEST(DataPaths, SaveProposesNoNameThatWouldLeadElsewhere)
{
    struct Case
    {
        const char16_t *series;
        const char16_t *dayName;
        const char16_t *initialFolder; // below the data folder
    };
    const Case cases[] = {
        { u"7", u"Erntedank", u"/7" },
        { u"1", u"../../../draussen", u"/1" },
        { u"../x", u"Erntedank", u"" },
    };
    for (const Case &c : cases) {
        const QString series = QString::fromUtf16(c.series);
        SCOPED_TRACE(series.toStdString());
        TestEnvironment env;
        ScriptedDialogs *dialogs = nullptr;
        auto w = makeMainWindow(&dialogs);
        w->document().setDay(QString::fromUtf16(c.dayName), series);
        dialogs->messages.clear();
        dialogs->fileRequests.clear();
        dialogs->fileNames.push_back(QString()); // cancel

        control<QToolButton>(*w, "btnSave")->click();

        // A series that is no number stops before the dialog, as ever.
        if (series.toInt() == 0) {
            EXPECT_TRUE(dialogs->fileRequests.isEmpty());
            EXPECT_EQ(dialogs->messages.size(), 1);
            dialogs->fileNames.clear();
            continue;
        }
        ASSERT_EQ(dialogs->fileRequests.size(), 1);
        EXPECT_EQ(dialogs->fileRequests.constFirst().initialDir,
                  env.dataDir() + QString::fromUtf16(c.initialFolder));
        EXPECT_FALSE(
            dialogs->fileRequests.constFirst().fileName.contains(QString::fromUtf16(c.dayName)));
        EXPECT_EQ(dialogs->messages.size(), 1);
    }
}
