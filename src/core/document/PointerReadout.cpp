#include "core/document/PointerReadout.h"

#include "core/document/ChartDocument.h"
#include "core/document/PointEditor.h"
#include "core/format/DecisionNumber.h"
#include "core/format/NumberText.h"
#include "core/format/RoundSignificant.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

const char* const Separator = " \u00b7 ";

// The index range of the points whose `key` lies in [low, high], the points
// ascending by that key.
template <class Key>
std::pair<std::size_t, std::size_t> rangeOf(const std::vector<PlotPoint>& points, double low,
                                            double high, Key key)
{
    const auto first = std::partition_point(points.begin(), points.end(),
                                            [&](const PlotPoint& p) { return key(p) < low; });
    const auto last = std::partition_point(first, points.end(),
                                           [&](const PlotPoint& p) { return key(p) <= high; });
    return {static_cast<std::size_t>(first - points.begin()),
            static_cast<std::size_t>(last - points.begin())};
}

} // namespace

PointerReadout::PointerReadout(const ChartDocument& document)
{
    const DrawingResults& results = document.plot().results();
    m_scale = results.xScale;
    m_dof = results.xDegreesOfFreedom;
    m_log = results.logValueAxis;
    if (!results.xAxisDone || !results.yAxisDone ||
        (m_scale == ProbabilityScale::StudentT && m_dof < 1)) {
        return;
    }
    m_geometry = mappingOf(document.scene());
    for (int number = 1; number <= 2; ++number) {
        SetPoints& set = m_sets[static_cast<std::size_t>(number - 1)];
        set.points = &results.sets[static_cast<std::size_t>(number - 1)].points;
        set.data = &document.session().set(number);
        set.name = number == 1 ? "point" : "overlay point";
        const DataSet& data = *set.data;
        for (std::size_t i = 0; i < data.states.size(); ++i) {
            if (isEnabledState(data.states[i])) {
                set.dataIndex.push_back(static_cast<int>(i));
            }
        }
        // Points of another load than the drawing's are not named after it.
        if (set.dataIndex.size() != set.points->size() || data.values.size() != data.states.size()) {
            set.dataIndex.clear();
        }
        const auto& p = *set.points;
        set.sorted = std::ranges::is_sorted(p, {}, &PlotPoint::position) &&
                     std::ranges::is_sorted(p, {}, &PlotPoint::value);
    }
}

double PointerReadout::probabilityAt(double x) const
{
    return m_scale == ProbabilityScale::StudentT ? studentTCdf(x, m_dof) : normalCdf(x);
}

std::string PointerReadout::textAt(const TwipsRect& device, double left, double top) const
{
    if (!m_geometry) {
        return {};
    }
    const ChartGeometry geometry = m_geometry->onDevice(device);
    const auto at = geometry.deviceToChart(left, top);
    if (!at) {
        return {};
    }
    const auto valueAt = [&](double y) { return m_log ? std::pow(10.0, y) : y; };
    const double value = valueAt(at->y);
    const double pixelStep = std::fabs(valueAt(geometry.deviceToY(top + 1.0)) - value);
    std::string text = readoutValue(value, pixelStep) + " at " +
                       readoutPercent(probabilityAt(at->x)) + " %";
    std::optional<Nearest> nearest;
    for (const SetPoints& set : m_sets) {
        nearestIn(set, geometry, left, top, nearest);
    }
    if (nearest) {
        text += Separator + pointText(*nearest);
    }
    return text;
}

void PointerReadout::nearestIn(const SetPoints& set, const ChartGeometry& geometry, double left,
                               double top, std::optional<Nearest>& best) const
{
    if (!set.points || set.points->empty()) {
        return;
    }
    const auto& points = *set.points;
    const double r = ReadoutPointRadius;
    std::size_t first = 0;
    std::size_t last = points.size();
    // Positions and values both ascend with the rank, so the points within
    // the square round the pointer are one run of ranks, found by halving.
    if (set.sorted) {
        // minmax of a list returns values: the two-argument form would return
        // references to the temporaries.
        const auto [xLow, xHigh] =
            std::minmax({geometry.deviceToX(left - r), geometry.deviceToX(left + r)});
        const auto [yLow, yHigh] =
            std::minmax({geometry.deviceToY(top - r), geometry.deviceToY(top + r)});
        const auto across = rangeOf(points, xLow, xHigh, [](const PlotPoint& p) { return p.position; });
        const auto down = rangeOf(points, yLow, yHigh, [](const PlotPoint& p) { return p.value; });
        first = std::max(across.first, down.first);
        last = std::min(across.second, down.second);
    }
    for (std::size_t i = first; i < last; ++i) {
        const double dx = geometry.xToDevice(points[i].position) - left;
        const double dy = geometry.yToDevice(points[i].value) - top;
        const double distance2 = dx * dx + dy * dy;
        if (distance2 <= r * r && (!best || distance2 < best->distance2)) {
            best = Nearest{&set, i, distance2};
        }
    }
}

std::string PointerReadout::pointText(const Nearest& nearest) const
{
    const SetPoints& set = *nearest.set;
    std::string text = std::string(set.name) + " " + std::to_string(nearest.index + 1) + " of " +
                       std::to_string(set.points->size());
    if (set.dataIndex.empty()) {
        return text;
    }
    const int index = set.dataIndex[nearest.index];
    text += ", " + editorValueText(set.data->values[static_cast<std::size_t>(index)]);
    const std::string line = sourceLineText(*set.data, index);
    if (!line.empty()) {
        text += ", line " + line;
    }
    return text;
}

std::string readoutValue(double value, double pixelStep)
{
    if (!std::isfinite(value)) {
        return plainText(value);
    }
    const auto magnitude = [](double v) { return static_cast<int>(std::floor(std::log10(v))); };
    int digits = 4;
    if (value != 0.0 && pixelStep > 0.0 && std::isfinite(pixelStep)) {
        digits = std::max(digits, magnitude(std::fabs(value)) - magnitude(pixelStep) + 1);
    }
    // Rounded by magnitude: the rounding rule keeps a negative number one digit more.
    return plainText(std::copysign(roundSignificant(std::fabs(value), std::min(digits, 15)), value));
}

std::string readoutPercent(double p)
{
    const double tail = 100.0 * std::min(p, 1.0 - p);
    if (!(tail > 0.0)) {
        return p < 0.5 ? "0" : "100";
    }
    const int decimals = std::clamp(2 - static_cast<int>(std::floor(std::log10(tail))), 1, 12);
    return decisionNumber(100.0 * p, decimals, 1);
}

} // namespace qv
