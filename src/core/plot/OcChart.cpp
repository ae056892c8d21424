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

double xTick(const SamplingPlan& plan, int i)
{
    return plan.ltpd * 0.5 * i;
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
    OcAxisTexts texts;
    for (int i = 0; i < XTicks; ++i) {
        texts.xTickLabels.push_back(plainText(100.0 * xTick(plan, i)));
    }
    for (int i = 0; i < YTicks; ++i) {
        texts.yTickLabels.push_back(plainText(yTick(i)));
    }
    return texts;
}

namespace {

// The title and the plan's caption, centred above the plot area.
void addTitle(Scene& scene, const SamplingPlan& plan, const TextMeasurer& measurer,
              const FontSpec& titleFont, const FontSpec& textFont)
{
    WindowLabel& title = scene.title;
    title.caption = "OC Curve of the Exact Sampling Plan";
    title.font = titleFont;
    title.width = measurer.textWidth(title.caption, titleFont);
    title.height = measurer.textHeight(title.caption, titleFont);
    title.left = (WindowWidth - title.width) / 2;
    title.top = 240;
    title.visible = true;
    const std::string caption = planCaption(plan);
    scene.windowTexts.push_back({(WindowWidth - measurer.textWidth(caption, textFont)) / 2,
                                 title.top + title.height + Gap, caption, textFont});
}

// Tick marks inside the frame on all four sides, labels outside it, and the frame.
// Returns the width of the widest value label in twips.
double addTicksAndFrame(Scene& scene, const SamplingPlan& plan, const ChartGeometry& mapping,
                        const TextMeasurer& measurer, const FontSpec& textFont)
{
    auto& out = scene.primitives;
    const OcAxisTexts texts = ocAxisTexts(plan);
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
        const double x = xTick(plan, i);
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

} // namespace

Scene ocChartScene(const SamplingPlan& plan, const TextMeasurer& measurer,
                   const std::string& fontFamily)
{
    const FontSpec titleFont{fontFamily, 12, true};
    const FontSpec textFont{fontFamily, 9, false};
    const FontSpec noteFont{fontFamily, 8, false};

    Scene scene;
    scene.windowWidth = WindowWidth;
    scene.plotArea = PlotArea;
    scene.xmin = 0;
    scene.xmax = 3.05 * plan.ltpd;
    scene.ymin = -0.03;
    scene.ymax = 1.03;
    scene.coordinatesSet = true;
    const ChartGeometry mapping(PlotArea, scene.xmin, scene.xmax, scene.ymin, scene.ymax);

    addTitle(scene, plan, measurer, titleFont, textFont);
    const double widestYLabel = addTicksAndFrame(scene, plan, mapping, measurer, textFont);
    addCurve(scene, plan, mapping, measurer, noteFont);
    addAxisCaptions(scene, measurer, textFont, widestYLabel);
    return scene;
}

} // namespace qv
