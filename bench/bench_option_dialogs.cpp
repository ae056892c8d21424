// From an option dialog's OK to the finished redraw with 100000 points: the
// opener's loop ends with OK, the document draws the chart once, and the
// window's picture is painted from the new scene.
#include "core/document/ChartDocument.h"
#include "core/document/OptionDialogs.h"
#include "core/model/ScriptedPrompter.h"
#include "render/ChartExport.h"
#include "render/QtTextMeasurer.h"
#include "render/ScreenFonts.h"
#include "support/GaussianLot.h"


#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// The user switches from Graph Options to Axes Options and presses OK there.
struct GraphThenAxesOk : qv::OptionDialogHost
{
    qv::DialogExit showModal(qv::OptionDialog dialog) override
    {
        return dialog == qv::OptionDialog::Graph ? qv::DialogExit::ToAxes : qv::DialogExit::Ok;
    }
};

struct Lot
{
    qv::ScriptedPrompter prompter;
    qv::QtTextMeasurer measurer;
    qv::ChartDocument document{prompter, measurer};

    Lot()
    {
        document.startUp(
            qv::designLayout(1024 * qv::TwipsPerScreenPixel, 768 * qv::TwipsPerScreenPixel),
            qv::screenFontFamilies(), qv::ArialTwin);
        document.settings().resetOptions();
        qv::bench::fillGaussianLot(document.session().set(1));
        document.session().sources.titlePath = "lot-100000.csv";
        document.session().menus.set(qv::Menu::Options_File, true);
        // Options a user changes in the dialogs before OK.
        document.settings().setCheck(qv::Ctl::PlotOpts_TestStatistic, 1);
        document.settings().setCheck(qv::Ctl::PlotOpts_LSQfit, 1);
        document.settings().selectGroup(qv::Ctl::PlotOpts_ConfInterval, 1);
    }
};

void OkToFinishedRedrawOneHundredThousandPoints(benchmark::State& state)
{
    Lot lot;
    GraphThenAxesOk user;
    for (auto _ : state) {
        qv::openOptionDialogs(lot.document, user, qv::OptionDialog::Graph);
        QImage picture = qv::chartImage(lot.document.scene());
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(OkToFinishedRedrawOneHundredThousandPoints)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
