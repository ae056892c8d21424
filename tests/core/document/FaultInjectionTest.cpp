// Saving a project that fails for real (a file-size limit, a flush the disk reports
// as failed, a folder the user may not write to, a folder where the file should be),
// reading a file that another program changes, truncates, removes or replaces meanwhile,
// and every fuzz seed and every input that once broke a target (tests/data/fuzz/<target>/)
// through the targets' entry points.
#include "ChartHarness.h"
#include "FuzzEntries.h"
#include "support/SystemFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <set>
#include <thread>
#include <tuple>

#if !defined(_WIN32)
#include "support/ChildProcess.h"
#include "support/FailingSync.h"
#endif

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

struct SaveOutcome
{
    bool limitsApplied = true;
    std::string said; // what the save said, the window title, "auto scale" when it stayed
};

// Runs the save under the failure. A size limit, a failing flush and a user who
// may not write the folder are put on a forked child, where the test's own
// process keeps none of them. Windows has no file-size limit and no flush to
// replace, and its folder refuses new files through its access list, so there
// the save runs in the test's process.
SaveOutcome saveUnder(Failure failure, const std::function<std::string()>& save)
{
#if defined(_WIN32)
    (void)failure;
    return {true, save()};
#else
    test::ChildLimits limits;
    limits.fileSizeBytes = failure == Failure::SizeLimit ? std::optional<rlim_t>(256) : std::nullopt;
    limits.unprivileged = failure == Failure::FolderNotWritable;
    const test::ChildResult child = test::runInChild(limits, [&] {
        test::failingSyncError = failure == Failure::FlushFails ? EIO : 0;
        return save();
    });
    EXPECT_TRUE(child.exitStatus == 0 || child.exitStatus == 125) << child.exitStatus;
    return {child.exitStatus != 125, child.output};
#endif
}

TEST(SaveFileAs, AProjectThatCannotBeWrittenLeavesTheOldFileAndTheChartAsTheyWere)
{
    const std::string old = "1,1\r\n2,1\r\nFORMATTING\r\n2,2\r\n";
    const std::tuple<const char*, Failure, const char*> rows[] = {
#if !defined(_WIN32)
        {"a file-size limit below the project's size", Failure::SizeLimit,
         "Save As... Error: Unexpected Error 61\n"},
#endif
        {"a target that is a folder", Failure::TargetIsAFolder,
         "Save As... Error: Unexpected Error 75\n"},
#if !defined(_WIN32)
        {"a flush the disk reports as failed", Failure::FlushFails,
         "Save As... Error: Unexpected Error 75\n"},
#endif
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
        if (failure == Failure::TargetIsAFolder) {
            fs::create_directory(target);
        } else {
            std::ofstream(target, std::ios::binary) << old;
        }
        if (failure == Failure::FolderNotWritable) {
            // The file itself may be written; only the folder refuses new files.
            fs::permissions(target, fs::perms(0666));
            ASSERT_TRUE(test::refuseNewFiles(folder, true));
        }
        const std::vector<std::string> before = folderNames(folder);
        Document d;
        ASSERT_TRUE(d.open(files.write("lot7.csv", "2.51\n2.53\n2.49\n2.55\n2.50\n")));
        const std::string title = d.session.window.windowTitle;

        const SaveOutcome outcome = saveUnder(failure, [&] {
            d.prompter.confirmAnswers.push_back(true);
            const bool saved = d.saveAs(target);
            return std::string(saved ? "saved\n" : "") + saidText(d) +
                   d.session.window.windowTitle + "\n" +
                   (d.s.selected(Ctl::AxesOpts_Auto) ? "auto scale\n" : "");
        });
        if (!outcome.limitsApplied) {
            test::refuseNewFiles(folder, false);
            GTEST_SKIP() << "the child could not drop to an unprivileged user";
        }
        EXPECT_EQ(outcome.said, message + title + "\nauto scale\n");
        if (failure != Failure::TargetIsAFolder) {
            EXPECT_EQ(fileBytes(target), old);
        }
        EXPECT_EQ(folderNames(folder), before); // no temporary file left behind
        test::refuseNewFiles(folder, false);
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
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (std::size_t done = 0; file && done < text.size();) {
        const std::size_t piece = std::min<std::size_t>(4000, text.size() - done);
        file.write(text.data() + done, static_cast<std::streamsize>(piece)).flush();
        done += piece;
    }
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
        std::error_code ignored;
        for (int round = 0; !stop; ++round) {
            switch (round % 4) {
            case 0:
                rewriteInPlace(path, shortLot);
                break;
            case 1:
                rewriteInPlace(path, longLot);
                break;
            case 2:
                fs::remove(path, ignored);
                break;
            default:
                rewriteInPlace(path + ".new", shortLot);
                fs::rename(path + ".new", path, ignored);
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
