#pragma once
// Circles of the plot area on any device. On a raster device they snap to whole
// pixels (the engine's fast circle path takes only whole-pixel rectangles) and
// small ones are stamped from an image painted once per radius and fill, or
// written pixel by pixel straight into the image: the same pixels as painting
// each circle in place, many times faster for a hundred thousand points. On a
// PDF page or a printer they snap to whole units of the device's resolution
// likewise, and a circle identical to one already drawn is left out, so the
// file holds each symbol once. In an SVG file with SvgSymbolRuns they are
// written by those runs, not by Qt's writer.

#include <QPointF>
#include <QRectF>

#include <memory>

class QColor;
class QPainter;

namespace qv {

class SvgSymbolRuns;

class SymbolStamping
{
public:
    // Prepares to paint into the plot area `deviceRect` (the painter's
    // coordinates). Must be made before the plot area's own clip is set: no
    // other clip may apply for the pixels to be written directly. On an SVG
    // device, `svgRuns` (when given) takes the symbols.
    SymbolStamping(QPainter& painter, const QRectF& deviceRect, SvgSymbolRuns* svgRuns = nullptr);
    ~SymbolStamping();
    SymbolStamping(const SymbolStamping&) = delete;
    SymbolStamping& operator=(const SymbolStamping&) = delete;

    // Paints a circle centred at `centre` with radius `radius` (device pixels)
    // in the painter's pen and brush; `filled` tells the brush apart.
    void paintCircle(QPointF centre, double radius, bool filled);

    // Fills a square `side` device pixels wide centred at `centre` in `colour`;
    // on a PDF page or a printer snapped and written once as circles are.
    void paintSquare(QPointF centre, double side, const QColor& colour);

    // Paints the rectangle `rect` (the painter's coordinates) in the painter's
    // pen and brush; a point's `symbol` is snapped and written once on a PDF
    // page or a printer as circles are.
    void paintBox(const QRectF& rect, bool symbol);

    // Paints the symbols an SVG device's runs hold so far; to be called before
    // anything other than a symbol is painted, and at the end.
    void endRun();

private:
    struct Stamps;
    QPainter& m_painter;
    std::unique_ptr<Stamps> m_stamps;
};

// std::lround for |v| below 2^31, without the library call: halves away from zero.
int roundHalfAway(double v);

} // namespace qv
