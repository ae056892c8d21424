// The plotting positions of 100000 points (a Newton walk per quantile), computed
// afresh as the first drawing after a load computes them: once from a clean
// processor state, and once after code that leaves the wide vector registers
// dirty, as the windowing system's image and text routines do. The two should
// cost the same; without the clearing they differed more than tenfold.
#include "core/VectorState.h"
#include "core/model/DataSet.h"
#include "core/stats/Distributions.h"
#include "core/stats/StatisticsPass.h"

#include <benchmark/benchmark.h>

namespace {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// Writes a 256-bit register and leaves without clearing the upper halves (the
// compiler, not told the function uses them, adds no clearing of its own).
void dirtyUpperVectorState()
{
    if (__builtin_cpu_supports("avx")) {
        asm volatile("vpcmpeqd %%ymm8, %%ymm8, %%ymm8" ::: "xmm8");
    }
}
#else
void dirtyUpperVectorState() {}
#endif

void positions(benchmark::State& state, bool dirty)
{
    for (auto _ : state) {
        qv::PositionTable table;
        if (dirty) {
            dirtyUpperVectorState();
        }
        const std::vector<double>& p =
            table.positions(qv::MaxPoints, qv::ProbabilityScale::Gaussian);
        benchmark::DoNotOptimize(p.data());
    }
    state.SetItemsProcessed(state.iterations() * qv::MaxPoints);
}

// The same walks from a plain loop that clears nothing: what every scalar
// instruction pays while the upper halves are dirty.
void quantilesWithoutClearing(benchmark::State& state, bool dirty)
{
    for (auto _ : state) {
        if (dirty) {
            dirtyUpperVectorState();
        } else {
            qv::clearUpperVectorState();
        }
        double sum = 0;
        for (int j = 1; j <= 2000; ++j) {
            sum += qv::normalQuantile(j / 100001.0);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}

} // namespace

BENCHMARK_CAPTURE(positions, clean, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(positions, after_dirty_vector_state, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(quantilesWithoutClearing, clean, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(quantilesWithoutClearing, after_dirty_vector_state, true)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
