// Saving a project that fails for real (a file-size limit, a flush the disk reports
// as failed, a folder the user may not write to, a folder where the file should be),
// reading a file that another program changes, truncates, removes or replaces meanwhile,
// and every fuzz seed and every input that once broke a target (tests/data/fuzz/<target>/)
// through the targets' entry points.
#include "ChartHarness.h"
#include "FuzzEntries.h"
#include "support/ChildProcess.h"
#include "support/FailingSync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <thread>
#include <tuple>

#include <fcntl.h>
#include <unistd.h>

namespace qv {
namespace {

using test::Document;
using test::fileBytes;
using test::folderNames;

namespace fs = std::filesystem;

// Every message, one "title: text" a line.
std::string saidText(const Document& d)
{
    std::string text;
    for (const std::string& line : d.said()) {
        text += line + "\n";
    }
    return text;
}

enum class Failure { SizeLimit, FlushFails, FolderNotWritable, TargetIsAFolder };

TEST(SaveFileAs, AProjectThatCannotBeWrittenLeavesTheOldFileAndTheChartAsTheyWere)
{
    const std::string old = "1,1\r\n2,1\r\nFORMATTING\r\n2,2\r\n";
    const std::tuple<const char*, Failure, const char*> rows[] = {
        {"a file-size limit below the project's size", Failure::SizeLimit,
         "Save As... Error: Unexpected Error 61\n"},
        {"a target that is a folder", Failure::TargetIsAFolder,
         "Save As... Error: Unexpected Error 75\n"},
        {"a flush the disk reports as failed", Failure::FlushFails,
         "Save As... Error: Unexpected Error 75\n"},
        // Last: run as root, the child drops to nobody, which a container may refuse.
        {"a folder the user may not write to", Failure::FolderNotWritable,
         "Save As... Error: Unexpected Error 70\n"},
    };
    for (const auto& [name, failure, message] : rows) {
        SCOPED_TRACE(name);
        test::TempFiles files;
        const fs::path folder = files.path("charts");
        fs::create_directory(folder);
        std::string target = (folder / "lot7.qvw").string();
        test::ChildLimits limits;
        switch (failure) {
        case Failure::SizeLimit:
            std::ofstream(target, std::ios::binary) << old;
            limits.fileSizeBytes = 256;
            break;
        case Failure::FolderNotWritable:
            std::ofstream(target, std::ios::binary) << old;
            // The file itself may be written; only the folder refuses new files.
            fs::permissions(target, fs::perms(0666));
            fs::permissions(folder, fs::perms(0555));
            limits.unprivileged = true;
            break;
        case Failure::TargetIsAFolder:
            fs::create_directory(target);
            break;
        case Failure::FlushFails:
            std::ofstream(target, std::ios::binary) << old;
            break;
        }
        const std::vector<std::string> before = folderNames(folder);
        Document d;
        ASSERT_TRUE(d.open(files.write("lot7.csv", "2.51\n2.53\n2.49\n2.55\n2.50\n")));
        const std::string title = d.session.window.windowTitle;

        const test::ChildResult child = test::runInChild(limits, [&, failure = failure] {
            test::failingSyncError = failure == Failure::FlushFails ? EIO : 0;
            d.prompter.confirmAnswers.push_back(true);
            const bool saved = d.saveAs(target);
            return std::string(saved ? "saved\n" : "") + saidText(d) +
                   d.session.window.windowTitle + "\n" +
                   (d.s.selected(Ctl::AxesOpts_Auto) ? "auto scale\n" : "");
        });
        if (child.exitStatus == 125) {
            GTEST_SKIP() << "the child could not drop to an unprivileged user";
        }
        EXPECT_EQ(child.exitStatus, 0);
        EXPECT_EQ(child.output, message + title + "\nauto scale\n");
        if (failure != Failure::TargetIsAFolder) {
            EXPECT_EQ(fileBytes(target), old);
        }
        EXPECT_EQ(folderNames(folder), before); // no temporary file left behind
        fs::permissions(folder, fs::perms::owner_all);
    }
}

// Lines of one value, four bytes each: a file written a page (4096 bytes) at a time
// holds whole lines in every state, so only a reader mixing two versions sees others.
std::string lotOf(int lines, const char* value)
{
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text.append(value).append("\n");
    }
    return text;
}

// Rewrites the file in place as a saving program does: emptied, then a thousand lines at a time.
void rewriteInPlace(const std::string& path, const std::string& text)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return;
    }
    for (std::size_t done = 0; done < text.size();) {
        const std::size_t piece = std::min<std::size_t>(4000, text.size() - done);
        const ssize_t n = ::write(fd, text.data() + done, piece);
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

TEST(OpenFile, AFileChangedOrRemovedWhileItIsReadLoadsOneWholeVersionOrIsRefused)
{
    test::TempFiles files;
    const std::string path = files.path("live.csv");
    const std::string longLot = lotOf(40000, "1.5");
    const std::string shortLot = lotOf(20000, "2.5");
    rewriteInPlace(path, longLot);
    Document d;
    ASSERT_TRUE(d.open(path));

    // Another program rewrites the file in place, removes it and renames a new one over it.
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int round = 0; !stop; ++round) {
            switch (round % 4) {
            case 0:
                rewriteInPlace(path, shortLot);
                break;
            case 1:
                rewriteInPlace(path, longLot);
                break;
            case 2:
                ::unlink(path.c_str());
                break;
            default:
                rewriteInPlace(path + ".new", shortLot);
                ::rename((path + ".new").c_str(), path.c_str());
                break;
            }
            // Now and then the file keeps still long enough to be read whole.
            if (round % 8 == 7) {
                std::this_thread::sleep_for(std::chrono::milliseconds(3));
            }
        }
    });
    const std::set<std::string> refusals{
        "File Error: File Error 53 Try Again\n", // removed
        "File Error: File Error 55 Try Again\n", // never kept still
        "File Error: Unexpected Error 62\n",     // emptied: fewer than two lines
    };
    int loads = 0;
    for (int attempt = 0; attempt < 80; ++attempt) {
        SCOPED_TRACE(attempt);
        d.prompter.messages.clear();
        const std::vector<double> previous = d.session.set(1).values;
        if (d.open(path)) {
            ++loads;
            const std::vector<double>& values = d.session.set(1).values;
            ASSERT_FALSE(values.empty());
            // One version: never the start of one and the end of another.
            EXPECT_TRUE(values.front() == 1.5 || values.front() == 2.5) << values.front();
            EXPECT_EQ(values.front(), values.back());
            EXPECT_LE(values.size(), 40000u);
        } else {
            EXPECT_EQ(refusals.count(saidText(d)), 1u) << saidText(d);
            EXPECT_EQ(d.session.set(1).values, previous);
        }
    }
    stop = true;
    writer.join();
    RecordProperty("loads", loads);
}

TEST(FuzzInputs, EverySeedAndEveryFoundInputKeepsTheRulesOfItsTarget)
{
    int inputs = 0;
    for (const fuzz::NamedEntry& target : fuzz::entries()) {
        for (const fs::path& folder : {fs::path(QV_FUZZ_DIR) / "corpus" / target.name,
                                       fs::path(QV_TEST_DATA_DIR) / "fuzz" / target.name}) {
            if (!fs::is_directory(folder)) {
                continue;
            }
            for (const auto& file : fs::directory_iterator(folder)) {
                SCOPED_TRACE(file.path().string());
                try {
                    target.entry(test::fileBytes(file.path().string()));
                } catch (const std::exception& e) {
                    ADD_FAILURE() << e.what();
                }
                ++inputs;
            }
        }
    }
    EXPECT_GE(inputs, 50);
}

} // namespace
} // namespace qv
