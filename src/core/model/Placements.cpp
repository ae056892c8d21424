#include "core/model/Placements.h"

#include <utility>

namespace qv {

namespace {
// The value-axis label's design place: left of the value labels, 240 twips from
// the window's edge, a narrow column centred on the plot area's height.
constexpr double YLabelLeft = 240;
constexpr double YLabelWidth = 360;
constexpr double YLabelHeight = 2400;

// Where an item's top left corner lies on the plot area, as fractions of its
// width and height.
struct DesignPlace
{
    double across;
    double down;
};
constexpr DesignPlace StatsBoxPlace{0.036, 0.05};
constexpr DesignPlace PlotTextPlace{0.60, 0.05};
constexpr DesignPlace OverlayTextPlace{0.60, 0.20};
constexpr DesignPlace OverlayStatsPlace{0.64, 0.58};

Placement placedOn(const TwipsRect& area, DesignPlace place, bool border)
{
    Placement item;
    item.left = area.left + place.across * area.width;
    item.top = area.top + place.down * area.height;
    item.border = border;
    return item;
}
} // namespace

Placements designPlacements(const TwipsRect& plotArea)
{
    Placements p;
    p.statsBox = placedOn(plotArea, StatsBoxPlace, true);
    p.plotText = placedOn(plotArea, PlotTextPlace, false);
    p.overlayStats = placedOn(plotArea, OverlayStatsPlace, true);
    p.overlayText = placedOn(plotArea, OverlayTextPlace, false);
    p.yLabel.left = YLabelLeft;
    p.yLabel.top = plotArea.top + (plotArea.height - YLabelHeight) / 2;
    p.yLabel.width = YLabelWidth;
    p.yLabel.height = YLabelHeight;
    return p;
}

Placement& Placements::item(MovableItem which)
{
    return const_cast<Placement&>(std::as_const(*this).item(which));
}

const Placement& Placements::item(MovableItem which) const
{
    switch (which) {
    case MovableItem::Ylabel:
        return yLabel;
    case MovableItem::PlotText:
        return plotText;
    case MovableItem::OverlayStats:
        return overlayStats;
    case MovableItem::OverlayText:
        return overlayText;
    default:
        return statsBox;
    }
}

} // namespace qv
