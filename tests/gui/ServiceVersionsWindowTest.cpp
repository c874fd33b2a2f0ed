// Nothing lost across the years and between colleagues, through the real window and the real
// message boxes: a day saved six years before is a starting point and stays in the archive; two
// windows on one folder keep every version, whether the question is answered with Enter or with
// "Überschreiben"; a new start on the same data finds it all again, and the day, the hymn plan
// and the history agree on the version in use.
#include "base/Clock.h"
#include "calendar/HymnPlan.h"
#include "gui/FrmMain.h"
#include "gui/HistoryTab.h"
#include "storage/ServiceOrderFile.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

QString hymnIn(const QString &path)
{
    const Result<IniFile> ini = serviceorder::readFile(path);
    return ini ? ini->value(QStringLiteral("Lieder"), QStringLiteral("Eingangslied")) : QString();
}

QString datumIn(const QString &path)
{
    const Result<IniFile> ini = serviceorder::readFile(path);
    return ini ? ini->value(QStringLiteral("Allgemein"), QStringLiteral("Datum")) : QString();
}

class ServiceVersions : public ::testing::Test
{
protected:
    void TearDown() override { appclock::setTodayForTesting({}); }

    // Chooses the entry of the day list for the day, as a click in the list does.
    static void choose(TfrmMain &window, const QString &entry)
    {
        auto *days = control<QComboBox>(window, "cmbTag");
        const int index = days->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        days->setCurrentIndex(index);
    }

    // Types the hymn and saves with Enter in the save dialog: under the name it proposes.
    void saveWithHymn(TfrmMain &window, const QString &hymn)
    {
        control<QLineEdit>(window, "txtEingangslied")->setText(hymn);
        dialogs.expect(acceptFileDialog({}));
        control<QToolButton>(window, "btnSave")->click();
    }

    // The files the tab "Verlauf" lists for the day shown, sorted.
    static QStringList historyFiles(TfrmMain &window)
    {
        auto *history = window.findChild<HistoryTab *>(QStringLiteral("tshVerlauf"));
        EXPECT_NE(history, nullptr);
        if (!history)
            return {};
        QSignalSpy filled(history, &HistoryTab::filled);
        auto *tabs = control<QTabWidget>(window, "pclPageControl");
        if (tabs->currentWidget() == history)
            history->refresh();
        else
            tabs->setCurrentWidget(history);
        EXPECT_TRUE(filled.wait(10000));
        const QAbstractItemModel *rows = control<QTreeView>(window, "grdVorbereitungen")->model();
        QStringList files;
        for (int row = 0; row < rows->rowCount(); ++row)
            files << rows->index(row, 9).data().toString();
        files.sort();
        tabs->setCurrentIndex(0);
        return files;
    }

    static QString status(TfrmMain &window)
    {
        return control<QStatusBar>(window, "Status")->currentMessage();
    }

    hymnplan::Row planRow(const QDate &date) const
    {
        const Result<hymnplan::Period> period = hymnplan::resolvePeriod(date, date);
        EXPECT_TRUE(period.ok());
        const hymnplan::Plan plan
            = hymnplan::make(*period, hymnplan::scanFor(*period, env.dataDir()));
        EXPECT_EQ(plan.rows.size(), 1);
        return plan.rows.value(0);
    }

    TestEnvironment env;
    ModalDialogs dialogs;
};

TEST_F(ServiceVersions, ADaySavedSixYearsBeforeIsAStartingPointAndStaysInTheArchive)
{
    const QString advent2026 = QStringLiteral("13.12.2026 - 3. Sonntag im Advent");
    const QString advent2032 = QStringLiteral("12.12.2032 - 3. Sonntag im Advent");
    appclock::setTodayForTesting(QDate(2026, 12, 1));
    auto window = makeMainWindowWithQtDialogs();
    choose(*window, advent2026);
    const QString series = control<QLabel>(*window, "lblPredigtreiheWert")->text();
    const QString path
        = env.dataDir() + QStringLiteral("/%1/%1 3. Sonntag im Advent.ini").arg(series);
    saveWithHymn(*window, QStringLiteral("EG 10"));
    ASSERT_EQ(hymnIn(path), QStringLiteral("EG 10"));
    EXPECT_EQ(window->windowTitle(), path + QStringLiteral("[*]"));
    window.reset();

    // Six years on the same day comes with the same series: its file is shown as the starting
    // point of the new service, unsaved work of it.
    appclock::setTodayForTesting(QDate(2032, 12, 1));
    window = makeMainWindowWithQtDialogs();
    choose(*window, advent2032);
    EXPECT_EQ(control<QLabel>(*window, "lblPredigtreiheWert")->text(), series);
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 10"));
    EXPECT_EQ(status(*window), QStringLiteral("Vorlage: Vorbereitung vom 13.12.2026"));
    EXPECT_TRUE(window->isWindowModified());
    // Not yet this service's preparation: the hymn plan suggests.
    EXPECT_TRUE(planRow(QDate(2032, 12, 12)).suggested());

    // Saved under the day's name; the earlier file went into the archive under its date.
    saveWithHymn(*window, QStringLiteral("EG 11"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_FALSE(window->isWindowModified());
    const QString archived = env.dataDir()
        + QStringLiteral("/%1/Archiv/%1 3. Sonntag im Advent 2026-12-13.ini").arg(series);
    EXPECT_EQ(hymnIn(path), QStringLiteral("EG 11"));
    EXPECT_EQ(datumIn(path), QStringLiteral("20321212"));
    EXPECT_EQ(hymnIn(archived), QStringLiteral("EG 10"));
    EXPECT_EQ(datumIn(archived), QStringLiteral("20261213"));
    EXPECT_NE(status(*window), QStringLiteral("Vorlage: Vorbereitung vom 13.12.2026"));
    const QStringList both
        = { QStringLiteral("%1/%1 3. Sonntag im Advent.ini").arg(series),
            QStringLiteral("%1/Archiv/%1 3. Sonntag im Advent 2026-12-13.ini").arg(series) };
    EXPECT_EQ(historyFiles(*window), both);
    window.reset();

    // A new start on the same data: each year finds its own.
    window = makeMainWindowWithQtDialogs();
    choose(*window, advent2032);
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 11"));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), path + QStringLiteral("[*]"));
    EXPECT_EQ(historyFiles(*window), both);
    EXPECT_EQ(planRow(QDate(2032, 12, 12)).hymns.value(0), QStringLiteral("EG 11"));
}

TEST_F(ServiceVersions, TwoWindowsKeepEveryVersionAndAgreeOnTheNewest)
{
    appclock::setTodayForTesting(QDate(2026, 12, 1));
    // Both show the coming day, which nobody has saved yet.
    auto first = makeMainWindowWithQtDialogs();
    auto second = makeMainWindowWithQtDialogs();
    const QString day = env.dataDir() + QStringLiteral("/3/3 2. Sonntag im Advent.ini");
    const QString beside = env.dataDir() + QStringLiteral("/3/3 2. Sonntag im Advent (2).ini");
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Pergolan[*]"));
    saveWithHymn(*first, QStringLiteral("EG 1"));
    ASSERT_EQ(hymnIn(day), QStringLiteral("EG 1"));

    // "Überschreiben": the colleague's version is kept in the archive, with date and time.
    QStringList captions;
    dialogs.expectMessageBox([&captions](QWidget &widget) {
        auto *box = qobject_cast<QMessageBox *>(&widget);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton *button : box->buttons())
            captions << button->text();
        EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("Als neue Datei speichern"));
        EXPECT_EQ(box->escapeButton()->text(), QStringLiteral("Abbrechen"));
        for (QAbstractButton *button : box->buttons())
            if (button->text() == QStringLiteral("Überschreiben"))
                button->click();
    });
    saveWithHymn(*second, QStringLiteral("EG 16"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.at(0).text.contains(QStringLiteral("zuletzt gespeichert am ")))
        << dialogs.messages.at(0).text.toStdString();
    EXPECT_EQ(captions.size(), 3);
    EXPECT_EQ(hymnIn(day), QStringLiteral("EG 16"));
    const QStringList kept
        = QDir(env.dataDir() + QStringLiteral("/3/Archiv")).entryList(QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(kept.at(0).startsWith(QStringLiteral("3 2. Sonntag im Advent 2026-")))
        << kept.at(0).toStdString();
    EXPECT_EQ(hymnIn(env.dataDir() + QStringLiteral("/3/Archiv/") + kept.at(0)),
              QStringLiteral("EG 1"));

    // Enter in the save dialog, Enter in the question: both versions stay.
    dialogs.expectMessageBox(pressEnterOnMessageBox());
    saveWithHymn(*first, QStringLiteral("EG 2"));
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(hymnIn(day), QStringLiteral("EG 16"));
    EXPECT_EQ(hymnIn(beside), QStringLiteral("EG 2"));
    EXPECT_FALSE(first->isWindowModified());
    EXPECT_EQ(first->windowTitle(), beside + QStringLiteral("[*]"));
    EXPECT_EQ(historyFiles(*first),
              (QStringList { QStringLiteral("3/3 2. Sonntag im Advent (2).ini"),
                             QStringLiteral("3/3 2. Sonntag im Advent.ini"),
                             QStringLiteral("3/Archiv/") + kept.at(0) }));
    first.reset();
    second.reset();

    // A new start: the day loads the newest version and says there are two; the plan takes
    // the same one and marks the other; the history counts the service once.
    auto third = makeMainWindowWithQtDialogs();
    EXPECT_EQ(control<QLineEdit>(*third, "txtEingangslied")->text(), QStringLiteral("EG 2"));
    EXPECT_EQ(third->windowTitle(), beside + QStringLiteral("[*]"));
    EXPECT_FALSE(third->isWindowModified());
    EXPECT_EQ(status(*third),
              QStringLiteral("Von diesem Gottesdienst sind 2 Fassungen gespeichert; geladen ist "
                             "die neueste: „3 2. Sonntag im Advent (2).ini“."));
    const hymnplan::Row row = planRow(QDate(2026, 12, 6));
    EXPECT_EQ(row.savedFile, QStringLiteral("3/3 2. Sonntag im Advent (2).ini"));
    EXPECT_EQ(row.hymns.value(0), QStringLiteral("EG 2"));
    EXPECT_EQ(row.otherVersions, 1);
    const QList<history::HymnCount> counts
        = history::countHymns(history::hymnUses(history::scanDataFolder(env.dataDir())));
    QStringList counted;
    for (const history::HymnCount &count : counts) {
        counted << count.hymn;
        EXPECT_EQ(count.count, 1) << count.hymn.toStdString(); // one service, counted once
    }
    EXPECT_TRUE(counted.contains(QStringLiteral("EG 2")));
    EXPECT_FALSE(counted.contains(QStringLiteral("EG 1")));
    EXPECT_FALSE(counted.contains(QStringLiteral("EG 16")));

    // Saving goes on into the version loaded, without a question.
    saveWithHymn(*third, QStringLiteral("EG 3"));
    EXPECT_EQ(hymnIn(beside), QStringLiteral("EG 3"));
    EXPECT_EQ(hymnIn(day), QStringLiteral("EG 16"));
    EXPECT_EQ(dialogs.messages.size(), 2);
}

} // namespace
