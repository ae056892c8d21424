#pragma once
// The items the user can drag about the chart (the two statistics boxes, the two
// free texts and the value-axis label) and where each stands. Positions and
// sizes are window twips (1440 per inch) from the window's top left corner, so
// an item stays where it is on the screen whatever the chart's scale does.

#include "core/model/FontSpec.h"

#include <array>
#include <string>

namespace qv {

// The places of the movable items a project file stores, in the order of its
// settings lines 54 to 59: top and left of the free text, of the statistics box
// (both in chart units) and of the value-axis label (window twips).
using SavedPositions = std::array<double, 6>;

// A rectangle on the main window, in twips.
struct TwipsRect
{
    double left = 0, top = 0, width = 0, height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// A label on the window: its caption (lines separated by "\r"), font, place,
// size and whether it is shown. The title and the movable items are labels.
struct Placement
{
    std::string caption;
    FontSpec font;
    double left = 0, top = 0;     // twips
    double width = 0, height = 0; // twips, as measured by the plot routine; 0: sized to the caption
    bool visible = false;
    bool border = false;
};

// Twips between a bordered box's edge and its caption (the border line lies in them).
inline constexpr double BoxBorderPadding = 30.0;

// The movable items, numbered as the drag code of each.
enum class MovableItem
{
    StatsBox = 1,
    Ylabel = 2,
    PlotText = 3,
    OverlayStats = 4,
    OverlayText = 5,
};

// The movable items, each with its placement.
struct Placements
{
    Placement statsBox;     // statistics of the main set, on the plot area
    Placement yLabel;       // the turned value-axis label, beside the plot area
    Placement plotText;     // free text about the main set, on the plot area
    Placement overlayStats; // statistics of the overlay set, on the plot area
    Placement overlayText;  // free text about the overlay set, on the plot area

    Placement& item(MovableItem which);
    const Placement& item(MovableItem which) const;
};

// Every movable item at its place in the window's design, scaled with the plot
// area `plotArea` (twips): the main statistics box near the plot area's top left
// corner, the free texts near its top right, the overlay's statistics box near
// its lower right, the value-axis label left of the plot area, centred on its height. The
// statistics boxes are bordered; nothing is visible and no caption is set.
Placements designPlacements(const TwipsRect& plotArea);

} // namespace qv
