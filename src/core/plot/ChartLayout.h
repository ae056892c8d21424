#pragma once
// Where the chart lies on the main window, in twips (1440 per inch): the
// window's client area, the plot area and the title. The window measures its
// real widgets into it; batch mode takes the design layout for a screen size.

#include "core/Units.h"
#include "core/model/Placements.h"

namespace qv {

// The screen the design layout is drawn for: 800 by 600 pixels at 15 twips each.
inline constexpr double DesignScreenWidthTwips = 800 * TwipsPerScreenPixel;
inline constexpr double DesignScreenHeightTwips = 600 * TwipsPerScreenPixel;

struct ChartLayout
{
    double windowWidth = 0, windowHeight = 0; // client area below the menu bar
    TwipsRect plotArea;
    double titleTop = 0;
    double screenWidthTwips = DesignScreenWidthTwips; // ScreenFactor = this / 12000
    double screenHeightTwips = DesignScreenHeightTwips;
    double screenFactor() const { return screenWidthTwips / DesignScreenWidthTwips; }
};

// The design layout with the plot area scaled to a screen of the given size in
// twips (height by screen height / 9000, width by screen width / 12000) and the
// window sized to hold it with its margins.
ChartLayout designLayout(double screenWidthTwips, double screenHeightTwips);

// Grows or shrinks the window around a plot area of a new size, keeping the margins.
void fitWindowToPlotArea(ChartLayout& layout);

} // namespace qv
