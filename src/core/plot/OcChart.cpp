#include "core/plot/OcChart.h"

#include "core/format/DecisionNumber.h"
#include "core/format/NumberText.h"
#include "core/plot/ChartGeometry.h"
#include "core/plot/TextMeasurer.h"

#include <algorithm>
#include <cstddef>

namespace qv {

namespace {

constexpr double WindowWidth = 9000;
constexpr TwipsRect PlotArea{1700, 1500, 6900, 4000};
constexpr double Gap = 60;
constexpr int XTicks = 7; // 0, LTPD/2, ..., 3 LTPD
constexpr int YTicks = 6; // 0, 0.2, ..., 1

double xTick(double ltpd, int i)
{
    return ltpd * 0.5 * i;
}

double yTick(int i)
{
    return 0.2 * i;
}

} // namespace

std::string planCaption(const SamplingPlan& plan)
{
    const char* dot = " \u00b7 ";
    return "N = " + std::to_string(plan.n) + dot + "exact k = " + decisionNumber(plan.kExact, 3, 4) +
           dot + "chart's k = " + (plan.k ? decisionNumber(*plan.k, 3, 4) : "none") + dot +
           "CR = " + plainText(plan.consumerRisk) + dot + "LTPD = " + percentOf(plan.ltpd);
}

OcAxisTexts ocAxisTexts(const SamplingPlan& plan)
{
    return ocAxisTexts(plan.ltpd);
}

OcAxisTexts ocAxisTexts(double ltpd)
{
    OcAxisTexts texts;
    for (int i = 0; i < XTicks; ++i) {
        texts.xTickLabels.push_back(plainText(100.0 * xTick(ltpd, i)));
    }
    for (int i = 0; i < YTicks; ++i) {
        texts.yTickLabels.push_back(plainText(yTick(i)));
    }
    return texts;
}

namespace {

// The title and the plan's caption, centred above the plot area.
void addTitle(Scene& scene, const std::string& heading, const std::string& caption,
              const TextMeasurer& measurer, const FontSpec& titleFont, const FontSpec& textFont)
{
    WindowLabel& title = scene.title;
    title.caption = heading;
    title.font = titleFont;
    title.width = measurer.textWidth(title.caption, titleFont);
    title.height = measurer.textHeight(title.caption, titleFont);
    title.left = (WindowWidth - title.width) / 2;
    title.top = 240;
    title.visible = true;
    scene.windowTexts.push_back({(WindowWidth - measurer.textWidth(caption, textFont)) / 2,
                                 title.top + title.height + Gap, caption, textFont});
}

// Tick marks inside the frame on all four sides, labels outside it, and the frame.
// Returns the width of the widest value label in twips.
double addTicksAndFrame(Scene& scene, double ltpd, const ChartGeometry& mapping,
                        const TextMeasurer& measurer, const FontSpec& textFont)
{
    auto& out = scene.primitives;
    const OcAxisTexts texts = ocAxisTexts(ltpd);
    const double lineHeight = measurer.textHeight("0", textFont);
    const double xMark = 0.015 * (scene.xmax - scene.xmin);
    const double yMark = 0.025 * (scene.ymax - scene.ymin);
    double widestYLabel = 0;
    for (int i = 0; i < YTicks; ++i) {
        const double y = yTick(i);
        out.emplace_back(SceneLine{scene.xmin, y, scene.xmin + xMark, y});
        out.emplace_back(SceneLine{scene.xmax, y, scene.xmax - xMark, y});
        const std::string& label = texts.yTickLabels[static_cast<std::size_t>(i)];
        const double width = measurer.textWidth(label, textFont);
        widestYLabel = std::max(widestYLabel, width);
        scene.windowTexts.push_back({PlotArea.left - width - 2 * Gap,
                                     mapping.yToTwips(y) - lineHeight / 2, label, textFont});
    }
    for (int i = 0; i < XTicks; ++i) {
        const double x = xTick(ltpd, i);
        out.emplace_back(SceneLine{x, scene.ymin, x, scene.ymin + yMark});
        out.emplace_back(SceneLine{x, scene.ymax, x, scene.ymax - yMark});
        const std::string& label = texts.xTickLabels[static_cast<std::size_t>(i)];
        scene.windowTexts.push_back({mapping.xToTwips(x) - measurer.textWidth(label, textFont) / 2,
                                     PlotArea.bottom() + Gap, label, textFont});
    }
    out.emplace_back(SceneBox{scene.xmin, scene.ymin, scene.xmax, scene.ymax, false, 2});
    return widestYLabel;
}

// The curve through the plan's points and the marked point at the LTPD with its note.
void addCurve(Scene& scene, const SamplingPlan& plan, const ChartGeometry& mapping,
              const TextMeasurer& measurer, const FontSpec& noteFont)
{
    auto& out = scene.primitives;
    const double xspan = scene.xmax - scene.xmin;
    const double yspan = scene.ymax - scene.ymin;
    const auto& p = plan.oc.fractionDefective;
    const auto& pa = plan.oc.probabilityOfAcceptance;
    for (std::size_t i = 1; i < p.size(); ++i) {
        out.emplace_back(SceneLine{p[i - 1], pa[i - 1], p[i], pa[i], 2});
    }
    // The point at the LTPD, where the plan gives the consumer's risk.
    const std::size_t atLtpd = 9;
    const double x = p[atLtpd];
    const double y = pa[atLtpd];
    out.emplace_back(SceneLine{x, scene.ymin, x, y, 1, LineStyle::Dotted});
    out.emplace_back(SceneLine{scene.xmin, y, x, y, 1, LineStyle::Dotted});
    out.emplace_back(SceneCircle{x, y, 0.008 * xspan, true});
    const std::string note = "Pa = " + decisionNumber(y, 2, 2) + " at LTPD " + percentOf(plan.ltpd);
    // Above and right of the point, clear of the curve that falls away below it.
    const double noteHeight = -measurer.textHeight(note, noteFont) * mapping.unitsPerTwipY();
    out.emplace_back(SceneText{x + 0.015 * xspan, y + 0.03 * yspan + noteHeight, note, noteFont});
}

// The axis captions: below the tick labels, and turned left of them; the window's
// height follows the lower one.
void addAxisCaptions(Scene& scene, const TextMeasurer& measurer, const FontSpec& textFont,
                     double widestYLabel)
{
    const double lineHeight = measurer.textHeight("0", textFont);
    const std::string xCaption = "Fraction defective p (%)";
    const double xCaptionTop = PlotArea.bottom() + 2 * Gap + lineHeight;
    scene.windowTexts.push_back(
        {PlotArea.left + (PlotArea.width - measurer.textWidth(xCaption, textFont)) / 2,
         xCaptionTop, xCaption, textFont});
    WindowLabel& yLabel = scene.placements.yLabel;
    yLabel.caption = "Probability of acceptance Pa";
    yLabel.font = textFont;
    yLabel.width = measurer.textHeight(yLabel.caption, textFont);
    yLabel.height = measurer.textWidth(yLabel.caption, textFont);
    yLabel.left = PlotArea.left - widestYLabel - 4 * Gap - yLabel.width;
    yLabel.top = PlotArea.top + (PlotArea.height - yLabel.height) / 2;
    yLabel.visible = true;
    scene.windowHeight = xCaptionTop + lineHeight + 300;
}

// The picture without its curves for fractions defective from 0 to 3.05 LTPD:
// the title and caption, the frame with its ticks and the axis captions.
Scene ocFrame(double ltpd, const std::string& heading, const std::string& caption,
              const TextMeasurer& measurer, const std::string& fontFamily)
{
    const FontSpec titleFont{fontFamily, 12, true};
    const FontSpec textFont{fontFamily, 9, false};

    Scene scene;
    scene.windowWidth = WindowWidth;
    scene.plotArea = PlotArea;
    scene.xmin = 0;
    scene.xmax = 3.05 * ltpd;
    scene.ymin = -0.03;
    scene.ymax = 1.03;
    scene.coordinatesSet = true;
    const ChartGeometry mapping(PlotArea, scene.xmin, scene.xmax, scene.ymin, scene.ymax);

    addTitle(scene, heading, caption, measurer, titleFont, textFont);
    const double widestYLabel = addTicksAndFrame(scene, ltpd, mapping, measurer, textFont);
    addAxisCaptions(scene, measurer, textFont, widestYLabel);
    return scene;
}

// A point the designed plans pass, marked with dotted guides to both axes and a note.
void addRequiredPoint(Scene& scene, double p, double pa, const std::string& note,
                      const TextMeasurer& measurer, const FontSpec& noteFont)
{
    auto& out = scene.primitives;
    const double xspan = scene.xmax - scene.xmin;
    const double yspan = scene.ymax - scene.ymin;
    out.emplace_back(SceneLine{p, scene.ymin, p, pa, 1, LineStyle::Dotted});
    out.emplace_back(SceneLine{scene.xmin, pa, p, pa, 1, LineStyle::Dotted});
    out.emplace_back(SceneCircle{p, pa, 0.008 * xspan, true});
    const ChartGeometry mapping = *mappingOf(scene);
    const double noteHeight = -measurer.textHeight(note, noteFont) * mapping.unitsPerTwipY();
    out.emplace_back(SceneText{p + 0.015 * xspan, pa + 0.03 * yspan + noteHeight, note, noteFont});
}

// One plan's curve through DesignCurvePoints points from 0 to the right edge,
// and its line in the legend at the top right.
void addDesignCurve(Scene& scene, PlanMethod method, const DesignedPlan& plan, int legendRow,
                    const FontSpec& noteFont)
{
    constexpr int DesignCurvePoints = 61;
    const LineStyle style = method == PlanMethod::SMethod ? LineStyle::Solid : LineStyle::Dotted;
    auto& out = scene.primitives;
    double lastP = 0;
    double lastPa = 1;
    for (int i = 1; i < DesignCurvePoints; ++i) {
        const double p = scene.xmax * i / (DesignCurvePoints - 1);
        const double pa = planAcceptanceProbability(method, plan.n, plan.k, p);
        out.emplace_back(SceneLine{lastP, lastPa, p, pa, 2, style});
        lastP = p;
        lastPa = pa;
    }
    const double xspan = scene.xmax - scene.xmin;
    const double y = 0.97 - 0.07 * legendRow;
    out.emplace_back(SceneLine{0.52 * xspan, y - 0.025, 0.60 * xspan, y - 0.025, 2, style});
    out.emplace_back(SceneText{0.62 * xspan, y, designedPlanCaption(method, plan), noteFont});
}

} // namespace

std::string designedPlanCaption(PlanMethod method, const DesignedPlan& plan)
{
    return std::string(method == PlanMethod::SMethod ? "s-method" : "\u03c3-method") +
           ": n = " + std::to_string(plan.n) + ", k = " + decisionNumber(plan.k, 3, 4);
}

Scene ocChartScene(const SamplingPlan& plan, const TextMeasurer& measurer,
                   const std::string& fontFamily)
{
    Scene scene = ocFrame(plan.ltpd, "OC Curve of the Exact Sampling Plan", planCaption(plan),
                          measurer, fontFamily);
    addCurve(scene, plan, *mappingOf(scene), measurer, FontSpec{fontFamily, 8, false});
    return scene;
}

Scene planDesignScene(const PlanRequirements& r, const std::optional<DesignedPlan>& sMethod,
                      const std::optional<DesignedPlan>& sigmaMethod, const TextMeasurer& measurer,
                      const std::string& fontFamily)
{
    const char* dot = " \u00b7 ";
    const std::string caption = "AQL = " + percentOf(r.aql) + dot + "\u03b1 = " +
                                plainText(r.producerRisk) + dot + "LTPD = " + percentOf(r.ltpd) +
                                dot + "\u03b2 = " + plainText(r.consumerRisk);
    Scene scene = ocFrame(r.ltpd, "OC Curves of the Designed Plans", caption, measurer, fontFamily);
    const FontSpec noteFont{fontFamily, 8, false};
    int row = 0;
    for (const auto& [method, plan] : {std::pair{PlanMethod::SMethod, &sMethod},
                                       std::pair{PlanMethod::SigmaMethod, &sigmaMethod}}) {
        if (*plan) {
            addDesignCurve(scene, method, **plan, row++, noteFont);
        }
    }
    addRequiredPoint(scene, r.aql, 1.0 - r.producerRisk,
                     "Pa = " + plainText(1.0 - r.producerRisk) + " at AQL " + percentOf(r.aql),
                     measurer, noteFont);
    addRequiredPoint(scene, r.ltpd, r.consumerRisk,
                     "Pa = " + plainText(r.consumerRisk) + " at LTPD " + percentOf(r.ltpd), measurer,
                     noteFont);
    return scene;
}

} // namespace qv
