// Drawing the chart of 100000 points: the plot routine (statistics, axes,
// scene), painting the scene into a window-sized image, and writing it as PNG.
#include "core/document/LotDecisionText.h"
#include "core/model/ScriptedPrompter.h"
#include "core/model/Session.h"
#include "core/model/StartUp.h"
#include "core/plot/PlotRoutine.h"
#include "render/ChartExport.h"
#include "render/PngWriter.h"
#include "render/QtTextMeasurer.h"
#include "render/ScreenFonts.h"
#include "support/GaussianLot.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

struct Lot
{
    qv::Session session;
    qv::ScriptedPrompter prompter;
    qv::QtTextMeasurer measurer;
    qv::PlotRoutine plot{session, session.placements, measurer};

    Lot()
    {
        qv::startUp(session, qv::screenFontFamilies(), qv::ArialTwin);
        session.settings.resetOptions();
        qv::bench::fillGaussianLot(session.set(1));
        session.sources.titlePath = "lot-100000.csv";
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

// A redraw with Ts, the limit lines and the lot's decisions, as the window redraws
// a judged lot: the upper limit alone (sides 0) or both limits (sides 2).
void DrawAndDecideWithLimits(benchmark::State& state)
{
    Lot lot;
    qv::Settings& s = lot.session.settings;
    s.setCheck(qv::Ctl::PlotOpts_TestStatistic, 1);
    s.setCheck(qv::Ctl::PlotOpts_LimitLines, 1);
    s.selectGroup(qv::Ctl::PlotOpts_LimitSides, static_cast<int>(state.range(0)));
    s.setText(qv::Ctl::PlotOpts_ULimit, "12");
    s.setText(qv::Ctl::PlotOpts_LLimit, "8");
    const qv::DecisionSettings settings = qv::decisionSettings(s);
    for (auto _ : state) {
        lot.plot.drawPlot();
        const qv::SetResults& main = lot.plot.results().sets[0];
        const qv::LotDecision decision = qv::decideLot(main.points, *main.statistics, settings);
        benchmark::DoNotOptimize(decision.verdict);
    }
}
BENCHMARK(DrawAndDecideWithLimits)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

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
