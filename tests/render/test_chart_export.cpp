#include "render/ChartExport.h"
#include "support/TempFiles.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace qv {
namespace {

// A window of 600 x 450 pixels with a plot area at pixel (100, 50), 400 x 300,
// user coordinates 0..10, and a filled circle in its middle at pixel (300, 200).
Scene chartScene()
{
    Scene scene;
    scene.windowWidth = 9000;
    scene.windowHeight = 6750;
    scene.plotArea = {1500, 750, 6000, 4500};
    scene.xmin = 0;
    scene.xmax = 10;
    scene.ymin = 0;
    scene.ymax = 10;
    scene.coordinatesSet = true;
    scene.primitives.emplace_back(SceneBox{0, 0, 10, 10, false, 2});
    scene.primitives.emplace_back(SceneCircle{5, 5, 0.5, true});
    scene.windowTexts.push_back({1500, 5400, "Cumulative Probability (%)", {"", 10, false}});
    return scene;
}

QString qpath(const std::string& path)
{
    return QString::fromStdString(path);
}

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

bool dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

TEST(ChartExport, BitmapFormatsHoldTheWindowPictureAtScreenSize)
{
    const test::TempFiles files;
    for (const std::string name : {"chart.png", "chart.bmp", "CHART.PNG", "Chart.Bmp"}) {
        SCOPED_TRACE(name);
        const ExportResult result = exportChart(chartScene(), qpath(files.path(name)));
        ASSERT_TRUE(result.ok) << result.errorText.toStdString();
        EXPECT_TRUE(result.errorText.isEmpty());
        const QImage image(qpath(files.path(name)));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(600, 450));
        EXPECT_TRUE(dark(image, 300, 200)) << "the filled circle";
        EXPECT_TRUE(dark(image, 100, 200)) << "the frame";
        EXPECT_FALSE(dark(image, 50, 50));
    }
    EXPECT_EQ(contents(files.path("chart.bmp")).substr(0, 2), "BM");
}

TEST(ChartExport, SvgIsAVectorPictureOfTheWindow)
{
    const test::TempFiles files;
    const std::string path = files.path("chart.svg");
    const ExportResult result = exportChart(chartScene(), qpath(path));
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    const std::string svg = contents(path);
    EXPECT_EQ(svg.substr(0, 5), "<?xml");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("viewBox=\"0 0 600 450\""), std::string::npos);
    EXPECT_NE(svg.find("Cumulative Probability (%)"), std::string::npos) << "text stays text";

    QSvgRenderer renderer(qpath(path));
    ASSERT_TRUE(renderer.isValid());
    QImage image(600, 450, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    EXPECT_TRUE(dark(image, 300, 200)) << "the filled circle";
    EXPECT_EQ(image.pixel(50, 50), qRgb(255, 255, 255));
}

TEST(ChartExport, SvgCutsOffWhatLeavesThePlotArea)
{
    // The SVG writer cannot clip; the export must still keep the plot's contents inside it.
    Scene scene = chartScene();
    scene.primitives.emplace_back(SceneCircle{10, 5, 1.0, true});
    scene.primitives.emplace_back(SceneLine{5, 5, 15, 5, 1, LineStyle::Solid});
    scene.statsBox = {"WWWWWWWW\rWWWWWWWW", {"", 10, false}, 7200, 1500, 0, 0, true, true};
    const test::TempFiles files;
    const std::string path = files.path("chart.svg");
    ASSERT_TRUE(exportChart(scene, qpath(path)).ok);
    QSvgRenderer renderer(qpath(path));
    QImage image(600, 450, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    EXPECT_TRUE(dark(image, 495, 200)) << "the circle's inner half";
    int outside = 0;
    for (int y = 0; y < 350; ++y) {
        for (int x = 502; x < 600; ++x) {
            outside += dark(image, x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(outside, 0);
}

TEST(ChartExport, PdfIsOnePageTurnedToTheChartsShape)
{
    const test::TempFiles files;
    Scene wide = chartScene();
    Scene tall = chartScene();
    tall.windowWidth = 6000;
    tall.windowHeight = 9000;
    ASSERT_TRUE(exportChart(wide, qpath(files.path("wide.pdf"))).ok);
    ASSERT_TRUE(exportChart(tall, qpath(files.path("tall.PDF"))).ok);

    const QRegularExpression mediaBox(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    for (const auto& [name, landscape] :
         {std::pair{"wide.pdf", true}, std::pair{"tall.PDF", false}}) {
        SCOPED_TRACE(name);
        const std::string pdf = contents(files.path(name));
        EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
        const QString text = QString::fromLatin1(pdf.data(), static_cast<qsizetype>(pdf.size()));
        EXPECT_EQ(text.count(QStringLiteral("/Type /Page\n")) +
                      text.count(QStringLiteral("/Type /Page ")) +
                      text.count(QStringLiteral("/Type /Page/")),
                  1);
        const auto match = mediaBox.match(text);
        ASSERT_TRUE(match.hasMatch());
        const double width = match.captured(1).toDouble();
        const double height = match.captured(2).toDouble();
        EXPECT_EQ(width > height, landscape);
    }
}

TEST(ChartExport, FittingFillsTheWidthOfAPictureWiderThanThePage)
{
    const Scene scene = chartScene(); // 4:3
    QImage page(400, 600, QImage::Format_RGB32);
    page.fill(Qt::red);
    QPainter painter(&page);
    paintChartFitted(painter, scene, QRectF(0, 0, 400, 600));
    painter.end();
    // 400 wide gives 300 high: the rest of the page is not painted.
    EXPECT_EQ(page.pixel(399, 299), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(200, 301), qRgb(255, 0, 0));
    EXPECT_TRUE(dark(page, 200, 133)) << "the circle, scaled to two thirds";
}

TEST(ChartExport, ReplacesAnExistingFileAndLeavesNoTemporaryFile)
{
    const test::TempFiles files;
    const std::string path = files.write("chart.png", std::string(100000, 'x'));
    ASSERT_TRUE(exportChart(chartScene(), qpath(path)).ok);
    EXPECT_FALSE(QImage(qpath(path)).isNull());
    EXPECT_EQ(fileCount(files.path("")), 1u);
}

TEST(ChartExport, UnknownExtensionIsAnErrorAndTouchesNothing)
{
    const test::TempFiles files;
    for (const std::string name : {"chart.jpg", "chart", "chart.png.txt"}) {
        SCOPED_TRACE(name);
        const std::string path = files.write(name, "old picture");
        const ExportResult result = exportChart(chartScene(), qpath(path));
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.errorText.contains(QStringLiteral(".png")))
            << result.errorText.toStdString();
        EXPECT_EQ(contents(path), "old picture");
    }
}

TEST(ChartExport, MissingFolderIsAnError)
{
    const test::TempFiles files;
    const std::string path = files.path("no-such-folder/chart.png");
    const ExportResult result = exportChart(chartScene(), qpath(path));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.errorText.contains(qpath(path))) << result.errorText.toStdString();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ChartExport, UnwritablePlaceIsAnErrorAndLeavesFilesAlone)
{
    // A path below a plain file cannot be written by any user, root included.
    const test::TempFiles files;
    const std::string existing = files.write("chart.pdf", "old picture");
    const ExportResult result = exportChart(chartScene(), qpath(existing + "/chart.pdf"));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.errorText.isEmpty());
    EXPECT_EQ(contents(existing), "old picture");
    EXPECT_EQ(fileCount(files.path("")), 1u);
}

TEST(ChartExport, TargetThatIsAFolderIsAnErrorAndStays)
{
    const test::TempFiles files;
    const std::string path = files.path("chart.svg");
    std::filesystem::create_directory(path);
    std::ofstream(path + "/inside.txt") << "kept";
    const ExportResult result = exportChart(chartScene(), qpath(path));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(contents(path + "/inside.txt"), "kept");
    EXPECT_EQ(fileCount(files.path("")), 1u) << "no temporary file left behind";
}

TEST(ChartExport, SceneWithoutSizeIsAnError)
{
    const test::TempFiles files;
    const std::string path = files.write("chart.png", "old picture");
    const ExportResult result = exportChart(Scene{}, qpath(path));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.errorText.isEmpty());
    EXPECT_EQ(contents(path), "old picture");
}

} // namespace
} // namespace qv
