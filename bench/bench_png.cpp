// Writing an exported chart picture (800 x 595, black, white and grays) as PNG
// into memory: the program's own writer, and Qt's general image writer that
// exports used before, for comparison.
#include "render/PngWriter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

QImage chartPicture()
{
    QImage image(800, 595, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawRect(120, 60, 640, 435);
    for (int i = 0; i < 4000; ++i) {
        const double t = i / 4000.0;
        painter.drawEllipse(QPointF(120 + 640 * t, 480 - 400 * t + 30 * std::sin(40 * t)), 5, 5);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawText(QPointF(250, 530),
                     QStringLiteral("Cumulative Probability (%) - Gaussian Distribution"));
    return image;
}

void OwnWriter(benchmark::State& state)
{
    const QImage image = chartPicture();
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(qv::writePng(image, out));
        state.counters["bytes"] = static_cast<double>(out.size());
    }
}
BENCHMARK(OwnWriter)->Unit(benchmark::kMillisecond);

void QtImageWriter(benchmark::State& state)
{
    const QImage image = chartPicture();
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(image.save(&out, "PNG"));
        state.counters["bytes"] = static_cast<double>(out.size());
    }
}
BENCHMARK(QtImageWriter)->Unit(benchmark::kMillisecond);

} // namespace
