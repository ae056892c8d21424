// The report's acceptance with a lower limit or both, on the example bore lot.
// Reference values by NumPy/SciPy 1.10.1 from examples/bore-diameter.csv
// (n 30, mean 2.50703, s 0.01324272474306891):
//   Ppk = min(2.55 - mean, mean - 2.45) / (3 s)                  = 1.08160016999748
//   scipy.special.betainc(14, 14, 0.19357751139187468) (upper)   = 0.0001589442845224424
//   scipy.special.betainc(14, 14, 0.09331453280610591) (lower)   = 2.3364459606078137e-08
#include "batch/BatchRun.h"
#include "support/TestTolerance.h"

#include <QJsonObject>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::BatchRun;
using test::runReport;

const QString Bore = QStringLiteral(QV_EXAMPLES_DIR "/bore-diameter.csv");
const QString BoreProject = QStringLiteral(QV_EXAMPLES_DIR "/bore-diameter.qvw");

QStringList limits(const char* sides, const char* lower)
{
    return {"--report",
            "--set",
            "PlotOpts.LimitLines=1",
            "--set",
            QString("PlotOpts.LimitSides=") + sides,
            "--set",
            "PlotOpts.ULimit=2.55",
            "--set",
            QString("PlotOpts.LLimit=") + lower};
}

TEST(BatchLimitSides, ReportsBothSidesWithTheEstimatesOfTheLot)
{
    const BatchRun run = runReport(limits("2", "2.45") + QStringList{Bore});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const QJsonObject a = run.set()["acceptance"].toObject();
    EXPECT_EQ(a["sides"].toString(), "both");
    EXPECT_EQ(a["upper_limit"].toDouble(), 2.55);
    EXPECT_EQ(a["lower_limit"].toDouble(), 2.45);
    EXPECT_EQ(a["accepted"], QJsonValue(true));
    EXPECT_EQ(a["accepted_exact"], QJsonValue(true));
    EXPECT_PRINTED(a["ppk"].toDouble(), "1.0816001700");
    EXPECT_PRINTED(a["fraction_beyond_upper"].toDouble(), "0.000158944285");
    EXPECT_PRINTED(a["fraction_beyond_lower"].toDouble(), "0.000000023364460");
    // Ts_lower = mean - k s with the exact k as Ts is formed with it.
    const double mean = 2.50703;
    const double s = 0.01324272474306891;
    EXPECT_PRINTED(a["ts_lower_exact"].toDouble() + a["ts_exact"].toDouble(), "5.014060000000");
    EXPECT_PRINTED((a["ts_exact"].toDouble() - mean) / s, "1.6570649131");
    EXPECT_EQ(run.report["limit_labels"].toArray().size(), 2);
}

TEST(BatchLimitSides, AnUnlimitedSideIsNullAndARejectingLowerSideFailsTheLot)
{
    const BatchRun upper = runReport(limits("0", "2.45") + QStringList{Bore});
    const QJsonObject a = upper.set()["acceptance"].toObject();
    EXPECT_EQ(a["sides"].toString(), "upper");
    EXPECT_TRUE(a["lower_limit"].isNull());
    EXPECT_TRUE(a["fraction_beyond_lower"].isNull());
    EXPECT_FALSE(a["ts_lower"].isNull()) << "Ts_lower is a statistic of every lot";

    // Ts_lower 2.4853 (chart) lies below 2.49: rejected, exit 3.
    const BatchRun lower = runReport(limits("1", "2.49") + QStringList{"--fail-on-reject", Bore});
    EXPECT_EQ(lower.status, 3) << lower.errors.toStdString();
    const QJsonObject l = lower.set()["acceptance"].toObject();
    EXPECT_EQ(l["sides"].toString(), "lower");
    EXPECT_TRUE(l["upper_limit"].isNull());
    EXPECT_EQ(l["accepted"], QJsonValue(false));
    EXPECT_PRINTED(l["ppk"].toDouble(), "0.42866"); // (mean - 2.49) / (3 s)
}

TEST(BatchLimitSides, TheExampleProjectJudgesAsItsSettingsDo)
{
    const BatchRun project = runReport({"--report", BoreProject});
    const BatchRun typed =
        runReport(limits("2", "2.45") + QStringList{"--set", "PlotOpts.TestStatistic=1", Bore});
    ASSERT_EQ(project.status, 0) << project.errors.toStdString();
    EXPECT_EQ(project.set()["acceptance"], typed.set()["acceptance"]);
    EXPECT_EQ(project.report["limit_labels"], typed.report["limit_labels"]);
}

} // namespace
} // namespace qv
