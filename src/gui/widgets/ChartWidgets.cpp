#include "gui/widgets/ChartWidgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace qv {

ChartWidget::ChartWidget(const QString& objectName, std::function<void(QPainter&, const QRect&)> paint,
                         QWidget* parent)
    : QWidget(parent), m_paint(std::move(paint))
{
    setObjectName(objectName);
}

void ChartWidget::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    m_paint(p, rect());
}

void ChartWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (doubleClicked) {
        doubleClicked();
    }
    event->accept();
}

} // namespace qv
