#pragma once
// The options a drawing reads, taken from the settings and the session's fonts
// once at its start, so that the plot routine never reads or writes the
// settings store while it draws.

#include "core/model/Settings.h"
#include "core/plot/Annotations.h"

#include <string>

namespace qv {

class Session;

// A number setting as it was read: its value, or the error its text raises
// (QvError 13 for a text that is no number, 6 beyond the largest double), which
// value() raises where the drawing uses the number, as reading it there would.
class NumberSetting
{
public:
    NumberSetting() = default;
    explicit NumberSetting(double value) : m_value(value) {}
    static NumberSetting read(const Settings& settings, Ctl id);
    double value() const;

private:
    double m_value = 0;
    int m_error = 0;
};

struct PlotOptions
{
    // Plot Options: the probability and value scales.
    bool studentT = false;
    bool gaussianCaption = false; // the Gaussian button itself is selected
    bool logAxis = false;
    NumberSetting backgroundValue;
    double consumerRiskZ = 0;
    double ltpdZ = 0;
    int xRangeNines = 0;
    int dataSymbol = 1; // 1 circle, 2 square, 3 triangle
    bool errorBars = false;

    // Plot Options: what is drawn over the points.
    bool statistics = false;
    bool testStatistic = false;
    bool limitLines = false;
    NumberSetting upperLimit;
    int limitSides = 0; // PlotOpts.LimitSides: 0 upper, 1 lower, 2 both
    NumberSetting lowerLimit;
    bool upperLine = false, ninetyLine = false, fiftyLine = false;
    bool lsqFit = false;
    bool weightedFit = false;
    int confidenceLevel = 0;
    std::string title;
    std::string valueAxisLabel;
    std::string plotText;
    std::string overlayText;

    // Axes Options: the value axis.
    bool autoScale = true;
    NumberSetting scaleMin, scaleMax, tickInterval;
    bool autoPlaces = true;
    NumberSetting places;
    bool standardFormat = true;

    // Statistics Options: the boxes' lines and digits (title and overlay per box).
    StatsBoxOptions statsBox; // its typed digits read from statsDigits where used
    NumberSetting statsDigits;
    std::string mainBoxTitle;
    std::string overlayBoxTitle;

    // Page Setup and the window's fonts.
    std::string fontName;
    bool graphBold = false;
    bool titleBold = false;
    int titleSizeGroup = -1;
    int labelSizeGroup = -1;
    bool labelBold = false;
    int plotSizeGroup = -1;
    bool pageGraphBold = false; // the check boxes Refresh Plot takes the bold fonts from
    bool pageTitleBold = false;
};

// Whether the limit lines hold a lower limit: ticked, and the lower side limited.
// A lower limit of 0 is a limit like any other.
inline bool lowerLimited(const PlotOptions& o)
{
    return o.limitLines && (o.limitSides == 1 || o.limitSides == 2);
}

// Reads the options of one drawing from the session's settings and fonts.
PlotOptions readPlotOptions(const Session& session);

} // namespace qv
