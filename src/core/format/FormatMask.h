#pragma once
// Pattern-driven number text for the chart's labels. Locale-free: the
// decimal point is '.' and the thousands separator ',' on every machine.
//
// Mask characters:
//   0  digit placeholder that always prints a digit
//   #  digit placeholder that prints nothing where the number has no
//      significant digit (no leading zero, no trailing zeros)
//   .  decimal point, always printed ("##.##": 12 gives "12.")
//   ,  between integer placeholders: thousands grouping ("#,##0": "12,346")
//   %  the number is taken times 100; the sign is printed in its place
//   E+00 / E-00  exponent form: one mantissa digit before the point, as many
//      after it as the mask has fraction placeholders, 'E', the exponent's
//      sign (always with E+, only '-' with E-) and at least as many exponent
//      digits as zeros follow
// Other characters before the first placeholder or after the last are printed
// as they are. The number is read as its 15-significant-digit decimal value and
// rounded there to the mask's decimals, halves away from zero (so 2.675 with
// "0.00" gives "2.68"); integer digits are never cut. A negative number gets a
// leading '-' unless it rounds to zero.
//
// Masks in use: "##.##", "0.###%", "0.##%", "0.#%", "##%", "0E+00",
// "0.00E+00" (n zeros), "#,##0", "#,##0.00" (n zeros).

#include <string>
#include <string_view>

namespace qv {

// value formatted with mask, as described above. Non-finite values read as
// plainText gives them.
std::string format(double value, std::string_view mask);

// The mask of the value-axis labels for a number of decimal places:
// "0E+00" / "0.<n zeros>E+00" in exponent form, "#,##0" / "#,##0.<n zeros>"
// otherwise; places < 1 give the mask without decimals.
std::string valueAxisMask(int places, bool exponentForm);

// The mask of the Ts marker's percentage label for fraction f beyond Ts:
// "0.###%" below 0.001, "0.##%" below 0.01, "0.#%" below 0.1, "##%" else.
std::string_view percentMask(double fraction);

} // namespace qv
