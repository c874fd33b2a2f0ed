// Two windows on one data folder, as two pastors sharing a folder on a network drive: the second
// to save the day asks with the real message box, "Als neue Datei speichern" keeps both versions
// and the tab "Verlauf" lists both. (When a file counts as changed by somebody else is the
// watched file's own business.)
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "gui/HistoryTab.h"
#include "storage/ServiceOrderFile.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QAbstractItemModel>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

// Presses the button of a message box that carries this caption.
ModalDialogs::Handler pressCaption(const QString &caption, QStringList *captions)
{
    return [caption, captions](QWidget &widget) {
        auto *box = qobject_cast<QMessageBox *>(&widget);
        ASSERT_NE(box, nullptr);
        QAbstractButton *pressed = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            captions->append(button->text());
            if (button->text() == caption)
                pressed = button;
        }
        ASSERT_NE(pressed, nullptr) << caption.toStdString();
        pressed->click();
    };
}

QString hymnIn(const QString &path)
{
    const Result<IniFile> ini = serviceorder::readFile(path);
    return ini ? ini->value(QStringLiteral("Lieder"), QStringLiteral("Eingangslied")) : QString();
}

class SharedFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appclock::setTodayForTesting(QDate(2026, 12, 1));
        first = makeMainWindowWithQtDialogs();
        second = makeMainWindowWithQtDialogs();
    }

    void TearDown() override
    {
        first.reset();
        second.reset();
        appclock::setTodayForTesting({});
    }

    // Types the hymn and saves under the name the save dialog proposes.
    void saveWithHymn(TfrmMain &window, const QString &hymn)
    {
        control<QLineEdit>(window, "txtEingangslied")->setText(hymn);
        dialogs.expect(acceptFileDialog({}));
        control<QToolButton>(window, "btnSave")->click();
    }

    const QString day = QStringLiteral("/3/3 2. Sonntag im Advent.ini");
    TestEnvironment env;
    ModalDialogs dialogs;
    std::unique_ptr<TfrmMain> first;
    std::unique_ptr<TfrmMain> second;
};

TEST_F(SharedFolder, TheSecondSaveAsksAndAsANewFileKeepsBothVersions)
{
    const QString path = env.dataDir() + day;
    const QString beside = env.dataDir() + QStringLiteral("/3/3 2. Sonntag im Advent (2).ini");
    // Both show the day nobody has saved yet; the first saves it.
    saveWithHymn(*first, QStringLiteral("EG 1"));
    ASSERT_EQ(hymnIn(path), QStringLiteral("EG 1"));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // The second is asked; Escape is Abbrechen: nothing written, the work still unsaved.
    QStringList captions;
    dialogs.expectMessageBox(pressEscapeOnMessageBox());
    saveWithHymn(*second, QStringLiteral("EG 16"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.at(0).text.startsWith(
        QStringLiteral("Die Datei wurde inzwischen von jemand anderem geändert")))
        << dialogs.messages.at(0).text.toStdString();
    EXPECT_EQ(hymnIn(path), QStringLiteral("EG 1"));
    EXPECT_FALSE(QFileInfo::exists(beside));
    EXPECT_TRUE(second->isWindowModified());

    // "Als neue Datei speichern": both versions stay, the second beside the first.
    dialogs.expectMessageBox(pressCaption(QStringLiteral("Als neue Datei speichern"), &captions));
    dialogs.expect(acceptFileDialog({}));
    control<QToolButton>(*second, "btnSave")->click();
    EXPECT_EQ(captions,
              (QStringList { QStringLiteral("Als neue Datei speichern"),
                             QStringLiteral("Überschreiben"), QStringLiteral("Abbrechen") }));
    EXPECT_EQ(hymnIn(path), QStringLiteral("EG 1"));
    EXPECT_EQ(hymnIn(beside), QStringLiteral("EG 16"));
    EXPECT_FALSE(second->isWindowModified());
    EXPECT_TRUE(second->windowTitle().startsWith(beside)) << second->windowTitle().toStdString();

    // The second saves again: into its own version, without a question.
    saveWithHymn(*second, QStringLiteral("EG 17"));
    EXPECT_EQ(dialogs.messages.size(), 2); // the two questions before
    EXPECT_EQ(hymnIn(beside), QStringLiteral("EG 17"));
    EXPECT_EQ(hymnIn(path), QStringLiteral("EG 1"));

    auto *history = second->findChild<HistoryTab *>(QStringLiteral("tshVerlauf"));
    ASSERT_NE(history, nullptr);
    QSignalSpy filled(history, &HistoryTab::filled);
    control<QTabWidget>(*second, "pclPageControl")->setCurrentWidget(history);
    ASSERT_TRUE(filled.wait(10000));
    const QAbstractItemModel *rows = control<QTreeView>(*second, "grdVorbereitungen")->model();
    QStringList files;
    for (int row = 0; row < rows->rowCount(); ++row)
        files << rows->index(row, 9).data().toString();
    files.sort();
    EXPECT_EQ(files,
              (QStringList { QStringLiteral("3/3 2. Sonntag im Advent (2).ini"),
                             QStringLiteral("3/3 2. Sonntag im Advent.ini") }));
}

} // namespace
