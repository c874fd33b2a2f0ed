// The sequence controls of the real main window: the basic-form box, the list, the arrows and
// the four ticks.
#include "gui/FrmMain.h"
#include "order/BasicForms.h"
#include "order/OccasionalServices.h"
#include "tests/order/OrderCases.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"

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
        ASSERT_EQ(window->sequenceEntries(), basicforms::initialSequence());
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
        const auto items = window->lbxReihenfolge->selectedItems();
        return items.isEmpty() ? -1 : window->lbxReihenfolge->row(items.first());
    }

    ServiceTicks ticks() const
    {
        return { .abendmahl = window->chkAbendmahl->isChecked(),
                 .taufe = window->chkTaufe->isChecked(),
                 .konfirmation = window->chkKonfirmation->isChecked(),
                 .trauung = window->chkTrauung->isChecked() };
    }

    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(SequenceWindow, StartsWithTheFirstFormShownAndNothingTicked)
{
    QComboBox *box = window->cmbGrundform;
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
         { window->chkAbendmahl, window->chkTaufe, window->chkKonfirmation, window->chkTrauung })
        EXPECT_FALSE(tick->isChecked());
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_TRUE(dialogs->messages.isEmpty());
}

TEST_F(SequenceWindow, ChoosingAFormRebuildsTheList)
{
    // Choosing the form already shown still counts: the opening hymn moves after "3. Dialog".
    emit window->cmbGrundform->activated(0);
    EXPECT_EQ(window->sequenceEntries(), basicforms::formSequence(0).entries());

    // Manual moves are lost by the next choice.
    window->lbxReihenfolge->setCurrentRow(10);
    window->btnUp->click();
    ASSERT_NE(window->sequenceEntries(), basicforms::formSequence(0).entries());
    pressKey(window->cmbGrundform, Qt::Key_Down);
    EXPECT_EQ(window->cmbGrundform->currentIndex(), 1);
    EXPECT_EQ(window->sequenceEntries(), basicforms::formSequence(1).entries());
    EXPECT_EQ(selectedRow(), -1);

    window->cmbGrundform->setCurrentIndex(2);
    EXPECT_EQ(window->sequenceEntries(), basicforms::formSequence(2).entries());
    window->cmbGrundform->setCurrentIndex(3);
    EXPECT_EQ(window->sequenceEntries(), basicforms::formSequence(3).entries());
    window->cmbGrundform->setCurrentIndex(0);
    EXPECT_EQ(window->sequenceEntries(), basicforms::formSequence(0).entries());
    EXPECT_EQ(window->Modified(), 0);
}

TEST_F(SequenceWindow, KeysOnTheFormBoxOnlyPickAForm)
{
    QComboBox *box = window->cmbGrundform;
    box->setFocus();
    typeInto(box, QStringLiteral("x"));
    EXPECT_EQ(box->currentText(), QStringLiteral("Liturgie I, Form 1"));
    EXPECT_EQ(window->sequenceEntries(), basicforms::initialSequence());
    pressKey(box, Qt::Key_Delete);
    pressKey(box, Qt::Key_Backspace);
    EXPECT_EQ(box->currentText(), QStringLiteral("Liturgie I, Form 1"));
    pressKey(box, Qt::Key_End);
    EXPECT_EQ(box->currentText(), QStringLiteral("Liturgie II, Form 2"));
    EXPECT_EQ(window->sequenceEntries(), basicforms::formSequence(3).entries());
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
        { "another basic form", [](TfrmMain &w) { w.cmbGrundform->setCurrentIndex(2); } },
        { "the same basic form chosen again",
          [](TfrmMain &w) { emit w.cmbGrundform->activated(w.cmbGrundform->currentIndex()); } },
        { "a tick", [](TfrmMain &w) { w.chkAbendmahl->click(); } },
        { "a tick taken off", [](TfrmMain &w) { w.chkAbendmahl->click(); } },
        { "an entry moved down",
          [](TfrmMain &w) {
              w.lbxReihenfolge->setCurrentRow(2);
              w.btnDown->click();
          } },
        { "an entry moved up",
          [](TfrmMain &w) {
              w.lbxReihenfolge->setCurrentRow(3);
              w.btnUp->click();
          } },
        { "another day",
          [](TfrmMain &w) { w.cmbTag->setCurrentIndex(w.cmbTag->currentIndex() + 1); } },
    };
    for (const auto &c : changes) {
        SCOPED_TRACE(c.change);
        window->btnCompile->click();
        ASSERT_FALSE(window->txtAblauf->toPlainText().isEmpty());
        c.apply(*window);
        EXPECT_TRUE(window->txtAblauf->toPlainText().isEmpty());
    }
    // Generated again, the order is that of the day now shown.
    window->btnCompile->click();
    EXPECT_TRUE(
        window->txtAblauf->toPlainText().startsWith(window->lblTagesname->text().trimmed()));
    EXPECT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join(u'|').toStdString();
}

TEST_F(SequenceWindow, TickingBaptismPlacesItsBlockAndUntickingRebuilds)
{
    window->chkTaufe->click();
    ASSERT_TRUE(window->chkTaufe->isChecked());
    // The block is placed into the initial sequence as it stands.
    EXPECT_EQ(window->sequenceEntries(),
              caseList("sequence-start-baptism", "expected-sequence.txt"));

    window->chkTaufe->click();
    ASSERT_FALSE(window->chkTaufe->isChecked());
    // Unticking rebuilds the form the box shows.
    EXPECT_EQ(window->sequenceEntries(), basicforms::formSequence(0).entries());
    EXPECT_EQ(window->Modified(), 0);
}

TEST_F(SequenceWindow, RebuildReappliesEveryTickedService)
{
    window->chkTrauung->click();
    window->chkTaufe->click();
    window->chkKonfirmation->click();
    window->chkAbendmahl->click();
    // Ticking one after the other depends on the order; choosing the form applies the
    // services in the fixed order.
    emit window->cmbGrundform->activated(0);
    const QStringList all = window->sequenceEntries();
    EXPECT_EQ(all.size(), 42);
    EXPECT_EQ(all, occasional::rebuildSequence(0, ticks()).entries());

    // Unticking one rebuilds with the other three.
    window->chkAbendmahl->click();
    EXPECT_EQ(
        window->sequenceEntries(),
        occasional::rebuildSequence(0, { .taufe = true, .konfirmation = true, .trauung = true })
            .entries());
    EXPECT_FALSE(window->sequenceEntries().contains(QStringLiteral("Agnus Dei")));
    EXPECT_TRUE(window->chkTrauung->isChecked());
    EXPECT_TRUE(window->chkTaufe->isChecked());
    EXPECT_TRUE(window->chkKonfirmation->isChecked());
}

TEST_F(SequenceWindow, RestoredListWithTicksSetByTheProgram)
{
    // A restore: the stored list first, then the ticks in the order communion, baptism,
    // confirmation, wedding; a tick changed by the program runs its rule.
    window->setSequenceEntries(
        caseList("sequence-restore-baptism-then-confirmation", "sequence.txt"));
    window->chkAbendmahl->setChecked(false);
    window->chkTaufe->setChecked(true);
    window->chkKonfirmation->setChecked(true);
    window->chkTrauung->setChecked(false);
    EXPECT_EQ(window->sequenceEntries(),
              caseList("sequence-restore-baptism-then-confirmation", "expected-sequence.txt"));
    // Setting a tick to the state it has runs nothing.
    window->chkTaufe->setChecked(true);
    EXPECT_EQ(window->sequenceEntries(),
              caseList("sequence-restore-baptism-then-confirmation", "expected-sequence.txt"));

    // A stored list without the anchor of a ticked service gives way to the basic form.
    window->setSequenceEntries(
        QStringList({ QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei"),
                      QStringLiteral("Vier"), QStringLiteral("Fünf"), QStringLiteral("Sechs") }));
    window->chkAbendmahl->setChecked(true);
    EXPECT_EQ(window->sequenceEntries(), occasional::rebuildSequence(0, ticks()).entries());
    EXPECT_EQ(window->Modified(), 0);
}

TEST_F(SequenceWindow, ArrowsMoveTheSelectedEntryAndKeepItSelected)
{
    QListWidget *list = window->lbxReihenfolge;
    list->setCurrentRow(5); // "2. Dialog"
    window->btnUp->click();
    window->btnUp->click();
    EXPECT_EQ(selectedRow(), 3);
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("2. Dialog"));
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("Eingangslied"));
    window->btnDown->click();
    EXPECT_EQ(selectedRow(), 4);
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("2. Dialog"));

    const QStringList before = window->sequenceEntries();
    list->setCurrentRow(0);
    window->btnUp->click();
    EXPECT_EQ(selectedRow(), 0);
    list->setCurrentRow(list->count() - 1);
    window->btnDown->click();
    EXPECT_EQ(selectedRow(), list->count() - 1);
    list->clearSelection();
    list->setCurrentRow(-1);
    window->btnUp->click();
    window->btnDown->click();
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_EQ(window->sequenceEntries(), before);
    EXPECT_EQ(window->Modified(), 0);
}

TEST_F(SequenceWindow, TickingKeepsTheSelectedEntrySelected)
{
    QListWidget *list = window->lbxReihenfolge;
    list->setCurrentRow(int(window->sequenceEntries().indexOf(QStringLiteral("Predigt"))));
    window->chkTaufe->click();
    ASSERT_NE(selectedRow(), -1);
    EXPECT_EQ(list->item(selectedRow())->text(), QStringLiteral("Predigt"));
    // A rebuild selects nothing.
    window->chkTaufe->click();
    EXPECT_EQ(selectedRow(), -1);
}

TEST_F(SequenceWindow, FocusOnTheFormBoxExplainsIt)
{
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(window->cmbGrundform, &focus);
    EXPECT_EQ(
        window->Status->currentMessage(),
        QStringLiteral("Die vorgeschlagenen Liturgien entsprechen den Grundformen der EKBO."));
}

} // namespace
