#pragma once
// The general decimal text of a number, as the statistics boxes and the limit
// labels print it. Locale-free: '.' is always the decimal point.
//
// At most 15 significant digits, trailing zeros and a bare decimal point
// dropped (0.9 * 100 reads "90", 7.09 reads "7.09"); a number between -1 and 1
// keeps its zero before the point ("0.5"). Magnitudes of 1e15 and above or
// below 1e-4 are written in exponent form: mantissa, 'E', the exponent's sign
// and at least two digits ("1.5E+20", "1E-05").

#include <string>

namespace qv {

// The general text without a leading blank: "100", "0.5", "-123.5".
// Non-finite numbers read "NaN", "Inf" and "-Inf".
std::string plainText(double value);

// The general text preceded by a blank when value >= 0 (also -0) or by '-'
// when negative: " 10", " 0.0123", "-123.5".
std::string signedText(double value);

} // namespace qv
