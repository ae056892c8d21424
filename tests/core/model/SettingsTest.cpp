// The options' rules without the dialogs: the reset after a data file, the handlers'
// derived values and enabling, a user's click on a selected button, values by name, the
// start-up font, the notices listeners hear and the font list's order.
#include "ChartHarness.h"

#include <gtest/gtest.h>

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

TEST(Settings, FontListIsSortedIgnoringCaseAndEndsTheWalkOnItsLastEntry)
{
    Settings s;
    s.setFontList({"Zapf", "arial", "DejaVu Sans", "abc", "Arial Black", "DejaVu Sans"});
    EXPECT_EQ(s.fontList(),
              (std::vector<std::string>{"abc", "arial", "Arial Black", "DejaVu Sans", "Zapf"}));
    EXPECT_FALSE(s.walkFontListTo("Arial"));
    EXPECT_EQ(s.text(frmPageSetup_cboFont), "Zapf");

    // Names alike but for case by their bytes, a name before a longer one that
    // starts with it, other bytes as unsigned (UTF-8 after ASCII); a list in
    // that order already comes out the same.
    const std::vector<std::string> sorted{"_x",          "abc",         "Arial", "arial",
                                          "Arial Black", "DejaVu Sans", "Zapf",  "\u00C4rger"};
    EXPECT_EQ(sortedFontList({"Zapf", "arial", "DejaVu Sans", "abc", "Arial Black", "DejaVu Sans",
                              "\u00C4rger", "Arial", "_x"}),
              sorted);
    EXPECT_EQ(sortedFontList(sorted), sorted);
}

} // namespace
} // namespace qv
