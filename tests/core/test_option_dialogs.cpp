// The option dialogs' rules without the dialogs: the opener's loop, OK and
// Cancel, a user's click on a selected option button, the font list's order and
// the bounds of the one-time resize and of the chart's font sizes.
#include "core/document/ChartDocument.h"
#include "core/document/OptionDialogs.h"
#include "core/model/ScriptedPrompter.h"
#include "core/plot/ChartBounds.h"
#include "support/FixedPitchMeasurer.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace qv {
namespace {

using enum Ctl;

// A host whose user leaves each dialog as scripted, and which remembers the
// dialogs it showed.
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

struct CountingView : DocumentView
{
    int drawings = 0;
    void chartDrawn() override { ++drawings; }
};

// A document with a loaded lot of five points, drawn once.
struct LoadedDocument
{
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    ChartDocument document{prompter, measurer};
    CountingView view;

    LoadedDocument()
    {
        document.startUp(designLayout(15360, 11520), {"Arial"});
        document.settings().resetOptions();
        DataSet& set = document.session().set(1);
        set.values = {1, 2, 3, 4, 5};
        set.sigmas.assign(5, 0.0);
        set.states.assign(5, 1);
        set.pointCount = set.enabledCount = 5;
        document.session().menus.set(Menu::Options_File, true);
        document.setView(&view);
    }
    ~LoadedDocument() { document.setView(nullptr); }
};

TEST(OptionDialogs, OpenerWalksTheSwitchesFlatAndRedrawsOnceOnlyAfterAFinalOk)
{
    using enum DialogExit;
    using D = OptionDialog;
    const struct
    {
        const char* name;
        D first;
        std::vector<DialogExit> exits;
        std::vector<D> shown;
        int drawings;
    } cases[] = {
        {"Graph, OK", D::Graph, {Ok}, {D::Graph}, 1},
        {"Graph, Cancel", D::Graph, {Cancel}, {D::Graph}, 0},
        {"Graph to Axes, OK", D::Graph, {ToAxes, Ok}, {D::Graph, D::Axes}, 1},
        {"Graph, Axes, Graph, Stats, Graph, Cancel",
         D::Graph,
         {ToAxes, ToGraph, ToStatsBox, ToGraph, Cancel},
         {D::Graph, D::Axes, D::Graph, D::StatsBox, D::Graph},
         0},
        {"Axes to Graph to Stats, OK", D::Axes, {ToGraph, ToStatsBox, Ok},
         {D::Axes, D::Graph, D::StatsBox}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedDocument d;
        ScriptedHost host;
        host.exits.assign(c.exits.begin(), c.exits.end());
        EXPECT_EQ(openOptionDialogs(d.document, host, c.first), c.drawings == 1);
        EXPECT_EQ(host.shown, c.shown);
        EXPECT_EQ(d.view.drawings, c.drawings);
    }
}

TEST(OptionDialogs, OpenerShowsNothingAndDrawsNothingBeforeALoad)
{
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    ChartDocument document(prompter, measurer);
    document.startUp(designLayout(15360, 11520), {"Arial"});
    ScriptedHost host;
    host.exits = {DialogExit::Ok};
    for (OptionDialog first : {OptionDialog::Graph, OptionDialog::Axes}) {
        EXPECT_FALSE(openOptionDialogs(document, host, first));
    }
    EXPECT_TRUE(host.shown.empty());
    EXPECT_FALSE(document.session().menus.enabled(Menu::SaveAs));
    EXPECT_FALSE(document.scene().coordinatesSet);
}

TEST(AxesOptions, OkRefusesAScaleThatCannotBeDrawnWithItsMessage)
{
    const struct
    {
        const char *min, *max, *tick;
        bool log;
        const char* said; // nullptr: accepted
    } cases[] = {
        {"5", "5", "1", false, InvalidScaleText},
        {"0", "0", "0", false, InvalidScaleText}, // before any drawing, whatever the scaling
        {"0", "10", "10", false, InvalidTickText},
        {"0", "10", "9.99", false, nullptr},
        {"1", "10", "10", true, nullptr}, // the tick is not checked on a log axis
        {"abc", "5", "1", false, nullptr}, // "abc" reads as 0
        {"0", "abc", "1", false, InvalidScaleText},
        {" 2e1", "3e1", "5", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.min) + " / " + c.max + " / " + c.tick);
        Settings s;
        s.resetOptions();
        s.selectButton(c.log ? PlotOpts_LogY : PlotOpts_LinearY);
        s.setText(AxesOpts_YscaleMin, c.min);
        s.setText(AxesOpts_YscaleMax, c.max);
        s.setText(AxesOpts_TickInterval, c.tick);
        ScriptedPrompter prompter;
        EXPECT_EQ(axesOptionsOk(s, prompter), c.said == nullptr);
        if (c.said) {
            ASSERT_EQ(prompter.messages.size(), 1u);
            EXPECT_EQ(prompter.messages[0].text, c.said);
            EXPECT_EQ(prompter.messages[0].title, "Axes Options Error");
            EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Exclamation);
        } else {
            EXPECT_TRUE(prompter.messages.empty());
        }
    }
}

TEST(OptionDialogs, LogAxisGuardOfGraphOkAndAxesCancelFallsBackToTheAutomaticScale)
{
    const struct
    {
        bool log;
        const char *min, *max;
        bool toAuto;
    } cases[] = {
        {true, "0", "10", true},  {true, "-1", "10", true}, {true, "1", "-5", true},
        {true, "1", "0", true},   {true, "1", "10", false}, {false, "0", "10", false},
        {false, "-5", "-1", false},
    };
    for (const auto& c : cases) {
        for (bool graphOk : {true, false}) {
            SCOPED_TRACE(std::string(c.min) + " / " + c.max + (c.log ? " log" : " linear") +
                         (graphOk ? ", Graph Options OK" : ", Axes Options Cancel"));
            Settings s;
            s.resetOptions();
            s.selectButton(c.log ? PlotOpts_LogY : PlotOpts_LinearY);
            s.selectButton(AxesOpts_Manual);
            s.setText(AxesOpts_YscaleMin, c.min);
            s.setText(AxesOpts_YscaleMax, c.max);
            graphOk ? graphOptionsOk(s) : axesOptionsCancel(s);
            EXPECT_EQ(s.selected(AxesOpts_Auto), c.toAuto);
            // The automatic scale's handler ran: the manual fields are off.
            EXPECT_EQ(s.enabled(AxesOpts_YscaleMin), !c.toAuto);
        }
    }
}

TEST(Settings, AClickOnTheSelectedButtonRunsItsHandlerWhereCodeDoesNot)
{
    Settings s;
    s.resetOptions();
    s.selectButton(AxesOpts_Manual);
    s.selectButton(PlotOpts_LogY);
    s.selectButton(PlotOpts_LinearY);
    EXPECT_FALSE(s.enabled(AxesOpts_TickInterval)); // log left it off

    s.selectButton(AxesOpts_Manual); // code: no change, no handler
    EXPECT_FALSE(s.enabled(AxesOpts_TickInterval));
    s.click(AxesOpts_Manual); // the user's click on "Manual" again
    EXPECT_TRUE(s.enabled(AxesOpts_TickInterval));

    // A group's selected button likewise; a check box turns over.
    s.setEnabled(AxesOpts_Yplaces, true);
    s.click(AxesOpts_Yprecision, 0);
    EXPECT_FALSE(s.enabled(AxesOpts_Yplaces));
    s.click(PlotOpts_LimitLines);
    EXPECT_EQ(s.check(PlotOpts_LimitLines), 1);
    EXPECT_TRUE(s.enabled(PlotOpts_ULimit));
    EXPECT_THROW(s.click(PlotOpts_CR, 4), std::invalid_argument);
    EXPECT_THROW(s.click(PlotOpts_ULimit), std::invalid_argument);
}

TEST(Settings, FontListIsSortedIgnoringCaseAndEndsTheWalkOnItsLastEntry)
{
    Settings s;
    s.setFontList({"Zapf", "arial", "DejaVu Sans", "abc", "Arial Black", "DejaVu Sans"});
    EXPECT_EQ(s.fontList(),
              (std::vector<std::string>{"abc", "arial", "Arial Black", "DejaVu Sans", "Zapf"}));
    EXPECT_FALSE(s.walkFontListTo("Arial"));
    EXPECT_EQ(s.text(frmPageSetup_cboFont), "Zapf");
}

TEST(PageSetup, OneTimeResizeStaysBetweenAQuarterOfTheDesignSizeAndTheScreen)
{
    const struct
    {
        const char* name;
        std::vector<int> buttons; // optPlotSize chosen before each refresh
        double widthFactor;       // of the design width after them
        int refused;
    } cases[] = {
        {"enlarge 40% then reduce 40%", {8, 0}, 1.4 * 0.6, 0},
        {"reduce 40% twice", {0, 0}, 0.36, 0},
        {"a third reduction would leave less than a quarter", {0, 0, 0}, 0.36, 1},
        {"a second enlargement would pass the screen", {8, 8}, 1.4, 1},
        {"keep the current size", {4, 4}, 1, 0},
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

TEST(PlotRoutine, NoChartTextIsSmallerThanOnePointOnATinyScreen)
{
    LoadedDocument d;
    Settings& s = d.document.settings();
    s.selectGroup(frmPageSetup_optPlotTitleFontsize, 0); // "8 Point": 12 x 0.1 - 8
    s.setText(PlotOpts_PlotTitle, "Lot 7");
    d.document.plot().layout() = designLayout(1200, 900);
    ASSERT_EQ(d.document.drawPlot(), DrawOutcome::Drawn);
    const Scene& scene = d.document.scene();
    EXPECT_DOUBLE_EQ(scene.title.font.pointSize, 1);
    for (const WindowText& t : scene.windowTexts) {
        EXPECT_GE(t.font.pointSize, 1) << t.text;
    }
    EXPECT_GE(scene.placements.plotText.font.pointSize, 1);
}

} // namespace
} // namespace qv
