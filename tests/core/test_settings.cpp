#include "core/model/Session.h"
#include "core/model/Settings.h"
#include "core/model/StartUp.h"

#include <gtest/gtest.h>

#include <set>

namespace qv {
namespace {

using enum Ctl;

TEST(Settings, StartsWithNoOptionSelectedUntilTheFirstReset)
{
    Settings s;
    for (Ctl g : {PlotOpts_CR, PlotOpts_LTPD, PlotOpts_ConfInterval, PlotOpts_weighting,
                  AxesOpts_NumNines, AxesOpts_DataSymbol, AxesOpts_Yprecision,
                  StatsForm_StatsPrecision}) {
        SCOPED_TRACE(controlInfo(g).name);
        EXPECT_EQ(s.group(g), -1);
    }
    EXPECT_FALSE(s.selected(PlotOpts_LinearY));
    EXPECT_FALSE(s.selected(PlotOpts_LogY));
    EXPECT_EQ(s.consumerRiskZ(), 0);
    EXPECT_EQ(s.text(PlotOpts_PlotText), " ");
    EXPECT_FALSE(s.enabled(PlotOpts_ULimit));
    EXPECT_TRUE(s.enabled(PlotOpts_MoreStats));
    EXPECT_FALSE(s.enabled(AxesOpts_YscaleMin));
}

TEST(Settings, ResetPutsEveryDefaultAndDerivedValueInPlace)
{
    Settings s;
    s.setCheck(PlotOpts_LimitLines, 1);
    s.setText(PlotOpts_ULimit, "100");
    s.setCheck(PlotOpts_FiftyLine, 1);
    s.setCheck(StatsForm_chkMin, 0);
    s.setText(StatsForm_txtMainStatBoxTitle, "Lot 7");
    s.setText(PlotOpts_YAxisLabel, "mm");
    s.selectButton(PlotOpts_LogY);
    s.resetOptions();

    const std::pair<Ctl, int> checksAndGroups[] = {
        {PlotOpts_LimitLines, 0}, {PlotOpts_Statistics, 1}, {PlotOpts_UL_Line, 1},
        {PlotOpts_ConfInterval, 3}, {PlotOpts_weighting, 1}, {PlotOpts_CR, 1}, {PlotOpts_LTPD, 1},
        {AxesOpts_NumNines, 0}, {StatsForm_StatsPrecision, 0},
        // Left alone by the reset.
        {PlotOpts_FiftyLine, 1}, {StatsForm_chkMin, 0}};
    for (auto [id, value] : checksAndGroups) {
        EXPECT_EQ(std::stoi(s.valueText(id)), value) << controlInfo(id).name;
    }
    for (Ctl id : {PlotOpts_NormalDist, PlotOpts_LinearY, AxesOpts_Auto, AxesOpts_Stdformat}) {
        EXPECT_TRUE(s.selected(id)) << controlInfo(id).name;
    }
    EXPECT_FALSE(s.selected(PlotOpts_LogY));
    EXPECT_EQ(s.text(PlotOpts_ULimit), "0");
    EXPECT_EQ(s.text(PlotOpts_PlotText), "");
    EXPECT_EQ(s.text(AxesOpts_TickInterval), "0");
    EXPECT_EQ(s.text(StatsForm_txtMainStatBoxTitle), "Lot 7");
    EXPECT_EQ(s.text(PlotOpts_YAxisLabel), "mm");

    EXPECT_DOUBLE_EQ(s.consumerRiskZ(), 1.28155);
    EXPECT_DOUBLE_EQ(s.ltpdZ(), 1.28155);
    EXPECT_EQ(s.confidenceLevel(), 0);
    EXPECT_EQ(s.weightedFit(), 0);
    EXPECT_EQ(s.xRangeNines(), 0);
    EXPECT_EQ(s.dataSymbolCode(), 1);

    // Unchecked limit lines, the automatic scale and automatic precisions disable their fields.
    for (Ctl id : {PlotOpts_ULimit, PlotOpts_FiftyLine, AxesOpts_YscaleMax, AxesOpts_TickLabel,
                   AxesOpts_Yplaces, StatsForm_Digits}) {
        EXPECT_FALSE(s.enabled(id)) << controlInfo(id).name;
    }
}

TEST(Settings, ClickHandlersKeepDerivedValuesAndEnabling)
{
    Settings s;
    s.resetOptions();

    const double riskZ[] = {1, 1.28155, 1.64485, 2.32635};
    for (int i = 0; i < 4; ++i) {
        s.selectGroup(PlotOpts_CR, i);
        s.selectGroup(PlotOpts_LTPD, 3 - i);
        EXPECT_DOUBLE_EQ(s.consumerRiskZ(), riskZ[i]);
        EXPECT_DOUBLE_EQ(s.ltpdZ(), riskZ[3 - i]);
    }
    const int confidence[] = {90, 95, 99, 0};
    for (int i = 0; i < 4; ++i) {
        s.selectGroup(PlotOpts_ConfInterval, i);
        EXPECT_EQ(s.confidenceLevel(), confidence[i]);
    }
    const int nines[] = {0, 2, 3, 4, 5};
    for (int i = 0; i < 5; ++i) {
        s.selectGroup(AxesOpts_NumNines, i);
        EXPECT_EQ(s.xRangeNines(), nines[i]);
    }
    s.selectGroup(AxesOpts_DataSymbol, 2);
    EXPECT_EQ(s.dataSymbolCode(), 3);
    s.selectGroup(PlotOpts_weighting, 0);
    EXPECT_EQ(s.weightedFit(), 1);

    // Background subtraction: off puts "0" back at once.
    s.setCheck(PlotOpts_BkgSubtraction, 1);
    EXPECT_TRUE(s.enabled(PlotOpts_BkgValue));
    s.setText(PlotOpts_BkgValue, "12");
    s.setCheck(PlotOpts_BkgSubtraction, 0);
    EXPECT_EQ(s.text(PlotOpts_BkgValue), "0");
    EXPECT_FALSE(s.enabled(PlotOpts_BkgLabel));

    // Limit lines keep their values when disabled.
    s.setCheck(PlotOpts_LimitLines, 1);
    s.setText(PlotOpts_ULimit, "50");
    s.setCheck(PlotOpts_NinetyLine, 1);
    s.setCheck(PlotOpts_LimitLines, 0);
    EXPECT_EQ(s.text(PlotOpts_ULimit), "50");
    EXPECT_EQ(s.check(PlotOpts_NinetyLine), 1);
    EXPECT_FALSE(s.enabled(PlotOpts_NinetyLine));

    // The fit enables the weighting only for data with an uncertainty column.
    s.setCheck(PlotOpts_LSQfit, 1);
    EXPECT_TRUE(s.enabled(PlotOpts_ConfInterval));
    EXPECT_FALSE(s.enabled(PlotOpts_WeightingFrame));
    s.setCheck(PlotOpts_LSQfit, 0);
    s.setCheck(FileChar_ErrorBars, 1);
    s.setCheck(PlotOpts_LSQfit, 1);
    EXPECT_TRUE(s.enabled(PlotOpts_WeightingFrame));
    EXPECT_TRUE(s.enabled(PlotOpts_weighting));
    s.setCheck(PlotOpts_LSQfit, 0);
    EXPECT_FALSE(s.enabled(PlotOpts_ConfidenceFrame));
    EXPECT_FALSE(s.enabled(PlotOpts_weighting));

    s.setCheck(PlotOpts_Statistics, 0);
    EXPECT_FALSE(s.enabled(PlotOpts_MoreStats));

    // Log puts 10 into the tick interval; Linear does not undo it, Manual does.
    s.selectButton(PlotOpts_LogY);
    EXPECT_EQ(s.text(AxesOpts_TickInterval), "10");
    EXPECT_FALSE(s.enabled(AxesOpts_TickInterval));
    s.selectButton(AxesOpts_Manual);
    EXPECT_TRUE(s.enabled(AxesOpts_YscaleMin));
    EXPECT_FALSE(s.enabled(AxesOpts_TickInterval));
    s.selectButton(PlotOpts_LinearY);
    EXPECT_FALSE(s.enabled(AxesOpts_TickInterval));
    s.selectButton(AxesOpts_Auto);
    s.selectButton(AxesOpts_Manual);
    EXPECT_TRUE(s.enabled(AxesOpts_TickInterval));

    s.selectGroup(StatsForm_StatsPrecision, 1);
    EXPECT_TRUE(s.enabled(StatsForm_Digits));
    EXPECT_TRUE(s.enabled(StatsForm_Places));
    s.selectGroup(AxesOpts_Yprecision, 1);
    EXPECT_TRUE(s.enabled(AxesOpts_Yplaces));
}

TEST(Settings, HandlersRunOnlyWhenTheValueChanges)
{
    Settings s;
    s.resetOptions();
    // Checking an already checked box does not rerun its handler: the
    // enabling that the user changed by hand stays.
    s.setEnabled(PlotOpts_MoreStats, false);
    s.setCheck(PlotOpts_Statistics, 1);
    EXPECT_FALSE(s.enabled(PlotOpts_MoreStats));
    // Selecting the selected button does nothing either.
    s.setText(AxesOpts_TickInterval, "2");
    s.selectButton(PlotOpts_LinearY);
    s.selectButton(PlotOpts_LogY);
    EXPECT_EQ(s.text(AxesOpts_TickInterval), "10");
    s.setText(AxesOpts_TickInterval, "3");
    s.selectButton(PlotOpts_LogY);
    EXPECT_EQ(s.text(AxesOpts_TickInterval), "3");
    // Unchecked background subtraction stays unchecked: its "0" is not forced again.
    s.setText(PlotOpts_BkgValue, "7");
    s.setCheck(PlotOpts_BkgSubtraction, 0);
    EXPECT_EQ(s.text(PlotOpts_BkgValue), "7");
}

TEST(Settings, TakesValuesByNameAndRefusesTheWrongKind)
{
    Settings s;
    s.setFontList({"DejaVu Sans", "Arial"});
    s.resetOptions();
    s.setFromText(*findControl("PlotOpts.TestStatistic"), "1");
    s.setFromText(*findControl("PlotOpts.CR"), "2");
    s.setFromText(*findControl("PlotOpts.LogY"), "1");
    s.setFromText(*findControl("PlotOpts.ULimit"), "100");
    s.setFromText(*findControl("frmPageSetup.cboFont"), "DejaVu Sans");
    EXPECT_EQ(s.check(PlotOpts_TestStatistic), 1);
    EXPECT_DOUBLE_EQ(s.consumerRiskZ(), 1.64485);
    EXPECT_TRUE(s.selected(PlotOpts_LogY));
    EXPECT_EQ(s.valueText(PlotOpts_LinearY), "false");
    EXPECT_EQ(s.text(PlotOpts_ULimit), "100");
    EXPECT_EQ(s.text(frmPageSetup_cboFont), "DejaVu Sans");

    for (auto [name, value] : {std::pair{"PlotOpts.TestStatistic", "2"}, {"PlotOpts.CR", "4"},
                               {"PlotOpts.CR", "x"}, {"PlotOpts.LogY", "yes"},
                               {"frmPageSetup.cboFont", "No Such Font"},
                               {"PlotOpts.MoreStats", "1"}}) {
        SCOPED_TRACE(std::string(name) + "=" + value);
        EXPECT_THROW(s.setFromText(*findControl(name), value), std::invalid_argument);
    }
    EXPECT_FALSE(findControl("PlotOpts.NoSuchThing").has_value());

    // Every name is spelled once, and every stored setting has its own line.
    std::set<std::string> names;
    std::set<int> lines;
    for (const auto& info : controlTable()) {
        EXPECT_TRUE(names.insert(info.name).second) << info.name;
        if (info.fileLine > 0 && info.kind != ControlKind::Group) {
            EXPECT_TRUE(lines.insert(info.fileLine).second) << info.name;
        }
    }
}

TEST(StartUp, SelectsArialOrItsTwinAndTheStartValues)
{
    Session withArial;
    startUp(withArial, {"Zapf", "Arial", "DejaVu Sans"}, "Liberation Sans");
    EXPECT_EQ(withArial.graphFontName, "Arial");
    EXPECT_TRUE(withArial.titleFontBold);
    EXPECT_FALSE(withArial.graphFontBold);
    EXPECT_EQ(withArial.settings.group(frmPageSetup_optPlotSize), 4);
    EXPECT_EQ(withArial.settings.group(frmPageSetup_optPlotTitleFontsize), 2);
    EXPECT_EQ(withArial.settings.group(frmPageSetup_optPrtOrientation), 0);
    EXPECT_TRUE(withArial.firstOpen);

    Session twin;
    startUp(twin, {"Zapf", "Liberation Sans", "DejaVu Sans"}, "Liberation Sans");
    EXPECT_EQ(twin.graphFontName, "Liberation Sans");
    Session neither;
    startUp(neither, {"Zapf", "DejaVu Sans"}, "Liberation Sans");
    EXPECT_EQ(neither.graphFontName, "Zapf");

    const MenuState& m = withArial.menus;
    for (Menu on : {Menu::mnuOpenFile, Menu::ExitProgram, Menu::FileEdit, Menu::PasteData,
                    Menu::mnuAbout}) {
        EXPECT_TRUE(m.enabled(on)) << menuName(on);
    }
    for (Menu off : {Menu::mnuPageSetup, Menu::mnuRefresh, Menu::mnuCopy, Menu::mnuPrint,
                     Menu::HiliteUnhilite, Menu::SaveAs, Menu::mnuSaveGraph, Menu::EnableDisable,
                     Menu::NewData, Menu::InputOverlayData, Menu::Options_File}) {
        EXPECT_FALSE(m.enabled(off)) << menuName(off);
    }
}

} // namespace
} // namespace qv
