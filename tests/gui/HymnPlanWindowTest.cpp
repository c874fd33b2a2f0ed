// "Liedplan …" on the tab "Verlauf", through the real window and its dialog: the rows of the
// coming services from a data folder with a saved and unsaved days, the CSV and calendar files
// it writes, and the mail link handed to the desktop. (What each row holds and how the files are
// laid out is the hymn plan's own business.)
#include "base/Clock.h"
#include "calendar/HymnPlanOutput.h"
#include "gui/FrmMain.h"
#include "gui/PrinterAvailability.h"
#include "gui/QtDialogs.h"
#include "storage/ServiceOrderFile.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <string_view>

namespace {

class HymnPlanWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appclock::setTodayForTesting(QDate(2026, 12, 1));
        printeravailability::setSystemPrintersForTesting(false);
        auto scripted = std::make_unique<PdfChoosingDialogs>();
        dialogs = scripted.get();
        StartOptions options;
        options.skipUpdateCheck = true;
        window = std::make_unique<TfrmMain>(std::move(scripted), options);
    }

    void TearDown() override
    {
        window.reset();
        printeravailability::setSystemPrintersForTesting(std::nullopt);
        appclock::setTodayForTesting({});
    }

    // A preparation of the day in its series folder, with the five hymns and the sermon text.
    void save(const QString &dayName, const QString &series, const QStringList &hymns,
              const QString &sermonText)
    {
        Preparation saved;
        saved.dayName = dayName;
        saved.series = series;
        saved.predigttext = sermonText;
        saved.eingangslied = hymns.value(0);
        saved.wochenlied = hymns.value(1);
        saved.vorpredigtslied = hymns.value(2);
        saved.kollektenlied = hymns.value(3);
        saved.ausgangslied = hymns.value(4);
        ASSERT_TRUE(QDir().mkpath(env.dataDir() + u'/' + series));
        ASSERT_TRUE(serviceorder::writeFile(
            env.dataDir() + QStringLiteral("/%1/%1 %2.ini").arg(series, dayName),
            serviceorder::toIni(saved)));
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
    PdfChoosingDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(HymnPlanWindow, ShowsTheComingServicesAndWritesTheFilesAndTheMailLink)
{
    // The 3rd Sunday of Advent is prepared; the others are not yet.
    save(QStringLiteral("3. Sonntag im Advent"), QStringLiteral("3"),
         { QStringLiteral("EG 10"), QStringLiteral("EG 16"), QStringLiteral("EG 7"),
           QStringLiteral("EG 9"), QStringLiteral("EG 13") },
         QStringLiteral("Lk 3,1-14"));
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

// The printed plan on a landscape page: the dialog says which PDF file it went into, and every
// word, date and hymn number of the plan is whole in the PDF, nothing cut off at the page's edge.
TEST_F(HymnPlanWindow, PrintsInLandscapeWithoutSplittingAWord)
{
    save(QStringLiteral("3. Sonntag im Advent"), QStringLiteral("3"),
         { QStringLiteral("EG 11,1-4 Wie soll ich dich empfangen"),
           QStringLiteral("Menschenkinder, hört die frohe Botschaft"),
           QStringLiteral("Macht hoch die Tür, die Tor macht weit"),
           QStringLiteral("EG 17,1-4 Wir sagen euch an den lieben Advent"),
           QStringLiteral("Tochter Zion, freue dich") },
         QStringLiteral("Lk 1,67-79"));
    save(QStringLiteral("Christvesper"), QStringLiteral("3"),
         { QStringLiteral("EG 24,1-6 Vom Himmel hoch, da komm ich her"),
           QStringLiteral("Herbei, o ihr Gläubigen"), QStringLiteral("EG 27"),
           QStringLiteral("Es ist ein Ros entsprungen"), QStringLiteral("O du fröhliche") },
         QStringLiteral("Jes 9,1-6"));
    const QString pdf = env.home() + QStringLiteral("/Liedplan.pdf");
    dialogs->pdfPath = pdf;
    const QDate to(2027, 1, 31);
    withPlan([&](QWidget &dialog) {
        control<QDateEdit>(dialog, "dtpPlanBis")->setDate(to);
        control<QPushButton>(dialog, "btnPlanDrucken")->click();
        // The dialog says where the plan went.
        EXPECT_EQ(control<QLabel>(dialog, "lblLiedplanStatus")->text(),
                  QStringLiteral("Der Liedplan wurde in die PDF-Datei %1 gedruckt.")
                      .arg(QDir::toNativeSeparators(pdf)));
    });
    EXPECT_EQ(dialogs->errors, QStringList());

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdftotext.isEmpty() || pdfinfo.isEmpty())
        GTEST_SKIP() << "pdftotext fehlt (Debian: poppler-utils)";

    const auto run = [](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QRegularExpressionMatch size
        = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
              .match(run(pdfinfo, { pdf }));
    ASSERT_TRUE(size.hasMatch());
    EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble()) << "not landscape";

    // The words of the plan as the document holds them, against the words of the PDF.
    const Result<hymnplan::Period> period = hymnplan::resolvePeriod(appclock::today(), to);
    ASSERT_TRUE(period.ok());
    const hymnplan::Plan plan = hymnplan::make(*period, hymnplan::scanFor(*period, env.dataDir()));
    ASSERT_GT(plan.rows.size(), 12);
    QTextDocument document;
    hymnplan::fillDocument(document, plan);
    const QRegularExpression space(QStringLiteral("\\s+"));
    QStringList expected = document.toPlainText().split(space, Qt::SkipEmptyParts);
    QStringList printed
        = run(pdftotext, { pdf, QStringLiteral("-") }).split(space, Qt::SkipEmptyParts);
    for (const QString &word : printed)
        EXPECT_TRUE(expected.contains(word)) << "split or unknown: " << word.toStdString();
    // Nothing lost at the page's edge either.
    for (const QString &word : std::as_const(printed))
        expected.removeOne(word);
    EXPECT_EQ(expected.join(u' ').toStdString(), "");
}

// A date typed into "Von" or "Bis" is the date the plan takes.
TEST_F(HymnPlanWindow, TypedDatesAreTakenAsTyped)
{
    // Typed over the whole field, from its day on as the Tab key leaves it, or into one section
    // further on (Qt's own editing); each date is a service, so the plan's first or last row is
    // that day. "Bis" shows 24.12.2026 at first.
    const struct
    {
        const char *edit;
        QDateTimeEdit::Section selected; // NoSection: the whole text
        const char *typed;
        QDate date;
    } cases[] = {
        { "dtpPlanBis", QDateTimeEdit::NoSection, "31.01.2027", QDate(2027, 1, 31) },
        { "dtpPlanBis", QDateTimeEdit::DaySection, "31.01.2027", QDate(2027, 1, 31) },
        { "dtpPlanBis", QDateTimeEdit::NoSection, "28.02.2027", QDate(2027, 2, 28) },
        { "dtpPlanBis", QDateTimeEdit::DaySection, "7.2.2027", QDate(2027, 2, 7) },
        { "dtpPlanBis", QDateTimeEdit::YearSection, "2027", QDate(2027, 12, 24) },
        { "dtpPlanVon", QDateTimeEdit::NoSection, "06.12.2026", QDate(2026, 12, 6) },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        withPlan([&](QWidget &dialog) {
            auto *edit = control<QDateEdit>(dialog, c.edit);
            edit->setFocus();
            if (c.selected == QDateTimeEdit::NoSection)
                edit->selectAll();
            else
                edit->setSelectedSection(c.selected);
            QTest::keyClicks(edit, QString::fromLatin1(c.typed));
            EXPECT_EQ(edit->date(), c.date);
            const auto *table = control<QTableWidget>(dialog, "grdLiedplan");
            ASSERT_GT(table->rowCount(), 0);
            const int row = std::string_view(c.edit) == "dtpPlanBis" ? table->rowCount() - 1 : 0;
            EXPECT_EQ(table->item(row, 0)->text(), c.date.toString(QStringLiteral("dd.MM.yyyy")));
        });
    }
}

// Without a mail program the plan's text is offered on the clipboard.
TEST_F(HymnPlanWindow, WithoutAMailProgramTheTextGoesToTheClipboard)
{
    dialogs->openSucceeds = false;
    for (const int answer : { 1, 0 }) {
        SCOPED_TRACE(answer);
        QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));
        dialogs->choiceAnswers = { answer };
        QString status;
        withPlan([&](QWidget &dialog) {
            control<QPushButton>(dialog, "btnPlanMail")->click();
            status = control<QLabel>(dialog, "lblLiedplanStatus")->text();
        });
        ASSERT_EQ(dialogs->choiceCaptions.size(), 1);
        EXPECT_EQ(dialogs->choiceCaptions.takeFirst(),
                  (QStringList { QStringLiteral("Text kopieren"), QStringLiteral("Abbrechen") }));
        EXPECT_TRUE(dialogs->questions.takeFirst().contains(
            QStringLiteral("kein E-Mail-Programm eingerichtet")));
        const QString clipboard = QGuiApplication::clipboard()->text();
        if (answer == 0) {
            EXPECT_EQ(status, QStringLiteral("Text kopiert – in jedes E-Mail-Programm einfügen"));
            EXPECT_TRUE(clipboard.startsWith(
                QStringLiteral("Lieder für die Gottesdienste vom 01.12.2026 bis ")));
            EXPECT_TRUE(clipboard.contains(QStringLiteral(": 3. Sonntag im Advent (violett)\n")))
                << clipboard.toStdString();
        } else {
            EXPECT_EQ(clipboard, QStringLiteral("vorher"));
        }
    }
    EXPECT_EQ(dialogs->errors, QStringList());
    EXPECT_EQ(dialogs->messages, QStringList());
}

// The desktop's answer whether a program takes mail links: xdg-open would start and report
// success even when none does.
TEST(MailProgram, XdgMimeSaysWhetherTheDesktopHasOne)
{
    const struct
    {
        const char *answer; // what xdg-mime prints; nullptr: there is no xdg-mime
        bool hasOne;
    } cases[] = {
        { "", false },
        { "thunderbird.desktop\n", true },
        { nullptr, true },
    };
    const QByteArray path = qgetenv("PATH");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer ? c.answer : "(kein xdg-mime)");
        QTemporaryDir bin;
        if (c.answer) {
            const QString script = bin.filePath(QStringLiteral("xdg-mime"));
            writeFileBytes(script,
                           QByteArray("#!/bin/sh\n[ \"$*\" = \"query default "
                                      "x-scheme-handler/mailto\" ] || exit 1\nprintf '")
                               + c.answer + "'\n");
            QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
        }
        qputenv("PATH", bin.path().toLocal8Bit());
        EXPECT_EQ(desktopHasMailProgram(), c.hasOne);
        qputenv("PATH", path);
    }
}

} // namespace
