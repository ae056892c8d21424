// The statistics pass over a full set of 100000 sorted Gaussian points, as a
// redraw runs it (one Newton quantile walk per point).
#include "core/model/DataSet.h"
#include "core/stats/StatisticsPass.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <random>

namespace {

// Deterministic on every platform: the 64-bit Mersenne Twister is defined
// bit for bit by the standard, and the Box-Muller transform is written out here.
qv::DataSet gaussianSet(int count)
{
    std::mt19937_64 engine(20260305);
    const auto uniform = [&engine] {
        return (static_cast<double>(engine() >> 11) + 0.5) * 0x1p-53;
    };
    qv::DataSet set;
    set.values.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double radius = std::sqrt(-2.0 * std::log(uniform()));
        set.values.push_back(100.0 + 5.0 * radius * std::cos(6.283185307179586 * uniform()));
    }
    std::sort(set.values.begin(), set.values.end());
    set.sigmas.assign(set.values.size(), 0.5);
    set.states.assign(set.values.size(), static_cast<std::int16_t>(qv::PointState::Enabled));
    set.pointCount = count;
    set.enabledCount = count;
    return set;
}

void statisticsPassGaussian(benchmark::State& state, qv::ValueScale axis)
{
    const qv::DataSet set = gaussianSet(qv::MaxPoints);
    qv::StatsInputs inputs;
    inputs.axis = axis;
    inputs.xmin = -4.27;
    inputs.xmax = 4.27;
    std::vector<qv::PlotPoint> points;
    points.reserve(static_cast<std::size_t>(set.pointCount));
    for (auto _ : state) {
        const qv::StatisticsOutcome outcome = qv::statisticsPass(set, inputs, points);
        benchmark::DoNotOptimize(outcome);
        benchmark::DoNotOptimize(points.data());
    }
    state.SetItemsProcessed(state.iterations() * set.pointCount);
}

} // namespace

BENCHMARK_CAPTURE(statisticsPassGaussian, linear, qv::ValueScale::Linear)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(statisticsPassGaussian, log, qv::ValueScale::Log)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
