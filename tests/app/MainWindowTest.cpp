#include "app/Application.h"
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <QWidget>
#include <gtest/gtest.h>

TEST(MainWindow, HasEveryNamedControlInAFixedSizeWindow)
{
    TestEnvironment env;
    auto window = makeMainWindow();
    EXPECT_EQ(window->size(), QSize(783, 666));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    // "[*]" shows unsaved changes.
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Pergolan[*]"));
    EXPECT_EQ(window->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(window->font().pointSize(), 8);

    for (const char *name : { "SpeedPanel",
                              "BtnNew",
                              "BtnOpen",
                              "btnSave",
                              "btnCopyright",
                              "BtnHilfe",
                              "BtnFeedback",
                              "BtnExit",
                              "cmbTag",
                              "lblTagesname",
                              "lblPredigtreihe",
                              "lblPredigtreiheWert",
                              "pclPageControl",
                              "tshProprium",
                              "tshOrdinarium",
                              "tshLiturgie",
                              "tshPerikope",
                              "grpTexte",
                              "grpLieder",
                              "txtWochenspruch",
                              "txtPsalm",
                              "txtEpistel",
                              "txtEvangelium",
                              "txtPredigttext",
                              "lblPredigttext",
                              "btnOpenPsalm",
                              "btnOpenEpistel",
                              "btnOpenEvangelium",
                              "btnOpenPredigttext",
                              "txtEingangslied",
                              "txtWochenlied",
                              "txtVorpredigtslied",
                              "txtKollektenlied",
                              "txtAusgangslied",
                              "grpKonstanteTexte",
                              "GroupBox1",
                              "txtDialog1",
                              "txtDialog2",
                              "txtDialog3",
                              "txtCredo",
                              "txtVaterUnser",
                              "txtSegen",
                              "txtGloriaPatri",
                              "txtKyrie",
                              "txtGloriaExcelsis",
                              "pnlLiturgieMenu",
                              "btnUp",
                              "btnDown",
                              "cmbGrundform",
                              "btnCompile",
                              "btnPrinterSetup",
                              "btnPrint",
                              "btnSeitenformat",
                              "btnExport",
                              "chkAbendmahl",
                              "chkTaufe",
                              "chkKonfirmation",
                              "chkTrauung",
                              "lbxReihenfolge",
                              "txtAblauf",
                              "rchBibelstelle",
                              "Status",
                              "tmrClose",
                              "MemoMenu" })
        EXPECT_NE(window->findChild<QObject *>(QString::fromLatin1(name)), nullptr) << name;

    EXPECT_EQ(control<QTabWidget>(*window, "pclPageControl")->currentWidget(),
              control<QWidget>(*window, "tshProprium"));
    EXPECT_EQ(control<QTabWidget>(*window, "pclPageControl")->tabText(3),
              QStringLiteral("Perikope"));
    EXPECT_EQ(control<QToolButton>(*window, "BtnExit")->toolTip(),
              QStringLiteral("Beenden (Strg+Q)"));
    EXPECT_FALSE(control<QTimer>(*window, "tmrClose")->isActive());
    EXPECT_EQ(control<QTimer>(*window, "tmrClose")->interval(), 3000);
}

TEST(MainWindow, StartPreparesTheDataFolderAndShowsTheYearAsDaySelectorTooltip)
{
    TestEnvironment env;
    appclock::setTodayForTesting(QDate(2026, 2, 10));
    ScriptedDialogs *dialogs = nullptr;
    auto window = makeMainWindow(&dialogs);
    EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join(u'\n').toStdString();
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->toolTip(), QStringLiteral("2026"));
    EXPECT_TRUE(QFile::exists(env.dataDir() + QStringLiteral("/6/Archiv")));
    EXPECT_FALSE(window->isWindowModified()) << "loading the coming day leaves nothing unsaved";
}

TEST(MainWindow, AFolderThatCannotBeCreatedEndsStartUpWithTheErrorShown)
{
    TestEnvironment env;
    QFile blocker(env.home() + QStringLiteral("/Documents/Pergol"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ScriptedDialogs *dialogs = nullptr;
    auto window = makeMainWindow(&dialogs);
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors.first().contains(QStringLiteral("Pergol")));
    // The sequence stopped before the day list was filled; the window is still usable.
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->count(), 0);
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->toolTip(),
              QStringLiteral("Hier den nächsten Sonn- oder Feiertag auswählen, für den  der "
                             "Gottesdienst vorbereitet werden soll."));
}

TEST(MainWindow, TypingIntoAPropersFieldSetsModifiedAndNewClearsIt)
{
    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    auto window = makeMainWindow(&dialogs);
    ASSERT_FALSE(window->isWindowModified());
    control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 1"));
    EXPECT_TRUE(window->isWindowModified());
    control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 1,1-3"));
    EXPECT_TRUE(window->isWindowModified());
    dialogs->yesNoCancelAnswers.push_back(Dialogs::Answer::No);
    control<QToolButton>(*window, "BtnNew")->click();
    EXPECT_FALSE(window->isWindowModified());
    // The memos of the constant texts do not count as changes of the preparation.
    control<QLineEdit>(*window, "txtKollektenlied")->setFocus();
    EXPECT_FALSE(window->isWindowModified());
}

// Closing with and without unsaved changes is tested through the real message box in
// tests/gui/UnsavedWorkTest.cpp.

TEST(MainWindow, TheCloseTimerOfTheUpdateClosesTheWindow)
{
    TestEnvironment env;
    auto window = makeMainWindow();
    window->show();
    QTimer *timer = control<QTimer>(*window, "tmrClose");
    QEventLoop loop;
    QObject::connect(timer, &QTimer::timeout, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    timer->start(0);
    loop.exec();
    EXPECT_FALSE(window->isVisible());
}

TEST(MainWindow, StandardButtonsSpeakGerman)
{
    installGermanTranslations(*QCoreApplication::instance());
    QMessageBox box(QMessageBox::Question, QStringLiteral("Pergolan"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Ja"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Nein"));
}
