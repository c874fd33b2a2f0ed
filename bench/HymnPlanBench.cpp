// The hymn plan for the organist on a data folder with 2,000 saved preparations: reading the
// series folders and archives (the files saved within three years of the period) and making the
// plan of the next four services, and of a whole year. The plan is to be ready within 0.3 s.
#include "bench/SavedPreparations.h"
#include "calendar/ChurchYearCalendar.h"
#include "calendar/DayEntry.h"
#include "calendar/HymnPlanOutput.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPreparations = 2000;
const QDate kToday(2026, 3, 1);

// 2,000 preparations of the days of the church years 2019 to 2026 with their series, each saved
// a week before its day, in the series folders and (every second one) their archives.
const QTemporaryDir &dataFolder()
{
    static const QTemporaryDir folder = [] {
        QTemporaryDir dir;
        QStringList entries;
        for (int year = 2019; year <= 2026; ++year)
            entries += churchyearcalendar::entriesOfYear(year);
        for (int i = 0; i < kPreparations; ++i) {
            const QString &entry = entries.at(i % entries.size());
            Preparation p;
            p.dayName = dayentry::dayName(entry);
            p.series = QString::number(dayentry::seriesNumber(entry).value());
            const QDate date = QDate::fromString(entry.left(10), QStringLiteral("dd.MM.yyyy"));
            benchdata::writeSavedPreparation(dir.path(), i, p,
                                             QDateTime(date.addDays(-7), QTime(10, 0)));
        }
        return dir;
    }();
    return folder;
}

void plan(benchmark::State &state, const QDate &to)
{
    const QString path = dataFolder().path();
    const hymnplan::Period period = *hymnplan::resolvePeriod(kToday, to);
    for (auto _ : state) {
        const history::Scan scan = hymnplan::scanFor(period, path);
        const hymnplan::Plan p = hymnplan::make(period, scan);
        if (p.rows.isEmpty() || p.rows.first().suggested())
            state.SkipWithError("the plan did not find the saved preparations");
        benchmark::DoNotOptimize(hymnplan::toCsv(p));
    }
}

void BM_PlanOfTheNextFourServices(benchmark::State &state)
{
    plan(state, {});
}
BENCHMARK(BM_PlanOfTheNextFourServices)->Unit(benchmark::kMillisecond);

void BM_PlanOfAYear(benchmark::State &state)
{
    plan(state, kToday.addYears(1).addDays(-1));
}
BENCHMARK(BM_PlanOfAYear)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
