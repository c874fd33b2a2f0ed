// The usual keys on the main window: each runs what its button runs, and the button's tooltip
// names the key.
#include "gui/DesktopIdentity.h"
#include "gui/FrmMain.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct KeyCase
{
    const char *button;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *tooltipEnd;
    std::function<void(TfrmMain &, ScriptedDialogs &)> prepare;
    std::function<void(TfrmMain &, ScriptedDialogs &)> check;
};

void nothing(TfrmMain &, ScriptedDialogs &) { }

} // namespace

TEST(DesktopIdentity, TheIconIsBuiltIntoTheProgramInEverySize)
{
    const QIcon icon = desktopidentity::programIcon();
    // Each size is a picture of its own, read when first drawn.
    for (int size : { 16, 24, 32, 48, 64, 128, 256 }) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        EXPECT_EQ(icon.pixmap(size).size(), QSize(size, size)) << size;
    }
}

TEST(WindowShortcuts, EachKeyRunsItsButtonAndTheTooltipNamesIt)
{
    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    auto window = makeMainWindow(&dialogs);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    const KeyCase cases[] = {
        { "BtnNew", Qt::Key_N, Qt::ControlModifier, " (Strg+N)",
          [](TfrmMain &w, ScriptedDialogs &d) {
              control<QLineEdit>(w, "txtEingangslied")->setText(QStringLiteral("EG 1"));
              d.yesNoCancelAnswers.push_back(Dialogs::Answer::No);
          },
          [](TfrmMain &w, ScriptedDialogs &) {
              EXPECT_FALSE(w.isWindowModified());
              EXPECT_TRUE(control<QLineEdit>(w, "txtEingangslied")->text().isEmpty());
          } },
        { "BtnOpen", Qt::Key_O, Qt::ControlModifier, " (Strg+O)",
          [](TfrmMain &, ScriptedDialogs &d) { d.fileNames.push_back(QString()); },
          [](TfrmMain &, ScriptedDialogs &d) { EXPECT_EQ(d.fileRequests.size(), 1); } },
        { "btnSave", Qt::Key_S, Qt::ControlModifier, " (Strg+S)",
          [](TfrmMain &, ScriptedDialogs &d) { d.fileNames.push_back(QString()); },
          [](TfrmMain &, ScriptedDialogs &d) { EXPECT_EQ(d.fileRequests.size(), 2); } },
        { "btnPrint", Qt::Key_P, Qt::ControlModifier, " (Strg+P)", nothing, nothing },
        { "BtnHilfe", Qt::Key_F1, Qt::NoModifier, " (F1)",
          [](TfrmMain &, ScriptedDialogs &d) {
              d.openedUrls.clear();
              d.messages.clear();
          },
          [](TfrmMain &, ScriptedDialogs &d) {
              EXPECT_EQ(d.openedUrls.size() + d.messages.size(), 1);
          } },
        { "BtnExit", Qt::Key_Q, Qt::ControlModifier, " (Strg+Q)",
          [](TfrmMain &w, ScriptedDialogs &) { w.document().setModified(false); },
          [](TfrmMain &w, ScriptedDialogs &) { EXPECT_FALSE(w.isVisible()); } },
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.button);
        auto *button = window->findChild<QAbstractButton *>(QString::fromLatin1(c.button));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->toolTip().endsWith(QString::fromUtf8(c.tooltipEnd)))
            << button->toolTip().toStdString();
        c.prepare(*window, *dialogs);
        // A tool-bar button runs its action; the print button is clicked by its action.
        auto *toolButton = qobject_cast<QToolButton *>(button);
        QAction *action = toolButton ? toolButton->defaultAction() : nullptr;
        QSignalSpy ran = action ? QSignalSpy(action, &QAction::triggered)
                                : QSignalSpy(button, &QAbstractButton::clicked);
        QTest::keyClick(window.get(), c.key, c.modifiers);
        EXPECT_EQ(ran.size(), 1);
        c.check(*window, *dialogs);
    }
}
