// The readings for the lector of the day with the longest readings of the church year (psalm,
// epistle, gospel and sermon text, the most verses of all days and series): the paragraphs
// from the Bible files and the printable document. Both together are to take under 50 ms.
#include "bible/BibleFile.h"
#include "bible/LectorReadings.h"
#include "calendar/ChurchYearCalendar.h"
#include "calendar/DayEntry.h"
#include "calendar/DayPropers.h"
#include "tests/bible/BibleTestData.h"
#include "tests/support/TestEnvironment.h"

#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

struct Day
{
    QString name;
    QDate date;
    QList<lector::Reading> readings;
    qsizetype verses = 0;
};

// Every day of 2025 to 2030 (all six series), the one whose readings have the most verses.
Day longestDay()
{
    Day longest;
    for (int year = 2025; year <= 2030; ++year) {
        for (const QString &entry : churchyearcalendar::entriesOfYear(year)) {
            Day day;
            day.name = dayentry::dayName(entry);
            day.date = QDate::fromString(entry.left(10), QStringLiteral("dd.MM.yyyy"));
            day.readings = lector::readingsOf(
                daypropers::ofDay(day.name, QString::number(dayentry::seriesNumber(entry).value())),
                true);
            for (const lector::Paragraph &p :
                 lector::make(day.name, day.date, day.readings).paragraphs)
                day.verses += p.kind == lector::Paragraph::Kind::Verse;
            if (day.verses > longest.verses)
                longest = day;
        }
    }
    return longest;
}

void BM_LectorDocumentOfTheLongestReadings(benchmark::State &state)
{
    const TestEnvironment env;
    bibletest::installBible(env);
    const Day day = longestDay();
    state.SetLabel(QStringLiteral("%1, %2 Verse").arg(day.name).arg(day.verses).toStdString());
    for (auto _ : state) {
        // As the first print of a day: the Bible files read afresh.
        bible::BibleFile::clearCache();
        const lector::Document made = lector::make(day.name, day.date, day.readings);
        QTextDocument document;
        lector::fillDocument(document, made.paragraphs);
        benchmark::DoNotOptimize(document.pageCount());
    }
}
BENCHMARK(BM_LectorDocumentOfTheLongestReadings)->Unit(benchmark::kMillisecond);

} // namespace
