#pragma once
// The state one drawing shares between the phases of the plot routine, which
// are defined in several files by job. Only those files include this header.

#include "core/plot/ChartGeometry.h"
#include "core/plot/PlotRoutine.h"
#include "core/plot/ProbabilityRange.h"
#include "core/plot/ValueAxis.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

struct PlotRoutine::Drawing
{
    explicit Drawing(const PlotOptions& options) : o(options) {}

    const PlotOptions& o;

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
    ChartGeometry mapping() const { return {plot, xmin, xmax, ymin, ymax}; }
};

// Thrown by a phase that has asked for a log-axis message: the drawing starts
// again from the top with the linear axis.
class PlotRestart
{
};

} // namespace qv
