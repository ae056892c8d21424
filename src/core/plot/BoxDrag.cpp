#include "core/plot/BoxDrag.h"

#include "core/plot/Scene.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qv {

namespace {

// From the top: the boxes in the reverse of their painting order, then the
// value-axis label.
constexpr std::array<MovableItem, 5> TopDown{MovableItem::OverlayText, MovableItem::PlotText,
                                             MovableItem::OverlayStats, MovableItem::StatsBox,
                                             MovableItem::Ylabel};

bool contains(const TwipsRect& r, TwipsPoint p)
{
    return p.x >= r.left && p.x < r.right() && p.y >= r.top && p.y < r.bottom();
}

std::optional<TwipsRect> intersected(const TwipsRect& a, const TwipsRect& b)
{
    const double left = std::max(a.left, b.left);
    const double top = std::max(a.top, b.top);
    const double right = std::min(a.right(), b.right());
    const double bottom = std::min(a.bottom(), b.bottom());
    if (!(right > left && bottom > top)) {
        return std::nullopt;
    }
    return TwipsRect{left, top, right - left, bottom - top};
}

bool onTitle(const Scene& scene, TwipsPoint p)
{
    const WindowLabel& t = scene.title;
    return t.visible && contains({t.left, t.top, t.width, t.height}, p);
}

} // namespace

std::optional<TwipsRect> itemArea(const Scene& scene, MovableItem item)
{
    const Placement& p = scene.placements.item(item);
    const TwipsRect r{p.left, p.top, p.width, p.height};
    if (!p.visible || !(r.width > 0 && r.height > 0) || !std::isfinite(r.left) ||
        !std::isfinite(r.top)) {
        return std::nullopt;
    }
    if (item == MovableItem::Ylabel) {
        return r;
    }
    // The boxes are cut off at the plot area's edges.
    return intersected(r, scene.plotArea);
}

std::optional<MovableItem> itemAt(const Scene& scene, TwipsPoint point)
{
    for (MovableItem item : TopDown) {
        const auto area = itemArea(scene, item);
        if (area && contains(*area, point)) {
            return item;
        }
    }
    return std::nullopt;
}

std::optional<BoxDrag> pressAt(const Scene& scene, TwipsPoint point)
{
    const auto item = itemAt(scene, point);
    if (!item) {
        return std::nullopt;
    }
    const Placement& p = scene.placements.item(*item);
    return BoxDrag{*item, {point.x - p.left, point.y - p.top}};
}

std::optional<TwipsPoint> dropAt(const Scene& scene, const BoxDrag& drag, TwipsPoint point)
{
    const TwipsPoint landed{point.x - drag.grab.x, point.y - drag.grab.y};
    if (!std::isfinite(landed.x) || !std::isfinite(landed.y)) {
        return std::nullopt;
    }
    if (const auto under = itemAt(scene, point)) {
        // On itself a short move; on another item nothing.
        return *under == drag.item ? std::optional(landed) : std::nullopt;
    }
    if (onTitle(scene, point)) {
        return std::nullopt;
    }
    const bool axisLabel = drag.item == MovableItem::Ylabel;
    if (contains(scene.plotArea, point)) {
        return axisLabel ? std::nullopt : std::optional(landed);
    }
    if (contains({0, 0, scene.windowWidth, scene.windowHeight}, point)) {
        return axisLabel ? std::optional(landed) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace qv
