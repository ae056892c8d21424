#pragma once
// The texts the chart prints about a data set: the statistics box, the Ts
// marker's value and percentage labels and the upper-limit labels. Pure text
// rules; where the texts stand is the plot routine's business.

#include "core/stats/StatisticsPass.h"

#include <optional>
#include <string>

namespace qv {

// Which lines a statistics box shows, how its numbers are rounded and its title.
struct StatsBoxOptions
{
    bool count = true; // " No. Pts. = "
    bool min = true;
    bool mean = true;
    bool max = true;
    bool sigma = true;
    bool ts = true;
    bool autoDigits = true;     // "Auto": three significant digits
    double typedDigits = 0;     // the "Manual" digits as typed
    bool standardFormat = true; // value-axis labels in standard, not exponent, form
    std::string title;          // empty: no title line
    bool overlay = false;       // the overlay's box puts two blanks before its title, not three
    // The upper limit the chart labels: a Ts that differs from it but rounds to
    // its text gets more digits, up to MaxSeparatingDigits.
    std::optional<double> upperLimit;
};

inline constexpr int MaxSeparatingDigits = 6;

// Significant digits of the box's numbers: 3 for "Auto", else the typed number
// rounded to a whole number. With standard labels and |shownMean| < 0.0001 the
// digits grow by -floor(log10|ymin|) (ymin in plot units), so tiny values keep
// their digits; an axis that starts at exactly 0 leaves them as they are. The
// result is kept within 0..15.
int statsBoxDigits(const StatsBoxOptions& options, double shownMean, double ymin);

// The box's caption: one line per shown statistic, each ending in two blanks,
// lines separated by "\r"; the numbers (data units) rounded to statsBoxDigits()
// significant digits and written with a leading blank when not negative:
// " No. Pts. =  5  \r  Min =  1  \r  Mean =  3  ...". A title comes first on
// a line of its own after three blanks (two for the overlay's box), and the
// lines below it then start with one blank more. Raises QvError 6 when a
// number cannot be rounded (a digit count that overflows its power of ten).
std::string statsBoxCaption(const SetStatistics& stats, const StatsBoxOptions& options,
                            double ymin);

// The Ts marker's value label: " Ts = " and shownTs in the mask "##.##"
// (" Ts = 7.09"). A Ts so small that the mask keeps no digit (|Ts| < 0.005)
// is written rounded to three significant digits instead (" Ts = 0.00123").
std::string tsValueLabel(double shownTs);

// The fraction of a Gaussian population above the multiplier k: 1 - NormalCdf(k).
double fractionBeyond(double k);

// The Ts marker's percentage label for the multiplier k: "<- 0.49% ->", the
// fraction in the mask percentMask() chooses for it.
std::string percentLabel(double k);
// The percentage alone, as the label's position is measured on it ("0.49%").
std::string percentText(double k);

enum class LimitLine
{
    Upper,  // at the upper limit
    Ninety, // at 90 % of it
    Fifty,  // at 50 % of it
    Lower,  // at the lower limit (the value passed is the lower limit)
};

// The value a limit line stands for, in data units: UL, 0.9 UL or 0.5 UL.
double limitValue(LimitLine line, double upperLimit);

// A limit line's label: " Upper Limit = 100", " 90% of Upper Limit = 90",
// " 50% of Upper Limit = 50", " Lower Limit = 2.45" (the plain text of limitValue()).
std::string limitLabel(LimitLine line, double upperLimit);

} // namespace qv
