#include "gui/app/ChartWidgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace qv {

ChartSurface::ChartSurface(const Scene& scene, const ChartPainter& painter, QWidget* parent)
    : QWidget(parent), m_scene(scene), m_painter(painter)
{
    setObjectName(QStringLiteral("MainSurface"));
}

void ChartSurface::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    m_painter.paintWindowSurface(p, m_scene);
}

void ChartSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (doubleClicked) {
        doubleClicked();
    }
    event->accept();
}

PlotAreaWidget::PlotAreaWidget(const Scene& scene, const ChartPainter& painter, QWidget* parent)
    : QWidget(parent), m_scene(scene), m_painter(painter)
{
    setObjectName(QStringLiteral("PlotArea"));
}

void PlotAreaWidget::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    m_painter.paintPlotArea(p, m_scene, QRectF(rect()));
}

void PlotAreaWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (doubleClicked) {
        doubleClicked();
    }
    event->accept();
}

} // namespace qv
