#pragma once
// The four numeric routines behind every probability the chart shows. They are
// deliberate approximations with fixed constants: the points, the probability
// axis, the Ts label and the confidence curves sit exactly where these say, so
// they must not be replaced by exact library functions. All are pure.

namespace qv {

// The probability scale of the horizontal axis.
enum class ProbabilityScale
{
    Gaussian,
    StudentT, // Student's t with N - 2 degrees of freedom
};

// Decimal logarithm as ln(v) / ln(10), both logarithms taken each call (so
// log10(1000) may differ from 3 in the last bit). v <= 0 or a non-finite v
// raises QvError 5.
double log10(double v);

// Probability that a standard Gaussian variable is at most x: the
// error-function approximation with a maximum error of 2.5e-5 on erf.
// normalCdf(0) is exactly 0.5 and normalCdf(-x) = 1 - normalCdf(x).
double normalCdf(double x);

// The x with normalCdf(x) = p, by Newton steps on the lower tail started at 0,
// stopping as soon as normalCdf(x) is within 1 % of the tail probability
// q = min(p, 1 - p). The test comes before the first step, so any p with
// 0.4950495... < p < 0.5049505... returns exactly 0. For p > 0.5 the result is
// the exact negative of the result for 1 - p.
// Errors: p = 0 or p = 1 divides by zero in the stopping test (QvError 11);
// p outside [0, 1], NaN, or a tail probability below 1e-12 raises QvError 5
// (that deep the approximation cannot come within 1 % and the walk would
// never stop; the program's own targets go down to about 1e-5).
double normalQuantile(double p);

// The p-quantile of Student's t with dof degrees of freedom, by the
// Cornish-Fisher expansion with four correction terms around normalQuantile(p).
// dof = 0 raises QvError 11 (or 6 when the expansion's first term is also 0);
// p as for normalQuantile.
double studentTQuantile(double p, int dof);

// That expansion at a standard Gaussian quantile x: what studentTQuantile
// returns for the p whose normalQuantile is x. dof = 0 as above.
double studentTFromGaussian(double x, int dof);

// The probability at which the Student's t axis with dof degrees of freedom
// stands at t: normalCdf of the x whose expansion studentTFromGaussian(x, dof)
// is t (to 1e-12), 0 or 1 beyond the expansion at x = -40 or 40. The inverse
// of studentTQuantile to the 1 % of its Gaussian walk. dof < 1 or a NaN t
// raises QvError 5.
double studentTCdf(double t, int dof);

} // namespace qv
