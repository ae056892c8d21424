// Project files: the exact text written, and reopening to the same chart.
#include "core/document/ChartDocument.h"
#include "core/document/FileCommands.h"
#include "core/io/ProjectFile.h"
#include "core/io/TextFile.h"
#include "core/model/ScriptedPrompter.h"
#include "support/FixedPitchMeasurer.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <sstream>

namespace qv {
namespace {

using Values = std::vector<double>;
using States = std::vector<std::int16_t>;

DataSet makeSet(Values values, Values sigmas, States states)
{
    DataSet set;
    set.pointCount = static_cast<int>(values.size());
    set.enabledCount =
        static_cast<int>(std::count_if(states.begin(), states.end(), isEnabledState));
    set.hasSigmas = !sigmas.empty();
    if (sigmas.empty()) {
        sigmas.assign(values.size(), 0.0);
    }
    set.values = std::move(values);
    set.sigmas = std::move(sigmas);
    set.states = std::move(states);
    return set;
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string crlf(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The bits of each number, so that 0.30000000000000004 never passes for 0.3.
std::vector<std::uint64_t> bits(const Values& values)
{
    std::vector<std::uint64_t> out;
    for (double v : values) {
        out.push_back(std::bit_cast<std::uint64_t>(v));
    }
    return out;
}

struct Document
{
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    ChartDocument document{prompter, measurer};
    Session& session = document.session();
    Settings& s = session.settings;

    Document() { document.startUp(designLayout(12000, 9000), {"Arial", "DejaVu Sans", "Z"}); }
    bool open(const std::string& path, DataFileAnswers answers = {})
    {
        prompter.openAnswers.push_back(path);
        prompter.dataFileAnswers.push_back(answers);
        return document.openFile();
    }
    bool saveAs(const std::string& path)
    {
        prompter.saveAnswers.push_back(path);
        return document.saveAs();
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

// The settings of a chart after its first data file, with a few choices made.
Settings chosenSettings()
{
    Settings s;
    s.setFontList({"Arial", "DejaVu Sans"});
    s.walkFontListTo("Arial");
    s.setCheck(Ctl::frmPageSetup_chkGraphTitleBold, 1);
    s.selectGroup(Ctl::frmPageSetup_optPlotSize, 4);
    s.selectGroup(Ctl::frmPageSetup_optPlotTitleFontsize, 2);
    s.selectGroup(Ctl::frmPageSetup_optYAxisLabelFontsize, 2);
    s.selectGroup(Ctl::frmPageSetup_optPrtOrientation, 0);
    s.resetOptions();
    s.setText(Ctl::PlotOpts_PlotTitle, "Lot 7");
    s.setText(Ctl::PlotOpts_YAxisLabel, "Width (µm)");
    s.setCheck(Ctl::PlotOpts_TestStatistic, 1);
    s.setCheck(Ctl::PlotOpts_LSQfit, 1);
    s.selectGroup(Ctl::PlotOpts_ConfInterval, 1);
    s.selectGroup(Ctl::PlotOpts_CR, 2);
    s.setText(Ctl::AxesOpts_YscaleMin, "0.5");
    s.setText(Ctl::AxesOpts_YscaleMax, "4.5");
    s.setText(Ctl::AxesOpts_TickInterval, "1");
    return s;
}

const std::string
    SettingsLines =
        crlf({" 1 ",    "Lot 7", "Width (µm)", "",      " 1 ",    " 1 ",    " 0 ",
              " 1 ",    " 0 ",   "0",          "0",     " 0 ",    " 1 ",    "False",
              "True",   "False", "False",                        // 14-17 confidence 95%
              "False",  "True",  "True",                         // 18-19 un-weighted, 20 Gaussian
              "False",  "True",  "False",      "False",          // 21-24 LTPD 10%
              "False",  "False", "True",       "False",          // 25-28 CR 0.05
              "0.5",    "4.5",   "1",          "False", "True",  // 29-33 the manual scale
              "True",   "False", "False",      "False", "False", // 34-38 probability range Auto
              "True",   "False", "True",       "False", "False", // 39-43 decimal labels, circles
              "True",   "False", "0",          " 1 ",   " 1 ",    " 1 ",    " 1 ",
              "True",   "False", "0",          " 2.5 ", "-1.25 ", " 3.75 ", " 1e-07 ",
              " 1200 ", " 240 ", // 54-59 places
              "True",   "False", "False",      " 0 ",   " 1 ",    " 0 ",    "True",
              "False",  "False", "False",      "True",  "False",  "False", // 68-72 title 12 point
              "False",  "False", "True",       "False", "False",           // 73-77 label 10 point
              " 1 ",    " 1 ",   "",           "",      "Arial"});

TEST(ProjectFile, WritesTheExactTextWithAndWithoutAnOverlay)
{
    const Settings s = chosenSettings();
    const SavedPositions places{2.5, -1.25, 3.75, 1e-7, 1200, 240};
    const DataSet withSigmas = makeSet({1e-7, 1.5, 0.1 + 0.2}, {0.5, 0.25, 0.125}, {1, 2, 3});
    EXPECT_EQ(
        projectFileText(withSigmas, nullptr, s, places),
        crlf({"1e-07,0.5,1", "1.5,0.25,2", "0.30000000000000004,0.125,3", "FORMATTING", "2,3"}) +
            SettingsLines);

    // Each set has its own point format; line 1 answers for the main set.
    const DataSet main = makeSet({-2, 4}, {}, {1, 0});
    const DataSet overlay = makeSet({10, 20}, {1, 2}, {3, 1});
    std::string settings = SettingsLines;
    settings.replace(0, 3, " 0 ");
    EXPECT_EQ(
        projectFileText(main, &overlay, s, places),
        crlf({"-2,1", "4,0", "OVERLAY START", "2,2", "10,1,3", "20,2,1", "OVERLAY END", "1,2"}) +
            settings);
}

TEST(ProjectFile, KeepsEveryTextOnItsLineAndEveryTrailingComma)
{
    Settings s = chosenSettings();
    s.setText(Ctl::PlotOpts_PlotTitle, "Lot 7\r\nshift 2\nline 3");
    s.setText(Ctl::PlotOpts_PlotText, "n = 5,");
    s.setText(Ctl::StatsForm_txtMainStatBoxTitle, " Main, ");
    const auto lines = settingsBlockLines(s, false, {});
    ASSERT_EQ(lines.size(), 82u);
    EXPECT_EQ(lines[1], "Lot 7 shift 2 line 3");
    EXPECT_EQ(lines[3], "n = 5,,");
    EXPECT_EQ(lines[79], " Main, ");

    const std::string text = projectFileText(makeSet({1, 2}, {}, {1, 1}), nullptr, s, {});
    const auto read = TextFile::splitLines(text);
    ASSERT_EQ(read.size(), 2u + 1u + 83u); // the breaks shifted nothing
    Settings back = chosenSettings();
    SavedPositions places{};
    const std::vector<std::string_view> block(read.begin() + 3, read.end());
    EXPECT_EQ(readSettingsBlock(back, block, places).errorCode, 0);
    EXPECT_EQ(back.text(Ctl::PlotOpts_PlotTitle), "Lot 7 shift 2 line 3");
    EXPECT_EQ(back.text(Ctl::PlotOpts_PlotText), "n = 5,");
    EXPECT_EQ(back.text(Ctl::StatsForm_txtMainStatBoxTitle), " Main, ");
    EXPECT_EQ(back.text(Ctl::frmPageSetup_cboFont), "Arial");
}

TEST(ProjectFile, ReopensToTheSameSetsBitForBitWithStatesAndPlaces)
{
    test::TempFiles files;
    const std::string data =
        files.write("lot.csv", "Width,Sigma\n0.30000000000000004,0.1\n3.3333333333333335,1e-300\n"
                               "1e-7,0.5\n123456789.123,2\n0.1,0.2\n");
    const std::string overlayData = files.write("over.csv", "7.25\n6.125\n5.1\n");
    for (const bool withOverlay : {false, true}) {
        SCOPED_TRACE(withOverlay ? "with overlay" : "without overlay");
        Document saver;
        ASSERT_TRUE(saver.open(data, {.sigmaColumn = 2}));
        // Disabled, disabled and hilited, enabled and hilited.
        saver.session.set(1).states = {0, 2, 3, 1, 1};
        saver.session.set(1).enabledCount = 3;
        if (withOverlay) {
            saver.prompter.openAnswers.push_back(overlayData);
            ASSERT_TRUE(saver.document.inputOverlayData());
            saver.session.set(2).states = {1, 3, 0};
            saver.session.set(2).enabledCount = 2;
        }
        saver.document.drawPlot();
        const std::string path = files.path(withOverlay ? "both.qvw" : "main.qvw");
        const SavedPositions written = saver.document.projectPositions();
        ASSERT_TRUE(saver.saveAs(path));

        Document reader;
        ASSERT_TRUE(reader.open(path));
        EXPECT_EQ(reader.said(), std::vector<std::string>{});
        EXPECT_EQ(reader.prompter.dataFileDialogs, 0);
        EXPECT_EQ(reader.session.overlayLoaded, withOverlay);
        for (int n = 1; n <= (withOverlay ? 2 : 1); ++n) {
            SCOPED_TRACE(n);
            const DataSet& before = saver.session.set(n);
            const DataSet& after = reader.session.set(n);
            EXPECT_EQ(bits(after.values), bits(before.values));
            EXPECT_EQ(bits(after.sigmas), bits(before.sigmas));
            EXPECT_EQ(after.states, before.states);
            EXPECT_EQ(after.hasSigmas, before.hasSigmas);
            EXPECT_EQ(after.pointCount, before.pointCount);
            EXPECT_EQ(after.enabledCount, before.enabledCount);
        }
        EXPECT_EQ(
            bits({written.begin(), written.end()}),
            bits({reader.session.savedPositions.begin(), reader.session.savedPositions.end()}));
        EXPECT_TRUE(reader.session.placeBoxesPending);
        if (withOverlay) {
            EXPECT_EQ(reader.session.overlayPath, path);
        }
        EXPECT_EQ(reader.session.windowTitle, "Quantiview 3.0 (" + path + ")");
    }
}

TEST(ProjectFile, ReopensWithEveryStoredSettingAndTheManualScale)
{
    test::TempFiles files;
    Document saver;
    ASSERT_TRUE(
        saver.open(files.write("lot.csv", "1,0.1\n2,0.1\n4,0.2\n8,0.1\n"), {.sigmaColumn = 2}));
    Settings& s = saver.s;
    // Every stored setting away from its value after a data file.
    for (const ControlInfo& info : controlTable()) {
        if (info.fileLine == 0) {
            continue;
        }
        switch (info.kind) {
        case ControlKind::Check:
            s.setCheck(info.id, 1 - s.check(info.id));
            break;
        case ControlKind::Group:
            s.selectGroup(info.id, (s.group(info.id) + 1) % info.buttons);
            break;
        case ControlKind::Text:
        case ControlKind::Combo:
            s.setText(info.id, "3");
            break;
        default:
            break;
        }
    }
    s.setCheck(Ctl::FileChar_ErrorBars, 1); // the set has uncertainties
    s.selectButton(Ctl::PlotOpts_Tdist);
    s.selectButton(Ctl::PlotOpts_LogY);
    s.selectButton(Ctl::AxesOpts_Eformat);
    s.setText(Ctl::PlotOpts_PlotTitle, "Lot 7");
    s.setText(Ctl::PlotOpts_BkgValue, "0.5");
    s.setText(Ctl::StatsForm_txtMainStatBoxTitle, "  Main  ");
    s.setFromText(Ctl::frmPageSetup_cboFont, "DejaVu Sans");
    saver.document.drawPlot();
    // Typed after the automatic scale's drawing, which writes its own.
    s.setText(Ctl::AxesOpts_YscaleMin, "0.5");
    s.setText(Ctl::AxesOpts_YscaleMax, "20");
    s.setText(Ctl::AxesOpts_TickInterval, "3");
    const std::string path = files.path("chart.qvw");
    ASSERT_TRUE(saver.saveAs(path));
    // The live chart took the manual scale only now that the file is written,
    // with the scale texts the file holds.
    EXPECT_TRUE(s.selected(Ctl::AxesOpts_Manual));
    EXPECT_EQ(s.text(Ctl::AxesOpts_TickInterval), "3");
    EXPECT_EQ(saver.session.windowTitle, "Quantiview 3.0 (" + path + ")");

    Document reader;
    ASSERT_TRUE(reader.open(path));
    for (const ControlInfo& info : controlTable()) {
        if (info.fileLine != 0) {
            EXPECT_EQ(reader.s.valueText(info.id), s.valueText(info.id)) << info.name;
        }
    }
    EXPECT_EQ(reader.s.text(Ctl::AxesOpts_YscaleMin), "0.5");
    EXPECT_EQ(reader.s.text(Ctl::StatsForm_txtMainStatBoxTitle), "  Main  ");
    // The bold chart font counts from the reopening's drawing on.
    EXPECT_TRUE(reader.session.graphFontBold);
    EXPECT_EQ(reader.document.scene().placements.statsBox.font.bold, true);
}

TEST(ProjectFile, ALogAutomaticChartKeepsItsScaleTextsThroughSaveAndReopen)
{
    test::TempFiles files;
    Document saver;
    ASSERT_TRUE(saver.open(files.write("lot.csv", "3\n30\n300\n12\n120\n")));
    saver.s.selectButton(Ctl::PlotOpts_LogY);
    saver.document.drawPlot();
    const std::string scale[] = {saver.s.text(Ctl::AxesOpts_YscaleMin),
                                 saver.s.text(Ctl::AxesOpts_YscaleMax),
                                 saver.s.text(Ctl::AxesOpts_TickInterval)};
    ASSERT_NE(scale[2], "10"); // the drawing wrote its own step back
    const std::string path = files.path("log.qvw");
    ASSERT_TRUE(saver.saveAs(path));

    const auto lines = TextFile::read(path);
    const auto& l = lines.lines();
    const std::size_t block = 5 + 2; // points, "FORMATTING", counts line = line 0
    EXPECT_EQ(std::string(l[block + 28]), scale[0]);
    EXPECT_EQ(std::string(l[block + 29]), scale[1]);
    EXPECT_EQ(std::string(l[block + 30]), scale[2]);
    EXPECT_EQ(std::string(l[block + 31]), "False");
    EXPECT_EQ(std::string(l[block + 32]), "True");
    EXPECT_EQ(std::string(l[block + 60]), "True"); // log

    Document reader;
    ASSERT_TRUE(reader.open(path));
    EXPECT_TRUE(reader.s.selected(Ctl::AxesOpts_Manual));
    EXPECT_TRUE(reader.s.selected(Ctl::PlotOpts_LogY));
    EXPECT_EQ(reader.s.text(Ctl::AxesOpts_YscaleMin), scale[0]);
    EXPECT_EQ(reader.s.text(Ctl::AxesOpts_YscaleMax), scale[1]);
    EXPECT_EQ(reader.s.text(Ctl::AxesOpts_TickInterval), scale[2]);
    EXPECT_EQ(reader.said(), std::vector<std::string>{});
    EXPECT_EQ(reader.document.plot().results().ymax, saver.document.plot().results().ymax);
}

TEST(ProjectFile, ShortBadAndUnknownSettingsLines)
{
    const std::string text =
        projectFileText(makeSet({1, 2}, {}, {1, 1}), nullptr, chosenSettings(), {1, 2, 3, 4, 5, 6});
    const auto all = TextFile::splitLines(text);
    const std::vector<std::string_view> full(all.begin() + 3, all.end()); // counts line on
    const struct
    {
        const char* what;
        std::size_t keep; // lines of the block kept (counts line included)
        int line;         // a line replaced, 0 for none
        const char* replacement;
        int errorCode;
        const char* font;
        const char* probabilityRange; // AxesOpts.NumNines, lines 34-38
        double place;                 // line 54
        int minAndMax;                // StatsForm.chkMax, line 79
    } rows[] = {
        {"a block that stops after line 40", 41, 0, "", 0, "Z", "0", 9, 0},
        {"maybe on an option line", 83, 35, "maybe", 13, "Z", "0", 9, 0},
        {"a number on an option line", 83, 35, " 1 ", 0, "Arial", "1", 1, 1},
        {"an unknown font", 83, 82, "Wingdings 9", 0, "Arial", "0", 1, 1},
        {"an empty font line", 83, 82, "", 0, "Arial", "0", 1, 1},
        {"a word on a whole-number check line", 83, 63, "bold", 13, "Z", "0", 1, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<std::string_view> block(full.begin(),
                                            full.begin() + static_cast<std::ptrdiff_t>(row.keep));
        if (row.line != 0) {
            block[static_cast<std::size_t>(row.line)] = row.replacement;
        }
        Settings s;
        s.setFontList({"Z", "Arial"});
        s.walkFontListTo("Z");
        s.resetOptions();
        s.selectGroup(Ctl::AxesOpts_NumNines, 2);
        s.setCheck(Ctl::StatsForm_chkMax, 0);
        SavedPositions places{9, 9, 9, 9, 9, 9};
        const SettingsBlockResult result = readSettingsBlock(s, block, places);
        EXPECT_EQ(result.errorCode, row.errorCode);
        // The lines before a failure and before the end stay applied, the rest as they were.
        EXPECT_EQ(s.text(Ctl::PlotOpts_PlotTitle), "Lot 7");
        EXPECT_EQ(s.group(Ctl::PlotOpts_CR), 2);
        EXPECT_EQ(s.valueText(Ctl::AxesOpts_NumNines), row.probabilityRange);
        EXPECT_EQ(s.text(Ctl::frmPageSetup_cboFont), row.font);
        EXPECT_EQ(s.check(Ctl::StatsForm_chkMax), row.minAndMax);
        EXPECT_EQ(places[0], row.place);
    }
    // An empty font line without Arial takes the font start-up takes.
    Settings s;
    s.setFontList({"Z", "Liberation Sans", "A"});
    std::vector<std::string_view> block(full.begin(), full.end());
    block[82] = "";
    SavedPositions places{};
    readSettingsBlock(s, block, places, "Liberation Sans");
    EXPECT_EQ(s.text(Ctl::frmPageSetup_cboFont), "Liberation Sans");
}

TEST(ProjectFile, ASettingsLineThatCannotBeReadIsReportedAndTheDataStillLoad)
{
    test::TempFiles files;
    auto lines = settingsBlockLines(chosenSettings(), false, {});
    lines[34] = "maybe"; // line 35
    std::string text = crlf({"1,1", "1.5,0", "2,1", "3,1", "4,1", "FORMATTING", "4,5"});
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    Document d;
    ASSERT_TRUE(d.open(files.write("bad.qvw", text)));
    EXPECT_EQ(d.said(), std::vector<std::string>{"Read QVW Error: Unexpected Error  13"});
    EXPECT_EQ(d.session.set(1).values, (Values{1, 1.5, 2, 3, 4}));
    EXPECT_EQ(d.s.text(Ctl::AxesOpts_TickInterval), "1"); // read before the bad line
    EXPECT_EQ(d.document.lastOutcome(), DrawOutcome::Drawn);
}

TEST(ProjectFile, PointLinesAndCountsThatDisagree)
{
    test::TempFiles files;
    const std::string settings = crlf({" 0 ", "Lot 7"});
    const struct
    {
        const char* what;
        std::string text;
        const char* said; // null: loads
        Values values;
        int enabled;
    } rows[] = {
        {"a counts line above the lines read",
         crlf({"1,1", "2,0", "3,1", "4,1", "FORMATTING", "9,9"}) + settings,
         nullptr,
         {1, 2, 3, 4},
         3},
        {"a counts line below the lines read",
         crlf({"3,1", "1,1", "2,1", "5,1", "FORMATTING", "3,3"}),
         nullptr,
         {1, 2, 3},
         3},
        {"a counts line that is no count",
         crlf({"3,1", "1,0", "2,1", "4,1", "FORMATTING", "x"}),
         "Read QVW Error: Unexpected Error  13",
         {1, 2, 3, 4},
         3},
        {"a file that ends after its points", crlf({"2,1", "1,3", "3,1"}), nullptr, {1, 2, 3}, 3},
        {"a state outside 0..3",
         crlf({"1,1", "2,4", "FORMATTING"}),
         "File Error: Unexpected Error 13",
         {},
         0},
        {"a point line of four fields",
         crlf({"1,1", "2,0.5,1,1", "FORMATTING"}),
         "File Error: Unexpected Error 13",
         {},
         0},
        {"a first line of one field",
         crlf({"1", "2", "FORMATTING"}),
         "File Error: Unexpected Error 13",
         {},
         0},
        {"an overlay without its end",
         crlf({"1,1", "OVERLAY START", "1,1", "5,1"}),
         "File Error: Unexpected Error 62",
         {},
         0},
        {"an overlay line of one field",
         crlf({"1,1", "OVERLAY START", "1,1", "5", "OVERLAY END", "1,1"}),
         "File Error: Unexpected Error 13",
         {},
         0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Document d;
        ASSERT_TRUE(d.open(files.write("before.csv", "7\n8\n")));
        d.prompter.messages.clear();
        const bool loaded = d.open(files.write("chart.qvw", row.text));
        const DataSet& set = d.session.set(1);
        EXPECT_EQ(d.said(),
                  row.said ? std::vector<std::string>{row.said} : std::vector<std::string>{});
        if (loaded) {
            EXPECT_EQ(set.values, row.values);
            EXPECT_EQ(set.pointCount, static_cast<int>(row.values.size()));
            EXPECT_EQ(set.states.size(), row.values.size());
            EXPECT_EQ(set.enabledCount, row.enabled);
        } else {
            EXPECT_NE(row.said, nullptr);
            EXPECT_EQ(set.values, (Values{7, 8})); // the previous chart kept
        }
    }
}

TEST(ProjectFile, OverlaysReopenUpToMaxPointsAndAProjectAsOverlaySkipsItsOwn)
{
    test::TempFiles files;
    Values many(40000);
    for (std::size_t i = 0; i < many.size(); ++i) {
        many[i] = 1 + static_cast<double>(i) / 7;
    }
    const DataSet big = makeSet(many, {}, States(many.size(), 1));
    const std::string path = files.write(
        "big.qvw", projectFileText(makeSet({5, 1, 3}, {}, {1, 3, 0}), &big, chosenSettings(), {}));

    Document d;
    ASSERT_TRUE(d.open(path));
    EXPECT_TRUE(d.session.overlayLoaded);
    EXPECT_EQ(d.session.set(2).pointCount, 40000);
    EXPECT_EQ(d.session.set(2).values, many);
    EXPECT_EQ(d.session.set(1).values, (Values{1, 3, 5}));
    EXPECT_EQ(d.session.overlayPath, path);

    // The same file as the overlay supplies its main points as set 2.
    Document o;
    ASSERT_TRUE(o.open(files.write("main.csv", "10\n20\n30\n")));
    o.prompter.openAnswers.push_back(path);
    ASSERT_TRUE(o.document.inputOverlayData());
    EXPECT_EQ(o.session.set(2).values, (Values{1, 3, 5}));
    EXPECT_EQ(o.session.set(2).states, (States{3, 0, 1}));
    EXPECT_EQ(o.session.set(1).values, (Values{10, 20, 30}));
    EXPECT_EQ(o.s.text(Ctl::PlotOpts_PlotTitle), "Lot 7");
    // "OVERLAY START" in a data file is just a foreign line.
    Document f;
    ASSERT_TRUE(f.open(files.write("odd.csv", "1\n2\nOVERLAY START\n3\n")));
    EXPECT_EQ(f.session.set(1).values, (Values{1, 2, 3}));
}

TEST(SaveFileAs, ProposesTheSourceNameAndAsksBeforeReplacing)
{
    test::TempFiles files;
    Document d;
    const std::string source = files.write("RUN1.Data.CSV", "3\n1\n2\n");
    ASSERT_TRUE(d.open(source));
    const std::string old = files.write("Chart.QVW", "old");
    const struct
    {
        const char* what;
        std::string chosen;
        std::optional<bool> overwrite; // answer to the question, when asked
        std::string written;           // empty: nothing written
    } rows[] = {
        {"a new name without extension gets .qvw", files.path("Lot7"), {}, files.path("Lot7.qvw")},
        {"Cancel to the overwrite question", old, false, ""},
        {"OK to the overwrite question", old, true, old},
        {"an extension of another case is kept", files.path("Run.QvW"), {}, files.path("Run.QvW")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        d.prompter.confirmations.clear();
        if (row.overwrite) {
            d.prompter.confirmAnswers.push_back(*row.overwrite);
        }
        EXPECT_EQ(d.saveAs(row.chosen), !row.written.empty());
        const FileDialogRequest& asked = d.prompter.fileRequests.back();
        EXPECT_EQ(asked.proposedName, files.path("RUN1.Data"));
        EXPECT_EQ(asked.filterIndex, 3);
        EXPECT_EQ(asked.filter, SaveFilter);
        EXPECT_EQ(d.prompter.confirmations,
                  row.overwrite ? std::vector<std::string>{"File Already Exists, Overwrite?"}
                                : std::vector<std::string>{});
        if (!row.written.empty()) {
            EXPECT_EQ(fileBytes(row.written).substr(0, 8), "1,1\r\n2,1");
            EXPECT_EQ(d.session.windowTitle, "Quantiview 3.0 (" + row.written + ")");
        } else {
            EXPECT_EQ(fileBytes(old), "old");
        }
    }
    EXPECT_EQ(fileBytes(files.path("Lot7.qvw")).find("FORMATTING\r\n3,3\r\n"), 15u);
    EXPECT_TRUE(d.said().empty());

    Document fresh;
    fresh.session.documentsFolder = "/home/user/Documents";
    fresh.document.saveAs();
    EXPECT_EQ(fresh.prompter.fileRequests.back().proposedName, "GRAPH.QVW");
    EXPECT_EQ(fresh.prompter.fileRequests.back().initialFolder, "/home/user/Documents");
}

} // namespace
} // namespace qv
