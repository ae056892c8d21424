// Copy Graph, Save Graph As and Print from the window, through scripted answers;
// and a picture whose saving fails for real, from the window (Save Graph As) and
// from the command line (--export): a file-size limit, a folder the user may not
// write to, a folder where the file should be. The old file stays byte for byte,
// nothing is left beside it, and the message says why. (A project that cannot
// be written: tests/core/document/FaultInjectionTest.cpp and BatchModeTest.cpp.)
#include "core/model/ScriptedPrompter.h"
#include "batch/BatchMode.h"
#include "gui/app/MainWindow.h"
#include "gui/app/WindowCommands.h"
#include "gui/output/ChartOutput.h"
#include "render/ChartExport.h"
#include "support/ChildProcess.h"
#include "support/TempFiles.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QScreen>
#include <QTextStream>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qv {
namespace {

using test::fileBytes;
namespace fs = std::filesystem;

class OutputTest : public ::testing::Test
{
protected:
    OutputTest()
    {
        m_lot = m_files.write("lot.csv", "2.51\n2.53\n2.49\n2.55\n2.50\n2.52\n2.54\n2.48\n");
        m_window.openFromCommandLine(QString::fromStdString(m_lot));
    }
    QSize clientSize() const { return m_window.centralWidget()->size(); }
    void expectOneMessage(const char* text, const char* title)
    {
        ASSERT_EQ(m_prompter.messages.size(), 1u);
        EXPECT_EQ(m_prompter.messages[0].text, text);
        EXPECT_EQ(m_prompter.messages[0].title, title);
    }

    test::TempFiles m_files;
    std::string m_lot;
    ScriptedPrompter m_prompter;
    MainWindow m_window{m_prompter};
};

TEST_F(OutputTest, CopyGraphPutsTheBatchExportPictureOnTheClipboardOrLeavesItAsItWas)
{
    m_window.runCommand(Menu::mnuCopy);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), clientSize());
    EXPECT_TRUE(m_prompter.messages.empty());

    // Batch export on a screen of the same size writes the very same picture.
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const std::string exported = m_files.path("export.png");
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    ASSERT_EQ(runBatch({"quantiview", "--export", QString::fromStdString(exported), "--screen",
                        QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height()),
                        QString::fromStdString(m_lot)},
                       out, err),
              0)
        << errText.toStdString();
    const QImage batch(QString::fromStdString(exported));
    EXPECT_EQ(batch.convertToFormat(QImage::Format_RGB32),
              copied.convertToFormat(QImage::Format_RGB32));

    // A failed copy leaves the user's own text.
    QGuiApplication::clipboard()->setText(QStringLiteral("the user's own text"));
    EXPECT_FALSE(copyPictureToClipboard(QImage(), m_prompter));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "the user's own text");
    expectOneMessage("Unexpected Error  7", "Clipboard Error");
}

TEST_F(OutputTest, SaveGraphWritesAWindowsBitmapUnderAnotherNameOrReportsAMissingFolder)
{
    const std::string target = m_files.path("chart.grf");
    m_prompter.saveAnswers.push_back(target);
    m_window.runCommand(Menu::mnuSaveGraph);
    EXPECT_EQ(fileBytes(target).substr(0, 2), "BM");
    QImageReader reader(QString::fromStdString(target), "BMP");
    EXPECT_EQ(reader.read().size(), clientSize());
    EXPECT_TRUE(m_prompter.messages.empty());

    m_prompter.saveAnswers.push_back(m_files.path("no-such-folder/chart.bmp"));
    m_window.runCommand(Menu::mnuSaveGraph);
    expectOneMessage("Unexpected Error  76", "Save As... Error");
}

TEST_F(OutputTest, PrintGivesOnePdfPageTurnedAsPageSetupSaysOrNothingOrTheReasonWhyNot)
{
    for (const int orientation : {0, 1}) { // frmPageSetup.optPrtOrientation: 1 is landscape
        SCOPED_TRACE(orientation);
        m_window.session().settings.selectGroup(Ctl::frmPageSetup_optPrtOrientation, orientation);
        const std::string pdf = m_files.path("page" + std::to_string(orientation) + ".pdf");
        m_prompter.printAnswers.push_back({true, pdf});
        m_window.runCommand(Menu::mnuPrint);
        EXPECT_TRUE(m_prompter.messages.empty());
        const QString text = QString::fromLatin1(QByteArray::fromStdString(fileBytes(pdf)));
        EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 1);
        const QRegularExpression mediaBox(
            QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"));
        const auto box = mediaBox.match(text);
        ASSERT_TRUE(box.hasMatch());
        EXPECT_EQ(box.captured(1).toDouble() > box.captured(2).toDouble(), orientation == 1);
    }

    // Cancelled, nothing is printed; a printer that cannot start is reported.
    m_prompter.printAnswers.push_back({false, m_files.path("cancelled.pdf")});
    m_window.runCommand(Menu::mnuPrint);
    EXPECT_TRUE(m_prompter.messages.empty());
    EXPECT_TRUE(fileBytes(m_files.path("cancelled.pdf")).empty());
    m_prompter.printAnswers.push_back({true, m_files.path("no-such-folder/page.pdf")});
    m_window.runCommand(Menu::mnuPrint);
    EXPECT_EQ(m_prompter.printDialogs, 4);
    expectOneMessage("Unexpected Error  482", "Print Error");
}

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
        before = test::folderNames(folder);
    }
    ~Stage() { fs::permissions(folder, fs::perms::owner_all); }
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    void expectUntouched(Failure failure) const
    {
        if (failure != Failure::TargetIsAFolder) {
            EXPECT_EQ(fileBytes(target), OldBytes);
        }
        EXPECT_EQ(test::folderNames(folder), before); // no temporary file left behind
    }
};

TEST_F(OutputTest, SaveGraphAsABitmapThatCannotBeWrittenLeavesTheOldFileAndSaysWhy)
{
    const std::pair<Failure, const char*> rows[] = {
        {Failure::SizeLimit, "Save As... Error: Unexpected Error  61"},
        {Failure::TargetIsAFolder, "Save As... Error: Unexpected Error  75"},
        {Failure::FolderNotWritable, "Save As... Error: Unexpected Error  70"},
    };
    ASSERT_TRUE(m_prompter.messages.empty());
    for (const auto& [failure, message] : rows) {
        SCOPED_TRACE(message);
        const test::TempFiles files;
        const Stage stage(files, "GRAPH1.BMP", failure);
        // The child saves; the window in the test's process stays as it was.
        const test::ChildResult child = test::runInChild(stage.limits, [&] {
            m_prompter.saveAnswers.push_back(stage.target);
            m_prompter.confirmAnswers.push_back(true);
            m_window.runCommand(Menu::mnuSaveGraph);
            std::string said;
            for (const RecordedMessage& m : m_prompter.messages) {
                said += m.title + ": " + m.text + "\n";
            }
            return said;
        });
        if (child.exitStatus == 125) {
            GTEST_SKIP() << "the child could not drop to an unprivileged user";
        }
        EXPECT_EQ(child.exitStatus, 0);
        EXPECT_EQ(child.output, std::string(message) + "\n");
        stage.expectUntouched(failure);
    }
}

// The program run as a user runs it; SIGXFSZ keeps its default action in the
// child, so a size limit would end a program that does not ignore it.
TEST(CommandLine, AnExportThatCannotBeWrittenLeavesTheOldFileAndExitsWithOne)
{
    // Each row: the file name in the prepared folder, the failure, and what the
    // message says after "Export Error: Cannot write <target>: ".
    const std::tuple<const char*, Failure, const char*> rows[] = {
        {"chart.png", Failure::SizeLimit, "File too large"},
        {"chart.svg", Failure::TargetIsAFolder, "Is a directory"},
        {"chart.pdf", Failure::FolderNotWritable, "Permission denied"},
    };
    for (const auto& [name, failure, why] : rows) {
        SCOPED_TRACE(name);
#if defined(__SANITIZE_THREAD__)
        // The thread sanitizer's own start-up writes a file before main() runs.
        if (failure == Failure::SizeLimit) {
            continue;
        }
#endif
        test::TempFiles files;
        const std::string lot = files.write("lot.csv", "2.51\n2.53\n2.49\n2.55\n2.50\n");
        const Stage stage(files, name, failure);
        const test::ChildResult run =
            test::runProgram(QV_PROGRAM_PATH, {"--export", stage.target, lot}, stage.limits);
        if (run.exitStatus == 125) {
            GTEST_SKIP() << "the child could not drop to an unprivileged user";
        }
        EXPECT_EQ(run.signal, 0) << run.output;
        EXPECT_EQ(run.exitStatus, 1) << run.output;
        const std::string line = "Export Error: Cannot write " + stage.target + ": " + why;
        EXPECT_NE(("\n" + run.output).find("\n" + line + "\n"), std::string::npos) << run.output;
        stage.expectUntouched(failure);
    }
}

} // namespace
} // namespace qv
