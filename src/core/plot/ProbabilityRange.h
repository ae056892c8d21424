#pragma once
// The visible range of the probability axis: how many "nines" show and the
// axis ends XMIN, XMAX in quantile units (XMAX = -XMIN).

#include "core/stats/Distributions.h"

#include <array>

namespace qv {

inline constexpr int ProbabilityTickCount = 11;

// Positions of the eleven probability ticks, in quantile units, index 0..10
// for the labels 0.001, 0.01, 0.1, 1, 10, 50, 90, 99, 99.9, 99.99, 99.999 %.
// Gaussian: the fixed two-decimal quantiles (-4.27 ... 4.27). Student's t:
// studentTQuantile of 0.0001, 0.001, 0.01, 0.1 with enabledCount - 2 degrees of
// freedom at indices 1..4, mirrored at 9..6; indices 0 and 10 (no label on that
// scale) stay at 0. Student's t with 2 points raises QvError 11.
std::array<double, ProbabilityTickCount> probabilityTickPositions(ProbabilityScale scale,
                                                                  int enabledCount);

// Nines shown, 0..4: from the Axes Options range xRangeNines (2, 3, 4, 5 for
// "99%" .. "99.999%" give 1..4), or when it is 0 (Auto) from the enabled count:
// below 9 gives 0, below 30 gives 1, below 800 gives 2, below 9000 gives 3,
// else 4. Any other xRangeNines counts as Auto.
int probabilityNines(int enabledCount, int xRangeNines);

struct ProbabilityRange
{
    int nines = 0;
    double xmin = 0.0; // left end, quantile units
    double xmax = 0.0; // right end, = -xmin
    double span() const { return xmax - xmin; }
};

// XMIN is the tick position of the outermost visible low tick (index 4 - nines),
// XMAX its negative. Student's t has no tick at 0.001 %, so "99.999%" there would
// leave an axis without width: that raises QvError 5 (the plot routine's
// general error stop) instead. Errors of probabilityTickPositions pass through.
ProbabilityRange probabilityRange(ProbabilityScale scale, int enabledCount, int xRangeNines);

} // namespace qv
