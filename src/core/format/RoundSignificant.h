#pragma once
// Rounding to a count of significant digits, as the statistics box rounds its
// numbers before writing them.

namespace qv {

// floor(value * 10^d + 0.5) / 10^d with d = digits - e, where e counts the
// digits before the decimal point: floor(log10(value)) + 1 for value > 0, 2 for
// 0, and floor(log10(-value)) for value < 0 (so a negative number keeps one
// digit more: -123.456 with 3 digits gives -123.5). Halves round towards +inf.
// digits = 0 gives 0 or a single power of ten. Raises QvError 6 when 10^d or
// the scaled value overflows or 10^d underflows to 0, or value is not finite.
double roundSignificant(double value, int digits);

} // namespace qv
