// Plot symbols of an SVG picture written by the program's own runs: the numbers
// are the ones Qt's writer would write, and the picture renders as painting each
// symbol through Qt's writer does.
#include "render/SvgSymbolRuns.h"
#include "BaseScene.h"
#include "render/ChartExport.h"
#include "render/ChartPainter.h"
#include "support/TempFiles.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTextStream>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace qv {
namespace {

// The picture of `scene` as Qt's writer writes it when it paints every symbol.
QByteArray svgThroughQt(const Scene& scene)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(paintSvg(ChartPainter(), scene, buffer));
    return bytes;
}

// `svg` rendered at 300 dpi by librsvg.
QImage rendered(const QByteArray& svg, const test::TempFiles& files, const std::string& name)
{
    const std::string path = files.write(
        name + ".svg", std::string(svg.constData(), static_cast<std::size_t>(svg.size())));
    QProcess render;
    render.start(QStringLiteral("rsvg-convert"),
                 {QStringLiteral("-d"), QStringLiteral("300"), QStringLiteral("-p"),
                  QStringLiteral("300"), QStringLiteral("-o"),
                  QString::fromStdString(files.path(name + ".png")), QString::fromStdString(path)});
    EXPECT_TRUE(render.waitForFinished(60000)) << "rsvg-convert (librsvg2-bin) must be installed";
    return QImage(QString::fromStdString(files.path(name + ".png")));
}

TEST(SvgSymbolRuns, NumbersAreWrittenAsQtsSvgWriterWritesThem)
{
    std::vector<double> values = {0.0,       -0.0,      1.0,       -1.0,     100.0625, 120.1875,
                                  -100.0625, 0.5,       2.5,       99999.95, 99999.94, 1e5,
                                  1e-3,      0.0009999, 1234567.0, 1e-7,     6.4,      428.271,
                                  399.3,     0.1 + 0.2, 800.0,     12345.65, 1e300,    -3.75e-5};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> coordinate(-50.0, 1500.0);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(coordinate(random));
        // Sixteenths and quarters of a pixel, where halfway cases lie.
        values.push_back(std::round(coordinate(random) * 16) / 16);
    }
    for (const double v : values) {
        QString expected;
        QTextStream(&expected) << v;
        QByteArray written;
        SvgSymbolRuns::appendNumber(written, v);
        ASSERT_EQ(written.toStdString(), expected.toStdString()) << "value " << v;
    }
}

TEST(SvgSymbolRuns, AnSvgChartRendersAsPaintingEachSymbolThroughQtDoes)
{
    // Hollow and filled circles overlapping each other and the frame, dots in
    // runs and between lines, symbols spilling out of the plot area.
    Scene scene = test::baseScene();
    for (int i = 0; i < 300; ++i) {
        const double x = -0.3 + 0.035 * i;
        scene.primitives.push_back(SceneCircle{x, 5 + std::sin(i * 0.7) * 5.2, 0.16, i % 7 == 0});
        scene.primitives.push_back(SceneCircle{x + 0.01, 4.9, 0.1, i % 2 == 0});
        scene.primitives.push_back(ScenePixel{x, 0.03 * i});
        if (i % 50 == 0) {
            scene.primitives.push_back(
                SceneLine{0, 0.02 * i, 10, 10 - 0.02 * i, 1, LineStyle::Solid});
            scene.primitives.push_back(ScenePixel{x + 0.1, 8.0});
            scene.primitives.push_back(SceneBox{x, 1, x + 0.5, 1.5, 1, i % 100 == 0});
        }
    }
    const QByteArray ours = chartFileBytes(scene, QStringLiteral("chart.svg"));
    const QByteArray qts = svgThroughQt(scene);
    ASSERT_FALSE(ours.isEmpty());
    EXPECT_EQ(ours.count("<circle"), qts.count("<circle"));
    EXPECT_EQ(ours.count("<rect"), qts.count("<rect"));
    const test::TempFiles files;
    const QImage expected = rendered(qts, files, "qt");
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(rendered(ours, files, "ours"), expected);
}

// The symbol elements of an SVG picture, in order.
std::vector<QByteArray> symbolLines(const QByteArray& svg)
{
    std::vector<QByteArray> lines;
    for (const QByteArray& line : svg.split('\n')) {
        if (line.trimmed().startsWith("<circle") || line.trimmed().startsWith("<rect")) {
            lines.push_back(line.trimmed());
        }
    }
    return lines;
}

TEST(SvgSymbolRuns, ALongRunWritesTheElementsQtsWriterWritesInTheSameOrder)
{
    // Runs long enough to be written in halves on two threads, their sizes
    // changing now and then inside the run, vertical places repeated in threes.
    Scene scene = test::baseScene();
    for (int i = 0; i < 20001; ++i) {
        const double x = 0.0005 * i;
        scene.primitives.push_back(
            SceneCircle{x, 5 + std::sin(i / 3 * 0.03) * 4, i / 5000 % 2 ? 0.1 : 0.16, false});
    }
    for (int i = 0; i < 12001; ++i) {
        const double x = 0.0008 * i;
        const double half = i / 3000 % 2 ? 0.05 : 0.07;
        scene.primitives.push_back(SceneBox{x - half, 2 - half, x + half, 2 + half, false, 1});
    }
    const auto ours = symbolLines(chartFileBytes(scene, QStringLiteral("chart.svg")));
    const auto qts = symbolLines(svgThroughQt(scene));
    ASSERT_EQ(ours.size(), qts.size());
    ASSERT_GT(ours.size(), 32000u);
    for (std::size_t i = 0; i < ours.size(); ++i) {
        ASSERT_EQ(ours[i].toStdString(), qts[i].toStdString()) << "element " << i;
    }
}

TEST(SvgSymbolRuns, APictureWhosePlaceholdersDoNotMatchTheRunsIsRefused)
{
    QImage image(4, 4, QImage::Format_RGB32);
    QPainter painter(&image);
    SvgSymbolRuns runs;
    runs.addCircle(painter, QPointF(3, 2), 0.5);
    runs.endRun(painter);
    painter.end();
    const QByteArray one = "<svg>\n<circle cx=\"1\" cy=\"1\" r=\"1\"/>\n</svg>\n";
    EXPECT_EQ(runs.splice(one).toStdString(),
              "<svg>\n<circle cx=\"3\" cy=\"2\" r=\"0.5\"/>\n</svg>\n");
    EXPECT_TRUE(runs.splice("<svg>\n</svg>\n").isEmpty());
    EXPECT_TRUE(runs.splice(one + "<circle cx=\"2\" cy=\"2\" r=\"1\"/>\n").isEmpty());
}

} // namespace
} // namespace qv
