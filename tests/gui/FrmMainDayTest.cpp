#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "tests/support/FakeLiturgicalLibrary.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

class FrmMainDay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fakelibrary::reset();
        appclock::setTodayForTesting(QDate(2026, 2, 10));
        window = makeMainWindow(&dialogs);
    }

    // Chooses an entry of the day list as the user does.
    void choose(const QString &entry)
    {
        const int index = control<QComboBox>(*window, "cmbTag")->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        fakelibrary::calls.clear();
        control<QComboBox>(*window, "cmbTag")->setCurrentIndex(index);
    }

    QStringList propers() const
    {
        return { control<QLineEdit>(*window, "txtWochenspruch")->text(),
                 control<QLineEdit>(*window, "txtPsalm")->text(),
                 control<QLineEdit>(*window, "txtATLesung")->text(),
                 control<QLineEdit>(*window, "txtEpistel")->text(),
                 control<QLineEdit>(*window, "txtEvangelium")->text(),
                 control<QLineEdit>(*window, "txtPredigttext")->text(),
                 control<QLineEdit>(*window, "txtWochenlied")->text() };
    }

    QStringList hymns() const
    {
        return { control<QLineEdit>(*window, "txtEingangslied")->text(),
                 control<QLineEdit>(*window, "txtVorpredigtslied")->text(),
                 control<QLineEdit>(*window, "txtKollektenlied")->text(),
                 control<QLineEdit>(*window, "txtAusgangslied")->text() };
    }

    bool called(const std::string &prefix) const
    {
        return std::any_of(fakelibrary::calls.begin(), fakelibrary::calls.end(),
                           [&](const std::string &c) { return c.rfind(prefix, 0) == 0; });
    }

    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

QColor textColour(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

TEST_F(FrmMainDay, StartSelectsAndLoadsTheComingDay)
{
    QComboBox *cmbTag = control<QComboBox>(*window, "cmbTag");
    EXPECT_EQ(cmbTag->count(), 83);
    EXPECT_EQ(cmbTag->itemText(0),
              QStringLiteral("09.11.2025 - Drittletzter Sonntag des Kirchenjahres"));
    EXPECT_EQ(cmbTag->currentText(), QStringLiteral("15.02.2026 - Estomihi"));
    EXPECT_EQ(cmbTag->currentIndex(), 22);
    EXPECT_EQ(cmbTag->toolTip(), QStringLiteral("2026"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text(), QStringLiteral("   Estomihi"));
    EXPECT_EQ(control<QLabel>(*window, "lblPredigtreiheWert")->text(), QStringLiteral("2"));
    EXPECT_EQ(window->document().dayStamp(), QStringLiteral("20260215"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtWochenspruch")->text(),
              QStringLiteral("getVers:Estomihi"));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join(u'|').toStdString();
}

TEST(FrmMainDayStart, MartinstagBeforeAnEarlierDrittletzterSonntag)
{
    TestEnvironment env;
    fakelibrary::reset();
    appclock::setTodayForTesting(QDate(2026, 11, 2));
    const auto window = makeMainWindow();
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->currentText(),
              QStringLiteral("11.11.2026 - Martinstag"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text(), QStringLiteral("   Martinstag"));
    EXPECT_EQ(control<QLabel>(*window, "lblPredigtreiheWert")->text(), QStringLiteral("2"));
}

TEST_F(FrmMainDay, ChoosingADayFillsDayStampSeriesAndPropers)
{
    control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 1"));
    control<QLineEdit>(*window, "txtAusgangslied")->setText(QStringLiteral("EG 2"));
    ASSERT_TRUE(window->isWindowModified());
    // Nein: the typed hymns are given up for the other day.
    dialogs->yesNoCancelAnswers.push_back(Dialogs::Answer::No);

    choose(QStringLiteral("30.11.2025 - 1. Sonntag im Advent"));
    EXPECT_EQ(window->document().dayStamp(), QStringLiteral("20251130"));
    EXPECT_EQ(control<QLabel>(*window, "lblPredigtreiheWert")->text(), QStringLiteral("2"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text(),
              QStringLiteral("   1. Sonntag im Advent"));
    const std::string name = "1. Sonntag im Advent";
    // The library is asked in this order, with the series read back from the panel.
    EXPECT_EQ(fakelibrary::calls,
              (std::vector<std::string> { "getFarbe:" + name, "getVers:" + name, "getPsalm:" + name,
                                          "getWochenlied:" + name, "getEpistel:" + name,
                                          "getEvangelium:" + name, "getPerikope2:" + name,
                                          "getATLesung:" + name }));
    const QString n = QString::fromStdString(name);
    EXPECT_EQ(
        propers(),
        QStringList({ QStringLiteral("getVers:") + n, QStringLiteral("getPsalm:") + n,
                      QStringLiteral("getATLesung:") + n, QStringLiteral("getEpistel:") + n,
                      QStringLiteral("getEvangelium:") + n, QStringLiteral("getPerikope2:") + n,
                      QStringLiteral("getWochenlied:") + n }));
    EXPECT_EQ(hymns(), QStringList(4));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(dialogs->messages.isEmpty());

    choose(QStringLiteral("23.11.2025 - Ewigkeitssonntag"));
    EXPECT_EQ(control<QLabel>(*window, "lblPredigtreiheWert")->text(), QStringLiteral("1"));
    EXPECT_TRUE(called("getPerikope1:Ewigkeitssonntag"));
    for (const QString &entry :
         { QStringLiteral("24.12.2025 - Christvesper"), QStringLiteral("06.01.2026 - Epiphanias"),
           QStringLiteral("04.10.2026 - Erntedank") }) {
        choose(entry);
        EXPECT_EQ(control<QLabel>(*window, "lblPredigtreiheWert")->text(), QStringLiteral("2"))
            << entry.toStdString();
        EXPECT_EQ(window->document().dayStamp(), entry.mid(6, 4) + entry.mid(3, 2) + entry.left(2));
    }
}

TEST_F(FrmMainDay, NamesCrossToTheLibraryInWindows1252)
{
    fakelibrary::colours["Bu\xDF- und Bettag"] = "50331647";
    choose(QStringLiteral("19.11.2025 - Buß- und Bettag"));
    EXPECT_TRUE(called("getVers:Bu\xDF- und Bettag"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtWochenspruch")->text(),
              QStringLiteral("getVers:Buß- und Bettag"));
    EXPECT_EQ(textColour(control<QLabel>(*window, "lblTagesname")),
              QColor(Qt::black)); // the colour was found
}

TEST_F(FrmMainDay, PanelColours)
{
    fakelibrary::colours["Christvesper"] = "50331647"; // white
    fakelibrary::colours["Karfreitag"] = "33554432"; // black
    fakelibrary::colours["Invokavit"] = std::to_string(0x02AA00AA); // violet
    const QList<QLabel *> labels
        = { control<QLabel>(*window, "lblTagesname"), control<QLabel>(*window, "lblPredigtreihe"),
            control<QLabel>(*window, "lblPredigtreiheWert") };

    choose(QStringLiteral("24.12.2025 - Christvesper"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->palette().color(QPalette::Window),
              QColor(255, 255, 255));
    for (QLabel *label : labels)
        EXPECT_EQ(textColour(label), QColor(Qt::black)) << label->objectName().toStdString();

    choose(QStringLiteral("22.02.2026 - Invokavit"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->palette().color(QPalette::Window),
              QColor(0xAA, 0x00, 0xAA));
    for (QLabel *label : labels)
        EXPECT_EQ(textColour(label), QColor(Qt::white)) << label->objectName().toStdString();

    choose(QStringLiteral("03.04.2026 - Karfreitag"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->palette().color(QPalette::Window),
              QColor(0, 0, 0));
    EXPECT_EQ(textColour(control<QLabel>(*window, "lblPredigtreiheWert")), QColor(Qt::white));

    choose(QStringLiteral("01.03.2026 - Reminiscere")); // green, the default of the fake
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->palette().color(QPalette::Window),
              QColor(0, 0x80, 0));
    for (QLabel *label : labels)
        EXPECT_EQ(textColour(label), QColor(Qt::white)) << label->objectName().toStdString();
    EXPECT_TRUE(control<QLabel>(*window, "lblTagesname")->autoFillBackground());
}

TEST_F(FrmMainDay, ColourThatIsNoNumberReportsAndKeepsTheRest)
{
    choose(QStringLiteral("01.03.2026 - Reminiscere"));
    const QStringList before = propers();
    fakelibrary::colours["Oculi"] = "gr\xFC"
                                    "n"; // Windows-1252
    choose(QStringLiteral("08.03.2026 - Oculi"));
    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_EQ(dialogs->messages.first(),
              QStringLiteral("Fehler beim Laden der Datei:\r„grün“ ist keine gültige Farbangabe."));
    // What came before the colour is the new day's; the propers are still the old day's.
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text(), QStringLiteral("   Oculi"));
    EXPECT_EQ(window->document().dayStamp(), QStringLiteral("20260308"));
    EXPECT_EQ(propers(), before);
    EXPECT_FALSE(called("getVers"));
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(FrmMainDay, TypedEntries)
{
    choose(QStringLiteral("01.03.2026 - Reminiscere"));
    control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 1"));
    const QStringList before = propers();
    const QString stampBefore = window->document().dayStamp();

    // Too short to name a day: nothing changes, the typed hymn stays unsaved work.
    fakelibrary::calls.clear();
    control<QComboBox>(*window, "cmbTag")->setEditText(QStringLiteral("08.03.2026"));
    EXPECT_TRUE(fakelibrary::calls.empty());
    EXPECT_EQ(propers(), before);
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 1"));
    EXPECT_EQ(window->document().dayStamp(), stampBefore);
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text(), QStringLiteral("   Reminiscere"));
    EXPECT_TRUE(window->isWindowModified());

    // Typed key by key: exactly fourteen characters keep the date in the name. The twelfth
    // key names a day and asks about the typed hymn once.
    dialogs->yesNoCancelAnswers.push_back(Dialogs::Answer::No);
    control<QComboBox>(*window, "cmbTag")->clearEditText();
    QTest::keyClicks(control<QComboBox>(*window, "cmbTag")->lineEdit(),
                     QStringLiteral("04.10.2026 - X"));
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->currentText(),
              QStringLiteral("04.10.2026 - X"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text(),
              QStringLiteral("   04.10.2026 - X"));
    EXPECT_EQ(window->document().dayStamp(), QStringLiteral("20261004"));
    EXPECT_EQ(control<QLabel>(*window, "lblPredigtreiheWert")->text(), QStringLiteral("2"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtWochenspruch")->text(),
              QStringLiteral("getVers:04.10.2026 - X"));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join(u'|').toStdString();
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->count(),
              83); // typed text is not added to the list

    // A year that is not a number: the message, the stamp already taken.
    control<QComboBox>(*window, "cmbTag")->setEditText(QStringLiteral("04.10.20x6 - Erntedank"));
    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_EQ(dialogs->messages.first(),
              QStringLiteral("Fehler beim Laden der Datei:\r„20x6“ ist keine gültige Jahreszahl."));
    EXPECT_EQ(window->document().dayStamp(), QStringLiteral("20x61004"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text(),
              QStringLiteral("   04.10.2026 - X"));
}

TEST_F(FrmMainDay, StoredPreparationIsFoundInsteadOfTheLibrary)
{
    const QString stored = env.dataDir() + QStringLiteral("/2/2 Erntedank.ini");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(stored).absolutePath()));
    QFile file(stored);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 1"));
    // The data folder is passed along: the process's current folder plays no part.
    ASSERT_TRUE(QDir::setCurrent(env.home()));
    dialogs->yesNoCancelAnswers.push_back(Dialogs::Answer::No);

    choose(QStringLiteral("04.10.2026 - Erntedank"));
    // Loading a preparation shows its path as the window's title, marked "[*]" for changes.
    ASSERT_TRUE(window->windowTitle().endsWith(QStringLiteral("[*]")));
    EXPECT_EQ(QFileInfo(window->windowTitle().chopped(3)).canonicalFilePath(),
              QFileInfo(stored).canonicalFilePath());
    for (const char *function : { "getVers", "getPsalm", "getWochenlied", "getEpistel",
                                  "getEvangelium", "getPerikope", "getATLesung" })
        EXPECT_FALSE(called(function)) << function;
    EXPECT_FALSE(window->isWindowModified());

    // Series 1 has no stored preparation of that day: the library is asked.
    fakelibrary::calls.clear();
    control<QComboBox>(*window, "cmbTag")->setEditText(QStringLiteral("05.10.2025 - Erntedank"));
    EXPECT_EQ(control<QLabel>(*window, "lblPredigtreiheWert")->text(), QStringLiteral("1"));
    EXPECT_TRUE(called("getPerikope1:Erntedank"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QString());
}

TEST_F(FrmMainDay, StoredOrderPathWithoutAFile)
{
    choose(QStringLiteral("11.11.2026 - Martinstag"));
    EXPECT_EQ(window->document().storedOrderPath(env.dataDir()), QString());
    EXPECT_TRUE(called("getVers:Martinstag"));
}

TEST_F(FrmMainDay, StartingFillsTheListAndLoadsOnlyTheComingDayOnce)
{
    // Filling the list and selecting the coming day load nothing; the start loads it once.
    EXPECT_EQ(control<QComboBox>(*window, "cmbTag")->currentText(),
              QStringLiteral("15.02.2026 - Estomihi"));
    std::vector<std::string> verses;
    std::copy_if(fakelibrary::calls.begin(), fakelibrary::calls.end(), std::back_inserter(verses),
                 [](const std::string &c) { return c.rfind("getVers:", 0) == 0; });
    EXPECT_EQ(verses, std::vector<std::string> { "getVers:Estomihi" });
    EXPECT_FALSE(window->isWindowModified());

    // Choosing again asks the library once per choice: the selector is connected once.
    choose(QStringLiteral("22.02.2026 - Invokavit"));
    choose(QStringLiteral("15.02.2026 - Estomihi"));
    EXPECT_EQ(std::count(fakelibrary::calls.begin(), fakelibrary::calls.end(),
                         std::string("getVers:Estomihi")),
              1);
}

TEST_F(FrmMainDay, FocusShowsTheStatusHelp)
{
    control<QStatusBar>(*window, "Status")->clearMessage();
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(control<QComboBox>(*window, "cmbTag"), &focus);
    EXPECT_EQ(control<QStatusBar>(*window, "Status")->currentMessage(),
              QStringLiteral(
                  "Wählen Sie hier den Sonn- oder Feiertag aus, den Sie vorbereiten möchten!"));
}
