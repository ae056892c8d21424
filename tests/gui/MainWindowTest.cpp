// The main window driven through scripted answers: menus, start-up, opening and failed
// loads, Paste Data and Save File As, the drawn chart and the dragging of its boxes
// and axis label, the lot decisions in the status bar and the Sampling Plan window;
// the two data editors as a user drives them (clicks and Space on rows, OK and
// Cancel, the overlay grid, a lot of 100000 points); and the Help menu: the manual
// in the help window (contents, index, search), a missing manual, the About box and
// the About the Calculations window.
#include "gui/app/MainWindow.h"
#include "core/model/ScriptedPrompter.h"
#include "gui/app/ChartDragger.h"
#include "gui/app/WindowCommands.h"
#include "gui/dialogs/AboutWindows.h"
#include "gui/dialogs/DataEditorDialog.h"
#include "gui/dialogs/HelpWindow.h"
#include "gui/dialogs/PointGridModel.h"
#include "gui/dialogs/SamplingPlanWindow.h"
#include "support/TempFiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpLink>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

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
    ~MainWindowTest() override
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->hide();
        }
    }
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
    const auto before = pictureAndProject();
    m_window.action(Menu::mnuSamplingPlan)->trigger();
    m_window.action(Menu::mnuRefresh)->trigger();
    EXPECT_EQ(pictureAndProject(), before);
    // The status bar takes no room from the chart's surface.
    EXPECT_EQ(m_window.centralWidget()->size(), surface);
    EXPECT_EQ(surface, m_window.centralWidget()->minimumSize());
}

// The data editors.
std::string linesOf(int count, double step = 1.0)
{
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += std::to_string(i * step) + "\n";
    }
    return text;
}

class DataEditorTest : public MainWindowTest
{
protected:
    DataEditorTest()
    {
        // Every drawing prints the footer's date once: counting the dates counts the drawings.
        m_window.document().plot().today = [this] {
            ++m_drawings;
            return std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::month{12},
                                               std::chrono::day{7}};
        };
    }
    void openOverlay(const std::string& name, const std::string& content)
    {
        m_prompter.openAnswers.assign(1, m_files.write(name, content));
        m_window.runCommand(Menu::InputOverlayData);
    }
    DataEditorDialog* openEditor(Menu item)
    {
        m_window.runCommand(item);
        const EditorKind kind =
            item == Menu::EnableDisable ? EditorKind::EnableDisable : EditorKind::Hilite;
        DataEditorDialog* editor = m_window.windowCommands().editor(kind);
        EXPECT_NE(editor, nullptr);
        EXPECT_TRUE(editor && editor->isVisible());
        return editor;
    }
    // Clicks the data row `row` (0-based) of the grid of `set`, at its value.
    static void click(DataEditorDialog* editor, int set, int row)
    {
        PointGridView* grid = editor->grid(set);
        grid->scrollTo(grid->model()->index(row, 1));
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    static QString cell(DataEditorDialog* editor, int set, int row, int column)
    {
        return editor->model(set)->index(row, column).data().toString();
    }
    static void press(DataEditorDialog* editor, const char* button)
    {
        QTest::mouseClick(editor->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    const DataSet& set(int number) const { return m_window.session().set(number); }

    int m_drawings = 0;
};

TEST_F(DataEditorTest, AClickDisablesAPointASecondEnablesItAndHilitingMarksOnlyItsOwnEditor)
{
    open(m_files.write("ten.csv", linesOf(10)));
    DataEditorDialog* editor = openEditor(Menu::EnableDisable);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Data Editor");
    EXPECT_TRUE(editor->isModal());

    click(editor, 1, 2);
    EXPECT_EQ(cell(editor, 1, 2, 0), "x 3");
    EXPECT_EQ(set(1).states[2], 0);
    click(editor, 1, 2);
    EXPECT_EQ(cell(editor, 1, 2, 0), " 3");
    EXPECT_EQ(set(1).states[2], 1);

    // Space toggles the current row once, as a click does.
    editor->grid(1)->setFocus();
    editor->grid(1)->setCurrentIndex(editor->model(1)->index(6, 0));
    QTest::keyClick(editor->grid(1), Qt::Key_Space);
    EXPECT_EQ(cell(editor, 1, 6, 0), "x 7");
    // No uncertainty column was read: the Sigma column is hidden.
    EXPECT_TRUE(editor->grid(1)->isColumnHidden(2));
    press(editor, "OK");

    // Hiliting marks a point in its own editor only.
    DataEditorDialog* hilite = openEditor(Menu::HiliteUnhilite);
    ASSERT_NE(hilite, nullptr);
    EXPECT_EQ(cell(hilite, 1, 6, 0), " 7");
    click(hilite, 1, 4);
    EXPECT_EQ(set(1).states[4], 3);
    EXPECT_EQ(cell(hilite, 1, 4, 0), "x 5");
    press(hilite, "OK");
    EXPECT_EQ(cell(openEditor(Menu::EnableDisable), 1, 4, 0), " 5");
}

TEST_F(DataEditorTest, OkRedrawsOnceCancelNeverAndBothKeepTheClicks)
{
    open(m_files.write("ten.csv", linesOf(10)));
    const struct
    {
        const char* button;
        int drawings;
    } rows[] = {{"OK", 1}, {"Command1", 0}};
    int disabled = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button);
        DataEditorDialog* editor = openEditor(Menu::EnableDisable);
        click(editor, 1, disabled);
        ++disabled;
        m_drawings = 0;
        press(editor, row.button);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(m_drawings, row.drawings);
        EXPECT_EQ(set(1).enabledCount, 10 - disabled);
    }
    // Reopened, the editor shows the marks as they were left.
    DataEditorDialog* editor = openEditor(Menu::EnableDisable);
    EXPECT_EQ(cell(editor, 1, 0, 0), "x 1");
    EXPECT_EQ(cell(editor, 1, 1, 0), "x 2");
    EXPECT_EQ(cell(editor, 1, 2, 0), " 3");
}

TEST_F(DataEditorTest, TheOverlayGridAndTheSigmaColumnShowOnlyWithTheirData)
{
    open(m_files.write("main.csv", linesOf(10)));
    DataEditorDialog* editor = openEditor(Menu::EnableDisable);
    EXPECT_FALSE(editor->grid(2)->isVisible());
    press(editor, "Command1");

    openOverlay("first.csv", linesOf(4));
    editor = openEditor(Menu::EnableDisable);
    EXPECT_TRUE(editor->grid(2)->isVisible());
    EXPECT_EQ(editor->model(2)->rowCount(), 4);
    click(editor, 2, 3);
    EXPECT_EQ(set(2).states[3], 0);
    EXPECT_EQ(set(1).enabledCount, 10);
    press(editor, "OK");

    openOverlay("second.csv", linesOf(6, 0.5));
    editor = openEditor(Menu::EnableDisable);
    EXPECT_EQ(editor->model(2)->rowCount(), 6);
    EXPECT_EQ(cell(editor, 2, 3, 0), " 4");
    EXPECT_EQ(cell(editor, 2, 0, 1), "5.00E-01");
    press(editor, "Command1");

    // A new main file drops the overlay: its grid is hidden again. This one has
    // an uncertainty column, which shows.
    open(m_files.write("sigma.csv", "1,0.1\n2,0.02\n3,1234.5\n"), {.sigmaColumn = 2});
    editor = openEditor(Menu::HiliteUnhilite);
    EXPECT_FALSE(editor->grid(2)->isVisible());
    EXPECT_EQ(editor->model(1)->rowCount(), 3);
    EXPECT_FALSE(editor->grid(1)->isColumnHidden(2));
    EXPECT_EQ(cell(editor, 1, 2, 2), "1.23E+03");
    EXPECT_EQ(editor->model(1)->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Sigma");
}

TEST_F(DataEditorTest, OpensAHundredThousandPointsWithRoomForEveryMarker)
{
    open(m_files.write("large.csv", linesOf(MaxPoints)));
    DataEditorDialog* editor = openEditor(Menu::EnableDisable);
    ASSERT_EQ(editor->model(1)->rowCount(), MaxPoints);
    // The last point, disabled, still fits its column.
    click(editor, 1, MaxPoints - 1);
    EXPECT_EQ(cell(editor, 1, MaxPoints - 1, 0), "x 100000");
    const int needed = editor->grid(1)->fontMetrics().horizontalAdvance(QStringLiteral("x 100000"));
    EXPECT_GT(editor->grid(1)->columnWidth(0), needed);
    EXPECT_EQ(set(1).enabledCount, MaxPoints - 1);
}

// The Help menu.
class HelpTest : public MainWindowTest
{
protected:
    // The window looks for the manual beside the program, with a collection of the test's own.
    void useManualIn(const QString& programFolder)
    {
        m_window.windowCommands().setHelpLocation(
            programFolder, QString::fromStdString(m_files.path("cache/quantiview.qhc")));
    }
    HelpWindow* help() const { return m_window.windowCommands().helpWindow(); }
};

TEST(HelpFiles, AreLookedForBesideTheProgramAndInTheDataFolderButNeverInTheCurrentFolder)
{
    test::TempFiles files;
    const QString root = QString::fromStdString(files.path(""));
    QDir(root).mkpath(QStringLiteral("prefix/bin"));
    QDir(root).mkpath(QStringLiteral("prefix/share/quantiview"));
    QDir(root).mkpath(QStringLiteral("elsewhere"));
    const QString installed = root + QStringLiteral("/prefix/share/quantiview/quantiview.qch");
    QFile(installed).open(QIODevice::WriteOnly);
    QFile(root + QStringLiteral("/elsewhere/quantiview.qch")).open(QIODevice::WriteOnly);

    const QString before = QDir::currentPath();
    QDir::setCurrent(root + QStringLiteral("/elsewhere"));
    EXPECT_EQ(findHelpFile(root + QStringLiteral("/prefix/bin")), QDir::cleanPath(installed));
    EXPECT_EQ(findHelpFile(root + QStringLiteral("/prefix")), QString());
    EXPECT_EQ(findHelpFile(QStringLiteral(".")), QString());
    QDir::setCurrent(before);
}

TEST_F(HelpTest, AMissingManualIsReportedWithThePlacesLookedIn)
{
    const QString empty = QString::fromStdString(m_files.path(""));
    useManualIn(empty);
    for (Menu item : {Menu::mnuHelpContents, Menu::mnuHelpIndex}) {
        m_window.runCommand(item);
    }
    EXPECT_EQ(help(), nullptr);
    ASSERT_EQ(m_prompter.messages.size(), 2u);
    const RecordedMessage& message = m_prompter.messages[0];
    EXPECT_EQ(message.title, "Help Error");
    EXPECT_NE(message.text.find("quantiview.qch was not found"), std::string::npos);
    EXPECT_NE(message.text.find(QDir::cleanPath(empty).toStdString() + "\n"), std::string::npos);
    EXPECT_NE(message.text.find("/share/quantiview"), std::string::npos);
}

TEST_F(HelpTest, ContentsOpenTheManualAtItsFirstPageAndTheIndexFindsKeywordsAndSearches)
{
    useManualIn(QStringLiteral(QV_PROGRAM_DIR));
    m_window.runCommand(Menu::mnuHelpContents);
    ASSERT_NE(help(), nullptr) << (m_prompter.messages.empty() ? "" : m_prompter.messages[0].text);
    EXPECT_TRUE(help()->isVisible());
    EXPECT_FALSE(help()->isModal());
    EXPECT_EQ(help()->tabs()->currentIndex(), 0);
    EXPECT_TRUE(help()->browser()->toPlainText().contains("Where to start"));

    // The contents tree is filled in the background.
    QHelpContentModel* contents = help()->engine().contentModel();
    if (contents->rowCount() == 0) {
        QSignalSpy created(contents, &QHelpContentModel::contentsCreated);
        ASSERT_TRUE(created.wait(30000));
    }
    ASSERT_GE(contents->rowCount(), 1);
    EXPECT_EQ(contents->contentItemAt(contents->index(0, 0))->title(), "Quantiview Help");

    m_window.runCommand(Menu::mnuHelpIndex);
    EXPECT_EQ(help()->tabs()->currentIndex(), 1);
    EXPECT_TRUE(help()->showKeyword(QStringLiteral("Copy Graph")));
    EXPECT_EQ(help()->browser()->source().path(), "/doc/output.html");
    EXPECT_TRUE(help()->browser()->toPlainText().contains("Copy Graph"));
    EXPECT_FALSE(help()->showKeyword(QStringLiteral("no such keyword")));
    // Keywords carry the object names of the menu items and controls.
    EXPECT_FALSE(help()->engine().documentsForIdentifier(QStringLiteral("mnuCopy")).isEmpty());

    // The collection is new, so the first query waits for the pages to be indexed.
    QSignalSpy finished(help(), &HelpWindow::searchFinished);
    help()->search(QStringLiteral("overwrite"));
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_GT(finished.front().front().toInt(), 0);
}

TEST_F(HelpTest, AboutBlocksTheWindowAndTheCalculationsWindowDoesNot)
{
    m_window.runCommand(Menu::mnuAbout);
    AboutDialog* about = m_window.windowCommands().aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), "About Quantiview");
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowModality(), Qt::ApplicationModal);
    auto* ok = about->findChild<QPushButton*>("OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "O&K");
    EXPECT_EQ(ok->toolTip(), "Go back to plot.");
    ok->click();
    EXPECT_FALSE(about->isVisible());

    m_window.runCommand(Menu::mnuCalculations);
    CalculationsWindow* calculations = m_window.windowCommands().calculationsWindow();
    ASSERT_NE(calculations, nullptr);
    EXPECT_EQ(calculations->windowTitle(), "About the Calculations");
    EXPECT_TRUE(calculations->isVisible());
    EXPECT_EQ(calculations->windowModality(), Qt::NonModal);
    const QString text = calculations->document()->toPlainText();
    for (const char* formula : {"k =", "a = 1 \u2212", "b = K", "2(N \u2212 1)"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(formula))) << formula;
    }
    calculations->findChild<QPushButton*>("cmdCalculationsOK")->click();
    EXPECT_FALSE(calculations->isVisible());
}

} // namespace
} // namespace qv
