#pragma once
// The plot routine: clears the chart and draws it again from the data sets and
// the settings, producing a Scene and the messages of the drawing. Every picture
// of the chart comes from here: the window, printing, copying and batch export.

#include "core/plot/ChartLayout.h"
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

class Session;
class Prompter;
class TextMeasurer;

enum class DrawOutcome {
    Drawn,   // complete, warnings allowed
    Stopped, // ended by its own message (the axis-interval stop)
    Failed,  // the general error trap cleared the chart
};

// What a drawing computed, for the report.
struct SetResults
{
    std::vector<PlotPoint> points;
    std::optional<SetStatistics> statistics;
    std::optional<FitResult> fit;
};

struct DrawingResults
{
    bool xAxisDone = false;
    double xmin = 0, xmax = 0;
    std::string xCaption;
    std::vector<std::string> xTickLabels;
    std::vector<double> xTickPositions;

    bool yAxisDone = false;
    double ymin = 0, ymax = 0, ytick = 0;
    std::string labelMask;
    std::vector<std::string> yTickLabels;

    std::array<SetResults, 2> sets; // set 1, set 2
};

class PlotRoutine
{
public:
    PlotRoutine(Session& session, Prompter& prompter, const TextMeasurer& measurer);

    // Clears and draws the whole chart. A non-positive value on a log axis shows
    // its message, selects the linear axis and draws again from the top.
    DrawOutcome drawPlot();
    // The one-time resize of Page Setup and its bold choices, then drawPlot.
    DrawOutcome refreshPlot();

    const Scene& scene() const { return m_scene; }
    const DrawingResults& results() const { return m_results; }
    ChartLayout& layout() { return m_layout; }
    const ChartLayout& layout() const { return m_layout; }
    // Empties the chart (the window's repaint-and-clear after a load).
    void clear();

    // Today's date for the footer; the system's local date unless replaced.
    std::function<std::chrono::year_month_day()> today;

private:
    enum class Pass { Done, Restart };
    Pass drawOnce(DrawOutcome& outcome);

    Session& m_session;
    Prompter& m_prompter;
    const TextMeasurer& m_measurer;
    ChartLayout m_layout;
    Scene m_scene;
    DrawingResults m_results;
    WindowLabel m_lastTitle; // the title stays as it was when the setting is emptied
    double m_plotSizeFactor = 0;
};

} // namespace qv
