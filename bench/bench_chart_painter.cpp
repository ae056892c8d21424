// Painting a full chart of 100000 points into a 1024 x 768 image: the frame, the
// points as circles (every tenth hilited), the tick marks and a few hundred
// window texts, the title, the axis label and the statistics box.
#include "render/ChartPainter.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

qv::Scene makeScene()
{
    qv::Scene scene;
    scene.windowWidth = 1024 * qv::TwipsPerScreenPixel;
    scene.windowHeight = 768 * qv::TwipsPerScreenPixel;
    scene.plotArea = {2400, 1500, 11400, 7800};
    scene.xmin = -4.26;
    scene.xmax = 4.26;
    scene.ymin = 24.9;
    scene.ymax = 25.9;
    scene.coordinatesSet = true;
    const double xspan = scene.xmax - scene.xmin;
    scene.primitives.emplace_back(
        qv::SceneBox{scene.xmin, scene.ymin, scene.xmax, scene.ymax, false, 2});

    std::mt19937_64 rng(42);
    std::normal_distribution<double> noise(0.0, 0.01);
    constexpr int Points = 100000;
    for (int i = 0; i < Points; ++i) {
        const double x = scene.xmin + xspan * (i + 0.5) / Points;
        const double y = 25.4 + 0.1 * x + noise(rng);
        scene.primitives.emplace_back(qv::SceneCircle{x, y, 0.01 * xspan, i % 10 == 0});
    }
    scene.primitives.emplace_back(
        qv::SceneLine{scene.xmin, 24.97, scene.xmax, 25.83, 1, qv::LineStyle::Solid});
    const qv::FontSpec font{"Liberation Sans", 10, false};
    for (int k = 0; k < 300; ++k) {
        const double along = (k % 30) * 380.0;
        scene.windowTexts.push_back(
            {2400 + along, 9400.0 + 200.0 * (k / 30), "99.99" + std::to_string(k), font});
        scene.primitives.emplace_back(qv::SceneLine{scene.xmin + (k % 30) * xspan / 30, scene.ymin,
                                                    scene.xmin + (k % 30) * xspan / 30,
                                                    scene.ymin + 0.02, 1, qv::LineStyle::Solid});
    }
    scene.title = {"Lot 7 Coating Thickness",
                   {"Liberation Sans", 15.36, true},
                   2400,
                   300,
                   11400,
                   1000,
                   true,
                   false};
    scene.placements.yLabel = {"Thickness (mm)", font, 1200, 4000, 0, 0, true, false};
    scene.placements.statsBox = {" No. Pts. =  100000  \r  Mean =  25.4  \r  Sigma =  0.12  ",
                                 {"Liberation Sans", 10.24, false},
                                 2800,
                                 1900,
                                 0,
                                 0,
                                 true,
                                 false};
    return scene;
}

void PaintHundredThousandCircles(benchmark::State& state)
{
    static const qv::Scene scene = makeScene();
    const qv::ChartPainter painter;
    QImage image(1024, 768, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter device(&image);
        painter.paintAll(device, scene);
        device.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(PaintHundredThousandCircles)->Unit(benchmark::kMillisecond);

} // namespace
