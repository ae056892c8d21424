#include "core/plot/PlotOptions.h"

#include "core/Errors.h"
#include "core/model/Session.h"

#include <algorithm>

namespace qv {

using enum Ctl;

NumberSetting NumberSetting::read(const Settings& settings, Ctl id)
{
    NumberSetting number;
    try {
        number.m_value = settings.number(id);
    } catch (const QvError& e) {
        number.m_error = e.code();
    }
    return number;
}

double NumberSetting::value() const
{
    if (m_error != 0) {
        raise(m_error);
    }
    return m_value;
}

namespace {

bool checked(const Settings& s, Ctl id)
{
    return s.check(id) == 1;
}

void readStatsBox(const Settings& s, PlotOptions& o)
{
    StatsBoxOptions& box = o.statsBox;
    box.count = checked(s, StatsForm_NumData);
    box.min = checked(s, StatsForm_chkMin);
    box.mean = checked(s, StatsForm_Mean);
    box.max = checked(s, StatsForm_chkMax);
    box.sigma = checked(s, StatsForm_StdDev);
    box.ts = checked(s, StatsForm_TS);
    box.autoDigits = s.group(StatsForm_StatsPrecision) != 1;
    o.statsDigits = NumberSetting::read(s, StatsForm_Digits);
    box.standardFormat = s.selected(AxesOpts_Stdformat);
    o.mainBoxTitle = s.text(StatsForm_txtMainStatBoxTitle);
    o.overlayBoxTitle = s.text(StatsForm_txtOverlayStatBoxTitle);
}

void readPlotOpts(const Settings& s, PlotOptions& o)
{
    o.studentT = s.selected(PlotOpts_Tdist);
    o.gaussianCaption = s.selected(PlotOpts_NormalDist);
    o.logAxis = s.selected(PlotOpts_LogY);
    o.backgroundValue = NumberSetting::read(s, PlotOpts_BkgValue);
    o.consumerRiskZ = s.consumerRiskZ();
    o.ltpdZ = s.ltpdZ();
    o.xRangeNines = s.xRangeNines();
    o.dataSymbol = std::clamp(s.dataSymbolCode(), 1, 3);
    o.errorBars = checked(s, PlotOpts_ErrorBars);
    o.statistics = checked(s, PlotOpts_Statistics);
    o.testStatistic = checked(s, PlotOpts_TestStatistic);
    o.limitLines = checked(s, PlotOpts_LimitLines);
    o.upperLimit = NumberSetting::read(s, PlotOpts_ULimit);
    o.limitSides = s.group(PlotOpts_LimitSides);
    o.lowerLimit = NumberSetting::read(s, PlotOpts_LLimit);
    o.upperLine = checked(s, PlotOpts_UL_Line);
    o.ninetyLine = checked(s, PlotOpts_NinetyLine);
    o.fiftyLine = checked(s, PlotOpts_FiftyLine);
    o.lsqFit = checked(s, PlotOpts_LSQfit);
    o.weightedFit = s.weightedFit() == 1;
    o.confidenceLevel = s.confidenceLevel();
    o.title = s.text(PlotOpts_PlotTitle);
    o.valueAxisLabel = s.text(PlotOpts_YAxisLabel);
    o.plotText = s.text(PlotOpts_PlotText);
    o.overlayText = s.text(PlotOpts_OverlayText);
}

} // namespace

PlotOptions readPlotOptions(const Session& session)
{
    const Settings& s = session.settings;
    PlotOptions o;
    readPlotOpts(s, o);
    readStatsBox(s, o);
    o.autoScale = s.selected(AxesOpts_Auto);
    o.scaleMin = NumberSetting::read(s, AxesOpts_YscaleMin);
    o.scaleMax = NumberSetting::read(s, AxesOpts_YscaleMax);
    o.tickInterval = NumberSetting::read(s, AxesOpts_TickInterval);
    o.autoPlaces = s.group(AxesOpts_Yprecision) != 1;
    o.places = NumberSetting::read(s, AxesOpts_Yplaces);
    o.standardFormat = s.selected(AxesOpts_Stdformat);

    o.fontName = s.text(frmPageSetup_cboFont);
    o.graphBold = session.window.graphFontBold;
    o.titleBold = session.window.titleFontBold;
    o.titleSizeGroup = s.group(frmPageSetup_optPlotTitleFontsize);
    o.labelSizeGroup = s.group(frmPageSetup_optYAxisLabelFontsize);
    o.labelBold = checked(s, frmPageSetup_chkYBold);
    o.plotSizeGroup = s.group(frmPageSetup_optPlotSize);
    o.pageGraphBold = checked(s, frmPageSetup_chkBoldFont);
    o.pageTitleBold = checked(s, frmPageSetup_chkGraphTitleBold);
    return o;
}

} // namespace qv
