// What the tab "Verlauf" costs on a data folder with 2,000 saved preparations: reading the
// series folders and archives, then picking the day's preparations and counting the hymns of
// twelve months. Both together must stay well below half a second, the time in which the tab
// is to be filled.
#include "bench/SavedPreparations.h"
#include "storage/PreparationHistory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPreparations = 2000;

// 2,000 preparations of 60 day names over the six series folders and their archives, each
// with five hymns and a sequence of 20 entries, dated over the last four years.
const QTemporaryDir &dataFolder()
{
    static const QTemporaryDir folder = [] {
        QTemporaryDir dir;
        const QDateTime now = QDateTime::currentDateTime();
        for (int i = 0; i < kPreparations; ++i) {
            Preparation p;
            p.dayName = QStringLiteral("Tag %1").arg(i % 60);
            p.series = QString::number(i % 6 + 1);
            p.wochenspruch = QStringLiteral("Ein Wochenspruch von mittlerer Länge. (Joh 1,14)");
            p.psalm = QStringLiteral("Psalm 23");
            p.epistel = QStringLiteral("Röm 8,18-25");
            p.evangelium = QStringLiteral("Lk 17,20-24(25-30)");
            p.pageFormat = 1;
            benchdata::writeSavedPreparation(dir.path(), i, p, now.addDays(-(i % 1460)));
        }
        return dir;
    }();
    return folder;
}

void BM_ScanDataFolder(benchmark::State &state)
{
    const QString path = dataFolder().path();
    for (auto _ : state) {
        const history::Scan scan = history::scanDataFolder(path);
        if (scan.preparations.size() != kPreparations)
            state.SkipWithError("not every preparation was read");
        benchmark::DoNotOptimize(scan);
    }
}
BENCHMARK(BM_ScanDataFolder)->Unit(benchmark::kMillisecond);

void BM_ScanAndAggregate(benchmark::State &state)
{
    const QString path = dataFolder().path();
    const QDate today = QDate::currentDate();
    for (auto _ : state) {
        const history::Scan scan = history::scanDataFolder(path);
        const auto day = history::preparationsOfDay(scan, QStringLiteral("Tag 7"));
        const auto counts
            = history::countHymns(history::hymnUses(scan, today.addMonths(-12), today));
        benchmark::DoNotOptimize(day);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_ScanAndAggregate)->Unit(benchmark::kMillisecond);

void BM_AggregateOnly(benchmark::State &state)
{
    const history::Scan scan = history::scanDataFolder(dataFolder().path());
    const QDate today = QDate::currentDate();
    for (auto _ : state) {
        const auto day = history::preparationsOfDay(scan, QStringLiteral("Tag 7"));
        const auto counts
            = history::countHymns(history::hymnUses(scan, today.addMonths(-12), today));
        benchmark::DoNotOptimize(day);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_AggregateOnly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
