// The sequence controls of the real main window: the basic-form box, the list, the arrows and
// the four ticks.
#include "gui/FrmMain.h"
#include "order/BasicForms.h"
#include "order/OccasionalServices.h"
#include "tests/order/OrderCases.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A list of a golden case of the sequence.
QStringList caseList(const char *caseName, const char *file)
{
    return ordercases::readList(ordercases::casesFolder() + u'/' + QString::fromUtf8(caseName)
                                + u'/' + QString::fromUtf8(file));
}

class SequenceWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = makeMainWindow(&dialogs);
        // The fresh program folder holds no stored sequence: the window starts with the
        // initial one.
        ASSERT_EQ(shownSequence(*window), basicforms::initialSequence());
    }

    void typeInto(QWidget *target, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &release);
        }
    }

    void pressKey(QWidget *target, Qt::Key key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }

    int selectedRow() const
    {
        const auto items = control<QListWidget>(*window, "lbxReihenfolge")->selectedItems();
        return items.isEmpty()
            ? -1
            : control<QListWidget>(*window, "lbxReihenfolge")->row(items.first());
    }

    ServiceTicks ticks() const
    {
        return { .abendmahl = control<QCheckBox>(*window, "chkAbendmahl")->isChecked(),
                 .taufe = control<QCheckBox>(*window, "chkTaufe")->isChecked(),
                 .konfirmation = control<QCheckBox>(*window, "chkKonfirmation")->isChecked(),
                 .trauung = control<QCheckBox>(*window, "chkTrauung")->isChecked() };
    }

    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(SequenceWindow, StartsWithTheFirstFormShownAndNothingTicked)
{
    QComboBox *box = control<QComboBox>(*window, "cmbGrundform");
    ASSERT_EQ(box->count(), 4);
    EXPECT_EQ(box->itemText(0), QStringLiteral("Liturgie I, Form 1"));
    EXPECT_EQ(box->itemText(1), QStringLiteral("Liturgie I, Form 2"));
    EXPECT_EQ(box->itemText(2), QStringLiteral("Liturgie II, Form 1"));
    EXPECT_EQ(box->itemText(3), QStringLiteral("Liturgie II, Form 2"));
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(box->currentText(), QStringLiteral("Liturgie I, Form 1"));
    // Pick-only: a key can never empty the box or name no form.
    EXPECT_FALSE(box->isEditable());
    EXPECT_EQ(box->lineEdit(), nullptr);
    for (const QCheckBox *tick :
         { control<QCheckBox>(*window, "chkAbendmahl"), control<QCheckBox>(*window, "chkTaufe"),
           control<QCheckBox>(*window, "chkKonfirmation"),
           control<QCheckBox>(*window, "chkTrauung") })
        EXPECT_FALSE(tick->isChecked());
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_TRUE(dialogs->messages.isEmpty());
}

TEST_F(SequenceWindow, ChoosingAFormRebuildsTheList)
{
    // Choosing the form already shown still counts: the opening hymn moves after "3. Dialog".
    emit control<QComboBox>(*window, "cmbGrundform")->activated(0);
    EXPECT_EQ(shownSequence(*window), basicforms::formSequence(0).entries());

    // Manual moves are lost by the next choice.
    control<QListWidget>(*window, "lbxReihenfolge")->setCurrentRow(10);
    control<QToolButton>(*window, "btnUp")->click();
    ASSERT_NE(shownSequence(*window), basicforms::formSequence(0).entries());
    // The box claims no form for a list moved by hand; a key picks the first form again.
    EXPECT_EQ(control<QComboBox>(*window, "cmbGrundform")->currentIndex(), -1);
    pressKey(control<QComboBox>(*window, "cmbGrundform"), Qt::Key_Down);
    EXPECT_EQ(control<QComboBox>(*window, "cmbGrundform")->currentIndex(), 0);
    EXPECT_EQ(shownSequence(*window), basicforms::formSequence(0).entries());
    EXPECT_EQ(selectedRow(), -1);
    pressKey(control<QComboBox>(*window, "cmbGrundform"), Qt::Key_Down);
    EXPECT_EQ(control<QComboBox>(*window, "cmbGrundform")->currentIndex(), 1);
    EXPECT_EQ(shownSequence(*window), basicforms::formSequence(1).entries());

    control<QComboBox>(*window, "cmbGrundform")->setCurrentIndex(2);
    EXPECT_EQ(shownSequence(*window), basicforms::formSequence(2).entries());
    control<QComboBox>(*window, "cmbGrundform")->setCurrentIndex(3);
    EXPECT_EQ(shownSequence(*window), basicforms::formSequence(3).entries());
    control<QComboBox>(*window, "cmbGrundform")->setCurrentIndex(0);
    EXPECT_EQ(shownSequence(*window), basicforms::formSequence(0).entries());
    EXPECT_TRUE(window->isWindowModified()); // saved with the preparation
}

TEST_F(SequenceWindow, KeysOnTheFormBoxOnlyPickAForm)
{
    QComboBox *box = control<QComboBox>(*window, "cmbGrundform");
    box->setFocus();
    typeInto(box, QStringLiteral("x"));
    EXPECT_EQ(box->currentText(), QStringLiteral("Liturgie I, Form 1"));
    EXPECT_EQ(shownSequence(*window), basicforms::initialSequence());
    pressKey(box, Qt::Key_Delete);
    pressKey(box, Qt::Key_Backspace);
    EXPECT_EQ(box->currentText(), QStringLiteral("Liturgie I, Form 1"));
    pressKey(box, Qt::Key_End);
    EXPECT_EQ(box->currentText(), QStringLiteral("Liturgie II, Form 2"));
    EXPECT_EQ(shownSequence(*window), basicforms::formSequence(3).entries());
}

TEST_F(SequenceWindow, TheOrderViewNeverOutlivesWhatItWasMadeFrom)
{
    // Each change of the day, the basic form, a tick or the sequence empties the generated
    // order, so that print and export generate it anew instead of using a stale one.
    const struct
    {
        const char *change;
        std::function<void(TfrmMain &)> apply;
    } changes[] = {
        { "another basic form",
          [](TfrmMain &w) { control<QComboBox>(w, "cmbGrundform")->setCurrentIndex(2); } },
        { "the same basic form chosen again",
          [](TfrmMain &w) {
              emit control<QComboBox>(w, "cmbGrundform")
                  ->activated(control<QComboBox>(w, "cmbGrundform")->currentIndex());
          } },
        { "a tick", [](TfrmMain &w) { control<QCheckBox>(w, "chkAbendmahl")->click(); } },
        { "a tick taken off", [](TfrmMain &w) { control<QCheckBox>(w, "chkAbendmahl")->click(); } },
        { "an entry moved down",
          [](TfrmMain &w) {
              control<QListWidget>(w, "lbxReihenfolge")->setCurrentRow(2);
              control<QToolButton>(w, "btnDown")->click();
          } },
        { "an entry moved up",
          [](TfrmMain &w) {
              control<QListWidget>(w, "lbxReihenfolge")->setCurrentRow(3);
              control<QToolButton>(w, "btnUp")->click();
          } },
        { "another day",
          [](TfrmMain &w) {
              control<QComboBox>(w, "cmbTag")
                  ->setCurrentIndex(control<QComboBox>(w, "cmbTag")->currentIndex() + 1);
          } },
    };
    for (const auto &c : changes) {
        SCOPED_TRACE(c.change);
        // Each change on its own: nothing unsaved asks before the day changes.
        window->document().setModified(false);
        control<QPushButton>(*window, "btnCompile")->click();
        ASSERT_FALSE(control<QTextEdit>(*window, "txtAblauf")->toPlainText().isEmpty());
        c.apply(*window);
        EXPECT_TRUE(control<QTextEdit>(*window, "txtAblauf")->toPlainText().isEmpty());
    }
    // Generated again, the order is that of the day now shown.
    control<QPushButton>(*window, "btnCompile")->click();
    EXPECT_TRUE(control<QTextEdit>(*window, "txtAblauf")
                    ->toPlainText()
                    .startsWith(control<QLabel>(*window, "lblTagesname")->text().trimmed()));
    EXPECT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join(u'|').toStdString();
}

TEST_F(SequenceWindow, TickingBaptismPlacesItsBlockAndUntickingRebuilds)
{
    control<QCheckBox>(*window, "chkTaufe")->click();
    ASSERT_TRUE(control<QCheckBox>(*window, "chkTaufe")->isChecked());
    // The block is placed into the initial sequence as it stands.
    EXPECT_EQ(shownSequence(*window), caseList("sequence-start-baptism", "expected-sequence.txt"));

    control<QCheckBox>(*window, "chkTaufe")->click();
    ASSERT_FALSE(control<QCheckBox>(*window, "chkTaufe")->isChecked());
    // Unticking rebuilds the form the box shows.
    EXPECT_EQ(shownSequence(*window), basicforms::formSequence(0).entries());
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(SequenceWindow, RebuildReappliesEveryTickedService)
{
    control<QCheckBox>(*window, "chkTrauung")->click();
    control<QCheckBox>(*window, "chkTaufe")->click();
    control<QCheckBox>(*window, "chkKonfirmation")->click();
    control<QCheckBox>(*window, "chkAbendmahl")->click();
    // Ticking one after the other depends on the order; choosing the form applies the
    // services in the fixed order.
    emit control<QComboBox>(*window, "cmbGrundform")->activated(0);
    const QStringList all = shownSequence(*window);
    EXPECT_EQ(all.size(), 42);
    EXPECT_EQ(all, occasional::rebuildSequence(0, ticks()).entries());

    // Unticking one rebuilds with the other three.
    control<QCheckBox>(*window, "chkAbendmahl")->click();
    EXPECT_EQ(
        shownSequence(*window),
        occasional::rebuildSequence(0, { .taufe = true, .konfirmation = true, .trauung = true })
            .entries());
    EXPECT_FALSE(shownSequence(*window).contains(QStringLiteral("Agnus Dei")));
    EXPECT_TRUE(control<QCheckBox>(*window, "chkTrauung")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(*window, "chkTaufe")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(*window, "chkKonfirmation")->isChecked());
}

TEST_F(SequenceWindow, RestoredListWithTicksSetByTheProgram)
{
    // A restore: the stored list first, then the ticks in the order communion, baptism,
    // confirmation, wedding; a tick changed by the program runs its rule.
    window->document().setSequence(
        caseList("sequence-restore-baptism-then-confirmation", "sequence.txt"));
    control<QCheckBox>(*window, "chkAbendmahl")->setChecked(false);
    control<QCheckBox>(*window, "chkTaufe")->setChecked(true);
    control<QCheckBox>(*window, "chkKonfirmation")->setChecked(true);
    control<QCheckBox>(*window, "chkTrauung")->setChecked(false);
    EXPECT_EQ(shownSequence(*window),
              caseList("sequence-restore-baptism-then-confirmation", "expected-sequence.txt"));
    // Setting a tick to the state it has runs nothing.
    control<QCheckBox>(*window, "chkTaufe")->setChecked(true);
    EXPECT_EQ(shownSequence(*window),
              caseList("sequence-restore-baptism-then-confirmation", "expected-sequence.txt"));

    // A stored list without the anchor of a ticked service gives way to the basic form.
    window->document().setSequence(
        QStringList({ QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei"),
                      QStringLiteral("Vier"), QStringLiteral("Fünf"), QStringLiteral("Sechs") }));
    control<QCheckBox>(*window, "chkAbendmahl")->setChecked(true);
    EXPECT_EQ(shownSequence(*window), occasional::rebuildSequence(0, ticks()).entries());
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(SequenceWindow, ArrowsMoveTheSelectedEntryAndKeepItSelected)
{
    QListWidget *list = control<QListWidget>(*window, "lbxReihenfolge");
    list->setCurrentRow(5); // "2. Dialog"
    control<QToolButton>(*window, "btnUp")->click();
    control<QToolButton>(*window, "btnUp")->click();
    EXPECT_EQ(selectedRow(), 3);
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("2. Dialog"));
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("Eingangslied"));
    control<QToolButton>(*window, "btnDown")->click();
    EXPECT_EQ(selectedRow(), 4);
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("2. Dialog"));

    const QStringList before = shownSequence(*window);
    list->setCurrentRow(0);
    control<QToolButton>(*window, "btnUp")->click();
    EXPECT_EQ(selectedRow(), 0);
    list->setCurrentRow(list->count() - 1);
    control<QToolButton>(*window, "btnDown")->click();
    EXPECT_EQ(selectedRow(), list->count() - 1);
    list->clearSelection();
    list->setCurrentRow(-1);
    control<QToolButton>(*window, "btnUp")->click();
    control<QToolButton>(*window, "btnDown")->click();
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_EQ(shownSequence(*window), before);
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(SequenceWindow, TickingKeepsTheSelectedEntrySelected)
{
    QListWidget *list = control<QListWidget>(*window, "lbxReihenfolge");
    list->setCurrentRow(int(shownSequence(*window).indexOf(QStringLiteral("Predigt"))));
    control<QCheckBox>(*window, "chkTaufe")->click();
    ASSERT_NE(selectedRow(), -1);
    EXPECT_EQ(list->item(selectedRow())->text(), QStringLiteral("Predigt"));
    // A rebuild selects nothing.
    control<QCheckBox>(*window, "chkTaufe")->click();
    EXPECT_EQ(selectedRow(), -1);
}

TEST_F(SequenceWindow, FocusOnTheFormBoxExplainsIt)
{
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(control<QComboBox>(*window, "cmbGrundform"), &focus);
    EXPECT_EQ(
        control<QStatusBar>(*window, "Status")->currentMessage(),
        QStringLiteral("Die vorgeschlagenen Liturgien entsprechen den Grundformen der EKBO."));
}

} // namespace
