#pragma once
// The widgets that show a drawing of the chart on the main window: the window's
// own surface (the texts around the plot) and the plot area. Both paint the same
// Scene through ChartPainter, the one paint path of the program.

#include "render/ChartPainter.h"

#include <QWidget>

#include <functional>

namespace qv {

// The main window's surface: the footer, captions and tick labels of the scene.
class ChartSurface : public QWidget
{
    Q_OBJECT
public:
    ChartSurface(const Scene& scene, const ChartPainter& painter, QWidget* parent);
    std::function<void()> doubleClicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const Scene& m_scene;
    const ChartPainter& m_painter;
};

// The plot area: frame, points, lines and marks in the chart's user coordinates.
class PlotAreaWidget : public QWidget
{
    Q_OBJECT
public:
    PlotAreaWidget(const Scene& scene, const ChartPainter& painter, QWidget* parent);
    std::function<void()> doubleClicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const Scene& m_scene;
    const ChartPainter& m_painter;
};

} // namespace qv
