// The plot routine's movable boxes: the statistics boxes and free texts, their
// captions, sizes and places.

#include "core/model/Session.h"
#include "core/plot/Annotations.h"
#include "core/plot/PlotDrawing.h"
#include "core/plot/TextMeasurer.h"

namespace qv {

// Boxes and reference lines of one set, later ones over earlier ones. The main
// set: its statistics box, its free text, the Ts marker, the limit lines and
// the least-squares line. The overlay: its free text, its box, its marker and
// its line (the limit lines belong to the main set).
void PlotRoutine::drawBoxesAndReferenceLines(Drawing& d, int setNumber)
{
    if (setNumber == 1) {
        drawStatsBox(d, 1);
        drawFreeText(d, 1);
        drawTsMarker(d, 1);
        drawLimitLines(d);
        drawFit(d, 1);
        keepLabelsInSight(d);
    } else {
        drawFreeText(d, 2);
        drawStatsBox(d, 2);
        drawTsMarker(d, 2);
        drawFit(d, 2);
    }
}

// Where an item goes when it has no place of its own on the plot area: the
// main statistics box 3.6 % of the axis right of its left end and 5 % of the
// value range below its top, the others at their places of the window's design.
TwipsPoint PlotRoutine::defaultPlace(const Drawing& d, MovableItem item) const
{
    if (item == MovableItem::StatsBox) {
        const ChartGeometry mapping = *mappingOf(m_scene);
        return {mapping.xToTwips(d.xmin + 0.036 * d.xspan()),
                mapping.yToTwips(d.ymax - 0.05 * (d.ymax - d.ymin))};
    }
    const Placements design = designPlacements(d.plot);
    const Placement& place = design.item(item);
    return {place.left, place.top};
}

// Shows a box of the plot area with its caption, sized to it. A box that would
// lie wholly outside the plot area (a smaller plot area, a bad stored place)
// goes back to its default place, where it can be seen and dragged.
void PlotRoutine::showBox(const Drawing& d, MovableItem item, const std::string& caption)
{
    Placement& box = m_scene.placements.item(item);
    box.caption = caption;
    const double padding = box.border ? 2 * BoxBorderPadding : 0.0;
    box.width = m_measurer.textWidth(caption, box.font) + padding;
    box.height = m_measurer.textHeight(caption, box.font) + padding;
    box.visible = true;
    const TwipsRect& plot = d.plot;
    const bool seen = box.left < plot.right() && box.left + box.width > plot.left &&
                      box.top < plot.bottom() && box.top + box.height > plot.top;
    if (!seen) {
        const TwipsPoint place = defaultPlace(d, item);
        box.left = place.x;
        box.top = place.y;
    }
}

// The main statistics box, while it stands at its default place, must not hide
// the labels of the chart: when it covers one (the Ts value and the limit
// lines' labels stand at the left edge too) it moves right, past the labels it
// covers, as far as the plot area's right edge allows.
void PlotRoutine::keepLabelsInSight(const Drawing& d)
{
    Placement& box = m_scene.placements.statsBox;
    if (!m_statsBoxAtDefault || !box.visible) {
        return;
    }
    const ChartGeometry mapping = d.mapping();
    std::vector<TwipsRect> labels;
    for (const ScenePrimitive& primitive : m_scene.primitives) {
        if (const auto* text = std::get_if<SceneText>(&primitive)) {
            labels.push_back({mapping.xToTwips(text->x), mapping.yToTwips(text->y),
                              m_measurer.textWidth(text->text(), text->font()),
                              m_measurer.textHeight(text->text(), text->font())});
        }
    }
    const double gap = 0.011 * d.plot.width;
    double left = box.left;
    for (bool moved = true; moved;) {
        moved = false;
        for (const TwipsRect& label : labels) {
            const bool covers = left < label.right() && left + box.width > label.left &&
                                box.top < label.bottom() && box.top + box.height > label.top;
            if (covers) {
                left = label.right() + gap;
                moved = true;
            }
        }
    }
    if (left + box.width <= d.plot.right()) {
        box.left = left;
    }
}

// The statistics box of a set. After a load the main box is first placed, shown
// or not: at the place a project file stored (chart units), else at its default
// place, where it stays until the user moves it. The overlay's box keeps the
// place it has.
void PlotRoutine::drawStatsBox(Drawing& d, int setNumber)
{
    if (setNumber == 1 && m_placeBoxes) {
        m_statsBoxAtDefault = !(m_session.sources.projectFileFlag && !m_session.sources.pasteMode);
        if (!m_statsBoxAtDefault) {
            const ChartGeometry mapping = *mappingOf(m_scene);
            Placement& box = m_scene.placements.statsBox;
            box.left = mapping.xToTwips(m_session.sources.savedPositions[3]);
            box.top = mapping.yToTwips(m_session.sources.savedPositions[2]);
        }
    }
    if (setNumber == 1 && m_statsBoxAtDefault) {
        // Until the user moves it, the box starts from its default place at
        // every drawing and makes way for the labels.
        const TwipsPoint place = defaultPlace(d, MovableItem::StatsBox);
        m_scene.placements.statsBox.left = place.x;
        m_scene.placements.statsBox.top = place.y;
    }
    if (!d.o.statistics) {
        return;
    }
    SetResults& r = m_results.sets[static_cast<std::size_t>(setNumber - 1)];
    StatsBoxOptions options = d.o.statsBox;
    options.typedDigits = d.o.statsDigits.value();
    options.overlay = setNumber == 2;
    options.title = setNumber == 1 ? d.o.mainBoxTitle : d.o.overlayBoxTitle;
    if (d.o.limitLines && d.o.upperLine && d.o.upperLimit.value() != 0) {
        options.upperLimit = d.o.upperLimit.value();
    }
    const std::string caption = statsBoxCaption(*r.statistics, options, d.ymin);
    showBox(d, setNumber == 1 ? MovableItem::StatsBox : MovableItem::OverlayStats, caption);
    r.statsBox = caption;
}

// The free text of a set, shown while its setting holds text. After a project
// file is opened the main set's text first goes to the place the file stored.
void PlotRoutine::drawFreeText(Drawing& d, int setNumber)
{
    if (setNumber == 1 && m_placeBoxes && m_session.sources.projectFileFlag) {
        const ChartGeometry mapping = *mappingOf(m_scene);
        Placement& text = m_scene.placements.plotText;
        text.top = mapping.yToTwips(m_session.sources.savedPositions[0]);
        text.left = mapping.xToTwips(m_session.sources.savedPositions[1]);
    }
    const std::string& text = setNumber == 1 ? d.o.plotText : d.o.overlayText;
    if (text.empty()) {
        return;
    }
    showBox(d, setNumber == 1 ? MovableItem::PlotText : MovableItem::OverlayText, text);
    m_results.sets[static_cast<std::size_t>(setNumber - 1)].plotText = text;
}

} // namespace qv
