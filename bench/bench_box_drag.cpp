// One frame of dragging the statistics box over a chart of 100000 points, in
// the real window on the offscreen platform: a mouse move and the repaint it
// causes. The chart below the box is painted once, when the drag begins.
#include "core/model/ScriptedPrompter.h"
#include "gui/app/ChartDragger.h"
#include "gui/app/MainWindow.h"
#include "support/GaussianLot.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using enum qv::Ctl;

void send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Counts the paintings of the widget it watches.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

void DragFrameOverOneHundredThousandPoints(benchmark::State& state)
{
    qv::ScriptedPrompter prompter;
    qv::MainWindow window(prompter);
    qv::Session& session = window.session();
    session.settings.resetOptions();
    qv::bench::fillGaussianLot(session.set(1));
    session.settings.setCheck(PlotOpts_TestStatistic, 1);
    session.settings.setCheck(PlotOpts_LSQfit, 1);
    session.settings.selectGroup(PlotOpts_ConfInterval, 1);
    session.sources.placeBoxesPending = true;
    window.document().drawPlot();
    window.show();
    QApplication::processEvents();

    QWidget* plot = window.plotArea();
    const qv::Placement& box = window.scene().placements.statsBox;
    const qv::TwipScale& twips = window.twipScale();
    const QPoint grab = plot->mapFrom(window.centralWidget(), QPoint(twips.toPixelsX(box.left) + 8,
                                                                     twips.toPixelsY(box.top) + 8));
    send(plot, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    send(plot, QEvent::MouseMove, grab + QPoint(20, 20), Qt::LeftButton);
    QApplication::processEvents();
    if (!window.dragger()->dragging()) {
        state.SkipWithError("the box did not follow the mouse");
        return;
    }
    PaintCounter counter;
    window.dragger()->overlay()->installEventFilter(&counter);
    int step = 0;
    for (auto _ : state) {
        // Back and forth across the chart, a few pixels a frame.
        const int along = (step++ % 200) * 3;
        const int offset = along < 300 ? along : 600 - along;
        send(plot, QEvent::MouseMove, grab + QPoint(20 + offset, 20 + offset / 3), Qt::LeftButton);
        QApplication::processEvents();
    }
    send(plot, QEvent::MouseButtonRelease, grab, Qt::NoButton);
    // Every frame must have been painted, or the time says nothing.
    state.counters["paints per frame"] =
        static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
}
BENCHMARK(DragFrameOverOneHundredThousandPoints)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
