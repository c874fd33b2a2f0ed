// Figures for the church-year day list: how long filling the list for a date takes.
#include "calendar/ChurchYear.h"

#include <QDate>

#include <benchmark/benchmark.h>

namespace {

const QDate kDates[] = { QDate(2026, 2, 10), QDate(2026, 6, 15), QDate(2026, 11, 2),
                         QDate(2025, 12, 1), QDate(2285, 3, 1),  QDate(9999, 12, 31) };

void BM_FillDayList(benchmark::State &state)
{
    const QDate date = kDates[state.range(0)];
    for (auto _ : state) {
        QStringList list = churchyear::FillDayList(date);
        benchmark::DoNotOptimize(list);
    }
    state.SetLabel(date.toString(QStringLiteral("dd.MM.yyyy")).toStdString());
}
BENCHMARK(BM_FillDayList)->DenseRange(0, std::size(kDates) - 1)->Unit(benchmark::kMicrosecond);

void BM_SelectComingDay(benchmark::State &state)
{
    const QDate date(2026, 12, 27);
    const QStringList list = churchyear::FillDayList(date);
    for (auto _ : state)
        benchmark::DoNotOptimize(churchyear::SelectComingDay(list, date));
}
BENCHMARK(BM_SelectComingDay)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
