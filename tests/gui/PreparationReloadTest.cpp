// A saved preparation is found again when its day is chosen: the file is loaded and of the
// liturgical data library only the colour is asked. A stand-in for the library records the
// calls.
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "storage/Win1252Text.h"
#include "tests/support/FakeLiturgicalLibrary.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include <QListWidget>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(PreparationReload, ChoosingTheDayAgainAsksTheLibraryOnlyForTheColour)
{
    TestEnvironment env;
    appclock::setTodayForTesting(QDate(2026, 9, 28));
    fakelibrary::reset();
    ScriptedDialogs *dialogs = nullptr;
    const auto window = makeMainWindow(&dialogs);
    const int day = control<QComboBox>(*window, "cmbTag")->currentIndex();
    ASSERT_GE(day, 0);
    ASSERT_LT(day + 1, control<QComboBox>(*window, "cmbTag")->count());
    const QString name = control<QLabel>(*window, "lblTagesname")->text().trimmed();
    const QString series = control<QLabel>(*window, "lblPredigtreiheWert")->text();

    control<QLineEdit>(*window, "txtWochenspruch")
        ->setText(QStringLiteral("Selbst gewählter Spruch"));
    control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 450"));
    const QString stored
        = env.dataDir() + u'/' + series + u'/' + series + u' ' + name + QStringLiteral(".ini");
    dialogs->fileNames.push_back(stored);
    control<QToolButton>(*window, "btnSave")->click();
    ASSERT_TRUE(QFileInfo::exists(stored));

    control<QComboBox>(*window, "cmbTag")->setCurrentIndex(day + 1);
    fakelibrary::calls.clear();
    control<QComboBox>(*window, "cmbTag")->setCurrentIndex(day);

    EXPECT_EQ(fakelibrary::calls,
              std::vector<std::string> { "getFarbe:" + win1252::encode(name).toStdString() });
    EXPECT_EQ(control<QLineEdit>(*window, "txtWochenspruch")->text(),
              QStringLiteral("Selbst gewählter Spruch"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 450"));
    EXPECT_EQ(window->windowTitle(), stored + QStringLiteral("[*]"));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(dialogs->messages.isEmpty());
    window->document().setModified(false);
}

TEST(PreparationReload, ANewUsersFirstSavedDaySurvivesEveryStart)
{
    TestEnvironment env;
    appclock::setTodayForTesting(QDate(2026, 12, 7));
    QString stored;
    {
        // The first start on a fresh account makes the series folders with empty archives.
        ScriptedDialogs *dialogs = nullptr;
        const auto window = makeMainWindow(&dialogs);
        const QString name = control<QLabel>(*window, "lblTagesname")->text().trimmed();
        const QString series = control<QLabel>(*window, "lblPredigtreiheWert")->text();
        ASSERT_FALSE(name.isEmpty());
        control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 16"));
        stored
            = env.dataDir() + u'/' + series + u'/' + series + u' ' + name + QStringLiteral(".ini");
        dialogs->fileNames.push_back(stored);
        control<QToolButton>(*window, "btnSave")->click();
        ASSERT_TRUE(QFileInfo::exists(stored));
    }
    for (int start = 2; start <= 4; ++start) {
        SCOPED_TRACE(start);
        const auto window = makeMainWindow();
        EXPECT_TRUE(QFileInfo::exists(stored));
        EXPECT_TRUE(window->windowTitle().startsWith(stored))
            << "the coming day is loaded from the file";
        EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 16"));
    }
}

// The basic form box shows the form the day was prepared with when the day is chosen again
// and at the next start; a list moved by hand after choosing the form is "angepasst".
TEST(PreparationReload, TheBasicFormComesBackWithTheDay)
{
    const struct
    {
        const char *name;
        bool moved;
        int shown;
    } cases[] = { { "chosen", false, 2 }, { "moved after choosing", true, -1 } };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TestEnvironment env;
        appclock::setTodayForTesting(QDate(2026, 9, 28));
        fakelibrary::reset();
        ScriptedDialogs *dialogs = nullptr;
        auto window = makeMainWindow(&dialogs);
        QComboBox *days = control<QComboBox>(*window, "cmbTag");
        const int day = days->currentIndex();
        const QString name = control<QLabel>(*window, "lblTagesname")->text().trimmed();
        const QString series = control<QLabel>(*window, "lblPredigtreiheWert")->text();

        control<QComboBox>(*window, "cmbGrundform")->setCurrentIndex(2);
        if (c.moved) {
            control<QListWidget>(*window, "lbxReihenfolge")->setCurrentRow(3);
            control<QToolButton>(*window, "btnDown")->click();
        }
        const QStringList prepared = shownSequence(*window);
        const QString stored
            = env.dataDir() + u'/' + series + u'/' + series + u' ' + name + QStringLiteral(".ini");
        dialogs->fileNames.push_back(stored);
        control<QToolButton>(*window, "btnSave")->click();
        ASSERT_FALSE(window->isWindowModified());

        const auto expectPrepared = [&](TfrmMain &shown) {
            const QComboBox *forms = control<QComboBox>(shown, "cmbGrundform");
            EXPECT_EQ(forms->currentIndex(), c.shown);
            if (c.shown < 0) {
                EXPECT_EQ(forms->placeholderText(), QStringLiteral("angepasst"));
                EXPECT_TRUE(forms->toolTip().contains(QStringLiteral("„Liturgie II, Form 1“")))
                    << forms->toolTip().toStdString();
            }
            EXPECT_EQ(shownSequence(shown), prepared);
        };
        // Another day prepared with another form, then the day again.
        days->setCurrentIndex(day + 1);
        control<QComboBox>(*window, "cmbGrundform")->setCurrentIndex(0);
        window->document().setModified(false);
        days->setCurrentIndex(day);
        expectPrepared(*window);

        window.reset();
        const auto again = makeMainWindow();
        ASSERT_TRUE(again->windowTitle().startsWith(stored));
        expectPrepared(*again);
    }
}
