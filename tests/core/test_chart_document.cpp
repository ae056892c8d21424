// The chart document's load command and commands, as the window and batch mode use them.
#include "core/document/ChartDocument.h"
#include "core/io/FilePaths.h"
#include "core/io/TextFile.h"
#include "core/model/ScriptedPrompter.h"
#include "support/FixedPitchMeasurer.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace qv {
namespace {

using Values = std::vector<double>;

struct Document
{
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    ChartDocument document{prompter, measurer};
    Session& session = document.session();
    test::TempFiles files;

    explicit Document(const ChartLayout& layout = designLayout(12000, 9000))
    {
        document.startUp(layout, {"Arial"});
    }
    bool open(const std::string& path, DataFileAnswers answers = {})
    {
        prompter.openAnswers.push_back(path);
        prompter.dataFileAnswers.push_back(answers);
        return document.openFile();
    }
    std::vector<std::string> said() const
    {
        std::vector<std::string> texts;
        for (const RecordedMessage& m : prompter.messages) {
            texts.push_back(m.title + ": " + m.text);
        }
        return texts;
    }
};

TEST(ChartDocument, LoadsEveryExampleLotAndDrawsItWithoutAMessage)
{
    int lots = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QV_EXAMPLES_DIR)) {
        SCOPED_TRACE(entry.path().string());
        Document d;
        ASSERT_TRUE(d.open(entry.path().string()));
        EXPECT_GT(d.session.set(1).pointCount, 10);
        EXPECT_EQ(d.document.lastOutcome(), DrawOutcome::Drawn);
        EXPECT_EQ(d.said(), std::vector<std::string>{});
        ++lots;
    }
    EXPECT_GE(lots, 4);
}

TEST(ChartDocument, ReadsOnlyRegularFilesAndLinesOfAtMostOneMebibyte)
{
    Document d;
    ASSERT_TRUE(d.open(d.files.write("lot.csv", "Width\n3\n1\n2\n")));
    const std::string fifo = d.files.path("pipe.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string longLine(MaxLineLength + 1, '7');
    const std::string foreign(MaxLineLength, 'x');
    const struct
    {
        const char* what;
        std::string path;
        const char* said; // null: the file loads
    } rows[] = {
        {"a FIFO, which would block", fifo, "File Error: File Error 54 Try Again"},
        {"an endless device", "/dev/zero", "File Error: File Error 54 Try Again"},
        {"a line one byte too long", d.files.write("long.csv", "1\n" + longLine + "\n2\n"),
         "File Error: Line 2 of the file is longer than 1048576 characters."},
        {"a skipped line of exactly the bound",
         d.files.write("bound.csv", "5\r\n4\r\n" + foreign + "\r\n6\r\n"), nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        d.prompter.messages.clear();
        EXPECT_EQ(d.open(row.path), row.said == nullptr);
        EXPECT_EQ(d.said(),
                  row.said ? std::vector<std::string>{row.said} : std::vector<std::string>{});
    }
    // The failed reads left the set and its label as they were; the last file loaded.
    EXPECT_EQ(d.session.set(1).values, (Values{4, 5, 6}));
}

TEST(ChartDocument, AFailedReadChangesNeitherTheSetNorItsLabel)
{
    Document d;
    ASSERT_TRUE(d.open(d.files.write("lot.csv", "Width\n3\n1\n2\n")));
    const std::string title = d.session.windowTitle;
    const std::string wide = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21\n";
    d.prompter.messages.clear();
    EXPECT_FALSE(d.open(d.files.write("wide.csv", "Depth\n1\n" + wide)));
    EXPECT_EQ(d.said(), std::vector<std::string>{"File Error: Unexpected Error 9"});
    EXPECT_EQ(d.prompter.previews.back().firstRow, "Depth");
    EXPECT_EQ(d.prompter.previews.back().secondRow, "1");
    EXPECT_EQ(d.session.settings.text(Ctl::PlotOpts_YAxisLabel), "Width");
    EXPECT_EQ(d.session.set(1).values, (Values{1, 2, 3}));
    EXPECT_EQ(d.session.windowTitle, title);
}

TEST(ChartDocument, EveryCommandTakesTheProjectExtensionInAnyCase)
{
    for (auto [path, project] : {std::pair{"run.qvw", true},
                                 {"run.QVW", true},
                                 {"run.Qvw", true},
                                 {"/a/b.qVw", true},
                                 {"runqvw", false},
                                 {"run.qvw.csv", false},
                                 {"qvw", false},
                                 {"run.qv", false}}) {
        EXPECT_EQ(isProjectPath(path), project) << path;
    }
    Document d;
    d.session.settings.resetOptions();
    // Open reads a mixed-case project without the Data File Parameters dialog.
    ASSERT_TRUE(d.open(d.files.write("chart.Qvw", "1,1\n2,3\n3,1\nFORMATTING\n")));
    EXPECT_EQ(d.prompter.dataFileDialogs, 0);
    EXPECT_EQ(d.session.set(1).states, (std::vector<std::int16_t>{1, 3, 1}));
    EXPECT_TRUE(d.session.menus.enabled(Menu::NewData));
    // Input New Data refuses one.
    d.prompter.openAnswers.push_back(d.files.write("new.qVW", "4,1\n"));
    EXPECT_FALSE(d.document.inputNewData());
    EXPECT_EQ(d.said(), std::vector<std::string>{
                            "Quantiview 3.0: New data file must be *.CSV or equivalent"});
}

TEST(ChartDocument, PlacesTheMovableItemsOnThePlotAreaScaledWithIt)
{
    for (const auto& [width, height] : {std::pair{12000.0, 9000.0}, {24000.0, 18000.0}}) {
        SCOPED_TRACE(width);
        const ChartLayout layout = designLayout(width, height);
        Document d(layout);
        const TwipsRect& area = layout.plotArea;
        const Placements& p = d.session.placements;
        for (const Placement* box : {&p.statsBox, &p.plotText, &p.overlayStats, &p.overlayText}) {
            EXPECT_GT(box->left, area.left);
            EXPECT_LT(box->left, area.left + 0.7 * area.width);
            EXPECT_GT(box->top, area.top);
            EXPECT_LT(box->top, area.top + 0.6 * area.height);
            EXPECT_FALSE(box->visible);
        }
        // The statistics box near the top left, the overlay's near the lower right.
        EXPECT_DOUBLE_EQ(p.statsBox.left, area.left + 0.036 * area.width);
        EXPECT_DOUBLE_EQ(p.statsBox.top, area.top + 0.05 * area.height);
        EXPECT_GT(p.overlayStats.left, p.plotText.left);
        EXPECT_GT(p.overlayStats.top, p.overlayText.top);
        EXPECT_LT(p.yLabel.left + p.yLabel.width, area.left);
    }

    // A drawing fills the value-axis label's caption and measured size, and the
    // scene carries the placements as the drawing left them.
    Document d;
    ASSERT_TRUE(d.open(d.files.write("lot.csv", "Width (mm)\n3\n1\n2\n")));
    const Placement& label = d.session.placements.yLabel;
    EXPECT_TRUE(label.visible);
    EXPECT_EQ(label.caption, "Width (mm)");
    EXPECT_DOUBLE_EQ(label.height, d.measurer.textWidth("Width (mm)", label.font));
    EXPECT_EQ(d.document.scene().placements.yLabel.caption, "Width (mm)");
    EXPECT_DOUBLE_EQ(d.document.scene().placements.yLabel.top, label.top);
}

} // namespace
} // namespace qv
