#pragma once
// Dragging the statistics boxes, the free texts and the value-axis label with
// the mouse. Press on an item, move beyond the platform's drag distance,
// release: the drop rules of BoxDrag decide where the item lands. While the
// mouse moves, a picture of the chart without the item (painted once when the
// drag begins) and the item itself are shown over the window; only the strip
// the item leaves and enters is repainted, the chart is not drawn again.
//
// Double clicks: on the plot area (and the boxes on it), the title or the
// value-axis label they ask for the Graph Options, on the window's background
// for the Axes Options.

#include "core/plot/BoxDrag.h"
#include "gui/widgets/Twips.h"

#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>

#include <functional>
#include <optional>

class QWidget;

namespace qv {

class ChartPainter;
class PlotRoutine;

class ChartDragger : public QObject
{
    Q_OBJECT
public:
    // The widgets of the window: its surface (whose top left corner is the
    // origin of window twips), the plot area, the title and the value-axis label
    // on it. The dragger watches all four; the plot routine holds the scene and
    // moves the items.
    struct Widgets
    {
        QWidget* surface = nullptr;
        QWidget* plotArea = nullptr;
        QWidget* title = nullptr;
        QWidget* yLabel = nullptr;
    };

    ChartDragger(const Widgets& widgets, PlotRoutine& plot, const ChartPainter& painter,
                 const TwipScale& twips, QObject* parent = nullptr);
    ~ChartDragger() override;

    // After an item was dropped at a new place.
    std::function<void()> dropped;
    // Double clicks on the title or the value-axis label (the plot area and the
    // background report their own).
    std::function<void()> labelDoubleClicked;

    // Whether an item follows the mouse now.
    bool dragging() const { return m_dragging; }
    // The widget that shows the dragged item over the window.
    QWidget* overlay() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Press
    {
        BoxDrag drag;
        QPoint at;      // surface pixels
        QRect itemRect; // the item's rectangle at the press, surface pixels
    };

    QPointF toSurface(QObject* watched, QPointF position) const;
    TwipsPoint toTwips(QPointF surface) const;
    void begin();
    void follow(QPoint at);
    void finish(QPoint at);
    void cancel();

    Widgets m_widgets;
    PlotRoutine& m_plot;
    const ChartPainter& m_painter;
    const TwipScale& m_twips;
    std::optional<Press> m_press;
    bool m_dragging = false;
    QRect m_shownAt; // where the dragged item shows now, surface pixels
    class Overlay;
    QPointer<Overlay> m_overlay;
};

} // namespace qv
