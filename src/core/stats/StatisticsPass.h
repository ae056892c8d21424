#pragma once
// The statistics pass: turns one data set into the points the chart shows
// (plotting position, plotted value) and the numbers of the statistics box and
// the Ts marker (N, extremes, mean, sigma, k, Ts = mean + k * sigma).

#include "core/stats/Distributions.h"
#include "core/stats/StatsMessages.h"

#include <optional>
#include <vector>

namespace qv {

struct DataSet;

enum class ValueScale
{
    Linear,
    Log, // plot units are decimal logarithms of the values
};

// One enabled point as drawn.
struct PlotPoint
{
    double position = 0.0; // plotting position, quantile units (chart x)
    double value = 0.0;    // value - background, or its log10 on a log axis (chart y, plot units)
    double sigma = 0.0;    // the point's uncertainty, data units, copied unchanged
    bool hilited = false;  // state EnabledHilited
};

// What the pass reads besides the data set; the caller takes these from the
// settings once per redraw.
struct StatsInputs
{
    ProbabilityScale scale = ProbabilityScale::Gaussian;
    ValueScale axis = ValueScale::Linear;
    double backgroundValue = 0.0;   // subtracted from every value (0 when subtraction is off)
    double consumerRiskZ = 1.28155; // K-beta, Gaussian variable of the consumer's risk
    double ltpdZ = 1.28155;         // K2, Gaussian variable of the lot tolerance percent defective
    double xmin = -1.28;            // left end of the probability axis, quantile units
    double xmax = 1.28;             // right end (= -xmin)
    // The plotting positions of the set's enabled points taken from a
    // PositionTable, or null to compute each.
    const std::vector<double>* positions = nullptr;
};

// The plotting positions of n enabled points: the quantile of j / (n + 1),
// j = 1..n, on the scale. Their quantiles are most of the work of drawing many
// points and depend on n and the scale alone, so the table keeps the last ones
// and computes them again only when n or the scale changes. Errors as for the
// quantiles (a Student's t scale with 2 points raises QvError 11); the table
// then holds nothing.
class PositionTable
{
public:
    const std::vector<double>& positions(int n, ProbabilityScale scale);
    // The positions of n points on `scale` when the table holds them already, else null.
    const std::vector<double>* held(int n, ProbabilityScale scale) const
    {
        return n == m_n && scale == m_scale ? &m_positions : nullptr;
    }

private:
    int m_n = -1;
    ProbabilityScale m_scale = ProbabilityScale::Gaussian;
    std::vector<double> m_positions;
};

// Results of one pass over one set. Min/max/mean/sigma/Ts are in plot units;
// the shown numbers are always in data units (on a linear axis they equal the
// plot-unit ones, on a log axis they come from the unlogged values).
struct SetStatistics
{
    int n = 0; // enabled points
    double minPlot = 0.0;
    double maxPlot = 0.0;
    double range = 0.0;
    double mean = 0.0;
    double sigma = 0.0;      // sample standard deviation, divisor N - 1
    double k = 0.0;          // acceptance multiplier
    double ts = 0.0;         // mean + k * sigma
    double normalLow = 0.0;  // mean + xmin * sigma
    double normalHigh = 0.0; // mean + xmax * sigma
    double shownMin = 0.0;
    double shownMax = 0.0;
    double shownMean = 0.0;
    double shownSigma = 0.0;
    double shownTs = 0.0;
};

enum class StatisticsStatus
{
    Done,
    // Log axis and a taken value minus the background is 0 or less: the caller
    // shows NonPositiveLogValueMessage, selects the linear axis and redraws.
    NonPositiveOnLogAxis,
};

struct StatisticsOutcome
{
    StatisticsStatus status = StatisticsStatus::Done;
    std::optional<SetStatistics> statistics; // present exactly when status is Done
};

// The factors of the acceptance multiplier for N points:
// a = 1 - Kb^2 / (2 (N - 1)), b = K2^2 - Kb^2 / N, k = (K2 + sqrt(K2^2 - a b)) / a.
struct AcceptanceFactors
{
    double a = 0.0;
    double b = 0.0;
    double k = 0.0;
};

// Computes a, b and k. N < 2 divides by zero (QvError 11); a negative
// K2^2 - a b raises QvError 5. For small N and a large Kb, a and k are negative
// and are returned as they are.
AcceptanceFactors acceptanceFactors(int n, double consumerRiskZ, double ltpdZ);

// Runs the pass over the enabled points of set (state Enabled or
// EnabledHilited, in stored order, which the readers keep ascending): point j
// of N gets the quantile of j / (N + 1) (Student's t with N - 2 degrees of
// freedom on that scale), so disabled points leave no gap. N is
// set.enabledCount. points is resized to N and entries 0..N-1 are written; its
// capacity should be reserved for set.pointCount once, so the pass allocates
// nothing.
// Mean and sigma (plot units, and the shown ones in data units on a log axis)
// come from two passes over the values (sampleMoments), so readings far from
// zero keep their spread and equal values give a sigma of exactly 0.
// Errors (QvError, no statistics): an empty set (6), one point (6: 0/0 in the
// variance), a Student's t scale with 2 points (11: no degrees of freedom), a
// negative K2^2 - a b (5), an overflowing sum (6), and an enabledCount that
// does not match the states or lists shorter than pointCount (9). points may
// then be partly written.
[[nodiscard]] StatisticsOutcome statisticsPass(const DataSet& set, const StatsInputs& inputs,
                                               std::vector<PlotPoint>& points);

} // namespace qv
