// Unsaved work through the real message box: choosing another day, starting anew and closing
// the window ask whether to save the changes, with Ja, Nein and Abbrechen, and the title shows what
// would be lost.
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Closing asks as it always has; choosing another day asks in short.
const QString kClosingQuestion
    = QStringLiteral("Die letzten Änderungen wurden noch nicht gespeichert. Jetzt speichern?");
const QString kSwitchQuestion = QStringLiteral("Die Änderungen speichern?");
const QString kAdvent2 = QStringLiteral("06.12.2026 - 2. Sonntag im Advent");
const QString kAdvent3 = QStringLiteral("13.12.2026 - 3. Sonntag im Advent");

// How the user answers the question.
enum class Reply { Ja, Nein, Abbrechen, Escape, CloseBox, JaSaveCancelled };

const char *nameOf(Reply reply)
{
    switch (reply) {
    case Reply::Ja:
        return "Ja";
    case Reply::Nein:
        return "Nein";
    case Reply::Abbrechen:
        return "Abbrechen";
    case Reply::Escape:
        return "Escape";
    case Reply::CloseBox:
        return "closing the box";
    case Reply::JaSaveCancelled:
        return "Ja, then cancelling the save";
    }
    return "";
}

// Whether the work is set aside after this reply (saved first for Ja).
bool goesOn(Reply reply)
{
    return reply == Reply::Ja || reply == Reply::Nein;
}

class UnsavedWork : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appclock::setTodayForTesting(QDate(2026, 12, 1));
        window = makeMainWindowWithQtDialogs();
        ASSERT_EQ(control<QComboBox>(*window, "cmbTag")->currentText(), kAdvent2);
        ASSERT_FALSE(window->isWindowModified());
    }

    void TearDown() override
    {
        if (window)
            window->document().setModified(false);
        window.reset();
        appclock::setTodayForTesting({});
    }

    // Types a hymn, which is unsaved work.
    void typeHymn()
    {
        control<QLineEdit>(*window, "txtEingangslied")->setFocus();
        control<QLineEdit>(*window, "txtEingangslied")->selectAll();
        QTest::keyClicks(control<QLineEdit>(*window, "txtEingangslied"), QStringLiteral("EG 11"));
        ASSERT_TRUE(window->isWindowModified());
    }

    void expectReply(Reply reply)
    {
        switch (reply) {
        case Reply::Ja:
            dialogs.expectMessageBox(pressMessageBoxButton(QMessageBox::Yes));
            dialogs.expect(acceptFileDialog({}));
            break;
        case Reply::JaSaveCancelled:
            dialogs.expectMessageBox(pressMessageBoxButton(QMessageBox::Yes));
            dialogs.expect([](QWidget &dialog) { static_cast<QDialog &>(dialog).reject(); });
            break;
        case Reply::Nein:
            dialogs.expectMessageBox(pressMessageBoxButton(QMessageBox::No));
            break;
        case Reply::Abbrechen:
            dialogs.expectMessageBox(pressMessageBoxButton(QMessageBox::Cancel));
            break;
        case Reply::Escape:
            dialogs.expectMessageBox(pressEscapeOnMessageBox());
            break;
        case Reply::CloseBox:
            dialogs.expectMessageBox(closeMessageBox());
            break;
        }
    }

    QString savedAdvent2() const
    {
        return env.dataDir() + QStringLiteral("/3/3 2. Sonntag im Advent.ini");
    }

    TestEnvironment env;
    ModalDialogs dialogs;
    std::unique_ptr<TfrmMain> window;
};

const Reply kReplies[] = { Reply::Ja,     Reply::Nein,     Reply::Abbrechen,
                           Reply::Escape, Reply::CloseBox, Reply::JaSaveCancelled };

} // namespace

TEST_F(UnsavedWork, ChoosingAnotherDayFromTheListAsksFirst)
{
    for (const Reply reply : kReplies) {
        SCOPED_TRACE(nameOf(reply));
        QFile::remove(savedAdvent2());
        window = makeMainWindowWithQtDialogs();
        dialogs.messages.clear();
        typeHymn();
        expectReply(reply);

        control<QComboBox>(*window, "cmbTag")
            ->setCurrentIndex(control<QComboBox>(*window, "cmbTag")->findText(kAdvent3));

        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages.first().text, kSwitchQuestion);
        EXPECT_EQ(dialogs.pendingHandlers(), 0u);
        EXPECT_EQ(QFileInfo::exists(savedAdvent2()), reply == Reply::Ja);
        if (goesOn(reply)) {
            EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text().trimmed(),
                      QStringLiteral("3. Sonntag im Advent"));
            EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QString());
            EXPECT_FALSE(window->isWindowModified());
        } else {
            // The day and everything typed stay; the selector shows that day again.
            EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->currentText(), kAdvent2);
            EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text().trimmed(),
                      QStringLiteral("2. Sonntag im Advent"));
            EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(),
                      QStringLiteral("EG 11"));
            EXPECT_TRUE(window->isWindowModified());
        }
    }
}

TEST_F(UnsavedWork, ATypedDayAsksAndAbbrechenPutsTheShownDayBack)
{
    typeHymn();
    expectReply(Reply::Abbrechen);
    control<QComboBox>(*window, "cmbTag")->lineEdit()->setText(kAdvent3);
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->currentText(), kAdvent2);
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 11"));

    // Too short to name a day: nothing is asked, nothing changes.
    control<QComboBox>(*window, "cmbTag")->lineEdit()->setText(QStringLiteral("13.12."));
    EXPECT_EQ(dialogs.messages.size(), 1);

    expectReply(Reply::Nein);
    control<QComboBox>(*window, "cmbTag")->lineEdit()->setText(kAdvent3);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text().trimmed(),
              QStringLiteral("3. Sonntag im Advent"));
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(UnsavedWork, NeuAsksBeforeStartingAnew)
{
    typeHymn();
    expectReply(Reply::Escape);
    control<QToolButton>(*window, "BtnNew")->click();
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 11"));
    EXPECT_TRUE(window->isWindowModified());

    expectReply(Reply::Nein);
    control<QToolButton>(*window, "BtnNew")->click();
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QString());
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(dialogs.messages.size(), 2);
}

TEST_F(UnsavedWork, ClosingTheWindowAsksAndCanBeCancelled)
{
    for (const Reply reply : kReplies) {
        SCOPED_TRACE(nameOf(reply));
        QFile::remove(savedAdvent2());
        window = makeMainWindowWithQtDialogs();
        dialogs.messages.clear();
        window->show();
        typeHymn();
        expectReply(reply);

        const bool closed = window->close();

        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages.first().text, kClosingQuestion);
        EXPECT_EQ(closed, goesOn(reply));
        EXPECT_EQ(window->isVisible(), !goesOn(reply));
        EXPECT_EQ(QFileInfo::exists(savedAdvent2()), reply == Reply::Ja);
        // Only a save clears the mark; Nein closes with the work given up.
        EXPECT_EQ(window->isWindowModified(), reply != Reply::Ja);
    }

    // Nothing unsaved: the window closes without a question.
    window = makeMainWindowWithQtDialogs();
    dialogs.messages.clear();
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(UnsavedWork, TheTitleMarksUnsavedWork)
{
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("[*]")));
    typeHymn();
    dialogs.expect(acceptFileDialog({}));
    control<QToolButton>(*window, "btnSave")->click();
    EXPECT_FALSE(window->isWindowModified());
    // The opened file names the window; its changes are marked there too.
    dialogs.expect(acceptFileDialog(savedAdvent2()));
    control<QToolButton>(*window, "BtnOpen")->click();
    EXPECT_EQ(window->windowTitle(), savedAdvent2() + QStringLiteral("[*]"));
}
