// The picture files of a 100000-point chart in each format, plain and with
// everything on (Ts marker, limit lines, least-squares line with its
// confidence dots): the time to paint and encode one file, and its size
// (counter "bytes"). Everything on should cost at most twice the plain chart.
#include "core/model/ScriptedPrompter.h"
#include "core/model/Session.h"
#include "core/model/StartUp.h"
#include "core/plot/PlotRoutine.h"
#include "render/ChartExport.h"
#include "render/QtTextMeasurer.h"
#include "render/ScreenFonts.h"
#include "support/GaussianLot.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using enum qv::Ctl;

// The scene of the Gaussian lot, drawn plain or with everything on.
qv::Scene lotScene(bool everything)
{
    qv::Session session;
    qv::QtTextMeasurer measurer;
    qv::startUp(session, qv::screenFontFamilies(), qv::ArialTwin);
    qv::Settings& s = session.settings;
    s.resetOptions();
    qv::bench::fillGaussianLot(session.set(1));
    session.sources.titlePath = "lot-100000.csv";
    if (everything) {
        s.setCheck(PlotOpts_TestStatistic, 1);
        s.setCheck(PlotOpts_LimitLines, 1);
        s.setText(PlotOpts_ULimit, "26.2");
        s.setCheck(PlotOpts_LSQfit, 1);
        s.selectGroup(PlotOpts_ConfInterval, 1);
    }
    session.sources.placeBoxesPending = true;
    qv::PlotRoutine plot(session, session.placements, measurer);
    plot.layout() = qv::designLayout(1024 * qv::TwipsPerScreenPixel, 768 * qv::TwipsPerScreenPixel);
    plot.drawPlot();
    return plot.scene();
}

void exportFile(benchmark::State& state, bool everything)
{
    static const char* const Names[] = {"chart.png", "chart.pdf", "chart.svg"};
    const qv::Scene scene = lotScene(everything);
    const QString name = QString::fromLatin1(Names[state.range(0)]);
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray file = qv::chartFileBytes(scene, name);
        bytes = file.size();
        benchmark::DoNotOptimize(file.constData());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetLabel(Names[state.range(0)]);
}

void ExportPlainChart(benchmark::State& state)
{
    exportFile(state, false);
}
BENCHMARK(ExportPlainChart)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void ExportChartWithEverythingOn(benchmark::State& state)
{
    exportFile(state, true);
}
BENCHMARK(ExportChartWithEverythingOn)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
