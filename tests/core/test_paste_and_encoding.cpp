// Paste Data: cutting clipboard text, loading it, and the encodings of what comes in.
#include "core/document/ChartDocument.h"
#include "core/io/PasteText.h"
#include "core/io/TextEncoding.h"
#include "core/model/ScriptedPrompter.h"
#include "support/FixedPitchMeasurer.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Lines = std::vector<std::string>;
using Values = std::vector<double>;

TEST(PasteText, CutsClipboardTextIntoBufferLines)
{
    const std::string end(EndOfPaste);
    const struct
    {
        const char* what;
        std::string text;
        Lines lines;
        int errorCode;
    } rows[] = {
        {"a spreadsheet column with CR LF", "1.5\r\n2.5\r\n0.5\r\n", {"1.5", "2.5", "0.5", end}, 0},
        {"CR-only line ends", "3\r2\r1\r", {"3", "2", "1", end}, 0},
        {"a tab block with a header", "W\tD\r\n1\t10\r\n", {"W\tD", "1\t10", end}, 0},
        {"lines starting with a blank or a tab", "  1\n 2\n\t3\n4", {"1", "4", end}, 0},
        {"the last line is kept as it is", "1\n\tx", {"1", "\tx", end}, 0},
        {"one line", "42", {"42", end}, 0},
        {"no text", "", {end}, 0},
        {"blanks only", "   ", {end}, 0},
        {"an empty line", "1\n\n2", {}, 5},
        {"an empty line before the end", "1\r\n\r\n", {}, 5},
        {"a byte-order mark",
         "\xEF\xBB\xBF"
         "5\n6",
         {"5", "6", end},
         0},
        {"Windows-1252 text", "Weight (\xB5g)\n1", {"Weight (\xC2\xB5g)", "1", end}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const PasteCut cut = cutPastedText(row.text);
        EXPECT_EQ(cut.lines, row.lines);
        EXPECT_EQ(cut.errorCode, row.errorCode);
    }
    std::string most;
    for (int i = 0; i < 99999; ++i) {
        most += "1\n";
    }
    EXPECT_EQ(cutPastedText(most).lines.size(), 100000u);
    EXPECT_EQ(cutPastedText(most + "2").errorCode, 9);
}

TEST(PasteText, NthFieldTakesTabFieldsOrTheLastOne)
{
    for (const auto& [line, n, field] : {std::tuple{"a\tb\tc", 2, "b"},
                                         {" a\tb ", 2, "b"},
                                         {"a\tb", 5, "b"},
                                         {"Width (mm)", 1, "Width (mm)"},
                                         {"\tb", 1, ""}}) {
        EXPECT_EQ(nthField(line, n), field) << line << " " << n;
    }
}

TEST(TextEncoding, ReadsUtf8AsItIsAndAnythingElseAsWindows1252)
{
    const struct
    {
        const char* bytes;
        const char* utf8;
    } rows[] = {
        {"plain", "plain"},
        {"\xEF\xBB\xBF"
         "x",
         "x"},
        {"25 \xC2\xB0"
         "C",
         "25 \xC2\xB0"
         "C"}, // UTF-8 stays
        {"25 \xB0"
         "C \x80",
         "25 \xC2\xB0"
         "C \xE2\x82\xAC"},                               // degree and euro signs
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                 // an overlong form is no UTF-8
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"}, // nor a surrogate
    };
    for (const auto& row : rows) {
        EXPECT_EQ(toUtf8Text(row.bytes), row.utf8) << row.bytes;
    }
}

struct Document
{
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    ChartDocument document{prompter, measurer};
    Session& session = document.session();
    Settings& s = session.settings;
    test::TempFiles files;

    Document() { document.startUp(designLayout(12000, 9000), {"Arial"}); }
    bool paste(std::optional<std::string> text, DataFileAnswers answers = {})
    {
        prompter.dataFileAnswers.push_back(answers);
        return document.pasteData(text);
    }
    bool open(const std::string& name, const std::string& content, DataFileAnswers answers = {})
    {
        prompter.openAnswers.push_back(files.write(name, content));
        prompter.dataFileAnswers.push_back(answers);
        return document.openFile();
    }
    std::vector<std::string> said() const
    {
        std::vector<std::string> texts;
        for (const RecordedMessage& m : prompter.messages) {
            texts.push_back(m.title + ": " + m.text);
        }
        return texts;
    }
};

TEST(PasteData, LoadsAColumnAtStartUpWithTheChartCommandsAvailable)
{
    Document d;
    ASSERT_TRUE(d.paste("1.5\r\n2.5\r\n0.5\r\n"));
    EXPECT_EQ(d.session.set(1).values, (Values{0.5, 1.5, 2.5}));
    EXPECT_EQ(d.session.set(1).states, (std::vector<std::int16_t>{1, 1, 1}));
    EXPECT_EQ(d.prompter.previews.back().firstRow, "1.5");
    EXPECT_EQ(d.prompter.previews.back().secondRow, "2.5");
    EXPECT_EQ(d.session.windowTitle, "Quantiview 3.0");
    EXPECT_TRUE(d.session.pasteMode);
    EXPECT_EQ(d.session.pasteBuffer, (Lines{"1.5", "2.5", "0.5", "END OF PASTE"}));
    for (Menu item : {Menu::Options_File, Menu::EnableDisable, Menu::SaveAs, Menu::InputOverlayData,
                      Menu::mnuRefresh}) {
        EXPECT_TRUE(d.session.menus.enabled(item)) << menuName(item);
    }
    EXPECT_EQ(d.said(), Lines{});

    // One line is previewed twice, not with the end line.
    ASSERT_TRUE(d.paste("42\t7"));
    EXPECT_EQ(d.prompter.previews.back().secondRow, "42\t7");
    EXPECT_EQ(d.s.text(Ctl::FileChar_Ncol), "2");
}

TEST(PasteData, ATabBlockWithAHeaderLabelsTheChosenColumn)
{
    Document d;
    ASSERT_TRUE(d.paste("Width\tDepth (\xB5m)\r\n1\t10\r\n3\t30\r\n2\t20\r\n", {.valueColumn = 2}));
    EXPECT_EQ(d.s.text(Ctl::FileChar_Ncol), "2");
    EXPECT_EQ(d.session.set(1).values, (Values{10, 20, 30}));
    EXPECT_EQ(d.s.text(Ctl::PlotOpts_YAxisLabel), "Depth (\xC2\xB5m)");
}

TEST(PasteData, KeepsTheOptionsOfAChartWithATitle)
{
    for (const char* title : {"Lot 7", ""}) {
        SCOPED_TRACE(title);
        Document d;
        ASSERT_TRUE(d.paste("1\n2\n3\n"));
        d.s.setText(Ctl::PlotOpts_PlotTitle, title);
        d.s.selectGroup(Ctl::PlotOpts_CR, 3);
        ASSERT_TRUE(d.paste("4\n5\n6\n"));
        EXPECT_EQ(d.s.group(Ctl::PlotOpts_CR), *title ? 3 : 1);
        EXPECT_EQ(d.s.text(Ctl::PlotOpts_PlotTitle), title);
    }
}

TEST(PasteData, ACancelledOrFailedPasteChangesNothing)
{
    const struct
    {
        const char* what;
        std::optional<std::string> text;
        bool accept;
        const char* said;
    } rows[] = {
        {"Cancel in Data File Parameters", "7\n8\n9\n", false, nullptr},
        {"no text on the clipboard", std::nullopt, true,
         "Clipboard Error: Clipboard Data Not Text!"},
        {"only blanks", "  ", true, "Clipboard Error: Clipboard Data Not Text!"},
        {"an empty line", "7\r\n\r\n8\r\n", true, "Check Clipboard Data!: Clipboard Error  5"},
        {"a line of 21 numbers", "1\n1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21", true,
         "File Error: Unexpected Error 9"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Document d;
        ASSERT_TRUE(d.paste("1\n2\n3\n"));
        d.prompter.openAnswers.push_back(d.files.write("over.csv", "4\n5\n6\n"));
        ASSERT_TRUE(d.document.inputOverlayData());
        ASSERT_TRUE(d.session.overlayLoaded);
        ASSERT_FALSE(d.session.pasteMode);
        const Lines buffer = d.session.pasteBuffer;
        d.prompter.messages.clear();

        EXPECT_FALSE(d.paste(row.text, {.accept = row.accept}));
        EXPECT_EQ(d.said(), row.said ? Lines{row.said} : Lines{});
        EXPECT_EQ(d.session.set(1).values, (Values{1, 2, 3}));
        EXPECT_TRUE(d.session.overlayLoaded);
        EXPECT_FALSE(d.session.pasteMode);
        EXPECT_EQ(d.session.pasteBuffer, buffer);
    }
}

TEST(DataFileReader, ReadsFilesWithAByteOrderMarkOrInWindows1252)
{
    Document d;
    ASSERT_TRUE(d.open("bom.csv", "\xEF\xBB\xBF"
                                  "3\n1\n2\n"));
    EXPECT_EQ(d.session.set(1).values, (Values{1, 2, 3}));
    ASSERT_TRUE(d.open("old.csv", "Temperature (\xB0"
                                  "C)\r\n21.5\r\n22\r\n"));
    EXPECT_EQ(d.s.text(Ctl::PlotOpts_YAxisLabel), "Temperature (\xC2\xB0"
                                                  "C)");
    EXPECT_EQ(d.session.set(1).values, (Values{21.5, 22}));
}

} // namespace
} // namespace qv
