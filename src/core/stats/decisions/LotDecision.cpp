#include "core/stats/decisions/LotDecision.h"

#include "core/Errors.h"
#include "core/model/DataSet.h"
#include "core/stats/Distributions.h"
#include "core/stats/SampleMoments.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace qv {

namespace {

bool isRiskChoice(int index)
{
    return index >= 0 && index < RiskChoiceCount;
}

std::optional<SamplingPlan> exactPlan(int n, std::optional<double> chartK,
                                      const DecisionSettings& settings)
{
    if (n < 2 || !isRiskChoice(settings.crIndex) || !isRiskChoice(settings.ltpdIndex)) {
        return std::nullopt;
    }
    try {
        SamplingPlan plan;
        plan.n = n;
        plan.consumerRisk = nominalConsumerRisk(settings.crIndex);
        plan.ltpd = nominalLtpd(settings.ltpdIndex);
        plan.k = chartK;
        plan.kExact = exactK(n, plan.consumerRisk, plan.ltpd);
        plan.oc = ocCurve(n, plan.kExact, plan.ltpd);
        return plan;
    } catch (const QvError&) {
        return std::nullopt;
    }
}

std::optional<double> exactTs(std::span<const double> values, const SamplingPlan& plan,
                              ValueScale scale)
{
    try {
        const SampleMoments m =
            sampleMoments(static_cast<int>(values.size()), [values](auto&& take) {
                for (const double v : values) {
                    take(v);
                }
            });
        return tsExact(m.mean, m.sigma, plan.kExact, scale);
    } catch (const QvError&) {
        // An exact Ts that overflows has no value and no verdict.
        return std::nullopt;
    }
}

} // namespace

LotDecision decideLot(std::span<const double> plotValues, std::optional<ChartStatistic> chart,
                      const DecisionSettings& settings)
{
    LotDecision decision;
    decision.n = static_cast<int>(plotValues.size());
    decision.scale = settings.axis;
    decision.normality = andersonDarling(plotValues);
    if (chart) {
        decision.k = chart->k;
        decision.ts = chart->ts;
        decision.chartK = chart->k > 0.0 ? ChartK::Usable : ChartK::NotPositive;
    } else {
        decision.chartK = ChartK::NoValue;
    }
    decision.plan = exactPlan(decision.n, decision.k, settings);
    if (decision.plan) {
        decision.tsExact = exactTs(plotValues, *decision.plan, settings.axis);
    }
    const double limit = settings.upperLimit;
    if (limit != 0.0 && std::isfinite(limit)) {
        LotVerdict verdict;
        verdict.upperLimit = limit;
        // A k that is not positive puts Ts below the mean: it would pass any lot.
        if (decision.chartK == ChartK::Usable && std::isfinite(*decision.ts)) {
            verdict.accepted = lotAccepted(*decision.ts, limit);
        }
        if (decision.tsExact) {
            verdict.acceptedExact = lotAccepted(*decision.tsExact, limit);
        }
        decision.verdict = verdict;
    }
    return decision;
}

LotDecision decideLot(std::span<const PlotPoint> points, const SetStatistics& statistics,
                      const DecisionSettings& settings)
{
    std::vector<double> values;
    values.reserve(points.size());
    for (const PlotPoint& p : points) {
        values.push_back(p.value);
    }
    return decideLot(values, ChartStatistic{statistics.k, statistics.shownTs}, settings);
}

std::optional<LotDecision> decideWithoutChartK(const DataSet& set, const DecisionSettings& settings)
{
    const int n = set.enabledCount;
    if (n < 2) {
        return std::nullopt;
    }
    try {
        (void)acceptanceFactors(n, settings.consumerRiskZ, settings.ltpdZ);
        return std::nullopt;
    } catch (const QvError&) {
        // The chart's k has no value: the lot is still judged by the exact plan.
    }
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(n));
    const auto count = std::min({static_cast<std::size_t>(std::max(set.pointCount, 0)),
                                 set.values.size(), set.states.size()});
    for (std::size_t i = 0; i < count; ++i) {
        if (!isEnabledState(set.states[i])) {
            continue;
        }
        const double v = set.values[i] - settings.backgroundValue;
        if (settings.axis == ValueScale::Log && !(v > 0.0)) {
            return std::nullopt;
        }
        try {
            values.push_back(settings.axis == ValueScale::Log ? log10(v) : v);
        } catch (const QvError&) {
            return std::nullopt;
        }
    }
    if (values.size() != static_cast<std::size_t>(n)) {
        return std::nullopt;
    }
    return decideLot(values, std::nullopt, settings);
}

} // namespace qv
