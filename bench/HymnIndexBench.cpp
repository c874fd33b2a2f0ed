// The hymn index over 2,000 saved preparations and a parish list of 1,000 hymns: building it
// from the data folder once the window is shown (reading every file, the list, the index; to
// stay below 0.1 s), the index alone from a scan, and one completion while a hymn is typed (to
// stay below 5 ms).
#include "bench/SavedPreparations.h"
#include "storage/HymnIndex.h"
#include "storage/HymnList.h"
#include "storage/SafeWrite.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPreparations = 2000;
constexpr int kListed = 1000;

const QTemporaryDir &dataFolder()
{
    static const QTemporaryDir folder = [] {
        QTemporaryDir dir;
        const QDateTime now = QDateTime::currentDateTime();
        // A service each week, going back; a day comes round with the same series every
        // 360 services (so that each file is a service of its own, as the index counts them).
        for (int i = 0; i < kPreparations; ++i) {
            Preparation p;
            p.dayName = QStringLiteral("Tag %1").arg(i % 60);
            p.series = QString::number(i / 60 % 6 + 1);
            p.dayStamp = now.date().addDays(-7 * i).toString(QStringLiteral("yyyyMMdd"));
            p.wochenspruch = QStringLiteral("Ein Wochenspruch von mittlerer Länge. (Joh 1,14)");
            p.psalm = QStringLiteral("Psalm 23");
            benchdata::writeSavedPreparation(dir.path(), i, p, now.addDays(-7 * i));
        }
        QList<hymnlist::Entry> list;
        for (int n = 1; n <= kListed; ++n)
            list.append({ QStringLiteral("EG"), QString::number(n),
                          QStringLiteral("Ein Lied aus dem Verzeichnis Nummer %1").arg(n) });
        if (!safewrite::writeWhole(hymnlist::storedPath(dir.path()), hymnlist::toCsv(list)))
            qFatal("Das Liederverzeichnis kann nicht geschrieben werden.");
        return dir;
    }();
    return folder;
}

hymnindex::Index buildFromFolder(const QString &path)
{
    return hymnindex::readDataFolder(path).index;
}

void BM_BuildFromDataFolder(benchmark::State &state)
{
    const QString path = dataFolder().path();
    for (auto _ : state) {
        const hymnindex::Index index = buildFromFolder(path);
        if (index.size() < kListed)
            state.SkipWithError("the index misses hymns");
        benchmark::DoNotOptimize(index);
    }
}
// The files are read on several threads: the CPU time is the whole process's.
BENCHMARK(BM_BuildFromDataFolder)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_BuildFromScan(benchmark::State &state)
{
    const QString path = dataFolder().path();
    const history::Scan scan = history::scanDataFolder(path, history::Reading::DayAndHymns);
    const QList<hymnlist::Entry> list = *hymnlist::readStored(path);
    for (auto _ : state) {
        const hymnindex::Index index = hymnindex::Index::build(scan, list);
        benchmark::DoNotOptimize(index);
    }
}
BENCHMARK(BM_BuildFromScan)->Unit(benchmark::kMillisecond);

// One keystroke's completion: a number's beginning (many hymns), a number with verses, words of
// a title (every title looked at).
const char *const kTyped[] = { "EG 1", "EG 10", "EG 10,1-3", "Verzeichnis Nummer 99", "Titel" };

void BM_Completion(benchmark::State &state)
{
    static const hymnindex::Index index = buildFromFolder(dataFolder().path());
    const QString typed = QString::fromUtf8(kTyped[state.range(0)]);
    state.SetLabel(kTyped[state.range(0)]);
    for (auto _ : state) {
        const QStringList offers = index.completions(typed);
        benchmark::DoNotOptimize(offers);
    }
}
BENCHMARK(BM_Completion)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
