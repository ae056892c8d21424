#include "core/document/ChartDocument.h"
#include "core/document/FileCommands.h"
#include "core/model/ScriptedPrompter.h"
#include "support/FixedPitchMeasurer.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Values = std::vector<double>;

struct Commands
{
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    ChartDocument document{prompter, measurer};
    Session& session = document.session();
    test::TempFiles files;

    Commands()
    {
        document.startUp(designLayout(12000, 9000), {"Arial"});
        // Options as a first data file leaves them, so that a project file
        // (whose settings are not read yet) draws without a message.
        session.settings.resetOptions();
        session.documentsFolder = "/home/user/Documents";
        session.dataFolder = "/home/user/data";
    }
    // Answers the next file dialog with a new file of `content`.
    void answer(const std::string& name, const std::string& content)
    {
        prompter.openAnswers.push_back(files.write(name, content));
    }
};

TEST(FileCommands, CommandLinePathKeepsItsCharactersWithOrWithoutQuotes)
{
    Commands c;
    const std::string path = c.files.write("RUN1.CSV", "1\n2\n3\n");
    for (const std::string& argument : {path, "\"" + path + "\"", "  " + path + " "}) {
        SCOPED_TRACE(argument);
        ASSERT_TRUE(c.document.openFromCommandLine(argument));
        EXPECT_EQ(c.session.windowTitle, "Quantiview 3.0 (RUN1.CSV)");
        EXPECT_EQ(c.session.sourcePath, path);
        EXPECT_EQ(c.session.set(1).pointCount, 3);
        EXPECT_EQ(c.session.lastExtension, "CSV");
    }
    EXPECT_TRUE(c.prompter.messages.empty());
    // The path keeps its case: a lower-case twin does not exist on this file system.
    EXPECT_FALSE(c.document.openFromCommandLine(c.files.path("run1.csv")));
    ASSERT_EQ(c.prompter.messages.size(), 1u);
    EXPECT_EQ(c.prompter.messages[0].text, "File Error 53 Try Again");
    EXPECT_EQ(c.session.windowTitle, "Quantiview 3.0 (RUN1.CSV)");
}

TEST(FileCommands, OpenDialogFollowsFirstOpenAndTheLastExtension)
{
    Commands c;
    const FileDialogRequest first = openDialogRequest(c.session, false);
    EXPECT_EQ(first.filter, OpenFilter);
    EXPECT_EQ(first.filterIndex, 3);
    EXPECT_EQ(first.initialFolder, "/home/user/Documents");
    const FileDialogRequest input = openDialogRequest(c.session, true);
    EXPECT_EQ(input.filterIndex, 2);
    EXPECT_EQ(input.initialFolder, "/home/user/data");

    c.session.firstOpen = false;
    for (auto [ext, index] : {std::pair{"CSV", 2}, {"csv", 2}, {"QVW", 3}, {"qvw", 3}, {"TXT", 4},
                              {"txt", 4}, {"Csv", 1}, {"dat", 1}}) {
        SCOPED_TRACE(ext);
        c.session.lastExtension = ext;
        EXPECT_EQ(openDialogRequest(c.session, false).filterIndex, index);
        EXPECT_EQ(openDialogRequest(c.session, false).initialFolder, "");
    }
}

TEST(FileCommands, InputNewDataRefusesProjectFilesAndKeepsTheTitle)
{
    Commands c;
    c.answer("chart.qvw", "1,1\n2,1\n3,1\nFORMATTING\n");
    ASSERT_TRUE(c.document.openFile());
    EXPECT_TRUE(c.session.menus.enabled(Menu::NewData));
    const std::string title = c.session.windowTitle;

    c.answer("other.Qvw", "9\n8\n");
    EXPECT_FALSE(c.document.inputNewData());
    ASSERT_EQ(c.prompter.messages.size(), 1u);
    EXPECT_EQ(c.prompter.messages[0].text, "New data file must be *.CSV or equivalent");
    EXPECT_EQ(c.prompter.messages[0].title, "Quantiview 3.0");
    EXPECT_EQ(c.session.set(1).pointCount, 3);

    c.answer("new.csv", "Label\n7\n5\n6\n");
    ASSERT_TRUE(c.document.inputNewData());
    // Into a loaded project the labels row is dropped as a foreign line.
    EXPECT_EQ(c.session.set(1).values, (Values{5, 6, 7}));
    EXPECT_EQ(c.session.windowTitle, title);
}

TEST(FileCommands, OverlayReadsMixedCaseProjectNamesAndCancelKeepsTheChart)
{
    Commands c;
    c.answer("main.csv", "1\n2\n3\n");
    ASSERT_TRUE(c.document.openFile());
    c.answer("over.Qvw", "4,1\n5,0\nFORMATTING\n");
    ASSERT_TRUE(c.document.inputOverlayData());
    EXPECT_TRUE(c.session.overlayLoaded);
    EXPECT_EQ(c.session.set(2).values, (Values{4, 5}));
    EXPECT_EQ(c.session.set(2).enabledCount, 1);
    EXPECT_EQ(c.session.set(1).pointCount, 3);

    c.answer("more.csv", "8\n9\n");
    c.prompter.dataFileAnswers.push_back({.accept = false});
    EXPECT_FALSE(c.document.inputOverlayData());
    EXPECT_TRUE(c.session.overlayLoaded);
    EXPECT_EQ(c.session.set(2).values, (Values{4, 5}));
}

} // namespace
} // namespace qv
