// The chart document's load command and file commands, as the window and batch
// mode use them: which files it reads, the project extension, the command-line
// path, the open dialog, Input New Data, Save File As's name and question, and Save
// Graph As and Print before anything is painted (the proposed name, the questions, the
// orientation, the fit to the page).
#include "ChartHarness.h"
#include "core/document/FileCommands.h"
#include "core/document/GraphOutput.h"
#include "core/io/FilePaths.h"
#include "core/io/TextFile.h"
#include "support/SystemFiles.h"
#include "support/TestTolerance.h"

#include <optional>
#include <tuple>

namespace qv {
namespace {

using test::Document;
using test::fileBytes;
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
    const std::string fifo = test::devicePath(d.files.path(""));
    ASSERT_FALSE(fifo.empty());
    const std::string longLine(MaxLineLength + 1, '7');
    const std::string foreign(MaxLineLength, 'x');
    // Each row: the file, whether it loads and what the user is told.
    const std::tuple<const char*, std::string, bool, const char*> rows[] = {
        {"a FIFO or a device, which could block or never end", fifo, false, "File Error: File Error 54 Try Again"},
        {"a line one byte too long", d.files.write("long.csv", "1\n" + longLine + "\n2\n"), false,
         "File Error: Line 2 of the file is longer than 1048576 characters."},
        {"a skipped line of exactly the bound",
         d.files.write("bound.csv", "5\r\n4\r\n" + foreign + "\r\n6\r\n"), true,
         "Lines Not Read: 1 line was not read: line 3 (foreign line)."},
        {"a skipped line of exactly the bound, the lines ended by LF",
         d.files.write("boundlf.csv", "5\n4\n" + foreign + "\n6"), true,
         "Lines Not Read: 1 line was not read: line 3 (foreign line)."},
    };
    for (const auto& [what, path, loads, said] : rows) {
        SCOPED_TRACE(what);
        d.prompter.messages.clear();
        EXPECT_EQ(d.open(path), loads);
        EXPECT_EQ(d.said(), Lines{said});
    }
    // The failed reads left the set as it was; the last file loaded.
    EXPECT_EQ(d.session.set(1).values, (Values{4, 5, 6}));
}

TEST(ChartDocument, PlacesTheMovableItemsOnThePlotAreaScaledWithIt)
{
    // On a window twice the design size; the statistics box's own place after a
    // drawing is checked in PlotRoutineTest.cpp.
    const ChartLayout layout = designLayout(24000, 18000);
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
    EXPECT_LT(p.yLabel.left + p.yLabel.width, area.left);

    // A drawing fills the value-axis label's caption and measured size into the scene.
    ASSERT_TRUE(d.openText("lot.csv", "Width (mm)\n3\n1\n2\n"));
    const Placement& label = d.document.scene().placements.yLabel;
    EXPECT_TRUE(label.visible);
    EXPECT_EQ(label.caption, "Width (mm)");
    EXPECT_DOUBLE_EQ(label.height, d.measurer.textWidth("Width (mm)", label.font));
}

TEST(FileCommands, CommandLinePathKeepsItsCharactersWithOrWithoutQuotes)
{
    Document d;
    const std::string path = d.files.write("RUN1.CSV", "1\n2\n3\n");
    for (const std::string& argument : {path, "\"" + path + "\"", "  " + path + " "}) {
        SCOPED_TRACE(argument);
        ASSERT_TRUE(d.document.openFromCommandLine(argument));
        EXPECT_EQ(d.session.window.windowTitle, "Quantiview 3.0 (RUN1.CSV)");
        EXPECT_EQ(d.session.fileDialogs.sourcePath, path);
        EXPECT_EQ(d.session.set(1).pointCount, 3);
        EXPECT_EQ(d.session.fileDialogs.lastExtension, "CSV");
    }
    EXPECT_TRUE(d.prompter.messages.empty());
#if defined(_WIN32)
    // Windows' names ignore case: the lower-case twin is the file, named as it was typed.
    EXPECT_TRUE(d.document.openFromCommandLine(d.files.path("run1.csv")));
    EXPECT_EQ(d.session.window.windowTitle, "Quantiview 3.0 (run1.csv)");
#else
    // The path keeps its case: a lower-case twin does not exist on this file system.
    EXPECT_FALSE(d.document.openFromCommandLine(d.files.path("run1.csv")));
    EXPECT_EQ(d.said(), Lines{"File Error: File Error 53 Try Again"});
    EXPECT_EQ(d.session.window.windowTitle, "Quantiview 3.0 (RUN1.CSV)");
#endif
}

TEST(FileCommands, OpenDialogShowsEveryReadableFileInTheFolderLastChosen)
{
    Session session;
    startUp(session, {"Arial"});
    session.fileDialogs.documentsFolder = "/home/user/Documents";
    session.fileDialogs.dataFolder = "/home/user/data";
    const FileDialogRequest first = openDialogRequest(session, false);
    EXPECT_EQ(first.filter, OpenFilter);
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_EQ(first.initialFolder, "/home/user/Documents");
    const FileDialogRequest input = openDialogRequest(session, true);
    EXPECT_EQ(input.filterIndex, 1);
    EXPECT_EQ(input.initialFolder, "/home/user/data");

    // After the first Open: the folder each dialog last chose in, else the dialog's default.
    session.fileDialogs.firstOpen = false;
    for (const char* ext : {"CSV", "QVW", "TXT", "dat"}) {
        SCOPED_TRACE(ext);
        session.fileDialogs.lastExtension = ext;
        EXPECT_EQ(openDialogRequest(session, false).filterIndex, 1);
        EXPECT_EQ(openDialogRequest(session, false).initialFolder, "");
    }
    rememberFolder(session, Session::FileDialogKind::Open, "/srv/lots/run1.csv");
    EXPECT_EQ(openDialogRequest(session, false).initialFolder, "/srv/lots");
    EXPECT_EQ(openDialogRequest(session, true).initialFolder, "");
}

TEST(FileCommands, EveryCommandTakesTheProjectExtensionInAnyCaseAndInputNewDataRefusesIt)
{
    for (auto [path, project] : {std::pair{"run.qvw", true}, {"/a/b.qVw", true}, {"runqvw", false},
                                 {"run.qvw.csv", false}, {"qvw", false}, {"run.qv", false}}) {
        EXPECT_EQ(isProjectPath(path), project) << path;
    }
    Document d;
    d.s.resetOptions(); // so that a project whose settings are not read yet draws quietly
    // Open reads a mixed-case project without the Data File Parameters dialog.
    ASSERT_TRUE(d.openText("chart.Qvw", "1,1\n2,3\n3,1\nFORMATTING\n"));
    EXPECT_EQ(d.prompter.dataFileDialogs, 0);
    EXPECT_EQ(d.session.set(1).states, (test::States{1, 3, 1}));
    EXPECT_TRUE(d.session.menus.enabled(Menu::NewData));
    const std::string title = d.session.window.windowTitle;

    d.prompter.openAnswers.push_back(d.files.write("other.qVW", "9\n8\n"));
    EXPECT_FALSE(d.document.inputNewData());
    EXPECT_EQ(d.said(), Lines{"Quantiview 3.0: New data file must be *.CSV or equivalent"});
    EXPECT_EQ(d.session.set(1).pointCount, 3);

    d.prompter.openAnswers.push_back(d.files.write("new.csv", "Label\n7\n5\n6\n"));
    ASSERT_TRUE(d.document.inputNewData());
    // Into a loaded project the labels row is dropped as a foreign line.
    EXPECT_EQ(d.session.set(1).values, (Values{5, 6, 7}));
    EXPECT_EQ(d.session.window.windowTitle, title);
}

TEST(GraphOutput, ProposesTheLastFileWithABitmapExtensionKeepingItsCase)
{
    const std::pair<const char*, const char*> rows[] = {
        {"", "GRAPH1.BMP"},          {"/data/lot.final.txt", "/data/lot.final.BMP"},
        {"/data/noext", "/data/noext.BMP"}, {"/data.d/lot", "/data.d/lot.BMP"},
        {"/data/.hidden", "/data/.hidden.BMP"}, {"a", "a.BMP"},
    };
    for (const auto& [source, proposal] : rows) {
        EXPECT_EQ(proposedGraphName(source), proposal) << source;
    }
}

TEST(GraphOutput, TheDialogOffersBitmapsInTheDocumentsFolderOnlyBeforeTheFirstFile)
{
    Session session;
    session.fileDialogs.documentsFolder = "/home/u/Documents";
    session.fileDialogs.firstOpen = true;
    FileDialogRequest request = saveGraphRequest(session);
    EXPECT_EQ(request.filter, "All Files (*.*)|*.*|BMP Files (*.bmp)|*.bmp|PNG Files (*.png)|"
                              "*.png|SVG Files (*.svg)|*.svg|PDF Files (*.pdf)|*.pdf");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.initialFolder, "/home/u/Documents");
    EXPECT_EQ(request.proposedName, "GRAPH1.BMP");

    session.fileDialogs.firstOpen = false;
    session.fileDialogs.sourcePath = "/lots/RUN1.CSV";
    request = saveGraphRequest(session);
    EXPECT_EQ(request.initialFolder, "");
    EXPECT_EQ(request.proposedName, "/lots/RUN1.BMP");
}

TEST(GraphOutput, SaveAsksBeforeOverwritingAndReportsAFailedWrite)
{
    test::TempFiles files;
    const std::string existing = files.write("old.bmp", "old picture");
    const std::string fresh = files.path("new.bmp");
    // Each row: no name chosen is Cancel; no overwrite answer, no question asked.
    // clang-format off
    const struct { const char* name; std::optional<std::string> chosen; std::optional<bool> overwrite;
                   int writeCode, writes; const char* said; } rows[] = {
        {"cancelled dialog", std::nullopt, std::nullopt, 0, 0, nullptr},
        {"new file", fresh, std::nullopt, 0, 1, nullptr},
        {"existing file, Cancel", existing, false, 0, 0, nullptr},
        {"existing file, OK", existing, true, 0, 1, nullptr},
        {"write fails", fresh, std::nullopt, 75, 1, "Save As... Error: Unexpected Error  75"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Session session;
        ScriptedPrompter prompter;
        prompter.saveAnswers.push_back(row.chosen);
        if (row.overwrite) {
            prompter.confirmAnswers.push_back(*row.overwrite);
        }
        std::vector<std::string> written;
        const bool saved = saveGraphAs(session, prompter, [&](const std::string& path) {
            written.push_back(path);
            return row.writeCode;
        });
        EXPECT_EQ(saved, row.writes == 1 && row.writeCode == 0);
        EXPECT_EQ(written, row.writes == 1 ? test::Lines{*row.chosen} : test::Lines{});
        EXPECT_EQ(prompter.confirmations,
                  row.overwrite ? test::Lines{"File Already Exists, Overwrite?"} : test::Lines{});
        EXPECT_EQ(test::said(prompter), row.said ? test::Lines{row.said} : test::Lines{});
        EXPECT_EQ(test::fileBytes(existing), "old picture");
    }
}

TEST(GraphOutput, FitsThePictureToThePrintableAreaKeepingItsProportionsOrRefusesWithoutSize)
{
    const PageExtent portrait{190, 277}; // A4 less 10 mm margins
    // Each row: the picture, the page and the printed width and height (null: refused).
    const std::tuple<const char*, PageExtent, PageExtent, const char*, const char*> rows[] = {
        {"wide picture, portrait page: full width", {200, 150}, portrait, "190", "142.5"},
        {"tall picture, portrait page: full height", {100, 200}, portrait, "138.5", "277"},
        {"same proportions: the whole page", {95, 138.5}, portrait, "190", "277"},
        {"no width", {0, 100}, portrait, nullptr, nullptr},
    };
    for (const auto& [name, picture, page, width, height] : rows) {
        SCOPED_TRACE(name);
        const auto printed = fitPictureToPage(picture, page);
        ASSERT_EQ(printed.has_value(), width != nullptr);
        if (printed) {
            EXPECT_PRINTED(printed->width, width);
            EXPECT_PRINTED(printed->height, height);
            EXPECT_LE(printed->width, page.width + 1e-9);
            EXPECT_LE(printed->height, page.height + 1e-9);
        }
    }
}

TEST(GraphOutput, PrintsInThePageSetupOrientation)
{
    Settings settings;
    EXPECT_EQ(printOrientation(settings), PageOrientation::Unchanged);
    settings.selectGroup(Ctl::frmPageSetup_optPrtOrientation, 1);
    EXPECT_EQ(printOrientation(settings), PageOrientation::Landscape);
    settings.selectGroup(Ctl::frmPageSetup_optPrtOrientation, 0);
    EXPECT_EQ(printOrientation(settings), PageOrientation::Portrait);
}

TEST(SaveFileAs, ProposesTheSourceNameAddsTheExtensionAndAsksBeforeReplacing)
{
    Document d;
    d.session.fileDialogs.documentsFolder = "/home/user/Documents";
    d.document.saveAs();
    EXPECT_EQ(d.prompter.fileRequests.back().proposedName, "GRAPH.QVW");
    EXPECT_EQ(d.prompter.fileRequests.back().initialFolder, "/home/user/Documents");
    ASSERT_TRUE(d.openText("RUN1.Data.CSV", "3\n1\n2\n"));
    const std::string old = d.files.write("Chart.QVW", "old");
    // Each row: the name chosen, the answer to the question when it is asked and
    // the file written ("": none).
    const std::tuple<std::string, std::optional<bool>, std::string> rows[] = {
        {d.files.path("Lot7"), {}, d.files.path("Lot7.qvw")}, {old, false, ""}, {old, true, old}};
    for (const auto& [chosen, overwrite, written] : rows) {
        SCOPED_TRACE(chosen);
        d.prompter.confirmations.clear();
        if (overwrite) {
            d.prompter.confirmAnswers.push_back(*overwrite);
        }
        EXPECT_EQ(d.saveAs(chosen), !written.empty());
        EXPECT_EQ(d.prompter.fileRequests.back().proposedName, d.files.path("RUN1.Data"));
        EXPECT_EQ(d.prompter.fileRequests.back().filterIndex, 3);
        EXPECT_EQ(d.prompter.confirmations,
                  overwrite ? Lines{"File Already Exists, Overwrite?"} : Lines{});
        EXPECT_EQ(fileBytes(written.empty() ? old : written).substr(0, 3),
                  written.empty() ? "old" : "1,1");
    }
    EXPECT_EQ(d.said(), Lines{});
}


} // namespace
} // namespace qv
