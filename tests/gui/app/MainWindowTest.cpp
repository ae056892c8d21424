// The main window driven through scripted answers: menus, start-up, opening and failed
// loads, Paste Data and Save File As, the drawn chart and the dragging of its boxes
// and axis label, the lot decisions in the status bar and the Sampling Plan window.
#include "MainWindowFixture.h"
#include "gui/app/ChartDragger.h"
#include "gui/app/WindowCommands.h"
#include "gui/dialogs/SamplingPlanWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

namespace qv {
namespace {

TEST_F(MainWindowTest, MenuBarHoldsTheCommandsInOrderEachWithAnAccessKey)
{
    QStringList titles, captions; // captions: each menu's, "-" for a separator
    for (const QAction* entry : m_window.menuBar()->actions()) {
        titles << entry->text();
        QStringList shown;
        for (const QAction* action : entry->menu()->actions()) {
            shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
            EXPECT_TRUE(shown.back() == "-" || shown.back().count(u'&') == 1)
                << shown.back().toStdString();
        }
        captions << shown.join(u'|');
    }
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Options", "&Help"}));
    ASSERT_EQ(captions.size(), 4);
    EXPECT_EQ(captions[0],
              "&Open|&Save File As...|Save &Graph As|Page Set&up|&Print|&Recent Files|-|E&xit");
    EXPECT_EQ(captions[2], "&Graph Options|&Axes Options|Sampling &Plan");
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
    // Each row: the file chosen, the answer in Data File Parameters, what the user is told.
    const std::tuple<const char*, std::optional<std::string>, bool, std::vector<std::string>>
        cases[] = {
        {"Cancel in the file dialog", std::nullopt, true, {}},
        {"Cancel in Data File Parameters", m_files.write("second.csv", "9\n8\n"), false, {}},
        {"missing file", m_files.path("missing.csv"), true, {"File Error 53 Try Again"}},
    };
    open(m_files.write("first.csv", "5\n4\n"));
    const std::string before = title();
    for (const auto& [what, path, accept, expected] : cases) {
        SCOPED_TRACE(what);
        m_prompter.messages.clear();
        open(path, {.accept = accept});
        std::vector<std::string> said;
        for (const RecordedMessage& message : m_prompter.messages) {
            said.push_back(message.text);
        }
        EXPECT_EQ(said, expected);
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
    EXPECT_EQ(values(), (std::vector<double>{1, 2, 3, 5}));
    clipboard->clear();

    const std::string path = m_files.path("Lot 7");
    m_prompter.saveAnswers.push_back(path);
    trigger("SaveAs");
    EXPECT_EQ(title(), "Quantiview 3.0 (" + path + ".qvw)");
    EXPECT_TRUE(std::filesystem::exists(path + ".qvw"));
    EXPECT_EQ(m_prompter.messages.size(), 1u);
}

// A point of an item's placement, `offset` pixels into it, in the pixels of `widget`.
QPoint inside(MainWindow& window, const Placement& item, QWidget* widget, QPoint offset)
{
    const TwipScale& t = window.twipScale();
    const QPoint onSurface(t.toPixelsX(item.left), t.toPixelsY(item.top));
    return widget->mapFrom(window.centralWidget(), onSurface + offset);
}

TEST_F(MainWindowTest, DrawsAndDescribesTheChartAndDragsItsBoxesAndAxisLabelByTheDropRules)
{
    open(m_files.write("lot.csv", "Width (mm)\n3\n1\n2\n5\n4\n"));
    m_window.session().settings.setText(Ctl::PlotOpts_PlotTitle, "Lot <b>7</b>");
    trigger("mnuRefresh");
    m_window.show();
    QWidget* plot = m_window.plotArea();
    // The plot area shows the frame: its top left corner is black.
    const QImage picture = plot->grab().toImage();
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, picture.height() / 5), QColor(Qt::white));
    auto* yLabel = m_window.findChild<QLabel*>(QStringLiteral("Ylabel"));
    ASSERT_NE(yLabel, nullptr);
    EXPECT_FALSE(yLabel->isHidden());
    EXPECT_GT(yLabel->height(), yLabel->width()); // turned to read bottom to top
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
    // The window's picture and the bytes of its project file.
    std::pair<QImage, std::string> pictureAndProject()
    {
        const std::string project = m_files.path("lot.qvw");
        EXPECT_TRUE(m_window.document().writeProject(project));
        return {m_window.windowCommands().windowPicture(), test::fileBytes(project)};
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
        {"lblN", "5"},          {"lblCR", "0.1"}, {"lblLTPD", "10%"},     {"lblK", "2.586"},
        {"lblKExact", "2.742"}, {"lblTs", "7.089"}, {"lblTsExact", "7.336"},
        {"lblNormality", "A\u00b2 = 0.144, A*\u00b2 = 0.178, p = 0.92"},
    };
    for (const auto& [name, text] : fields) {
        EXPECT_EQ(shown(name), text) << name;
    }
    EXPECT_GT(m_plan->ocScene().windowWidth, 0);

    // A limit between the two values of Ts: the verdicts differ.
    drawWithLimit("7.2");
    EXPECT_EQ(shown("lblVerdict"), "accepted: Ts \u2264 UL 7.2");
    EXPECT_EQ(shown("lblVerdictExact"), "rejected: Ts > UL 7.2");

    // A failed load keeps the chart, and so both.
    const std::string kept = status();
    m_prompter.openAnswers.push_back(m_files.path("missing.csv"));
    m_window.action(Menu::mnuOpenFile)->trigger();
    EXPECT_EQ(status(), kept);
    EXPECT_EQ(shown("lblVerdictExact"), "rejected: Ts > UL 7.2");
    EXPECT_GT(m_plan->ocScene().windowWidth, 0);
}

TEST_F(LotDecisionWindowTest, TheSamplingPlanWindowJudgesBothLimitsAndShowsTheEstimates)
{
    Settings& s = m_window.session().settings;
    s.selectGroup(Ctl::PlotOpts_LimitSides, 2);
    s.setText(Ctl::PlotOpts_LLimit, "0");
    drawWithLimit("5");
    EXPECT_EQ(status(), "Anderson-Darling p = 0.92 \u00b7 Ts 7.09 > UL 5, Ts_lower -1.09 < LL 0: "
                        "rejected \u00b7 exact k 2.74, Ts 7.34, Ts_lower -1.34: rejected");
    m_window.action(Menu::mnuSamplingPlan)->trigger();
    m_plan = m_window.windowCommands().samplingPlanWindow();
    ASSERT_NE(m_plan, nullptr);
    // Mean 3, s 1.5811: Ppk 2 / (3 s); the upper fraction betainc(1.5, 1.5, 0.146447)
    // and Pa 0.0613160260 by scipy.integrate.quad (SciPy 1.10.1, k_exact 2.7423482030).
    const std::pair<const char*, const char*> fields[] = {
        {"lblTsLower", "-1.089"},
        {"lblTsLowerExact", "-1.336"},
        {"lblVerdict", "rejected: Ts > UL 5, Ts_lower < LL 0"},
        {"lblPpk", "0.422"},
        {"lblBeyondUpper", "9.085%"},
        {"lblBeyondLower", "0%"},
        {"lblPaBothSides", "0.0613"},
        {"lblOcNote", "With two limits the OC curve is that of each limit alone."},
    };
    for (const auto& [name, text] : fields) {
        EXPECT_EQ(shown(name), text) << name;
    }
    // The upper limit alone: the one-sided curve needs no note.
    s.selectGroup(Ctl::PlotOpts_LimitSides, 0);
    drawWithLimit("10");
    EXPECT_EQ(shown("lblOcNote"), "");
    EXPECT_EQ(shown("lblPaBothSides"), "with both limits only");
    EXPECT_EQ(shown("lblBeyondLower"), "no limit");
    EXPECT_EQ(shown("lblVerdict"), "accepted: Ts \u2264 UL 10");
}

TEST_F(LotDecisionWindowTest, NeitherChangesTheChartPictureNorTheProject)
{
    drawWithLimit("10");
    const QSize surface = m_window.centralWidget()->size();
    const auto before = pictureAndProject();
    m_window.action(Menu::mnuSamplingPlan)->trigger();
    m_window.action(Menu::mnuRefresh)->trigger();
    EXPECT_EQ(pictureAndProject(), before);
    // The status bar takes no room from the chart's surface.
    EXPECT_EQ(m_window.centralWidget()->size(), surface);
    EXPECT_EQ(surface, m_window.centralWidget()->minimumSize());
}

} // namespace
} // namespace qv
