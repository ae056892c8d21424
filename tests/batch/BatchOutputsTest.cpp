// What batch mode writes, against what a hostile command line or a failing disk
// does to it: a flush that fails (fault injected in a child process), targets
// that are not regular files, outputs that are one file or one of the inputs,
// names taken exactly as given, and formats and columns refused before drawing.
#include "batch/BatchRun.h"
#include "core/io/FilePaths.h"
#include "core/io/TextFile.h"
#include "support/ChildProcess.h"
#include "support/FailingSync.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace qv {
namespace {

using test::BatchRun;
using test::expectRefused;
using test::fileBytes;
using test::Files;
using test::folderNames;
using test::Refused;
using test::runReport;
namespace fs = std::filesystem;

const char* const OldBytes = "the picture that was there\n";
const std::string FiveValues = "5\n4\n3\n2\n1\n";

TEST(BatchOutputs, AFlushOrWriteThatFailsKeepsTheOldFileAndExitsWithOneSayingWhy)
{
    // Each row: the output, the error the flush reports (0: none), a file-size
    // limit in bytes (0: none) and what the message says.
    const std::tuple<const char*, int, rlim_t, const char*> rows[] = {
        {"--export", EIO, 0, "Input/output error"},
        {"--oc-curve", ENOSPC, 0, "No space left on device"},
        {"--save-project", EIO, 0, "Unexpected Error 75"},
        // The limit stops the picture part way, after its first bytes.
        {"--export", 0, 1000, "File too large"},
    };
    for (const auto& [option, error, limit, why] : rows) {
        SCOPED_TRACE(why);
        Files files;
        const QString lot = files.lot("lot.csv", FiveValues);
        const std::string target = files.write(
            option == std::string("--save-project") ? "lot.qvw" : "chart.png", OldBytes);
        const std::vector<std::string> before = folderNames(files.path(""));
        test::ChildLimits limits;
        if (limit > 0) {
            limits.fileSizeBytes = limit;
        }
        const test::ChildResult child =
            test::runInChild(limits, [&, error = error, option = option] {
                test::failingSyncError = error;
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

TEST(BatchOutputs, OutputsThatAreOneFileOrAnInputAreUsageErrorsBeforeAnythingIsWritten)
{
    Files files;
    const QString a = files.lot("a.csv", FiveValues);
    const QString b = files.lot("b.csv", "1,2,3\n4,5,6\n");
    fs::create_directory(files.path("charts"));
    fs::create_directory_symlink(files.path("charts"), files.path("linked"));
    fs::create_symlink(files.path("a.csv"), files.path("a-link.png"));
    const QString folder = files.at("");
    const Refused rows[] = {
        {{"--export", folder + "/charts/c.png", "--oc-curve", folder + "/linked/c.png", a},
         "would be written twice"},
        {{"--report", "--save-project", folder + "/{name}.csv", a, b}, "is the input file"},
        {{"--export", folder + "/linked/../a.png", "--oc-curve", folder + "/a.png", a},
         "would be written twice"},
        {{"--export", folder + "/a-link.png", a}, "is the input file"},
        {{"--report", "--overlay", b, "--save-project", folder + "/./b.csv", a},
         "is the input file"},
        {{"--export", "", a}, "--export is given an empty file name"},
        {{"--report", "--save-project", "", a}, "--save-project is given an empty file name"},
    };
    expectRefused(2, rows);
    EXPECT_EQ(fileBytes(files.path("a.csv")), FiveValues);
    EXPECT_EQ(fileBytes(files.path("b.csv")), "1,2,3\n4,5,6\n");
    EXPECT_TRUE(folderNames(files.path("charts")).empty());
}

TEST(BatchOutputs, FileNamesAreTakenExactlyAsGiven)
{
    Files files;
    files.lot("lot.csv", "1\n2\n3\n");
    const QString blank = files.lot(" lot.csv", "10\n20\n30\n40\n");
    const BatchRun spaced = runReport({"--report", files.at("") + "/ lot.csv"});
    ASSERT_EQ(spaced.status, 0) << spaced.errors.toStdString();
    EXPECT_EQ(spaced.set()["point_count"].toInt(), 4);
    EXPECT_EQ(runReport({"--report", blank + " "}).status, 1); // "lot.csv " does not exist

    // Names go to text and back byte for byte, UTF-8 or not (an encoded
    // surrogate, a cut sequence); UTF-8 reads as its characters.
    for (const std::string name :
         {"lot\303\251.csv", "\360\237\223\210", "\355\240\200x", "lot\303", "\377\376"}) {
        EXPECT_EQ(fileNameBytes(fileNameText(name)), name);
    }
    EXPECT_EQ(fileNameText("\303\251\360\237\223\210"), u"\u00e9\U0001F4C8");
    EXPECT_EQ(fileNameText("a\351"), u"a\xDCE9");

    // A name that is not UTF-8 keeps its bytes, as main() decodes it, and so
    // does the picture named after it.
    const std::string latin1 = files.write("lot\351.csv", "1\n2\n3\n");
    const QString given = QString::fromStdU16String(fileNameText(latin1));
    const BatchRun bytes = runReport({"--report", "--export", files.at("") + "/{name}.png", given});
    ASSERT_EQ(bytes.status, 0) << bytes.errors.toStdString();
    EXPECT_EQ(bytes.set()["point_count"].toInt(), 3);
    EXPECT_EQ(fileBytes(files.path("lot\351.png")).substr(1, 3), "PNG");

    // The longest name a folder takes: the temporary file beside it must fit too.
    const std::string longest = std::string(236, 'n') + ".qvw";
    const BatchRun saved =
        runReport({"--report", "--save-project", files.at(longest), files.at("lot.csv")});
    EXPECT_EQ(saved.status, 0) << saved.errors.toStdString();
    EXPECT_TRUE(fs::is_regular_file(files.path(longest)));
}

TEST(BatchOutputs, PictureFormatsAndColumnsAreCheckedBeforeDrawingAndAFailedLoadWritesNothing)
{
    Files files;
    const QString lot = files.lot("lot.csv", FiveValues);
    const QString three = files.lot("three.csv", "1,2,3\n4,5,6\n7,8,9\n");
    const Refused usageErrors[] = {
        {{"--oc-curve", files.at("oc.jpg"), lot}, "unknown picture format"},
        {{"--export", files.at("chart.gif"), lot}, "unknown picture format"},
        {{"--report", "--columns", "2", three},
         "--columns 2 does not match the 3 fields of the file's second line"},
    };
    expectRefused(2, usageErrors);
    EXPECT_FALSE(fs::exists(files.path("oc.jpg")));

    // .bmp is listed for --oc-curve and written.
    EXPECT_TRUE(runReport({"--help"}).output.contains("OUT (.png, .bmp, .svg, .pdf)"));
    ASSERT_EQ(runReport({"--oc-curve", files.at("oc.bmp"), lot}).status, 0);
    EXPECT_EQ(fileBytes(files.path("oc.bmp")).substr(0, 2), "BM");

    const BatchRun failed =
        runReport({"--report", "--export", files.at("x.png"), "--oc-curve", files.at("y.png"),
                   "--save-project", files.at("z.qvw"), files.at("missing.csv")});
    EXPECT_EQ(failed.status, 1);
    for (const char* name : {"x.png", "y.png", "z.qvw"}) {
        EXPECT_FALSE(fs::exists(files.path(name))) << name;
    }
}

TEST(BatchOutputs, AFileOfMoreLinesThanTheLargestLotFailsAsALotBeyondThePointLimit)
{
    Files files;
    std::string points;
    for (int i = 0; i < MaxPoints; ++i) {
        points += "# reading\n" + std::to_string(i % 97) + "\n";
    }
    // A full lot among as many comments still loads.
    const BatchRun full = runReport({"--report", files.lot("full.csv", points)});
    EXPECT_EQ(full.set()["point_count"].toInt(), MaxPoints) << full.errors.toStdString();
    // Two points and then empty lines: the reader stops at the first line past the limit.
    const std::string empty(MaxFileLines, '\n');
    const BatchRun beyond = runReport({"--report", files.lot("two.csv", "1\n2\n" + empty)});
    EXPECT_EQ(beyond.status, 1);
    EXPECT_EQ(beyond.report["messages"].toArray().at(0).toObject()["text"].toString(),
              "Unexpected Error 9");
}

} // namespace
} // namespace qv
