// The option dialogs' rules without the widgets: the opener's walk through the
// switches, OK and Cancel with their checks of the scale, and the one-time resize of
// Page Setup.
#include "ChartHarness.h"
#include "core/document/OptionDialogs.h"
#include "core/plot/ChartBounds.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <tuple>
#include <vector>

namespace qv {
namespace {

using enum Ctl;

// A host whose user leaves each dialog as scripted; it remembers the dialogs it showed.
struct ScriptedHost : OptionDialogHost
{
    std::deque<DialogExit> exits;
    std::vector<OptionDialog> shown;
    DialogExit showModal(OptionDialog dialog) override
    {
        shown.push_back(dialog);
        const DialogExit exit = exits.front();
        exits.pop_front();
        return exit;
    }
};

struct LoadedDocument : test::Document
{
    LoadedDocument() : Document(designLayout(15360, 11520))
    {
        s.resetOptions();
        session.set(1) = test::makeSet({1, 2, 3, 4, 5});
        session.menus.set(Menu::Options_File, true);
    }
};

// The options after a data file with a scale typed (no tick: left as it is).
Settings scale(bool log, const char* min, const char* max, const char* tick, bool manual)
{
    Settings s;
    s.resetOptions();
    s.selectButton(log ? PlotOpts_LogY : PlotOpts_LinearY);
    if (manual) {
        s.selectButton(AxesOpts_Manual);
    }
    s.setText(AxesOpts_YscaleMin, min);
    s.setText(AxesOpts_YscaleMax, max);
    if (tick) {
        s.setText(AxesOpts_TickInterval, tick);
    }
    return s;
}

TEST(OptionDialogs, OpenerWalksTheSwitchesFlatAndRedrawsOnceOnlyAfterAFinalOk)
{
    using enum DialogExit;
    using D = OptionDialog;
    // clang-format off
    const struct { const char* name; D first; std::vector<DialogExit> exits; std::vector<D> shown;
                   int drawings; } cases[] = {
        {"Graph, OK", D::Graph, {Ok}, {D::Graph}, 1},
        {"Graph, Cancel", D::Graph, {Cancel}, {D::Graph}, 0},
        {"Graph, Axes, Graph, Stats, Graph, Cancel", D::Graph, {ToAxes, ToGraph, ToStatsBox, ToGraph, Cancel},
         {D::Graph, D::Axes, D::Graph, D::StatsBox, D::Graph}, 0},
        {"Axes to Graph to Stats, OK", D::Axes, {ToGraph, ToStatsBox, Ok}, {D::Axes, D::Graph, D::StatsBox}, 1},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedDocument d;
        ScriptedHost host;
        host.exits.assign(c.exits.begin(), c.exits.end());
        EXPECT_EQ(openOptionDialogs(d.document, host, c.first), c.drawings == 1);
        EXPECT_EQ(host.shown, c.shown);
        EXPECT_EQ(d.draws, c.drawings);
    }
    // Before a load nothing is shown and nothing drawn.
    test::Document empty;
    ScriptedHost host;
    host.exits = {DialogExit::Ok};
    for (OptionDialog first : {OptionDialog::Graph, OptionDialog::Axes}) {
        EXPECT_FALSE(openOptionDialogs(empty.document, host, first));
    }
    EXPECT_TRUE(host.shown.empty());
    EXPECT_FALSE(empty.session.menus.enabled(Menu::SaveAs));
    EXPECT_FALSE(empty.document.scene().coordinatesSet);
}

TEST(AxesOptions, OkRefusesAScaleThatCannotBeDrawnWithItsMessage)
{
    // Each row: the scale typed, on a log axis or not, and what the user is told (null: accepted).
    const std::tuple<const char*, const char*, const char*, bool, const char*> cases[] = {
        {"5", "5", "1", false, InvalidScaleText},
        {"0", "0", "0", false, InvalidScaleText}, // before any drawing, whatever the scaling
        {"0", "10", "10", false, InvalidTickText},
        {"0", "10", "9.99", false, nullptr},
        {"1", "10", "10", true, nullptr}, // the tick is not checked on a log axis
        {"abc", "5", "1", false, nullptr}, // "abc" reads as 0
    };
    for (const auto& [min, max, tick, log, said] : cases) {
        SCOPED_TRACE(std::string(min) + " / " + max + " / " + tick);
        Settings s = scale(log, min, max, tick, false);
        ScriptedPrompter prompter;
        EXPECT_EQ(axesOptionsOk(s, prompter), said == nullptr);
        EXPECT_EQ(test::said(prompter),
                  said ? test::Lines{std::string("Axes Options Error: ") + said} : test::Lines{});
        if (said) {
            EXPECT_EQ(prompter.messages.at(0).icon, MessageIcon::Exclamation);
        }
    }
}

TEST(OptionDialogs, LogAxisGuardOfGraphOkAndAxesCancelFallsBackToTheAutomaticScale)
{
    // Each row: a log axis or not, the scale's ends and whether the automatic scale is taken.
    const std::tuple<bool, const char*, const char*, bool> cases[] = {
        {true, "0", "10", true},   {true, "1", "0", true},     {true, "1", "10", false},
        {false, "0", "10", false}, {false, "-5", "-1", false},
    };
    for (const auto& [log, min, max, toAuto] : cases) {
        for (bool graphOk : {true, false}) {
            SCOPED_TRACE(std::string(min) + " / " + max + (log ? " log" : " linear") +
                         (graphOk ? ", Graph Options OK" : ", Axes Options Cancel"));
            Settings s = scale(log, min, max, nullptr, true);
            graphOk ? graphOptionsOk(s) : axesOptionsCancel(s);
            EXPECT_EQ(s.selected(AxesOpts_Auto), toAuto);
            // The automatic scale's handler ran: the manual fields are off.
            EXPECT_EQ(s.enabled(AxesOpts_YscaleMin), !toAuto);
        }
    }
}

TEST(PageSetup, OneTimeResizeStaysBetweenAQuarterOfTheDesignSizeAndTheScreen)
{
    // The optPlotSize buttons chosen before each refresh.
    const struct { const char* name; std::vector<int> buttons; double widthFactor; int refused; } cases[] = {
        {"enlarge 40% then reduce 40%", {8, 0}, 1.4 * 0.6, 0},
        {"a third reduction would leave less than a quarter", {0, 0, 0}, 0.36, 1},
        {"a second enlargement would pass the screen", {8, 8}, 1.4, 1},
        {"enlarge 20% once, then keep it", {7, 4}, 1.2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedDocument d;
        const double designWidth = d.document.plot().layout().plotArea.width;
        for (int button : c.buttons) {
            d.document.settings().selectGroup(frmPageSetup_optPlotSize, button);
            d.document.refreshPlot();
            EXPECT_EQ(d.document.settings().group(frmPageSetup_optPlotSize), 4);
        }
        const ChartLayout& layout = d.document.plot().layout();
        EXPECT_NEAR(layout.plotArea.width, designWidth * c.widthFactor, 1e-6);
        EXPECT_NEAR(layout.windowWidth - layout.plotArea.width,
                    designLayout(15360, 11520).windowWidth - designWidth, 1e-6);
        EXPECT_EQ(std::ssize(d.prompter.messages), c.refused);
        for (const RecordedMessage& m : d.prompter.messages) {
            EXPECT_EQ(m.text, PlotSizeRefusedText);
        }
    }
}

} // namespace
} // namespace qv
