#pragma once
// The decisions on one drawn lot that go beyond the chart: whether it looks
// Gaussian, the exact sampling plan with its OC curve, and the verdicts against
// the limits. Computed from what a drawing made of the set (its plot
// values and statistics) and never fed back into the chart. Nothing here is
// NaN: a decision that has no answer is absent.

#include "core/stats/StatisticsPass.h"
#include "core/stats/decisions/ExactPlan.h"
#include "core/stats/decisions/LotEstimates.h"
#include "core/stats/decisions/NormalityTest.h"

#include <optional>
#include <span>

namespace qv {

struct DataSet;

// The exact plan for the lot's N and the chosen buttons' nominal risks.
struct SamplingPlan
{
    int n = 0;
    double consumerRisk = 0.0; // nominal, a fraction (0.1)
    double ltpd = 0.0;         // nominal, a fraction (0.1 for 10 %)
    std::optional<double> k;   // the chart's k (written approximation), when it has a value
    double kExact = 0.0;
    OcCurve oc;
};

// Whether the chart's k can judge a lot. For small N and a large consumer's
// risk its approximation turns negative (N = 2 at CR 0.05: -7.38), and at N = 2
// with CR 0.01 and LTPD 10 % or 16 % it has no value at all.
enum class ChartK
{
    Usable,
    NotPositive,
    NoValue,
};

// Which sides of the lot are toleranced (PlotOpts.LimitSides).
enum class LimitSides
{
    Upper,
    Lower,
    Both,
};

// The verdicts against the limits (Ts <= UL and Ts_lower >= LL, equality
// accepts): a lot passes when every limited side passes. Each is absent where
// it cannot be given; an overall verdict is absent when a side's is.
struct LotVerdict
{
    LimitSides sides = LimitSides::Upper;
    std::optional<double> upperLimit;  // data units, when the upper side is limited
    std::optional<double> lowerLimit;  // data units, when the lower side is limited
    std::optional<bool> accepted;      // by the chart's Ts, with a usable chart's k
    std::optional<bool> acceptedExact; // by the exact Ts
    LimitEstimates estimates;          // Ppk, fractions beyond, Pa on both sides
};

struct LotDecision
{
    int n = 0;                              // enabled points
    ValueScale scale = ValueScale::Linear;  // Log: the exact plan treats the lot as log-normal
    std::optional<NormalityTest> normality; // at least 3 points, not all equal
    std::optional<SamplingPlan> plan;       // at least 2 points and a risk chosen on each side
    ChartK chartK = ChartK::Usable;
    std::optional<double> k;       // the chart's k, when it has a value
    std::optional<double> ts;      // the chart's shown Ts (data units, less the background), with k
    std::optional<double> tsExact; // Ts with the exact k (data units, less the background); with
                                   // the plan, when finite
    std::optional<double> tsLower;      // the chart's mean - k s, with k
    std::optional<double> tsLowerExact; // mean - k_exact s as tsExact is formed
    std::optional<LotVerdict> verdict; // a limited side: an upper limit other than 0, or a lower one
};

// What the decisions read besides the set: the option groups' indexes of the
// consumer's risk and the LTPD (0..3; anything else gives no plan), the limits
// as the chart uses them (an upper limit of 0 and no lower one while the limit
// lines are off; an upper limit of 0 is none), the value axis,
// and for a lot whose drawing failed the background and the risks' Gaussian
// variables the chart's k is formed from.
struct DecisionSettings
{
    int crIndex = 1;
    int ltpdIndex = 1;
    LimitSides sides = LimitSides::Upper;
    double upperLimit = 0.0;
    std::optional<double> lowerLimit; // with the limit lines and a lower side
    ValueScale axis = ValueScale::Linear;
    double backgroundValue = 0.0;
    double consumerRiskZ = 1.28155;
    double ltpdZ = 1.28155;
};

// The chart's own k and shown Ts of a lot, where its written formula gives a k.
struct ChartStatistic
{
    double k = 0.0;
    double ts = 0.0;      // data units, less the background
    double tsLower = 0.0; // mean - k s, as ts
};

// The decisions on a lot from its plot values (value - background, or its
// decimal logarithm on a log axis; any order) and the chart's k and Ts
// (nullopt: the chart's k has no value). The exact Ts is mean + k_exact * s of
// the plot values (mean - k_exact * s below), and on a log axis 10 to that
// power: the lot is taken as log-normal, as the normality test takes it; Ppk
// and the fractions beyond the limits are then those of the logarithms. A failure inside an exact
// function leaves its part absent; nothing throws.
[[nodiscard]] LotDecision decideLot(std::span<const double> plotValues,
                                    std::optional<ChartStatistic> chart,
                                    const DecisionSettings& settings);

// Whether `settings` hold a limit a lot is judged against (a verdict is given).
[[nodiscard]] bool judgesAgainstALimit(const DecisionSettings& settings);

// The decisions on a drawn set from the enabled points as the statistics pass
// made them (`points`, N of them) and its statistics.
[[nodiscard]] LotDecision decideLot(std::span<const PlotPoint> points,
                                    const SetStatistics& statistics,
                                    const DecisionSettings& settings);

// The decisions on a set whose drawing failed because the chart's k has no
// value for its N and risks (K2^2 - a b < 0): the exact plan and the normality
// test still answer. nullopt when the chart's k has a value (the drawing failed
// for another reason), with fewer than 2 enabled points, or with a value of 0
// or less on a log axis.
[[nodiscard]] std::optional<LotDecision> decideWithoutChartK(const DataSet& set,
                                                             const DecisionSettings& settings);

} // namespace qv
