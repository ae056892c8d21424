// The plot routine's axes and frame: the probability range, the value axis's
// scale, ticks and labels, the title, the footer and the frame.

#include "core/Errors.h"
#include "core/format/DateText.h"
#include "core/format/FormatMask.h"
#include "core/model/Session.h"
#include "core/plot/ChartBounds.h"
#include "core/plot/PlotDrawing.h"
#include "core/plot/TextMeasurer.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

using enum Ctl;

constexpr std::array<const char*, ProbabilityTickCount> GaussianTickLabels{
    "0.001", "0.01", "0.1", "1", "10", "50", "90", "99", "99.9", "99.99", "99.999"};
constexpr std::array<const char*, ProbabilityTickCount> StudentTickLabels{
    "", "0.01", "0.1", "1", "10", "50", "90", "99", "99.9", "99.99", ""};

// Whether a label of `ticks` (plot values on a log axis) reads 0 in `mask`, or
// the same as its neighbour.
bool misreadLogLabel(const std::vector<double>& ticks, const std::string& mask)
{
    const std::string zero = format(0.0, mask);
    std::string previous;
    for (double tick : ticks) {
        std::string label = format(std::pow(10.0, tick), mask);
        if (label == zero || label == previous) {
            return true;
        }
        previous = std::move(label);
    }
    return false;
}

// A log axis spans powers of ten: the fixed-point mask gets as many places as
// it takes for each label to show its own value ("0.0" at both 0.001 and 0.01
// says neither).
std::string distinctLogMask(const std::vector<double>& ticks, std::string mask)
{
    const auto dot = mask.find('.');
    int places = dot == std::string::npos ? 0 : static_cast<int>(mask.size() - dot - 1);
    while (places < 15 && misreadLogLabel(ticks, mask)) {
        mask = valueAxisMask(++places, false);
    }
    return mask;
}

} // namespace

// Probability axis, first part: its tick positions and its range from the
// number of enabled points of the main set and the Axes Options range.
void PlotRoutine::chooseProbabilityRange(Drawing& d)
{
    const PlotOptions& o = d.o;
    d.scale = o.studentT ? ProbabilityScale::StudentT : ProbabilityScale::Gaussian;
    const int enabled = m_session.set(1).enabledCount;
    d.tickPositions = probabilityTickPositions(d.scale, enabled);
    d.range = probabilityRange(d.scale, enabled, o.xRangeNines);
    d.xmin = d.range.xmin;
    d.xmax = d.range.xmax;
    d.plot = m_layout.plotArea;
    d.logAxis = o.logAxis;

    d.inputs.scale = d.scale;
    d.inputs.axis = d.logAxis ? ValueScale::Log : ValueScale::Linear;
    d.inputs.backgroundValue = o.backgroundValue.value();
    d.inputs.consumerRiskZ = o.consumerRiskZ;
    d.inputs.ltpdZ = o.ltpdZ;
    d.inputs.xmin = d.xmin;
    d.inputs.xmax = d.xmax;
}

// Value axis, first part: its range and tick step, automatic (written back to
// the Axes Options fields for Manual to start from) or as typed. False when the
// step is 0 or less; a plot area without height raises QvError 5.
bool PlotRoutine::scaleValueAxis(Drawing& d, const SetStatistics& main)
{
    const PlotOptions& o = d.o;
    bool scaled = false;
    if (o.autoScale) {
        AutoScaleInputs in;
        in.logAxis = d.logAxis;
        in.minPlot = main.minPlot;
        in.maxPlot = main.maxPlot;
        in.mean = main.mean;
        in.sigma = main.sigma;
        in.ts = main.ts;
        in.n = main.n;
        in.xmax = d.xmax;
        in.limitLines = o.limitLines;
        in.upperLimit = o.upperLimit.value();
        in.lowerLimited = lowerLimited(o);
        if (in.lowerLimited) {
            in.lowerLimit = o.lowerLimit.value();
        }
        in.testStatistic = o.testStatistic;
        scaled = autoScale(in, d.values);
        if (scaled) {
            auto& changes = m_report.changes;
            changes.emplace_back(
                SetTextChange{AxesOpts_YscaleMin, scaleText(d.values.ymin, d.logAxis)});
            changes.emplace_back(
                SetTextChange{AxesOpts_YscaleMax, scaleText(d.values.ymax, d.logAxis)});
            changes.emplace_back(
                SetTextChange{AxesOpts_TickInterval, scaleText(d.values.ytick, d.logAxis)});
        }
    } else {
        scaled = manualScale(d.logAxis, o.scaleMin.value(), o.scaleMax.value(),
                             o.tickInterval.value(), d.values);
    }
    if (!scaled) {
        return false;
    }
    // A plot without height (or upside down) has no coordinate system, and
    // one taller than the largest double cannot be measured.
    if (!(d.values.ymax > d.values.ymin)) {
        raise(ErrorCode::InvalidArgument);
    }
    checkedFinite(d.values.ymax - d.values.ymin);
    d.ymin = d.values.ymin;
    d.ymax = d.values.ymax;
    return true;
}

// Footer: the loaded file's name at the plot area's left edge and today's date
// flush with its right edge, below the axis caption.
void PlotRoutine::drawFooter(Drawing& d)
{
    d.footerLineHeight = m_measurer.textHeight("U", d.footerFont);
    const double top = d.plot.bottom() + 3.8 * d.footerLineHeight;
    const Session::Sources& sources = m_session.sources;
    // The lot shown: new data read into a project are named by their own file.
    const std::string& lot = sources.newDataPath.empty() ? sources.titlePath : sources.newDataPath;
    m_scene.windowTexts.push_back({d.plot.left, top, lot, d.footerFont});
    const std::string date = formatDate(today());
    m_scene.windowTexts.push_back(
        {d.plot.right() - m_measurer.textWidth(date, d.footerFont), top, date, d.footerFont});
}

// The plot area's coordinates, the symbol size and aspect, and the frame drawn
// two pixels wide.
void PlotRoutine::drawPlotFrame(Drawing& d)
{
    m_scene.xmin = d.xmin;
    m_scene.xmax = d.xmax;
    m_scene.ymin = d.ymin;
    m_scene.ymax = d.ymax;
    m_scene.coordinatesSet = true;
    d.symbolUnit = 0.01 * d.xspan();
    d.aspect = (d.plot.width / d.xspan()) / (d.plot.height / std::fabs(d.ymax - d.ymin));
    m_scene.primitives.emplace_back(SceneBox{d.xmin, d.ymin, d.xmax, d.ymax, false, 2});
}

// The title centred over the plot area, as the title setting has it: an empty
// setting shows no title.
void PlotRoutine::showTitle(const Drawing& d)
{
    WindowLabel title;
    title.caption = d.o.title;
    if (!title.caption.empty()) {
        title.font = FontSpec{d.face, chartPointSize(12 * d.screenFactor + d.titleSizeOffset),
                              d.o.titleBold};
        title.width = m_measurer.textWidth(title.caption, title.font);
        title.height = m_measurer.textHeight(title.caption, title.font);
        title.left = d.plot.left + (d.plot.width - title.width) / 2;
        title.top = std::max(0.0, d.plot.top - title.height - 120);
        title.visible = true;
    }
    m_scene.title = title;
}

// Probability axis: its caption below the plot area, tick marks on the bottom
// and top edges, and the percent labels under the visible ticks.
void PlotRoutine::drawProbabilityAxis(Drawing& d)
{
    std::string caption = "Cumulative Probability (%)";
    if (d.o.gaussianCaption) {
        caption += " - Gaussian Distribution";
    } else if (d.o.studentT) {
        caption += " - Student's t Distribution";
    }
    const double captionWidth = m_measurer.textWidth(caption, d.windowFont);
    const double captionHeight = m_measurer.textHeight(caption, d.windowFont);
    m_scene.windowTexts.push_back({d.plot.left + (d.plot.width - captionWidth) / 2,
                                   d.plot.bottom() + 1.4 * captionHeight, caption, d.labelFont});
    m_results.xCaption = caption;

    const auto& labels =
        d.scale == ProbabilityScale::Gaussian ? GaussianTickLabels : StudentTickLabels;
    const ChartGeometry mapping = d.mapping();
    const double markLength = 0.025 * (d.ymax - d.ymin);
    for (int k = 4 - d.range.nines; k <= 6 + d.range.nines; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const double x = d.tickPositions[i];
        m_scene.primitives.emplace_back(SceneLine{x, d.ymin, x, d.ymin + markLength});
        m_scene.primitives.emplace_back(SceneLine{x, d.ymax, x, d.ymax - markLength});
        if (d.range.nines == 4 && (k == 1 || k == 9)) {
            continue; // the crowded outer labels stay apart
        }
        const std::string label = labels[i];
        const double width = m_measurer.textWidth(label, d.labelFont);
        m_scene.windowTexts.push_back(
            {mapping.xToTwips(x) - width / 2, d.plot.bottom() + 60, label, d.labelFont});
        m_results.xTickLabels.push_back(label);
        m_results.xTickPositions.push_back(x);
    }
    m_results.xAxisDone = true;
    m_results.xScale = d.scale;
    m_results.xDegreesOfFreedom = m_session.set(1).enabledCount - 2;
    m_results.xmin = d.xmin;
    m_results.xmax = d.xmax;
}

// Value axis: tick marks on the left and right edges and the labels, in the
// mask of the Axes Options, left of the plot area.
void PlotRoutine::drawValueAxis(Drawing& d, const SetStatistics& main)
{
    std::string mask = valueLabelMask(d.values, d.o.autoPlaces, d.o.places.value(),
                                      !d.o.standardFormat, main.mean);
    const std::vector<double> ticks = valueTickValues(d.values, d.logAxis);
    if (d.logAxis && d.o.standardFormat) {
        mask = distinctLogMask(ticks, mask);
    }
    const ChartGeometry mapping = d.mapping();
    const double markLength = 0.0178 * d.xspan();
    for (double v : ticks) {
        m_scene.primitives.emplace_back(SceneLine{d.xmin, v, d.xmin + markLength, v});
        m_scene.primitives.emplace_back(SceneLine{d.xmax, v, d.xmax - markLength, v});
        const std::string text = " " + format(d.logAxis ? std::pow(10.0, v) : v, mask);
        const double height = m_measurer.textHeight(text, d.labelFont);
        const double width = m_measurer.textWidth(text, d.labelFont);
        m_scene.windowTexts.push_back(
            {d.plot.left - width, mapping.yToTwips(v) - height / 2, text, d.labelFont});
        m_results.yTickLabels.push_back(text);
        d.lastValueLabelWidth = std::round(width);
    }
    m_results.yAxisDone = true;
    m_results.logValueAxis = d.logAxis;
    m_results.ymin = d.ymin;
    m_results.ymax = d.ymax;
    m_results.ytick = d.values.ytick;
    m_results.labelMask = mask;
}

// The value-axis label, turned, beside the value labels and centred on the
// plot area's height; hidden while its setting is empty. Placed afresh at every
// drawing.
void PlotRoutine::placeValueAxisLabel(Drawing& d)
{
    Placement& label = m_scene.placements.yLabel;
    label.caption = d.o.valueAxisLabel;
    label.font = d.labelFont;
    if (label.caption.empty()) {
        label.visible = false;
        label.top = m_layout.windowHeight;
        label.left = 0;
        label.width = label.height = 0;
        return;
    }
    // Turned, the label is as wide as a line is high.
    label.width = m_measurer.textHeight(label.caption, d.labelFont);
    label.height = m_measurer.textWidth(label.caption, d.labelFont);
    label.top = d.plot.top + (d.plot.height - label.height) / 2;
    label.left = d.plot.left - label.width - d.lastValueLabelWidth - 100;
    label.visible = true;
}

} // namespace qv
