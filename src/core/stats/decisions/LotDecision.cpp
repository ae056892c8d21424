#include "core/stats/decisions/LotDecision.h"

#include "core/Errors.h"
#include "core/model/DataSet.h"
#include "core/stats/Distributions.h"
#include "core/stats/SampleMoments.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
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

std::optional<SampleMoments> momentsOf(std::span<const double> values)
{
    try {
        return sampleMoments(static_cast<int>(values.size()), [values](auto&& take) {
            for (const double v : values) {
                take(v);
            }
        });
    } catch (const QvError&) {
        return std::nullopt;
    }
}

// mean + k s (k < 0: below the mean) as the exact Ts is formed.
std::optional<double> exactTs(const std::optional<SampleMoments>& m, double k, ValueScale scale)
{
    if (!m) {
        return std::nullopt;
    }
    try {
        return tsExact(m->mean, m->sigma, k, scale);
    } catch (const QvError&) {
        // An exact Ts that overflows has no value and no verdict.
        return std::nullopt;
    }
}

// A limit in plot units: its logarithm on a log axis, where a limit of 0 or
// less has none.
std::optional<double> plotLimit(std::optional<double> limit, ValueScale scale)
{
    if (!limit || scale == ValueScale::Linear) {
        return limit;
    }
    return *limit > 0.0 ? std::optional<double>(log10(*limit)) : std::nullopt;
}

// Both sides' verdicts joined: absent when a limited side has none.
std::optional<bool> joined(std::optional<double> upperLimit, std::optional<double> ts,
                           std::optional<double> lowerLimit, std::optional<double> tsLower)
{
    bool accepted = true;
    if (upperLimit) {
        if (!ts || !std::isfinite(*ts)) {
            return std::nullopt;
        }
        accepted = accepted && lotAccepted(*ts, *upperLimit);
    }
    if (lowerLimit) {
        if (!tsLower || !std::isfinite(*tsLower)) {
            return std::nullopt;
        }
        accepted = accepted && lotAcceptedLower(*tsLower, *lowerLimit);
    }
    return accepted;
}

LotVerdict verdictOf(const LotDecision& decision, const std::optional<SampleMoments>& moments,
                     const DecisionSettings& settings, std::optional<double> upper,
                     std::optional<double> lower)
{
    LotVerdict verdict;
    verdict.sides = settings.sides;
    verdict.upperLimit = upper;
    verdict.lowerLimit = lower;
    // A k that is not positive puts Ts below the mean: it would pass any lot.
    if (decision.chartK == ChartK::Usable) {
        verdict.accepted = joined(upper, decision.ts, lower, decision.tsLower);
    }
    if (decision.plan) {
        verdict.acceptedExact = joined(upper, decision.tsExact, lower, decision.tsLowerExact);
    }
    if (moments) {
        std::optional<double> kExact;
        if (decision.plan) {
            kExact = decision.plan->kExact;
        }
        verdict.estimates = estimateAgainstLimits(
            decision.n, moments->mean, moments->sigma, upper.has_value(),
            plotLimit(upper, settings.axis), lower.has_value(), plotLimit(lower, settings.axis),
            kExact);
    }
    return verdict;
}

// The limits a lot is judged against: a side counts when it is limited and its
// limit is a finite number (an upper limit of 0 is none).
std::pair<std::optional<double>, std::optional<double>> limitsOf(const DecisionSettings& settings)
{
    std::optional<double> upper;
    std::optional<double> lower;
    if (settings.sides != LimitSides::Lower && settings.upperLimit != 0.0 &&
        std::isfinite(settings.upperLimit)) {
        upper = settings.upperLimit;
    }
    if (settings.sides != LimitSides::Upper && settings.lowerLimit &&
        std::isfinite(*settings.lowerLimit)) {
        lower = settings.lowerLimit;
    }
    return {upper, lower};
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
        decision.tsLower = chart->tsLower;
        decision.chartK = chart->k > 0.0 ? ChartK::Usable : ChartK::NotPositive;
    } else {
        decision.chartK = ChartK::NoValue;
    }
    decision.plan = exactPlan(decision.n, decision.k, settings);
    const std::optional<SampleMoments> moments = momentsOf(plotValues);
    if (decision.plan) {
        decision.tsExact = exactTs(moments, decision.plan->kExact, settings.axis);
        decision.tsLowerExact = exactTs(moments, -decision.plan->kExact, settings.axis);
    }
    const auto [upper, lower] = limitsOf(settings);
    if (upper || lower) {
        decision.verdict = verdictOf(decision, moments, settings, upper, lower);
    }
    return decision;
}

bool judgesAgainstALimit(const DecisionSettings& settings)
{
    const auto [upper, lower] = limitsOf(settings);
    return upper || lower;
}

LotDecision decideLot(std::span<const PlotPoint> points, const SetStatistics& statistics,
                      const DecisionSettings& settings)
{
    std::vector<double> values;
    values.reserve(points.size());
    for (const PlotPoint& p : points) {
        values.push_back(p.value);
    }
    // The chart forms Ts from the shown mean and sigma; the lower one likewise.
    const double tsLower = statistics.shownMean - statistics.k * statistics.shownSigma;
    return decideLot(values, ChartStatistic{statistics.k, statistics.shownTs, tsLower}, settings);
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
