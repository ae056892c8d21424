// The main window driven through scripted answers: menus, start-up, opening and failed loads.
#include "gui/app/MainWindow.h"
#include "core/model/ScriptedPrompter.h"
#include "gui/app/ChartDragger.h"
#include "support/TempFiles.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace qv {
namespace {

// Whether the menu command or the whole menu called `name` can be chosen.
bool available(MainWindow& window, const char* name)
{
    auto* menu = window.findChild<QMenu*>(name);
    const QAction* action = menu ? menu->menuAction() : window.findChild<QAction*>(name);
    EXPECT_NE(action, nullptr) << name;
    return action && action->isEnabled();
}

class MainWindowTest : public ::testing::Test
{
protected:
    std::string title() const { return m_window.windowTitle().toStdString(); }
    std::vector<double> values() const { return m_window.session().set(1).values; }
    void trigger(const char* name) { m_window.findChild<QAction*>(name)->trigger(); }
    // Chooses File > Open and answers the file dialog and Data File Parameters.
    void open(std::optional<std::string> path, DataFileAnswers answers = {})
    {
        m_prompter.openAnswers.assign(1, std::move(path));
        m_prompter.dataFileAnswers.assign(1, answers);
        trigger("mnuOpenFile");
    }
    void expectAvailable(std::initializer_list<const char*> names, bool expected)
    {
        for (const char* name : names) {
            EXPECT_EQ(available(m_window, name), expected) << name;
        }
    }

    test::TempFiles m_files;
    ScriptedPrompter m_prompter;
    MainWindow m_window{m_prompter};
};

TEST_F(MainWindowTest, MenuBarHoldsEveryCommandInOrderWithItsCaption)
{
    // Each menu: name, title, its commands and their captions in order; "-" is a separator.
    const char* const menus[][4] = {
        {"Menu_File", "&File",
         "mnuOpenFile|SaveAs|mnuSaveGraph|mnuPageSetup|mnuPrint|Separator1|ExitProgram",
         "&Open|&Save File As...|Save &Graph As|Page Set&up|&Print|-|E&xit"},
        {"FileEdit", "Edit",
         "mnuRefresh|mnuCopy|EnableDisable|HiliteUnhilite|NewData|InputOverlayData|PasteData",
         "&Refresh Plot|&Copy Graph|&Enable/Disable Data|&Hilite/UnHilite Data|&Input New Data|"
         "Input &Overlay Data|&Paste Data"},
        {"Options_File", "&Options", "GraphOptions|AxesOptions|mnuSamplingPlan",
         "&Graph Options|&Axes Options|Sampling &Plan"},
        {"Help", "&Help", "mnuHelpContents|mnuHelpIndex|mnuCalculations|mnuAbout",
         "Help for Quantiview...Con&tents|Help for Quantiview...&Index|About the &Calculations|"
         "&About Quantiview"},
    };
    const auto bar = m_window.menuBar()->actions();
    ASSERT_EQ(bar.size(), std::ssize(menus));
    for (qsizetype m = 0; m < bar.size(); ++m) {
        SCOPED_TRACE(menus[m][0]);
        QMenu* menu = bar[m]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName().toStdString(), menus[m][0]);
        EXPECT_EQ(menu->title().toStdString(), menus[m][1]);
        QStringList commands, captions;
        for (const QAction* action : menu->actions()) {
            commands << action->objectName();
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        EXPECT_EQ(commands.join(u'|').toStdString(), menus[m][2]);
        EXPECT_EQ(captions.join(u'|').toStdString(), menus[m][3]);
    }
}

TEST_F(MainWindowTest, StartsWithOnlyOpenExitEditPasteAndHelpAvailable)
{
    EXPECT_EQ(title(), "Quantiview 3.0");
    expectAvailable({"Menu_File", "FileEdit", "Help", "mnuOpenFile", "ExitProgram", "PasteData",
                     "mnuHelpContents", "mnuHelpIndex", "mnuCalculations", "mnuAbout"},
                    true);
    expectAvailable({"Options_File", "SaveAs", "mnuSaveGraph", "mnuPageSetup", "mnuPrint",
                     "mnuRefresh", "mnuCopy", "EnableDisable", "HiliteUnhilite", "NewData",
                     "InputOverlayData"},
                    false);
}

TEST_F(MainWindowTest, OpenLoadsTheFileSortedTitlesTheWindowAndEnablesTheDataCommands)
{
    const std::string path = m_files.write("lot.csv", "3\r\n1\r\n2\r\n");
    open(path);
    EXPECT_EQ(title(), "Quantiview 3.0 (" + path + ")");
    EXPECT_EQ(values(), (std::vector<double>{1, 2, 3}));
    expectAvailable(
        {"Options_File", "EnableDisable", "SaveAs", "InputOverlayData", "mnuRefresh", "mnuPrint"},
        true);
    expectAvailable({"NewData"}, false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindowTest, OpenThatIsCancelledOrFailsKeepsThePreviousDataAndTitle)
{
    const std::string wide = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21\n";
    const struct
    {
        const char* name;
        std::optional<std::string> path;
        bool accept;
        std::vector<std::string> said;
    } cases[] = {
        {"Cancel in the file dialog", std::nullopt, true, {}},
        {"Cancel in Data File Parameters", m_files.write("second.csv", "9\n8\n"), false, {}},
        {"missing file", m_files.path("missing.csv"), true, {"File Error 53 Try Again"}},
        {"21 fields", m_files.write("wide.csv", wide + wide), true, {"Unexpected Error 9"}},
    };
    open(m_files.write("first.csv", "5\n4\n"));
    const std::string before = title();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_prompter.messages.clear();
        open(c.path, {.accept = c.accept});
        std::vector<std::string> said;
        for (const RecordedMessage& message : m_prompter.messages) {
            said.push_back(message.text);
        }
        EXPECT_EQ(said, c.said);
        EXPECT_EQ(title(), before);
        EXPECT_EQ(values(), (std::vector<double>{4, 5}));
        EXPECT_TRUE(available(m_window, "SaveAs"));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(MainWindowTest, InputNewDataRefusesAProjectFileAndChangesNothing)
{
    open(m_files.write("lot.csv", "1\n2\n"));
    const std::string before = title();
    m_prompter.openAnswers.push_back(m_files.write("chart.qvw", "1,1\n"));
    m_window.runCommand(Menu::NewData); // its menu item is unavailable after a data file
    ASSERT_EQ(m_prompter.messages.size(), 1u);
    EXPECT_EQ(m_prompter.messages[0].text, "New data file must be *.CSV or equivalent");
    EXPECT_EQ(title(), before);
    EXPECT_EQ(values(), (std::vector<double>{1, 2}));
    EXPECT_EQ(m_prompter.dataFileDialogs, 1); // no parameters dialog for the refused file
}

TEST_F(MainWindowTest, CommandLineOpensThePathWithOrWithoutQuotesTitledWithTheBareName)
{
    const std::string path = m_files.write("RUN1.CSV", "7\n6\n");
    for (const std::string& argument : {"\"" + path + "\"", path}) {
        SCOPED_TRACE(argument);
        MainWindow window(m_prompter);
        window.openFromCommandLine(QString::fromStdString(argument));
        EXPECT_EQ(window.windowTitle().toStdString(), "Quantiview 3.0 (RUN1.CSV)");
        EXPECT_EQ(window.session().set(1).values, (std::vector<double>{6, 7}));
        EXPECT_TRUE(available(window, "SaveAs"));
    }
    EXPECT_TRUE(m_prompter.messages.empty());
}

TEST_F(MainWindowTest, DrawsTheChartAfterALoadAndRefreshesWithTheNewSize)
{
    open(m_files.write("lot.csv", "Width (mm)\n3\n1\n2\n5\n4\n"));
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
    trigger("mnuRefresh");
    trigger("mnuRefresh");
    EXPECT_NEAR(m_window.plotArea()->width(), width * 1.2, 2);
    EXPECT_TRUE(m_prompter.messages.empty());
}

// A point of an item's placement, `offset` pixels into it, in the pixels of `widget`.
QPoint inside(MainWindow& window, const Placement& item, QWidget* widget, QPoint offset)
{
    const TwipScale& t = window.twipScale();
    const QPoint onSurface(t.toPixelsX(item.left), t.toPixelsY(item.top));
    return widget->mapFrom(window.centralWidget(), onSurface + offset);
}

TEST_F(MainWindowTest, DragsTheBoxesAndTheAxisLabelByTheDropRulesAndDescribesTheChart)
{
    open(m_files.write("lot.csv", "Width (mm)\n3\n1\n2\n5\n4\n"));
    m_window.session().settings.setText(Ctl::PlotOpts_PlotTitle, "Lot <b>7</b>");
    trigger("mnuRefresh");
    m_window.show();
    QWidget* plot = m_window.plotArea();
    EXPECT_EQ(plot->accessibleName(), "Probability chart");
    const QStringList lines = plot->accessibleDescription().split('\n');
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"Lot <b>7</b>", "No. Pts. = 5", "Min = 1"}));
    EXPECT_EQ(lines.back(), "Width (mm)");

    const Placements& placed = m_window.scene().placements;
    const double twipsX = m_window.twipScale().twipsPerPixelX();
    const double left = placed.statsBox.left;
    const double top = placed.statsBox.top;
    const QPoint grab = inside(m_window, placed.statsBox, plot, {10, 10});
    // A press and release without a move changes nothing.
    QTest::mouseClick(plot, Qt::LeftButton, {}, grab);
    EXPECT_EQ(placed.statsBox.left, left);

    QTest::mousePress(plot, Qt::LeftButton, {}, grab);
    QTest::mouseMove(plot, grab + QPoint(60, 40));
    EXPECT_TRUE(m_window.dragger()->dragging());
    EXPECT_TRUE(m_window.dragger()->overlay()->isVisible());
    EXPECT_EQ(placed.statsBox.left, left) << "the box moves when it is dropped";
    QTest::mouseMove(plot, grab + QPoint(120, 80));
    QTest::mouseRelease(plot, Qt::LeftButton, {}, grab + QPoint(120, 80));
    EXPECT_FALSE(m_window.dragger()->overlay()->isVisible());
    EXPECT_NEAR(placed.statsBox.left, left + 120 * twipsX, 1e-6);
    EXPECT_NEAR(placed.statsBox.top, top + 80 * m_window.twipScale().twipsPerPixelY(), 1e-6);
    EXPECT_EQ(m_window.session().placements.statsBox.left, placed.statsBox.left);

    const double moved = placed.statsBox.left;
    // The axis label moves over the window's background and back beside the
    // axis at the next drawing; the box stays where the user put it.
    auto* yLabel = m_window.findChild<QLabel*>(QStringLiteral("Ylabel"));
    const QRect before = yLabel->geometry();
    const QPoint label = yLabel->rect().center();
    const QPoint below = yLabel->mapFrom(
        m_window.centralWidget(), QPoint(before.center().x() + 5, plot->geometry().bottom() + 60));
    QTest::mousePress(yLabel, Qt::LeftButton, {}, label);
    QTest::mouseMove(yLabel, below);
    QTest::mouseRelease(yLabel, Qt::LeftButton, {}, below);
    EXPECT_NEAR(yLabel->geometry().center().y(), plot->geometry().bottom() + 60, 2);
    trigger("mnuRefresh");
    EXPECT_EQ(yLabel->geometry(), before);
    EXPECT_EQ(placed.statsBox.left, moved);
    EXPECT_TRUE(m_prompter.messages.empty());
}

} // namespace
} // namespace qv
