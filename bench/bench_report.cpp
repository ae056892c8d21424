// The JSON report (--report) of a 100000-point lot read as an instrument
// writes it, four decimals a line: the lot decisions and the whole text with
// the values, plotting positions and states, handed to a sink that keeps only
// the length (counter "bytes"). The whole process beside the PNG export of the
// same lot is timed by scripts/measure-export.sh.
#include "batch/BatchReport.h"
#include "batch/JsonWriter.h"
#include "core/document/ChartDocument.h"
#include "core/document/LotRun.h"
#include "core/model/ScriptedPrompter.h"
#include "render/QtTextMeasurer.h"

#include "support/GaussianLot.h"

#include <benchmark/benchmark.h>

namespace {

const std::string& lotFile()
{
    static const std::string path =
        qv::bench::gaussianLotFile("qv-bench-report-100000.txt", "%.4f\n");
    return path;
}

void WriteReportOfOneHundredThousandPoints(benchmark::State& state)
{
    const qv::QtTextMeasurer measurer;
    qv::ScriptedPrompter prompter;
    qv::ChartDocument document(prompter, measurer);
    document.startUp(
        qv::designLayout(1024 * qv::TwipsPerScreenPixel, 768 * qv::TwipsPerScreenPixel), {"Arial"});
    if (document.load({qv::LoadKind::DataFile, 1, lotFile(), lotFile()}).status !=
        qv::LoadStatus::Loaded) {
        state.SkipWithError("the file did not load");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        qv::JsonWriter json(qv::JsonWriter::Layout::Indented,
                            [&bytes](std::string_view text) { bytes += text.size(); });
        qv::writeLotReport(json, document, prompter, qv::LotOutcome::Drawn);
        json.finish();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(WriteReportOfOneHundredThousandPoints)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
