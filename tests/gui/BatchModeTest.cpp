#include "gui/app/BatchMode.h"
#include "support/TempFiles.h"
#include "support/TestTolerance.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct BatchRun
{
    int status = -1;
    QJsonObject report;
    QString output;
    QString errors;
};

BatchRun runReport(QStringList arguments)
{
    arguments.prepend("quantiview");
    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    BatchRun run;
    run.status = runBatch(arguments, out, err);
    out.flush();
    err.flush();
    run.report = QJsonDocument::fromJson(outText.toUtf8()).object();
    run.output = outText;
    run.errors = errText;
    return run;
}

QStringList strings(const QJsonArray& array)
{
    QStringList out;
    for (const auto& v : array) {
        out << v.toString();
    }
    return out;
}

TEST(BatchReport, DescribesTheLoadedSetSettingsAndDisabledControls)
{
    test::TempFiles files;
    const QString path = QString::fromStdString(
        files.write("RUN1.CSV", "Width (mm),Sigma\r\n3,0.3\r\n1,0.1\r\n2,0.2\r\n"));
    const BatchRun run = runReport({"--report", "--sigma-column", "2", "--set",
                                    "PlotOpts.CR=2", "--set", "PlotOpts.LSQfit=1", path});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const QJsonObject& r = run.report;
    EXPECT_EQ(r["window_title"].toString(), "Quantiview 3.0 (RUN1.CSV)");
    EXPECT_EQ(r["outcome"].toString(), "drawn");
    EXPECT_TRUE(r["messages"].toArray().isEmpty());

    const QJsonObject set = r["sets"].toArray().at(0).toObject();
    EXPECT_EQ(set["set"].toInt(), 1);
    EXPECT_EQ(set["point_count"].toInt(), 3);
    EXPECT_EQ(set["enabled_count"].toInt(), 3);
    EXPECT_EQ(set["values"].toArray(), (QJsonArray{1, 2, 3}));
    EXPECT_EQ(set["sigmas"].toArray(), (QJsonArray{0.1, 0.2, 0.3}));
    EXPECT_EQ(set["states"].toArray(), (QJsonArray{1, 1, 1}));
    EXPECT_EQ(set["y_axis_label"].toString(), "Width (mm)");

    const QJsonObject settings = r["settings"].toObject();
    EXPECT_EQ(settings["PlotOpts.CR"].toInt(), 2);
    EXPECT_EQ(settings["PlotOpts.LSQfit"].toInt(), 1);
    EXPECT_EQ(settings["PlotOpts.LinearY"].toBool(), true);
    EXPECT_EQ(settings["PlotOpts.ULimit"].toString(), "0");
    EXPECT_EQ(settings["frmPageSetup.optPlotSize"].toInt(), 4);
    EXPECT_EQ(settings["frmPageSetup.chkGraphTitleBold"].toInt(), 1);

    const QStringList disabled = strings(r["disabled_controls"].toArray());
    EXPECT_TRUE(disabled.contains("PlotOpts.ULimit"));
    EXPECT_TRUE(disabled.contains("AxesOpts.YscaleMin"));
    // Three points leave Student's t available; the uncertainty column enables
    // the bars and, with the fit on, the weighting.
    EXPECT_FALSE(disabled.contains("PlotOpts.Tdist"));
    EXPECT_FALSE(disabled.contains("PlotOpts.ErrorBars"));
    EXPECT_FALSE(disabled.contains("PlotOpts.weighting"));
}

TEST(BatchReport, FailedLoadsAndUsageErrorsHaveTheirExitStatus)
{
    test::TempFiles files;
    const BatchRun missing = runReport({"--report", QString::fromStdString(files.path("none.csv"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.report["outcome"].toString(), "failed");
    const QJsonObject message = missing.report["messages"].toArray().at(0).toObject();
    EXPECT_EQ(message["text"].toString(), "File Error 53 Try Again");
    EXPECT_EQ(message["title"].toString(), "File Error");
    EXPECT_EQ(message["icon"].toString(), "warning");
    EXPECT_EQ(missing.report["window_title"].toString(), "Quantiview 3.0");

    const QString lot = QString::fromStdString(files.write("lot.csv", "1\n2\n3\n"));
    for (const QStringList& bad : {QStringList{"--report", "--set", "PlotOpts.Nothing=1", lot},
                                   QStringList{"--report", "--set", "PlotOpts.CR=9", lot},
                                   QStringList{"--report", "--columns", "x", lot},
                                   QStringList{"--report"},
                                   QStringList{"--report", "--bogus", lot}}) {
        SCOPED_TRACE(bad.join(' ').toStdString());
        const BatchRun run = runReport(bad);
        EXPECT_EQ(run.status, 2);
        EXPECT_FALSE(run.errors.isEmpty());
        EXPECT_TRUE(run.report.isEmpty());
    }
}

TEST(BatchReport, CarriesTheStatisticsFitAndAxesOfTheDrawing)
{
    test::TempFiles files;
    const QString lot = QString::fromStdString(files.write("five.csv", "5\n4\n3\n2\n1\n"));
    const BatchRun plain = runReport({"--report", lot});
    ASSERT_EQ(plain.status, 0);
    const QJsonObject set = plain.report["sets"].toArray().at(0).toObject();
    const QJsonObject st = set["statistics"].toObject();
    const char* const positions[] = {"-0.967374", "-0.430717", "0", "0.430717", "0.967374"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_PRINTED(st["positions"].toArray().at(i).toDouble(), positions[i]);
    }
    EXPECT_EQ(st["n"].toInt(), 5);
    EXPECT_DOUBLE_EQ(st["mean"].toDouble(), 3);
    EXPECT_PRINTED(st["sigma"].toDouble(), "1.581139");
    EXPECT_PRINTED(st["k"].toDouble(), "2.585859");
    EXPECT_PRINTED(st["ts"].toDouble(), "7.088602");
    EXPECT_FALSE(set.contains("fit"));

    const QJsonObject x = plain.report["x_axis"].toObject();
    EXPECT_EQ(strings(x["tick_labels"].toArray()), (QStringList{"10", "50", "90"}));
    EXPECT_DOUBLE_EQ(x["xmin"].toDouble(), -1.28);
    EXPECT_EQ(x["caption"].toString(), "Cumulative Probability (%) - Gaussian Distribution");
    const QJsonObject y = plain.report["y_axis"].toObject();
    EXPECT_FALSE(y["tick_labels"].toArray().isEmpty());
    EXPECT_TRUE(strings(y["tick_labels"].toArray()).front().startsWith(' '));

    const BatchRun fitted = runReport({"--report", "--set", "PlotOpts.LSQfit=1", "--set", "PlotOpts.Tdist=1", lot});
    ASSERT_EQ(fitted.status, 0);
    const QJsonObject fitSet = fitted.report["sets"].toArray().at(0).toObject();
    ASSERT_TRUE(fitSet.contains("fit"));
    EXPECT_NEAR(fitSet["fit"].toObject()["intercept"].toDouble(), 3, 1e-9);
    EXPECT_PRINTED(fitSet["statistics"].toObject()["positions"].toArray().at(0).toDouble(),
                   "-1.150224");
    EXPECT_EQ(fitted.report["x_axis"].toObject()["caption"].toString(),
              "Cumulative Probability (%) - Student's t Distribution");

    // A drawing that stops on its own message reports it and exits with 1.
    const QString flat = QString::fromStdString(files.write("flat.csv", "3\n3\n3\n"));
    const BatchRun stopped = runReport({"--report", flat});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_EQ(stopped.report["outcome"].toString(), "stopped");
}

TEST(BatchReport, CarriesTheTextsOfTheChartOnlyWhenTheyAreDrawn)
{
    test::TempFiles files;
    const QString lot = QString::fromStdString(files.write("five.csv", "5\n4\n3\n2\n1\n"));
    const BatchRun plain = runReport({"--report", lot});
    ASSERT_EQ(plain.status, 0);
    const QJsonObject set = plain.report["sets"].toArray().at(0).toObject();
    EXPECT_EQ(set["stats_box"].toString(), " No. Pts. =  5  \r  Min =  1  \r  Mean =  3  \r"
                                           "  Max =  5  \r  Sigma =  1.58  \r  Ts =  7.09  ");
    // The default place: 3.6 % of the axis in, 5 % of the value range down.
    const QJsonObject y = plain.report["y_axis"].toObject();
    const double top = y["ymax"].toDouble() - 0.05 * (y["ymax"].toDouble() - y["ymin"].toDouble());
    const QJsonObject at = set["stats_box_position"].toObject();
    EXPECT_NEAR(at["left"].toDouble(), -1.28 + 0.036 * 2.56, 1e-9);
    EXPECT_NEAR(at["top"].toDouble(), top, 1e-9);
    for (const char* absent : {"plot_text", "ts_label", "percent_label"}) {
        EXPECT_FALSE(set.contains(absent)) << absent;
    }
    EXPECT_FALSE(plain.report.contains("limit_labels"));

    const BatchRun all = runReport(
        {"--report", "--set", "PlotOpts.TestStatistic=1", "--set", "PlotOpts.LimitLines=1", "--set",
         "PlotOpts.ULimit=0.5", "--set", "PlotOpts.FiftyLine=1", "--set",
         "PlotOpts.PlotText=Line 3", "--set", "PlotOpts.Statistics=0", lot});
    ASSERT_EQ(all.status, 0);
    const QJsonObject shown = all.report["sets"].toArray().at(0).toObject();
    EXPECT_EQ(shown["plot_text"].toString(), "Line 3");
    EXPECT_EQ(shown["ts_label"].toString(), " Ts = 7.09");
    EXPECT_EQ(shown["percent_label"].toString(), "<- 0.49% ->");
    EXPECT_FALSE(shown.contains("stats_box"));
    EXPECT_FALSE(shown.contains("stats_box_position"));
    EXPECT_EQ(strings(all.report["limit_labels"].toArray()),
              (QStringList{" Upper Limit = 0.5", " 50% of Upper Limit = 0.25"}));
}

TEST(BatchMode, AnswersHelpAndVersionAndRefusesWhatItCannotDo)
{
    test::TempFiles files;
    const QString lot = QString::fromStdString(files.write("two.csv", "1,10\n2,20\n3,30\n"));
    const BatchRun version = runReport({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "quantiview 3.0\n");
    const BatchRun help = runReport({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* line : {"--report", "--screen", "Exit status:", "  0  the chart was drawn",
                             "  1  the load or the drawing failed", "  2  usage error"}) {
        EXPECT_TRUE(help.output.contains(line)) << line;
    }

    const struct
    {
        QStringList arguments;
        const char* said;
    } refused[] = {
        {{"--bogus", lot}, "Unknown option 'bogus'"},
        {{"--labels", lot}, "--report or --export is needed"},
        {{"--report", "--screen", "100000x100000", lot}, "at most 16384 pixels a side"},
        {{"--report", "--screen", "800x16385", lot}, "at most 16384 pixels a side"},
        {{"--report", "--value-column", "3", lot}, "--value-column 3 is beyond the 2 fields"},
        {{"--report", "--sigma-column", "4", lot}, "--sigma-column 4 is beyond the 2 fields"},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const BatchRun run = runReport(row.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.errors.contains(row.said)) << run.errors.toStdString();
        EXPECT_TRUE(run.output.isEmpty());
    }
    const BatchRun largest =
        runReport({"--report", "--screen", "16384x600", "--value-column", "2", lot});
    EXPECT_EQ(largest.status, 0) << largest.errors.toStdString();
}

TEST(BatchMode, NeverFailsInSilenceWithoutAReport)
{
    test::TempFiles files;
    const QString png = QString::fromStdString(files.path("chart.png"));
    const struct
    {
        const char* what;
        QStringList arguments;
        int status;
        const char* said;
    } rows[] = {
        {"a missing file",
         {"--export", png, QString::fromStdString(files.path("none.csv"))},
         1,
         "File Error: File Error 53 Try Again\n"},
        {"a stopped drawing",
         {"--export", png, QString::fromStdString(files.write("flat.csv", "3\n3\n3\n"))},
         1,
         "Dataset Error: Axis Interval is a zero or negative value."},
        {"a folder", {"--export", png, QString::fromStdString(files.path(""))}, 1, "is a folder"},
        {"a folder with a report",
         {"--report", QString::fromStdString(files.path(""))},
         1,
         "is a folder"},
        {"an empty name", {"--report", ""}, 1, "the file name is empty"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const BatchRun run = runReport(row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_TRUE(run.errors.contains(row.said)) << run.errors.toStdString();
    }
}

TEST(BatchMode, SavesTheProjectAfterDrawingOrExitsWithOneWhenItCannot)
{
    test::TempFiles files;
    const QString lot = QString::fromStdString(files.write("RUN1.CSV", "Width\n3\n1\n2\n5\n"));
    const QString project = QString::fromStdString(files.path("run1.qvw"));
    const BatchRun saved = runReport(
        {"--report", "--set", "PlotOpts.PlotTitle=Lot 7", "--save-project", project, lot});
    ASSERT_EQ(saved.status, 0) << saved.errors.toStdString();
    // The report shows the chart as drawn: the saved file does not change it.
    EXPECT_TRUE(saved.report["settings"].toObject()["AxesOpts.Auto"].toBool());

    const BatchRun reopened = runReport({"--report", project});
    ASSERT_EQ(reopened.status, 0) << reopened.errors.toStdString();
    const QJsonObject set = reopened.report["sets"].toArray().at(0).toObject();
    EXPECT_EQ(set["values"].toArray(), (QJsonArray{1, 2, 3, 5}));
    EXPECT_EQ(set["y_axis_label"].toString(), "Width");
    const QJsonObject settings = reopened.report["settings"].toObject();
    EXPECT_EQ(settings["PlotOpts.PlotTitle"].toString(), "Lot 7");
    EXPECT_TRUE(settings["AxesOpts.Manual"].toBool());
    EXPECT_EQ(reopened.report["y_axis"].toObject(), saved.report["y_axis"].toObject());

    const BatchRun failed =
        runReport({"--report", "--save-project", QString::fromStdString(files.path("")), lot});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.errors.contains("was not written: Unexpected Error 75"))
        << failed.errors.toStdString();
}

} // namespace
} // namespace qv
