// Saving a picture that fails for real from the window (Save Graph As) and from
// the command line (--export): a file-size limit, a folder the user may not
// write to, a folder where the file should be. The old file stays byte for
// byte, nothing is left beside it, and the message says why. (A project that
// cannot be written: tests/core/test_fault_injection.cpp, and --save-project's
// exit status in BatchModeTest.cpp.)
#include "core/model/ScriptedPrompter.h"
#include "gui/app/MainWindow.h"
#include "support/ChildProcess.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qv {
namespace {

using test::fileBytes;
using test::folderNames;

namespace fs = std::filesystem;

enum class Failure
{
    SizeLimit,
    TargetIsAFolder,
    FolderNotWritable, // last in each table: as root the child drops to nobody
};

const char* const OldBytes = "old content that must survive\n";

// A folder "out" holding the target `name` prepared for the failure, and the
// limits the saving child runs under.
struct Stage
{
    fs::path folder;
    std::string target;
    test::ChildLimits limits;
    std::vector<std::string> before;

    Stage(const test::TempFiles& files, const std::string& name, Failure failure)
        : folder(files.path("out")), target((folder / name).string())
    {
        fs::create_directory(folder);
        if (failure == Failure::TargetIsAFolder) {
            fs::create_directory(target);
        } else {
            std::ofstream(target, std::ios::binary) << OldBytes;
        }
        if (failure == Failure::SizeLimit) {
            limits.fileSizeBytes = 0; // not one byte may be written
        }
        if (failure == Failure::FolderNotWritable) {
            // The file itself may be written; only the folder refuses new files.
            using fs::perms;
            fs::permissions(
                target, perms::all & ~(perms::owner_exec | perms::group_exec | perms::others_exec));
            fs::permissions(folder, perms::all & ~(perms::owner_write | perms::group_write |
                                                   perms::others_write));
            limits.unprivileged = true;
        }
        before = folderNames(folder);
    }
    ~Stage() { fs::permissions(folder, fs::perms::owner_all); }
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    void expectUntouched(Failure failure) const
    {
        if (failure != Failure::TargetIsAFolder) {
            EXPECT_EQ(fileBytes(target), OldBytes);
        }
        EXPECT_EQ(folderNames(folder), before); // no temporary file left behind
    }
};

TEST(SaveGraphAs, ABitmapThatCannotBeWrittenLeavesTheOldFileAndSaysWhy)
{
    const struct
    {
        Failure failure;
        const char* message;
    } rows[] = {
        {Failure::SizeLimit, "Save As... Error: Unexpected Error  61"},
        {Failure::TargetIsAFolder, "Save As... Error: Unexpected Error  75"},
        {Failure::FolderNotWritable, "Save As... Error: Unexpected Error  70"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        test::TempFiles files;
        ScriptedPrompter prompter;
        MainWindow window(prompter);
        window.openFromCommandLine(
            QString::fromStdString(files.write("lot.csv", "2.51\n2.53\n2.49\n2.55\n2.50\n")));
        ASSERT_TRUE(prompter.messages.empty());
        const Stage stage(files, "GRAPH1.BMP", row.failure);

        const test::ChildResult child = test::runInChild(stage.limits, [&] {
            prompter.saveAnswers.push_back(stage.target);
            prompter.confirmAnswers.push_back(true);
            window.runCommand(Menu::mnuSaveGraph);
            std::string said;
            for (const RecordedMessage& m : prompter.messages) {
                said += m.title + ": " + m.text + "\n";
            }
            return said;
        });
        if (child.exitStatus == 125) {
            GTEST_SKIP() << "the child could not drop to an unprivileged user";
        }
        EXPECT_EQ(child.exitStatus, 0);
        EXPECT_EQ(child.output, std::string(row.message) + "\n");
        stage.expectUntouched(row.failure);
    }
}

// The program run as a user runs it; SIGXFSZ keeps its default action in the
// child, so a size limit would end a program that does not ignore it.
TEST(CommandLine, AnExportThatCannotBeWrittenLeavesTheOldFileAndExitsWithOne)
{
    const struct
    {
        const char* target; // file name in the prepared folder
        Failure failure;
        const char* why; // after "Export Error: Cannot write <target>: "
    } rows[] = {
        {"chart.png", Failure::SizeLimit, "File too large"},
        {"chart.svg", Failure::TargetIsAFolder, "Filename refers to a directory"},
        {"chart.pdf", Failure::FolderNotWritable, "Permission denied"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.target);
#if defined(__SANITIZE_THREAD__)
        // The thread sanitizer's own start-up writes a file before main() runs.
        if (row.failure == Failure::SizeLimit) {
            continue;
        }
#endif
        test::TempFiles files;
        const std::string lot = files.write("lot.csv", "2.51\n2.53\n2.49\n2.55\n2.50\n");
        const Stage stage(files, row.target, row.failure);
        const test::ChildResult run =
            test::runProgram(QV_PROGRAM_PATH, {"--export", stage.target, lot}, stage.limits);
        if (run.exitStatus == 125) {
            GTEST_SKIP() << "the child could not drop to an unprivileged user";
        }
        EXPECT_EQ(run.signal, 0) << run.output;
        EXPECT_EQ(run.exitStatus, 1) << run.output;
        const std::string line = "Export Error: Cannot write " + stage.target + ": " + row.why;
        EXPECT_NE(("\n" + run.output).find("\n" + line + "\n"), std::string::npos) << run.output;
        stage.expectUntouched(row.failure);
    }
}

} // namespace
} // namespace qv
