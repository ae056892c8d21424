#include "core/plot/ChartBounds.h"

namespace qv {

namespace {
// Rounding of repeated factors (0.6 * 0.8 * ...) must not refuse a size on the bound itself.
constexpr double Slack = 1e-9;
} // namespace

double chartPointSize(double points)
{
    return points >= 1.0 ? points : 1.0;
}

bool resizePlotArea(ChartLayout& layout, double factor)
{
    if (!(factor > 0)) {
        return false;
    }
    if (factor == 1.0) {
        return true;
    }
    const TwipsRect design =
        designLayout(layout.screenWidthTwips, layout.screenHeightTwips).plotArea;
    const double width = layout.plotArea.width * factor;
    const double height = layout.plotArea.height * factor;
    const bool tooSmall = width < design.width / 4 * (1 - Slack) ||
                          height < design.height / 4 * (1 - Slack);
    const bool tooLarge = width > layout.screenWidthTwips * (1 + Slack) ||
                          height > layout.screenHeightTwips * (1 + Slack);
    if (tooSmall || tooLarge) {
        return false;
    }
    layout.plotArea.height = height;
    layout.plotArea.width = width;
    fitWindowToPlotArea(layout);
    return true;
}

} // namespace qv
