// Exporting a chart to each picture format: readable files in place of old
// ones, what is cut off at the plot area, the statistics box and single dots,
// and the files it refuses to write.
#include "render/ChartExport.h"
#include "render/TestScene.h"
#include "support/TempFiles.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>
#include <vector>

namespace qv {
namespace {

// The test scene, framed, with a filled circle in its middle at pixel (300, 200).
Scene chartScene()
{
    Scene scene = test::baseScene();
    scene.primitives.emplace_back(SceneBox{0, 0, 10, 10, false, 2});
    scene.primitives.emplace_back(SceneCircle{5, 5, 0.5, true});
    return scene;
}

QString qpath(const std::string& path) { return QString::fromStdString(path); }

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t fileCount(const std::string& folder)
{
    const auto entries = std::filesystem::directory_iterator(folder);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// The picture in a written file: a bitmap read back, or an SVG drawn over red
// (dark) so that a background it fails to paint shows.
QImage picture(const std::string& path)
{
    if (!path.ends_with(".svg")) {
        return QImage(qpath(path)).convertToFormat(QImage::Format_RGB32);
    }
    QImage image(600, 450, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    QSvgRenderer(qpath(path)).render(&painter);
    return image;
}

// The pixels of `area` with any ink, however light.
int inked(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += qGray(image.pixel(x, y)) < 200 ? 1 : 0;
        }
    }
    return count;
}

TEST(ChartExport, WritesEachFormatAsAReadableFileInPlaceOfAnOldOne)
{
    const test::TempFiles files;
    for (const auto& [name, signature, bitmap] : std::vector<std::tuple<std::string, std::string, bool>>{
             {"chart.png", "\x89PNG", true}, {"CHART.BMP", "BM", true},
             {"chart.svg", "<?xml", false}, {"Chart.Pdf", "%PDF-", false}}) {
        SCOPED_TRACE(name);
        const std::string path = files.write(name, std::string(100000, 'x'));
        const ExportResult result = exportChart(chartScene(), qpath(path));
        ASSERT_TRUE(result.ok) << result.errorText.toStdString();
        EXPECT_EQ(contents(path).substr(0, signature.size()), signature);
        if (bitmap) {
            const QImage image = picture(path);
            ASSERT_EQ(image.size(), QSize(600, 450));
            EXPECT_TRUE(dark(image, 300, 200)) << "the filled circle";
            EXPECT_TRUE(dark(image, 100, 200)) << "the frame";
            EXPECT_FALSE(dark(image, 50, 50)) << "the background";
        }
        if (signature == "%PDF-") {
            const QString pdf = QString::fromLatin1(contents(path));
            const QRegularExpression mediaBox(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
            const auto box = mediaBox.match(pdf);
            ASSERT_TRUE(box.hasMatch());
            EXPECT_GT(box.captured(1).toDouble(), box.captured(2).toDouble()) << "landscape";
            EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 1);
        }
    }
    EXPECT_EQ(fileCount(files.path("")), 4u) << "no temporary file left behind";
}

TEST(ChartExport, CutsOffWhatLeavesThePlotAreaInSvgToo)
{
    // SVG cannot clip: what spills out of the plot area must still not show.
    Scene scene = chartScene();
    scene.primitives.emplace_back(SceneCircle{10, 5, 1.0, true});
    scene.placements.statsBox = {
        "WWWWWWWW\rWWWWWWWW", {"", 10, false}, 7200, 1500, 0, 0, true, true};
    const test::TempFiles files;
    const std::string path = files.path("chart.svg");
    ASSERT_TRUE(exportChart(scene, qpath(path)).ok);
    const QImage image = picture(path);
    EXPECT_TRUE(dark(image, 300, 200)) << "the chart's circle";
    EXPECT_TRUE(dark(image, 495, 200)) << "the cut circle's inner half";
    QImage white(98, 450, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(image.copy(502, 0, 98, 450), white) << "nothing right of the plot area";
}

TEST(ChartExport, ShowsTheStatisticsBoxAndSingleConfidenceDotsInBitmapsAndSvg)
{
    // A dot at pixel (200, 125); a bordered box with its corner at pixel (300, 60).
    Scene scene = chartScene();
    scene.primitives.emplace_back(ScenePixel{2.5, 7.5});
    scene.placements.statsBox = {
        " No. Pts. =  5  \r  Ts =  7.09  ", {"", 10, false}, 4500, 900, 0, 0, true, true};
    const test::TempFiles files;
    for (const char* name : {"chart.png", "chart.svg"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(exportChart(scene, qpath(files.path(name))).ok);
        const QImage image = picture(files.path(name));
        EXPECT_GE(inked(image, QRect(199, 124, 3, 3)), 1) << "the dot";
        EXPECT_EQ(inked(image, QRect(195, 120, 11, 11)), inked(image, QRect(199, 124, 3, 3)))
            << "alone";
        EXPECT_GT(inked(image, QRect(300, 60, 200, 1)), 50) << "the box's top border";
        EXPECT_GT(inked(image, QRect(305, 65, 150, 40)), 40) << "its caption";
    }
}

TEST(ChartExport, RefusesWhatItCannotWriteAndLeavesExistingFilesAsTheyWere)
{
    struct Row
    {
        std::string target, kept; // the export's target; a file there before, which must stay
        const char* hint;         // what the error names; null: the target's path
        bool sized = true;
    };
    for (const Row& row : std::vector<Row>{
             {"chart.jpg", "chart.jpg", ".png"},
             {"chart", "chart", ".png"},
             {"chart.png.txt", "chart.png.txt", ".png"},
             {"chart.pdf/chart.pdf", "chart.pdf", nullptr},        // below a plain file
             {"no-such-folder/chart.png", "other.png", nullptr},
             {"chart.svg", "chart.svg/inside.txt", nullptr},       // the target is a folder
             {"chart.png", "chart.png", "size", false}}) {
        SCOPED_TRACE(row.target);
        const test::TempFiles files;
        std::filesystem::create_directories(std::filesystem::path(files.path(row.kept)).parent_path());
        const std::string kept = files.write(row.kept, "old picture");
        const std::string target = files.path(row.target);
        const ExportResult result = exportChart(row.sized ? chartScene() : Scene{}, qpath(target));
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.errorText.contains(row.hint ? QString(row.hint) : qpath(target)))
            << result.errorText.toStdString();
        EXPECT_EQ(contents(kept), "old picture");
        EXPECT_EQ(fileCount(files.path("")), 1u) << "nothing new, no temporary file";
    }
}

} // namespace
} // namespace qv
