// Files that are no ordinary files of sensible size: a pipe, a link to an endless device, an
// oversized file, a folder. Every reader refuses them without blocking or filling the memory,
// and the program goes on as for a missing or damaged file.
#include "bible/BibleFile.h"
#include "gui/FrmMain.h"
#include "gui/MemoTool.h"
#include "storage/BoundedFile.h"
#include "storage/IniFile.h"
#include "storage/LiturgicalTexts.h"
#include "storage/RichTextFile.h"
#include "storage/ServiceOrderFile.h"
#include "storage/Win1252Text.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>

#include <functional>

#include <QToolButton>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

enum class Hostile { Pipe, LinkToZero, Oversize, Folder };

const Hostile kHostile[]
    = { Hostile::Pipe, Hostile::LinkToZero, Hostile::Oversize, Hostile::Folder };

const char *nameOf(Hostile kind)
{
    switch (kind) {
    case Hostile::Pipe:
        return "pipe";
    case Hostile::LinkToZero:
        return "link to /dev/zero";
    case Hostile::Oversize:
        return "oversize";
    case Hostile::Folder:
        return "folder";
    }
    return "";
}

// Puts a hostile file at path in place of whatever was there; an oversized one is one byte
// over limit (sparse, so it costs no disk).
void makeHostile(Hostile kind, const QString &path, qint64 limit)
{
    QFile::remove(path);
    QDir(path).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    switch (kind) {
    case Hostile::Pipe:
        ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    case Hostile::LinkToZero:
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path));
        break;
    case Hostile::Oversize: {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(limit + 1));
        break;
    }
    case Hostile::Folder:
        ASSERT_TRUE(QDir().mkpath(path));
        break;
    }
}

QStringList linesOf(const QPlainTextEdit *memo)
{
    return memo->toPlainText().split(u'\n');
}

} // namespace

TEST(HostileFiles, EveryReaderRefusesThem)
{
    struct Reader
    {
        const char *name;
        qint64 limit;
        std::function<bool(const QString &path)> reads; // true when it took the file
    };
    const Reader readers[] = {
        { "liturgical text", boundedfile::kTextLimit,
          [](const QString &path) {
              const Result<QStringList> read = win1252::readLines(path);
              EXPECT_TRUE(read || read.error().contains(QFileInfo(path).fileName()));
              return read.ok();
          } },
        { "INI file", boundedfile::kIniLimit,
          [](const QString &path) { return IniFile::read(path).ok(); } },
        { "service order", serviceorder::kMaxFileSize,
          [](const QString &path) { return serviceorder::readFile(path).ok(); } },
        { "note", boundedfile::kNoteLimit,
          [](const QString &path) {
              QTextDocument note;
              return richtextfile::readFile(path, note).ok();
          } },
        { "Bible file", boundedfile::kBibleLimit,
          [](const QString &path) {
              return !bible::BibleFile::open(path)->verse(QStringLiteral("1"), 1).isEmpty();
          } },
    };
    QTemporaryDir dir;
    for (const Reader &reader : readers) {
        const QString path = dir.filePath(QStringLiteral("datei"));
        for (const Hostile kind : kHostile) {
            SCOPED_TRACE(std::string(reader.name) + ", " + nameOf(kind));
            makeHostile(kind, path, reader.limit);
            EXPECT_FALSE(reader.reads(path));
        }
        // A file of exactly the limit is still taken, also through a link.
        SCOPED_TRACE(reader.name);
        makeHostile(Hostile::Oversize, path, reader.limit - 1);
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            file.write("[Kapitel 1]\r\n1=Am Anfang\r\n");
        }
        const QString link = dir.filePath(QStringLiteral("verweis"));
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(path, link));
        EXPECT_TRUE(reader.reads(link));
    }
}

// At start-up a hostile liturgical text is reported like an unreadable one and a hostile
// order settings file restores nothing; the window appears. Chosen in the open dialogs, the
// files are refused with a message.
TEST(HostileFiles, StartupAndTheOpenDialogsGoOnAsForADamagedFile)
{
    for (const Hostile kind : kHostile) {
        SCOPED_TRACE(nameOf(kind));
        TestEnvironment env;
        makeHostile(kind, env.programDir() + QStringLiteral("/Texte/gloriapatri.txt"),
                    boundedfile::kTextLimit);
        makeHostile(kind, env.programDir() + QStringLiteral("/libs/Ablauf.ini"),
                    boundedfile::kTextLimit);

        ScriptedDialogs *dialogs = nullptr;
        auto w = makeMainWindow(&dialogs);
        ASSERT_NE(w, nullptr);
        ASSERT_EQ(dialogs->errors.size(), 1);
        EXPECT_TRUE(dialogs->errors.constFirst().contains(QStringLiteral("gloriapatri.txt")));
        EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtGloriaPatri")),
                  liturgicaltexts::builtInText(liturgicaltexts::Memo::GloriaPatri));

        const QString chosen = env.home() + QStringLiteral("/gewählt.ini");
        makeHostile(kind, chosen, serviceorder::kMaxFileSize);
        dialogs->messages.clear();
        dialogs->fileNames.push_back(chosen);
        control<QToolButton>(*w, "BtnOpen")->click();
        EXPECT_EQ(dialogs->messages, QStringList { serviceorder::damagedFileMessage() });

        makeHostile(kind, chosen, boundedfile::kNoteLimit);
        TfrmMemoTool editor(*dialogs);
        editor.Memo1->setPlainText(QStringLiteral("Notiz"));
        dialogs->errors.clear();
        dialogs->fileNames.push_back(chosen);
        editor.SpeedButton1Click();
        EXPECT_EQ(dialogs->errors.size(), 1);
        EXPECT_EQ(editor.Memo1->toPlainText(), QStringLiteral("Notiz"));
    }
}
