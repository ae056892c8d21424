#pragma once
// A widget that shows part of a drawing of the chart: the main window's surface
// (the texts around the plot) or the plot area. Both paint the same Scene
// through ChartPainter, the one paint path of the program.

#include <QWidget>

#include <functional>

class QPainter;
class QPixmap;
class QSize;

namespace qv {

// A white picture of `size` logical pixels at the device pixel ratio of
// `widget`, so that what is painted on it in logical pixels stays sharp on a
// screen of 1.5 or 2 device pixels to the pixel.
QPixmap sharpPicture(const QWidget& widget, const QSize& size);

class ChartWidget : public QWidget
{
    Q_OBJECT
public:
    ChartWidget(const QString& objectName, std::function<void(QPainter&, const QRect&)> paint,
                QWidget* parent);
    std::function<void()> doubleClicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::function<void(QPainter&, const QRect&)> m_paint;
};

} // namespace qv
