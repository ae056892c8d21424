// Drawing the chart of 100000 points: the plot routine (statistics, axes,
// scene), painting the scene into a window-sized image, and writing it as PNG.
#include "core/model/ScriptedPrompter.h"
#include "core/model/Session.h"
#include "core/model/StartUp.h"
#include "core/plot/PlotRoutine.h"
#include "render/ChartExport.h"
#include "render/PngWriter.h"
#include "render/QtTextMeasurer.h"
#include "render/ScreenFonts.h"

#include <QBuffer>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {

struct Lot
{
    qv::Session session;
    qv::ScriptedPrompter prompter;
    qv::QtTextMeasurer measurer;
    qv::PlotRoutine plot{session, prompter, measurer};

    Lot()
    {
        qv::startUp(session, qv::screenFontFamilies(), qv::ArialTwin);
        session.settings.resetOptions();
        qv::DataSet& set = session.set(1);
        std::mt19937_64 rng(7);
        std::normal_distribution<double> gauss(25.4, 0.12);
        for (int i = 0; i < qv::MaxPoints; ++i) {
            set.values.push_back(gauss(rng));
        }
        std::sort(set.values.begin(), set.values.end());
        set.sigmas.assign(set.values.size(), 0.0);
        set.states.assign(set.values.size(), 1);
        set.pointCount = set.enabledCount = qv::MaxPoints;
        session.titlePath = "lot-100000.csv";
        plot.layout() =
            qv::designLayout(1024 * qv::TwipsPerScreenPixel, 768 * qv::TwipsPerScreenPixel);
    }
};

void DrawPlotOneHundredThousandPoints(benchmark::State& state)
{
    Lot lot;
    for (auto _ : state) {
        lot.plot.drawPlot();
        benchmark::DoNotOptimize(lot.plot.scene().primitives.data());
    }
}
BENCHMARK(DrawPlotOneHundredThousandPoints)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void DrawAndPaintOneHundredThousandPoints(benchmark::State& state)
{
    Lot lot;
    for (auto _ : state) {
        lot.plot.drawPlot();
        QImage image = qv::chartImage(lot.plot.scene());
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(DrawAndPaintOneHundredThousandPoints)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The whole export after the load: drawing, painting and the PNG file's bytes.
void DrawPaintAndWritePngOneHundredThousandPoints(benchmark::State& state)
{
    Lot lot;
    for (auto _ : state) {
        lot.plot.drawPlot();
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(qv::writePng(qv::chartImage(lot.plot.scene()), png));
        state.counters["bytes"] = static_cast<double>(png.size());
    }
}
BENCHMARK(DrawPaintAndWritePngOneHundredThousandPoints)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
