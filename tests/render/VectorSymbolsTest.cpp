// Plot symbols on a PDF page: a circle, a box or a dot drawn again leaves the page as drawing
// it once does, and a set with many points on few places writes a file of the few.
#include "BaseScene.h"
#include "render/ChartExport.h"
#include "support/TempFiles.h"

#include <QByteArray>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

Scene sceneWith(const std::vector<ScenePrimitive>& primitives)
{
    Scene scene = test::baseScene();
    scene.primitives = primitives;
    return scene;
}

// The page of `scene` as PDF, rendered at 300 dpi by poppler.
QImage renderedPage(const Scene& scene, const test::TempFiles& files, const std::string& name)
{
    const QByteArray pdf = chartFileBytes(scene, QStringLiteral("chart.pdf"));
    const std::string path =
        files.write(name + ".pdf", std::string(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), QString::fromStdString(path),
                  QString::fromStdString(files.path(name))});
    EXPECT_TRUE(render.waitForFinished(60000)) << "pdftoppm (poppler-utils) must be installed";
    return QImage(QString::fromStdString(files.path(name + ".png")));
}

TEST(VectorSymbols, RepeatedSymbolsOnAPdfPageDrawTheSamePageAsDrawingEachOnce)
{
    const test::TempFiles files;
    std::vector<ScenePrimitive> once;
    std::vector<ScenePrimitive> repeated;
    for (int i = 0; i < 60; ++i) {
        const SceneCircle circle{0.15 * i + 0.5, 0.1 * i + 2.0, 0.08, i % 3 == 0};
        // Another primitive between the copies does not stop them being left out.
        // It is drawn as often on both pages: poppler darkens the edges of what
        // is drawn again.
        const SceneLine line{0, 5, 10, 5, 1, LineStyle::Solid};
        const ScenePixel dot{circle.cx, circle.cy + 0.5};
        const SceneBox box{circle.cx - 0.1, circle.cy - 0.6, circle.cx + 0.1, circle.cy - 0.45,
                           i % 4 == 0, 1};
        once.push_back(circle);
        once.push_back(dot);
        once.push_back(box);
        for (int copy = 0; copy < 3; ++copy) {
            once.push_back(line);
            repeated.push_back(circle);
            repeated.push_back(dot);
            repeated.push_back(box);
            repeated.push_back(line);
        }
    }
    const QImage expected = renderedPage(sceneWith(once), files, "once");
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(renderedPage(sceneWith(repeated), files, "repeated"), expected);
}

TEST(VectorSymbols, APdfOfManyPointsOnFewPlacesIsAsSmallAsOneOfTheFewPlaces)
{
    std::vector<ScenePrimitive> few;
    std::vector<ScenePrimitive> many;
    for (int i = 0; i < 50; ++i) {
        const SceneCircle circle{0.2 * i, 0.2 * i, 0.1, false};
        const SceneBox box{0.2 * i, 0.1, 0.2 * i + 0.1, 0.2, false, 1};
        few.push_back(circle);
        few.push_back(box);
        for (int copy = 0; copy < 400; ++copy) {
            many.push_back(circle);
            many.push_back(box);
        }
    }
    const qsizetype fewBytes = chartFileBytes(sceneWith(few), QStringLiteral("a.pdf")).size();
    const qsizetype manyBytes = chartFileBytes(sceneWith(many), QStringLiteral("a.pdf")).size();
    ASSERT_GT(fewBytes, 0);
    // The same page but for its creation time.
    EXPECT_LT(manyBytes, fewBytes + 64);
}

} // namespace
} // namespace qv
