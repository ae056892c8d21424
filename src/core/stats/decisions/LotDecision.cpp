#include "core/stats/decisions/LotDecision.h"

#include "core/Errors.h"
#include "core/stats/StatisticsPass.h"

#include <cmath>
#include <vector>

namespace qv {

namespace {

bool isRiskChoice(int index)
{
    return index >= 0 && index < RiskChoiceCount;
}

std::optional<SamplingPlan> exactPlan(const SetStatistics& st, const DecisionSettings& settings)
{
    if (st.n < 2 || !isRiskChoice(settings.crIndex) || !isRiskChoice(settings.ltpdIndex)) {
        return std::nullopt;
    }
    try {
        SamplingPlan plan;
        plan.n = st.n;
        plan.consumerRisk = nominalConsumerRisk(settings.crIndex);
        plan.ltpd = nominalLtpd(settings.ltpdIndex);
        plan.k = st.k;
        plan.kExact = exactK(st.n, plan.consumerRisk, plan.ltpd);
        plan.oc = ocCurve(st.n, plan.kExact, plan.ltpd);
        return plan;
    } catch (const QvError&) {
        return std::nullopt;
    }
}

} // namespace

LotDecision decideLot(std::span<const PlotPoint> points, const SetStatistics& statistics,
                      const DecisionSettings& settings)
{
    LotDecision decision;
    std::vector<double> values;
    values.reserve(points.size());
    for (const PlotPoint& p : points) {
        values.push_back(p.value);
    }
    decision.normality = andersonDarling(values);
    decision.plan = exactPlan(statistics, settings);
    decision.k = statistics.k;
    decision.ts = statistics.shownTs;
    if (decision.plan) {
        try {
            decision.tsExact = tsExact(statistics, decision.plan->kExact);
        } catch (const QvError&) {
            // An exact Ts that overflows has no value and no verdict.
        }
    }
    const double limit = settings.upperLimit;
    if (limit != 0.0 && std::isfinite(limit) && std::isfinite(decision.ts)) {
        LotVerdict verdict;
        verdict.upperLimit = limit;
        verdict.accepted = lotAccepted(decision.ts, limit);
        if (decision.tsExact) {
            verdict.acceptedExact = lotAccepted(*decision.tsExact, limit);
        }
        decision.verdict = verdict;
    }
    return decision;
}

} // namespace qv
