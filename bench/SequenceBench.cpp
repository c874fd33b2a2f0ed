// Rebuilding the sequence of the service, which runs on every change of the basic form and on
// every unticked occasional service.
#include "order/OccasionalServices.h"

#include <benchmark/benchmark.h>

namespace {

// The heaviest rebuild: the longest basic form with all four services re-applied (42 entries).
void BM_RebuildAllFourServices(benchmark::State &state)
{
    const ServiceTicks ticks {
        .abendmahl = true, .taufe = true, .konfirmation = true, .trauung = true
    };
    for (auto _ : state) {
        SequenceList list = occasional::rebuildSequence(int(state.range(0)), ticks);
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_RebuildAllFourServices)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// The basic form alone, for comparison.
void BM_RebuildNoService(benchmark::State &state)
{
    for (auto _ : state) {
        SequenceList list = occasional::rebuildSequence(0, {});
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_RebuildNoService)->Unit(benchmark::kMicrosecond);

// Ticking the wedding on a list that already holds every block, in place.
void BM_TickWeddingInPlace(benchmark::State &state)
{
    const ServiceTicks ticks {
        .abendmahl = true, .taufe = true, .konfirmation = true, .trauung = true
    };
    const SequenceList full = occasional::rebuildSequence(0, ticks);
    for (auto _ : state) {
        SequenceList list = full;
        occasional::applyWedding(list, ticks);
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_TickWeddingInPlace)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
