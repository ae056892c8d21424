#include "gui/app/ChartDragger.h"

#include "core/plot/PlotRoutine.h"
#include "render/ChartPainter.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include <cmath>

namespace qv {

// Shows the chart as it was when the drag began, without the dragged item,
// and the item where the mouse has taken it, with an outline round it.
class ChartDragger::Overlay : public QWidget
{
public:
    explicit Overlay(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("DragOverlay"));
        setAccessibleName(QStringLiteral("Dragged item"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
        hide();
    }

    QPixmap chart;  // the window picture without the item
    QPixmap item;   // the item alone, on a transparent ground
    QRect itemRect; // where it shows now
    QRect clip;     // the boxes show only on the plot area

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        const QRect dirty = event->rect();
        const double ratio = chart.devicePixelRatio();
        p.drawPixmap(dirty, chart,
                     QRectF(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
        p.save();
        p.setClipRect(clip);
        p.drawPixmap(itemRect.topLeft(), item);
        p.restore();
        QPen outline(Qt::black, 1, Qt::DashLine);
        outline.setCosmetic(true);
        p.setPen(outline);
        p.setBrush(Qt::NoBrush);
        p.drawRect(itemRect.adjusted(0, 0, -1, -1));
    }
};

namespace {

LabelKind kindOf(MovableItem item)
{
    return item == MovableItem::Ylabel ? LabelKind::AxisLabel : LabelKind::Box;
}

} // namespace

ChartDragger::ChartDragger(const Widgets& widgets, PlotRoutine& plot, const ChartPainter& painter,
                           const TwipScale& twips, QObject* parent)
    : QObject(parent), m_widgets(widgets), m_plot(plot), m_painter(painter), m_twips(twips)
{
    for (QWidget* w : {widgets.surface, widgets.plotArea, widgets.title, widgets.yLabel}) {
        if (w) {
            w->installEventFilter(this);
        }
    }
    m_overlay = new Overlay(widgets.surface);
}

ChartDragger::~ChartDragger() = default;

QWidget* ChartDragger::overlay() const
{
    return m_overlay;
}

QPointF ChartDragger::toSurface(QObject* watched, QPointF position) const
{
    auto* widget = static_cast<QWidget*>(watched);
    return widget == m_widgets.surface ? position : widget->mapTo(m_widgets.surface, position);
}

TwipsPoint ChartDragger::toTwips(QPointF surface) const
{
    const ChartGeometry& geometry = m_twips.geometry();
    return {geometry.pixelsToTwipsX(surface.x()), geometry.pixelsToTwipsY(surface.y())};
}

bool ChartDragger::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPointF at = toSurface(watched, mouse->position());
        cancel();
        const auto drag = pressAt(m_plot.scene(), toTwips(at));
        if (!drag) {
            return false;
        }
        const Placement& item = m_plot.scene().placements.item(drag->item);
        const TwipsRect r = m_painter.labelRect(item, kindOf(drag->item));
        m_press =
            Press{*drag, at.toPoint(), m_twips.toPixels(QRectF(r.left, r.top, r.width, r.height))};
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_press) {
            return false;
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() == Qt::NoButton) {
            cancel();
            return false;
        }
        const QPoint at = toSurface(watched, mouse->position()).toPoint();
        if (!m_dragging &&
            (at - m_press->at).manhattanLength() >= QApplication::startDragDistance()) {
            begin();
        }
        if (m_dragging) {
            follow(at);
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!m_press) {
            return false;
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_dragging) {
            finish(toSurface(watched, mouse->position()).toPoint());
        }
        cancel();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        if (watched == m_widgets.title || watched == m_widgets.yLabel) {
            cancel();
            if (labelDoubleClicked) {
                labelDoubleClicked();
            }
            return true;
        }
        return false;
    default:
        return false;
    }
}

void ChartDragger::begin()
{
    m_dragging = true;
    QWidget* surface = m_widgets.surface;
    const double ratio = surface->devicePixelRatioF();
    const MovableItem which = m_press->drag.item;

    // The chart once, without the item.
    Scene without = m_plot.scene();
    without.placements.item(which).visible = false;
    QPixmap chart(surface->size() * ratio);
    chart.setDevicePixelRatio(ratio);
    {
        QPainter p(&chart);
        p.fillRect(QRect(QPoint(0, 0), surface->size()), Qt::white);
        m_painter.paintAll(p, without);
    }

    // The item alone.
    const QRect r = m_press->itemRect;
    QPixmap item(r.size().expandedTo(QSize(1, 1)) * ratio);
    item.setDevicePixelRatio(ratio);
    item.fill(Qt::transparent);
    {
        QPainter p(&item);
        m_painter.paintLabel(p, m_plot.scene().placements.item(which), kindOf(which),
                             QRectF(QPointF(0, 0), QSizeF(r.size())));
    }

    m_overlay->chart = std::move(chart);
    m_overlay->item = std::move(item);
    m_overlay->itemRect = r;
    m_overlay->clip = which == MovableItem::Ylabel ? QRect(QPoint(0, 0), surface->size())
                                                   : m_widgets.plotArea->geometry();
    m_shownAt = r;
    m_overlay->setGeometry(QRect(QPoint(0, 0), surface->size()));
    m_overlay->raise();
    m_overlay->show();
}

void ChartDragger::follow(QPoint at)
{
    const QRect next = m_press->itemRect.translated(at - m_press->at);
    if (next == m_shownAt) {
        return;
    }
    m_overlay->itemRect = next;
    // Only the strip the item leaves and the one it enters.
    m_overlay->update(m_shownAt.united(next).adjusted(-1, -1, 1, 1));
    m_shownAt = next;
}

void ChartDragger::finish(QPoint at)
{
    const auto place = dropAt(m_plot.scene(), m_press->drag, toTwips(QPointF(at)));
    const MovableItem which = m_press->drag.item;
    m_overlay->hide();
    m_overlay->chart = QPixmap();
    m_overlay->item = QPixmap();
    if (place) {
        m_plot.moveItem(which, place->x, place->y);
        if (dropped) {
            dropped();
        }
    }
}

void ChartDragger::cancel()
{
    if (m_dragging && m_overlay) {
        m_overlay->hide();
        m_overlay->chart = QPixmap();
        m_overlay->item = QPixmap();
    }
    m_dragging = false;
    m_press.reset();
}

} // namespace qv
