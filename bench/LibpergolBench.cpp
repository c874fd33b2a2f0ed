// The liturgical data library as the main window uses it: all its functions for each day
// change.
#include "libpergol/pergol.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

// Names from the start, the middle and the end of the sorted table, and one it does not know.
constexpr std::array kNames = { "1. Sonntag im Advent", "Erntedank",
                                "Trinitatis",           "Vorletzter Sonntag des Kirchenjahres",
                                "Gr\xFCndonnerstag",    "17. Sonntag nach Trinitatis",
                                "Kein Feiertag" };

void propersOfADay(benchmark::State &state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        const char *name = kNames[i++ % kNames.size()];
        benchmark::DoNotOptimize(getFarbe(name));
        benchmark::DoNotOptimize(getVers(name));
        benchmark::DoNotOptimize(getPsalm(name));
        benchmark::DoNotOptimize(getWochenlied(name));
        benchmark::DoNotOptimize(getEpistel(name));
        benchmark::DoNotOptimize(getEvangelium(name));
        benchmark::DoNotOptimize(getPerikope(name, 3));
        benchmark::DoNotOptimize(getATLesung(name));
    }
}
BENCHMARK(propersOfADay);

} // namespace

BENCHMARK_MAIN();
