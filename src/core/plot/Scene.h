#pragma once
// What one drawing of the chart produced. Primitives inside the plot area are in
// its user coordinates (x in quantile units from xmin at the left to xmax at the
// right, y in plot units from ymin at the bottom to ymax at the top), in drawing
// order: later ones cover earlier ones. Texts around the plot, the title and the
// movable items are on the main window in twips (1440 per inch) from its top
// left corner. The painter turns a Scene into pixels; nothing else paints the chart.

#include "core/model/FontSpec.h"
#include "core/model/Placements.h"

#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace qv {

enum class LineStyle { Solid, Dotted };

struct SceneLine
{
    double x1, y1, x2, y2;
    int width = 1; // pixels
    LineStyle style = LineStyle::Solid;
};

// An axis-parallel rectangle; its outline in the foreground colour, filled black when `filled`.
struct SceneBox
{
    double x1, y1, x2, y2;
    bool filled = false;
    int width = 1;
};

// A circle whose radius is measured along x, so it is round on the screen.
struct SceneCircle
{
    double cx, cy, radius;
    bool filled = false;
};

// A text inside the plot area, its top left corner at (x, y) in user coordinates.
// The caption and its font are kept apart and shared by copies, so that every
// primitive, a chart's many symbols above all, stays small.
class SceneText
{
public:
    SceneText(double atX, double atY, std::string caption, FontSpec captionFont)
        : x(atX), y(atY),
          m_body(std::make_shared<const Body>(Body{std::move(caption), std::move(captionFont)}))
    {
    }

    double x, y;
    const std::string& text() const { return m_body->text; }
    const FontSpec& font() const { return m_body->font; }

private:
    struct Body
    {
        std::string text;
        FontSpec font;
    };
    std::shared_ptr<const Body> m_body;
};

// A single dot of one screen pixel at (x, y), such as the confidence curves are made of.
struct ScenePixel
{
    double x, y;
};

using ScenePrimitive = std::variant<SceneLine, SceneBox, SceneCircle, SceneText, ScenePixel>;

// A text printed on the main window, its top left corner at (left, top) in twips.
struct WindowText
{
    double left, top;
    std::string text;
    FontSpec font;
};

// A label of the main window: the title, and the movable items.
using WindowLabel = Placement;

struct Scene
{
    // The main window's client area and the plot area inside it, in twips.
    double windowWidth = 0, windowHeight = 0;
    TwipsRect plotArea;
    // The plot area's user coordinates; a drawing that stopped early may leave them unset.
    double xmin = 0, xmax = 1, ymin = 0, ymax = 1;
    bool coordinatesSet = false;

    std::vector<ScenePrimitive> primitives;
    std::vector<WindowText> windowTexts;

    WindowLabel title;
    // Copies of the movable items as the drawing left them. The value-axis
    // label is drawn turned 90 degrees counter-clockwise (reads bottom to top);
    // the other four lie on the plot area and are cut off at its edges.
    Placements placements;

    void clear()
    {
        primitives.clear();
        windowTexts.clear();
        coordinatesSet = false;
    }
};

} // namespace qv
