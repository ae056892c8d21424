// Reading a 100000-line one-column data file into set 1, sort included.
#include "core/io/DataFileReader.h"
#include "core/model/ScriptedPrompter.h"
#include "core/model/Session.h"
#include "core/model/StartUp.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

std::string makeLotFile()
{
    const auto path = std::filesystem::temp_directory_path() / "qv-bench-100000.csv";
    std::ofstream out(path, std::ios::binary);
    std::mt19937_64 rng(42);
    std::normal_distribution<double> gauss(25.4, 0.12);
    char line[64];
    for (int i = 0; i < qv::MaxPoints; ++i) {
        std::snprintf(line, sizeof line, "%.5f\r\n", gauss(rng));
        out << line;
    }
    return path.string();
}

void ReadOneHundredThousandLines(benchmark::State& state)
{
    static const std::string path = makeLotFile();
    for (auto _ : state) {
        qv::Session session;
        qv::ScriptedPrompter prompter;
        qv::startUp(session, {"Arial"});
        session.sourcePath = path;
        session.firstOpen = false;
        const bool ok = qv::readDataFile(session, prompter);
        if (!ok || session.set(1).pointCount != qv::MaxPoints) {
            state.SkipWithError("the file did not load");
        }
        benchmark::DoNotOptimize(session.set(1).values.data());
    }
}
BENCHMARK(ReadOneHundredThousandLines)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
