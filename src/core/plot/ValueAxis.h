#pragma once
// The value axis: its range and tick step (manual or automatic), the number
// format of its labels and the values its ticks are drawn at. All values are in
// plot units: the values themselves on a linear axis, their decimal logarithms
// on a logarithmic one. Every logarithm here is the written Log10 (ln v / ln 10)
// that places the points, so a point at the axis's end lies exactly on it.

#include <string>
#include <vector>

namespace qv {

struct ValueRange
{
    double ymin = 0, ymax = 0, ytick = 0;
};

// What the automatic scale reads from the main set and the settings.
struct AutoScaleInputs
{
    bool logAxis = false;
    double minPlot = 0, maxPlot = 0, mean = 0, sigma = 0, ts = 0;
    int n = 0;
    double xmax = 0;           // right end of the probability axis
    bool limitLines = false;   // PlotOpts.LimitLines checked
    double upperLimit = 0;     // PlotOpts.ULimit as a number (data units)
    bool lowerLimited = false; // the lower side is limited (with the limit lines)
    double lowerLimit = 0;     // PlotOpts.LLimit as a number (data units)
    bool testStatistic = false;
};

// The 1-3-5-10 step for a raw step r > 0: r = m * 10^e with m taken to 1 when
// 1 <= m <= 1.5, 3 when <= 3, 5 when <= 7, 10 when <= 10 (a boundary takes the
// smaller choice); m outside 1..10 from rounding is used as it is.
double niceStep(double raw);

// The automatic range, reaching the limits that are drawn; nothing when the raw step is 0 or less (the caller shows
// the axis-interval message and stops).
bool autoScale(const AutoScaleInputs& in, ValueRange& out);

// The manual range from the three field texts' numbers; false when the tick
// interval is 0 or less. On a log axis a number of 0 or less raises QvError 5.
bool manualScale(bool logAxis, double typedMin, double typedMax, double typedTick, ValueRange& out);

// Decimal places of the labels: from the step when automatic, else the typed
// number; the standard format widens them for tiny means so the labels keep
// their digits. Returns the mask ("#,##0.00", "0.0E+00", ...).
std::string valueLabelMask(const ValueRange& range, bool autoPlaces, double typedPlaces,
                           bool exponentForm, double meanOfMainSet);

// The plot values at which the axis is labelled, in drawing order: YMIN, then
// the steps while below YMAX, then YMAX. Rounding noise near 0 (below 1e-6, or
// below a millionth of a step under 1e-6) snaps to 0, and
// a step within rounding noise of YMAX is YMAX's own label.
// Raises QvError 6 when the step is so small against the range that the axis
// would carry more than MaxValueTicks labels.
inline constexpr int MaxValueTicks = 10000;
std::vector<double> valueTickValues(const ValueRange& range, bool logAxis);

// The write-back text of a scale value (the plain general number text).
std::string scaleText(double plotValue, bool logAxis);

} // namespace qv
