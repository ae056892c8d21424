#include "core/stats/StatisticsPass.h"

#include "core/Errors.h"
#include "core/VectorState.h"
#include "core/model/DataSet.h"
#include "core/stats/SampleMoments.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <future>
#include <thread>

namespace qv {

namespace {
// From this many quantiles on, a share of them is computed by two threads.
constexpr int ParallelPositions = 10000;
} // namespace

AcceptanceFactors acceptanceFactors(int n, double consumerRiskZ, double ltpdZ)
{
    const double kb2 = consumerRiskZ * consumerRiskZ;
    const double k22 = ltpdZ * ltpdZ;
    AcceptanceFactors f;
    f.a = 1.0 - checkedDiv(kb2, 2.0 * (n - 1));
    f.b = k22 - checkedDiv(kb2, n);
    f.k = checkedDiv(ltpdZ + checkedSqrt(k22 - f.a * f.b), f.a);
    return f;
}

const std::vector<double>& PositionTable::positions(int n, ProbabilityScale scale)
{
    if (n == m_n && scale == m_scale) {
        return m_positions;
    }
    m_n = -1;
    m_positions.assign(static_cast<std::size_t>(std::max(n, 0)), 0.0);
    const double positionsPlusOne = static_cast<double>(n) + 1.0;
    const bool gaussian = scale == ProbabilityScale::Gaussian;
    const int half = std::max(n, 0) / 2;
    const auto fill = [this, n, gaussian, half, positionsPlusOne](int first, int last, int step) {
        // A thread starts with the vector state of the one that made it.
        clearUpperVectorState();
        for (int j = first; j <= last; j += step) {
            const double p = j / positionsPlusOne;
            // Above one half the Gaussian quantile walks from 1 - p: when that is
            // exactly the p of the mirrored point, the result is its negative.
            const int mirror = n + 1 - j;
            double& position = m_positions[static_cast<std::size_t>(j - 1)];
            if (gaussian && mirror <= half && 1.0 - p == mirror / positionsPlusOne) {
                position = -m_positions[static_cast<std::size_t>(mirror - 1)];
            } else {
                position = gaussian ? normalQuantile(p) : studentTQuantile(p, n - 2);
            }
        }
    };
    // The lower half first, which the upper half mirrors. A large set's share
    // is dealt out point by point between two threads (the tails take the
    // longest walks); a failure in either thread ends the computation.
    const auto run = [&fill](int first, int last) {
        if (last - first + 1 >= ParallelPositions && std::thread::hardware_concurrency() > 1) {
            auto odd = std::async(std::launch::async, fill, first + 1, last, 2);
            fill(first, last, 2);
            odd.get();
        } else {
            fill(first, last, 1);
        }
    };
    run(1, half);
    run(half + 1, n);
    m_n = n;
    m_scale = scale;
    return m_positions;
}

namespace {

// The enabled values' smallest and largest as shown, before any logarithm.
struct ShownRange
{
    double min = 0.0;
    double max = 0.0;
};

// Fills `points` with the enabled points of `set` in order, with their probability
// positions and plotted values, and `shown` with their range. False when a value
// has no logarithm on a log axis.
bool plotPoints(const DataSet& set, std::size_t pointCount, const StatsInputs& inputs,
                std::vector<PlotPoint>& points, ShownRange& shown)
{
    const int n = set.enabledCount;
    // A set read without an uncertainty column may carry no sigmas at all.
    const bool haveSigmas = set.sigmas.size() >= pointCount;
    const bool studentT = inputs.scale == ProbabilityScale::StudentT;
    const bool logAxis = inputs.axis == ValueScale::Log;
    const double background = inputs.backgroundValue;
    const double positionsPlusOne = static_cast<double>(n) + 1.0;
    const int dof = n - 2;
    const double* table =
        inputs.positions && inputs.positions->size() == static_cast<std::size_t>(n)
            ? inputs.positions->data()
            : nullptr;

    points.resize(static_cast<std::size_t>(n));
    PlotPoint* out = points.data();
    const double* values = set.values.data();
    const std::int16_t* states = set.states.data();
    const double* sigmas = set.sigmas.data();

    int j = 0;
    for (std::size_t i = 0; i < pointCount; ++i) {
        const std::int16_t state = states[i];
        if (!isEnabledState(state)) {
            continue;
        }
        if (j == n) {
            raise(ErrorCode::SubscriptOutOfRange);
        }
        ++j;
        const double p = j / positionsPlusOne;
        const double position = table      ? table[j - 1]
                                : studentT ? studentTQuantile(p, dof)
                                           : normalQuantile(p);
        const double v = values[i] - background;
        double value = v;
        if (logAxis) {
            if (!(v > 0.0)) {
                return false;
            }
            value = log10(v);
        }
        PlotPoint& point = out[j - 1];
        point.position = position;
        point.value = value;
        point.sigma = haveSigmas ? sigmas[i] : 0.0;
        point.hilited = state == static_cast<std::int16_t>(PointState::EnabledHilited);
        if (j == 1) {
            shown.min = v;
        }
        shown.max = v;
    }
    if (j != n) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    return true;
}

// The statistics of the plotted `points` and, on a log axis, of the enabled values
// of `set` as shown.
SetStatistics setStatistics(const DataSet& set, std::size_t pointCount, const StatsInputs& inputs,
                            const std::vector<PlotPoint>& points, ShownRange shownRange)
{
    const int n = set.enabledCount;
    const SampleMoments plot = sampleMoments(n, [&points](auto&& take) {
        for (const PlotPoint& point : points) {
            take(point.value);
        }
    });
    SetStatistics s;
    s.n = n;
    s.mean = plot.mean;
    s.minPlot = points[0].value;
    s.maxPlot = points[static_cast<std::size_t>(n - 1)].value;
    s.range = s.maxPlot - s.minPlot;
    s.sigma = plot.sigma;
    s.normalLow = s.mean + inputs.xmin * s.sigma;
    s.normalHigh = s.mean + inputs.xmax * s.sigma;
    s.k = acceptanceFactors(n, inputs.consumerRiskZ, inputs.ltpdZ).k;
    s.ts = checkedFinite(s.mean + s.k * s.sigma);
    s.shownMin = shownRange.min;
    s.shownMax = shownRange.max;
    if (inputs.axis == ValueScale::Log) {
        const double background = inputs.backgroundValue;
        const SampleMoments shown = sampleMoments(n, [&](auto&& take) {
            for (std::size_t i = 0; i < pointCount; ++i) {
                if (isEnabledState(set.states[i])) {
                    take(set.values[i] - background);
                }
            }
        });
        s.shownMean = shown.mean;
        s.shownSigma = shown.sigma;
        s.shownTs = checkedFinite(s.shownMean + s.k * s.shownSigma);
    } else {
        s.shownMean = s.mean;
        s.shownSigma = s.sigma;
        s.shownTs = s.ts;
    }
    return s;
}

} // namespace

StatisticsOutcome statisticsPass(const DataSet& set, const StatsInputs& inputs,
                                 std::vector<PlotPoint>& points)
{
    const int n = set.enabledCount;
    const auto pointCount = static_cast<std::size_t>(set.pointCount < 0 ? 0 : set.pointCount);
    if (n < 0 || static_cast<std::size_t>(n) > pointCount || set.values.size() < pointCount ||
        set.states.size() < pointCount) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    ShownRange shown;
    if (!plotPoints(set, pointCount, inputs, points, shown)) {
        return {StatisticsStatus::NonPositiveOnLogAxis, std::nullopt};
    }
    return {StatisticsStatus::Done, setStatistics(set, pointCount, inputs, points, shown)};
}

} // namespace qv
