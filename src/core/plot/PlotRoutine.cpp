#include "core/plot/PlotRoutine.h"

#include "core/Errors.h"
#include "core/VectorState.h"
#include "core/model/BusyPointer.h"
#include "core/model/Session.h"
#include "core/plot/ChartBounds.h"
#include "core/plot/PlotDrawing.h"

#include <algorithm>
#include <ctime>
#include <new>

namespace qv {

namespace {

using enum Ctl;

constexpr std::array<double, 5> TitleSizeOffsets{-8, -4, -2, 0, 4};
constexpr std::array<double, 5> LabelSizes{8, 10, 12, 14, 16};
constexpr std::array<double, 9> PlotSizeFactors{0.6, 0.8, 0.9, 0.95, 1.0, 1.05, 1.1, 1.2, 1.4};

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

void hideBoxes(Placements& p)
{
    p.statsBox.visible = p.overlayStats.visible = false;
    p.plotText.visible = p.overlayText.visible = false;
}

} // namespace

PlotRoutine::PlotRoutine(const Session& session, Placements& shown, const TextMeasurer& measurer)
    : today(systemToday), m_session(session), m_shown(shown), m_measurer(measurer)
{
}

PlotRoutine::~PlotRoutine() = default;

void PlotRoutine::setBusy(bool on)
{
    if (m_busy) {
        m_busy->setBusy(on);
    }
}

void PlotRoutine::clearScene()
{
    m_scene.clear();
    hideBoxes(m_scene.placements);
    for (SetResults& set : m_results.sets) {
        set.statsBox = set.plotText = set.tsLabel = set.percentLabel = std::nullopt;
    }
    m_results.limitLabels.clear();
}

void PlotRoutine::clear()
{
    hideBoxes(m_shown);
    m_scene.placements = m_shown;
    clearScene();
}

void PlotRoutine::moveItem(MovableItem item, double left, double top)
{
    if (item == MovableItem::StatsBox) {
        m_statsBoxAtDefault = false;
    }
    for (Placements* p : {&m_shown, &m_scene.placements}) {
        p->item(item).left = left;
        p->item(item).top = top;
    }
}

void PlotRoutine::tell(const std::string& text, const std::string& title, MessageIcon icon)
{
    m_report.changes.emplace_back(MessageChange{text, title, icon});
}

void PlotRoutine::say(const std::string& text, const std::string& title, MessageIcon icon)
{
    const std::pair<std::string, std::string> message{text, title};
    const auto before = std::find(m_saidBefore.begin(), m_saidBefore.end(), message);
    if (before != m_saidBefore.end()) {
        m_saidBefore.erase(before);
    } else {
        tell(text, title, icon);
    }
    m_saidNow.push_back(message);
}

DrawReport PlotRoutine::refreshPlot()
{
    PlotOptions options = readPlotOptions(m_session);
    m_report = DrawReport{};
    const int size = options.plotSizeGroup;
    if (size >= 0 && size < static_cast<int>(PlotSizeFactors.size())) {
        m_plotSizeFactor = PlotSizeFactors[static_cast<std::size_t>(size)];
    }
    options.graphBold = options.pageGraphBold;
    options.titleBold = options.pageTitleBold;
    m_report.changes.emplace_back(BoldFontChange{options.graphBold, options.titleBold});
    if (!resizePlotArea(m_layout, m_plotSizeFactor)) {
        tell(PlotSizeRefusedText, PlotSizeRefusedTitle, MessageIcon::Information);
    }
    m_report.changes.emplace_back(SelectGroupChange{frmPageSetup_optPlotSize, 4});
    return draw(std::move(options));
}

DrawReport PlotRoutine::drawPlot()
{
    m_report = DrawReport{};
    return draw(readPlotOptions(m_session));
}

DrawReport PlotRoutine::draw(PlotOptions options)
{
    m_saidBefore.clear();
    m_saidNow.clear();
    m_placeBoxes = m_session.sources.placeBoxesPending;
    m_scene.placements = m_session.placements;
    // A restart with the linear axis draws again from the top; the interrupted
    // drawing does nothing more, and what it said is not said again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (drawOnce(options) == Pass::Done) {
            break;
        }
        m_saidBefore.insert(m_saidBefore.end(), m_saidNow.begin(), m_saidNow.end());
        m_saidNow.clear();
    }
    m_report.placements = m_scene.placements;
    m_report.boxesPlaced = m_session.sources.placeBoxesPending && !m_placeBoxes;
    return std::move(m_report);
}

void PlotRoutine::fail(int code)
{
    clearScene();
    m_scene.placements.yLabel.visible = false;
    tell(unexpectedErrorText(code, ErrorPrefix::Joined), "Graphing Error",
         MessageIcon::Exclamation);
    setBusy(false);
    m_report.outcome = DrawOutcome::Failed;
}

PlotRoutine::Pass PlotRoutine::drawOnce(PlotOptions& o)
{
    m_report.outcome = DrawOutcome::Drawn;
    Drawing d(o);
    // The statistics and the scene are computed at full speed after the window's work.
    clearUpperVectorState();
    try {
        beginFrameAndFonts(d);
        chooseProbabilityRange(d);
        const SetStatistics& main = runStatistics(d, 1);
        // The limits read 0 while the limit lines are off.
        if (!o.limitLines) {
            o.upperLimit = NumberSetting(0);
            m_report.changes.emplace_back(SetTextChange{PlotOpts_ULimit, "0"});
            o.lowerLimit = NumberSetting(0);
            m_report.changes.emplace_back(SetTextChange{PlotOpts_LLimit, "0"});
        }
        // A side that is not limited has no limit in this drawing; its text stays.
        if (o.limitSides == 1) {
            o.upperLimit = NumberSetting(0);
        }
        if (!scaleValueAxis(d, main)) {
            say(AxisIntervalText, std::string(DatasetErrorTitle), MessageIcon::None);
            setBusy(false);
            m_report.outcome = DrawOutcome::Stopped;
            return Pass::Done;
        }
        drawFooter(d);
        drawPlotFrame(d);
        drawPoints(d, 1, o.dataSymbol);
        drawDistributionLine(d, main);
        drawZeroLine(d);
        showTitle(d);
        drawProbabilityAxis(d);
        drawValueAxis(d, main);
        placeValueAxisLabel(d);
        drawBoxesAndReferenceLines(d, 1);
        warnOutOfRange(d, 1);
        m_placeBoxes = false;
        setBusy(false);
        if (m_session.sources.overlayLoaded) {
            drawOverlay(d);
        }
        return Pass::Done;
    } catch (const PlotRestart&) {
        setBusy(false);
        o.logAxis = false;
        m_report.changes.emplace_back(SelectButtonChange{PlotOpts_LinearY});
        clearScene();
        return Pass::Restart;
    } catch (const std::bad_alloc&) {
        fail(ErrorCode::OutOfMemory);
        return Pass::Done;
    } catch (const QvError& e) {
        fail(e.code());
        return Pass::Done;
    }
}

// Frame and fonts: makes the chart commands available, takes the chart font,
// empties the chart, shows the busy pointer and sizes the fonts to the screen.
// The movable items get their fonts here; their places stay.
void PlotRoutine::beginFrameAndFonts(Drawing& d)
{
    const PlotOptions& o = d.o;
    m_report.changes.emplace_back(
        MenuChange{{Menu::mnuPageSetup, Menu::mnuRefresh, Menu::mnuCopy, Menu::mnuPrint,
                    Menu::HiliteUnhilite, Menu::SaveAs, Menu::mnuSaveGraph},
                   true});
    m_report.changes.emplace_back(GraphFontChange{o.fontName});
    d.face = o.fontName;
    clearScene();
    reserveScene(o);
    m_results = DrawingResults{};
    m_scene.windowWidth = m_layout.windowWidth;
    m_scene.windowHeight = m_layout.windowHeight;
    m_scene.plotArea = m_layout.plotArea;
    setBusy(true);

    d.screenFactor = m_layout.screenFactor();
    d.titleSizeOffset = pickSize(TitleSizeOffsets, o.titleSizeGroup, -2);
    const double labelSize = pickSize(LabelSizes, o.labelSizeGroup, 12);
    d.footerFont = {d.face, chartPointSize(6 * d.screenFactor), o.graphBold};
    d.windowFont = {d.face, chartPointSize(10 * d.screenFactor), o.graphBold};
    d.labelFont = {d.face, labelSize, o.labelBold};
    d.referenceFont = {d.face, chartPointSize(6 * d.screenFactor), o.graphBold};

    Placements& p = m_scene.placements;
    const FontSpec boxFont{d.face, chartPointSize(8 * d.screenFactor), o.graphBold};
    for (Placement* box : {&p.statsBox, &p.overlayStats, &p.plotText, &p.overlayText}) {
        box->font = boxFont;
    }
    p.yLabel.font = d.labelFont;
}

// Room in the scene for the symbols of both sets and what is drawn around them,
// so that the list of primitives does not outgrow itself, copying all it holds,
// while a hundred thousand symbols go in.
void PlotRoutine::reserveScene(const PlotOptions& o)
{
    // Room for the frame, ticks, labels, reference lines and confidence dots.
    constexpr std::size_t Headroom = 4096;
    auto points = static_cast<std::size_t>(std::max(m_session.set(1).pointCount, 0));
    if (m_session.sources.overlayLoaded) {
        points += static_cast<std::size_t>(std::max(m_session.set(2).pointCount, 0));
    }
    // A triangle is three lines (the overlay's symbol follows the main one's);
    // an uncertainty bar is one more.
    const bool triangles = o.dataSymbol == 3 || (m_session.sources.overlayLoaded && o.dataSymbol == 2);
    const std::size_t perPoint = (triangles ? 3u : 1u) + (o.errorBars ? 1u : 0u);
    m_scene.primitives.reserve(points * perPoint + Headroom);
}

} // namespace qv
