#pragma once
// Number reading shared by the data readers and every dialog field: the longest
// leading decimal number of a text ("." as the separator, optional sign and
// exponent), 0 when there is none. Locale-free.

#include <string_view>

namespace qv {

// Skips leading blanks, then reads sign, digits with at most one decimal point and
// an optional exponent ("E" or "e", optional sign, digits); stops at the first
// character that cannot continue the number. Returns 0 when nothing can be read.
// Raises QvError 6 when the number does not fit a double.
double readNumber(std::string_view text);

// Rounds half to even, as a whole-number conversion of the program does; raises
// QvError 6 when the result does not fit `limit` in magnitude.
long long roundToInteger(double value, long long limit);

} // namespace qv
