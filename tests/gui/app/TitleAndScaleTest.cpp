// The chart shows what the settings say: the title as the Graph Options field
// has it, the footer naming the lot shown, Save File As proposing the main
// lot's name; a manual value scale that would show no point gives way to the
// automatic one, and a range warning is said once per load.
#include "gui/app/WindowHarness.h"

#include "core/model/Settings.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

namespace qv {
namespace {

using TitleAndScaleTest = test::WindowHarness;
using Lines = std::vector<std::string>;

bool footerNames(const Scene& scene, const std::string& text)
{
    return std::any_of(scene.windowTexts.begin(), scene.windowTexts.end(),
                       [&text](const WindowText& t) { return t.text == text; });
}

TEST_F(TitleAndScaleTest, AnEmptiedTitleLeavesTheChartAndNeverCarriesOverToTheNextFile)
{
    open(m_files.write("weights.csv", "5\n4\n6\n"));
    Settings& s = window().session().settings;
    s.setText(Ctl::PlotOpts_PlotTitle, "Resistor lot 7");
    window().runCommand(Menu::mnuRefresh);
    EXPECT_TRUE(window().scene().title.visible);
    EXPECT_EQ(window().scene().title.caption, "Resistor lot 7");

    s.setText(Ctl::PlotOpts_PlotTitle, "");
    window().runCommand(Menu::mnuRefresh);
    EXPECT_FALSE(window().scene().title.visible);

    s.setText(Ctl::PlotOpts_PlotTitle, "Resistor lot 7");
    window().runCommand(Menu::mnuRefresh);
    open(m_files.write("next.csv", "1\n2\n3\n"));
    EXPECT_FALSE(window().scene().title.visible);
}

TEST_F(TitleAndScaleTest, AnOverlayKeepsTheTitleInTheFieldAndTheSavedFileAndSaveProposesTheMainLot)
{
    const std::string main = m_files.write("Lot7.csv", "5\n4\n6\n");
    open(main);
    window().session().settings.setText(Ctl::PlotOpts_PlotTitle, "Resistor lot 7");
    window().runCommand(Menu::mnuRefresh);
    m_prompter.openAnswers = {m_files.write("Lot8.csv", "5.5\n4.5\n")};
    window().runCommand(Menu::InputOverlayData);
    EXPECT_EQ(window().session().settings.text(Ctl::PlotOpts_PlotTitle), "Resistor lot 7");
    EXPECT_EQ(window().scene().title.caption, "Resistor lot 7");

    m_prompter.saveAnswers = {m_files.path("both.qvw")};
    window().runCommand(Menu::SaveAs);
    EXPECT_EQ(m_prompter.fileRequests.back().proposedName, m_files.path("Lot7"));
    EXPECT_NE(test::fileBytes(m_files.path("both.qvw")).find("Resistor lot 7"), std::string::npos);
}

TEST_F(TitleAndScaleTest, TheFooterNamesTheLotOfInputNewDataWhileTheTitleNamesTheProject)
{
    const std::string project = std::string(QV_EXAMPLES_DIR) + "/resistor-lot.qvw";
    open(project);
    EXPECT_TRUE(footerNames(window().scene(), project));
    const std::string lot = m_files.write("lot9.csv", "7\n8\n9\n");
    m_prompter.openAnswers = {lot};
    window().runCommand(Menu::NewData);
    EXPECT_TRUE(footerNames(window().scene(), lot));
    EXPECT_FALSE(footerNames(window().scene(), project));
    EXPECT_EQ(window().windowTitle().toStdString(), "Quantiview 3.0 (" + project + ")");
}

TEST_F(TitleAndScaleTest, AManualScaleMissingEveryPointGivesWayToTheAutomaticScaleOnce)
{
    open(m_files.write("lot.csv", "105\n110\n120\n"));
    Settings& s = window().session().settings;
    // Pasted lines keep the options of a chart that has a title.
    s.setText(Ctl::PlotOpts_PlotTitle, "Coating weight");
    m_prompter.saveAnswers = {m_files.path("lot.qvw")};
    window().runCommand(Menu::SaveAs);
    ASSERT_TRUE(s.selected(Ctl::AxesOpts_Manual));

    m_prompter.messages.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("1\n2\n3\n"));
    trigger("PasteData");
    EXPECT_TRUE(s.selected(Ctl::AxesOpts_Auto));
    ASSERT_EQ(m_prompter.messages.size(), 1u);
    EXPECT_EQ(m_prompter.messages[0].title, "Graph Warning");
    const Scene& scene = window().scene();
    EXPECT_LE(scene.ymin, 1);
    EXPECT_GE(scene.ymax, 3);
}

TEST_F(TitleAndScaleTest, TheOutOfRangeWarningIsSaidOncePerLoadNotAtEachRedrawOrSave)
{
    open(m_files.write("lot.csv", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n"));
    Settings& s = window().session().settings;
    s.selectButton(Ctl::AxesOpts_Manual);
    s.setText(Ctl::AxesOpts_YscaleMin, "0");
    s.setText(Ctl::AxesOpts_YscaleMax, "5");
    s.setText(Ctl::AxesOpts_TickInterval, "1");
    m_prompter.messages.clear();
    window().runCommand(Menu::mnuRefresh);
    window().runCommand(Menu::mnuRefresh);
    m_prompter.saveAnswers = {m_files.path("lot.qvw")};
    window().runCommand(Menu::SaveAs);
    Lines said;
    for (const RecordedMessage& m : m_prompter.messages) {
        said.push_back(m.text);
    }
    EXPECT_EQ(said, Lines{"One or more y-values out of range"});

    // Reopening is a new load: said again, once.
    m_prompter.messages.clear();
    open(m_files.path("lot.qvw"));
    window().runCommand(Menu::mnuRefresh);
    EXPECT_EQ(m_prompter.messages.size(), 1u);
}

} // namespace
} // namespace qv
