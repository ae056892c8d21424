// What batch mode writes, against what a hostile command line or a failing disk
// does to it: a flush that fails (fault injected in a child process), targets
// that are not regular files, outputs that are one file or one of the inputs,
// names taken exactly as given, and formats and columns refused before drawing.
#include "batch/BatchRun.h"
#include "core/io/FilePaths.h"
#include "support/ChildProcess.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The error the disk's flush reports while a child sets it; 0 leaves it alone.
std::atomic<int> failingSyncError{0};

int syncOrFail(long call, int fd)
{
    if (const int error = failingSyncError.load()) {
        errno = error;
        return -1;
    }
    return static_cast<int>(::syscall(call, fd));
}

} // namespace

// The program's own calls (and Qt's) reach these instead of the C library's.
extern "C" int fsync(int fd)
{
    return syncOrFail(SYS_fsync, fd);
}
extern "C" int fdatasync(int fd)
{
    return syncOrFail(SYS_fdatasync, fd);
}

namespace qv {
namespace {

using test::BatchRun;
using test::Files;
using test::Refused;
using test::expectRefused;
using test::fileBytes;
using test::folderNames;
using test::runReport;
namespace fs = std::filesystem;

const char* const OldBytes = "the picture that was there\n";
const std::string FiveValues = "5\n4\n3\n2\n1\n";

TEST(BatchOutputs, AFlushThatFailsKeepsTheOldFileAndExitsWithOneSayingWhy)
{
    const std::tuple<const char*, int, const char*> rows[] = {
        {"--export", EIO, "Input/output error"},
        {"--oc-curve", ENOSPC, "No space left on device"},
        {"--save-project", EIO, "Unexpected Error 75"},
    };
    for (const auto& [option, error, why] : rows) {
        SCOPED_TRACE(option);
        Files files;
        const QString lot = files.lot("lot.csv", FiveValues);
        const std::string target =
            files.write(option == std::string("--save-project") ? "lot.qvw" : "chart.png", OldBytes);
        const std::vector<std::string> before = folderNames(files.path(""));
        const test::ChildResult child = test::runInChild({}, [&, error = error, option = option] {
            failingSyncError = error;
            const BatchRun run =
                runReport({"--report", option, QString::fromStdString(target), lot});
            return std::to_string(run.status) + "\n" + run.errors.toStdString();
        });
        EXPECT_EQ(child.exitStatus, 0);
        EXPECT_EQ(child.output.substr(0, 2), "1\n");
        EXPECT_NE(child.output.find(why), std::string::npos) << child.output;
        EXPECT_EQ(fileBytes(target), OldBytes);
        EXPECT_EQ(folderNames(files.path("")), before); // no temporary file left behind
    }
}

TEST(BatchOutputs, ATargetThatIsNotARegularFileIsRefusedAndLeftAsItWas)
{
    Files files;
    const QString lot = files.lot("lot.csv", FiveValues);
    const std::string fifo = files.path("pipe.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Writing to /dev/null destroys nothing should the refusal ever fail.
    for (const char* name : {"null.png", "null.svg", "null.qvw"}) {
        fs::create_symlink("/dev/null", files.path(name));
    }
    const std::tuple<const char*, std::string, const char*> rows[] = {
        {"--export", fifo, "not a regular file"},
        {"--export", files.path("null.png"), "not a regular file"},
        {"--oc-curve", files.path("null.svg"), "not a regular file"},
        {"--save-project", files.path("null.qvw"), "Unexpected Error 54"},
    };
    for (const auto& [option, target, why] : rows) {
        SCOPED_TRACE(target);
        const BatchRun run = runReport({"--report", option, QString::fromStdString(target), lot});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.errors.contains(why)) << run.errors.toStdString();
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    for (const char* name : {"null.png", "null.svg", "null.qvw"}) {
        EXPECT_EQ(fs::read_symlink(files.path(name)), "/dev/null");
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

} // namespace
} // namespace qv
