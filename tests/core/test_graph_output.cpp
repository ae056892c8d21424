// Save Graph As and Print before anything is painted: the proposed name, the
// questions, the page orientation and the fitting of the picture to the page.
#include "ChartHarness.h"
#include "core/document/GraphOutput.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace qv {
namespace {

TEST(GraphOutput, ProposesTheLastFileWithABitmapExtensionKeepingItsCase)
{
    const std::pair<const char*, const char*> rows[] = {
        {"", "GRAPH1.BMP"},                          {"/data/Run1.csv", "/data/Run1.BMP"},
        {"/data/lot.final.txt", "/data/lot.final.BMP"}, {"/data/a.TEXT", "/data/a.BMP"},
        {"/data/noext", "/data/noext.BMP"},          {"/data.d/lot", "/data.d/lot.BMP"},
        {"/data/.hidden", "/data/.hidden.BMP"},      {"ab", "ab.BMP"},
        {"a", "a.BMP"},
    };
    for (const auto& [source, proposal] : rows) {
        EXPECT_EQ(proposedGraphName(source), proposal) << source;
    }
}

TEST(GraphOutput, TheDialogOffersBitmapsInTheDocumentsFolderOnlyBeforeTheFirstFile)
{
    Session session;
    session.documentsFolder = "/home/u/Documents";
    session.firstOpen = true;
    FileDialogRequest request = saveGraphRequest(session);
    EXPECT_EQ(request.filter, "All Files (*.*)|*.*|BMP Files (*.bmp)|*.bmp");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.initialFolder, "/home/u/Documents");
    EXPECT_EQ(request.proposedName, "GRAPH1.BMP");

    session.firstOpen = false;
    session.sourcePath = "/lots/RUN1.CSV";
    request = saveGraphRequest(session);
    EXPECT_EQ(request.initialFolder, "");
    EXPECT_EQ(request.proposedName, "/lots/RUN1.BMP");
}

TEST(GraphOutput, SaveAsksBeforeOverwritingAndReportsAFailedWrite)
{
    test::TempFiles files;
    const std::string existing = files.write("old.bmp", "old picture");
    const std::string fresh = files.path("new.bmp");
    // Each row: the name chosen (none: Cancel), the answer to the question when it is
    // asked, the writer's result, the writes and what the user is told.
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
        EXPECT_EQ(prompter.confirmations, row.overwrite ? test::Lines{"File Already Exists, Overwrite?"}
                                                        : test::Lines{});
        EXPECT_EQ(test::said(prompter), row.said ? test::Lines{row.said} : test::Lines{});
        EXPECT_EQ(test::fileBytes(existing), "old picture");
    }
}

TEST(GraphOutput, FitsThePictureToThePrintableAreaKeepingItsProportionsOrRefusesWithoutSize)
{
    // A4 less 10 mm margins, standing and turned.
    const PageExtent portrait{190, 277};
    const PageExtent landscape{277, 190};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Each row: the picture, the page and the printed width and height (null: refused).
    const std::tuple<const char*, PageExtent, PageExtent, const char*, const char*> rows[] = {
        {"wide picture, portrait page: full width", {200, 150}, portrait, "190", "142.5"},
        {"tall picture, portrait page: full height", {100, 200}, portrait, "138.5", "277"},
        {"wide picture, landscape page: full height", {200, 150}, landscape, "253.333333", "190"},
        {"very wide picture, landscape page: full width", {400, 100}, landscape, "277", "69.25"},
        {"tall picture, landscape page: full height", {100, 200}, landscape, "95", "190"},
        {"same proportions: the whole page", {95, 138.5}, portrait, "190", "277"},
        {"no width", {0, 100}, portrait, nullptr, nullptr},
        {"no height", {100, 0}, portrait, nullptr, nullptr},
        {"a page without width", {100, 100}, {0, 277}, nullptr, nullptr},
        {"a negative width", {-5, 100}, portrait, nullptr, nullptr},
        {"a width that is no number", {nan, 100}, portrait, nullptr, nullptr},
        {"an endless page", {100, 100}, {190, inf}, nullptr, nullptr},
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

} // namespace
} // namespace qv
