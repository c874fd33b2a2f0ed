// The memos of the tab "Ordinarium" in the real main window: built-in texts, the text files
// read at start-up, loading and saving through the memo menu.
#include "gui/FrmMain.h"
#include "storage/LiturgicalTexts.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include <QToolButton>
#include <gtest/gtest.h>

using liturgicaltexts::Memo;

namespace {

QStringList linesOf(const QPlainTextEdit *memo)
{
    return liturgicaltexts::memoLines(memo->toPlainText());
}

QList<std::pair<QPlainTextEdit *, Memo>> allMemos(TfrmMain &w)
{
    return { { control<QPlainTextEdit>(w, "txtDialog1"), Memo::Dialog1 },
             { control<QPlainTextEdit>(w, "txtDialog2"), Memo::Dialog2 },
             { control<QPlainTextEdit>(w, "txtDialog3"), Memo::Dialog3 },
             { control<QPlainTextEdit>(w, "txtCredo"), Memo::Credo },
             { control<QPlainTextEdit>(w, "txtVaterUnser"), Memo::VaterUnser },
             { control<QPlainTextEdit>(w, "txtSegen"), Memo::Segen },
             { control<QPlainTextEdit>(w, "txtGloriaPatri"), Memo::GloriaPatri },
             { control<QPlainTextEdit>(w, "txtKyrie"), Memo::Kyrie },
             { control<QPlainTextEdit>(w, "txtGloriaExcelsis"), Memo::GloriaExcelsis } };
}

void removeTextFolder(const TestEnvironment &env)
{
    QDir(env.programDir() + QStringLiteral("/Texte")).removeRecursively();
}

// Scripted dialogs whose file dialogs leave another current folder behind, as a real dialog
// on some systems does.
class WanderingDialogs : public ScriptedDialogs
{
public:
    QString wanderTo;
    QString openFileName(const FileDialogRequest &request) override
    {
        QDir::setCurrent(wanderTo);
        return ScriptedDialogs::openFileName(request);
    }
    QString chooseSaveFileName(const FileDialogRequest &request) override
    {
        QDir::setCurrent(wanderTo);
        return ScriptedDialogs::chooseSaveFileName(request);
    }
};

std::unique_ptr<TfrmMain> makeWindow(WanderingDialogs **dialogs)
{
    auto scripted = std::make_unique<WanderingDialogs>();
    *dialogs = scripted.get();
    StartOptions options;
    options.skipUpdateCheck = true;
    return std::make_unique<TfrmMain>(std::move(scripted), options);
}

// A right-click on the memo, then the menu entry with this object name.
void rightClickAndChoose(TfrmMain &w, QPlainTextEdit *memo, const QString &entry)
{
    const QPoint local(5, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, memo->viewport()->mapToGlobal(local));
    QCoreApplication::sendEvent(memo->viewport(), &event);
    ASSERT_TRUE(control<QMenu>(w, "MemoMenu")->isVisible());
    auto *action = control<QMenu>(w, "MemoMenu")->findChild<QAction *>(entry);
    ASSERT_NE(action, nullptr);
    control<QMenu>(w, "MemoMenu")->hide();
    action->trigger();
}

TEST(LiturgicalTextsWindow, WithoutTextFolderAllMemosShowTheirBuiltInTexts)
{
    TestEnvironment env;
    removeTextFolder(env);
    auto w = makeMainWindow();
    for (const auto &[control, memo] : allMemos(*w))
        EXPECT_EQ(linesOf(control), liturgicaltexts::builtInText(memo))
            << control->objectName().toStdString();
    // What the user sees: the creed has 22 lines, the Kyrie's responses are indented.
    EXPECT_EQ(control<QPlainTextEdit>(*w, "txtCredo")->blockCount(), 22);
    EXPECT_EQ(control<QPlainTextEdit>(*w, "txtKyrie")->document()->findBlockByNumber(1).text(),
              QStringLiteral("   Herr, erbarme dich."));
    EXPECT_EQ(control<QPlainTextEdit>(*w, "txtGloriaExcelsis")->blockCount(), 10);
}

TEST(LiturgicalTextsWindow, StartupFilesReplaceTheirMemosInEveryLineEndingStyle)
{
    TestEnvironment env;
    removeTextFolder(env);
    env.writeProgramFile(QStringLiteral("Texte/Glaubensbekenntnis.txt"),
                         "Wir glauben an Gott,\r\n\r\nden Vater.\r\n");
    env.writeProgramFile(QStringLiteral("Texte/gloriaexcelsis.txt"),
                         "Ehre sei Gott\nin der H\xf6he");
    env.writeProgramFile(QStringLiteral("Texte/gloriapatri.txt"), "Ehr sei dem Vater\rAmen.\r");
    env.writeProgramFile(QStringLiteral("Texte/kyrie.txt"), "Kyrie\r\n   Herr\nChriste\r");
    env.writeProgramFile(QStringLiteral("Texte/paternoster.txt"), "");
    env.writeProgramFile(QStringLiteral("Texte/segen.txt"), "Gott segne dich \x96 Amen.");

    auto w = makeMainWindow();
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtCredo")),
              QStringList({ QStringLiteral("Wir glauben an Gott,"), QString(),
                            QStringLiteral("den Vater.") }));
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtGloriaExcelsis")),
              QStringList({ QStringLiteral("Ehre sei Gott"), QStringLiteral("in der Höhe") }));
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtGloriaPatri")),
              QStringList({ QStringLiteral("Ehr sei dem Vater"), QStringLiteral("Amen.") }));
    // A Kyrie of three lines is exactly those three lines, nothing appended.
    EXPECT_EQ(control<QPlainTextEdit>(*w, "txtKyrie")->toPlainText(),
              QStringLiteral("Kyrie\n   Herr\nChriste"));
    EXPECT_EQ(control<QPlainTextEdit>(*w, "txtKyrie")->blockCount(), 3);
    EXPECT_TRUE(control<QPlainTextEdit>(*w, "txtVaterUnser")->toPlainText().isEmpty());
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtSegen")),
              QStringList({ QStringLiteral("Gott segne dich – Amen.") }));
    // The dialogues have no file.
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtDialog1")),
              liturgicaltexts::builtInText(Memo::Dialog1));
}

TEST(LiturgicalTextsWindow, FileNamesAreTakenExactlyAndMissingFilesKeepTheBuiltInText)
{
    TestEnvironment env;
    removeTextFolder(env);
    env.writeProgramFile(QStringLiteral("Texte/segen.txt"), "Segen aus der Datei\r\n");
    // Another spelling of the creed's file is not the creed's file.
    env.writeProgramFile(QStringLiteral("Texte/glaubensbekenntnis.txt"), "falsch\r\n");

    ScriptedDialogs *dialogs = nullptr;
    auto w = makeMainWindow(&dialogs);
    EXPECT_TRUE(dialogs->errors.isEmpty());
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtSegen")),
              QStringList({ QStringLiteral("Segen aus der Datei") }));
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtCredo")),
              liturgicaltexts::builtInText(Memo::Credo));
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtKyrie")),
              liturgicaltexts::builtInText(Memo::Kyrie));
}

TEST(LiturgicalTextsWindow, UnreadableStartupFileIsReportedAndEndsTheStartupLoading)
{
    TestEnvironment env;
    removeTextFolder(env);
    env.writeProgramFile(QStringLiteral("Texte/Glaubensbekenntnis.txt"), "Credo aus der Datei\r\n");
    // A folder of that name exists but cannot be read as a file.
    QDir().mkpath(env.programDir() + QStringLiteral("/Texte/gloriapatri.txt"));
    env.writeProgramFile(QStringLiteral("Texte/kyrie.txt"), "Kyrie aus der Datei\r\n");

    ScriptedDialogs *dialogs = nullptr;
    auto w = makeMainWindow(&dialogs);
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors.constFirst().contains(QStringLiteral("gloriapatri.txt")));
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtCredo")),
              QStringList({ QStringLiteral("Credo aus der Datei") }));
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtGloriaPatri")),
              liturgicaltexts::builtInText(Memo::GloriaPatri));
    // Read after the failing file, so never reached.
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtKyrie")),
              liturgicaltexts::builtInText(Memo::Kyrie));
}

TEST(LiturgicalTextsWindow, RightClickLoadsAChosenFileWhereverTheDialogLeavesTheCurrentFolder)
{
    TestEnvironment env;
    WanderingDialogs *dialogs = nullptr;
    auto w = makeWindow(&dialogs);
    dialogs->wanderTo = env.programDir();

    const QString file = env.home() + QStringLiteral("/Mein Credo.txt");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("Ich glaube\r\n\r\n   an Gott\n\xc4men");
    out.close();

    dialogs->fileNames.push_back(file);
    rightClickAndChoose(*w, control<QPlainTextEdit>(*w, "txtCredo"),
                        QStringLiteral("mnuTextoeffnen"));
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtCredo")),
              QStringList({ QStringLiteral("Ich glaube"), QString(), QStringLiteral("   an Gott"),
                            QStringLiteral("Ämen") }));
    ASSERT_EQ(dialogs->fileRequests.size(), 1);
    EXPECT_EQ(dialogs->fileRequests.constFirst().filter,
              QStringLiteral("Texte|*.txt|Alle Dateien|*.*"));
    // Other memos stay as they were, and memos are no unsaved change.
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtKyrie")),
              liturgicaltexts::builtInText(Memo::Kyrie));
    EXPECT_FALSE(w->isWindowModified());

    // Cancelling changes nothing.
    dialogs->fileNames.push_back(QString());
    rightClickAndChoose(*w, control<QPlainTextEdit>(*w, "txtCredo"),
                        QStringLiteral("mnuTextoeffnen"));
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtCredo")).size(), 4);
    EXPECT_TRUE(dialogs->errors.isEmpty());
}

TEST(LiturgicalTextsWindow, ChosenFileThatCannotBeReadIsReportedAndTheMemoKeepsItsText)
{
    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    auto w = makeMainWindow(&dialogs);
    const QStringList before = linesOf(control<QPlainTextEdit>(*w, "txtSegen"));
    dialogs->fileNames.push_back(env.home() + QStringLiteral("/gibt es nicht.txt"));
    rightClickAndChoose(*w, control<QPlainTextEdit>(*w, "txtSegen"),
                        QStringLiteral("mnuTextoeffnen"));
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors.constFirst().contains(QStringLiteral("gibt es nicht.txt")));
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtSegen")), before);
}

TEST(LiturgicalTextsWindow, DialogueMemosOfferNoFileMenu)
{
    TestEnvironment env;
    auto w = makeMainWindow();
    for (QPlainTextEdit *memo :
         { control<QPlainTextEdit>(*w, "txtDialog1"), control<QPlainTextEdit>(*w, "txtDialog2"),
           control<QPlainTextEdit>(*w, "txtDialog3") }) {
        // Without its own menu the memo passes the event on; no file menu may appear.
        memo->setContextMenuPolicy(Qt::NoContextMenu);
        const QPoint local(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, local,
                                memo->viewport()->mapToGlobal(local));
        QCoreApplication::sendEvent(memo->viewport(), &event);
        EXPECT_FALSE(control<QMenu>(*w, "MemoMenu")->isVisible())
            << memo->objectName().toStdString();
    }
    for (QPlainTextEdit *memo :
         { control<QPlainTextEdit>(*w, "txtCredo"), control<QPlainTextEdit>(*w, "txtVaterUnser"),
           control<QPlainTextEdit>(*w, "txtSegen"), control<QPlainTextEdit>(*w, "txtGloriaPatri"),
           control<QPlainTextEdit>(*w, "txtKyrie"),
           control<QPlainTextEdit>(*w, "txtGloriaExcelsis") }) {
        const QPoint local(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, local,
                                memo->viewport()->mapToGlobal(local));
        QCoreApplication::sendEvent(memo->viewport(), &event);
        EXPECT_TRUE(control<QMenu>(*w, "MemoMenu")->isVisible())
            << memo->objectName().toStdString();
        control<QMenu>(*w, "MemoMenu")->hide();
    }
}

TEST(LiturgicalTextsWindow, SavedMemoTextLoadsBackUnchanged)
{
    TestEnvironment env;
    WanderingDialogs *dialogs = nullptr;
    auto w = makeWindow(&dialogs);
    dialogs->wanderTo = env.home();

    // The pastor's own Kyrie, with an indented response, an umlaut and a final empty line.
    const QStringList kyrie = { QStringLiteral("Kyrie eleison."),
                                QStringLiteral("   Herr, erbarme dich über uns."), QString() };
    control<QPlainTextEdit>(*w, "txtKyrie")->setPlainText(liturgicaltexts::memoText(kyrie));
    const QString file = env.home() + QStringLiteral("/Kyrie für Ostern.txt");
    dialogs->fileNames.push_back(file);
    rightClickAndChoose(*w, control<QPlainTextEdit>(*w, "txtKyrie"), QStringLiteral("Speichern1"));
    EXPECT_TRUE(dialogs->errors.isEmpty());
    ASSERT_EQ(dialogs->fileRequests.size(), 1);
    const FileDialogRequest &request = dialogs->fileRequests.constFirst();
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_TRUE(request.filter.startsWith(QStringLiteral("Texte|*.txt|")));
    EXPECT_EQ(request.defaultExtension, QStringLiteral("txt"));

    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(),
              QByteArray("Kyrie eleison.\r\n   Herr, erbarme dich \xfc"
                         "ber uns.\r\n\r\n"));
    saved.close();

    dialogs->fileNames.push_back(file);
    rightClickAndChoose(*w, control<QPlainTextEdit>(*w, "txtCredo"),
                        QStringLiteral("mnuTextoeffnen"));
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtCredo")), kyrie);
    EXPECT_FALSE(w->isWindowModified());
}

TEST(LiturgicalTextsWindow, SavingIntoAMissingFolderIsReportedAndWritesNothing)
{
    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    auto w = makeMainWindow(&dialogs);
    const QString file = env.home() + QStringLiteral("/fehlt/segen.txt");
    dialogs->fileNames.push_back(file);
    rightClickAndChoose(*w, control<QPlainTextEdit>(*w, "txtSegen"), QStringLiteral("Speichern1"));
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_FALSE(QFile::exists(file));

    // Cancelling the save dialog writes nothing and reports nothing.
    dialogs->fileNames.push_back(QString());
    rightClickAndChoose(*w, control<QPlainTextEdit>(*w, "txtSegen"), QStringLiteral("Speichern1"));
    EXPECT_EQ(dialogs->errors.size(), 1);
}

TEST(LiturgicalTextsWindow, LoadedCreedOutlivesSavingAndOpeningButNotTheNextStart)
{
    TestEnvironment env;
    removeTextFolder(env);
    const QString creed = env.home() + QStringLiteral("/credo.txt");
    ASSERT_TRUE(
        liturgicaltexts::writeTextFile(creed, { QStringLiteral("Wir glauben an den einen Gott.") })
            .ok());
    {
        ScriptedDialogs *dialogs = nullptr;
        auto w = makeMainWindow(&dialogs);
        dialogs->fileNames.push_back(creed);
        rightClickAndChoose(*w, control<QPlainTextEdit>(*w, "txtCredo"),
                            QStringLiteral("mnuTextoeffnen"));

        const QString stored = env.home() + QStringLiteral("/Ablauf.ini");
        dialogs->fileNames.push_back(stored);
        control<QToolButton>(*w, "btnSave")->click();
        ASSERT_TRUE(QFile::exists(stored));
        openPreparation(*w, *dialogs, stored);
        EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join(u'\n').toStdString();
        EXPECT_EQ(linesOf(control<QPlainTextEdit>(*w, "txtCredo")),
                  QStringList({ QStringLiteral("Wir glauben an den einen Gott.") }));
    }
    auto next = makeMainWindow();
    EXPECT_EQ(linesOf(control<QPlainTextEdit>(*next, "txtCredo")),
              liturgicaltexts::builtInText(Memo::Credo));
}

TEST(LiturgicalTextsWindow, EditingAMemoIsNoUnsavedChange)
{
    TestEnvironment env;
    auto w = makeMainWindow();
    control<QPlainTextEdit>(*w, "txtCredo")->setPlainText(QStringLiteral("Ich glaube."));
    control<QPlainTextEdit>(*w, "txtDialog1")->setPlainText(QStringLiteral("L: Im Namen Gottes."));
    EXPECT_FALSE(w->isWindowModified());
}

} // namespace
