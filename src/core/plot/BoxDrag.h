#pragma once
// Dragging the movable items with the mouse, in window twips from the window's
// top left corner: which item a press grabs and where a released item lands.
// The window feeds it the mouse; the rules live here so that they hold without
// a display.
//
// Drop rules: an item lands with the grabbed point under the mouse when it is
// dropped on itself (a short move) or on its own ground: the plot area for the
// statistics boxes and free texts, the window's background for the value-axis
// label. A drop anywhere else (on another item, on the title, on the other
// ground, outside the window) leaves the item where it was.

#include "core/model/Placements.h"

#include <optional>

namespace qv {

struct Scene;

struct TwipsPoint
{
    double x = 0, y = 0;
};

// The part of the window an item covers: its rectangle, the boxes only as far
// as they show on the plot area. Nothing for a hidden item or one without size.
std::optional<TwipsRect> itemArea(const Scene& scene, MovableItem item);

// The top-most shown item under `point`; nothing over anything else.
std::optional<MovableItem> itemAt(const Scene& scene, TwipsPoint point);

// One drag: the item pressed and the press point's offset from its top left corner.
struct BoxDrag
{
    MovableItem item = MovableItem::StatsBox;
    TwipsPoint grab;
};

// Starts a drag when `point` is over a shown item.
std::optional<BoxDrag> pressAt(const Scene& scene, TwipsPoint point);

// The new top left corner of the dragged item released at `point`, or nothing
// when the drop rules leave it where it was.
std::optional<TwipsPoint> dropAt(const Scene& scene, const BoxDrag& drag, TwipsPoint point);

} // namespace qv
