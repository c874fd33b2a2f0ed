// The hymn plan for the organist: which saved preparation a service takes, the suggestion for
// a day without one, the period, and the plan as CSV, mail text, mailto: link and print text.
// The calendar file and the command are read back by a real iCalendar parser in
// hymnplan_test.py.
#include "base/Clock.h"
#include "calendar/ChurchYearCalendar.h"
#include "calendar/ChurchYearEvents.h"
#include "calendar/DayPropers.h"
#include "calendar/HymnPlanOutput.h"
#include "storage/ServiceOrderFile.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// Holy Week and Easter 2026, series 2.
const QDate kFrom(2026, 3, 29);
const QDate kTo(2026, 4, 6);

class HymnPlanFolder : public ::testing::Test
{
protected:
    // dayStamp: the service date as "yyyyMMdd"; none for a file of an older version.
    void save(const QString &relative, const QString &dayName, const QString &series,
              const QStringList &hymns, const QDate &saved, const QString &dayStamp = {})
    {
        Preparation p;
        p.dayName = dayName;
        p.series = series;
        p.dayStamp = dayStamp;
        p.predigttext = QStringLiteral("Text von ") + relative;
        p.eingangslied = hymns.value(0);
        p.wochenlied = hymns.value(1);
        p.vorpredigtslied = hymns.value(2);
        p.kollektenlied = hymns.value(3);
        p.ausgangslied = hymns.value(4);
        const QString path = dir.filePath(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        ASSERT_TRUE(serviceorder::writeFile(path, serviceorder::toIni(p)));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime(saved, QTime(9, 0)), QFileDevice::FileModificationTime));
    }

    // Palmsonntag saved twice (the second file beside the first, as "Als neue Datei speichern"
    // leaves it), Ostersonntag once; Karfreitag only six years ago, Ostermontag only in another
    // series.
    void fill()
    {
        save(QStringLiteral("2/2 Palmsonntag.ini"), QStringLiteral("Palmsonntag"),
             QStringLiteral("2"), { QStringLiteral("EG 91"), QStringLiteral("EG 314") },
             QDate(2026, 3, 1));
        save(QStringLiteral("2/2 Palmsonntag (2).ini"), QStringLiteral("Palmsonntag"),
             QStringLiteral("2"),
             { QStringLiteral("EG 11"), QStringLiteral("EG 314"), QStringLiteral("EG 87"),
               QStringLiteral("Er kam; \"still\""), QStringLiteral("EG 97") },
             QDate(2026, 3, 25));
        save(QStringLiteral("2/2 Ostersonntag.ini"), QStringLiteral("Ostersonntag"),
             QStringLiteral("2"),
             { QStringLiteral(" EG 99 "),
               QStringLiteral("EG 103"),
               {},
               {},
               QStringLiteral("EG 100") },
             QDate(2026, 3, 20));
        save(QStringLiteral("2/Archiv/2 Karfreitag.ini"), QStringLiteral("Karfreitag"),
             QStringLiteral("2"), { QStringLiteral("EG 85") }, QDate(2020, 4, 1));
        save(QStringLiteral("3/3 Ostermontag.ini"), QStringLiteral("Ostermontag"),
             QStringLiteral("3"), { QStringLiteral("EG 116") }, QDate(2026, 3, 30));
    }

    hymnplan::Plan plan(const QDate &from = kFrom, const QDate &to = kTo) const
    {
        const Result<hymnplan::Period> period = hymnplan::resolvePeriod(from, to);
        EXPECT_TRUE(period.ok()) << period.error().toStdString();
        return hymnplan::make(*period, hymnplan::scanFor(*period, dir.path()));
    }

    QTemporaryDir dir;
};

TEST_F(HymnPlanFolder, EachServiceTakesItsLatestPreparationOrTheSuggestion)
{
    fill();
    const hymnplan::Plan p = plan();
    QStringList days;
    for (const hymnplan::Row &row : p.rows)
        days << row.date.toString(QStringLiteral("dd.MM. ")) + row.dayName;
    EXPECT_EQ(
        days,
        QStringList({ QStringLiteral("29.03. Palmsonntag"), QStringLiteral("02.04. Gründonnerstag"),
                      QStringLiteral("03.04. Karfreitag"), QStringLiteral("04.04. Karsamstag"),
                      QStringLiteral("04.04. Osternacht"), QStringLiteral("05.04. Ostersonntag"),
                      QStringLiteral("06.04. Ostermontag") }));

    const hymnplan::Row &palm = p.rows.at(0);
    EXPECT_EQ(palm.savedFile, QStringLiteral("2/2 Palmsonntag (2).ini"));
    EXPECT_EQ(palm.otherVersions, 1); // the version the day loads, and a mark for the other
    EXPECT_EQ(palm.hymns.at(0), QStringLiteral("EG 11"));
    EXPECT_EQ(palm.series, QStringLiteral("2"));
    EXPECT_EQ(palm.colour, QStringLiteral("violett"));

    const hymnplan::Row &easter = p.rows.at(5);
    EXPECT_EQ(easter.hymns,
              QStringList({ QStringLiteral("EG 99"),
                            QStringLiteral("EG 103"),
                            {},
                            {},
                            QStringLiteral("EG 100") }));
    EXPECT_EQ(easter.sermonText, QStringLiteral("Text von 2/2 Ostersonntag.ini"));
    EXPECT_EQ(easter.colour, QStringLiteral("weiß"));
    EXPECT_FALSE(easter.suggested());
    EXPECT_EQ(easter.otherVersions, 0);

    // An old preparation of the same day and series, and one of another series, do not count.
    for (const int i : { 2, 6 }) {
        const hymnplan::Row &row = p.rows.at(i);
        EXPECT_TRUE(row.suggested()) << row.dayName.toStdString();
        const Preparation propers = daypropers::ofDay(row.dayName, row.series);
        EXPECT_FALSE(propers.wochenlied.isEmpty());
        EXPECT_EQ(row.hymns, QStringList({ {}, propers.wochenlied, {}, {}, {} }));
        EXPECT_EQ(row.sermonText, propers.predigttext);
        EXPECT_EQ(hymnplan::shownHymns(row).at(1),
                  propers.wochenlied + QStringLiteral(" (Vorschlag)"));
    }
}

// The 10th Sunday after Trinity offers its two propers on one date: the plan and the calendar
// list both, each with its own colour, hymns and saved preparation.
TEST_F(HymnPlanFolder, TheIsraelSundayHasTwoServices)
{
    const QDate sunday(2026, 8, 9);
    save(QStringLiteral("2/2 Gedenktag der Zerstörung Jerusalems.ini"),
         QStringLiteral("Gedenktag der Zerstörung Jerusalems"), QStringLiteral("2"),
         { QStringLiteral("EG 144") }, QDate(2026, 8, 1));
    const hymnplan::Plan p = plan(sunday, sunday);
    ASSERT_EQ(p.rows.size(), 2);
    EXPECT_EQ(p.rows.at(0).dayName, QStringLiteral("10. Sonntag nach Trinitatis"));
    EXPECT_EQ(p.rows.at(0).colour, QStringLiteral("grün"));
    EXPECT_TRUE(p.rows.at(0).suggested());
    EXPECT_EQ(p.rows.at(0).hymns.at(1),
              daypropers::ofDay(p.rows.at(0).dayName, QStringLiteral("2")).wochenlied);
    EXPECT_EQ(p.rows.at(1).dayName, QStringLiteral("Gedenktag der Zerstörung Jerusalems"));
    EXPECT_EQ(p.rows.at(1).colour, QStringLiteral("violett"));
    EXPECT_EQ(p.rows.at(1).hymns.at(0), QStringLiteral("EG 144"));

    QStringList described;
    for (const churchyearcalendar::Event &event : churchyearcalendar::eventsOfYear(2026)) {
        if (event.date == sunday)
            described << event.summary + u'|' + event.description.section(u'\n', 2, 2);
    }
    EXPECT_EQ(described,
              QStringList({ QStringLiteral("10. Sonntag nach Trinitatis|AT-Lesung: 2. Mose 19,1-6"),
                            QStringLiteral("Gedenktag der Zerstörung Jerusalems|AT-Lesung: Jes "
                                           "27,2-9") }));
}

TEST(HymnPlanPeriod, DefaultsToTheNextFourServicesAndRefusesBadPeriods)
{
    appclock::setTodayForTesting(QDate(2026, 4, 1));
    const Result<hymnplan::Period> coming = hymnplan::resolvePeriod(appclock::today(), {});
    appclock::setTodayForTesting({});
    ASSERT_TRUE(coming.ok());
    EXPECT_EQ(coming->to, QDate(2026, 4, 4)); // Gründonnerstag to Osternacht
    EXPECT_EQ(hymnplan::entriesOfPeriod(*coming).size(), hymnplan::kDefaultServices);

    // Over the turn of the year: the last Sundays of December and the first of January.
    const Result<hymnplan::Period> turn = hymnplan::resolvePeriod(QDate(2026, 12, 27), {});
    ASSERT_TRUE(turn.ok());
    EXPECT_EQ(turn->to.year(), 2027);

    const struct
    {
        QDate from, to;
        const char *error;
    } bad[] = {
        { QDate(2026, 4, 6), QDate(2026, 4, 1), "liegt vor seinem Beginn" },
        { QDate(2026, 1, 1), QDate(2037, 1, 1), "zu lang" },
        { QDate(1500, 1, 1), QDate(1500, 2, 1), "in den Jahren 1583 bis 9999" },
        { QDate(), QDate(), "kein gültiges Datum" },
    };
    for (const auto &c : bad) {
        const Result<hymnplan::Period> period = hymnplan::resolvePeriod(c.from, c.to);
        EXPECT_FALSE(period.ok()) << c.error;
        EXPECT_TRUE(period.error().contains(QString::fromUtf8(c.error)))
            << period.error().toStdString();
    }
}

TEST_F(HymnPlanFolder, CsvFollowsTheConventionsOfTheHymnTable)
{
    fill();
    const QByteArray csv = hymnplan::toCsv(plan());
    EXPECT_FALSE(csv.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 9); // header, seven services, nothing after the last CR LF
    EXPECT_TRUE(lines.last().isEmpty());
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        EXPECT_TRUE(lines.at(i).endsWith('\r')) << i;
    EXPECT_EQ(lines.at(0),
              "Datum;Tag;Liturgische Farbe;Eingangslied;Wochenlied;Vorpredigtslied;"
              "Kollektenlied;Ausgangslied;Predigttext;Datei;Vor kurzem gesungen\r");
    // The date bare, every text in quotes (read back by Calc in test_calc_csv).
    EXPECT_EQ(QString::fromUtf8(lines.at(1)),
              QStringLiteral("29.03.2026;\"Palmsonntag\";\"violett\";\"EG 11\";\"EG 314\";"
                             "\"EG 87\";\"Er kam; \"\"still\"\"\";\"EG 97\";"
                             "\"Text von 2/2 Palmsonntag (2).ini\";"
                             "\"2/2 Palmsonntag (2).ini (+1 weitere Fassung)\";\"\"\r"));
    EXPECT_TRUE(QString::fromUtf8(lines.at(3))
                    .startsWith(QStringLiteral("03.04.2026;\"Karfreitag\";\"schwarz\";\"\";")));
    EXPECT_TRUE(lines.at(3).endsWith(" (Vorschlag)\";\"\";\"\"\r"));
}

TEST_F(HymnPlanFolder, MailLinkCarriesSubjectAndBodyPercentEncoded)
{
    fill();
    const hymnplan::Plan p = plan();
    const hymnplan::MailLink link
        = hymnplan::mailtoLink(p, QStringLiteral("organistin@gemeinde.example"));
    EXPECT_EQ(link.servicesLeftOut, 0);
    EXPECT_TRUE(link.url.startsWith(
        QStringLiteral("mailto:organistin%40gemeinde.example?subject=Lieder%20f%C3%BCr%20die%20"
                       "Gottesdienste%20vom%2029.03.2026%20bis%2006.04.2026&body=")))
        << link.url.toStdString();
    for (const QChar c : link.url)
        EXPECT_TRUE(c.unicode() > 0x20 && c.unicode() < 0x7F && c != u'#' && c != u' ');
    const QString body = QUrl::fromPercentEncoding(
        link.url.mid(link.url.indexOf(QStringLiteral("&body=")) + 6).toLatin1());
    QString crlf = hymnplan::toPlainText(p);
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    EXPECT_EQ(body, crlf);
    EXPECT_TRUE(body.contains(QStringLiteral(
        "Sonntag, 05.04.2026: Ostersonntag (weiß)\r\nEingangslied: EG 99\r\nWochenlied: EG 103\r\n"
        "Vorpredigtslied: –\r\nKollektenlied: –\r\nAusgangslied: EG 100\r\n")));
    EXPECT_TRUE(body.contains(QStringLiteral("Er kam; \"still\"")));

    // The desktop gets the same link back from QUrl.
    const QUrl url = QUrl::fromEncoded(link.url.toLatin1(), QUrl::StrictMode);
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(url.query(QUrl::FullyDecoded).contains(QStringLiteral("Lieder für die")));
}

TEST_F(HymnPlanFolder, ALongPlanIsCutAfterWholeServicesToFitTheMailLink)
{
    const hymnplan::Plan p = plan(QDate(2026, 1, 1), QDate(2026, 12, 31));
    ASSERT_GT(p.rows.size(), 60);
    const hymnplan::MailLink link = hymnplan::mailtoLink(p);
    EXPECT_LE(link.url.size(), hymnplan::kMaxMailtoLength);
    EXPECT_GT(link.url.size(), hymnplan::kMaxMailtoLength - 600); // as many as fit
    ASSERT_GT(link.servicesLeftOut, 0);
    const QString body = QUrl::fromPercentEncoding(link.url.toLatin1());
    const qsizetype kept = p.rows.size() - link.servicesLeftOut;
    EXPECT_EQ(body.count(QStringLiteral("\r\nPredigttext: ")), kept);
    EXPECT_TRUE(body.endsWith(
        QStringLiteral("(Für die E-Mail gekürzt: %1 weitere Gottesdienste ab dem %2 stehen im "
                       "gedruckten Plan und in der CSV-Datei.)\r\n")
            .arg(link.servicesLeftOut)
            .arg(p.rows.at(kept).date.toString(QStringLiteral("dd.MM.yyyy")))));
}

TEST_F(HymnPlanFolder, PrintDocumentHoldsOneTableRowPerService)
{
    fill();
    const hymnplan::Plan p = plan();
    QTextDocument document;
    hymnplan::fillDocument(document, p);
    const QString text = document.toPlainText();
    EXPECT_TRUE(text.startsWith(hymnplan::title(p)));
    EXPECT_TRUE(text.contains(QStringLiteral("Er kam; \"still\"")));
    EXPECT_EQ(text.count(QStringLiteral("(Vorschlag)")), 2 * 5 + 1); // five days, and the note
    EXPECT_TRUE(hymnplan::toHtml(p).contains(QStringLiteral("&quot;still&quot;")));
}

// A hymn whose entry the saved list lacks is not sung as the order stands: the plan says so. A
// file that keeps no list of its own says nothing about it.
TEST(HymnPlanMarks, AHymnTheSavedOrderHasNoPlaceFor)
{
    const QStringList withoutWeekHymn
        = { QStringLiteral("Glockengeläut"), QStringLiteral("Eingangslied"),
            QStringLiteral("Predigt"),       QStringLiteral("Kollektenlied"),
            QStringLiteral("Segen"),         QStringLiteral("Ausgangslied") };
    QStringList everyHymn = withoutWeekHymn;
    everyHymn.insert(2, QStringLiteral("Wochenlied"));
    everyHymn.insert(3, QStringLiteral("Vorpredigtslied"));
    const struct
    {
        const char *name;
        QStringList sequence;
        QStringList shown;
    } cases[] = {
        { "every hymn has its place",
          everyHymn,
          { QStringLiteral("EG 91"),
            QStringLiteral("EG 314"),
            {},
            QStringLiteral("EG 1"),
            QStringLiteral("EG 97") } },
        { "no hymn of the week in the list",
          withoutWeekHymn,
          { QStringLiteral("EG 91"),
            QStringLiteral("EG 314 (nicht im Ablauf)"),
            {},
            QStringLiteral("EG 1"),
            QStringLiteral("EG 97") } },
        { "no list kept",
          {},
          { QStringLiteral("EG 91"),
            QStringLiteral("EG 314"),
            {},
            QStringLiteral("EG 1"),
            QStringLiteral("EG 97") } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        Preparation p;
        p.dayName = QStringLiteral("Palmsonntag");
        p.series = QStringLiteral("2");
        p.dayStamp = QStringLiteral("20260329");
        p.eingangslied = QStringLiteral("EG 91");
        p.wochenlied = QStringLiteral("EG 314");
        p.kollektenlied = QStringLiteral("EG 1");
        p.ausgangslied = QStringLiteral("EG 97");
        p.sequence = c.sequence;
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("2"))));
        ASSERT_TRUE(serviceorder::writeFile(dir.filePath(QStringLiteral("2/2 Palmsonntag.ini")),
                                            serviceorder::toIni(p)));
        const Result<hymnplan::Period> period = hymnplan::resolvePeriod(kFrom, kFrom);
        ASSERT_TRUE(period.ok());
        const hymnplan::Plan plan = hymnplan::make(*period, hymnplan::scanFor(*period, dir.path()));
        ASSERT_EQ(plan.rows.size(), 1);
        EXPECT_EQ(hymnplan::shownHymns(plan.rows.at(0)), c.shown);
        EXPECT_EQ(QString::fromUtf8(hymnplan::toCsv(plan)).contains(u"(nicht im Ablauf)"),
                  c.shown.at(1).contains(u"(nicht im Ablauf)"));
    }
}

// A hymn sung within the weeks set before its service is marked wherever the plan goes: when
// it was sung, in the CSV's last column, the calendar, the mail and the print. A service of the
// plan counts for the later ones; a row's own preparation, dated or not, never does.
TEST_F(HymnPlanFolder, MarksAHymnSungWithinTheWeeksBeforeItsService)
{
    save(QStringLiteral("1/Archiv/1 Lätare.ini"), QStringLiteral("Lätare"), QStringLiteral("1"),
         { QStringLiteral("EG 99") }, QDate(2026, 3, 10), QStringLiteral("20260315"));
    save(QStringLiteral("2/2 Palmsonntag.ini"), QStringLiteral("Palmsonntag"), QStringLiteral("2"),
         { QStringLiteral("EG 91"), QStringLiteral("EG 314") }, QDate(2026, 3, 20),
         QStringLiteral("20260329"));
    // Saved without a service date by an older version, the week before.
    save(QStringLiteral("2/2 Ostersonntag.ini"), QStringLiteral("Ostersonntag"),
         QStringLiteral("2"),
         { QStringLiteral("EG 99"),
           QStringLiteral("EG 314"),
           {},
           QStringLiteral("EG 100"),
           QStringLiteral("EG 91") },
         QDate(2026, 3, 29));
    const hymnindex::FolderIndex index = hymnindex::readDataFolder(dir.path());

    const QString palm = QStringLiteral("zuletzt gesungen am 29.03.2026 (Palmsonntag)");
    const QString laetare = QStringLiteral("zuletzt gesungen am 15.03.2026 (Lätare)");
    const struct
    {
        int weeks;
        QStringList easter; // the marks of the Easter row's five hymns
        const char *csvColumn;
    } cases[] = {
        { 6,
          { laetare, palm, {}, {}, palm },
          "Eingangslied: zuletzt gesungen am 15.03.2026 (Lätare) | Wochenlied: zuletzt gesungen "
          "am 29.03.2026 (Palmsonntag) | Ausgangslied: zuletzt gesungen am 29.03.2026 "
          "(Palmsonntag)" },
        { 2,
          { {}, palm, {}, {}, palm },
          "Wochenlied: zuletzt gesungen am 29.03.2026 (Palmsonntag) | Ausgangslied: zuletzt "
          "gesungen am 29.03.2026 (Palmsonntag)" },
        { 1,
          { {}, palm, {}, {}, palm }, // a week to the day
          "Wochenlied: zuletzt gesungen am 29.03.2026 (Palmsonntag) | Ausgangslied: zuletzt "
          "gesungen am 29.03.2026 (Palmsonntag)" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.weeks);
        hymnplan::Plan plan = this->plan(QDate(2026, 3, 29), QDate(2026, 4, 5));
        hymnplan::markRecent(plan, index.index, c.weeks);
        ASSERT_EQ(plan.rows.constFirst().dayName, QStringLiteral("Palmsonntag"));
        ASSERT_EQ(plan.rows.constLast().dayName, QStringLiteral("Ostersonntag"));
        const hymnplan::Row &easter = plan.rows.constLast();
        EXPECT_EQ(easter.recentlySung, c.easter);
        for (const hymnplan::Row &row : std::as_const(plan.rows).first(plan.rows.size() - 1))
            for (const QString &mark : row.recentlySung)
                EXPECT_TRUE(mark.isEmpty()) << row.dayName.toStdString();

        const QList<QByteArray> lines = hymnplan::toCsv(plan).split('\n');
        const QString easterLine = QString::fromUtf8(lines.at(lines.size() - 2));
        EXPECT_TRUE(
            easterLine.endsWith(u'"' + QString::fromUtf8(c.csvColumn) + QStringLiteral("\"\r")))
            << easterLine.toStdString();
        EXPECT_TRUE(
            QString::fromUtf8(lines.at(1)).endsWith(QStringLiteral(";\"\"\r"))); // Palmsonntag
        const QString wochenlied = QStringLiteral("Wochenlied: EG 314 – ") + palm;
        // The calendar's lines unfolded.
        EXPECT_TRUE(QString::fromUtf8(hymnplan::toICal(plan, QDateTime::currentDateTimeUtc()))
                        .remove(QStringLiteral("\r\n "))
                        .contains(churchyearcalendar::escapeText(wochenlied)));
        EXPECT_TRUE(hymnplan::toPlainText(plan).contains(wochenlied + u'\n'));
        QTextDocument document;
        hymnplan::fillDocument(document, plan);
        EXPECT_TRUE(document.toPlainText().contains(palm));
        EXPECT_TRUE(document.toPlainText().contains(
            c.weeks == 1 ? QStringLiteral("in der Woche vor dem Gottesdienst schon gesungen")
                         : QStringLiteral("in den %1 Wochen vor dem Gottesdienst").arg(c.weeks)));
    }
}

} // namespace
