// Each page on its own with a document: what its controls hand to the document, what it shows
// of the document and what it asks the window for. No main window is built.
#include "calendar/DayColour.h"
#include "gui/DayPanel.h"
#include "gui/LiturgyPage.h"
#include "gui/PreparationDocument.h"
#include "gui/PrinterAvailability.h"
#include "gui/ProperPage.h"
#include "order/BasicForms.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using Field = PreparationDocument::Field;

class Pages : public ::testing::Test
{
protected:
    TestEnvironment env;
    ScriptedDialogs dialogs;
    PreparationDocument document;
};

TEST_F(Pages, TheProperPageEditsTheDocumentAndAsksForPassagesAndTheSermon)
{
    ProperPage page(document, dialogs);
    auto *epistle = control<QLineEdit>(page, "txtEpistel");
    epistle->setText(QStringLiteral("Röm 12,1-8"));
    EXPECT_EQ(document.text(Field::Epistel), QStringLiteral("Röm 12,1-8"));
    EXPECT_TRUE(document.isModified());
    document.setText(Field::Ausgangslied, QStringLiteral("EG 170"));
    EXPECT_EQ(control<QLineEdit>(page, "txtAusgangslied")->text(), QStringLiteral("EG 170"));

    QSignalSpy passages(&page, &ProperPage::passageRequested);
    doubleClickOn(control<QLineEdit>(page, "txtPsalm"));
    control<QPushButton>(page, "btnOpenPredigttext")->click();
    ASSERT_EQ(passages.count(), 2);
    EXPECT_EQ(passages.at(0).at(0).value<Field>(), Field::Psalm);
    EXPECT_FALSE(passages.at(0).at(1).toBool());
    EXPECT_EQ(passages.at(1).at(0).value<Field>(), Field::Predigttext);
    EXPECT_TRUE(passages.at(1).at(1).toBool());

    QSignalSpy sermon(&page, &ProperPage::sermonDocumentRequested);
    clickOn(control<QLabel>(page, "lblPredigttext"));
    EXPECT_EQ(sermon.count(), 1);
}

TEST_F(Pages, TheLiturgyPageShowsTheSequenceAndKeepsTheSelectionWhereARuleAllows)
{
    LiturgyPage page(document, dialogs);
    auto *list = control<QListWidget>(page, "lbxReihenfolge");
    EXPECT_EQ(shownSequence(page), document.preparation().sequence);

    // A moved entry stays selected at its new place.
    list->setCurrentRow(1);
    const QString moved = list->item(1)->text();
    control<QToolButton>(page, "btnDown")->click();
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(document.preparation().sequence.at(2), moved);

    // A tick placed into the list keeps the selected entry selected.
    control<QCheckBox>(page, "chkTaufe")->click();
    EXPECT_TRUE(document.preparation().ticks.taufe);
    EXPECT_EQ(shownSequence(page), document.preparation().sequence);
    ASSERT_GE(list->currentRow(), 0);
    EXPECT_EQ(list->currentItem()->text(), moved);

    // A tick the document sets (a loaded file) shows without running the rule again.
    const QStringList before = document.preparation().sequence;
    document.setSequence(before);
    EXPECT_TRUE(control<QCheckBox>(page, "chkTaufe")->isChecked());

    // Choosing a basic form rebuilds the list, with the baptism still ticked.
    auto *forms = control<QComboBox>(page, "cmbGrundform");
    forms->setCurrentIndex(2);
    EXPECT_EQ(document.basicForm(), 2);
    EXPECT_EQ(shownSequence(page), document.preparation().sequence);
    EXPECT_EQ(list->currentRow(), -1);
}

// A filled field the sequence has no place for is named above the order and in the status
// bar when generating and again before printing, and the note goes with the order it was for.
TEST_F(Pages, TheLiturgyPageNamesFieldsTheOrderLeavesOut)
{
    printeravailability::setSystemPrintersForTesting(false);
    LiturgyPage page(document, dialogs);
    QSignalSpy status(&page, &LiturgyPage::statusText);
    auto *note = control<QLabel>(page, "lblNichtImAblauf");
    auto *order = control<QTextEdit>(page, "txtAblauf");
    const QRect orderAlone = order->geometry();
    const auto lastStatus
        = [&] { return status.isEmpty() ? QString() : status.last().at(0).toString(); };

    control<QComboBox>(page, "cmbGrundform")->setCurrentIndex(2); // Liturgie II, Form 1
    control<QPushButton>(page, "btnCompile")->click();
    EXPECT_TRUE(note->isHidden()); // nothing filled, nothing left out

    document.setText(Field::Wochenlied, QStringLiteral("EG 10"));
    document.setText(Field::Ausgangslied, QStringLiteral("EG 27"));
    control<QPushButton>(page, "btnPrint")->click(); // prints the order as it stands
    const QString expected = QStringLiteral(
        "Nicht im Ablauf, weil die Reihenfolge keinen Platz dafür hat: Wochenlied „EG 10“");
    EXPECT_FALSE(note->isHidden());
    EXPECT_EQ(note->text(), expected);
    EXPECT_EQ(lastStatus(), expected);
    EXPECT_GT(order->geometry().top(), note->geometry().bottom());

    document.setText(Field::Epistel, QStringLiteral("Röm 1,1-7"));
    control<QPushButton>(page, "btnCompile")->click();
    EXPECT_EQ(note->text(),
              QStringLiteral("Nicht im Ablauf, weil die Reihenfolge keinen Platz dafür hat: "
                             "Epistel „Röm 1,1-7“, Wochenlied „EG 10“"));

    // Another form makes the order and its note stale; generated again, everything has its place.
    control<QComboBox>(page, "cmbGrundform")->setCurrentIndex(0);
    EXPECT_TRUE(note->isHidden());
    control<QPushButton>(page, "btnCompile")->click();
    EXPECT_TRUE(note->isHidden());
    EXPECT_EQ(order->geometry(), orderAlone);
    printeravailability::setSystemPrintersForTesting(std::nullopt);
}

TEST_F(Pages, TheLiturgyPageEmptiesAStaleOrderAndTogglesThePageFormat)
{
    LiturgyPage page(document, dialogs);
    auto *order = control<QTextEdit>(page, "txtAblauf");
    order->setPlainText(QStringLiteral("Ein alter Ablauf"));
    document.setText(Field::Epistel, QStringLiteral("Röm 1,1")); // no input of the sequence
    EXPECT_FALSE(order->toPlainText().isEmpty());
    control<QCheckBox>(page, "chkAbendmahl")->click();
    EXPECT_TRUE(order->toPlainText().isEmpty());

    document.setModified(false);
    auto *format = control<QPushButton>(page, "btnSeitenformat");
    const QString portraitHint = format->toolTip();
    format->click();
    EXPECT_EQ(document.pageFormat(), 1);
    EXPECT_NE(format->toolTip(), portraitHint);
    EXPECT_TRUE(document.isModified()); // saved with the preparation, lost on closing
}

TEST_F(Pages, TheDayPanelShowsTheDayInItsColour)
{
    QLabel caption;
    QLabel seriesCaption;
    QLabel series;
    DayPanel panel(document, caption, seriesCaption, series);
    document.setDay(QStringLiteral("Ostersonntag"), QStringLiteral("3"));
    EXPECT_EQ(caption.text(), QStringLiteral("   Ostersonntag"));
    EXPECT_EQ(series.text(), QStringLiteral("3"));

    const int violet = 0x02AA00AA;
    document.setDayColour(violet);
    EXPECT_EQ(caption.palette().color(QPalette::Window),
              QColor(daycolour::red(violet), daycolour::green(violet), daycolour::blue(violet)));
    EXPECT_EQ(series.palette().color(QPalette::WindowText), QColor(Qt::white));
    document.setDayColour(0x02FFFFFF);
    EXPECT_EQ(seriesCaption.palette().color(QPalette::WindowText), QColor(Qt::black));
}

} // namespace
