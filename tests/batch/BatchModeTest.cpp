// Batch mode run in the test's process: the JSON report's fields, the messages
// and exit statuses of failed loads and usage errors, the files it writes, the
// progress line and Page Setup's choices given with --set.
#include "batch/BatchRun.h"
#include "support/TestTolerance.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>

#include <gtest/gtest.h>

#include <span>

namespace qv {
namespace {

using test::BatchRun;
using test::expectRefused;
using test::Files;
using test::Refused;
using test::runReport;

QStringList strings(const QJsonArray& array)
{
    QStringList out;
    for (const auto& v : array) {
        out << v.toString();
    }
    return out;
}

TEST(BatchReport, DescribesTheLoadedSetSettingsAndDisabledControlsOrTheFailedLoad)
{
    Files files;
    const QString path = files.lot("RUN1.CSV", "Width (mm),Sigma\r\n3,0.3\r\n1,0.1\r\n2,0.2\r\n");
    const BatchRun run = runReport({"--report", "--sigma-column", "2", "--set",
                                    "PlotOpts.CR=2", "--set", "PlotOpts.LSQfit=1", path});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const QJsonObject& r = run.report;
    EXPECT_EQ(r["window_title"].toString(), "Quantiview 3.0 (RUN1.CSV)");
    EXPECT_EQ(r["outcome"].toString(), "drawn");
    EXPECT_TRUE(r["messages"].toArray().isEmpty());

    const QJsonObject set = run.set();
    EXPECT_EQ(set["point_count"].toInt(), 3);
    EXPECT_EQ(set["values"].toArray(), (QJsonArray{1, 2, 3}));
    EXPECT_EQ(set["sigmas"].toArray(), (QJsonArray{0.1, 0.2, 0.3}));
    EXPECT_EQ(set["y_axis_label"].toString(), "Width (mm)");

    const QJsonObject settings = r["settings"].toObject();
    EXPECT_EQ(settings["PlotOpts.CR"].toInt(), 2);
    EXPECT_EQ(settings["PlotOpts.LinearY"].toBool(), true);
    EXPECT_EQ(settings["PlotOpts.ULimit"].toString(), "0");

    // With the fit on, the uncertainty column enables the weighting.
    const QStringList disabled = strings(r["disabled_controls"].toArray());
    EXPECT_TRUE(disabled.contains("PlotOpts.ULimit"));
    EXPECT_FALSE(disabled.contains("PlotOpts.weighting"));

    // A failed load exits with 1 and reports its message.
    const BatchRun missing = runReport({"--report", files.at("none.csv")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.report["outcome"].toString(), "failed");
    const QJsonObject message = missing.report["messages"].toArray().at(0).toObject();
    EXPECT_EQ(message["text"].toString(), "File Error 53 Try Again");
    EXPECT_EQ(message["title"].toString(), "File Error");
    EXPECT_EQ(message["icon"].toString(), "warning");
}

TEST(BatchReport, CarriesTheStatisticsFitAxesAndTextsOfTheDrawing)
{
    Files files;
    const QString lot = files.lot("five.csv", "5\n4\n3\n2\n1\n");
    const BatchRun plain = runReport({"--report", lot});
    ASSERT_EQ(plain.status, 0);
    const QJsonObject set = plain.set();
    const QJsonObject st = set["statistics"].toObject();
    EXPECT_PRINTED(st["positions"].toArray().at(0).toDouble(), "-0.967374");
    EXPECT_PRINTED(st["k"].toDouble(), "2.585859");
    EXPECT_PRINTED(st["ts"].toDouble(), "7.088602");
    EXPECT_FALSE(set.contains("fit"));
    const QJsonObject x = plain.report["x_axis"].toObject();
    EXPECT_EQ(strings(x["tick_labels"].toArray()), (QStringList{"10", "50", "90"}));
    EXPECT_EQ(x["caption"].toString(), "Cumulative Probability (%) - Gaussian Distribution");

    const BatchRun fitted =
        runReport({"--report", "--set", "PlotOpts.LSQfit=1", "--set", "PlotOpts.Tdist=1", lot});
    ASSERT_EQ(fitted.status, 0);
    EXPECT_NEAR(fitted.set()["fit"].toObject()["intercept"].toDouble(), 3, 1e-9);
    EXPECT_EQ(fitted.report["x_axis"].toObject()["caption"].toString(),
              "Cumulative Probability (%) - Student's t Distribution");

    // A drawing that stops on its own message reports it and exits with 1.
    const BatchRun stopped = runReport({"--report", files.lot("flat.csv", "3\n3\n3\n")});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_EQ(stopped.report["outcome"].toString(), "stopped");

    // The texts of the chart, each only when it is drawn. The box's default place:
    // 3.6 % of the axis (-1.28 to 1.28) in, 5 % of the value range down.
    EXPECT_EQ(set["stats_box"].toString(), " No. Pts. =  5  \r  Min =  1  \r  Mean =  3  \r"
                                           "  Max =  5  \r  Sigma =  1.58  \r  Ts =  7.09  ");
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
    const QJsonObject shown = all.set();
    EXPECT_EQ(shown["plot_text"].toString(), "Line 3");
    EXPECT_EQ(shown["ts_label"].toString(), " Ts = 7.09");
    EXPECT_EQ(shown["percent_label"].toString(), "<- 0.49% ->");
    EXPECT_FALSE(shown.contains("stats_box"));
    EXPECT_FALSE(shown.contains("stats_box_position"));
    EXPECT_EQ(strings(all.report["limit_labels"].toArray()),
              (QStringList{" Upper Limit = 0.5", " 50% of Upper Limit = 0.25"}));
}

// (An unknown option is refused by the whole program, in tests/CMakeLists.txt.)
TEST(BatchMode, AnswersHelpAndVersionRefusesWhatItCannotDoAndNeverFailsInSilence)
{
    Files files;
    const QString lot = files.lot("two.csv", "1,10\n2,20\n3,30\n");
    const BatchRun version = runReport({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "quantiview 3.0\n");
    const BatchRun help = runReport({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* line : {"--oc-curve <OUT>", "Several FILEs:", "  3  with --fail-on-reject"}) {
        EXPECT_TRUE(help.output.contains(line)) << line;
    }

    const Refused usageErrors[] = {
        {{"--report"}, "FILE is missing"},
        {{"--report", "--set", "PlotOpts.Nothing=1", lot}, "unknown setting PlotOpts.Nothing"},
        {{"--report", "--set", "PlotOpts.CR=9", lot},
         "PlotOpts.CR takes a button index from 0 to 3"},
        {{"--report", "--columns", "x", lot}, "--columns takes a whole number of 1 or more"},
        {{"--labels", lot}, "--report, --export or --oc-curve is needed"},
        {{"--report", "--screen", "800x16385", lot}, "at most 16384 pixels a side"},
        {{"--report", "--value-column", "3", lot}, "--value-column 3 is beyond the 2 fields"},
    };
    expectRefused(2, usageErrors);
    const BatchRun largest =
        runReport({"--report", "--screen", "16384x600", "--value-column", "2", lot});
    EXPECT_EQ(largest.status, 0) << largest.errors.toStdString();

    // Without a report, every failure is said on stderr.
    const QString png = files.at("chart.png");
    const Refused failures[] = {
        {{"--export", png, files.at("none.csv")}, "File Error: File Error 53 Try Again\n"},
        {{"--export", png, files.lot("flat.csv", "3\n3\n3\n")},
         "Dataset Error: Axis Interval is a zero or negative value."},
        {{"--export", png, files.at("")}, "is a folder"},
        {{"--report", ""}, "the file name is empty"},
    };
    expectRefused(1, failures);
}

TEST(BatchMode, SavesTheProjectAfterDrawingOrExitsWithOneWhenItCannot)
{
    Files files;
    const QString lot = files.lot("RUN1.CSV", "Width\n3\n1\n2\n5\n");
    const QString project = files.at("run1.qvw");
    const BatchRun saved = runReport(
        {"--report", "--set", "PlotOpts.PlotTitle=Lot 7", "--save-project", project, lot});
    ASSERT_EQ(saved.status, 0) << saved.errors.toStdString();
    // The report shows the chart as drawn: the saved file does not change it.
    EXPECT_TRUE(saved.report["settings"].toObject()["AxesOpts.Auto"].toBool());

    const BatchRun reopened = runReport({"--report", project});
    ASSERT_EQ(reopened.status, 0) << reopened.errors.toStdString();
    EXPECT_EQ(reopened.set()["values"].toArray(), (QJsonArray{1, 2, 3, 5}));
    EXPECT_EQ(reopened.set()["y_axis_label"].toString(), "Width");
    const QJsonObject settings = reopened.report["settings"].toObject();
    EXPECT_EQ(settings["PlotOpts.PlotTitle"].toString(), "Lot 7");
    EXPECT_TRUE(settings["AxesOpts.Manual"].toBool());
    EXPECT_EQ(reopened.report["y_axis"].toObject(), saved.report["y_axis"].toObject());

    const BatchRun failed = runReport({"--report", "--save-project", files.at(""), lot});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.errors.contains("was not written: Unexpected Error 75"))
        << failed.errors.toStdString();
}

// The report's lines of a run over several FILEs, each parsed.
std::vector<QJsonObject> jsonLines(const QString& output)
{
    std::vector<QJsonObject> lines;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(line.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
        lines.push_back(json.object());
    }
    return lines;
}

const QStringList LimitTen = {"--set", "PlotOpts.LimitLines=1", "--set", "PlotOpts.ULimit=10"};

TEST(BatchReport, GivesTheLotDecisionsOfEachSetAndLeavesOutWhatHasNoAnswer)
{
    // k_exact and ts_exact by mpmath, A^2 and p by Python (see
    // core/stats/decisions/ExactPlanTest.cpp).
    Files files;
    const QString five = files.lot("five.csv", "5\n4\n3\n2\n1\n");
    const QString two = files.lot("two.csv", "1\n2\n");
    const QString flat = files.lot("flat.csv", "3\n3\n3\n");
    const BatchRun run = runReport(QStringList{"--report"} + LimitTen + QStringList{five});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const QJsonObject normality = run.set()["normality"].toObject();
    EXPECT_EQ(normality["test"].toString(), "anderson-darling");
    EXPECT_PRINTED(normality["a2"].toDouble(), "0.1435942037");
    EXPECT_PRINTED(normality["p_value"].toDouble(), "0.9195823034");
    const QJsonObject a = run.set()["acceptance"].toObject();
    EXPECT_EQ(a["accepted"], QJsonValue(true));
    EXPECT_PRINTED(a["k_exact"].toDouble(), "2.7423482030");
    EXPECT_PRINTED(a["ts_exact"].toDouble(), "7.3360332293");
    EXPECT_EQ(a["accepted_exact"], QJsonValue(true));
    const QJsonObject oc = a["oc_curve"].toObject();
    ASSERT_EQ(oc["probability_of_acceptance"].toArray().size(), 30);
    EXPECT_EQ(oc["fraction_defective"].toArray().at(9).toDouble(), 0.1);
    EXPECT_NEAR(oc["probability_of_acceptance"].toArray().at(9).toDouble(), 0.1, 1e-12);

    // Each row: whether each set has a normality test and an acceptance.
    const std::tuple<const char*, QStringList, std::vector<std::pair<bool, bool>>> rows[] = {
        {"no upper limit", {"--report", five}, {{true, false}}},
        // With the limit the axis spans 3 to 10 and the drawing ends: all equal, no test.
        {"equal values", QStringList{"--report"} + LimitTen + QStringList{flat}, {{false, true}}},
        {"a failed drawing (Student's t with 2 points)",
         QStringList{"--report", "--set", "PlotOpts.Tdist=1"} + LimitTen + QStringList{two},
         {{false, false}}},
        {"the overlay too",
         QStringList{"--report", "--overlay", five} + LimitTen + QStringList{two},
         {{false, true}, {true, true}}},
    };
    for (const auto& [what, arguments, expected] : rows) {
        SCOPED_TRACE(what);
        const QJsonArray sets = runReport(arguments).report["sets"].toArray();
        ASSERT_EQ(sets.size(), std::ssize(expected));
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const QJsonObject one = sets.at(static_cast<qsizetype>(i)).toObject();
            EXPECT_EQ(one.contains("normality"), expected[i].first);
            EXPECT_EQ(one.contains("acceptance"), expected[i].second);
        }
    }
    // Two points: the chart's k rejects at 11.40, the exact k accepts at 8.75.
    const QJsonObject twoPoints =
        runReport(QStringList{"--report"} + LimitTen + QStringList{two}).set();
    EXPECT_EQ(twoPoints["acceptance"].toObject()["accepted"], QJsonValue(false));
    EXPECT_EQ(twoPoints["acceptance"].toObject()["accepted_exact"], QJsonValue(true));
}

TEST(BatchMode, ManyLotsGiveOneJsonLineEachInOrderTheWorstExitStatusAndProgressOnATerminal)
{
    Files files;
    const QString good = files.lot("good.csv", "5\n4\n3\n2\n1\n");
    const QString pairs = files.lot("pairs.csv", "1,10\n2,20\n3,30\n");
    // Statuses 0 and 3 with --fail-on-reject, a failed lot winning over a rejected
    // one and the lines' order: tests/batch/exit_statuses.sh.
    const std::tuple<const char*, QStringList, int, QStringList, const char*> rows[] = {
        {"rejected but not asked to fail",
         QStringList{"--report"} + LimitTen +
             QStringList{files.lot("bad.csv", "1\n2\n3\n4\n50\n"), good},
         0, {"drawn", "drawn"}, nullptr},
        {"no limit to judge by", QStringList{"--report", "--fail-on-reject", good, good}, 1,
         {"drawn", "drawn"}, "cannot judge the lot"},
        {"a column one lot lacks", QStringList{"--report", "--value-column", "2", pairs, good}, 2,
         {"drawn", "failed"}, "--value-column 2 is beyond the 1 fields"},
    };
    for (const auto& [what, arguments, status, outcomes, said] : rows) {
        SCOPED_TRACE(what);
        const BatchRun run = runReport(arguments);
        EXPECT_EQ(run.status, status) << run.errors.toStdString();
        const std::vector<QJsonObject> lines = jsonLines(run.output);
        ASSERT_EQ(std::ssize(lines), outcomes.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i]["outcome"].toString(), outcomes[static_cast<qsizetype>(i)]);
        }
        if (said) {
            EXPECT_TRUE(run.errors.contains(said)) << run.errors.toStdString();
        }
    }

    // Progress shows on a terminal, and only for more than twenty lots.
    for (const auto& [lots, terminal, shown] :
         {std::tuple{21, true, true}, {20, true, false}, {21, false, false}}) {
        SCOPED_TRACE(::testing::Message() << lots << " lots, terminal " << terminal);
        QStringList arguments{"--report"};
        for (int i = 0; i < lots; ++i) {
            arguments << good;
        }
        const BatchRun run = runReport(arguments, terminal);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(std::ssize(jsonLines(run.output)), lots);
        const QString last = QStringLiteral("\rquantiview: %1 of %1 lots\n").arg(lots);
        EXPECT_EQ(run.errors.contains(last), shown) << run.errors.toStdString();
    }
}

TEST(BatchMode, WritesEachLotsPicturesUnderItsNameAndRefusesOutputsThatWouldCollide)
{
    Files files;
    const QString a = files.lot("a.csv", "5\n4\n3\n2\n1\n");
    const QString b = files.lot("b.txt", "1\n2\n3\n4\n6\n");
    const QString folder = files.at("");
    const BatchRun run = runReport({"--export", folder + "/{name}.png", "--oc-curve",
                                    folder + "/oc-{name}.svg", a, b});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    for (const char* name : {"a.png", "b.png", "oc-a.svg", "oc-b.svg"}) {
        EXPECT_TRUE(QFileInfo::exists(folder + "/" + name)) << name;
    }
    // The OC picture of one lot, 9000 twips wide: 600 pixels at 96 dpi.
    const QString oc = folder + "/oc.png";
    ASSERT_EQ(runReport({"--oc-curve", oc, a}).status, 0);
    EXPECT_EQ(QImage(oc).width(), 600);

    const Refused collisions[] = {
        {{"--export", folder + "/x.png", a, b}, "with several FILEs, --export needs {name} in OUT"},
        {{"--export", folder + "/{name}.png", a, folder + "/./a.csv"},
         "would be written twice (for"},
        {{"--export", folder + "/same.png", "--oc-curve", folder + "/same.png", a},
         "would be written twice"},
    };
    expectRefused(2, collisions);
    // A lot without an exact plan has no OC curve.
    const QString one = files.lot("one.csv", "7\n");
    const BatchRun none = runReport({"--oc-curve", folder + "/none.png", one});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.errors.contains("none.png was not written")) << none.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder + "/none.png"));
}

// Page Setup's choices take effect as its OK applies them; the PDF page follows
// the print orientation.
TEST(BatchMode, PageSetupChoicesResizeThePictureAndTurnThePdfPage)
{
    Files files;
    const QString lot = files.lot("lot.csv", "3\n1\n2\n5\n4\n");
    const QString png = files.at("chart.png");
    const QString pdf = files.at("chart.pdf");
    // The picture's width and whether the PDF page lies in landscape, with the choices given.
    const auto exported = [&](const QStringList& sets) {
        for (const QString& out : {png, pdf}) {
            const BatchRun run = runReport(QStringList{"--export", out} + sets + QStringList{lot});
            EXPECT_EQ(run.status, 0);
            EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
        }
        QFile file(pdf);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const auto box = QRegularExpression("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")
                             .match(QString::fromLatin1(file.readAll()));
        EXPECT_TRUE(box.hasMatch());
        return std::pair{QImage(png).width(),
                         box.captured(1).toDouble() > box.captured(2).toDouble()};
    };
    const auto [width, landscape] = exported({});
    EXPECT_FALSE(landscape);
    const auto [reduced, reducedLandscape] = exported({"--set", "frmPageSetup.optPlotSize=0"});
    EXPECT_NEAR(reduced, width * 0.68, width * 0.03); // Reduce 40%, roughly
    EXPECT_FALSE(reducedLandscape);
    const auto [turnedWidth, turned] = exported({"--set", "frmPageSetup.optPrtOrientation=1"});
    EXPECT_NEAR(turnedWidth, width, width * 0.03);
    EXPECT_TRUE(turned);
}

// Exact k by mpmath 1.3.0 at 40 digits (see core/stats/decisions/ExactPlanTest.cpp).
TEST(BatchReport, GivesNoChartVerdictWhereItsKIsNotPositiveAndFailsOnAnyRejection)
{
    Files files;
    const QString two = files.lot("two.csv", "2\n3\n");
    const QStringList limitOne = {"--set", "PlotOpts.LimitLines=1", "--set", "PlotOpts.ULimit=1"};
    // CR 0.05: the chart's k is -7.38 and would pass the lot at Ts -2.72.
    const BatchRun run = runReport(QStringList{"--report", "--fail-on-reject", "--set",
                                               "PlotOpts.CR=2"} +
                                   limitOne + QStringList{two});
    EXPECT_EQ(run.status, 3) << run.errors.toStdString();
    const QJsonObject a = run.set()["acceptance"].toObject();
    EXPECT_EQ(a["scale"].toString(), "linear");
    EXPECT_TRUE(a["accepted"].isNull());
    EXPECT_PRINTED(a["k"].toDouble(), "-7.377013");
    EXPECT_PRINTED(a["k_exact"].toDouble(), "20.5814676242");
    EXPECT_EQ(a["accepted_exact"], QJsonValue(false));
    EXPECT_TRUE(run.errors.contains("the chart's k = -7.38 is not positive for N = 2 at CR 0.05 "
                                    "and LTPD 10%; use the exact plan"))
        << run.errors.toStdString();

    // CR 0.01: the chart's k has no value and the drawing fails; the exact plan still judges.
    const BatchRun failed = runReport(QStringList{"--report", "--set", "PlotOpts.CR=3"} +
                                      limitOne + QStringList{two});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.report["outcome"].toString(), "failed");
    const QJsonObject exact = failed.set()["acceptance"].toObject();
    EXPECT_TRUE(exact["k"].isNull());
    EXPECT_TRUE(exact["ts"].isNull());
    EXPECT_PRINTED(exact["k_exact"].toDouble(), "103.0286130010");
    EXPECT_EQ(exact["accepted_exact"], QJsonValue(false));
}

TEST(BatchReport, GivesNoNormalityPValueBelowFivePointsAndNamesTheLogScale)
{
    // A^2 and A*^2 of 1, 1, 2 by R 4.2.2 with pnorm(log.p = TRUE) (the true p is 0).
    Files files;
    const BatchRun three =
        runReport(QStringList{"--report"} + LimitTen + QStringList{files.lot("t.csv", "1\n1\n2\n")});
    const QJsonObject normality = three.set()["normality"].toObject();
    EXPECT_PRINTED(normality["a2"].toDouble(), "0.4877667359");
    EXPECT_PRINTED(normality["a2_adjusted"].toDouble(), "0.7316501038");
    EXPECT_TRUE(normality["p_value"].isNull());

    // On a log axis the exact Ts is 10^(2 + 4.25816493670642) (k by mpmath 1.3.0).
    const BatchRun log =
        runReport(QStringList{"--report", "--set", "PlotOpts.LogY=1"} + LimitTen +
                  QStringList{files.lot("l.csv", "10\n100\n1000\n")});
    const QJsonObject a = log.set()["acceptance"].toObject();
    EXPECT_EQ(a["scale"].toString(), "log");
    EXPECT_PRINTED(a["ts_exact"].toDouble(), "1812028.1");
}

} // namespace
} // namespace qv
