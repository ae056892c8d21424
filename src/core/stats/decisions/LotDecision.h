#pragma once
// The decisions on one drawn lot that go beyond the chart: whether it looks
// Gaussian, the exact sampling plan with its OC curve, and the verdicts against
// the upper limit. Computed from what a drawing made of the set (its plot
// values and statistics) and never fed back into the chart. Nothing here is
// NaN: a decision that has no answer is absent.

#include "core/stats/decisions/ExactPlan.h"
#include "core/stats/decisions/NormalityTest.h"

#include <optional>
#include <span>

namespace qv {

struct PlotPoint;
struct SetStatistics;

// The exact plan for the lot's N and the chosen buttons' nominal risks.
struct SamplingPlan
{
    int n = 0;
    double consumerRisk = 0.0; // nominal, a fraction (0.1)
    double ltpd = 0.0;         // nominal, a fraction (0.1 for 10 %)
    double k = 0.0;            // the chart's k (written approximation)
    double kExact = 0.0;
    OcCurve oc;
};

// Both values of Ts against the upper limit (equality accepts).
struct LotVerdict
{
    double upperLimit = 0.0; // data units
    bool accepted = false;   // the chart's Ts <= upperLimit
    std::optional<bool> acceptedExact; // the exact Ts <= upperLimit, with the exact Ts
};

struct LotDecision
{
    std::optional<NormalityTest> normality; // at least 3 points, not all equal
    std::optional<SamplingPlan> plan;       // at least 2 points and a risk chosen on each side
    double k = 0.0;                         // the chart's k
    double ts = 0.0;                        // the chart's shown Ts (data units, less the background)
    std::optional<double> tsExact;          // the same with the exact k; with the plan, when finite
    std::optional<LotVerdict> verdict;      // an upper limit other than 0
};

// What the decisions read besides the set: the option groups' indexes of the
// consumer's risk and the LTPD (0..3; anything else gives no plan) and the
// upper limit as the chart uses it (0 while the limit lines are off).
struct DecisionSettings
{
    int crIndex = 1;
    int ltpdIndex = 1;
    double upperLimit = 0.0;
};

// The decisions on a set from the enabled points as the statistics pass made
// them (`points`, N of them, their plot values ascending) and its statistics.
// A failure inside an exact function leaves its part absent; nothing throws.
[[nodiscard]] LotDecision decideLot(std::span<const PlotPoint> points,
                                    const SetStatistics& statistics,
                                    const DecisionSettings& settings);

} // namespace qv
