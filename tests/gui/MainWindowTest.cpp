// The main window driven through scripted answers: menus, start-up, opening and failed
// loads, Paste Data and Save File As, the drawn chart and the dragging of its boxes
// and axis label, and the lot decisions in the status bar and the Sampling Plan window.
#include "gui/app/MainWindow.h"
#include "core/model/ScriptedPrompter.h"
#include "gui/app/ChartDragger.h"
#include "gui/app/WindowCommands.h"
#include "gui/dialogs/SamplingPlanWindow.h"
#include "support/TempFiles.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
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

TEST_F(MainWindowTest, StartsWithOnlyOpenExitEditPasteAndHelpAndAnOpenedFileEnablesTheRest)
{
    EXPECT_EQ(title(), "Quantiview 3.0");
    expectAvailable({"Menu_File", "FileEdit", "Help", "mnuOpenFile", "ExitProgram", "PasteData",
                     "mnuHelpContents", "mnuHelpIndex", "mnuCalculations", "mnuAbout"},
                    true);
    expectAvailable({"Options_File", "SaveAs", "mnuSaveGraph", "mnuPageSetup", "mnuPrint",
                     "mnuRefresh", "mnuCopy", "EnableDisable", "HiliteUnhilite", "NewData",
                     "InputOverlayData"},
                    false);

    const std::string path = m_files.write("lot.csv", "3\r\n1\r\n2\r\n");
    open(path);
    EXPECT_EQ(title(), "Quantiview 3.0 (" + path + ")");
    EXPECT_EQ(values(), (std::vector<double>{1, 2, 3}));
    expectAvailable(
        {"Options_File", "EnableDisable", "SaveAs", "InputOverlayData", "mnuRefresh", "mnuPrint"},
        true);
    expectAvailable({"NewData"}, false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Input New Data (unavailable after a data file) refuses a project file
    // without asking for its parameters.
    m_prompter.openAnswers.push_back(m_files.write("chart.qvw", "1,1\n"));
    m_window.runCommand(Menu::NewData);
    ASSERT_EQ(m_prompter.messages.size(), 1u);
    EXPECT_EQ(m_prompter.messages[0].text, "New data file must be *.CSV or equivalent");
    EXPECT_EQ(m_prompter.dataFileDialogs, 1);
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

TEST_F(MainWindowTest, PastesTheClipboardsPlainTextAndSavesItAsAProject)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("3\r\n1\r\n2\r\n5\r\n"));
    trigger("PasteData");
    EXPECT_EQ(values(), (std::vector<double>{1, 2, 3, 5}));
    EXPECT_TRUE(available(m_window, "SaveAs"));

    // A picture alone is no data: the chart stays.
    auto* picture = new QMimeData;
    picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
    clipboard->setMimeData(picture);
    trigger("PasteData");
    ASSERT_EQ(m_prompter.messages.size(), 1u);
    EXPECT_EQ(m_prompter.messages[0].text, "Clipboard Data Not Text!");
    EXPECT_EQ(m_prompter.messages[0].title, "Clipboard Error");
    EXPECT_EQ(values(), (std::vector<double>{1, 2, 3, 5}));
    clipboard->clear();

    const std::string path = m_files.path("Lot 7");
    m_prompter.saveAnswers.push_back(path);
    trigger("SaveAs");
    EXPECT_EQ(title(), "Quantiview 3.0 (" + path + ".qvw)");
    EXPECT_TRUE(std::filesystem::exists(path + ".qvw"));
    EXPECT_EQ(m_prompter.messages.size(), 1u);
}

TEST_F(MainWindowTest, DrawsTheChartAfterALoad)
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

// The lot decisions in the window: the status bar under the chart and the
// Sampling Plan window.
class LotDecisionWindowTest : public MainWindowTest
{
protected:
    LotDecisionWindowTest()
    {
        m_window.openFromCommandLine(
            QString::fromStdString(m_files.write("lot.csv", "5\n4\n3\n2\n1\n")));
    }
    // Ticks Limit Lines with `limit` and draws as after the dialog's OK.
    void drawWithLimit(const char* limit)
    {
        Settings& s = m_window.session().settings;
        s.setCheck(Ctl::PlotOpts_LimitLines, 1);
        s.setText(Ctl::PlotOpts_ULimit, limit);
        m_window.document().drawPlot();
    }
    std::string status() const { return m_window.lotStatus()->text().toStdString(); }
    std::string shown(const char* name) const
    {
        const auto* label = m_plan->findChild<QLabel*>(name);
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text().toStdString() : std::string();
    }
    QByteArray pictureAndProject()
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        m_window.windowCommands().windowPicture().save(&buffer, "PNG");
        const std::string project = m_files.path("lot.qvw");
        EXPECT_TRUE(m_window.document().writeProject(project));
        QFile file(QString::fromStdString(project));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return bytes + file.readAll();
    }

    SamplingPlanWindow* m_plan = nullptr;
};

TEST_F(LotDecisionWindowTest, StatusBarAndSamplingPlanFollowEveryDrawing)
{
    EXPECT_EQ(status(), "Anderson-Darling p = 0.92");
    drawWithLimit("10");
    const std::string both = "Anderson-Darling p = 0.92 \u00b7 Ts 7.09 \u2264 UL 10: accepted"
                             " \u00b7 exact k 2.74, Ts 7.34: accepted";
    EXPECT_EQ(status(), both);
    EXPECT_EQ(m_window.lotStatus()->accessibleName().toStdString(), "Lot decision");
    EXPECT_EQ(m_window.lotStatus()->accessibleDescription().toStdString(), both);

    QAction* item = m_window.action(Menu::mnuSamplingPlan);
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    m_plan = m_window.windowCommands().samplingPlanWindow();
    ASSERT_NE(m_plan, nullptr);
    EXPECT_TRUE(m_plan->isVisible());
    EXPECT_EQ(m_plan->windowModality(), Qt::NonModal);
    EXPECT_EQ(m_plan->windowTitle().toStdString(), "Sampling Plan");
    const std::pair<const char*, const char*> fields[] = {
        {"lblN", "5"},
        {"lblCR", "0.1"},
        {"lblLTPD", "10%"},
        {"lblK", "2.586"},
        {"lblKExact", "2.742"},
        {"lblTs", "7.089"},
        {"lblTsExact", "7.336"},
        {"lblVerdict", "accepted: Ts \u2264 UL 10"},
        {"lblVerdictExact", "accepted: Ts \u2264 UL 10"},
        {"lblNormality", "A\u00b2 = 0.144, A*\u00b2 = 0.178, p = 0.92"},
    };
    for (const auto& [name, text] : fields) {
        EXPECT_EQ(shown(name), text) << name;
    }
    EXPECT_GT(m_plan->ocScene().windowWidth, 0);

    // A limit between the two values of Ts: the window follows.
    drawWithLimit("7.2");
    EXPECT_EQ(shown("lblVerdict"), "accepted: Ts \u2264 UL 7.2");
    EXPECT_EQ(shown("lblVerdictExact"), "rejected: Ts > UL 7.2");

    // A failed load clears both.
    m_prompter.openAnswers.push_back(m_files.path("missing.csv"));
    m_window.action(Menu::mnuOpenFile)->trigger();
    EXPECT_EQ(status(), "");
    EXPECT_EQ(shown("lblLot"), "No lot is drawn.");
    EXPECT_EQ(m_plan->ocScene().windowWidth, 0);
}

TEST_F(LotDecisionWindowTest, NeitherChangesTheChartPictureNorTheProject)
{
    drawWithLimit("10");
    const QSize surface = m_window.centralWidget()->size();
    const QByteArray before = pictureAndProject();
    m_window.action(Menu::mnuSamplingPlan)->trigger();
    m_window.action(Menu::mnuRefresh)->trigger();
    EXPECT_EQ(pictureAndProject(), before);
    // The status bar takes no room from the chart's surface.
    EXPECT_EQ(m_window.centralWidget()->size(), surface);
    EXPECT_EQ(surface, m_window.centralWidget()->minimumSize());
}

} // namespace
} // namespace qv
