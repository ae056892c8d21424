// A full drawing of 100000 points with everything on the chart: the
// statistics box, the Ts marker, the three limit lines, the least-squares line
// with its confidence dots, a title and a free text. Redraws (an option
// dialog's OK, Refresh Plot) reuse the plotting positions; the first drawing
// after a load computes them.
#include "core/model/ScriptedPrompter.h"
#include "core/model/Session.h"
#include "core/model/StartUp.h"
#include "core/plot/PlotRoutine.h"
#include "render/ChartExport.h"
#include "render/QtTextMeasurer.h"
#include "render/ScreenFonts.h"
#include "support/GaussianLot.h"


#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

using enum qv::Ctl;

struct Lot
{
    qv::Session session;
    qv::ScriptedPrompter prompter;
    qv::QtTextMeasurer measurer;
    std::unique_ptr<qv::PlotRoutine> plot;

    Lot()
    {
        qv::startUp(session, qv::screenFontFamilies(), qv::ArialTwin);
        qv::Settings& s = session.settings;
        s.resetOptions();
        qv::bench::fillGaussianLot(session.set(1));
        session.sources.titlePath = "lot-100000.csv";
        s.setText(PlotOpts_PlotTitle, "Lot 7 Coating Thickness");
        s.setText(PlotOpts_PlotText, "Line 3, night shift");
        s.setCheck(PlotOpts_TestStatistic, 1);
        s.setCheck(PlotOpts_LimitLines, 1);
        s.setText(PlotOpts_ULimit, "26.2");
        s.setCheck(PlotOpts_NinetyLine, 1);
        s.setCheck(PlotOpts_FiftyLine, 1);
        s.setCheck(PlotOpts_LSQfit, 1);
        s.selectGroup(PlotOpts_ConfInterval, 1);
        session.sources.placeBoxesPending = true;
        fresh();
    }
    // A plot routine that has drawn nothing yet, as after a load.
    void fresh()
    {
        plot = std::make_unique<qv::PlotRoutine>(session, session.placements, measurer);
        plot->layout() =
            qv::designLayout(1024 * qv::TwipsPerScreenPixel, 768 * qv::TwipsPerScreenPixel);
    }
};

void RedrawEverythingOneHundredThousandPoints(benchmark::State& state)
{
    Lot lot;
    lot.plot->drawPlot();
    for (auto _ : state) {
        lot.plot->drawPlot();
        benchmark::DoNotOptimize(lot.plot->scene().primitives.data());
    }
    if (!lot.prompter.messages.empty() || !lot.plot->results().sets[0].fit) {
        state.SkipWithError("the drawing did not draw everything");
    }
}
BENCHMARK(RedrawEverythingOneHundredThousandPoints)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void FirstDrawingAfterALoadOneHundredThousandPoints(benchmark::State& state)
{
    Lot lot;
    for (auto _ : state) {
        state.PauseTiming();
        lot.fresh();
        state.ResumeTiming();
        lot.plot->drawPlot();
        benchmark::DoNotOptimize(lot.plot->scene().primitives.data());
    }
}
BENCHMARK(FirstDrawingAfterALoadOneHundredThousandPoints)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void RedrawAndPaintEverythingOneHundredThousandPoints(benchmark::State& state)
{
    Lot lot;
    lot.plot->drawPlot();
    for (auto _ : state) {
        lot.plot->drawPlot();
        QImage image = qv::chartImage(lot.plot->scene());
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(RedrawAndPaintEverythingOneHundredThousandPoints)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
