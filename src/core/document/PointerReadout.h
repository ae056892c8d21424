#pragma once
// What the mouse pointer rests on in the plot area, as one line of text: the
// value and the cumulative probability under it in the axes' own scales
// ("2.534 at 62.4 %"), and, near a point, that point's rank, value and file
// line ("2.534 at 62.4 % · point 17 of 30, 2.531, line 19"). Read from one
// drawing: make a new readout after every drawing.

#include "core/plot/ChartGeometry.h"
#include "core/stats/Distributions.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class ChartDocument;
struct DataSet;
struct PlotPoint;

// How close the pointer must come to a point, in device pixels, to name it.
inline constexpr double ReadoutPointRadius = 5.0;

class PointerReadout
{
public:
    // The document's last drawing and its sets; the document must outlive the
    // readout and draw nothing new while it is used. Costs one pass over the
    // points' states.
    explicit PointerReadout(const ChartDocument& document);

    // The text for the pointer at (left, top) on a plot area painted into
    // `device` (device pixels); empty when the pointer is outside the plot
    // area or the drawing set no axes.
    std::string textAt(const TwipsRect& device, double left, double top) const;

    // The cumulative probability at chart x: normalCdf on the Gaussian axis,
    // studentTCdf with the drawing's degrees of freedom on Student's t.
    double probabilityAt(double x) const;

private:
    struct SetPoints
    {
        const std::vector<PlotPoint>* points = nullptr;
        const DataSet* data = nullptr;
        std::vector<int> dataIndex; // the data set's index of each plotted point
        bool sorted = false;        // positions and values both ascending
        const char* name = "point";
    };
    struct Nearest
    {
        const SetPoints* set = nullptr;
        std::size_t index = 0;
        double distance2 = 0;
    };

    void nearestIn(const SetPoints& set, const ChartGeometry& geometry, double left, double top,
                   std::optional<Nearest>& best) const;
    std::string pointText(const Nearest& nearest) const;

    std::optional<ChartGeometry> m_geometry;
    ProbabilityScale m_scale = ProbabilityScale::Gaussian;
    int m_dof = 0;
    bool m_log = false;
    std::array<SetPoints, 2> m_sets;
};

// A value under the pointer: four significant digits, or as many as it takes
// to tell apart values `pixelStep` apart (one pixel of the axis), at most 15;
// 2.53412 reads "2.534", 999.99996 "1000".
std::string readoutValue(double value, double pixelStep);

// A cumulative probability as a percentage with three significant digits of
// its nearer tail: 0.624 reads "62.4", 0.000123 "0.0123", 0.99987 "99.9870".
std::string readoutPercent(double p);

} // namespace qv
