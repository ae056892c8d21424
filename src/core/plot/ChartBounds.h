#pragma once
// Limits the chart keeps whatever the screen and the Page Setup choices are:
// no text below one point, and a plot area that the one-time resize keeps
// between a quarter of its design size and the screen.

#include "core/plot/ChartLayout.h"

namespace qv {

// A chart font size in points, never below 1 (a small screen with the smallest
// title size would otherwise give zero or negative sizes).
double chartPointSize(double points);

// The one-time resize of Page Setup: multiplies the plot area's height and width
// by `factor` and fits the window around it. A factor that would take the plot
// area below a quarter of its design size on this screen (designLayout) or
// beyond the screen is refused: nothing changes and the result is false.
bool resizePlotArea(ChartLayout& layout, double factor);

// The message shown for a refused resize, and its title.
inline constexpr const char* PlotSizeRefusedText =
    "The plot area cannot be made smaller than a quarter of its first size or larger than the "
    "screen.";
inline constexpr const char* PlotSizeRefusedTitle = "Page Setup";

} // namespace qv
