// The plot routine's points: the statistics of a set, its symbols and
// uncertainty bars, its distribution line, the zero line, the out-of-range
// warnings and the overlay.

#include "core/model/Session.h"
#include "core/plot/PlotDrawing.h"
#include "core/stats/StatsMessages.h"

#include <cmath>

namespace qv {

namespace {

constexpr const char* UncertaintyBarLogText =
    "Uncertainty bars contain zero or negative values.  Please delete these data points before "
    "turning on log scale.";

} // namespace

// Statistics of one set: its points and numbers. A non-positive value on a log
// axis shows its message and restarts the drawing.
const SetStatistics& PlotRoutine::runStatistics(Drawing& d, int setNumber)
{
    SetResults& r = m_results.sets[static_cast<std::size_t>(setNumber - 1)];
    const DataSet& set = m_session.set(setNumber);
    r.points.reserve(static_cast<std::size_t>(set.pointCount));
    StatsInputs inputs = d.inputs;
    // Two sets of one size share their positions: the other set's table serves when it has them.
    const std::vector<double>* shared =
        m_positions[static_cast<std::size_t>(2 - setNumber)].held(set.enabledCount, d.scale);
    inputs.positions = shared ? shared
                              : &m_positions[static_cast<std::size_t>(setNumber - 1)].positions(
                                    set.enabledCount, d.scale);
    StatisticsOutcome result = statisticsPass(set, inputs, r.points);
    if (result.status == StatisticsStatus::NonPositiveOnLogAxis) {
        say(std::string(NonPositiveLogValueText), std::string(DatasetErrorTitle),
            MessageIcon::None);
        throw PlotRestart{};
    }
    r.statistics = *result.statistics;
    return *r.statistics;
}

// Points of one set inside the plot area, as circles (1), squares (2) or
// triangles (3), filled when hilited, with their uncertainty bars when those
// are on. A bar reaching 0 on a log axis shows its message and restarts the drawing.
void PlotRoutine::drawPoints(Drawing& d, int setNumber, int symbol)
{
    const bool errorBars = d.o.errorBars;
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
                throw PlotRestart{};
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
    const int mainSymbol = d.o.dataSymbol;
    drawPoints(d, 2, mainSymbol % 3 + 1);
    drawDistributionLine(d, overlay);
    drawBoxesAndReferenceLines(d, 2);
    warnOutOfRange(d, 2);
    m_placeBoxes = false;
}

} // namespace qv
