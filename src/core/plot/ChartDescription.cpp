#include "core/plot/ChartDescription.h"

#include <algorithm>

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

} // namespace

std::vector<std::string> chartDescription(const Scene& scene, const DrawingResults& results)
{
    std::vector<std::string> out;
    if (scene.title.visible) {
        addLines(out, scene.title.caption);
    }
    const Placements& p = scene.placements;
    for (const Placement* box : {&p.statsBox, &p.plotText, &p.overlayStats, &p.overlayText}) {
        if (box->visible) {
            addLines(out, box->caption);
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
