// The main window driven through scripted answers: menus, start-up, the open
// commands and what a failed or cancelled load leaves.
#include "gui/app/MainWindow.h"
#include "core/model/ScriptedPrompter.h"
#include "support/TempFiles.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace qv {
namespace {

using Items = std::vector<std::pair<const char*, const char*>>;

struct MenuSpec
{
    const char* name;
    const char* title;
    Items items; // a null caption is a separator
};

QAction* findAction(MainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QString::fromUtf8(name));
}

bool menuEnabled(MainWindow& window, const char* name)
{
    auto* menu = window.findChild<QMenu*>(QString::fromUtf8(name));
    return menu && menu->menuAction()->isEnabled();
}

std::vector<double> values(const MainWindow& window, int set)
{
    return window.session().set(set).values;
}

class MainWindowTest : public ::testing::Test
{
protected:
    std::string windowTitle() const { return m_window.windowTitle().toStdString(); }
    void open(const std::string& path, DataFileAnswers answers = {})
    {
        m_prompter.openAnswers.push_back(path);
        m_prompter.dataFileAnswers.push_back(answers);
        findAction(m_window, "mnuOpenFile")->trigger();
    }

    test::TempFiles m_files;
    ScriptedPrompter m_prompter;
    MainWindow m_window{m_prompter};
};

TEST_F(MainWindowTest, MenuBarHoldsEveryCommandInOrderWithItsCaption)
{
    const std::vector<MenuSpec> expected = {
        {"Menu_File",
         "&File",
         {{"mnuOpenFile", "&Open"},
          {"SaveAs", "&Save File As..."},
          {"mnuSaveGraph", "Save &Graph As"},
          {"mnuPageSetup", "Page Set&up"},
          {"mnuPrint", "&Print"},
          {"Separator1", nullptr},
          {"ExitProgram", "E&xit"}}},
        {"FileEdit",
         "Edit",
         {{"mnuRefresh", "&Refresh Plot"},
          {"mnuCopy", "&Copy Graph"},
          {"EnableDisable", "&Enable/Disable Data"},
          {"HiliteUnhilite", "&Hilite/UnHilite Data"},
          {"NewData", "&Input New Data"},
          {"InputOverlayData", "Input &Overlay Data"},
          {"PasteData", "&Paste Data"}}},
        {"Options_File",
         "&Options",
         {{"GraphOptions", "&Graph Options"}, {"AxesOptions", "&Axes Options"}}},
        {"Help",
         "&Help",
         {{"mnuHelpContents", "Help for Quantiview...Con&tents"},
          {"mnuHelpIndex", "Help for Quantiview...&Index"},
          {"mnuCalculations", "About the &Calculations"},
          {"mnuAbout", "&About Quantiview"}}},
    };
    const auto bar = m_window.menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t m = 0; m < expected.size(); ++m) {
        SCOPED_TRACE(expected[m].name);
        QMenu* menu = bar[static_cast<qsizetype>(m)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName().toStdString(), expected[m].name);
        EXPECT_EQ(menu->title().toStdString(), expected[m].title);
        const auto actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected[m].items.size()));
        for (std::size_t i = 0; i < expected[m].items.size(); ++i) {
            const auto& [name, caption] = expected[m].items[i];
            SCOPED_TRACE(name);
            QAction* action = actions[static_cast<qsizetype>(i)];
            EXPECT_EQ(action->objectName().toStdString(), name);
            if (caption) {
                EXPECT_EQ(action->text().toStdString(), caption);
            } else {
                EXPECT_TRUE(action->isSeparator());
            }
        }
    }
}

TEST_F(MainWindowTest, StartsWithOnlyOpenExitEditPasteAndHelpAvailable)
{
    EXPECT_EQ(windowTitle(), "Quantiview 3.0");
    for (const char* name : {"mnuOpenFile", "ExitProgram", "PasteData", "mnuHelpContents",
                             "mnuHelpIndex", "mnuCalculations", "mnuAbout"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(findAction(m_window, name)->isEnabled());
    }
    for (const char* name :
         {"SaveAs", "mnuSaveGraph", "mnuPageSetup", "mnuPrint", "mnuRefresh", "mnuCopy",
          "EnableDisable", "HiliteUnhilite", "NewData", "InputOverlayData"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(findAction(m_window, name)->isEnabled());
    }
    EXPECT_TRUE(menuEnabled(m_window, "Menu_File"));
    EXPECT_TRUE(menuEnabled(m_window, "FileEdit"));
    EXPECT_TRUE(menuEnabled(m_window, "Help"));
    EXPECT_FALSE(menuEnabled(m_window, "Options_File"));
}

TEST_F(MainWindowTest, StartUpGivesTheLabelsTheChartFontAndCentresTheTitleOverThePlot)
{
    const QString font = QString::fromStdString(m_window.session().graphFontName);
    if (!QFontDatabase::families().contains(QStringLiteral("Arial")) &&
        QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))) {
        EXPECT_EQ(font, QStringLiteral("Liberation Sans"));
    }
    auto* title = m_window.findChild<QLabel*>(QStringLiteral("PlotTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->font().family(), font);
    EXPECT_TRUE(title->font().bold());
    for (const char* name : {"StatsBox", "OverlayStats", "PlotText", "OverlayText"}) {
        SCOPED_TRACE(name);
        auto* box = m_window.findChild<QLabel*>(QString::fromUtf8(name));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->font().family(), font);
        EXPECT_FALSE(box->font().bold());
        EXPECT_TRUE(box->isHidden());
    }
    const QRect plot = m_window.plotArea()->geometry();
    EXPECT_NEAR(title->geometry().center().x(), plot.center().x(), 1);
    EXPECT_LT(title->geometry().bottom(), plot.top());
    // The whole plot area is inside the window, with room for the texts around it.
    EXPECT_TRUE(m_window.centralWidget()->minimumSize().width() > plot.right());
    EXPECT_TRUE(m_window.centralWidget()->minimumSize().height() > plot.bottom());
}

TEST_F(MainWindowTest, OpenLoadsTheFileSortedAndTitlesTheWindowWithItsPath)
{
    const std::string path = m_files.write("lot.csv", "3\r\n1\r\n2\r\n");
    open(path);

    EXPECT_EQ(windowTitle(), "Quantiview 3.0 (" + path + ")");
    EXPECT_EQ(values(m_window, 1), (std::vector<double>{1, 2, 3}));
    for (const char* name : {"EnableDisable", "SaveAs", "InputOverlayData"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(findAction(m_window, name)->isEnabled());
    }
    EXPECT_TRUE(menuEnabled(m_window, "Options_File"));
    EXPECT_FALSE(findAction(m_window, "NewData")->isEnabled());
    // The load draws the chart, which makes the chart commands available.
    EXPECT_TRUE(findAction(m_window, "mnuRefresh")->isEnabled());
    EXPECT_TRUE(findAction(m_window, "mnuPrint")->isEnabled());
    EXPECT_TRUE(m_window.scene().coordinatesSet);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The first dialog starts in the documents folder, on project files.
    ASSERT_EQ(m_prompter.fileRequests.size(), 1u);
    EXPECT_EQ(m_prompter.fileRequests[0].filterIndex, 3);
    EXPECT_EQ(m_prompter.fileRequests[0].initialFolder, m_window.session().documentsFolder);
    EXPECT_FALSE(m_window.session().documentsFolder.empty());
}

TEST_F(MainWindowTest, CancelKeepsThePreviousDataAndTitle)
{
    const std::string first = m_files.write("first.csv", "5\n4\n");
    const std::string second = m_files.write("second.csv", "9\n8\n7\n");
    open(first);
    const std::string title = windowTitle();

    {
        SCOPED_TRACE("Cancel in the file dialog");
        m_prompter.openAnswers.push_back(std::nullopt);
        findAction(m_window, "mnuOpenFile")->trigger();
        EXPECT_EQ(windowTitle(), title);
        EXPECT_EQ(values(m_window, 1), (std::vector<double>{4, 5}));
    }
    {
        SCOPED_TRACE("Cancel in Data File Parameters");
        DataFileAnswers cancel;
        cancel.accept = false;
        open(second, cancel);
        EXPECT_EQ(windowTitle(), title);
        EXPECT_EQ(values(m_window, 1), (std::vector<double>{4, 5}));
        EXPECT_TRUE(findAction(m_window, "SaveAs")->isEnabled());
    }
    EXPECT_TRUE(m_prompter.messages.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindowTest, FailingReadShowsItsMessageAndKeepsThePreviousSet)
{
    const std::string good = m_files.write("good.csv", "2\n1\n");
    std::string wide = "1";
    for (int i = 2; i <= 21; ++i) {
        wide += "," + std::to_string(i);
    }
    const struct
    {
        const char* name;
        std::string path;
        const char* text;
    } cases[] = {
        {"missing file", m_files.path("missing.csv"), "File Error 53 Try Again"},
        {"21 fields", m_files.write("wide.csv", wide + "\n" + wide + "\n"), "Unexpected Error 9"},
    };
    open(good);
    const std::string title = windowTitle();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_prompter.messages.clear();
        open(c.path);
        ASSERT_EQ(m_prompter.messages.size(), 1u);
        EXPECT_EQ(m_prompter.messages[0].text, c.text);
        EXPECT_EQ(m_prompter.messages[0].title, "File Error");
        EXPECT_EQ(m_prompter.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(values(m_window, 1), (std::vector<double>{1, 2}));
        EXPECT_EQ(windowTitle(), title);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(MainWindowTest, InputNewDataRefusesAProjectFileAndChangesNothing)
{
    const std::string path = m_files.write("lot.csv", "1\n2\n");
    open(path);
    const std::string title = windowTitle();
    m_prompter.openAnswers.push_back(m_files.write("chart.qvw", "1,1\n"));
    m_window.inputNewData();

    ASSERT_EQ(m_prompter.messages.size(), 1u);
    EXPECT_EQ(m_prompter.messages[0].text, "New data file must be *.CSV or equivalent");
    EXPECT_EQ(m_prompter.messages[0].title, "Quantiview 3.0");
    EXPECT_EQ(m_prompter.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(windowTitle(), title);
    EXPECT_EQ(values(m_window, 1), (std::vector<double>{1, 2}));
    EXPECT_EQ(m_prompter.dataFileDialogs, 1);
}

TEST_F(MainWindowTest, CommandLineOpensThePathWithOrWithoutQuotesTitledWithTheBareName)
{
    const std::string path = m_files.write("RUN1.CSV", "7\n6\n");
    for (const std::string& argument : {"\"" + path + "\"", path}) {
        SCOPED_TRACE(argument);
        MainWindow window(m_prompter);
        window.openFromCommandLine(QString::fromStdString(argument));
        EXPECT_EQ(window.windowTitle().toStdString(), "Quantiview 3.0 (RUN1.CSV)");
        EXPECT_EQ(values(window, 1), (std::vector<double>{6, 7}));
        EXPECT_TRUE(findAction(window, "SaveAs")->isEnabled());
    }
    EXPECT_TRUE(m_prompter.messages.empty());
}

} // namespace
} // namespace qv

namespace qv {
namespace {

TEST_F(MainWindowTest, DrawsTheChartAfterALoadAndRefreshesWithTheNewSize)
{
    const std::string path = m_files.write("lot.csv", "Width (mm)\n3\n1\n2\n5\n4\n");
    open(path);
    ASSERT_TRUE(m_window.scene().coordinatesSet);
    auto* yLabel = m_window.findChild<QLabel*>(QStringLiteral("Ylabel"));
    ASSERT_NE(yLabel, nullptr);
    EXPECT_FALSE(yLabel->isHidden());
    EXPECT_GT(yLabel->height(), yLabel->width()); // turned to read bottom to top

    // The plot area shows the frame: its top left corner is black.
    m_window.show();
    const QImage plot = m_window.plotArea()->grab().toImage();
    EXPECT_EQ(plot.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(plot.pixelColor(plot.width() / 2, plot.height() / 5), QColor(Qt::white));

    const int width = m_window.plotArea()->width();
    m_window.session().settings.selectGroup(Ctl::frmPageSetup_optPlotSize, 7);
    findAction(m_window, "mnuRefresh")->trigger();
    findAction(m_window, "mnuRefresh")->trigger();
    EXPECT_NEAR(m_window.plotArea()->width(), width * 1.2, 2);
    EXPECT_TRUE(m_prompter.messages.empty());
}

} // namespace
} // namespace qv
