// The tab "Verlauf" and the calendar entry of the day list, through the real main window.
#include "gui/HistoryTab.h"
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "storage/Win1252Text.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTreeView>

#include <gtest/gtest.h>

#include <utility>

namespace {

class HistoryWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appclock::setTodayForTesting(QDate(2026, 3, 30));
        window = makeMainWindow(&dialogs);
        tab = window->findChild<HistoryTab *>(QStringLiteral("tshVerlauf"));
        ASSERT_NE(tab, nullptr);
    }

    void TearDown() override
    {
        window->document().setModified(false);
        window.reset();
        appclock::setTodayForTesting({});
    }

    // extra is appended, except a day stamp ("Datum=..."), which goes into "[Allgemein]".
    void write(const QString &relative, const QString &name, const QStringList &hymns,
               const QDate &saved, QString extra = {})
    {
        QString text
            = QStringLiteral("[Allgemein]\nName=%1\nPredigtreihe=%2\n").arg(name, relative.left(1));
        if (extra.startsWith(QStringLiteral("Datum=")))
            text += std::exchange(extra, QString());
        text += QStringLiteral("[Texte]\nPredigttext=Mk 16,1-8\n[Lieder]\n");
        const QStringList keys = { QStringLiteral("Eingangslied"), QStringLiteral("Wochenlied") };
        for (int i = 0; i < hymns.size(); ++i)
            text += keys.at(i) + u'=' + hymns.at(i) + u'\n';
        const QString path = env.dataDir() + u'/' + relative;
        writeFileBytes(path,
                       win1252::encode(win1252::joinLines(win1252::splitLines(text + extra))));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime(saved, QTime(9, 30)), QFileDevice::FileModificationTime));
    }

    // Chooses the day and shows the tab; returns when both tables are filled.
    void showDay(const QString &entry)
    {
        control<QComboBox>(*window, "cmbTag")
            ->setCurrentIndex(control<QComboBox>(*window, "cmbTag")->findText(entry));
        QSignalSpy filled(tab, &HistoryTab::filled);
        control<QTabWidget>(*window, "pclPageControl")->setCurrentWidget(tab);
        ASSERT_TRUE(filled.wait(10000));
    }

    static QStringList column(const QTreeView *view, int col)
    {
        QStringList texts;
        const QAbstractItemModel *model = view->model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, col).data().toString();
        return texts;
    }

    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
    HistoryTab *tab = nullptr;
};

TEST_F(HistoryWindow, ShowsTheDaysPreparationsAndTheHymnsOfThePeriod)
{
    QStringList tabs;
    for (int i = 0; i < control<QTabWidget>(*window, "pclPageControl")->count(); ++i)
        tabs << control<QTabWidget>(*window, "pclPageControl")->tabText(i);
    EXPECT_EQ(tabs,
              (QStringList { QStringLiteral("Proprium"), QStringLiteral("Ordinarium"),
                             QStringLiteral("Liturgie"), QStringLiteral("Perikope"),
                             QStringLiteral("Verlauf") }));
    EXPECT_EQ(control<QTabWidget>(*window, "pclPageControl")->widget(3),
              control<QWidget>(*window, "tshPerikope"));

    write(QStringLiteral("1/Archiv/1 Ostersonntag.ini"), QStringLiteral("Ostersonntag"),
          { QStringLiteral("EG 99"), QStringLiteral("EG 103") }, QDate(2025, 4, 20));
    write(QStringLiteral("6/Archiv/6 Ostersonntag.ini"), QStringLiteral("Ostersonntag"),
          { QStringLiteral("EG 100") }, QDate(2024, 3, 31));
    write(QStringLiteral("1/1 Trinitatis.ini"), QStringLiteral("Trinitatis"),
          { QStringLiteral("EG 99,1-3 Christ ist erstanden"), QStringLiteral("<b>fett</b>") },
          QDate(2025, 6, 15));
    write(QStringLiteral("3/3 <b>Erntedank.ini"), QStringLiteral("Erntedank"), {},
          QDate(2025, 10, 5), QStringLiteral("[Reihenfolge]\nAnzahl=x\n"));
    write(QStringLiteral("4/Archiv/4 Erntedank.ini"), QStringLiteral("Erntedank"), {},
          QDate(2025, 10, 5), QStringLiteral("[Reihenfolge]\nAnzahl=-3\n"));

    showDay(QStringLiteral("05.04.2026 - Ostersonntag"));
    EXPECT_EQ(control<QLabel>(*tab, "lblVerlaufTag")->text(),
              QStringLiteral("Gespeicherte Vorbereitungen für „Ostersonntag“:"));
    EXPECT_EQ(column(control<QTreeView>(*tab, "grdVorbereitungen"), 0),
              (QStringList { QStringLiteral("1"), QStringLiteral("6") }));
    EXPECT_EQ(column(control<QTreeView>(*tab, "grdVorbereitungen"), 4),
              (QStringList { QStringLiteral("EG 99"), QStringLiteral("EG 100") }));
    EXPECT_EQ(control<QLabel>(*tab, "lblVerlaufStatus")->text(),
              QStringLiteral("2 Dateien konnten nicht gelesen werden"));
    QTextDocument tip;
    tip.setHtml(control<QLabel>(*tab, "lblVerlaufStatus")->toolTip());
    EXPECT_TRUE(tip.toPlainText().contains(QStringLiteral("3 <b>Erntedank.ini")));
    EXPECT_TRUE(dialogs->messages.isEmpty());

    // The last twelve months: the 2024 file is outside; EG 99 counts twice.
    EXPECT_EQ(control<QDateEdit>(*tab, "dtpVon")->date(), QDate(2025, 3, 30));
    EXPECT_EQ(column(control<QTreeView>(*tab, "grdLieder"), 0),
              (QStringList { QStringLiteral("EG 99"), QStringLiteral("<b>fett</b>"),
                             QStringLiteral("EG 103") }));
    EXPECT_EQ(column(control<QTreeView>(*tab, "grdLieder"), 1),
              (QStringList { QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("1") }));
    EXPECT_EQ(column(control<QTreeView>(*tab, "grdLieder"), 2).first(),
              QStringLiteral("Ostersonntag (20.04.2025); Trinitatis (15.06.2025)"));

    // By book, then number: EG 99 before EG 103.
    control<QTreeView>(*tab, "grdLieder")->sortByColumn(0, Qt::AscendingOrder);
    EXPECT_EQ(column(control<QTreeView>(*tab, "grdLieder"), 0),
              (QStringList { QStringLiteral("<b>fett</b>"), QStringLiteral("EG 99"),
                             QStringLiteral("EG 103") }));
    control<QLineEdit>(*tab, "txtLiedFilter")->setText(QStringLiteral("trinitatis"));
    EXPECT_EQ(column(control<QTreeView>(*tab, "grdLieder"), 0),
              (QStringList { QStringLiteral("<b>fett</b>"), QStringLiteral("EG 99") }));
    control<QLineEdit>(*tab, "txtLiedFilter")->clear();
    control<QDateEdit>(*tab, "dtpVon")->setDate(QDate(2024, 1, 1));
    EXPECT_EQ(control<QTreeView>(*tab, "grdLieder")->model()->rowCount(), 4);
}

TEST_F(HistoryWindow, TheServiceDateLeadsAndEveryColumnCanBeReached)
{
    // Christmas Eve prepared and saved on 8 December; an older file keeps no date.
    appclock::setTodayForTesting(QDate(2026, 12, 10));
    window = makeMainWindow(&dialogs);
    tab = window->findChild<HistoryTab *>(QStringLiteral("tshVerlauf"));
    write(QStringLiteral("2/2 Christvesper.ini"), QStringLiteral("Christvesper"),
          { QStringLiteral("EG 24"),
            QStringLiteral("EG 27 Lobt Gott, ihr Christen alle gleich, "
                           "in seinem höchsten Thron") },
          QDate(2026, 12, 8), QStringLiteral("Datum=20261224\n"));
    write(QStringLiteral("1/Archiv/1 Christvesper.ini"), QStringLiteral("Christvesper"),
          { QStringLiteral("EG 16") }, QDate(2020, 12, 20));
    // Reading waits until the tab is first shown.
    EXPECT_EQ(control<QTreeView>(*tab, "grdVorbereitungen")->model()->rowCount(), 0);

    window->resize(640, 480);
    window->show();
    showDay(QStringLiteral("24.12.2026 - Christvesper"));
    EXPECT_EQ(column(control<QTreeView>(*tab, "grdVorbereitungen"), 1),
              (QStringList { QStringLiteral("24.12.2026"), QString() }));
    EXPECT_EQ(
        column(control<QTreeView>(*tab, "grdVorbereitungen"), 2),
        (QStringList { QStringLiteral("08.12.2026 09:30"), QStringLiteral("20.12.2020 09:30") }));

    // The period begins a year back and takes the services already prepared.
    EXPECT_EQ(control<QDateEdit>(*tab, "dtpBis")->date(), QDate(2027, 12, 10));
    EXPECT_EQ(column(control<QTreeView>(*tab, "grdLieder"), 2),
              (QStringList { QStringLiteral("Christvesper (24.12.2026)"),
                             QStringLiteral("Christvesper (24.12.2026)") }));

    // The period takes the service: up to 20 December the Christmas Eve hymns are not sung.
    control<QDateEdit>(*tab, "dtpVon")->setDate(QDate(2020, 1, 1));
    control<QDateEdit>(*tab, "dtpBis")->setDate(QDate(2026, 12, 20));
    EXPECT_EQ(column(control<QTreeView>(*tab, "grdLieder"), 0),
              QStringList { QStringLiteral("EG 16") });
    control<QDateEdit>(*tab, "dtpBis")->setDate(QDate(2026, 12, 31));
    EXPECT_EQ(column(control<QTreeView>(*tab, "grdLieder"), 2).last(),
              QStringLiteral("Christvesper (24.12.2026)"));

    // Each column is as wide as its texts; what the window cannot show is reached by
    // scrolling sideways. The header sizes its columns when the event loop next runs (Qt 6.8;
    // Qt 6.4 at once), as it does before the user sees them.
    QCoreApplication::processEvents();
    for (QTreeView *view :
         { control<QTreeView>(*tab, "grdVorbereitungen"), control<QTreeView>(*tab, "grdLieder") }) {
        int total = 0;
        for (int c = 0; c < view->model()->columnCount(); ++c) {
            for (int row = 0; row < view->model()->rowCount(); ++row) {
                const QString text = view->model()->index(row, c).data().toString();
                EXPECT_LT(view->fontMetrics().horizontalAdvance(text),
                          view->header()->sectionSize(c))
                    << text.toStdString();
            }
            total += view->header()->sectionSize(c);
        }
        EXPECT_LE(total, view->viewport()->width() + view->horizontalScrollBar()->maximum());
    }
    window->document().setModified(false);
}

TEST_F(HistoryWindow, DoubleClickOpensThePreparationAfterAskingAboutUnsavedWork)
{
    write(QStringLiteral("6/Archiv/6 Ostersonntag.ini"), QStringLiteral("Ostersonntag"),
          { QStringLiteral("EG 100"), QStringLiteral("EG 101") }, QDate(2024, 3, 31));
    showDay(QStringLiteral("05.04.2026 - Ostersonntag"));
    control<QLineEdit>(*window, "txtAusgangslied")->setText(QStringLiteral("EG 421"));
    ASSERT_TRUE(window->isWindowModified());
    dialogs->yesNoCancelAnswers.push_back(Dialogs::Answer::No);

    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTreeView *view = control<QTreeView>(*tab, "grdVorbereitungen");
    const QRect rect = view->visualRect(view->model()->index(0, 0));
    ASSERT_FALSE(rect.isEmpty());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());

    EXPECT_EQ(dialogs->questions, QStringList { QStringLiteral("Die Änderungen speichern?") });
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("6/Archiv/6 Ostersonntag.ini[*]")));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 100"));
    EXPECT_EQ(control<QLabel>(*window, "lblPredigtreiheWert")->text(), QStringLiteral("6"));
}

TEST_F(HistoryWindow, PreparationsSavedUnderTheFormerNameOfTheDate)
{
    // 11 January 2026 was listed as the Letzter Sonntag nach Epiphanias before the day list
    // followed the order of 2018; it is the 1. Sonntag nach Epiphanias (series 2). The tab
    // shows what was saved for the date under either name, in its series.
    write(QStringLiteral("2/Archiv/2 Letzter Sonntag nach Epiphanias.ini"),
          QStringLiteral("Letzter Sonntag nach Epiphanias"), { QStringLiteral("EG 70") },
          QDate(2020, 1, 12));
    write(QStringLiteral("3/Archiv/3 Letzter Sonntag nach Epiphanias.ini"),
          QStringLiteral("Letzter Sonntag nach Epiphanias"), { QStringLiteral("EG 71") },
          QDate(2021, 1, 31));
    write(QStringLiteral("2/Archiv/2 1. Sonntag nach Epiphanias.ini"),
          QStringLiteral("1. Sonntag nach Epiphanias"), { QStringLiteral("EG 72") },
          QDate(2014, 1, 12));
    showDay(QStringLiteral("11.01.2026 - 1. Sonntag nach Epiphanias"));
    QStringList shown = column(control<QTreeView>(*tab, "grdVorbereitungen"), 9);
    shown.sort();
    EXPECT_EQ(shown,
              (QStringList { QStringLiteral("2/Archiv/2 1. Sonntag nach Epiphanias.ini"),
                             QStringLiteral("2/Archiv/2 Letzter Sonntag nach Epiphanias.ini") }));
    control<QTabWidget>(*window, "pclPageControl")->setCurrentIndex(0);

    // One in the series folder is loaded when the day is chosen, as one under the day's own
    // name is, which comes first.
    const auto choose = [&](const QString &entry) {
        control<QComboBox>(*window, "cmbTag")
            ->setCurrentIndex(control<QComboBox>(*window, "cmbTag")->findText(entry));
    };
    write(QStringLiteral("2/2 Letzter Sonntag nach Epiphanias.ini"),
          QStringLiteral("Letzter Sonntag nach Epiphanias"), { QStringLiteral("EG 73") },
          QDate(2025, 12, 20));
    choose(QStringLiteral("18.01.2026 - 2. Sonntag nach Epiphanias"));
    EXPECT_NE(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 73"));
    choose(QStringLiteral("11.01.2026 - 1. Sonntag nach Epiphanias"));
    EXPECT_TRUE(window->windowTitle().endsWith(
        QStringLiteral("2/2 Letzter Sonntag nach Epiphanias.ini[*]")));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 73"));
    write(QStringLiteral("2/2 1. Sonntag nach Epiphanias.ini"),
          QStringLiteral("1. Sonntag nach Epiphanias"), { QStringLiteral("EG 74") },
          QDate(2025, 12, 21));
    choose(QStringLiteral("18.01.2026 - 2. Sonntag nach Epiphanias"));
    choose(QStringLiteral("11.01.2026 - 1. Sonntag nach Epiphanias"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 74"));
    EXPECT_TRUE(dialogs->messages.isEmpty());
}

TEST_F(HistoryWindow, DayListSavesTheCalendarYearAsCalendarFile)
{
    control<QComboBox>(*window, "cmbTag")
        ->setCurrentIndex(control<QComboBox>(*window, "cmbTag")
                              ->findText(QStringLiteral("05.04.2026 - Ostersonntag")));
    auto *action = window->findChild<QAction *>(QStringLiteral("mnuKirchenjahrKalender"));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("Kirchenjahr als Kalenderdatei speichern …"));
    const QString path = env.home() + QStringLiteral("/Kirchenjahr.ics");
    dialogs->fileNames.push_back(path);
    action->trigger();

    ASSERT_EQ(dialogs->fileRequests.size(), 1);
    EXPECT_EQ(dialogs->fileRequests.first().defaultExtension, QStringLiteral("ics"));
    EXPECT_EQ(dialogs->fileRequests.first().fileName, QStringLiteral("Kirchenjahr 2026.ics"));
    const QByteArray calendar = readFileBytes(path);
    EXPECT_TRUE(calendar.startsWith("BEGIN:VCALENDAR\r\n"));
    EXPECT_TRUE(calendar.contains("SUMMARY:Ostersonntag\r\n"));
    EXPECT_TRUE(dialogs->errors.isEmpty());
}

} // namespace
