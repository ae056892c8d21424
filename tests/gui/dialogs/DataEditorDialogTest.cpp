// The two data editors as a user drives them from the main window: clicks and Space on
// rows, OK and Cancel, the overlay grid and the Sigma column, a lot of 100000 points.
#include "MainWindowFixture.h"
#include "gui/app/WindowCommands.h"
#include "gui/dialogs/DataEditorDialog.h"
#include "gui/dialogs/PointGridModel.h"

#include <QPushButton>
#include <QRect>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace qv {
namespace {

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
    EXPECT_EQ(editor->windowTitle(), "Enable/Disable Data");
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
    EXPECT_EQ(cell(editor, 2, 0, 1), "0.5");
    press(editor, "Command1");

    // A new main file drops the overlay: its grid is hidden again. This one has
    // an uncertainty column, which shows.
    open(m_files.write("sigma.csv", "1,0.1\n2,0.02\n3,1234.5\n"), {.sigmaColumn = 2});
    editor = openEditor(Menu::HiliteUnhilite);
    EXPECT_FALSE(editor->grid(2)->isVisible());
    EXPECT_EQ(editor->model(1)->rowCount(), 3);
    EXPECT_FALSE(editor->grid(1)->isColumnHidden(2));
    EXPECT_EQ(cell(editor, 1, 2, 2), "1234.5");
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

} // namespace
} // namespace qv
