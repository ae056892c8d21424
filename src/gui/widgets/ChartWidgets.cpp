#include "gui/widgets/ChartWidgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace qv {

QPixmap sharpPicture(const QWidget& widget, const QSize& size)
{
    const qreal ratio = widget.devicePixelRatioF();
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    return picture;
}

ChartWidget::ChartWidget(const QString& objectName,
                         std::function<void(QPainter&, const QRect&)> paint, QWidget* parent)
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
