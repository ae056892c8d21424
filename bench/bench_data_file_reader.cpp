// Reading a 100000-line one-column data file: the file and the parser with the
// sort, and the whole load command of the chart document, which draws the chart
// after the read as every load does.
#include "core/document/ChartDocument.h"
#include "core/io/DataFileParser.h"
#include "core/io/TextFile.h"
#include "core/model/ScriptedPrompter.h"
#include "render/QtTextMeasurer.h"

#include "support/GaussianLot.h"

#include <benchmark/benchmark.h>

namespace {

const std::string& lotFile()
{
    static const std::string path = qv::bench::gaussianLotFile("qv-bench-100000.csv", "%.5f\r\n");
    return path;
}

void ReadOneHundredThousandLines(benchmark::State& state)
{
    qv::DataLayout layout;
    layout.columnCount = 1;
    for (auto _ : state) {
        const qv::TextFile file = qv::TextFile::read(lotFile());
        qv::ParseResult parsed = qv::parseDataLines(file.lines(), layout);
        if (!parsed.data || parsed.data->set.pointCount != qv::MaxPoints) {
            state.SkipWithError("the file did not parse");
            break;
        }
        qv::sortSet(parsed.data->set, qv::MaxPoints);
        benchmark::DoNotOptimize(parsed.data->set.values.data());
    }
}
BENCHMARK(ReadOneHundredThousandLines)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void LoadAndDrawOneHundredThousandLines(benchmark::State& state)
{
    const qv::QtTextMeasurer measurer;
    const qv::ChartLayout layout = qv::designLayout(1024 * qv::TwipsPerScreenPixel,
                                                    768 * qv::TwipsPerScreenPixel);
    for (auto _ : state) {
        qv::ScriptedPrompter prompter;
        qv::ChartDocument document(prompter, measurer);
        document.startUp(layout, {"Arial"});
        const qv::LoadResult result =
            document.load({qv::LoadKind::DataFile, 1, lotFile(), lotFile()});
        if (result.status != qv::LoadStatus::Loaded ||
            document.session().set(1).pointCount != qv::MaxPoints) {
            state.SkipWithError("the file did not load");
            break;
        }
        benchmark::DoNotOptimize(document.scene().primitives.data());
    }
}
BENCHMARK(LoadAndDrawOneHundredThousandLines)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
