// The plot routine's reference lines: the Ts marker, the limit lines, the
// least-squares line with its confidence band, and their labels.

#include "core/plot/Annotations.h"
#include "core/plot/PlotDrawing.h"
#include "core/plot/TextMeasurer.h"
#include "core/stats/StatsMessages.h"

namespace qv {

namespace {

constexpr const char* NonPositiveTsText =
    "Negative or zero data values. Please delete these values before plotting a log scale.";

} // namespace

// Prints a label of the reference lines with its top left corner at (x, y),
// chart units. A label that would cover one printed before it (the Ts values
// and the limits all stand at the left edge) moves right, past it.
void PlotRoutine::printReferenceLabel(Drawing& d, double x, double y, const std::string& text)
{
    const ChartGeometry mapping = d.mapping();
    TwipsRect place{mapping.xToTwips(x), mapping.yToTwips(y),
                    m_measurer.textWidth(text, d.referenceFont),
                    m_measurer.textHeight(text, d.referenceFont)};
    const double gap = 0.011 * d.plot.width;
    for (bool moved = true; moved;) {
        moved = false;
        for (const TwipsRect& other : d.referenceLabels) {
            if (place.left < other.right() && place.right() > other.left &&
                place.top < other.bottom() && place.bottom() > other.top) {
                place.left = other.right() + gap;
                moved = true;
            }
        }
    }
    d.referenceLabels.push_back(place);
    m_scene.primitives.emplace_back(
        SceneText{mapping.twipsToX(place.left), y, text, d.referenceFont});
}

// The Ts marker: dotted from the left edge along the height of Ts to x = k, then
// down to the bottom; its value label just above the height of Ts and the
// fraction beyond k four text heights above the bottom, right of k. On a log
// axis the line stands at the logarithm of the Ts of the values, which must be
// positive (else the message and a restart with the linear axis).
void PlotRoutine::drawTsMarker(Drawing& d, int setNumber)
{
    if (!d.o.testStatistic) {
        return;
    }
    SetResults& r = m_results.sets[static_cast<std::size_t>(setNumber - 1)];
    const SetStatistics& st = *r.statistics;
    double height = st.shownTs;
    if (d.logAxis) {
        if (!(st.shownTs > 0)) {
            say(NonPositiveTsText, std::string(DatasetErrorTitle), MessageIcon::None);
            throw PlotRestart{};
        }
        height = qv::log10(st.shownTs);
    }
    auto& out = m_scene.primitives;
    out.emplace_back(SceneLine{d.xmin, height, st.k, height, 1, LineStyle::Dotted});
    out.emplace_back(SceneLine{st.k, height, st.k, d.ymin, 1, LineStyle::Dotted});

    const ChartGeometry mapping = d.mapping();
    const std::string value = tsValueLabel(st.shownTs);
    // Text heights in chart units are negative: y grows upwards.
    const double valueHeight =
        m_measurer.textHeight(value, d.referenceFont) * mapping.unitsPerTwipY();
    printReferenceLabel(d, d.xmin + 0.025 * d.xspan(), st.ts - valueHeight, value);

    const std::string percent = percentText(st.k);
    const double width = m_measurer.textWidth(percent, d.referenceFont) * mapping.unitsPerTwipX();
    const double height4 =
        4 * m_measurer.textHeight(percent, d.referenceFont) * mapping.unitsPerTwipY();
    const std::string label = percentLabel(st.k);
    // With k near the right edge the label stands left of the edge rather than
    // past the frame; with k beyond the edge it is not seen, as k is not.
    const double labelWidth =
        m_measurer.textWidth(label, d.referenceFont) * mapping.unitsPerTwipX();
    double x = st.k + 0.1 * width;
    if (st.k < d.xmax) {
        x = std::min(x, d.xmax - labelWidth);
    }
    printReferenceLabel(d, x, d.ymin - height4, label);
    r.tsLabel = value;
    r.percentLabel = label;
}

// The limit lines, solid across the chart at UL, 90 % and 50 % of it and at
// LL (their logarithms on a log axis), the upper ones each under its own check
// box, the lower one while the lower side is limited, each labelled just above
// its left end. An upper limit of 0 draws none; a limit of 0 or less on a log
// axis has no logarithm and ends the drawing through the error trap.
void PlotRoutine::drawLimitLines(Drawing& d)
{
    const PlotOptions& o = d.o;
    const double upper = o.limitLines ? o.upperLimit.value() : 0.0;
    const struct
    {
        bool shown;
        LimitLine line;
        double limit;
    } rows[] = {{upper != 0 && o.upperLine, LimitLine::Upper, upper},
                {upper != 0 && o.ninetyLine, LimitLine::Ninety, upper},
                {upper != 0 && o.fiftyLine, LimitLine::Fifty, upper},
                {lowerLimited(o), LimitLine::Lower, lowerLimited(o) ? o.lowerLimit.value() : 0.0}};
    if (upper == 0 && !rows[3].shown) {
        return;
    }
    std::array<double, 4> heights{};
    for (std::size_t i = 0; i < heights.size(); ++i) {
        // The upper heights are taken whether shown or not, as the error trap
        // has always seen them; the lower one only when it is drawn.
        if (i < 3 ? upper == 0 : !rows[i].shown) {
            continue;
        }
        const double value = limitValue(rows[i].line, rows[i].limit);
        heights[i] = d.logAxis ? qv::log10(value) : value;
    }
    const double textHeight =
        m_measurer.textHeight(" UL ", d.referenceFont) * d.mapping().unitsPerTwipY();
    for (std::size_t i = 0; i < heights.size(); ++i) {
        if (!rows[i].shown) {
            continue;
        }
        const std::string label = limitLabel(rows[i].line, rows[i].limit);
        m_scene.primitives.emplace_back(SceneLine{d.xmin, heights[i], d.xmax, heights[i]});
        printReferenceLabel(d, d.xmin + 0.025 * d.xspan(), heights[i] - textHeight, label);
        m_results.limitLabels.push_back(label);
    }
}

// The least-squares line of a set, dotted across the chart, and the rows of
// single dots of its confidence band. A weighted fit with a point without
// uncertainty says so once, before the fit can fail.
void PlotRoutine::drawFit(Drawing& d, int setNumber)
{
    const PlotOptions& o = d.o;
    if (!o.lsqFit) {
        return;
    }
    SetResults& r = m_results.sets[static_cast<std::size_t>(setNumber - 1)];
    const int n = r.statistics->n;
    const bool weighted = o.weightedFit;
    if (const auto message = zeroUncertaintyMessage(r.points, n, weighted)) {
        say(std::string(message->text), std::string(message->title), MessageIcon::None);
    }
    r.fit = leastSquaresFit(r.points, n, weighted).fit;
    const FitResult& fit = *r.fit;
    auto& out = m_scene.primitives;
    out.emplace_back(SceneLine{d.xmin, fittedValue(fit, d.xmin), d.xmax, fittedValue(fit, d.xmax),
                               1, LineStyle::Dotted});
    const int level = o.confidenceLevel;
    if (level == 0) {
        return;
    }
    for (const ConfidenceSample& sample : confidenceCurves(fit, n, level, d.xmin, d.xmax)) {
        out.emplace_back(ScenePixel{sample.x, sample.upper});
        out.emplace_back(ScenePixel{sample.x, sample.lower});
    }
}

} // namespace qv
