// The status-bar help texts, driven by real mouse-move and focus events on the controls.
#include "gui/FrmMain.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Moves the mouse across the middle of a control (a scroll area's viewport takes the event).
// False when the control is covered by its children everywhere, so the mouse cannot reach it.
bool mouseMoveOver(QWidget *control)
{
    QWidget *target = control;
    if (auto *area = qobject_cast<QAbstractScrollArea *>(control))
        target = area->viewport();
    // A spot of the control itself, not covered by one of its children.
    QPointF local = QRectF(target->rect()).center();
    for (int y = 2; y < target->height() && target->childAt(local.toPoint()); y += 3)
        for (int x = 2; x < target->width(); x += 3)
            if (!target->childAt(x, y)) {
                local = QPointF(x, y);
                break;
            }
    if (target->childAt(local.toPoint()))
        return false;
    QMouseEvent move(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    return true;
}

QWidget *control(TfrmMain &window, const char *name)
{
    auto *w = window.findChild<QWidget *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

} // namespace

TEST(StatusHelp, MovingOverAControlShowsItsText)
{
    TestEnvironment env;
    auto window = makeMainWindow();
    window->show();

    const QString bible = QStringLiteral("Doppelklick, um zur Bibelstelle zu gelangen");
    const QString memo = QStringLiteral(
        "Mit Rechtsklick können Sie einen alternativen Text aus einer Textdatei laden.");
    const QString print = QStringLiteral("Drucken Sie Ihren Ablauf auf Ihrem Standarddrucker aus.");
    const std::vector<std::pair<const char *, QString>> rows = {
        { "BtnNew", QStringLiteral("Hier können Sie einen neuen Gottesdienstablauf erstellen") },
        { "BtnOpen", QStringLiteral("Öffnen Sie hier einen schon erstellten Gottesdienstablauf") },
        { "btnSave",
          QStringLiteral(
              "Speichern Sie Ihre Zusammenstellung, um Sie später wieder bearbeiten zu können.") },
        { "btnCopyright", QStringLiteral("Informationen zum Programm abrufen") },
        { "BtnHilfe", QStringLiteral("Die Hilfedatei öffnen") },
        { "BtnFeedback",
          QStringLiteral("Geben Sie mir Rückmeldung zum Programm und helfen Sie damit, es besser "
                         "zu machen!") },
        { "BtnExit", QStringLiteral("Hier klicken, um das Programm zu beenden!") },
        { "lblPredigttext", QStringLiteral("Klicken, um zur Predigt zu gelangen") },
        { "txtPsalm", bible },
        { "txtEpistel", bible },
        { "txtEvangelium", bible },
        { "txtPredigttext", bible },
        { "grpLieder", QStringLiteral("Doppelklick auf \"Lieder\", um den Editor zu öffnen") },
        { "txtCredo", memo },
        { "txtVaterUnser", memo },
        { "txtSegen", memo },
        { "txtGloriaPatri", memo },
        { "txtGloriaExcelsis", memo },
        { "txtKyrie", memo },
        { "lbxReihenfolge",
          QStringLiteral("Ändern Sie die Reihenfolge, indem Sie einen Eintrag markieren und dann "
                         "die Pfeile benutzen.") },
        { "btnUp", QStringLiteral("Das ausgewählte Element eine Ebene höher setzen") },
        { "btnDown", QStringLiteral("Das ausgewählte Element eine Ebene tiefer setzen") },
        { "btnCompile",
          QStringLiteral("Generieren Sie entsprechend Ihrer Eingaben und der eingestellten "
                         "Reihenfolge Ihren Gottesdienstablauf.") },
        { "btnPrinterSetup", print },
        { "btnPrint", print },
        { "btnSeitenformat",
          QStringLiteral(
              "Legen Sie das Seitenformat vor dem Export fest: Hochkant- oder Querformat") },
        { "btnExport",
          QStringLiteral(
              "Den erstellten Ablauf nach LibreOffice (sofern installiert) exportieren") },
    };
    for (const auto &[name, text] : rows) {
        control<QStatusBar>(*window, "Status")->clearMessage();
        mouseMoveOver(control(*window, name));
        EXPECT_EQ(control<QStatusBar>(*window, "Status")->currentMessage(), text) << name;
    }
}

TEST(StatusHelp, BackgroundsClearAndUnlistedControlsLeaveTheText)
{
    TestEnvironment env;
    auto window = makeMainWindow();
    window->show();

    int reached = 0;
    // Pointing at the Kyrie and then at the background of its group clears the status bar.
    for (const char *background :
         { "frmMainClient", "tshProprium", "tshOrdinarium", "tshLiturgie", "grpTexte",
           "grpKonstanteTexte", "GroupBox1", "pnlLiturgieMenu", "SpeedPanel", "txtAblauf" }) {
        mouseMoveOver(control<QPlainTextEdit>(*window, "txtKyrie"));
        ASSERT_FALSE(control<QStatusBar>(*window, "Status")->currentMessage().isEmpty());
        // The client area is all covered by the tool bar, the day panel and the tabs.
        if (!mouseMoveOver(control(*window, background)))
            continue;
        ++reached;
        EXPECT_TRUE(control<QStatusBar>(*window, "Status")->currentMessage().isEmpty())
            << background;
    }

    EXPECT_EQ(reached, 9);

    // Controls without a text of their own leave the last one standing.
    mouseMoveOver(control<QPushButton>(*window, "btnCompile"));
    const QString shown = control<QStatusBar>(*window, "Status")->currentMessage();
    ASSERT_FALSE(shown.isEmpty());
    for (const char *quiet :
         { "txtWochenspruch", "txtEingangslied", "txtWochenlied", "txtVorpredigtslied",
           "txtKollektenlied", "txtAusgangslied", "chkAbendmahl", "chkTaufe", "chkKonfirmation",
           "chkTrauung", "lblTagesname", "rchBibelstelle", "txtDialog1" }) {
        mouseMoveOver(control(*window, quiet));
        EXPECT_EQ(control<QStatusBar>(*window, "Status")->currentMessage(), shown) << quiet;
    }
    // Moving over the combo boxes shows nothing: they explain themselves on focus only.
    mouseMoveOver(control<QComboBox>(*window, "cmbTag"));
    mouseMoveOver(control<QComboBox>(*window, "cmbGrundform"));
    EXPECT_EQ(control<QStatusBar>(*window, "Status")->currentMessage(), shown);

    // A move that a button passes on to the tool bar, or a hymn edit to its group, is still
    // the button's or the edit's: the tool bar and the group stay silent.
    control<QStatusBar>(*window, "Status")->clearMessage();
    const QPoint onButton = control<QToolButton>(*window, "BtnHilfe")->geometry().center();
    QMouseEvent passedOn(QEvent::MouseMove, QPointF(onButton),
                         control<QWidget>(*window, "SpeedPanel")->mapToGlobal(QPointF(onButton)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    mouseMoveOver(control<QToolButton>(*window, "BtnHilfe"));
    QApplication::sendEvent(control<QWidget>(*window, "SpeedPanel"), &passedOn);
    EXPECT_EQ(control<QStatusBar>(*window, "Status")->currentMessage(),
              QStringLiteral("Die Hilfedatei öffnen"));
    const QPoint onHymn = control<QLineEdit>(*window, "txtWochenlied")->geometry().center();
    QMouseEvent fromHymn(QEvent::MouseMove, QPointF(onHymn),
                         control<QGroupBox>(*window, "grpLieder")->mapToGlobal(QPointF(onHymn)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(control<QGroupBox>(*window, "grpLieder"), &fromHymn);
    EXPECT_EQ(control<QStatusBar>(*window, "Status")->currentMessage(),
              QStringLiteral("Die Hilfedatei öffnen"));
}

TEST(StatusHelp, TheComboBoxesExplainThemselvesWhenTheyReceiveTheFocus)
{
    TestEnvironment env;
    auto window = makeMainWindow();
    window->show();
    window->activateWindow();

    control<QStatusBar>(*window, "Status")->clearMessage();
    control<QLineEdit>(*window, "txtEingangslied")->setFocus(Qt::OtherFocusReason);
    control<QComboBox>(*window, "cmbTag")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    if (QApplication::focusWidget() == nullptr) {
        // No active window on this platform: deliver the focus event the window system would.
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(control<QComboBox>(*window, "cmbTag"), &in);
    }
    EXPECT_EQ(control<QStatusBar>(*window, "Status")->currentMessage(),
              QStringLiteral(
                  "Wählen Sie hier den Sonn- oder Feiertag aus, den Sie vorbereiten möchten!"));

    control<QTabWidget>(*window, "pclPageControl")
        ->setCurrentWidget(control<QWidget>(*window, "tshLiturgie"));
    control<QComboBox>(*window, "cmbGrundform")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    if (QApplication::focusWidget() == nullptr) {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(control<QComboBox>(*window, "cmbGrundform"), &in);
    }
    EXPECT_EQ(
        control<QStatusBar>(*window, "Status")->currentMessage(),
        QStringLiteral("Die vorgeschlagenen Liturgien entsprechen den Grundformen der EKBO."));
}

TEST(Tooltips, EveryControlThatExplainsItselfHasItsTooltip)
{
    TestEnvironment env;
    auto window = makeMainWindow();
    const std::vector<std::pair<const char *, QString>> rows = {
        { "BtnNew", QStringLiteral("Einen neuen Gottesdienstablauf erstellen (Strg+N)") },
        { "BtnOpen", QStringLiteral("Einen Gottesdienstablauf öffnen (Strg+O)") },
        { "btnSave", QStringLiteral("Eingaben als Gottesdienstablauf speichern (Strg+S)") },
        { "btnCopyright", QStringLiteral("Versionsinfo abrufen") },
        { "BtnHilfe", QStringLiteral("Hilfe anzeigen (F1)") },
        { "BtnFeedback", QStringLiteral("Feedback geben") },
        { "BtnExit", QStringLiteral("Beenden (Strg+Q)") },
        { "lblTagesname", QStringLiteral("Liturgische Farbe") },
        { "lblPredigttext", QStringLiteral("Klick mich! Hier gehts zur Predigt!") },
        { "btnUp",
          QStringLiteral(
              "Den markierten Eintrag in der Liste unten weiter nach oben verschieben.") },
        { "btnDown",
          QStringLiteral(
              "Den markierten Eintrag in der Liste unten weiter nach unten verschieben.") },
        { "cmbGrundform", QStringLiteral("Die in Ihrer Gemeinde verwendete Grundform auswählen") },
        { "btnCompile", QStringLiteral("Schritt 1: Ablauf generieren") },
        { "btnPrinterSetup", QStringLiteral("Optional: Druckereinstellung") },
        { "btnPrint", QStringLiteral("Optional: Drucken (Strg+P)") },
        { "btnExport",
          QStringLiteral("Schritt 3: Nach LibreOffice exportieren, dort weiterbearbeiten, "
                         "speichern und drucken") },
        { "chkAbendmahl", QStringLiteral("Die Abendmahlsliturgie einfügen") },
        { "chkTaufe", QStringLiteral("Die Taufliturgie einfügen") },
        { "chkKonfirmation", QStringLiteral("Die Konfirmationsliturgie einfügen") },
        { "chkTrauung", QStringLiteral("Die Trauliturgie einfügen") },
        { "rchBibelstelle", QStringLiteral("offline") },
    };
    for (const auto &[name, tip] : rows)
        EXPECT_EQ(control(*window, name)->toolTip(), tip) << name;
    // The page-format button names the current format after its step.
    EXPECT_TRUE(control<QPushButton>(*window, "btnSeitenformat")
                    ->toolTip()
                    .startsWith(QStringLiteral("Schritt 2: Seitenformat wählen")));

    // The edits, memos and the order view have none.
    for (const char *quiet :
         { "txtWochenspruch", "txtPsalm", "txtEpistel", "txtEvangelium", "txtPredigttext",
           "txtEingangslied", "txtWochenlied", "txtVorpredigtslied", "txtKollektenlied",
           "txtAusgangslied", "txtCredo", "txtKyrie", "lbxReihenfolge", "txtAblauf", "grpLieder" })
        EXPECT_TRUE(control(*window, quiet)->toolTip().isEmpty()) << quiet;
}
