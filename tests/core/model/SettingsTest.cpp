// The options' rules without the dialogs: the reset after a data file, the handlers'
// derived values and enabling, a user's click on a selected button, values by name, the
// start-up font and the notices listeners hear; the option dialogs' opener loop, OK and
// Cancel, the font list's order and the bounds of the one-time resize.
#include "ChartHarness.h"
#include "core/document/OptionDialogs.h"
#include "core/plot/ChartBounds.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <set>
#include <stdexcept>

namespace qv {
namespace {

using enum Ctl;

void expectEnabled(const Settings& s, std::initializer_list<Ctl> ids, bool enabled)
{
    for (Ctl id : ids) {
        EXPECT_EQ(s.enabled(id), enabled) << controlInfo(id).name;
    }
}

TEST(Settings, ResetPutsTheDefaultsAndDerivedValuesInPlaceAndLeavesTheRest)
{
    Settings s;
    s.setCheck(PlotOpts_LimitLines, 1);
    s.setText(PlotOpts_ULimit, "100");
    s.setCheck(PlotOpts_FiftyLine, 1);
    s.setText(PlotOpts_YAxisLabel, "mm");
    s.selectButton(PlotOpts_LogY);
    s.selectGroup(PlotOpts_CR, 3);
    s.resetOptions();
    // A few of each kind; the rest show through the charts drawn after a load.
    const std::pair<Ctl, const char*> values[] = {
        {PlotOpts_LimitLines, "0"}, {PlotOpts_ULimit, "0"},     {PlotOpts_CR, "1"},
        {PlotOpts_LinearY, "true"}, {AxesOpts_Auto, "true"},    {AxesOpts_TickInterval, "0"},
        {PlotOpts_FiftyLine, "1"},  {PlotOpts_YAxisLabel, "mm"}}; // the last two left alone
    for (auto [id, value] : values) {
        EXPECT_EQ(s.valueText(id), value) << controlInfo(id).name;
    }
    EXPECT_DOUBLE_EQ(s.consumerRiskZ(), 1.28155);
    // Unchecked limit lines, the automatic scale and automatic precisions disable their fields.
    expectEnabled(s, {PlotOpts_ULimit, PlotOpts_FiftyLine, AxesOpts_YscaleMax, AxesOpts_TickLabel,
                      AxesOpts_Yplaces, StatsForm_Digits}, false);
}

// The options as every loaded data file leaves them.
struct AfterReset : ::testing::Test
{
    Settings s;
    AfterReset() { s.resetOptions(); }
};

TEST_F(AfterReset, GroupHandlersKeepTheirDerivedValuesAndEnabling)
{
    const double riskZ[] = {1, 1.28155, 1.64485, 2.32635};
    const int confidence[] = {90, 95, 99, 0};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        s.selectGroup(PlotOpts_CR, i);
        s.selectGroup(PlotOpts_LTPD, 3 - i);
        s.selectGroup(PlotOpts_ConfInterval, i);
        EXPECT_DOUBLE_EQ(s.consumerRiskZ(), riskZ[i]);
        EXPECT_DOUBLE_EQ(s.ltpdZ(), riskZ[3 - i]);
        EXPECT_EQ(s.confidenceLevel(), confidence[i]);
    }
    const int nines[] = {0, 2, 3, 4, 5};
    for (int i = 0; i < 5; ++i) {
        s.selectGroup(AxesOpts_NumNines, i);
        EXPECT_EQ(s.xRangeNines(), nines[i]) << i;
    }
    // The data symbol and the weighting show in the drawn triangles and the weighted fit.
    s.selectGroup(StatsForm_StatsPrecision, 1);
    s.selectGroup(AxesOpts_Yprecision, 1);
    expectEnabled(s, {StatsForm_Digits, StatsForm_Places, AxesOpts_Yplaces}, true);
}

TEST_F(AfterReset, CheckHandlersKeepTheirFieldsAndEnabling)
{
    // Background subtraction off puts "0" back at once.
    s.setCheck(PlotOpts_BkgSubtraction, 1);
    s.setText(PlotOpts_BkgValue, "7");
    EXPECT_TRUE(s.enabled(PlotOpts_BkgValue));
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
    expectEnabled(s, {PlotOpts_WeightingFrame, PlotOpts_weighting}, true);
    s.setCheck(PlotOpts_LSQfit, 0);
    expectEnabled(s, {PlotOpts_ConfidenceFrame, PlotOpts_weighting}, false);
}

TEST_F(AfterReset, LogPutsTenIntoTheTickIntervalAndOnlyAUsersClickReRunsASelectedButton)
{
    s.selectButton(PlotOpts_LogY);
    EXPECT_EQ(s.text(AxesOpts_TickInterval), "10");
    EXPECT_FALSE(s.enabled(AxesOpts_TickInterval));
    s.setText(AxesOpts_TickInterval, "3");
    s.selectButton(PlotOpts_LogY); // only when newly chosen
    EXPECT_EQ(s.text(AxesOpts_TickInterval), "3");
    s.selectButton(AxesOpts_Manual);
    EXPECT_TRUE(s.enabled(AxesOpts_YscaleMin));
    EXPECT_FALSE(s.enabled(AxesOpts_TickInterval));
    s.selectButton(PlotOpts_LinearY);
    EXPECT_FALSE(s.enabled(AxesOpts_TickInterval)); // log left it off
    s.selectButton(AxesOpts_Manual);                // code: no change, no handler
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
}

TEST_F(AfterReset, ValuesAreTakenByNameAndTheWrongKindIsRefused)
{
    // Good values by name set up every test::Chart; here the refusals.
    s.setFontList({"DejaVu Sans", "Arial"});
    for (auto [name, value] : {std::pair{"PlotOpts.TestStatistic", "2"}, {"PlotOpts.CR", "4"},
                               {"PlotOpts.LogY", "yes"}, {"frmPageSetup.cboFont", "No Such Font"},
                               {"PlotOpts.MoreStats", "1"}}) {
        SCOPED_TRACE(std::string(name) + "=" + value);
        EXPECT_THROW(s.setFromText(*findControl(name), value), std::invalid_argument);
    }

    // Every name is spelled once, and every stored setting has its own line in a project file.
    std::set<std::string> names;
    std::set<int> lines;
    for (const auto& info : controlTable()) {
        EXPECT_TRUE(names.insert(info.name).second) << info.name;
        const bool stored = info.fileLine > 0 && info.kind != ControlKind::Group;
        EXPECT_TRUE(!stored || lines.insert(info.fileLine).second) << info.name;
    }
}

TEST(StartUp, SelectsArialOrItsMetricTwinOrElseTheFirstFont)
{
    const std::pair<std::vector<std::string>, const char*> fonts[] = {
        {{"Zapf", "Arial", "DejaVu Sans"}, "Arial"},
        {{"Zapf", "Liberation Sans", "DejaVu Sans"}, "Liberation Sans"},
        {{"Zapf", "DejaVu Sans"}, "Zapf"}};
    for (const auto& [list, chosen] : fonts) {
        Session session;
        startUp(session, list, "Liberation Sans");
        EXPECT_EQ(session.window.graphFontName, chosen);
    }
}

TEST_F(AfterReset, ListenersHearEachRealChangeOnceAndABatchAsOneNotice)
{
    std::vector<std::string> heard; // each notice as "name:what"
    const int handle = s.addListener([&heard](const SettingsNotice& n) {
        static const char* const what[] = {"value", "enabled", "items", "focus", "many"};
        const std::string name = n.id == Ctl::Count ? "*" : controlInfo(n.id).name;
        heard.push_back(name + ":" + what[static_cast<int>(n.change)]);
    });
    const struct { const char* what; std::function<void()> change; std::vector<std::string> notices; }
        rows[] = {
        {"a text", [&] { s.setText(PlotOpts_ULimit, "50"); }, {"PlotOpts.ULimit:value"}},
        {"the same text", [&] { s.setText(PlotOpts_ULimit, "50"); }, {}},
        {"a check with its handler's enabling",
         [&] { s.setCheck(PlotOpts_Statistics, 0); },
         {"PlotOpts.Statistics:value", "PlotOpts.MoreStats:enabled"}},
        {"a pair button deselects its partner",
         [&] { s.selectButton(PlotOpts_LogY); },
         {"PlotOpts.LogY:value", "PlotOpts.LinearY:value", "AxesOpts.TickInterval:value"}},
        {"the column lists",
         [&] { s.setFileCharColumnItems(3); },
         {"FileChar.ColN:items", "FileChar.ErrorColumn:items"}},
        {"a reset is one batch", [&] { s.resetOptions(); }, {"*:many"}},
        {"a reset that changes nothing", [&] { s.resetOptions(); }, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        heard.clear();
        row.change();
        EXPECT_EQ(heard, row.notices);
    }

    // Nested batches end with one notice; a copy and a removed listener hear nothing.
    heard.clear();
    {
        const Settings::Batch outer(s);
        s.setCheck(PlotOpts_LSQfit, 1);
        {
            const Settings::Batch inner(s);
            s.setText(PlotOpts_PlotTitle, "Lot 7");
        }
        EXPECT_TRUE(heard.empty());
    }
    EXPECT_EQ(heard, (std::vector<std::string>{"*:many"}));
    Settings copy = s;
    heard.clear();
    copy.setText(PlotOpts_PlotTitle, "Lot 8");
    s.removeListener(handle);
    s.setText(PlotOpts_PlotTitle, "Lot 9");
    EXPECT_TRUE(heard.empty());
}

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
