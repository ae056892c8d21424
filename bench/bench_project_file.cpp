// Saving and reopening a project of 100000 points with a 100000-point overlay:
// the project text alone, the whole save (text, temporary file flushed to the
// disk, rename), reading the file's points and blocks, and the whole reopening
// through the chart document's load command, which draws the chart after it.
#include "core/document/ChartDocument.h"
#include "core/io/ProjectFileReader.h"
#include "core/io/ProjectFileWriter.h"
#include "core/io/TextFile.h"
#include "core/model/ScriptedPrompter.h"
#include "render/QtTextMeasurer.h"


#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {

qv::DataSet gaussianSet(double mean, double sigma, bool withSigmas, unsigned seed)
{
    std::mt19937_64 rng(seed);
    std::normal_distribution<double> gauss(mean, sigma);
    qv::DataSet set;
    for (int i = 0; i < qv::MaxPoints; ++i) {
        set.values.push_back(gauss(rng));
        set.sigmas.push_back(withSigmas ? 0.01 + 0.001 * (i % 7) : 0.0);
        set.states.push_back(static_cast<std::int16_t>(i % 50 == 0 ? 3 : 1));
    }
    std::sort(set.values.begin(), set.values.end());
    set.pointCount = qv::MaxPoints;
    set.enabledCount = qv::MaxPoints;
    set.hasSigmas = withSigmas;
    return set;
}

const qv::ChartLayout& layout()
{
    static const qv::ChartLayout l =
        qv::designLayout(1024 * qv::TwipsPerScreenPixel, 768 * qv::TwipsPerScreenPixel);
    return l;
}

// A drawn chart of both sets, as the window holds it before Save File As.
struct Chart
{
    qv::QtTextMeasurer measurer;
    qv::ScriptedPrompter prompter;
    qv::ChartDocument document{prompter, measurer};

    Chart()
    {
        document.startUp(layout(), {"Arial"});
        qv::Session& session = document.session();
        session.settings.resetOptions();
        session.set(1) = gaussianSet(25.4, 0.12, true, 42);
        session.set(2) = gaussianSet(25.6, 0.10, false, 7);
        session.sources.overlayLoaded = true;
        document.drawPlot();
    }
};

std::string projectPath()
{
    return (std::filesystem::temp_directory_path() / "qv-bench-project.qvw").string();
}

// The saved project leaves with the program.
struct RemoveProjectAtExit
{
    ~RemoveProjectAtExit() { std::filesystem::remove(projectPath()); }
} const removeProjectAtExit;

const std::string& savedProject()
{
    static const std::string path = [] {
        Chart chart;
        chart.document.writeProject(projectPath());
        return projectPath();
    }();
    return path;
}

void ProjectText(benchmark::State& state)
{
    Chart chart;
    const qv::Session& s = chart.document.session();
    for (auto _ : state) {
        const std::string text =
            qv::projectFileText(s.set(1), &s.set(2), s.settings, chart.document.projectPositions());
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(ProjectText)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void SaveProject(benchmark::State& state)
{
    Chart chart;
    for (auto _ : state) {
        if (!chart.document.writeProject(projectPath())) {
            state.SkipWithError("the project was not written");
            break;
        }
    }
}
BENCHMARK(SaveProject)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void ReadProjectPointsAndBlocks(benchmark::State& state)
{
    for (auto _ : state) {
        const qv::TextFile file = qv::TextFile::read(savedProject());
        const qv::ProjectReadResult read = qv::readProjectLines(file.lines(), false);
        if (!read.project || !read.project->overlay) {
            state.SkipWithError("the project did not read");
            break;
        }
        benchmark::DoNotOptimize(read.project->main.values.data());
    }
}
BENCHMARK(ReadProjectPointsAndBlocks)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void ReopenAndDrawProject(benchmark::State& state)
{
    const qv::QtTextMeasurer measurer;
    for (auto _ : state) {
        qv::ScriptedPrompter prompter;
        qv::ChartDocument document(prompter, measurer);
        document.startUp(layout(), {"Arial"});
        const qv::LoadResult result =
            document.load({qv::LoadKind::Project, 1, savedProject(), savedProject()});
        if (result.status != qv::LoadStatus::Loaded ||
            document.session().set(2).pointCount != qv::MaxPoints) {
            state.SkipWithError("the project did not load");
            break;
        }
        benchmark::DoNotOptimize(document.scene().primitives.data());
    }
}
BENCHMARK(ReopenAndDrawProject)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
