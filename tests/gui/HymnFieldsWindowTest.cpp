// The hymn fields of "Proprium" and the hymn plan with the hymns of the saved preparations,
// through the real window: a number typed completes to its title and says when the hymn was last
// sung, the hymns of the week show their numbers, and the plan marks a hymn sung shortly before.
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "storage/ProgramSettings.h"
#include "storage/ServiceOrderFile.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class HymnFieldsWindow : public ::testing::Test
{
protected:
    void SetUp() override { appclock::setTodayForTesting(QDate(2026, 12, 1)); }

    void TearDown() override
    {
        if (window)
            window->document().setModified(false);
        window.reset();
        appclock::setTodayForTesting({});
    }

    // A saved preparation of a service; series and day name make its file name.
    void save(const QString &folder, const QString &series, const QString &day, const QString &date,
              const QStringList &hymns)
    {
        Preparation p;
        p.dayName = day;
        p.series = series;
        p.dayStamp = date;
        QString *fields[] = { &p.eingangslied, &p.wochenlied, &p.vorpredigtslied, &p.kollektenlied,
                              &p.ausgangslied };
        for (qsizetype i = 0; i < hymns.size(); ++i)
            *fields[i] = hymns.at(i);
        const QString dir = env.dataDir() + u'/' + folder;
        ASSERT_TRUE(QDir().mkpath(dir));
        // A folder the program has started on has its archive; without it the first start
        // would move the file there, where choosing the day no longer looks.
        ASSERT_TRUE(QDir().mkpath(env.dataDir() + u'/' + series + u"/Archiv"_s));
        ASSERT_TRUE(serviceorder::writeFile(dir + u'/' + series + u' ' + day + u".ini"_s,
                                            serviceorder::toIni(p)));
    }

    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(HymnFieldsWindow, TypingANumberCompletesItsTitleAndSaysWhenItWasLastSung)
{
    // Six years ago on the same Sunday, in the archive; last on Ewigkeitssonntag, two weeks
    // before the 2nd Sunday of Advent the window shows.
    save(u"2/Archiv"_s, u"2"_s, u"2. Sonntag im Advent"_s, u"20201206"_s,
         { u"EG 10,1-3 Mit Ernst, o Menschenkinder"_s, u"EG 7 O Heiland, reiß die Himmel auf"_s });
    save(u"3"_s, u"3"_s, u"Ewigkeitssonntag"_s, u"20261122"_s, { u"EG 10"_s });
    window = makeMainWindow(&dialogs);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    // Once the hymns are read, the hymn of the week the propers give by its title has its
    // number, and the day counts as unchanged.
    const QString weekHymns
        = u"EG 7 O Heiland, reiß die Himmel auf / Es kommt die Zeit, in der die Träume sich "
          u"erfüllen"_s;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return window->document().text(PreparationDocument::Field::Wochenlied) == weekHymns;
        },
        10000));
    EXPECT_EQ(control<QLineEdit>(*window, "txtWochenlied")->text(), weekHymns);
    EXPECT_FALSE(window->isWindowModified());
    // Beside each field, for the day as loaded: each hymn of the week said.
    EXPECT_EQ(control<QLabel>(*window, "lblZuletztWochenlied")->text(),
              u"zuletzt gesungen am 06.12.2020 (2. Sonntag im Advent); noch nie gesungen"_s);
    auto *lastSungLabel = control<QLabel>(*window, "lblZuletztEingangslied");
    EXPECT_EQ(lastSungLabel->text(), QString());

    auto *field = control<QLineEdit>(*window, "txtEingangslied");
    field->setFocus();
    QTest::keyClicks(field, u"EG 10"_s);
    QAbstractItemView *offers = field->completer()->popup();
    ASSERT_TRUE(offers->isVisible());
    ASSERT_EQ(offers->model()->rowCount(), 1);
    EXPECT_EQ(offers->model()->index(0, 0).data().toString(),
              u"EG 10 Mit Ernst, o Menschenkinder"_s);
    EXPECT_TRUE(field->accessibleDescription().startsWith(
        u"Vorschlag: EG 10 Mit Ernst, o Menschenkinder"_s))
        << field->accessibleDescription().toStdString();
    QTest::keyClick(offers, Qt::Key_Down);
    QTest::keyClick(offers, Qt::Key_Return);
    EXPECT_EQ(field->text(), u"EG 10 Mit Ernst, o Menschenkinder"_s);
    EXPECT_EQ(window->document().text(PreparationDocument::Field::Eingangslied), field->text());
    EXPECT_TRUE(window->isWindowModified());

    const QString lastSung = u"zuletzt gesungen am 22.11.2026 (Ewigkeitssonntag)"_s;
    const QString marked = lastSung + u" – höchstens 6 Wochen vor diesem Gottesdienst"_s;
    EXPECT_EQ(field->toolTip(), marked);
    EXPECT_EQ(control<QStatusBar>(*window, "Status")->currentMessage(), marked);
    EXPECT_TRUE(field->accessibleDescription().endsWith(marked));
    EXPECT_EQ(lastSungLabel->text(), marked);
    EXPECT_EQ(lastSungLabel->accessibleDescription(), marked);
    EXPECT_TRUE(lastSungLabel->autoFillBackground()); // marked
    auto *mark = control<QAction>(*window, "actEingangsliedWiederholung");
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(mark->isVisible());

    // Marked only within the weeks the pastor sets; the setting is kept.
    control<QSpinBox>(*window, "spnWiederholungWochen")->setValue(1);
    EXPECT_EQ(field->toolTip(), lastSung);
    EXPECT_EQ(lastSungLabel->text(), lastSung);
    EXPECT_FALSE(lastSungLabel->autoFillBackground());
    EXPECT_FALSE(mark->isVisible());
    EXPECT_EQ(programsettings::repeatWeeks(), 1);

    // A hymn nobody sang yet, and one known only by a title of its own.
    auto *closing = control<QLineEdit>(*window, "txtAusgangslied");
    closing->setFocus();
    QTest::keyClicks(closing, u"EG 11"_s);
    EXPECT_EQ(closing->toolTip(), u"noch nie gesungen"_s);
    EXPECT_EQ(control<QStatusBar>(*window, "Status")->currentMessage(), u"noch nie gesungen"_s);
    EXPECT_EQ(control<QLabel>(*window, "lblZuletztAusgangslied")->text(), u"noch nie gesungen"_s);
}

TEST_F(HymnFieldsWindow, AParishListReadInMakesItsNumbersKnownAndARefusedOneChangesNothing)
{
    window = makeMainWindow(&dialogs);
    const QString good = env.home() + u"/regional.csv"_s;
    const QString bad = env.home() + u"/kaputt.csv"_s;
    writeFileBytes(good, "Buch;Nummer;Titel\nEG;535;Gott hat das erste Wort\n");
    writeFileBytes(bad, "EG;536;Gut\nEG;536;Doppelt\n");
    dialogs->fileNames = { good, bad };

    ModalDialogs modal;
    modal.expect([this](QWidget &dialog) {
        EXPECT_TRUE(control<QLabel>(dialog, "lblLiederverzeichnisFormat")
                        ->text()
                        .contains(u"EG;535;Gott hat das erste Wort"_s));
        control<QPushButton>(dialog, "btnLiederverzeichnisDatei")->click();
        EXPECT_EQ(dialogs->messages.value(0),
                  u"1 Lied eingelesen; das Liederverzeichnis enthält jetzt 1 Lied."_s);
        control<QPushButton>(dialog, "btnLiederverzeichnisDatei")->click();
        EXPECT_TRUE(dialogs->errors.value(0).contains(u"Zeile 2: EG 536 steht schon in Zeile 1"_s))
            << dialogs->errors.value(0).toStdString();
        EXPECT_TRUE(control<QLabel>(dialog, "lblLiederverzeichnisStand")
                        ->text()
                        .startsWith(u"Das Liederverzeichnis enthält 1 Lied "_s));
        control<QPushButton>(dialog, "btnLiederverzeichnisSchliessen")->click();
    });
    control<QPushButton>(*window, "btnLiederverzeichnis")->click();
    EXPECT_EQ(modal.pendingHandlers(), 0U);

    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto *field = control<QLineEdit>(*window, "txtKollektenlied");
    field->setFocus();
    QTest::keyClicks(field, u"EG 535"_s);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return field->toolTip().startsWith(u"EG 535 Gott hat das erste Wort: "_s); }, 10000))
        << field->toolTip().toStdString();
    EXPECT_EQ(field->toolTip(), u"EG 535 Gott hat das erste Wort: noch nie gesungen"_s);
}

TEST_F(HymnFieldsWindow, ThePlanMarksAHymnSungWithinTheWeeksBeforeItsService)
{
    save(u"2"_s, u"2"_s, u"2. Sonntag im Advent"_s, u"20261206"_s, { u"EG 10"_s, u"EG 7"_s });
    save(u"3"_s, u"3"_s, u"3. Sonntag im Advent"_s, u"20261213"_s, { u"EG 10,1-3"_s, u"EG 16"_s });
    window = makeMainWindow(&dialogs);

    ModalDialogs modal;
    modal.expect([](QWidget &dialog) {
        auto *table = control<QTableWidget>(dialog, "grdLiedplan");
        // 06.12.2026 and 13.12.2026 are the first two rows; the opening hymn is the fourth
        // column.
        ASSERT_GE(table->rowCount(), 2);
        ASSERT_EQ(table->item(1, 1)->text(), u"3. Sonntag im Advent"_s);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return table->item(1, 3)->data(Qt::BackgroundRole).isValid(); }, 10000));
        EXPECT_EQ(table->item(1, 3)->text(), u"EG 10,1-3"_s);
        EXPECT_TRUE(table->item(1, 3)->toolTip().contains(
            u"zuletzt gesungen am 06.12.2026 (2. Sonntag im Advent) – höchstens 6 Wochen vor "
            u"diesem Gottesdienst"_s))
            << table->item(1, 3)->toolTip().toStdString();
        EXPECT_TRUE(table->item(1, 3)
                        ->data(Qt::AccessibleDescriptionRole)
                        .toString()
                        .startsWith(u"zuletzt gesungen am 06.12.2026"_s));
        // Sung for the first time, or the first time in the plan: not marked.
        for (const auto &[row, column] : { std::pair(1, 4), std::pair(0, 3), std::pair(0, 4) })
            EXPECT_FALSE(table->item(row, column)->data(Qt::BackgroundRole).isValid())
                << row << "," << column;
        control<QPushButton>(dialog, "btnPlanSchliessen")->click();
    });
    control<QPushButton>(*window, "btnLiedplan")->click();
    EXPECT_EQ(modal.pendingHandlers(), 0U);
}

} // namespace
