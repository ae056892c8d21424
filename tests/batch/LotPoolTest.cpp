// Many lots on several workers: the same reports, messages and results as one
// after the other, in the order given, whatever order the workers end them in.
#include "batch/BatchArguments.h"
#include "batch/LotPool.h"
#include "support/TempFiles.h"

#include <QCommandLineParser>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

BatchArguments arguments(QStringList words)
{
    words.prepend("quantiview");
    QCommandLineParser parser;
    return parseBatchArguments(words, parser);
}

std::vector<LotOutput> run(const BatchArguments& lots, int workers)
{
    std::vector<LotOutput> outputs;
    const LotRunner runner(lots);
    runLotPool(runner, workers, [&outputs](qsizetype index, LotOutput&& output) {
        EXPECT_EQ(index, std::ssize(outputs));
        outputs.push_back(std::move(output));
    });
    return outputs;
}

TEST(LotPool, SeveralWorkersGiveEachLotsReportMessagesAndResultInTheOrderGiven)
{
    const test::TempFiles files;
    QStringList words{"--report", "--fail-on-reject", "--set", "PlotOpts.LimitLines=1",
                      "--set", "PlotOpts.ULimit=10"};
    // Lots of very different sizes end out of order on the workers.
    for (int i = 0; i < 24; ++i) {
        std::string lot;
        const int points = i % 5 == 0 ? 20000 : 3 + i;
        for (int p = 0; p < points; ++p) {
            lot += std::to_string(5 + (p * 7919 + i) % 97 / 10.0) + "\n";
        }
        if (i % 7 == 3) {
            lot = "not a number\n";
        }
        if (i % 11 == 4) {
            lot += "50\n";
        }
        words << QString::fromStdString(files.write("lot" + std::to_string(i) + ".csv", lot));
    }
    words << QString::fromStdString(files.path("missing.csv"));
    const BatchArguments lots = arguments(words);
    const std::vector<LotOutput> alone = run(lots, 1);
    const std::vector<LotOutput> together = run(lots, 3);
    ASSERT_EQ(alone.size(), 25u);
    ASSERT_EQ(together.size(), alone.size());
    for (std::size_t i = 0; i < alone.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(alone[i].out.isEmpty());
        EXPECT_EQ(together[i].out, alone[i].out);
        EXPECT_EQ(together[i].err, alone[i].err);
        EXPECT_EQ(together[i].result.failed, alone[i].result.failed);
        EXPECT_EQ(together[i].result.rejected, alone[i].result.rejected);
        EXPECT_EQ(together[i].result.refused, alone[i].result.refused);
    }
    EXPECT_TRUE(alone[3].result.failed) << "a lot of no numbers";
    EXPECT_TRUE(alone[4].result.rejected) << "a lot with 50 over the limit";
    EXPECT_TRUE(alone[24].out.contains("\"outcome\":\"failed\"")) << "a file that is not there";
    EXPECT_TRUE(alone[0].out.contains("\"point_count\":20000"));
}

TEST(LotPool, LotsThatWouldWriteOneFileRunOneAfterTheOther)
{
    const test::TempFiles files;
    const QString a = QString::fromStdString(files.write("a.csv", "1\n2\n3\n"));
    const QString sub = QString::fromStdString(files.path("sub"));
    std::filesystem::create_directories(sub.toStdString());
    const QString b = QString::fromStdString(files.write("sub/a.csv", "1\n2\n3\n"));
    const QString c = QString::fromStdString(files.write("c.csv", "1\n2\n3\n"));
    const QString out = QString::fromStdString(files.path("{name}.png"));
    EXPECT_EQ(lotWorkers(arguments({"--export", out, a, b})), 1) << "two lots named a";
    EXPECT_EQ(lotWorkers(arguments({"--export", out, a, c})),
              std::min(2, usableProcessors()));
    EXPECT_EQ(lotWorkers(arguments({"--report", a})), 1);
}

} // namespace
} // namespace qv
