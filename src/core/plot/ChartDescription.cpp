#include "core/plot/ChartDescription.h"

#include "core/plot/ChartGeometry.h"

#include <algorithm>
#include <array>

namespace qv {

namespace {

// Blanks collapsed and trimmed, as a screen reader says it.
std::string spoken(std::string_view text)
{
    std::string out;
    bool blank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            blank = !out.empty();
            continue;
        }
        if (blank) {
            out += ' ';
            blank = false;
        }
        out += c;
    }
    return out;
}

void addLines(std::vector<std::string>& out, std::string_view caption)
{
    while (true) {
        const auto end = caption.find('\r');
        std::string line = spoken(caption.substr(0, end));
        if (!line.empty()) {
            out.push_back(std::move(line));
        }
        if (end == std::string_view::npos) {
            return;
        }
        caption.remove_prefix(end + 1);
    }
}

bool inside(const Scene& scene, double x, double y)
{
    const double low = std::min(scene.ymin, scene.ymax);
    const double high = std::max(scene.ymin, scene.ymax);
    return x >= scene.xmin && x <= scene.xmax && y >= low && y <= high;
}

// "upper left", "centre", "lower right": where the middle of `box` stands in
// thirds of the plot area.
std::string whereIn(const TwipsRect& area, const TwipsRect& box)
{
    const auto third = [](double at, double from, double size) {
        const double part = size > 0 ? (at - from) / size : 0.5;
        return part < 1.0 / 3 ? 0 : part < 2.0 / 3 ? 1 : 2;
    };
    static constexpr std::array<const char*, 3> Rows{"upper", "middle", "lower"};
    static constexpr std::array<const char*, 3> Columns{"left", "centre", "right"};
    const int row = third(box.top + box.height / 2, area.top, area.height);
    const int column = third(box.left + box.width / 2, area.left, area.width);
    if (row == 1 && column == 1) {
        return "centre";
    }
    return std::string(Rows[static_cast<std::size_t>(row)]) + " " +
           Columns[static_cast<std::size_t>(column)];
}

bool overlaps(const TwipsRect& a, const TwipsRect& b)
{
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

TwipsRect rectOf(const Placement& box)
{
    return {box.left, box.top, box.width, box.height};
}

struct Box
{
    const Placement* placement;
    const char* name; // as said within a sentence
};

// Where `boxes[which]` stands on the plot area and the texts it covers: the
// labels whose top left corner lies under it and the boxes drawn before it.
std::string boxPlace(const Scene& scene, const std::array<Box, 4>& boxes, std::size_t which)
{
    const TwipsRect box = rectOf(*boxes[which].placement);
    std::string line = "The " + std::string(boxes[which].name) + " stands at the " +
                       whereIn(scene.plotArea, box) + " of the plot area";
    std::vector<std::string> covered;
    for (std::size_t i = 0; i < which; ++i) {
        if (boxes[i].placement->visible && overlaps(box, rectOf(*boxes[i].placement))) {
            covered.push_back("part of the " + std::string(boxes[i].name));
        }
    }
    if (scene.coordinatesSet) {
        const ChartGeometry mapping(scene.plotArea, scene.xmin, scene.xmax, scene.ymin, scene.ymax);
        for (const ScenePrimitive& primitive : scene.primitives) {
            const auto* text = std::get_if<SceneText>(&primitive);
            if (!text || !inside(scene, text->x, text->y)) {
                continue;
            }
            const double x = mapping.xToTwips(text->x);
            const double y = mapping.yToTwips(text->y);
            if (x >= box.left && x <= box.right() && y >= box.top && y <= box.bottom()) {
                covered.push_back("\"" + spoken(text->text()) + "\"");
            }
        }
    }
    if (covered.empty()) {
        return line + ", covering no other text";
    }
    line += ", covering ";
    for (std::size_t i = 0; i < covered.size(); ++i) {
        line += (i == 0 ? "" : ", ") + covered[i];
    }
    return line;
}

} // namespace

std::vector<std::string> chartDescription(const Scene& scene, const DrawingResults& results)
{
    std::vector<std::string> out;
    if (scene.title.visible) {
        addLines(out, scene.title.caption);
    }
    const Placements& p = scene.placements;
    const std::array<Box, 4> boxes{{{&p.statsBox, "statistics box"},
                                    {&p.plotText, "plot text"},
                                    {&p.overlayStats, "overlay statistics box"},
                                    {&p.overlayText, "overlay text"}}};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i].placement->visible) {
            addLines(out, boxes[i].placement->caption);
            if (boxes[i].placement->width > 0 && boxes[i].placement->height > 0) {
                out.push_back(boxPlace(scene, boxes, i));
            }
        }
    }
    if (scene.coordinatesSet) {
        for (const ScenePrimitive& primitive : scene.primitives) {
            if (const auto* text = std::get_if<SceneText>(&primitive);
                text && inside(scene, text->x, text->y)) {
                addLines(out, text->text());
            }
        }
    }
    if (results.xAxisDone) {
        addLines(out, results.xCaption);
    }
    if (p.yLabel.visible) {
        addLines(out, p.yLabel.caption);
    }
    for (const std::string& warning : results.warnings) {
        addLines(out, warning);
    }
    return out;
}

} // namespace qv
