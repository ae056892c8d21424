// The window's commands on a lot of 100000 points: opening the enable/disable
// editor (its grid rebuilt and painted), one click toggling a point with the
// row's repaint, and Copy Graph. Run on the offscreen platform; report medians:
//   bench_output --benchmark_repetitions=10 --benchmark_report_aggregates_only
#include "core/model/ScriptedPrompter.h"
#include "gui/app/MainWindow.h"
#include "gui/app/WindowCommands.h"
#include "gui/dialogs/DataEditorDialog.h"
#include "gui/dialogs/PointGridModel.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

// One window with a lot of 100000 normal values loaded, shared by the benchmarks.
struct LoadedWindow
{
    qv::ScriptedPrompter prompter;
    std::unique_ptr<qv::MainWindow> window;

    LoadedWindow()
    {
        const QString path = QDir::temp().filePath(QStringLiteral("qv-bench-output.csv"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        std::mt19937_64 rng(7);
        std::normal_distribution<double> value(25.4, 0.12);
        std::string text;
        for (int i = 0; i < qv::MaxPoints; ++i) {
            text += std::to_string(value(rng)) + "\n";
        }
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();
        window = std::make_unique<qv::MainWindow>(prompter);
        window->show();
        window->openFromCommandLine(path);
        QFile::remove(path);
    }
};

LoadedWindow& loaded()
{
    static LoadedWindow instance;
    return instance;
}

void OpenEditorOnHundredThousandPoints(benchmark::State& state)
{
    qv::MainWindow& window = *loaded().window;
    for (auto _ : state) {
        // As after a new load: the grid is built again.
        window.session().set(1).editGridBuilt = false;
        window.runCommand(qv::Menu::EnableDisable);
        qv::DataEditorDialog* editor =
            window.windowCommands().editor(qv::EditorKind::EnableDisable);
        // Painted at once, not when the event loop gets to it.
        editor->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        state.counters["rows"] = editor->model(1)->rowCount();
        editor->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenEditorOnHundredThousandPoints)->Unit(benchmark::kMillisecond);

void ToggleAndRepaintARow(benchmark::State& state)
{
    qv::MainWindow& window = *loaded().window;
    window.runCommand(qv::Menu::EnableDisable);
    QApplication::processEvents();
    qv::DataEditorDialog* editor = window.windowCommands().editor(qv::EditorKind::EnableDisable);
    qv::PointGridView* grid = editor->grid(1);
    const int row = 5;
    for (auto _ : state) {
        Q_EMIT grid->toggleRequested(row);
        grid->viewport()->repaint(grid->visualRect(grid->model()->index(row, 0)));
    }
    editor->hide();
    QApplication::processEvents();
}
BENCHMARK(ToggleAndRepaintARow)->Unit(benchmark::kMillisecond);

void CopyGraph(benchmark::State& state)
{
    qv::MainWindow& window = *loaded().window;
    for (auto _ : state) {
        window.runCommand(qv::Menu::mnuCopy);
    }
}
BENCHMARK(CopyGraph)->Unit(benchmark::kMillisecond);

} // namespace
