#pragma once
// Paints a Scene with QPainter onto any paint device: the window's widgets, an
// image, a PDF or SVG file, the printer. The screen, the clipboard, picture files,
// the printed page and batch export all go through this one painter, so what the
// user sees is what leaves the program.
//
// Device coordinates: the window's top left corner is at the painter's origin
// and one twip is pixelsPerTwip() device pixels (at 96 dpi, 15 twips per pixel).
// The painter's own transform, if any, applies on top, fonts included.
// Background white, everything else black. Every paint function leaves the
// painter's state as it found it.

#include "core/Units.h"
#include "core/plot/Scene.h"
#include "render/QtTextMeasurer.h"

#include <QPointF>
#include <QRectF>
#include <QSize>

class QPainter;

namespace qv {

class SvgSymbolRuns;

// How a label of the window places its caption in its rectangle.
enum class LabelKind
{
    Title,     // each line centred across the rectangle, the lines at its bottom
    AxisLabel, // turned 90 degrees counter-clockwise (reads bottom to top), centred
    Box,       // a movable box: lines at the top left, inside the border when it has one
};

class ChartPainter
{
public:
    // A 96 dpi screen: 15 twips per pixel.
    static constexpr double ScreenPixelsPerTwip = 1.0 / TwipsPerScreenPixel;
    // Twips between a bordered box's edge and its caption (the border line lies in them).
    static constexpr double BoxPaddingTwips = BoxBorderPadding;

    // With `svgRuns`, the plot symbols painted on an SVG device go to those runs
    // (which must outlive the painting) instead of through Qt's writer.
    explicit ChartPainter(double pixelsPerTwip = ScreenPixelsPerTwip,
                          SvgSymbolRuns* svgRuns = nullptr);

    double pixelsPerTwip() const { return m_pixelsPerTwip; }

    // The whole window picture's size in device pixels: the window's size in
    // twips times pixelsPerTwip(), rounded, at least 1 x 1.
    QSize windowSize(const Scene& scene) const;

    // The plot area's rectangle in device pixels, its edges rounded to whole pixels.
    QRectF plotAreaRect(const Scene& scene) const;

    // Paints the whole window picture: the window surface, the plot area at
    // plotAreaRect(), then the labels (what Copy Graph, picture files and print
    // show). On an SVG device, which cannot clip, what spills out of the plot
    // area is painted over with the background instead.
    void paintAll(QPainter& painter, const Scene& scene) const;

    // Paints the window's own surface: the white background over the window's
    // rectangle and the texts around the plot (footer, captions, tick labels),
    // clipped to the window.
    void paintWindowSurface(QPainter& painter, const Scene& scene) const;

    // Paints the plot area into `deviceRect` (device pixels): its white
    // background, then the primitives in order, mapped from user coordinates
    // (xmin at the left edge, xmax at the right, ymax at the top, ymin at the
    // bottom) and clipped to `deviceRect`. Primitives are skipped while the scene's
    // coordinates are unset. Plot symbols are drawn without antialiasing. A
    // pixel is a filled square as wide as a one-pixel line, so it stays visible
    // on vector devices too.
    void paintPlotArea(QPainter& painter, const Scene& scene, const QRectF& deviceRect) const;

    // Paints the visible labels at their labelRect(): the title, the value-axis
    // label, then the movable boxes clipped to the plot area.
    void paintLabels(QPainter& painter, const Scene& scene) const;

    // Paints the visible movable boxes of the plot area (statistics boxes, free
    // texts) at their labelRect(), clipped to plotAreaRect().
    void paintBoxes(QPainter& painter, const Scene& scene) const;

    // Paints the plot area and the boxes on it into `deviceRect` as one picture
    // of its own (the window's plot-area widget): the boxes keep their place
    // relative to the plot area's corner.
    void paintPlotAreaWithBoxes(QPainter& painter, const Scene& scene,
                                const QRectF& deviceRect) const;

    // Paints one label into `deviceRect` (device pixels), clipped to it: white
    // background, its caption (lines separated by "\r") in its font, and a
    // one-pixel border when it has one. Its visibility is the caller's business.
    void paintLabel(QPainter& painter, const WindowLabel& label, LabelKind kind,
                    const QRectF& deviceRect) const;

    // A label's rectangle on the window in twips: its position, and its own width
    // and height, or where one is 0 the caption's (turned for the axis label, with
    // the padding for a bordered box). Independent of the device.
    TwipsRect labelRect(const WindowLabel& label, LabelKind kind) const;

    // Window twips and device pixels, both ways (the window's top left corner at
    // the device's origin).
    QPointF twipsToDevice(QPointF twips) const;
    QPointF deviceToTwips(QPointF device) const;

private:
    // A twips rectangle in device pixels.
    QRectF toDevice(const TwipsRect& twips) const;
    // The window's texts, without background or clipping.
    void paintWindowTexts(QPainter& painter, const Scene& scene) const;
    // The visible title and value-axis label.
    void paintWindowLabels(QPainter& painter, const Scene& scene) const;

    double m_pixelsPerTwip;
    SvgSymbolRuns* m_svgRuns;
    QtTextMeasurer m_measurer; // sizes the labels that have no size of their own
};

} // namespace qv
