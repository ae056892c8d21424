#include "core/plot/PlotRoutine.h"

#include "core/Errors.h"
#include "core/VectorState.h"
#include "core/format/DateText.h"
#include "core/format/FormatMask.h"
#include "core/model/BusyPointer.h"
#include "core/model/Prompter.h"
#include "core/model/Session.h"
#include "core/plot/Annotations.h"
#include "core/plot/ChartBounds.h"
#include "core/plot/PlotMapping.h"
#include "core/plot/ProbabilityRange.h"
#include "core/plot/TextMeasurer.h"
#include "core/plot/ValueAxis.h"
#include "core/stats/StatsMessages.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <new>

namespace qv {

namespace {

using enum Ctl;

constexpr std::array<const char*, ProbabilityTickCount> GaussianTickLabels{
    "0.001", "0.01", "0.1", "1", "10", "50", "90", "99", "99.9", "99.99", "99.999"};
constexpr std::array<const char*, ProbabilityTickCount> StudentTickLabels{
    "", "0.01", "0.1", "1", "10", "50", "90", "99", "99.9", "99.99", ""};

constexpr std::array<double, 5> TitleSizeOffsets{-8, -4, -2, 0, 4};
constexpr std::array<double, 5> LabelSizes{8, 10, 12, 14, 16};
constexpr std::array<double, 9> PlotSizeFactors{0.6, 0.8, 0.9, 0.95, 1.0, 1.05, 1.1, 1.2, 1.4};

constexpr const char* UncertaintyBarLogText =
    "Uncertainty bars contain zero or negative values.  Please delete these data points before "
    "turning on log scale.";
constexpr const char* NonPositiveTsText =
    "Negative or zero data values. Please delete these values before plotting a log scale.";
constexpr const char* AxisIntervalText =
    "Axis Interval is a zero or negative value.  Please reload data and change to a positive value.";

std::chrono::year_month_day systemToday()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

double pickSize(const std::array<double, 5>& sizes, int index, double fallback)
{
    return index >= 0 && index < 5 ? sizes[static_cast<std::size_t>(index)] : fallback;
}

// Thrown by a phase that has shown a log-axis message: the drawing starts again
// from the top with the linear axis.
class Restart
{
};

} // namespace

// The state of one drawing, shared by its phases.
struct PlotRoutine::Drawing
{
    // Fonts, from the chart font and the screen.
    std::string face;
    FontSpec footerFont;
    FontSpec windowFont;
    FontSpec labelFont;
    FontSpec referenceFont; // the Ts marker's and the limit lines' labels
    double titleSizeOffset = 0;
    double screenFactor = 1;

    // The probability axis.
    ProbabilityScale scale = ProbabilityScale::Gaussian;
    std::array<double, ProbabilityTickCount> tickPositions{};
    ProbabilityRange range;

    // The value axis and the plot area's coordinates.
    bool logAxis = false;
    ValueRange values;
    TwipsRect plot;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    double symbolUnit = 0; // x units
    double aspect = 0;     // y units of the same screen length as one x unit
    double footerLineHeight = 0;
    double lastValueLabelWidth = 0;
    std::vector<TwipsRect> referenceLabels; // where the reference labels were printed

    StatsInputs inputs;

    double xspan() const { return xmax - xmin; }
    PlotMapping mapping() const { return {plot, xmin, xmax, ymin, ymax}; }
};

PlotRoutine::PlotRoutine(Session& session, Prompter& prompter, const TextMeasurer& measurer)
    : today(systemToday), m_session(session), m_prompter(prompter), m_measurer(measurer)
{
}

PlotRoutine::~PlotRoutine() = default;

void PlotRoutine::setBusy(bool on)
{
    if (m_busy) {
        m_busy->setBusy(on);
    }
}

void PlotRoutine::clear()
{
    m_scene.clear();
    Placements& p = m_session.placements;
    p.statsBox.visible = p.overlayStats.visible = false;
    p.plotText.visible = p.overlayText.visible = false;
    m_scene.placements = p;
    for (SetResults& set : m_results.sets) {
        set.statsBox = set.plotText = set.tsLabel = set.percentLabel = std::nullopt;
    }
    m_results.limitLabels.clear();
}

void PlotRoutine::moveItem(MovableItem item, double left, double top)
{
    if (item == MovableItem::StatsBox) {
        m_statsBoxAtDefault = false;
    }
    for (Placements* p : {&m_session.placements, &m_scene.placements}) {
        p->item(item).left = left;
        p->item(item).top = top;
    }
}

void PlotRoutine::say(const std::string& text, const std::string& title, MessageIcon icon)
{
    const std::pair<std::string, std::string> message{text, title};
    const auto before = std::find(m_saidBefore.begin(), m_saidBefore.end(), message);
    if (before != m_saidBefore.end()) {
        m_saidBefore.erase(before);
    } else {
        m_prompter.message(text, title, icon);
    }
    m_saidNow.push_back(message);
}

DrawOutcome PlotRoutine::refreshPlot()
{
    Settings& s = m_session.settings;
    const int size = s.group(frmPageSetup_optPlotSize);
    if (size >= 0 && size < static_cast<int>(PlotSizeFactors.size())) {
        m_plotSizeFactor = PlotSizeFactors[static_cast<std::size_t>(size)];
    }
    m_session.window.graphFontBold = s.check(frmPageSetup_chkBoldFont) == 1;
    m_session.window.titleFontBold = s.check(frmPageSetup_chkGraphTitleBold) == 1;
    if (!resizePlotArea(m_layout, m_plotSizeFactor)) {
        m_prompter.message(PlotSizeRefusedText, PlotSizeRefusedTitle, MessageIcon::Information);
    }
    s.selectGroup(frmPageSetup_optPlotSize, 4);
    return drawPlot();
}

DrawOutcome PlotRoutine::drawPlot()
{
    DrawOutcome outcome = DrawOutcome::Drawn;
    m_saidBefore.clear();
    m_saidNow.clear();
    // A restart with the linear axis draws again from the top; the interrupted
    // drawing does nothing more, and what it said is not said again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (drawOnce(outcome) == Pass::Done) {
            break;
        }
        m_saidBefore.insert(m_saidBefore.end(), m_saidNow.begin(), m_saidNow.end());
        m_saidNow.clear();
    }
    m_scene.placements = m_session.placements;
    return outcome;
}

PlotRoutine::Pass PlotRoutine::drawOnce(DrawOutcome& outcome)
{
    Settings& s = m_session.settings;
    outcome = DrawOutcome::Drawn;
    Drawing d;
    // The statistics and the scene are computed at full speed after the window's work.
    clearUpperVectorState();
    try {
        beginFrameAndFonts(d);
        chooseProbabilityRange(d);
        const SetStatistics& main = runStatistics(d, 1);
        // The upper limit reads 0 while the limit lines are off.
        if (s.check(PlotOpts_LimitLines) != 1) {
            s.setText(PlotOpts_ULimit, "0");
        }
        if (!scaleValueAxis(d, main)) {
            say(AxisIntervalText, std::string(DatasetErrorTitle), MessageIcon::None);
            setBusy(false);
            outcome = DrawOutcome::Stopped;
            return Pass::Done;
        }
        drawFooter(d);
        drawPlotFrame(d);
        drawPoints(d, 1, std::clamp(s.dataSymbolCode(), 1, 3));
        drawDistributionLine(d, main);
        drawZeroLine(d);
        showTitle(d);
        drawProbabilityAxis(d);
        drawValueAxis(d, main);
        placeValueAxisLabel(d);
        drawBoxesAndReferenceLines(d, 1);
        warnOutOfRange(d, 1);
        m_session.sources.placeBoxesPending = false;
        setBusy(false);
        if (m_session.sources.overlayLoaded) {
            drawOverlay(d);
        }
        return Pass::Done;
    } catch (const Restart&) {
        setBusy(false);
        s.selectButton(PlotOpts_LinearY);
        clear();
        return Pass::Restart;
    } catch (const std::bad_alloc&) {
        clear();
        m_session.placements.yLabel.visible = false;
        m_prompter.message(unexpectedErrorText(ErrorCode::OutOfMemory, ErrorPrefix::Joined),
                           "Graphing Error", MessageIcon::Exclamation);
        setBusy(false);
        outcome = DrawOutcome::Failed;
        return Pass::Done;
    } catch (const QvError& e) {
        clear();
        m_session.placements.yLabel.visible = false;
        m_prompter.message(unexpectedErrorText(e.code(), ErrorPrefix::Joined), "Graphing Error",
                           MessageIcon::Exclamation);
        setBusy(false);
        outcome = DrawOutcome::Failed;
        return Pass::Done;
    }
}

// Frame and fonts: makes the chart commands available, takes the chart font,
// empties the chart, shows the busy pointer and sizes the fonts to the screen.
// The movable items get their fonts here; their places stay.
void PlotRoutine::beginFrameAndFonts(Drawing& d)
{
    Settings& s = m_session.settings;
    m_session.menus.set({Menu::mnuPageSetup, Menu::mnuRefresh, Menu::mnuCopy, Menu::mnuPrint,
                         Menu::HiliteUnhilite, Menu::SaveAs, Menu::mnuSaveGraph},
                        true);
    m_session.window.graphFontName = s.text(frmPageSetup_cboFont);
    d.face = m_session.window.graphFontName;
    clear();
    reserveScene();
    m_results = DrawingResults{};
    m_scene.windowWidth = m_layout.windowWidth;
    m_scene.windowHeight = m_layout.windowHeight;
    m_scene.plotArea = m_layout.plotArea;
    setBusy(true);

    d.screenFactor = m_layout.screenFactor();
    d.titleSizeOffset = pickSize(TitleSizeOffsets, s.group(frmPageSetup_optPlotTitleFontsize), -2);
    const double labelSize = pickSize(LabelSizes, s.group(frmPageSetup_optYAxisLabelFontsize), 12);
    d.footerFont = {d.face, chartPointSize(6 * d.screenFactor), m_session.window.graphFontBold};
    d.windowFont = {d.face, chartPointSize(10 * d.screenFactor), m_session.window.graphFontBold};
    d.labelFont = {d.face, labelSize, s.check(frmPageSetup_chkYBold) == 1};
    d.referenceFont = {d.face, chartPointSize(6 * d.screenFactor), m_session.window.graphFontBold};

    Placements& p = m_session.placements;
    const FontSpec boxFont{d.face, chartPointSize(8 * d.screenFactor),
                           m_session.window.graphFontBold};
    for (Placement* box : {&p.statsBox, &p.overlayStats, &p.plotText, &p.overlayText}) {
        box->font = boxFont;
    }
    p.yLabel.font = d.labelFont;
}

// Room in the scene for the symbols of both sets and what is drawn around them,
// so that the list of primitives does not outgrow itself, copying all it holds,
// while a hundred thousand symbols go in.
void PlotRoutine::reserveScene()
{
    // Room for the frame, ticks, labels, reference lines and confidence dots.
    constexpr std::size_t Headroom = 4096;
    const Settings& s = m_session.settings;
    auto points = static_cast<std::size_t>(std::max(m_session.set(1).pointCount, 0));
    if (m_session.sources.overlayLoaded) {
        points += static_cast<std::size_t>(std::max(m_session.set(2).pointCount, 0));
    }
    // A triangle is three lines (the overlay's symbol follows the main one's);
    // an uncertainty bar is one more.
    const int symbol = std::clamp(s.dataSymbolCode(), 1, 3);
    const bool triangles = symbol == 3 || (m_session.sources.overlayLoaded && symbol == 2);
    const std::size_t perPoint =
        (triangles ? 3u : 1u) + (s.check(PlotOpts_ErrorBars) == 1 ? 1u : 0u);
    m_scene.primitives.reserve(points * perPoint + Headroom);
}

// Probability axis, first part: its tick positions and its range from the
// number of enabled points of the main set and the Axes Options range.
void PlotRoutine::chooseProbabilityRange(Drawing& d)
{
    const Settings& s = m_session.settings;
    d.scale = s.selected(PlotOpts_Tdist) ? ProbabilityScale::StudentT : ProbabilityScale::Gaussian;
    const int enabled = m_session.set(1).enabledCount;
    d.tickPositions = probabilityTickPositions(d.scale, enabled);
    d.range = probabilityRange(d.scale, enabled, s.xRangeNines());
    d.xmin = d.range.xmin;
    d.xmax = d.range.xmax;
    d.plot = m_layout.plotArea;
    d.logAxis = s.selected(PlotOpts_LogY);

    d.inputs.scale = d.scale;
    d.inputs.axis = d.logAxis ? ValueScale::Log : ValueScale::Linear;
    d.inputs.backgroundValue = s.number(PlotOpts_BkgValue);
    d.inputs.consumerRiskZ = s.consumerRiskZ();
    d.inputs.ltpdZ = s.ltpdZ();
    d.inputs.xmin = d.xmin;
    d.inputs.xmax = d.xmax;
}

// Statistics of one set: its points and numbers. A non-positive value on a log
// axis shows its message and restarts the drawing.
const SetStatistics& PlotRoutine::runStatistics(Drawing& d, int setNumber)
{
    SetResults& r = m_results.sets[static_cast<std::size_t>(setNumber - 1)];
    const DataSet& set = m_session.set(setNumber);
    r.points.reserve(static_cast<std::size_t>(set.pointCount));
    StatsInputs inputs = d.inputs;
    inputs.positions =
        &m_positions[static_cast<std::size_t>(setNumber - 1)].positions(set.enabledCount, d.scale);
    StatisticsOutcome result = statisticsPass(set, inputs, r.points);
    if (result.status == StatisticsStatus::NonPositiveOnLogAxis) {
        say(std::string(NonPositiveLogValueText), std::string(DatasetErrorTitle),
            MessageIcon::None);
        throw Restart{};
    }
    r.statistics = *result.statistics;
    return *r.statistics;
}

// Value axis, first part: its range and tick step, automatic (written back to
// the Axes Options fields for Manual to start from) or as typed. False when the
// step is 0 or less; a plot area without height raises QvError 5.
bool PlotRoutine::scaleValueAxis(Drawing& d, const SetStatistics& main)
{
    Settings& s = m_session.settings;
    bool scaled = false;
    if (s.selected(AxesOpts_Auto)) {
        AutoScaleInputs in;
        in.logAxis = d.logAxis;
        in.minPlot = main.minPlot;
        in.maxPlot = main.maxPlot;
        in.mean = main.mean;
        in.sigma = main.sigma;
        in.ts = main.ts;
        in.n = main.n;
        in.xmax = d.xmax;
        in.limitLines = s.check(PlotOpts_LimitLines) == 1;
        in.upperLimit = s.number(PlotOpts_ULimit);
        in.testStatistic = s.check(PlotOpts_TestStatistic) == 1;
        scaled = autoScale(in, d.values);
        if (scaled) {
            s.setText(AxesOpts_YscaleMin, scaleText(d.values.ymin, d.logAxis));
            s.setText(AxesOpts_YscaleMax, scaleText(d.values.ymax, d.logAxis));
            s.setText(AxesOpts_TickInterval, scaleText(d.values.ytick, d.logAxis));
        }
    } else {
        scaled = manualScale(d.logAxis, s.number(AxesOpts_YscaleMin), s.number(AxesOpts_YscaleMax),
                             s.number(AxesOpts_TickInterval), d.values);
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
    m_scene.windowTexts.push_back({d.plot.left, top, m_session.sources.titlePath, d.footerFont});
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

// Points of one set inside the plot area, as circles (1), squares (2) or
// triangles (3), filled when hilited, with their uncertainty bars when those
// are on. A bar reaching 0 on a log axis shows its message and restarts the drawing.
void PlotRoutine::drawPoints(Drawing& d, int setNumber, int symbol)
{
    const bool errorBars = m_session.settings.check(PlotOpts_ErrorBars) == 1;
    const auto& points = m_results.sets[static_cast<std::size_t>(setNumber - 1)].points;
    const double r = d.symbolUnit;
    const double a = d.aspect;
    auto& out = m_scene.primitives;
    for (const PlotPoint& p : points) {
        const double x = p.position;
        const double y = p.value;
        if (x < d.xmin || x > d.xmax || y < d.ymin || y > d.ymax) {
            continue;
        }
        switch (symbol) {
        case 2:
            out.emplace_back(SceneBox{x - r, y - r * a, x + r, y + r * a, p.hilited, 1});
            break;
        case 3: {
            const double half = 1.16 * r;
            const double apex = y + r * a;
            const double base = y - r * a;
            out.emplace_back(SceneLine{x - half, base, x, apex});
            out.emplace_back(SceneLine{x, apex, x + half, base});
            out.emplace_back(SceneLine{x + half, base, x - half, base});
            if (p.hilited) {
                for (int k = 1; k <= 20; ++k) {
                    const double yk = apex - 1.732 * a * r * k / 20;
                    const double w = half * k / 20;
                    out.emplace_back(SceneLine{x - w, yk, x + w, yk});
                }
            }
            break;
        }
        default:
            out.emplace_back(SceneCircle{x, y, r, p.hilited});
        }
        if (!errorBars) {
            continue;
        }
        if (d.logAxis) {
            const double v = std::pow(10.0, y);
            if (v - p.sigma <= 0) {
                say(UncertaintyBarLogText, std::string(DatasetErrorTitle), MessageIcon::None);
                throw Restart{};
            }
            out.emplace_back(SceneLine{x, qv::log10(v - p.sigma), x, qv::log10(v + p.sigma)});
        } else {
            out.emplace_back(SceneLine{x, y - p.sigma, x, y + p.sigma});
        }
    }
}

// The distribution line of a set: mean and sigma across the whole probability axis.
void PlotRoutine::drawDistributionLine(const Drawing& d, const SetStatistics& set)
{
    m_scene.primitives.emplace_back(
        SceneLine{d.xmin, set.mean - d.xmax * set.sigma, d.xmax, set.mean + d.xmax * set.sigma});
}

// The zero line, when the value axis spans 0.
void PlotRoutine::drawZeroLine(const Drawing& d)
{
    if (d.ymin < 0 && d.ymax > 0) {
        m_scene.primitives.emplace_back(SceneLine{d.xmin, 0, d.xmax, 0});
    }
}

// The title centred over the plot area; an empty title setting leaves the last
// title shown.
void PlotRoutine::showTitle(const Drawing& d)
{
    const Settings& s = m_session.settings;
    const std::string& title = s.text(PlotOpts_PlotTitle);
    if (!title.empty()) {
        m_lastTitle.caption = title;
        m_lastTitle.font = FontSpec{d.face, chartPointSize(12 * d.screenFactor + d.titleSizeOffset),
                                    m_session.window.titleFontBold};
    }
    if (!m_lastTitle.caption.empty()) {
        m_lastTitle.font.family = d.face;
        m_lastTitle.width = m_measurer.textWidth(m_lastTitle.caption, m_lastTitle.font);
        m_lastTitle.height = m_measurer.textHeight(m_lastTitle.caption, m_lastTitle.font);
        m_lastTitle.left = d.plot.left + (d.plot.width - m_lastTitle.width) / 2;
        m_lastTitle.top = std::max(0.0, d.plot.top - m_lastTitle.height - 120);
        m_lastTitle.visible = true;
    }
    m_scene.title = m_lastTitle;
}

// Probability axis: its caption below the plot area, tick marks on the bottom
// and top edges, and the percent labels under the visible ticks.
void PlotRoutine::drawProbabilityAxis(Drawing& d)
{
    const Settings& s = m_session.settings;
    std::string caption = "Cumulative Probability (%)";
    if (s.selected(PlotOpts_NormalDist)) {
        caption += " - Gaussian Distribution";
    } else if (s.selected(PlotOpts_Tdist)) {
        caption += " - Student's t Distribution";
    }
    const double captionWidth = m_measurer.textWidth(caption, d.windowFont);
    const double captionHeight = m_measurer.textHeight(caption, d.windowFont);
    m_scene.windowTexts.push_back({d.plot.left + (d.plot.width - captionWidth) / 2,
                                   d.plot.bottom() + 1.4 * captionHeight, caption, d.labelFont});
    m_results.xCaption = caption;

    const auto& labels =
        d.scale == ProbabilityScale::Gaussian ? GaussianTickLabels : StudentTickLabels;
    const PlotMapping mapping = d.mapping();
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
    m_results.xmin = d.xmin;
    m_results.xmax = d.xmax;
}

// Value axis: tick marks on the left and right edges and the labels, in the
// mask of the Axes Options, left of the plot area.
void PlotRoutine::drawValueAxis(Drawing& d, const SetStatistics& main)
{
    const Settings& s = m_session.settings;
    const std::string mask =
        valueLabelMask(d.values, s.group(AxesOpts_Yprecision) != 1, s.number(AxesOpts_Yplaces),
                       !s.selected(AxesOpts_Stdformat), main.mean);
    const PlotMapping mapping = d.mapping();
    const double markLength = 0.0178 * d.xspan();
    for (double v : valueTickValues(d.values, d.logAxis)) {
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
    Placement& label = m_session.placements.yLabel;
    label.caption = m_session.settings.text(PlotOpts_YAxisLabel);
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
        const PlotMapping mapping = *mappingOf(m_scene);
        return {mapping.xToTwips(d.xmin + 0.036 * d.xspan()),
                mapping.yToTwips(d.ymax - 0.05 * (d.ymax - d.ymin))};
    }
    const Placement& design = designPlacements(d.plot).item(item);
    return {design.left, design.top};
}

// Shows a box of the plot area with its caption, sized to it. A box that would
// lie wholly outside the plot area (a smaller plot area, a bad stored place)
// goes back to its default place, where it can be seen and dragged.
void PlotRoutine::showBox(const Drawing& d, MovableItem item, const std::string& caption)
{
    Placement& box = m_session.placements.item(item);
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
    Placement& box = m_session.placements.statsBox;
    if (!m_statsBoxAtDefault || !box.visible) {
        return;
    }
    const PlotMapping mapping = d.mapping();
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
    const Settings& s = m_session.settings;
    if (setNumber == 1 && m_session.sources.placeBoxesPending) {
        m_statsBoxAtDefault = !(m_session.sources.projectFileFlag && !m_session.sources.pasteMode);
        if (!m_statsBoxAtDefault) {
            const PlotMapping mapping = *mappingOf(m_scene);
            Placement& box = m_session.placements.statsBox;
            box.left = mapping.xToTwips(m_session.sources.savedPositions[3]);
            box.top = mapping.yToTwips(m_session.sources.savedPositions[2]);
        }
    }
    if (setNumber == 1 && m_statsBoxAtDefault) {
        // Until the user moves it, the box starts from its default place at
        // every drawing and makes way for the labels.
        const TwipsPoint place = defaultPlace(d, MovableItem::StatsBox);
        m_session.placements.statsBox.left = place.x;
        m_session.placements.statsBox.top = place.y;
    }
    if (s.check(PlotOpts_Statistics) != 1) {
        return;
    }
    SetResults& r = m_results.sets[static_cast<std::size_t>(setNumber - 1)];
    StatsBoxOptions options;
    options.count = s.check(StatsForm_NumData) == 1;
    options.min = s.check(StatsForm_chkMin) == 1;
    options.mean = s.check(StatsForm_Mean) == 1;
    options.max = s.check(StatsForm_chkMax) == 1;
    options.sigma = s.check(StatsForm_StdDev) == 1;
    options.ts = s.check(StatsForm_TS) == 1;
    options.autoDigits = s.group(StatsForm_StatsPrecision) != 1;
    options.typedDigits = s.number(StatsForm_Digits);
    options.standardFormat = s.selected(AxesOpts_Stdformat);
    options.overlay = setNumber == 2;
    options.title =
        s.text(setNumber == 1 ? StatsForm_txtMainStatBoxTitle : StatsForm_txtOverlayStatBoxTitle);
    const std::string caption = statsBoxCaption(*r.statistics, options, d.ymin);
    showBox(d, setNumber == 1 ? MovableItem::StatsBox : MovableItem::OverlayStats, caption);
    r.statsBox = caption;
}

// The free text of a set, shown while its setting holds text. After a project
// file is opened the main set's text first goes to the place the file stored.
void PlotRoutine::drawFreeText(Drawing& d, int setNumber)
{
    if (setNumber == 1 && m_session.sources.placeBoxesPending &&
        m_session.sources.projectFileFlag) {
        const PlotMapping mapping = *mappingOf(m_scene);
        Placement& text = m_session.placements.plotText;
        text.top = mapping.yToTwips(m_session.sources.savedPositions[0]);
        text.left = mapping.xToTwips(m_session.sources.savedPositions[1]);
    }
    const std::string& text =
        m_session.settings.text(setNumber == 1 ? PlotOpts_PlotText : PlotOpts_OverlayText);
    if (text.empty()) {
        return;
    }
    showBox(d, setNumber == 1 ? MovableItem::PlotText : MovableItem::OverlayText, text);
    m_results.sets[static_cast<std::size_t>(setNumber - 1)].plotText = text;
}

// Prints a label of the reference lines with its top left corner at (x, y),
// chart units. A label that would cover one printed before it (the Ts values
// and the limits all stand at the left edge) moves right, past it.
void PlotRoutine::printReferenceLabel(Drawing& d, double x, double y, const std::string& text)
{
    const PlotMapping mapping = d.mapping();
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
    if (m_session.settings.check(PlotOpts_TestStatistic) != 1) {
        return;
    }
    SetResults& r = m_results.sets[static_cast<std::size_t>(setNumber - 1)];
    const SetStatistics& st = *r.statistics;
    double height = st.shownTs;
    if (d.logAxis) {
        if (!(st.shownTs > 0)) {
            say(NonPositiveTsText, std::string(DatasetErrorTitle), MessageIcon::None);
            throw Restart{};
        }
        height = qv::log10(st.shownTs);
    }
    auto& out = m_scene.primitives;
    out.emplace_back(SceneLine{d.xmin, height, st.k, height, 1, LineStyle::Dotted});
    out.emplace_back(SceneLine{st.k, height, st.k, d.ymin, 1, LineStyle::Dotted});

    const PlotMapping mapping = d.mapping();
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
    printReferenceLabel(d, st.k + 0.1 * width, d.ymin - height4, label);
    r.tsLabel = value;
    r.percentLabel = label;
}

// The upper-limit lines, solid across the chart at UL, 90 % and 50 % of it
// (their logarithms on a log axis), each under its own check box and labelled
// just above its left end. A limit of 0 draws none; a negative one on a log axis
// has no logarithm and ends the drawing through the error trap.
void PlotRoutine::drawLimitLines(Drawing& d)
{
    const Settings& s = m_session.settings;
    const double limit = s.check(PlotOpts_LimitLines) == 1 ? s.number(PlotOpts_ULimit) : 0.0;
    if (limit == 0) {
        return;
    }
    const struct
    {
        Ctl check;
        LimitLine line;
    } rows[] = {{PlotOpts_UL_Line, LimitLine::Upper},
                {PlotOpts_NinetyLine, LimitLine::Ninety},
                {PlotOpts_FiftyLine, LimitLine::Fifty}};
    std::array<double, 3> heights{};
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const double value = limitValue(rows[i].line, limit);
        heights[i] = d.logAxis ? qv::log10(value) : value;
    }
    const double textHeight =
        m_measurer.textHeight(" UL ", d.referenceFont) * d.mapping().unitsPerTwipY();
    for (std::size_t i = 0; i < heights.size(); ++i) {
        if (s.check(rows[i].check) != 1) {
            continue;
        }
        const std::string label = limitLabel(rows[i].line, limit);
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
    const Settings& s = m_session.settings;
    if (s.check(PlotOpts_LSQfit) != 1) {
        return;
    }
    SetResults& r = m_results.sets[static_cast<std::size_t>(setNumber - 1)];
    const int n = r.statistics->n;
    const bool weighted = s.weightedFit() == 1;
    if (const auto message = zeroUncertaintyMessage(r.points, n, weighted)) {
        say(std::string(message->text), std::string(message->title), MessageIcon::None);
    }
    r.fit = leastSquaresFit(r.points, n, weighted).fit;
    const FitResult& fit = *r.fit;
    auto& out = m_scene.primitives;
    out.emplace_back(SceneLine{d.xmin, fittedValue(fit, d.xmin), d.xmax, fittedValue(fit, d.xmax),
                               1, LineStyle::Dotted});
    const int level = s.confidenceLevel();
    if (level == 0) {
        return;
    }
    for (const ConfidenceSample& sample : confidenceCurves(fit, n, level, d.xmin, d.xmax)) {
        out.emplace_back(ScenePixel{sample.x, sample.upper});
        out.emplace_back(ScenePixel{sample.x, sample.lower});
    }
}

// One warning per set and direction when its points reach beyond the axes.
void PlotRoutine::warnOutOfRange(const Drawing& d, int setNumber)
{
    const auto& points = m_results.sets[static_cast<std::size_t>(setNumber - 1)].points;
    if (points.empty()) {
        return;
    }
    const auto warn = [this](const char* text) {
        say(text, "Graph Warning", MessageIcon::Exclamation);
        m_results.warnings.emplace_back(text);
    };
    if (points.front().position < d.xmin || points.back().position > d.xmax) {
        warn("One or more x-values out of range");
    }
    if (points.front().value < d.ymin || points.back().value > d.ymax) {
        warn("One or more y-values out of range");
    }
}

// Overlay: the second set in the main set's coordinates, with its footer line,
// the next symbol of the cycle, its distribution line, free text, statistics
// box, Ts marker, fit and warnings.
void PlotRoutine::drawOverlay(Drawing& d)
{
    const SetStatistics& overlay = runStatistics(d, 2);
    m_scene.windowTexts.push_back({d.plot.left, d.plot.bottom() + 5 * d.footerLineHeight,
                                   m_session.sources.overlayPath, d.footerFont});
    const int mainSymbol = std::clamp(m_session.settings.dataSymbolCode(), 1, 3);
    drawPoints(d, 2, mainSymbol % 3 + 1);
    drawDistributionLine(d, overlay);
    drawBoxesAndReferenceLines(d, 2);
    warnOutOfRange(d, 2);
    m_session.sources.placeBoxesPending = false;
}

} // namespace qv
