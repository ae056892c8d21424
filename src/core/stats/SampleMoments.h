#pragma once
// Mean and sample standard deviation of a run of values that keep their digits
// however far the values sit from zero.

#include "core/Errors.h"

namespace qv {

struct SampleMoments
{
    double mean = 0.0;
    double sigma = 0.0; // sample standard deviation, divisor N - 1
};

// The mean and sigma of the n values that forEach(take) passes to take(v), in
// two passes (forEach is called twice and must pass the same values): the mean
// as the first value plus the mean deviation from it, then the sum of squared
// deviations from the mean, corrected by the square of their rounded sum / N.
// The sums Σv² and N·mean² would cancel: 25 readings near 1e7 with a spread of
// 0.016 lost all their digits that way. Equal values give exactly that value
// and a sigma of exactly 0.
// Errors (QvError 6): n = 0 (0 / 0 in the mean), n = 1 (0 / 0 in the variance),
// deviations or squares beyond the largest double.
template <class ForEach> SampleMoments sampleMoments(int n, ForEach&& forEach)
{
    bool started = false;
    double first = 0.0;
    double shifted = 0.0;
    forEach([&](double v) {
        if (!started) {
            first = v;
            started = true;
        }
        shifted += v - first;
    });
    SampleMoments m;
    m.mean = first + checkedDiv(checkedFinite(shifted), n);
    double deviations = 0.0;
    double squares = 0.0;
    forEach([&](double v) {
        const double d = v - m.mean;
        deviations += d;
        squares += d * d;
    });
    checkedFinite(squares);
    const double variance = checkedDiv(squares - deviations * deviations / n, n - 1);
    // Equal deviations could leave the correction a rounding above the squares.
    m.sigma = variance > 0.0 ? checkedSqrt(variance) : 0.0;
    return m;
}

} // namespace qv
