#include "core/plot/ChartLayout.h"

namespace qv {

namespace {
// Design margins around the plot area: room for the value labels and the turned
// axis label on the left, the title above, the tick labels, caption and footer below.
constexpr double PlotLeft = 1800;
constexpr double PlotTop = 900;
constexpr double PlotWidth = 7500;
constexpr double PlotHeight = 5100;
constexpr double RightMargin = 600;
constexpr double BottomMargin = 1500;
constexpr double TitleTop = 240;
} // namespace

ChartLayout designLayout(double screenWidthTwips, double screenHeightTwips)
{
    ChartLayout layout;
    layout.screenWidthTwips = screenWidthTwips;
    layout.screenHeightTwips = screenHeightTwips;
    layout.plotArea = {PlotLeft, PlotTop, PlotWidth * screenWidthTwips / DesignScreenWidthTwips,
                       PlotHeight * screenHeightTwips / DesignScreenHeightTwips};
    layout.titleTop = TitleTop;
    fitWindowToPlotArea(layout);
    return layout;
}

void fitWindowToPlotArea(ChartLayout& layout)
{
    layout.windowWidth = layout.plotArea.right() + RightMargin;
    layout.windowHeight = layout.plotArea.bottom() + BottomMargin;
}

} // namespace qv
