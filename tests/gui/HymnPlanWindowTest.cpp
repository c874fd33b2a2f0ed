// "Liedplan …" on the tab "Verlauf", through the real window and its dialog: the rows of the
// coming services from a data folder with a saved and unsaved days, the CSV and calendar files
// it writes, and the mail link handed to the desktop. (What each row holds and how the files are
// laid out is the hymn plan's own business.)
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "storage/ServiceOrderFile.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QUrlQuery>

#include <gtest/gtest.h>

namespace {

class HymnPlanWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appclock::setTodayForTesting(QDate(2026, 12, 1));
        window = makeMainWindow(&dialogs);
    }

    void TearDown() override
    {
        window.reset();
        appclock::setTodayForTesting({});
    }

    // The dialog opened with its button; `inside` works in it, then it is closed.
    void withPlan(const std::function<void(QWidget &)> &inside)
    {
        ModalDialogs modal;
        modal.expect([&inside](QWidget &dialog) {
            inside(dialog);
            control<QPushButton>(dialog, "btnPlanSchliessen")->click();
        });
        control<QPushButton>(*window, "btnLiedplan")->click();
        EXPECT_EQ(modal.pendingHandlers(), 0U);
    }

    static QStringList row(const QWidget &dialog, int r)
    {
        const auto *table = control<QTableWidget>(dialog, "grdLiedplan");
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
        return cells;
    }

    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(HymnPlanWindow, ShowsTheComingServicesAndWritesTheFilesAndTheMailLink)
{
    // The 3rd Sunday of Advent is prepared; the others are not yet.
    Preparation saved;
    saved.dayName = QStringLiteral("3. Sonntag im Advent");
    saved.series = QStringLiteral("3");
    saved.predigttext = QStringLiteral("Lk 3,1-14");
    saved.eingangslied = QStringLiteral("EG 10");
    saved.wochenlied = QStringLiteral("EG 16");
    saved.vorpredigtslied = QStringLiteral("EG 7");
    saved.kollektenlied = QStringLiteral("EG 9");
    saved.ausgangslied = QStringLiteral("EG 13");
    ASSERT_TRUE(QDir().mkpath(env.dataDir() + QStringLiteral("/3")));
    ASSERT_TRUE(
        serviceorder::writeFile(env.dataDir() + QStringLiteral("/3/3 3. Sonntag im Advent.ini"),
                                serviceorder::toIni(saved)));
    const QString csv = env.home() + QStringLiteral("/plan.csv");
    const QString ics = env.home() + QStringLiteral("/plan.ics");
    dialogs->fileNames = { csv, ics };

    QString subject;
    int services = 0;
    withPlan([&](QWidget &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Liedplan für den Organisten"));
        EXPECT_EQ(control<QDateEdit>(dialog, "dtpPlanVon")->date(), QDate(2026, 12, 1));
        const auto *table = control<QTableWidget>(dialog, "grdLiedplan");
        // The fourth service is Christmas Eve, and every service of that date comes along.
        services = table->rowCount();
        ASSERT_GE(services, 4);
        EXPECT_EQ(row(dialog, services - 1).at(0), QStringLiteral("24.12.2026"));
        EXPECT_EQ(
            row(dialog, 0).mid(0, 2),
            (QStringList { QStringLiteral("06.12.2026"), QStringLiteral("2. Sonntag im Advent") }));
        EXPECT_EQ(
            row(dialog, 1),
            (QStringList { QStringLiteral("13.12.2026"), QStringLiteral("3. Sonntag im Advent"),
                           QStringLiteral("violett"), QStringLiteral("EG 10"),
                           QStringLiteral("EG 16"), QStringLiteral("EG 7"), QStringLiteral("EG 9"),
                           QStringLiteral("EG 13"), QStringLiteral("Lk 3,1-14") }));
        // The unsaved days carry the week's hymn as a suggestion.
        for (const int r : { 0, 2 })
            EXPECT_TRUE(row(dialog, r).join(u'|').contains(QStringLiteral("(Vorschlag)")))
                << row(dialog, r).join(u'|').toStdString();
        EXPECT_TRUE(control<QLabel>(dialog, "lblLiedplanStatus")
                        ->text()
                        .startsWith(QStringLiteral("%1 Gottesdienste, %2 davon ohne")
                                        .arg(services)
                                        .arg(services - 1)));

        control<QPushButton>(dialog, "btnPlanCsv")->click();
        control<QPushButton>(dialog, "btnPlanIcal")->click();
        control<QLineEdit>(dialog, "txtPlanEmpfaenger")
            ->setText(QStringLiteral("organist@gemeinde.example"));
        control<QPushButton>(dialog, "btnPlanMail")->click();
        subject = QStringLiteral("Lieder für die Gottesdienste vom 01.12.2026 bis ")
            + control<QDateEdit>(dialog, "dtpPlanBis")
                  ->date()
                  .toString(QStringLiteral("dd.MM.yyyy"));

        // A year is too long for one mail: the message says so, and the link still goes out.
        control<QDateEdit>(dialog, "dtpPlanBis")->setDate(QDate(2027, 11, 30));
        EXPECT_GT(table->rowCount(), 60);
        control<QPushButton>(dialog, "btnPlanMail")->click();
    });
    EXPECT_EQ(dialogs->errors, QStringList());

    ASSERT_EQ(dialogs->fileRequests.size(), 2);
    EXPECT_EQ(dialogs->fileRequests.at(0).defaultExtension, QStringLiteral("csv"));
    const QStringList lines
        = QString::fromUtf8(readFileBytes(csv)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), services + 1);
    EXPECT_TRUE(lines.at(0).startsWith(QStringLiteral("Datum;Tag;")));
    EXPECT_TRUE(lines.at(2).contains(QStringLiteral("EG 16"))) << lines.at(2).toStdString();
    const QString calendar = QString::fromUtf8(readFileBytes(ics));
    EXPECT_TRUE(calendar.startsWith(QStringLiteral("BEGIN:VCALENDAR")));
    EXPECT_EQ(calendar.count(QStringLiteral("BEGIN:VEVENT")), services);

    ASSERT_EQ(dialogs->openedUrls.size(), 2);
    const QUrl mail = dialogs->openedUrls.at(0);
    EXPECT_EQ(mail.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(mail.path(), QStringLiteral("organist@gemeinde.example"));
    const QUrlQuery query(mail);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), subject);
    EXPECT_TRUE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded)
                    .contains(QStringLiteral("Wochenlied: EG 16")));
    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_TRUE(dialogs->messages.at(0).contains(QStringLiteral("weggelassen")));
}

} // namespace
