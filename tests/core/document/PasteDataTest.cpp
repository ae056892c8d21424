// Paste Data: columns and blocks from the clipboard, the options it keeps or resets,
// and a cancelled or failed paste that changes nothing.
#include "ChartHarness.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace qv {
namespace {

using test::Document;
using test::Lines;
using test::Values;

TEST(PasteData, LoadsColumnsAndBlocksAtStartUpAndKeepsTheOptionsOfATitledChart)
{
    Document d;
    ASSERT_TRUE(d.paste("1.5\r\n2.5\r\n0.5\r\n"));
    EXPECT_EQ(d.session.set(1).values, (Values{0.5, 1.5, 2.5}));
    EXPECT_EQ(d.session.window.windowTitle, "Quantiview 3.0");
    EXPECT_EQ(d.session.sources.pasteBuffer, (Lines{"1.5", "2.5", "0.5", "END OF PASTE"}));
    for (Menu item : {Menu::Options_File, Menu::EnableDisable, Menu::InputOverlayData}) {
        EXPECT_TRUE(d.session.menus.enabled(item)) << menuName(item);
    }
    d.s.setText(Ctl::PlotOpts_PlotTitle, "Lot 7");
    d.s.selectGroup(Ctl::PlotOpts_CR, 3);
    ASSERT_TRUE(d.paste("Width\tDepth (\xB5m)\r\n1\t10\r\n3\t30\r\n2\t20\r\n", {.valueColumn = 2}));
    EXPECT_EQ(d.prompter.previews.back().secondRow, "1\t10");
    EXPECT_EQ(d.s.text(Ctl::FileChar_Ncol), "2");
    EXPECT_EQ(d.session.set(1).values, (Values{10, 20, 30}));
    EXPECT_EQ(d.s.text(Ctl::PlotOpts_YAxisLabel), "Depth (\xC2\xB5m)");
    EXPECT_EQ(d.s.group(Ctl::PlotOpts_CR), 3); // the titled chart keeps its options
    EXPECT_EQ(d.said(), Lines{});
    // One line is previewed twice, not with the end line; an untitled chart is reset.
    d.s.setText(Ctl::PlotOpts_PlotTitle, "");
    ASSERT_TRUE(d.paste("42\t7"));
    EXPECT_EQ(d.prompter.previews.back().secondRow, "42\t7");
    EXPECT_EQ(d.s.group(Ctl::PlotOpts_CR), 1);
}

TEST(PasteData, ACancelledOrFailedPasteChangesNothing)
{
    // Each row: the clipboard's text, the answer to the dialog and what the user is told.
    const std::tuple<std::optional<std::string>, bool, const char*> rows[] = {
        {"7\n8\n9\n", false, nullptr},
        {std::nullopt, true, "Clipboard Error: Clipboard Data Not Text!"},
        {"7\r\n\r\n8\r\n", true, "Check Clipboard Data!: Clipboard Error  5"},
        {"1\n1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21", true,
         "File Error: Unexpected Error 9"},
    };
    for (const auto& [text, accept, said] : rows) {
        SCOPED_TRACE(said ? said : "Cancel");
        Document d;
        ASSERT_TRUE(d.paste("1\n2\n3\n"));
        d.prompter.openAnswers.push_back(d.files.write("over.csv", "4\n5\n6\n"));
        ASSERT_TRUE(d.document.inputOverlayData()); // clears the paste mode
        d.prompter.messages.clear();
        EXPECT_FALSE(d.paste(text, {.accept = accept}));
        EXPECT_EQ(d.said(), said ? Lines{said} : Lines{});
        EXPECT_EQ(d.session.set(1).values, (Values{1, 2, 3}));
        EXPECT_TRUE(d.session.sources.overlayLoaded);
        EXPECT_FALSE(d.session.sources.pasteMode);
        EXPECT_EQ(d.session.sources.pasteBuffer, (Lines{"1", "2", "3", "END OF PASTE"}));
    }
}

} // namespace
} // namespace qv
