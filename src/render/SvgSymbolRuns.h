#pragma once
// Plot symbols of an SVG picture written by the program itself instead of by
// Qt's SVG writer, element for element as that writer writes them (the same
// numbers to six significant digits), so the picture renders the same at any
// zoom while a hundred thousand symbols cost a fraction of the time. A run of
// alike symbols goes through the painter as one placeholder circle, which lands
// among the other elements in the group Qt opens for the run's pen and brush;
// splice() then puts the run's elements in the placeholder's stead.

#include <QBrush>
#include <QByteArray>
#include <QPen>
#include <QPointF>
#include <QRectF>

#include <array>
#include <vector>

class QPainter;

namespace qv {

class SvgSymbolRuns
{
public:
    // Adds a circle centred at `centre` with radius `radius` (user units) to be
    // painted in the painter's present pen and brush.
    void addCircle(QPainter& painter, QPointF centre, double radius);

    // Adds the rectangle `rect` (user units) to be painted in the painter's
    // present pen and brush.
    void addRect(QPainter& painter, const QRectF& rect);

    // Adds the filled square `rect` (user units) in `colour`, without outline.
    void addSquare(QPainter& painter, const QRectF& rect, const QColor& colour);

    // Ends the present run: paints its placeholder in the run's pen and brush.
    // Call before anything else is painted and at the end.
    void endRun(QPainter& painter);

    // `svg` (as Qt's SVG writer wrote it, every circle in it a placeholder) with
    // each placeholder replaced by its run; empty when the placeholders do not
    // match the runs.
    QByteArray splice(const QByteArray& svg) const;

    // Appends `v` as Qt's SVG writer writes a number: six significant digits,
    // trailing zeros dropped, the exponent form beyond 1e-5 and 1e6.
    static void appendNumber(QByteArray& out, double v);

private:
    enum class Kind
    {
        None,
        Circle,
        Rect,
        Square
    };
    // Starts a run of `kind` in `pen` and `brush`.
    void begin(Kind kind, const QPen& pen, const QBrush& brush);
    // Starts a run of `kind` in the painter's pen and brush unless it is the present one.
    void continueInPainters(QPainter& painter, Kind kind);

    Kind m_kind = Kind::None;
    QPen m_pen;
    QBrush m_brush;
    // A symbol of the present run: a circle's centre and radius, or a
    // rectangle's corner, width and height.
    using Pending = std::array<double, 4>;
    // The elements of a run of circles or rectangles.
    static QByteArray runText(bool circles, const std::vector<Pending>& pending);

    std::vector<Pending> m_pending;
    std::vector<QByteArray> m_runs;
};

} // namespace qv
