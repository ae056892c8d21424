#pragma once
// Numbers of the lot decisions as the status bar, the Sampling Plan window and
// the OC picture write them. Locale-free.

#include <string>

namespace qv {

// Rounded to `decimals` decimals, or to `significant` significant digits where
// those keep more digits (halves away from zero), and written with exactly
// that many decimals: 7.0886 with 2 and 3 reads "7.09", 1.79996 reads "1.80",
// 2487.746 reads "2487.75", 0.0012345 reads "0.00123". From 1e15 up and below
// 1e-4, and for a number that rounds to 0, as plainText writes the rounded
// number ("1.23E-05", "0"). At most 15 significant digits; non-finite values
// as plainText.
std::string decisionNumber(double value, int decimals, int significant);

// A p-value: two significant digits ("0.54", "0.0074", "1.00" for 0.996), or
// "< 0.001" below 0.001.
std::string pValueText(double p);

// A risk or fraction as a percentage without trailing zeros: 0.1 reads "10%",
// 0.005 reads "0.5%".
std::string percentOf(double fraction);

} // namespace qv
