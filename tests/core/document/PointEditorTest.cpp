// The data editors' rules without the dialogs: what a click does to a point's state,
// which states each editor marks, how a row reads and when a grid is refused.
#include "ChartHarness.h"
#include "core/Errors.h"
#include "core/document/PointEditor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace qv {
namespace {

DataSet setOf(const test::States& states)
{
    return test::makeSet(test::Values(states.size(), 1.0), states);
}

TEST(PointEditor, AClickFlipsTheEditorsBitAndKeepsTheEnabledCountInStep)
{
    // Each row: the editor, the point's state before and after and the change of the count.
    const std::tuple<EditorKind, std::int16_t, std::int16_t, int> rows[] = {
        {EditorKind::EnableDisable, 1, 0, -1}, {EditorKind::EnableDisable, 3, 2, -1},
        {EditorKind::Hilite, 1, 3, 0},         {EditorKind::Hilite, 0, 2, 0},
    };
    for (const auto& [kind, before, after, countChange] : rows) {
        SCOPED_TRACE(testing::Message() << "editor " << static_cast<int>(kind) << ", state " << before);
        DataSet set = setOf({1, before, 1});
        const int count = set.enabledCount;
        ASSERT_TRUE(togglePoint(set, kind, 2));
        EXPECT_EQ(set.states, (test::States{1, after, 1}));
        EXPECT_EQ(set.enabledCount, count + countChange);
        // A second click gives both back: the opposite change.
        ASSERT_TRUE(togglePoint(set, kind, 2));
        EXPECT_EQ(set.states, (test::States{1, before, 1}));
        EXPECT_EQ(set.enabledCount, count);
    }
}

TEST(PointEditor, EachEditorMarksItsOwnStates)
{
    const struct { std::int16_t state; bool enableMark, hiliteMark; } rows[] = {
        {0, true, false}, {1, false, false}, {2, true, true}, {3, false, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.state);
        EXPECT_EQ(isMarked(EditorKind::EnableDisable, row.state), row.enableMark);
        EXPECT_EQ(isMarked(EditorKind::Hilite, row.state), row.hiliteMark);
    }
}

TEST(PointEditor, ClicksOutsideTheSetChangeNothing)
{
    for (EditorKind kind : {EditorKind::EnableDisable, EditorKind::Hilite}) {
        for (int point : {0, -1, 4}) {
            SCOPED_TRACE(point);
            DataSet set = setOf({1, 7, 0});
            EXPECT_FALSE(togglePoint(set, kind, point));
            EXPECT_EQ(set.states, (std::vector<std::int16_t>{1, 7, 0}));
            EXPECT_EQ(set.enabledCount, 1);
        }
    }
}

TEST(PointEditor, RowsReadAsTheGridsWriteThem)
{
    EXPECT_EQ(pointNumberText(7, false), " 7");
    EXPECT_EQ(pointNumberText(7, true), "x 7");
    EXPECT_EQ(widestPointNumberText(100000), "x 100000");
    EXPECT_EQ(widestPointNumberText(0), "x 1");
    const std::pair<double, const char*> values[] = {
        {1234.5, "1234.5"}, {0, "0"}, {-0.001234, "-0.001234"}, {9.996, "9.996"},
        {1e-100, "1e-100"}};
    for (const auto& [value, text] : values) {
        EXPECT_EQ(editorValueText(value), text);
    }
}

TEST(PointEditor, AGridIsRefusedWhenTheSetCannotHoldItsRows)
{
    DataSet good = setOf({1, 1, 1});
    EXPECT_EQ(gridRowCount(good), 3);
    DataSet torn = setOf({1, 1});
    torn.pointCount = 3;
    DataSet negative = setOf({});
    negative.pointCount = -1;
    for (const DataSet* set : {&torn, &negative}) {
        try {
            gridRowCount(*set);
            ADD_FAILURE() << "a torn set was accepted";
        } catch (const QvError& e) {
            EXPECT_EQ(buildFailureText(EditorKind::EnableDisable, e), "Too much data to edit");
            EXPECT_EQ(buildFailureText(EditorKind::Hilite, e), "Too much data to Hilite");
        }
    }
    EXPECT_EQ(buildFailureText(EditorKind::EnableDisable, std::bad_alloc()), "Edit Buffer Full");
    EXPECT_EQ(buildFailureText(EditorKind::Hilite, std::bad_alloc()), "Hilite Buffer Full");
    EXPECT_EQ(buildFailureText(EditorKind::Hilite, std::runtime_error("x")),
              "Error in Hilite routine");
    EXPECT_STREQ(editorTexts(EditorKind::EnableDisable).failureTitle, "Data Edit Error");
    EXPECT_STREQ(editorTexts(EditorKind::Hilite).failureTitle, "Hilite Error");
}

} // namespace
} // namespace qv
