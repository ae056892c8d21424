#include "core/model/FileCommands.h"
#include "core/model/ScriptedPrompter.h"
#include "core/model/Session.h"
#include "core/model/StartUp.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Commands
{
    Session session;
    ScriptedPrompter prompter;
    test::TempFiles files;

    Commands()
    {
        startUp(session, {"Arial"});
        session.documentsFolder = "/home/user/Documents";
        session.dataFolder = "/home/user/data";
    }
};

TEST(FileCommands, CommandLinePathKeepsItsCharactersWithOrWithoutQuotes)
{
    Commands c;
    const std::string path = c.files.write("RUN1.CSV", "1\n2\n3\n");
    for (const std::string& argument : {path, "\"" + path + "\"", "  " + path + " "}) {
        SCOPED_TRACE(argument);
        ASSERT_TRUE(openFromCommandLine(c.session, c.prompter, argument));
        EXPECT_EQ(c.session.windowTitle, "Quantiview 3.0 (RUN1.CSV)");
        EXPECT_EQ(c.session.sourcePath, path);
        EXPECT_EQ(c.session.set(1).pointCount, 3);
        EXPECT_FALSE(c.session.firstOpen);
        EXPECT_EQ(c.session.lastExtension, "CSV");
    }
    EXPECT_TRUE(c.prompter.messages.empty());
    // The path keeps its case: a lower-case twin does not exist on this file system.
    c.prompter.messages.clear();
    EXPECT_FALSE(openFromCommandLine(c.session, c.prompter, c.files.path("run1.csv")));
    ASSERT_EQ(c.prompter.messages.size(), 1u);
    EXPECT_EQ(c.prompter.messages[0].text, "File Error 53 Try Again");
    EXPECT_EQ(c.session.windowTitle, "Quantiview 3.0 (RUN1.CSV)");
}

TEST(FileCommands, OpenDialogFollowsFirstOpenAndTheLastExtension)
{
    Commands c;
    FileDialogRequest first = openDialogRequest(c.session, false);
    EXPECT_EQ(first.filter, OpenFilter);
    EXPECT_EQ(first.filterIndex, 3);
    EXPECT_EQ(first.initialFolder, "/home/user/Documents");
    FileDialogRequest input = openDialogRequest(c.session, true);
    EXPECT_EQ(input.filterIndex, 2);
    EXPECT_EQ(input.initialFolder, "/home/user/data");

    c.session.firstOpen = false;
    for (auto [ext, index] : {std::pair{"CSV", 2}, {"csv", 2}, {"QVW", 3}, {"qvw", 3},
                              {"TXT", 4}, {"txt", 4}, {"Csv", 1}, {"dat", 1}}) {
        SCOPED_TRACE(ext);
        c.session.lastExtension = ext;
        EXPECT_EQ(openDialogRequest(c.session, false).filterIndex, index);
        EXPECT_EQ(openDialogRequest(c.session, false).initialFolder, "");
    }
}

TEST(FileCommands, OpenSetsTitleAvailabilityAndCancelKeepsEverything)
{
    Commands c;
    const std::string path = c.files.write("lot.csv", "2\n1\n");
    c.prompter.openAnswers.push_back(path);
    ASSERT_TRUE(openFile(c.session, c.prompter));
    EXPECT_EQ(c.session.windowTitle, "Quantiview 3.0 (" + path + ")");
    for (Menu on : {Menu::EnableDisable, Menu::Options_File, Menu::SaveAs, Menu::InputOverlayData}) {
        EXPECT_TRUE(c.session.menus.enabled(on)) << menuName(on);
    }
    EXPECT_FALSE(c.session.menus.enabled(Menu::NewData));
    EXPECT_EQ(c.prompter.fileRequests.back().filterIndex, 3);

    // Cancel in the file dialog: nothing happens, nothing is said.
    EXPECT_FALSE(openFile(c.session, c.prompter));
    EXPECT_EQ(c.session.windowTitle, "Quantiview 3.0 (" + path + ")");
    EXPECT_EQ(c.session.set(1).values, (std::vector<double>{1, 2}));
    EXPECT_TRUE(c.prompter.messages.empty());
    EXPECT_EQ(c.prompter.fileRequests.back().filterIndex, 2);
}

TEST(FileCommands, InputNewDataRefusesProjectFilesAndKeepsTheTitle)
{
    Commands c;
    const std::string project = c.files.write("chart.qvw", "1,1\n2,1\n3,1\nFORMATTING\n");
    c.prompter.openAnswers.push_back(project);
    ASSERT_TRUE(openFile(c.session, c.prompter));
    EXPECT_TRUE(c.session.menus.enabled(Menu::NewData));
    const std::string title = c.session.windowTitle;

    c.prompter.openAnswers.push_back(c.files.write("other.Qvw", "9\n8\n"));
    EXPECT_FALSE(inputNewData(c.session, c.prompter));
    ASSERT_EQ(c.prompter.messages.size(), 1u);
    EXPECT_EQ(c.prompter.messages[0].text, "New data file must be *.CSV or equivalent");
    EXPECT_EQ(c.prompter.messages[0].title, "Quantiview 3.0");
    EXPECT_EQ(c.session.set(1).pointCount, 3);

    c.prompter.openAnswers.push_back(c.files.write("new.csv", "Label\n7\n5\n6\n"));
    ASSERT_TRUE(inputNewData(c.session, c.prompter));
    // Into a loaded project the labels row is dropped as a foreign line.
    EXPECT_EQ(c.session.set(1).values, (std::vector<double>{5, 6, 7}));
    EXPECT_EQ(c.session.windowTitle, title);
}

TEST(FileCommands, OverlayReadsMixedCaseProjectNamesAndCancelKeepsTheChart)
{
    Commands c;
    c.prompter.openAnswers.push_back(c.files.write("main.csv", "1\n2\n3\n"));
    ASSERT_TRUE(openFile(c.session, c.prompter));

    // "Qvw" is a project file for the overlay command, a data file for Open.
    c.prompter.openAnswers.push_back(c.files.write("over.Qvw", "4,1\n5,0\nFORMATTING\n"));
    ASSERT_TRUE(inputOverlayData(c.session, c.prompter));
    EXPECT_TRUE(c.session.overlayLoaded);
    EXPECT_EQ(c.session.set(2).values, (std::vector<double>{4, 5}));
    EXPECT_EQ(c.session.set(2).enabledCount, 1);
    EXPECT_EQ(c.session.set(1).pointCount, 3);

    c.prompter.openAnswers.push_back(c.files.write("more.csv", "8\n9\n"));
    c.prompter.dataFileAnswers.push_back({.accept = false, .labels = {}, .columns = {},
                                          .valueColumn = {}, .sigmaColumn = {}});
    EXPECT_FALSE(inputOverlayData(c.session, c.prompter));
    EXPECT_TRUE(c.session.overlayLoaded);
    EXPECT_EQ(c.session.set(2).values, (std::vector<double>{4, 5}));

    c.prompter.openAnswers.push_back(c.files.write("mixed.Qvw", "6\n5\n"));
    ASSERT_TRUE(openFile(c.session, c.prompter));
    EXPECT_FALSE(c.session.overlayLoaded);
    EXPECT_EQ(c.prompter.dataFileDialogs, 3); // main.csv, more.csv, mixed.Qvw
    EXPECT_EQ(c.session.set(1).values, (std::vector<double>{5, 6}));
}

} // namespace
} // namespace qv
