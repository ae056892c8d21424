// Batch mode on the files users have: R's write.csv and write.csv2, a German
// spreadsheet export and a file with empty cells give the mean and sigma R
// gives for the same column, say which lines they skipped, and take columns
// by name and number settings only when they are wholly numbers.
#include "batch/BatchRun.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

QString dataFile(const char* name)
{
    return QStringLiteral(QV_TEST_DATA_DIR "/") + QString::fromUtf8(name);
}

TEST(BatchLoading, ReportsTheMeanAndSigmaRGivesForTheColumnOfEachFileShape)
{
    struct Row
    {
        const char* file;
        QStringList options;
        int points;
        double mean;
        double sigma;
        int skipped;
    };
    // The means and sds of R 4.2 quoted beside the reader's tests: mean(x), sd(x)
    // of the column without its NA and empty cells.
    const Row rows[] = {
        {"r_write_csv_trees.csv",
         {"--value-column", "Girth"},
         12,
         10.391666666666667,
         1.1333444740985401,
         0},
        {"r_write_csv2_trees.csv",
         {"--value-column", "Girth"},
         12,
         10.391666666666667,
         1.1333444740985401,
         0},
        {"spreadsheet_semicolons_decimal_commas.csv",
         {"--value-column", "Durchmesser (mm)"},
         7,
         12.036428571428571,
         0.0055933634144147582,
         1},
        {"r_write_csv_diameters_na.csv",
         {"--value-column", "2"},
         6,
         25.410333333333334,
         0.0082865352631040726,
         2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        QStringList arguments = {"--report"};
        arguments << row.options << dataFile(row.file);
        const BatchRun run = runReport(arguments);
        ASSERT_EQ(run.status, 0) << run.errors.toStdString();
        const QJsonObject set = run.set();
        EXPECT_EQ(set["point_count"].toInt(), row.points);
        const QJsonObject statistics = set["statistics"].toObject();
        EXPECT_NEAR(statistics["mean"].toDouble(), row.mean, 1e-12 * row.mean);
        EXPECT_NEAR(statistics["sigma"].toDouble(), row.sigma, 1e-9 * row.sigma);
        EXPECT_EQ(set["skipped_lines"].toObject()["count"].toInt(), row.skipped);
    }
}

TEST(BatchLoading, ListsTheSkippedLinesAndSaysSoAmongTheMessages)
{
    const BatchRun run = runReport({"--report", "--value-column", "diameter", "--sigma-column", "u",
                                    dataFile("r_write_csv_diameters_na.csv")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const QJsonObject skipped = run.set()["skipped_lines"].toObject();
    EXPECT_EQ(skipped["count"].toInt(), 3);
    const QJsonArray lines = skipped["lines"].toArray();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].toObject()["line"].toInt(), 4);
    EXPECT_EQ(lines[1].toObject()["line"].toInt(), 5);
    EXPECT_EQ(lines[2].toObject()["reason"].toString(), "missing value");
    const QJsonArray messages = run.report["messages"].toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toObject()["title"].toString(), "Lines Not Read");
    EXPECT_EQ(messages[0].toObject()["icon"].toString(), "exclamation");
    EXPECT_TRUE(messages[0].toObject()["text"].toString().startsWith("3 lines were not read"));

    // A project file's points are all read.
    const QString project = QStringLiteral(QV_EXAMPLES_DIR "/resistor-lot.qvw");
    const BatchRun projectRun = runReport({"--report", project});
    ASSERT_EQ(projectRun.status, 0) << projectRun.errors.toStdString();
    EXPECT_EQ(projectRun.set()["skipped_lines"].toObject()["count"].toInt(), 0);
}

TEST(BatchLoading, ReadsDecimalCommasWhenAskedOrWhenTheFileShowsThem)
{
    Files files;
    // One column of decimal commas has no semicolon to tell by: only the flag reads it.
    const QString oneColumn = files.lot("one.csv", "8,3\n8,6\n8,8\n");
    const BatchRun asked = runReport({"--report", "--decimal-comma", oneColumn});
    ASSERT_EQ(asked.status, 0) << asked.errors.toStdString();
    EXPECT_EQ(asked.set()["values"].toArray(), (QJsonArray{8.3, 8.6, 8.8}));
    EXPECT_EQ(asked.report["settings"].toObject()["FileChar.DecimalComma"].toInt(), 1);
    // The field count given with the flag is counted as the flag reads the lines.
    const BatchRun counted =
        runReport({"--report", "--decimal-comma", "--columns", "1", oneColumn});
    ASSERT_EQ(counted.status, 0) << counted.errors.toStdString();
    EXPECT_EQ(counted.set()["values"].toArray(), (QJsonArray{8.3, 8.6, 8.8}));
    const BatchRun detected =
        runReport({"--report", "--value-column", "2", dataFile("r_write_csv2_trees.csv")});
    EXPECT_EQ(detected.set()["values"].toArray().at(0).toDouble(), 8.3);
}

TEST(BatchLoading, RefusesAColumnNameTheFileDoesNotHaveAndANumberSettingThatIsNoNumber)
{
    const Refused refused[] = {
        {{"--report", "--value-column", "Girht", dataFile("r_write_csv_trees.csv")}, "\"Girht\""},
        {{"--report", "--sigma-column", "U", dataFile("r_write_csv_trees.csv")}, "\"U\""},
        {{"--report", "--set", "PlotOpts.ULimit=12a", dataFile("r_write_csv_trees.csv")},
         "PlotOpts.ULimit takes a number, not \"12a\""},
        {{"--report", "--set", "AxesOpts.TickInterval=", dataFile("r_write_csv_trees.csv")},
         "AxesOpts.TickInterval takes a number"},
    };
    expectRefused(2, refused);

    // A decimal comma is a decimal mark and the setting keeps the point.
    const BatchRun run =
        runReport({"--report", "--value-column", "Girth", "--set", "PlotOpts.LimitLines=1", "--set",
                   "PlotOpts.ULimit=12,57", dataFile("r_write_csv_trees.csv")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    EXPECT_EQ(run.report["settings"].toObject()["PlotOpts.ULimit"].toString(), "12.57");
    EXPECT_EQ(run.report["limit_labels"].toArray().at(0).toString(), " Upper Limit = 12.57");
}

} // namespace
} // namespace qv::test
