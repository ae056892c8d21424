// The chart document's load command and file commands, as the window and batch
// mode use them: which files it reads, the project extension, the command-line
// path, the open dialog and Input New Data.
#include "ChartHarness.h"
#include "core/document/FileCommands.h"
#include "core/io/FilePaths.h"
#include "core/io/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <sys/stat.h>

namespace qv {
namespace {

using test::Document;
using test::Lines;
using test::Values;

TEST(ChartDocument, LoadsEveryExampleLotAndDrawsItWithoutAMessage)
{
    int lots = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QV_EXAMPLES_DIR)) {
        SCOPED_TRACE(entry.path().string());
        Document d;
        ASSERT_TRUE(d.open(entry.path().string()));
        EXPECT_GT(d.session.set(1).pointCount, 10);
        EXPECT_EQ(d.document.lastOutcome(), DrawOutcome::Drawn);
        EXPECT_EQ(d.said(), Lines{});
        ++lots;
    }
    EXPECT_GE(lots, 4);
}

TEST(ChartDocument, ReadsOnlyRegularFilesAndLinesOfAtMostOneMebibyte)
{
    Document d;
    ASSERT_TRUE(d.openText("lot.csv", "Width\n3\n1\n2\n"));
    const std::string fifo = d.files.path("pipe.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string longLine(MaxLineLength + 1, '7');
    const std::string foreign(MaxLineLength, 'x');
    // Each row: the file and what the user is told (null: the file loads).
    const std::tuple<const char*, std::string, const char*> rows[] = {
        {"a FIFO, which would block", fifo, "File Error: File Error 54 Try Again"},
        {"an endless device", "/dev/zero", "File Error: File Error 54 Try Again"},
        {"a line one byte too long", d.files.write("long.csv", "1\n" + longLine + "\n2\n"),
         "File Error: Line 2 of the file is longer than 1048576 characters."},
        {"a skipped line of exactly the bound",
         d.files.write("bound.csv", "5\r\n4\r\n" + foreign + "\r\n6\r\n"), nullptr},
    };
    for (const auto& [what, path, said] : rows) {
        SCOPED_TRACE(what);
        d.prompter.messages.clear();
        EXPECT_EQ(d.open(path), said == nullptr);
        EXPECT_EQ(d.said(), said ? Lines{said} : Lines{});
    }
    // The failed reads left the set as it was; the last file loaded.
    EXPECT_EQ(d.session.set(1).values, (Values{4, 5, 6}));
}

TEST(ChartDocument, PlacesTheMovableItemsOnThePlotAreaScaledWithIt)
{
    for (const auto& [width, height] : {std::pair{12000.0, 9000.0}, {24000.0, 18000.0}}) {
        SCOPED_TRACE(width);
        const ChartLayout layout = designLayout(width, height);
        Document d(layout);
        const TwipsRect& area = layout.plotArea;
        const Placements& p = d.session.placements;
        for (const Placement* box : {&p.statsBox, &p.plotText, &p.overlayStats, &p.overlayText}) {
            EXPECT_GT(box->left, area.left);
            EXPECT_LT(box->left, area.left + 0.7 * area.width);
            EXPECT_GT(box->top, area.top);
            EXPECT_LT(box->top, area.top + 0.6 * area.height);
            EXPECT_FALSE(box->visible);
        }
        // The overlay's box lower right of the free text (the statistics box's own
        // place is checked after a drawing in test_annotations.cpp).
        EXPECT_GT(p.overlayStats.left, p.plotText.left);
        EXPECT_GT(p.overlayStats.top, p.overlayText.top);
        EXPECT_LT(p.yLabel.left + p.yLabel.width, area.left);
    }

    // A drawing fills the value-axis label's caption and measured size, and the
    // scene carries the placements as the drawing left them.
    Document d;
    ASSERT_TRUE(d.openText("lot.csv", "Width (mm)\n3\n1\n2\n"));
    const Placement& label = d.session.placements.yLabel;
    EXPECT_TRUE(label.visible);
    EXPECT_EQ(label.caption, "Width (mm)");
    EXPECT_DOUBLE_EQ(label.height, d.measurer.textWidth("Width (mm)", label.font));
    EXPECT_EQ(d.document.scene().placements.yLabel.caption, "Width (mm)");
    EXPECT_DOUBLE_EQ(d.document.scene().placements.yLabel.top, label.top);
}

TEST(FileCommands, CommandLinePathKeepsItsCharactersWithOrWithoutQuotes)
{
    Document d;
    const std::string path = d.files.write("RUN1.CSV", "1\n2\n3\n");
    for (const std::string& argument : {path, "\"" + path + "\"", "  " + path + " "}) {
        SCOPED_TRACE(argument);
        ASSERT_TRUE(d.document.openFromCommandLine(argument));
        EXPECT_EQ(d.session.windowTitle, "Quantiview 3.0 (RUN1.CSV)");
        EXPECT_EQ(d.session.sourcePath, path);
        EXPECT_EQ(d.session.set(1).pointCount, 3);
        EXPECT_EQ(d.session.lastExtension, "CSV");
    }
    EXPECT_TRUE(d.prompter.messages.empty());
    // The path keeps its case: a lower-case twin does not exist on this file system.
    EXPECT_FALSE(d.document.openFromCommandLine(d.files.path("run1.csv")));
    EXPECT_EQ(d.said(), Lines{"File Error: File Error 53 Try Again"});
    EXPECT_EQ(d.session.windowTitle, "Quantiview 3.0 (RUN1.CSV)");
}

TEST(FileCommands, OpenDialogFollowsFirstOpenAndTheLastExtension)
{
    Session session;
    startUp(session, {"Arial"});
    session.documentsFolder = "/home/user/Documents";
    session.dataFolder = "/home/user/data";
    const FileDialogRequest first = openDialogRequest(session, false);
    EXPECT_EQ(first.filter, OpenFilter);
    EXPECT_EQ(first.filterIndex, 3);
    EXPECT_EQ(first.initialFolder, "/home/user/Documents");
    const FileDialogRequest input = openDialogRequest(session, true);
    EXPECT_EQ(input.filterIndex, 2);
    EXPECT_EQ(input.initialFolder, "/home/user/data");

    session.firstOpen = false;
    for (auto [ext, index] : {std::pair{"CSV", 2}, {"csv", 2}, {"QVW", 3}, {"qvw", 3}, {"TXT", 4},
                              {"txt", 4}, {"Csv", 1}, {"dat", 1}}) {
        SCOPED_TRACE(ext);
        session.lastExtension = ext;
        EXPECT_EQ(openDialogRequest(session, false).filterIndex, index);
        EXPECT_EQ(openDialogRequest(session, false).initialFolder, "");
    }
}

TEST(FileCommands, EveryCommandTakesTheProjectExtensionInAnyCaseAndInputNewDataRefusesIt)
{
    for (auto [path, project] : {std::pair{"run.qvw", true}, {"run.QVW", true}, {"run.Qvw", true},
                                 {"/a/b.qVw", true}, {"runqvw", false}, {"run.qvw.csv", false},
                                 {"qvw", false}, {"run.qv", false}}) {
        EXPECT_EQ(isProjectPath(path), project) << path;
    }
    Document d;
    // Options as a first data file leaves them, so that a project file (whose
    // settings are not read yet) draws without a message.
    d.s.resetOptions();
    // Open reads a mixed-case project without the Data File Parameters dialog.
    ASSERT_TRUE(d.openText("chart.Qvw", "1,1\n2,3\n3,1\nFORMATTING\n"));
    EXPECT_EQ(d.prompter.dataFileDialogs, 0);
    EXPECT_EQ(d.session.set(1).states, (test::States{1, 3, 1}));
    EXPECT_TRUE(d.session.menus.enabled(Menu::NewData));
    const std::string title = d.session.windowTitle;

    d.prompter.openAnswers.push_back(d.files.write("other.qVW", "9\n8\n"));
    EXPECT_FALSE(d.document.inputNewData());
    EXPECT_EQ(d.said(), Lines{"Quantiview 3.0: New data file must be *.CSV or equivalent"});
    EXPECT_EQ(d.session.set(1).pointCount, 3);

    d.prompter.openAnswers.push_back(d.files.write("new.csv", "Label\n7\n5\n6\n"));
    ASSERT_TRUE(d.document.inputNewData());
    // Into a loaded project the labels row is dropped as a foreign line.
    EXPECT_EQ(d.session.set(1).values, (Values{5, 6, 7}));
    EXPECT_EQ(d.session.windowTitle, title);
}

} // namespace
} // namespace qv
