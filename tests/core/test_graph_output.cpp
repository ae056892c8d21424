// Save Graph As and Print before anything is painted: the proposed name, the
// questions, the page orientation and the fitting of the picture to the page.
#include "core/document/GraphOutput.h"
#include "core/model/ScriptedPrompter.h"
#include "core/model/Session.h"
#include "support/TempFiles.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>

namespace qv {
namespace {

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(GraphOutput, ProposesTheLastFileWithABitmapExtensionKeepingItsCase)
{
    const struct
    {
        const char* source;
        const char* proposal;
    } rows[] = {
        {"", "GRAPH1.BMP"},
        {"/data/Run1.csv", "/data/Run1.BMP"},
        {"/data/lot.final.txt", "/data/lot.final.BMP"},
        {"/data/a.TEXT", "/data/a.BMP"},
        {"/data/noext", "/data/noext.BMP"},
        {"/data.d/lot", "/data.d/lot.BMP"},
        {"/data/.hidden", "/data/.hidden.BMP"},
        {"ab", "ab.BMP"},
        {"a", "a.BMP"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.source);
        EXPECT_EQ(proposedGraphName(row.source), row.proposal);
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
    const struct
    {
        const char* name;
        std::optional<std::string> chosen;
        std::optional<bool> overwrite; // the answer to the question, when it is asked
        int writeCode;
        int writes;
        bool saved;
        const char* message;
    } rows[] = {
        {"cancelled dialog", std::nullopt, std::nullopt, 0, 0, false, nullptr},
        {"new file", fresh, std::nullopt, 0, 1, true, nullptr},
        {"existing file, Cancel", existing, false, 0, 0, false, nullptr},
        {"existing file, OK", existing, true, 0, 1, true, nullptr},
        {"write fails", fresh, std::nullopt, 75, 1, false, "Unexpected Error  75"},
    };
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
        EXPECT_EQ(saved, row.saved);
        EXPECT_EQ(std::ssize(written), row.writes);
        if (!written.empty()) {
            EXPECT_EQ(written.front(), *row.chosen);
        }
        EXPECT_EQ(prompter.confirmations,
                  row.overwrite ? std::vector<std::string>{"File Already Exists, Overwrite?"}
                                : std::vector<std::string>{});
        if (row.message) {
            ASSERT_EQ(prompter.messages.size(), 1u);
            EXPECT_EQ(prompter.messages[0].text, row.message);
            EXPECT_EQ(prompter.messages[0].title, "Save As... Error");
        } else {
            EXPECT_TRUE(prompter.messages.empty());
        }
        EXPECT_EQ(contents(existing), "old picture");
    }
}

TEST(GraphOutput, FitsThePictureToThePrintableAreaKeepingItsProportions)
{
    // A4 less 10 mm margins, standing and turned.
    const PageExtent portrait{190, 277};
    const PageExtent landscape{277, 190};
    const struct
    {
        const char* name;
        PageExtent picture;
        PageExtent page;
        const char* width;
        const char* height;
    } rows[] = {
        {"wide picture, portrait page: full width", {200, 150}, portrait, "190", "142.5"},
        {"tall picture, portrait page: full height", {100, 200}, portrait, "138.5", "277"},
        {"wide picture, landscape page: full height", {200, 150}, landscape, "253.333333", "190"},
        {"very wide picture, landscape page: full width", {400, 100}, landscape, "277", "69.25"},
        {"tall picture, landscape page: full height", {100, 200}, landscape, "95", "190"},
        {"same proportions: the whole page", {95, 138.5}, portrait, "190", "277"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto printed = fitPictureToPage(row.picture, row.page);
        ASSERT_TRUE(printed.has_value());
        EXPECT_TRUE(test::agreesWithPrinted(printed->width, row.width));
        EXPECT_TRUE(test::agreesWithPrinted(printed->height, row.height));
        EXPECT_LE(printed->width, row.page.width + 1e-9);
        EXPECT_LE(printed->height, row.page.height + 1e-9);
    }
}

TEST(GraphOutput, RefusesToFitAPictureOrPageWithoutSize)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const PageExtent rows[][2] = {
        {{0, 100}, {190, 277}},  {{100, 0}, {190, 277}},   {{100, 100}, {0, 277}},
        {{-5, 100}, {190, 277}}, {{nan, 100}, {190, 277}}, {{100, 100}, {190, inf}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row[0].width << "x" << row[0].height << " on "
                                        << row[1].width << "x" << row[1].height);
        EXPECT_FALSE(fitPictureToPage(row[0], row[1]).has_value());
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
