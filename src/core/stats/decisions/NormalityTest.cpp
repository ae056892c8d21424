#include "core/stats/decisions/NormalityTest.h"

#include "core/TwoHalves.h"
#include "core/VectorState.h"
#include "core/stats/decisions/ExactPolicy.h"

#include <algorithm>
#include <boost/math/special_functions/erf.hpp>
#include <cmath>
#include <cstddef>
#include <vector>

namespace qv {
namespace {

constexpr double InvSqrt2 = 0.70710678118654752440;
constexpr double LnSqrt2Pi = 0.91893853320467274178;
// Beyond this many standard deviations the tail is taken from its asymptotic
// series: erfc would underflow near 37.5, and at 30 the series' first omitted
// term is below 2e-12 of the tail (far below one unit in its logarithm).
constexpr double AsymptoticFrom = 30.0;
// Where exp(1.2937 - 5.709 A + 0.0186 A^2) stops falling.
constexpr double TurningPoint = 5.709 / (2.0 * 0.0186);
// Lots this large have their terms worked out on two threads.
constexpr std::size_t TermsOnTwoThreadsFrom = 10000;

// ln Q(t) and ln(1 - Q(t)) for t >= 0, Q the upper Gaussian tail.
struct LogTails
{
    double tail = 0.0;
    double body = 0.0;
};

LogTails logTails(double t)
{
    if (t < AsymptoticFrom) {
        const double q = 0.5 * boost::math::erfc(t * InvSqrt2, ExactPolicy());
        return {std::log(q), std::log1p(-q)};
    }
    // Q(t) = phi(t)/t (1 - 1/t^2 + 3/t^4 - 15/t^6 + 105/t^8 - ...).
    const double r = 1.0 / (t * t);
    const double series = r * (-1.0 + r * (3.0 + r * (-15.0 + r * 105.0)));
    const double lnTail = -0.5 * t * t - std::log(t) - LnSqrt2Pi + std::log1p(series);
    return {lnTail, -std::exp(lnTail)};
}

// Neumaier's compensated sum: the terms reach N^2 in size while A^2 is their
// total minus N^2, so plain summation would lose digits for large lots.
class CompensatedSum
{
public:
    void add(double x)
    {
        const double t = m_sum + x;
        m_carry += std::fabs(m_sum) >= std::fabs(x) ? (m_sum - t) + x : (x - t) + m_sum;
        m_sum = t;
    }
    double value() const { return m_sum + m_carry; }

private:
    double m_sum = 0.0;
    double m_carry = 0.0;
};

// The sum over ranks of the statistic's terms for the sorted values `x`, scaled
// by `scale`, of mean `mean` and standard deviation `s` (scaled alike). Rank
// i = j + 1 weighs ln Phi(z(i)) by 2i - 1, and ln(1 - Phi(z(i))) by
// 2(N + 1 - i) - 1, where the formula meets it as z(N+1-i') for i' = N+1-i.
// The terms of a large lot are worked out on two threads; they are summed in
// rank order all the same, so the sum does not depend on the threads.
double rankedTermsSum(std::span<const double> x, double scale, double mean, double s)
{
    const double n = static_cast<double>(x.size());
    std::vector<double> terms(x.size());
    const auto termsOf = [&](std::size_t from, std::size_t to) {
        clearUpperVectorState();
        for (std::size_t j = from; j < to; ++j) {
            const double z = (x[j] * scale - mean) / s;
            const LogTails ln = logTails(std::fabs(z));
            const double lnPhi = z >= 0.0 ? ln.body : ln.tail;
            const double lnUpper = z >= 0.0 ? ln.tail : ln.body;
            const double rank = static_cast<double>(j);
            terms[j] = (2.0 * rank + 1.0) * lnPhi + (2.0 * (n - rank) - 1.0) * lnUpper;
        }
    };
    inTwoHalves(x.size(), TermsOnTwoThreadsFrom, termsOf, termsOf);
    CompensatedSum total;
    for (const double term : terms) {
        total.add(term);
    }
    return total.value();
}

} // namespace

std::optional<NormalityTest> andersonDarling(std::span<const double> values)
{
    const std::size_t count = values.size();
    if (count < 3) {
        return std::nullopt;
    }
    double largest = 0.0;
    bool sorted = true;
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::isfinite(values[i])) {
            return std::nullopt;
        }
        largest = std::max(largest, std::fabs(values[i]));
        if (i > 0 && values[i] < values[i - 1]) {
            sorted = false;
        }
    }
    std::vector<double> sortedCopy;
    std::span<const double> x = values;
    if (!sorted) {
        sortedCopy.assign(values.begin(), values.end());
        std::sort(sortedCopy.begin(), sortedCopy.end());
        x = sortedCopy;
    }
    if (x.front() == x.back()) {
        return std::nullopt;
    }

    // A power of two brings the largest magnitude near 1 without rounding, so
    // neither the squares overflow nor tiny values underflow; z is unchanged.
    int exponent = 0;
    std::frexp(largest, &exponent);
    const double scale = std::ldexp(1.0, -std::clamp(exponent, -1000, 1000));

    const double n = static_cast<double>(count);
    double sum = 0.0;
    for (const double v : x) {
        sum += v * scale;
    }
    const double mean = sum / n;
    double squares = 0.0;
    for (const double v : x) {
        const double d = v * scale - mean;
        squares += d * d;
    }
    const double s = std::sqrt(squares / (n - 1.0));
    if (!(s > 0.0)) {
        return std::nullopt;
    }

    NormalityTest result;
    result.a2 = -n - rankedTermsSum(x, scale, mean, s) / n;
    result.a2Adjusted = result.a2 * (1.0 + 0.75 / n + 2.25 / (n * n));
    if (count >= static_cast<std::size_t>(NormalityPValueFrom)) {
        result.pValue = andersonDarlingPValue(result.a2Adjusted);
    }
    return result;
}

double andersonDarlingPValue(double a2Adjusted)
{
    if (std::isnan(a2Adjusted)) {
        return 0.0;
    }
    const double a = a2Adjusted;
    double p = 0.0;
    if (a >= 0.6) {
        const double b = std::min(a, TurningPoint);
        p = std::exp(1.2937 - 5.709 * b + 0.0186 * b * b);
    } else if (a >= 0.34) {
        p = std::exp(0.9177 - 4.279 * a - 1.38 * a * a);
    } else if (a >= 0.2) {
        p = 1.0 - std::exp(-8.318 + 42.796 * a - 59.938 * a * a);
    } else {
        p = 1.0 - std::exp(-13.436 + 101.14 * a - 223.73 * a * a);
    }
    return std::clamp(p, 0.0, 1.0);
}

} // namespace qv
