// The lot decisions beside the chart: the normality test on a full set of
// 100000 points, the exact k and the 30-point OC curve, alone and together as
// one redraw would ask for them (the whole must stay within 10 ms), and the
// same for a 50-point lot as a batch run over many lots meets it; then the
// whole decision as the document assembles it after a drawing (plot values
// copied out of the drawn points, the verdicts).
#include "core/model/DataSet.h"
#include "core/stats/StatisticsPass.h"
#include "core/stats/decisions/ExactPlan.h"
#include "core/stats/decisions/LotDecision.h"
#include "core/stats/decisions/NormalityTest.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

// Sorted Gaussian values, deterministic on every platform (the 64-bit
// Mersenne Twister is defined bit for bit; Box-Muller is written out).
std::vector<double> gaussianValues(int count)
{
    std::mt19937_64 engine(20260305);
    const auto uniform = [&engine] {
        return (static_cast<double>(engine() >> 11) + 0.5) * 0x1p-53;
    };
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double radius = std::sqrt(-2.0 * std::log(uniform()));
        values.push_back(100.0 + 5.0 * radius * std::cos(6.283185307179586 * uniform()));
    }
    std::sort(values.begin(), values.end());
    return values;
}

void andersonDarlingFullSet(benchmark::State& state)
{
    const std::vector<double> values = gaussianValues(100000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::andersonDarling(values));
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}

// range(0): N; range(1), range(2): indexes of the CR and LTPD buttons.
void exactKOnly(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const double cr = qv::nominalConsumerRisk(static_cast<int>(state.range(1)));
    const double ltpd = qv::nominalLtpd(static_cast<int>(state.range(2)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::exactK(n, cr, ltpd));
    }
}

void ocCurveOnly(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const double ltpd = qv::nominalLtpd(static_cast<int>(state.range(2)));
    const double k = qv::exactK(n, qv::nominalConsumerRisk(static_cast<int>(state.range(1))), ltpd);
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::ocCurve(n, k, ltpd));
    }
}

void wholeAddition(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const double cr = qv::nominalConsumerRisk(static_cast<int>(state.range(1)));
    const double ltpd = qv::nominalLtpd(static_cast<int>(state.range(2)));
    const std::vector<double> values = gaussianValues(n);
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::andersonDarling(values));
        const double k = qv::exactK(n, cr, ltpd);
        benchmark::DoNotOptimize(qv::ocCurve(n, k, ltpd));
    }
}

// range(0): N, at the reset risks with an upper limit: what the window's
// status bar and a report line ask for after each drawing.
void lotDecision(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    qv::DataSet set;
    set.values = gaussianValues(n);
    set.states.assign(set.values.size(), static_cast<std::int16_t>(qv::PointState::Enabled));
    set.pointCount = set.enabledCount = n;
    std::vector<qv::PlotPoint> points;
    const qv::StatisticsOutcome drawn = qv::statisticsPass(set, {}, points);
    qv::DecisionSettings settings;
    settings.upperLimit = 120.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::decideLot(points, *drawn.statistics, settings));
    }
}

// The reset risks (CR 0.1, LTPD 10 %), the slowest pair of the sixteen at
// this N (CR 0.1, LTPD 1 %: the OC curve reaches tails near 1e-274), and the
// two extreme corners.
void plans(benchmark::internal::Benchmark* b)
{
    b->Args({100000, 1, 1})->Args({100000, 1, 3})->Args({100000, 3, 3})->Args({100000, 0, 0});
    b->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(andersonDarlingFullSet)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(exactKOnly)->Apply(plans);
BENCHMARK(ocCurveOnly)->Apply(plans);
BENCHMARK(wholeAddition)->Apply(plans);
BENCHMARK(wholeAddition)
    ->Args({50, 1, 1})
    ->Args({50, 3, 3})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

BENCHMARK(lotDecision)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(lotDecision)
    ->Arg(50)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
