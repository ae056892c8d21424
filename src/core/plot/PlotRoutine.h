#pragma once
// The plot routine: clears the chart and draws it again from the data sets and
// a snapshot of the options, producing a Scene and a draw report (the settings
// to write back, the menu states, the messages) that the chart document
// applies. Every picture of the chart comes from here: the window, printing,
// copying and batch export.

#include "core/plot/BoxDrag.h"
#include "core/plot/ChartLayout.h"
#include "core/plot/DrawReport.h"
#include "core/plot/PlotOptions.h"
#include "core/plot/Scene.h"
#include "core/stats/LeastSquaresFit.h"
#include "core/stats/StatisticsPass.h"

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class BusyPointer;
class Session;
class TextMeasurer;

// What a drawing computed, for the report.
struct SetResults
{
    std::vector<PlotPoint> points;
    std::optional<SetStatistics> statistics;
    std::optional<FitResult> fit;
    // The texts shown for the set in this drawing; nothing when not shown.
    std::optional<std::string> statsBox; // the statistics box's caption, lines separated by "\r"
    std::optional<std::string> plotText; // the free text
    std::optional<std::string> tsLabel;  // " Ts = 7.09"
    std::optional<std::string> percentLabel; // "<- 0.49% ->"
};

struct DrawingResults
{
    bool xAxisDone = false;
    double xmin = 0, xmax = 0;
    std::string xCaption;
    std::vector<std::string> xTickLabels;
    std::vector<double> xTickPositions;
    // How the probability axis is spaced: its scale and, for Student's t, the
    // degrees of freedom (the main set's enabled points less 2).
    ProbabilityScale xScale = ProbabilityScale::Gaussian;
    int xDegreesOfFreedom = 0;

    bool yAxisDone = false;
    double ymin = 0, ymax = 0, ytick = 0;
    std::string labelMask;
    std::vector<std::string> yTickLabels;
    bool logValueAxis = false; // y holds decimal logarithms of the axis' values

    std::array<SetResults, 2> sets; // set 1, set 2
    std::vector<std::string> limitLabels; // the limit lines' labels, upper ones first
    std::vector<std::string> warnings;    // the out-of-range warnings of this drawing
};

class PlotRoutine
{
public:
    // Draws from `session`, which it never writes; `shown` are the session's
    // placements, which only clear() and moveItem() change.
    PlotRoutine(const Session& session, Placements& shown, const TextMeasurer& measurer);
    ~PlotRoutine();
    PlotRoutine(const PlotRoutine&) = delete;
    PlotRoutine& operator=(const PlotRoutine&) = delete;

    // Clears and draws the whole chart. A non-positive value on a log axis asks
    // for its message and the linear axis and draws again from the top.
    DrawReport drawPlot();
    // The one-time resize of Page Setup and its bold choices, then drawPlot.
    DrawReport refreshPlot();

    const Scene& scene() const { return m_scene; }
    const DrawingResults& results() const { return m_results; }
    ChartLayout& layout() { return m_layout; }
    const ChartLayout& layout() const { return m_layout; }
    // Empties the chart and hides the movable boxes, here and in the session's
    // placements (the window's repaint-and-clear after a load).
    void clear();

    // Moves a movable item to (left, top), window twips, where the user dropped
    // it; the scene and the session's placements show it there at once,
    // without a new drawing.
    void moveItem(MovableItem item, double left, double top);

    // Shows the busy pointer while a drawing runs; none by default.
    void setBusyPointer(BusyPointer* pointer) { m_busy = pointer; }

    // Today's date for the footer; the system's local date unless replaced.
    std::function<std::chrono::year_month_day()> today;

private:
    struct Drawing;
    enum class Pass { Done, Restart };

    DrawReport draw(PlotOptions options);
    Pass drawOnce(PlotOptions& options);
    // The general error trap: clears the chart and asks for the error message.
    void fail(int code);
    void setBusy(bool on);
    // Empties the scene and the results and hides the movable boxes of the scene.
    void clearScene();
    // Makes room in the scene for every symbol of the sets loaded.
    void reserveScene(const PlotOptions& options);

    // The phases of one drawing, in drawing order.
    void beginFrameAndFonts(Drawing& d);
    void chooseProbabilityRange(Drawing& d);
    const SetStatistics& runStatistics(Drawing& d, int setNumber);
    bool scaleValueAxis(Drawing& d, const SetStatistics& main);
    void drawFooter(Drawing& d);
    void drawPlotFrame(Drawing& d);
    void drawPoints(Drawing& d, int setNumber, int symbol);
    void drawDistributionLine(const Drawing& d, const SetStatistics& set);
    void drawZeroLine(const Drawing& d);
    void showTitle(const Drawing& d);
    void drawProbabilityAxis(Drawing& d);
    void drawValueAxis(Drawing& d, const SetStatistics& main);
    void placeValueAxisLabel(Drawing& d);
    void drawBoxesAndReferenceLines(Drawing& d, int setNumber);
    void drawStatsBox(Drawing& d, int setNumber);
    void drawFreeText(Drawing& d, int setNumber);
    void drawTsMarker(Drawing& d, int setNumber);
    void drawLimitLines(Drawing& d);
    void drawFit(Drawing& d, int setNumber);
    void showBox(const Drawing& d, MovableItem item, const std::string& caption);
    void keepLabelsInSight(const Drawing& d);
    void printReferenceLabel(Drawing& d, double x, double y, const std::string& text);
    TwipsPoint defaultPlace(const Drawing& d, MovableItem item) const;
    // Shows a message of the drawing, unless a drawing interrupted by a restart
    // already showed it.
    void say(const std::string& text, const std::string& title, MessageIcon icon);
    // Asks the document to show a message, in its turn among the other changes.
    void tell(const std::string& text, const std::string& title, MessageIcon icon);
    void warnOutOfRange(const Drawing& d, int setNumber);
    void drawOverlay(Drawing& d);

    const Session& m_session;
    Placements& m_shown;
    const TextMeasurer& m_measurer;
    // The report of the drawing under way; its placements are the scene's.
    DrawReport m_report;
    // A load asked for the boxes to go to their places; cleared once they went.
    bool m_placeBoxes = false;
    BusyPointer* m_busy = nullptr;
    ChartLayout m_layout;
    Scene m_scene;
    DrawingResults m_results;
    std::array<PositionTable, 2> m_positions; // of set 1 and set 2
    double m_plotSizeFactor = 1;
    // The main statistics box stands at its default place: placed there by a
    // load and not moved since.
    bool m_statsBoxAtDefault = false;
    // Messages of the present attempt and of the interrupted ones before it.
    std::vector<std::pair<std::string, std::string>> m_saidNow, m_saidBefore;
};

} // namespace qv
