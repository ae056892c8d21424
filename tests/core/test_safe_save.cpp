// A save that fails leaves the previous file as it was and says so.
#include "core/Errors.h"
#include "core/document/ChartDocument.h"
#include "core/io/SafeFileWriter.h"
#include "core/model/ScriptedPrompter.h"
#include "support/FixedPitchMeasurer.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv {
namespace {

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::size_t filesIn(const std::string& folder)
{
    const std::filesystem::directory_iterator entries(folder);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

TEST(SafeFileWriter, AFileSizeLimitLeavesTheOldFileByteIdentical)
{
    test::TempFiles files;
    const std::string old = "1,1\r\n2,1\r\nFORMATTING\r\n";
    const std::string path = files.write("lot.qvw", old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The limit turns the write into EFBIG instead of a signal.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        int code = 0;
        try {
            writeFileReplacing(path, std::string(100000, '7'));
        } catch (const QvError& e) {
            code = e.code();
        }
        ::_exit(code);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), ErrorCode::DiskFull);
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(filesIn(std::filesystem::path(path).parent_path()), 1u); // no temporary file left
}

TEST(SafeFileWriter, ReplacesAFileKeepingItsPermissionsAndItsLink)
{
    test::TempFiles files;
    const std::string path = files.write("lot.qvw", "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const std::string link = files.path("link.qvw");
    std::filesystem::create_symlink(path, link);
    writeFileReplacing(link, "new");
    EXPECT_EQ(fileBytes(path), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    struct stat info = {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(filesIn(std::filesystem::path(path).parent_path()), 2u);
}

TEST(SaveFileAs, AFailedSaveIsReportedAndChangesNeitherTitleNorScale)
{
    test::TempFiles files;
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    ChartDocument document(prompter, measurer);
    document.startUp(designLayout(12000, 9000), {"Arial"});
    prompter.openAnswers.push_back(files.write("lot.csv", "3\n1\n2\n5\n"));
    ASSERT_TRUE(document.openFile());
    const std::string title = document.session().windowTitle;
    std::filesystem::create_directory(files.path("folder.qvw"));
    const struct
    {
        std::string chosen;
        const char* said;
    } rows[] = {
        {files.path("folder.qvw"), "Unexpected Error 75"},
        {files.path("missing/lot.qvw"), "Unexpected Error 76"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.chosen);
        prompter.messages.clear();
        prompter.saveAnswers.push_back(row.chosen);
        EXPECT_FALSE(document.saveAs());
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].title, "Save As... Error");
        EXPECT_EQ(prompter.messages[0].text, row.said);
        EXPECT_EQ(document.session().windowTitle, title);
        EXPECT_TRUE(document.session().settings.selected(Ctl::AxesOpts_Auto));
    }
}

} // namespace
} // namespace qv
