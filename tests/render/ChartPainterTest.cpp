// The chart painter on a small test scene: what it paints where, what it cuts
// off at the plot area, the plot area with its boxes painted alone, and its
// mapping between pixels, twips and chart units; the text measurer; and the
// export of a chart to each picture format: readable files in place of old ones,
// what SVG cuts off, the statistics box and single dots, and the files it refuses.
#include "BaseScene.h"
#include "core/plot/ChartGeometry.h"
#include "render/ChartExport.h"
#include "render/ChartPainter.h"
#include "render/QtTextMeasurer.h"
#include "support/TempFiles.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <tuple>
#include <utility>
#include <vector>

namespace qv {
namespace {

using test::baseScene;

int px(double x) { return static_cast<int>(std::lround(100 + 40 * x)); }
int py(double y) { return static_cast<int>(std::lround(50 + 30 * (10 - y))); }

const FontSpec TextFont{"", 10, false};

// The window picture at `scale` times a 96 dpi screen, painted over red (which
// counts as dark) so that a pixel the painter misses shows.
QImage paint(const Scene& scene, double scale = 1.0)
{
    const ChartPainter painter(scale / 15.0);
    QImage image(painter.windowSize(scene), QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter device(&image);
    painter.paintAll(device, scene);
    device.end();
    return image;
}

bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// The pixels of `area` darker than `gray` (by default: dark): how many, and the
// smallest rectangle holding them.
struct Ink
{
    int count = 0;
    QRect bounds;
};
Ink ink(const QImage& image, const QRect& area, int gray = 128)
{
    Ink found;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (qGray(image.pixel(x, y)) < gray) {
                ++found.count;
                found.bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return found;
}

// A twips rectangle in pixels of a picture `scale` times a 96 dpi screen, rounded outwards.
QRect pixels(const TwipsRect& r, double scale = 1.0)
{
    const double k = scale / 15.0;
    return QRectF(r.left * k, r.top * k, r.width * k, r.height * k).toAlignedRect();
}

TEST(ChartPainter, DrawsTheFrameOnThePlotAreaEdgesAndCutsOffWhateverLeavesIt)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneBox{0, 0, 10, 10, false, 2});
    scene.primitives.emplace_back(SceneCircle{10, 2, 1.0, true});
    scene.primitives.emplace_back(SceneLine{5, 5, 15, 5, 1, LineStyle::Solid});
    // A bordered box at pixel (480, 100), straddling the right edge at pixel 500.
    scene.placements.statsBox = {"WWWWWWWWWW\rWWWWWWWWWW", TextFont, 7200, 1500, 0, 0, true, true};
    const QImage image = paint(scene);
    // The 2-pixel frame on the edges, cut off outside them (on the right: below).
    EXPECT_TRUE(dark(image, 100, 180));
    EXPECT_FALSE(dark(image, 99, 180));
    EXPECT_TRUE(dark(image, 499, 180));
    EXPECT_FALSE(dark(image, 300, 150)) << "the plot area's inside";
    EXPECT_TRUE(dark(image, 495, py(2))) << "the circle's inner half";
    EXPECT_TRUE(dark(image, 495, py(5))) << "the line up to the edge";
    EXPECT_GT(ink(image, QRect(480, 100, 18, 30)).count, 20) << "the box up to the frame";
    EXPECT_EQ(ink(image, QRect(500, 0, 100, 450)).count, 0) << "nothing right of the plot area";
}

TEST(ChartPainter, FillsFilledCirclesBlackAndLeavesHollowOnesWhiteInsideARoundRim)
{
    for (const bool filled : {true, false}) {
        SCOPED_TRACE(filled ? "filled" : "hollow");
        Scene scene = baseScene();
        scene.primitives.emplace_back(SceneCircle{5, 5, 0.5, filled});
        const QImage image = paint(scene);
        const int cx = px(5);
        const int cy = py(5);
        EXPECT_EQ(image.pixel(cx, cy), filled ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        EXPECT_EQ(dark(image, cx + 15, cy), filled);
        // The radius, half an x unit, is 20 pixels every way round although a y unit is shorter.
        for (const QPoint rim : {QPoint(20, 0), QPoint(-20, 0), QPoint(0, 20), QPoint(0, -20)}) {
            EXPECT_GT(ink(image, QRect(cx + rim.x() - 1, cy + rim.y() - 1, 3, 3)).count, 0)
                << "rim " << rim.x() << "," << rim.y();
            EXPECT_FALSE(dark(image, cx + rim.x() * 5 / 4, cy + rim.y() * 5 / 4));
        }
    }
}

TEST(ChartPainter, LeavesGapsInDottedLinesButNotInSolidOnes)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneLine{1, 2, 9, 2, 1, LineStyle::Dotted});
    scene.primitives.emplace_back(SceneLine{1, 4, 9, 4, 1, LineStyle::Solid});
    const QImage image = paint(scene);
    const int length = px(9) - px(1) - 1;
    const int dotted = ink(image, QRect(px(1) + 1, py(2), length, 1)).count;
    EXPECT_GT(dotted, length / 5);
    EXPECT_LT(dotted, length * 4 / 5);
    EXPECT_EQ(ink(image, QRect(px(1) + 1, py(4), length, 1)).count, length);
}

TEST(ChartPainter, PaintsWindowTextWithinTheWidthItWasMeasuredAt)
{
    const std::string text = "Mean = 25.4";
    const QtTextMeasurer measurer;
    const TwipsRect place{1500, 5700, measurer.textWidth(text, TextFont),
                          measurer.textHeight(text, TextFont)};
    for (const double scale : {1.0, 4.0}) {
        SCOPED_TRACE(scale);
        Scene scene = baseScene();
        scene.windowTexts.push_back({place.left, place.top, text, TextFont});
        const QRect measured = pixels(place, scale);
        const Ink found = ink(paint(scene, scale), measured.adjusted(-40, -40, 40, 40));
        EXPECT_GT(found.count, 10 * scale * scale);
        EXPECT_TRUE(measured.adjusted(-1, -1, 1, 1).contains(found.bounds));
        // The painted text fills its measured width: the last glyph ends near its end.
        EXPECT_GT(found.bounds.right(), measured.right() - 3 * scale);
    }
}

TEST(ChartPainter, PaintsABorderedBoxWithACaptionLineARowOverTheChartAndOnThePlotAreaAlone)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneBox{0, 0, 10, 5, true, 1}); // black below pixel row 200
    scene.placements.statsBox = {
        "WWW\rWWW\rWWW", TextFont, 1995, 2700, 0, 0, true, true}; // at (133, 180)
    const QImage image = paint(scene);
    EXPECT_TRUE(dark(image, 133, 190)) << "the left border";
    const QRect inside = pixels(ChartPainter().labelRect(scene.placements.statsBox, LabelKind::Box))
                             .adjusted(2, 2, -2, -2);
    const int third = inside.height() / 3;
    for (int line = 0; line < 3; ++line) {
        SCOPED_TRACE(line);
        const QRect row(inside.left(), inside.top() + line * third, inside.width(), third);
        EXPECT_GT(ink(image, row).count, 10);
        EXPECT_LT(ink(image, row).count, row.width() * row.height() / 2) << "the box is opaque";
    }

    // The plot area with its boxes as a picture of its own: the box 33 pixels
    // right of and 130 below the plot area's corner.
    QImage plot(400, 300, QImage::Format_RGB32);
    plot.fill(Qt::red);
    QPainter device(&plot);
    ChartPainter().paintPlotAreaWithBoxes(device, scene, QRectF(0, 0, 400, 300));
    device.end();
    EXPECT_TRUE(dark(plot, 33, 140)) << "the box's left border";
    EXPECT_FALSE(dark(plot, 31, 140));
    EXPECT_FALSE(dark(plot, 200, 100)) << "the white plot area";
}

TEST(ChartPainter, TurnsTheAxisLabelToStandTallAndReadBottomToTop)
{
    Scene scene = baseScene();
    scene.placements.yLabel = {"WWWW        .", {"", 12, false}, 150, 900, 0, 0, true, false};
    const QImage image = paint(scene);
    const QRect area =
        pixels(ChartPainter().labelRect(scene.placements.yLabel, LabelKind::AxisLabel));
    const Ink found = ink(image, area.adjusted(-20, -20, 20, 20));
    EXPECT_GT(found.bounds.height(), 2 * found.bounds.width());
    EXPECT_TRUE(area.adjusted(-1, -1, 1, 1).contains(found.bounds));
    // The heavy letters begin the text, so they lie in the lower half.
    const int half = area.height() / 2;
    EXPECT_GT(ink(image, QRect(area.left(), area.top() + half, area.width(), half)).count,
              3 * ink(image, QRect(area.left(), area.top(), area.width(), half)).count);
}

TEST(ChartGeometry, MapsChartUnitsToTwipsAndDevicePixelsAndBackAtTheCornersAndTheCentre)
{
    // At 2.5 times a 96 dpi screen: the plot area's corners, (0, 10) at pixel
    // (100, 50) and (10, 0) at (500, 350) of the screen, scaled.
    const Scene scene = baseScene();
    const ChartPainter painter(2.5 / 15.0);
    const QRectF area = painter.plotAreaRect(scene);
    const ChartGeometry geometry =
        mappingOf(scene)->onDevice({area.left(), area.top(), area.width(), area.height()});
    const struct
    {
        const char* name;
        QPointF chart, twips, device;
    } rows[] = {
        {"top left", {0, 10}, {1500, 750}, {250, 125}},
        {"bottom right", {10, 0}, {7500, 5250}, {1250, 875}},
        {"top right", {10, 10}, {7500, 750}, {1250, 125}},
        {"bottom left", {0, 0}, {1500, 5250}, {250, 875}},
        {"centre", {5, 5}, {4500, 3000}, {750, 500}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_DOUBLE_EQ(geometry.xToTwips(row.chart.x()), row.twips.x());
        EXPECT_DOUBLE_EQ(geometry.yToTwips(row.chart.y()), row.twips.y());
        EXPECT_DOUBLE_EQ(geometry.twipsToX(row.twips.x()), row.chart.x());
        EXPECT_DOUBLE_EQ(geometry.twipsToY(row.twips.y()), row.chart.y());
        EXPECT_DOUBLE_EQ(geometry.xToDevice(row.chart.x()), row.device.x());
        EXPECT_DOUBLE_EQ(geometry.yToDevice(row.chart.y()), row.device.y());
        EXPECT_DOUBLE_EQ(geometry.deviceToX(row.device.x()), row.chart.x());
        EXPECT_DOUBLE_EQ(geometry.deviceToY(row.device.y()), row.chart.y());
        EXPECT_EQ(painter.twipsToDevice(row.twips), row.device);
        EXPECT_EQ(painter.deviceToTwips(row.device), row.twips);
    }
    // A screen of 12 twips per pixel across and 10 down.
    const ChartGeometry screen(12, 10);
    EXPECT_DOUBLE_EQ(screen.twipsToPixelsX(1500), 125);
    EXPECT_DOUBLE_EQ(screen.pixelsToTwipsY(75), 750);
    // And back, from a point beyond the plot area.
    EXPECT_NEAR(geometry.deviceToX(geometry.xToDevice(-1)), -1, 1e-12);
    EXPECT_NEAR(geometry.deviceToY(geometry.yToDevice(12)), 12, 1e-12);
}

TEST(ChartPainter, WritesCirclesAndBoxesIntoAnImageWithTheSamePixelsAsTheEnginePaints)
{
    // Circles and boxes of several sizes, hollow and filled, inside, across and
    // beyond the plot area's edges.
    Scene scene = baseScene();
    for (const double radius : {0.02, 0.05, 0.1, 0.26, 0.5}) {
        for (const bool filled : {false, true}) {
            for (const double x : {-0.6, -0.1, 0.0, 0.2, 3.33, 9.9, 10.0, 10.3}) {
                for (const double y : {-0.4, 0.0, 0.1, 5.55, 9.95, 10.0, 10.9}) {
                    scene.primitives.emplace_back(SceneCircle{x + radius, y, radius, filled});
                    scene.primitives.emplace_back(
                        SceneBox{x - radius, y - radius, x + radius, y + 1.3 * radius, filled, 1});
                }
            }
        }
    }
    // Boxes at every fraction of a pixel, where each corner's pixel is decided.
    for (int i = 0; i < 400; ++i) {
        const double x = 1 + 0.0193 * i + 1.0 / 3;
        const double y = 2 + 0.0147 * i;
        const double half = 0.05 + 0.0007 * (i % 50);
        scene.primitives.emplace_back(SceneBox{x - half, y - half, x + half, y + half, false, 1});
    }
    // The same circles again after a line, and one more on top of that line.
    const auto circles = scene.primitives;
    scene.primitives.emplace_back(SceneLine{0, 5.55, 10, 5.55, 1, LineStyle::Solid});
    scene.primitives.insert(scene.primitives.end(), circles.begin(), circles.end());
    scene.primitives.emplace_back(SceneCircle{5, 5.55, 0.3, false});
    // 32-bit pixels take the circles directly; unpremultiplied alpha goes through the engine.
    for (const QPoint shift : {QPoint(0, 0), QPoint(7, -3)}) {
        SCOPED_TRACE(testing::Message() << "shift " << shift.x() << "," << shift.y());
        QImage direct(600, 450, QImage::Format_RGB32);
        QImage engine(600, 450, QImage::Format_ARGB32);
        for (QImage* image : {&direct, &engine}) {
            image->fill(Qt::red);
            QPainter device(image);
            device.translate(shift);
            ChartPainter().paintAll(device, scene);
        }
        EXPECT_EQ(direct, engine.convertToFormat(QImage::Format_RGB32));
        EXPECT_GT(ink(direct, QRect(100, 50, 400, 300)).count, 1000);
        EXPECT_EQ(ink(direct, QRect(20, 10, 70, 30)).count, 0) << "nothing beyond the plot area";
    }
}

TEST(ChartPainter, PutsASymbolOnTheNearestPixelWithHalvesAwayFromZero)
{
    // 32 pixels an x unit, so that a sixty-fourth of a unit is half a pixel, exactly.
    Scene scene = baseScene();
    scene.xmax = 12.5;
    const auto picture = [&scene](double x, double left) {
        Scene one = scene;
        one.primitives.emplace_back(SceneCircle{x, 5, 0.125, false});
        QImage image(800, 450, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter device(&image);
        device.translate(400, 0);
        ChartPainter().paintPlotArea(device, one, QRectF(left, 50, 400, 300));
        return image;
    };
    const double half = 5 + 1.0 / 64; // half a pixel right of x = 5
    const double tiny = std::ldexp(1.0, -40);
    // Each row: the plot area's left edge (the painter's coordinates), a centre
    // in x units, and the whole-pixel centre it must be painted at.
    const std::tuple<double, double, double> rows[] = {
        {-300, half, -140},            // -139.5
        {-300, half + tiny, -139},     // just short of -139.5
        {100, half, 261},              // 260.5
        {100, half - tiny, 260},       // just short of 260.5
    };
    for (const auto& [left, x, pixel] : rows) {
        SCOPED_TRACE(testing::Message() << left << " " << x);
        EXPECT_EQ(picture(x, left), picture((pixel - left) / 32, left));
    }
}

TEST(QtTextMeasurer, SizesACaptionByItsWidestLineAndItsNumberOfLines)
{
    const QtTextMeasurer measurer;
    const double line = measurer.textHeight("Mean", TextFont);
    EXPECT_GT(line, 200) << "a line is a little more than 10 points of 20 twips";
    EXPECT_LT(line, 300);
    EXPECT_DOUBLE_EQ(measurer.textWidth("Ts\r  Mean =  3  \rN", TextFont),
                     measurer.textWidth("  Mean =  3  ", TextFont));
    EXPECT_DOUBLE_EQ(measurer.textHeight("Mean\rMax\rMin", TextFont), 3 * line);
    EXPECT_DOUBLE_EQ(measurer.textHeight("Mean\r\nMax", TextFont), 2 * line);
    EXPECT_DOUBLE_EQ(measurer.textHeight("\r  Ts =  7.09  ", TextFont), 2 * line);
}


// Export.

// The test scene, framed, with a filled circle in its middle at pixel (300, 200).
Scene chartScene()
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneBox{0, 0, 10, 10, false, 2});
    scene.primitives.emplace_back(SceneCircle{5, 5, 0.5, true});
    return scene;
}

QString qpath(const std::string& path) { return QString::fromStdString(path); }

using test::fileBytes;
std::size_t fileCount(const std::string& folder) { return test::folderNames(folder).size(); }

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
int inked(const QImage& image, const QRect& area) { return ink(image, area, 200).count; }

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
        EXPECT_EQ(fileBytes(path).substr(0, signature.size()), signature);
        if (bitmap) {
            const QImage image = picture(path);
            ASSERT_EQ(image.size(), QSize(600, 450));
            EXPECT_TRUE(dark(image, 300, 200)) << "the filled circle";
            EXPECT_FALSE(dark(image, 50, 50)) << "the background";
        }
        if (signature == "%PDF-") {
            const QString pdf = QString::fromLatin1(fileBytes(path));
            const QRegularExpression mediaBox(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
            const auto box = mediaBox.match(pdf);
            ASSERT_TRUE(box.hasMatch());
            EXPECT_GT(box.captured(1).toDouble(), box.captured(2).toDouble()) << "landscape";
            EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 1);
        }
    }
    EXPECT_EQ(fileCount(files.path("")), 4u) << "no temporary file left behind";
}

TEST(ChartExport, SvgCutsOffWhatLeavesThePlotAreaAndShowsTheStatisticsBoxAndSingleDots)
{
    const test::TempFiles files;
    const auto svg = [&files](const Scene& scene) {
        EXPECT_TRUE(exportChart(scene, qpath(files.path("chart.svg"))).ok);
        return picture(files.path("chart.svg"));
    };
    // SVG cannot clip: what spills out of the plot area must still not show.
    Scene cut = chartScene();
    cut.primitives.emplace_back(SceneCircle{10, 5, 1.0, true});
    cut.placements.statsBox = {"WWWWWWWW\rWWWWWWWW", {"", 10, false}, 7200, 1500, 0, 0, true, true};
    const QImage image = svg(cut);
    EXPECT_TRUE(dark(image, 300, 200)) << "the chart's circle";
    EXPECT_TRUE(dark(image, 495, 200)) << "the cut circle's inner half";
    QImage white(98, 450, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(image.copy(502, 0, 98, 450), white) << "nothing right of the plot area";

    // A dot at pixel (200, 125); a bordered box with its corner at pixel (300, 60).
    Scene shown = chartScene();
    shown.primitives.emplace_back(ScenePixel{2.5, 7.5});
    shown.placements.statsBox = {
        " No. Pts. =  5  \r  Ts =  7.09  ", {"", 10, false}, 4500, 900, 0, 0, true, true};
    const QImage boxed = svg(shown);
    EXPECT_GE(inked(boxed, QRect(199, 124, 3, 3)), 1) << "the dot";
    EXPECT_EQ(inked(boxed, QRect(195, 120, 11, 11)), inked(boxed, QRect(199, 124, 3, 3)))
        << "alone";
    EXPECT_GT(inked(boxed, QRect(300, 60, 200, 1)), 50) << "the box's top border";
    EXPECT_GT(inked(boxed, QRect(305, 65, 150, 40)), 40) << "its caption";
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
        EXPECT_EQ(fileBytes(kept), "old picture");
        EXPECT_EQ(fileCount(files.path("")), 1u) << "nothing new, no temporary file";
    }
}

} // namespace
} // namespace qv
