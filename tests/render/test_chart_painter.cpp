#include "render/ChartPainter.h"
#include "render/QtTextMeasurer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace qv {
namespace {

// A window of 600 x 450 pixels at 15 twips per pixel; the plot area's top left
// corner at pixel (100, 50), 400 x 300 pixels, user coordinates 0..10 both ways,
// so one x unit is 40 pixels and one y unit 30.
Scene baseScene()
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
    return scene;
}

int pixelX(double x)
{
    return static_cast<int>(std::lround(100 + 40 * x));
}
int pixelY(double y)
{
    return static_cast<int>(std::lround(50 + 30 * (10 - y)));
}

const FontSpec TextFont{"", 10, false};

// The whole window picture, `scale` times the size of a 96 dpi screen.
QImage paint(const Scene& scene, double scale = 1.0)
{
    const ChartPainter painter(scale / 15.0);
    QImage image(painter.windowSize(scene), QImage::Format_RGB32);
    image.fill(Qt::red); // the painter must cover it all
    QPainter device(&image);
    painter.paintAll(device, scene);
    device.end();
    return image;
}

bool dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

int darkCount(const QImage& image, const QRect& area)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += dark(image, x, y) ? 1 : 0;
        }
    }
    return count;
}

// The smallest rectangle holding every dark pixel of `area`; null when there is none.
QRect inkBounds(const QImage& image, const QRect& area)
{
    QRect bounds;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (dark(image, x, y)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

// A twips rectangle in pixels of a 96 dpi picture times `scale`, rounded outwards.
QRect pixels(double left, double top, double width, double height, double scale = 1.0)
{
    const double k = scale / 15.0;
    return QRectF(left * k, top * k, width * k, height * k).toAlignedRect();
}

TEST(ChartPainter, FrameLinesLieOnThePlotAreaEdgesAndStayInside)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneBox{0, 0, 10, 10, false, 2});
    const QImage image = paint(scene);
    EXPECT_TRUE(dark(image, 100, 200)) << "left edge";
    EXPECT_TRUE(dark(image, 499, 200)) << "right edge";
    EXPECT_TRUE(dark(image, 300, 50)) << "top edge";
    EXPECT_TRUE(dark(image, 300, 349)) << "bottom edge";
    EXPECT_FALSE(dark(image, 300, 200)) << "inside";
    // The outer half of the wide line is cut off at the plot area's edges.
    EXPECT_FALSE(dark(image, 99, 200));
    EXPECT_FALSE(dark(image, 500, 200));
    EXPECT_FALSE(dark(image, 300, 49));
    EXPECT_FALSE(dark(image, 300, 350));
}

TEST(ChartPainter, FilledCircleIsBlackAtItsCentre)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneCircle{5, 5, 0.5, true});
    const QImage image = paint(scene);
    EXPECT_EQ(image.pixel(pixelX(5), pixelY(5)), qRgb(0, 0, 0));
    EXPECT_TRUE(dark(image, pixelX(5) + 15, pixelY(5)));
    EXPECT_FALSE(dark(image, pixelX(5) + 25, pixelY(5)));
}

TEST(ChartPainter, HollowCircleIsWhiteInsideWithABlackRim)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneCircle{5, 5, 0.5, false});
    const QImage image = paint(scene);
    const int cx = pixelX(5);
    const int cy = pixelY(5);
    EXPECT_FALSE(dark(image, cx, cy));
    EXPECT_FALSE(dark(image, cx + 15, cy));
    // Radius 0.5 x units is 20 pixels; the rim lies there in every direction.
    EXPECT_GT(darkCount(image, QRect(cx + 19, cy - 1, 3, 3)), 0) << "right";
    EXPECT_GT(darkCount(image, QRect(cx - 21, cy - 1, 3, 3)), 0) << "left";
    EXPECT_GT(darkCount(image, QRect(cx - 1, cy - 21, 3, 3)), 0) << "top";
    EXPECT_GT(darkCount(image, QRect(cx - 1, cy + 19, 3, 3)), 0) << "bottom";
}

TEST(ChartPainter, CircleIsRoundAlthoughTheAxesScaleDifferently)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneCircle{5, 5, 1.0, false});
    const QImage image = paint(scene);
    const QRect ink = inkBounds(image, QRect(200, 100, 200, 200));
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.width(), 81, 2);
    EXPECT_NEAR(ink.height(), ink.width(), 1);
}

TEST(ChartPainter, StampedCirclesMatchCirclesPaintedInPlace)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneCircle{3, 3, 0.2, false});
    scene.primitives.emplace_back(SceneCircle{6, 7, 0.2, true});
    scene.primitives.emplace_back(SceneCircle{10, 5, 0.2, false}); // cut by the right edge
    const QImage image = paint(scene);

    QImage expected(600, 450, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter reference(&expected);
    reference.setClipRect(QRect(100, 50, 400, 300));
    reference.setPen(QPen(Qt::black, 1));
    for (const auto& [x, y, filled] :
         {std::tuple{3.0, 3.0, false}, std::tuple{6.0, 7.0, true}, std::tuple{10.0, 5.0, false}}) {
        reference.setBrush(filled ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
        reference.drawEllipse(QRect(pixelX(x) - 8, pixelY(y) - 8, 16, 16));
    }
    reference.end();
    EXPECT_EQ(image, expected);
}

TEST(ChartPainter, DottedLineHasGapsAndSolidLineHasNone)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneLine{1, 2, 9, 2, 1, LineStyle::Dotted});
    scene.primitives.emplace_back(SceneLine{1, 4, 9, 4, 1, LineStyle::Solid});
    const QImage image = paint(scene);
    const int length = pixelX(9) - pixelX(1) - 1;
    const int dotted = darkCount(image, QRect(pixelX(1) + 1, pixelY(2), length, 1));
    EXPECT_GT(dotted, length / 5);
    EXPECT_LT(dotted, length * 4 / 5);
    EXPECT_EQ(darkCount(image, QRect(pixelX(1) + 1, pixelY(4), length, 1)), length);
    EXPECT_EQ(darkCount(image, QRect(pixelX(1) + 1, pixelY(4) - 3, length, 3)), 0)
        << "a width-1 line is one pixel thick";
}

TEST(ChartPainter, LinesWidenWithTheResolution)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneLine{1, 4, 9, 4, 1, LineStyle::Solid});
    const QImage image = paint(scene, 4.0);
    const int x = 4 * pixelX(5);
    int thickness = 0;
    for (int y = 4 * pixelY(4) - 8; y <= 4 * pixelY(4) + 8; ++y) {
        thickness += dark(image, x, y) ? 1 : 0;
    }
    EXPECT_EQ(thickness, 4);
}

TEST(ChartPainter, PrimitivesWaitForTheCoordinates)
{
    Scene scene = baseScene();
    scene.coordinatesSet = false;
    scene.primitives.emplace_back(SceneCircle{5, 5, 0.5, true});
    const QImage image = paint(scene);
    EXPECT_FALSE(dark(image, pixelX(5), pixelY(5)));
}

TEST(ChartPainter, LaterPrimitivesCoverEarlierOnes)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneBox{2, 2, 8, 8, true, 1});
    scene.primitives.emplace_back(SceneCircle{5, 5, 0.5, false});
    const QImage image = paint(scene);
    EXPECT_TRUE(dark(image, pixelX(5), pixelY(5))) << "a hollow circle lets the fill show";
    EXPECT_TRUE(dark(image, pixelX(3), pixelY(3)));
    EXPECT_FALSE(dark(image, pixelX(1), pixelY(1)));
}

TEST(ChartPainter, PlotAreaAlonePaintsIntoTheGivenRectangle)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneCircle{5, 5, 0.5, true});
    scene.windowTexts.push_back({0, 0, "WWWWWWWW", TextFont});
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter device(&image);
    ChartPainter().paintPlotArea(device, scene, QRectF(0, 0, 400, 300));
    device.end();
    EXPECT_EQ(image.pixel(200, 150), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255)) << "window texts are not the plot's";
}

TEST(ChartPainter, WindowTextStaysInsideItsMeasuredRectangle)
{
    const std::string text = "Mean = 25.4";
    const QtTextMeasurer measurer;
    const double width = measurer.textWidth(text, TextFont);
    const double height = measurer.textHeight(text, TextFont);
    for (const double scale : {1.0, 4.0}) {
        SCOPED_TRACE(scale);
        Scene scene = baseScene();
        scene.windowTexts.push_back({1500, 5700, text, TextFont});
        const QImage image = paint(scene, scale);
        const QRect measured = pixels(1500, 5700, width, height, scale);
        EXPECT_GT(darkCount(image, measured), 10 * scale * scale);
        const QRect ink = inkBounds(image, measured.adjusted(-40, -40, 40, 40));
        EXPECT_TRUE(measured.adjusted(-1, -1, 1, 1).contains(ink))
            << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
        // The text fills its measured width: the last glyph ends near its end.
        EXPECT_GT(ink.right(), measured.right() - 3 * scale);
    }
}

TEST(ChartPainter, TextKeepsItsProportionsOnEveryDevice)
{
    Scene scene = baseScene();
    scene.windowTexts.push_back({1500, 5700, "No. Pts. =  100000", TextFont});
    const QRect small = inkBounds(paint(scene, 1.0), QRect(0, 360, 600, 90));
    const QRect large = inkBounds(paint(scene, 5.0), QRect(0, 1800, 3000, 450));
    ASSERT_FALSE(small.isNull());
    ASSERT_FALSE(large.isNull());
    EXPECT_NEAR(large.left(), 5 * small.left(), 5);
    EXPECT_NEAR(large.width(), 5 * small.width(), 6);
    EXPECT_NEAR(large.height(), 5 * small.height(), 6);
}

TEST(ChartPainter, CaptionLinesAreSeparatedByCarriageReturns)
{
    Scene scene = baseScene();
    scene.statsBox = {"WWW\rWWW\rWWW", TextFont, 1800, 1200, 0, 0, true, false};
    const QImage image = paint(scene);
    const TwipsRect rect = ChartPainter::labelRect(scene.statsBox, LabelKind::Box);
    const QtTextMeasurer measurer;
    EXPECT_NEAR(rect.height, 3 * measurer.textHeight("W", TextFont), 1e-6);
    EXPECT_NEAR(rect.width, measurer.textWidth("WWW", TextFont), 1e-6);
    const QRect area = pixels(rect.left, rect.top, rect.width, rect.height);
    const int third = area.height() / 3;
    for (int line = 0; line < 3; ++line) {
        EXPECT_GT(
            darkCount(image, QRect(area.left(), area.top() + line * third, area.width(), third)),
            10)
            << "line " << line;
    }
}

TEST(ChartPainter, RotatedLabelIsTallerThanWideAndReadsBottomToTop)
{
    Scene scene = baseScene();
    scene.yLabel = {"WWWW        .", {"", 12, false}, 150, 900, 0, 0, true, false};
    const TwipsRect rect = ChartPainter::labelRect(scene.yLabel, LabelKind::AxisLabel);
    const QtTextMeasurer measurer;
    EXPECT_NEAR(rect.width, measurer.textHeight(scene.yLabel.caption, scene.yLabel.font), 1e-6);
    EXPECT_NEAR(rect.height, measurer.textWidth(scene.yLabel.caption, scene.yLabel.font), 1e-6);
    EXPECT_GT(rect.height, 2 * rect.width);

    const QImage image = paint(scene);
    const QRect area = pixels(rect.left, rect.top, rect.width, rect.height);
    const QRect ink = inkBounds(image, area.adjusted(-20, -20, 20, 20));
    ASSERT_FALSE(ink.isNull());
    EXPECT_GT(ink.height(), 2 * ink.width());
    EXPECT_TRUE(area.adjusted(-1, -1, 1, 1).contains(ink));
    // The heavy letters begin the text: they are at the bottom.
    const QRect upper(area.left(), area.top(), area.width(), area.height() / 2);
    const QRect lower(area.left(), area.top() + area.height() / 2, area.width(), area.height() / 2);
    EXPECT_GT(darkCount(image, lower), 3 * darkCount(image, upper));

    // Underscores lie at the bottom of a text: turned, at the right.
    scene.yLabel.caption = "________";
    const QImage underscores = paint(scene);
    const TwipsRect turned = ChartPainter::labelRect(scene.yLabel, LabelKind::AxisLabel);
    const QRect box = pixels(turned.left, turned.top, turned.width, turned.height);
    const int half = box.width() / 2;
    EXPECT_EQ(darkCount(underscores, QRect(box.left(), box.top(), half, box.height())), 0);
    EXPECT_GT(darkCount(underscores, QRect(box.left() + half, box.top(), half, box.height())), 10);
}

TEST(ChartPainter, TitleIsCentredAcrossItsLabel)
{
    Scene scene = baseScene();
    scene.title = {"Lot 7", {"", 14, true}, 1500, 0, 6000, 700, true, false};
    const QImage image = paint(scene);
    const QRect ink = inkBounds(image, QRect(0, 0, 600, 50));
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.left() + ink.width() / 2.0, 300, 3);
    EXPECT_GT(ink.bottom(), 30) << "the title sits at the bottom of its label";

    scene.title.visible = false;
    EXPECT_EQ(darkCount(paint(scene), QRect(0, 0, 600, 50)), 0) << "a hidden label is not painted";
}

TEST(ChartPainter, BoxesAreOpaqueAndBordered)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneBox{0, 0, 10, 10, true, 1});
    // At pixel (133, 100), 60 x 40 pixels.
    scene.statsBox = {"", TextFont, 1995, 1500, 900, 600, true, true};
    const QImage image = paint(scene);
    EXPECT_FALSE(dark(image, 160, 120)) << "the box hides the chart under it";
    EXPECT_TRUE(dark(image, 300, 250));
    scene.primitives.clear();
    const QImage bordered = paint(scene);
    EXPECT_TRUE(dark(bordered, 133, 120));
    EXPECT_TRUE(dark(bordered, 192, 120));
    EXPECT_TRUE(dark(bordered, 160, 100));
    EXPECT_TRUE(dark(bordered, 160, 139));
    EXPECT_FALSE(dark(bordered, 160, 120));
}

TEST(ChartPainter, BoxesAreCutOffAtThePlotAreaEdge)
{
    Scene scene = baseScene();
    // Straddles the plot area's right edge at pixel 500.
    scene.statsBox = {"WWWWWWWWWW\rWWWWWWWWWW", TextFont, 7200, 1500, 0, 0, true, true};
    const QImage image = paint(scene);
    EXPECT_GT(darkCount(image, QRect(480, 100, 20, 40)), 20);
    EXPECT_EQ(darkCount(image, QRect(500, 0, 100, 450)), 0);
}

TEST(ChartPainter, PlotTextIsPaintedAtItsUserCoordinates)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneText{5, 5, "WWWW", TextFont});
    const QImage image = paint(scene);
    const QRect ink = inkBounds(image, QRect(100, 50, 400, 300));
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.left(), pixelX(5), 2);
    EXPECT_GE(ink.top(), pixelY(5));
    EXPECT_LT(ink.top(), pixelY(5) + 8);
}

TEST(ChartPainter, LeavesThePaintersStateAsItWas)
{
    Scene scene = baseScene();
    scene.primitives.emplace_back(SceneLine{1, 2, 9, 2, 3, LineStyle::Dotted});
    scene.windowTexts.push_back({0, 0, "x", {"", 20, true}});
    QImage image(600, 450, QImage::Format_RGB32);
    QPainter device(&image);
    const QPen pen(Qt::green, 5);
    device.setPen(pen);
    device.translate(3, 4);
    ChartPainter().paintAll(device, scene);
    EXPECT_EQ(device.pen(), pen);
    EXPECT_EQ(device.worldTransform(), QTransform::fromTranslate(3, 4));
    EXPECT_FALSE(device.hasClipping());
}

} // namespace
} // namespace qv
