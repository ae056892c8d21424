#include "render/ChartPainter.h"

#include "core/plot/ChartGeometry.h"
#include "render/DeviceFont.h"
#include "render/SymbolStamping.h"
#include "render/QtTextMeasurer.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace qv {

namespace {

const QColor Background(Qt::white);
const QColor Foreground(Qt::black);

bool finite(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b);
}

// A line `width` pixels of a 96 dpi screen wide in device pixels: whole
// pixels, at least one, so that thin lines stay crisp and on the raster
// engine's fast path.
double deviceLineWidth(int width, double pixelsPerTwip)
{
    return std::max(1.0, std::round(std::max(width, 1) * TwipsPerScreenPixel * pixelsPerTwip));
}

// The painter's pen, brush and font, changed only when a primitive needs other
// ones: a chart has long runs of alike symbols.
class PainterState
{
public:
    PainterState(QPainter& painter, double pixelsPerTwip)
        : m_painter(painter), m_pixelsPerTwip(pixelsPerTwip)
    {
    }

    void stroke(int width, LineStyle style)
    {
        if (width == m_width && style == m_style) {
            return;
        }
        m_width = width;
        m_style = style;
        const double device = deviceLineWidth(width, m_pixelsPerTwip);
        QPen pen(Foreground, device, style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine,
                 style == LineStyle::Dotted ? Qt::FlatCap : Qt::SquareCap, Qt::MiterJoin);
        m_painter.setPen(pen);
    }

    void fill(bool filled)
    {
        if (m_filled && *m_filled == filled) {
            return;
        }
        m_filled = filled;
        m_painter.setBrush(filled ? QBrush(Foreground) : QBrush(Qt::NoBrush));
    }

    // Makes `wanted` the painter's font. Its metrics on the painter's device are in
    // reference-size pixels; textScale() brings them to device pixels.
    const QFontMetricsF& font(const FontSpec& wanted)
    {
        if (!m_metrics || wanted != m_font) {
            m_font = wanted;
            const ScaledFont scaled = deviceFont(wanted, m_pixelsPerTwip, *m_painter.device());
            m_painter.setFont(scaled.font);
            m_metrics.emplace(scaled.font, m_painter.device());
            m_textScale = scaled.scale;
        }
        return *m_metrics;
    }

    double textScale() const { return m_textScale; }

private:
    QPainter& m_painter;
    double m_pixelsPerTwip;
    int m_width = -1;
    LineStyle m_style = LineStyle::Solid;
    std::optional<bool> m_filled;
    FontSpec m_font;
    std::optional<QFontMetricsF> m_metrics;
    double m_textScale = 1.0;
};

enum class LineAlign
{
    Left,
    Centre
};

// Paints the lines of `caption` as a block whose top left corner is `topLeft`
// (device pixels); centred lines are centred on a block `blockWidth` wide.
void paintCaption(QPainter& painter, PainterState& state, const std::string& caption,
                  const FontSpec& font, QPointF topLeft, LineAlign align, double blockWidth)
{
    const QFontMetricsF& metrics = state.font(font);
    const double scale = state.textScale();
    const QTransform saved = painter.worldTransform();
    painter.translate(topLeft);
    painter.scale(scale, scale);
    // From here on in reference-size pixels.
    const double width = blockWidth / scale;
    double baseline = metrics.ascent();
    for (const QString& line : captionLines(caption)) {
        if (!line.isEmpty()) {
            const double x =
                align == LineAlign::Centre ? (width - metrics.horizontalAdvance(line)) / 2 : 0.0;
            painter.drawText(QPointF(x, baseline), line);
        }
        baseline += metrics.height();
    }
    painter.setWorldTransform(saved);
}

// Size in device pixels of a caption's block of lines.
QSizeF captionSize(PainterState& state, const std::string& caption, const FontSpec& font)
{
    const QFontMetricsF& metrics = state.font(font);
    const QStringList lines = captionLines(caption);
    double widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return QSizeF(widest, metrics.height() * static_cast<double>(lines.size())) * state.textScale();
}

// Paints the primitives of the plot area, one function per kind, mapped from
// chart units into the plot area's device rectangle and clipped to it. Plot
// symbols are drawn without antialiasing.
class PrimitivePainter
{
public:
    PrimitivePainter(QPainter& painter, const ChartGeometry& geometry, const QRectF& deviceRect,
                     double pixelsPerTwip, SvgSymbolRuns* svgRuns)
        : m_painter(painter), m_geometry(geometry),
          m_stamping(painter, deviceRect, svgRuns), // asked before the plot area's own clip is set
          m_state(painter, pixelsPerTwip), m_pixelsPerTwip(pixelsPerTwip)
    {
        const QPaintEngine* engine = painter.paintEngine();
        m_raster = engine && engine->type() == QPaintEngine::Raster;
        painter.setClipRect(deviceRect, Qt::IntersectClip);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }

    void operator()(const SceneCircle& circle);
    void operator()(const SceneLine& line);
    void operator()(const SceneBox& box);

    // A pixel is a filled square as wide as a one-pixel line, so it stays
    // visible on vector devices too; on a raster device snapped to the pixel
    // the point falls in.
    void operator()(const ScenePixel& pixel);
    void operator()(const SceneText& text);

    // Paints the symbols still held for an SVG device; called after the last primitive.
    void finish() { m_stamping.endRun(); }

private:
    QPointF map(double x, double y) const
    {
        return {m_geometry.xToDevice(x), m_geometry.yToDevice(y)};
    }

    QPainter& m_painter;
    const ChartGeometry& m_geometry;
    SymbolStamping m_stamping;
    PainterState m_state;
    double m_pixelsPerTwip;
    bool m_raster = false;
};

void PrimitivePainter::operator()(const SceneCircle& circle)
{
    if (!finite(circle.cx, circle.cy) || !std::isfinite(circle.radius)) {
        return;
    }
    m_state.stroke(1, LineStyle::Solid);
    m_state.fill(circle.filled);
    const double r = std::abs(circle.radius * m_geometry.devicePerUnitX());
    m_stamping.paintCircle(map(circle.cx, circle.cy), r, circle.filled);
}

void PrimitivePainter::operator()(const SceneLine& line)
{
    m_stamping.endRun();
    if (!finite(line.x1, line.y1) || !finite(line.x2, line.y2)) {
        return;
    }
    m_state.stroke(line.width, line.style);
    m_painter.drawLine(map(line.x1, line.y1), map(line.x2, line.y2));
}

void PrimitivePainter::operator()(const SceneBox& box)
{
    if (!finite(box.x1, box.y1) || !finite(box.x2, box.y2)) {
        return;
    }
    m_state.stroke(box.width, LineStyle::Solid);
    m_state.fill(box.filled);
    // A point's box is drawn with the thin pen; the frame's is wider.
    m_stamping.paintBox(QRectF(map(box.x1, box.y1), map(box.x2, box.y2)).normalized(),
                        box.width == 1);
}

void PrimitivePainter::operator()(const ScenePixel& pixel)
{
    if (!finite(pixel.x, pixel.y)) {
        return;
    }
    const QPointF at = map(pixel.x, pixel.y);
    if (std::abs(at.x()) > 1e6 || std::abs(at.y()) > 1e6) {
        return;
    }
    const double side = deviceLineWidth(1, m_pixelsPerTwip);
    if (!m_raster) {
        m_stamping.paintSquare(at, side, Foreground);
        return;
    }
    m_painter.fillRect(QRectF(QPointF(std::floor(at.x()), std::floor(at.y())), QSizeF(side, side)),
                       Foreground);
}

void PrimitivePainter::operator()(const SceneText& text)
{
    m_stamping.endRun();
    if (!finite(text.x, text.y)) {
        return;
    }
    m_state.stroke(1, LineStyle::Solid);
    paintCaption(m_painter, m_state, text.text(), text.font(), map(text.x, text.y), LineAlign::Left,
                 0);
}

} // namespace

ChartPainter::ChartPainter(double pixelsPerTwip, SvgSymbolRuns* svgRuns)
    : m_pixelsPerTwip(pixelsPerTwip > 0 ? pixelsPerTwip : ScreenPixelsPerTwip), m_svgRuns(svgRuns)
{
}

QSize ChartPainter::windowSize(const Scene& scene) const
{
    const auto pixels = [this](double twips) {
        return std::max(1, static_cast<int>(std::lround(twips * m_pixelsPerTwip)));
    };
    return {pixels(scene.windowWidth), pixels(scene.windowHeight)};
}

QRectF ChartPainter::toDevice(const TwipsRect& twips) const
{
    return {twips.left * m_pixelsPerTwip, twips.top * m_pixelsPerTwip,
            twips.width * m_pixelsPerTwip, twips.height * m_pixelsPerTwip};
}

QRectF ChartPainter::plotAreaRect(const Scene& scene) const
{
    const TwipsRect& area = scene.plotArea;
    const auto px = [this](double twips) { return std::round(twips * m_pixelsPerTwip); };
    return QRectF(QPointF(px(area.left), px(area.top)),
                  QPointF(px(area.right()), px(area.bottom())));
}

void ChartPainter::paintAll(QPainter& painter, const Scene& scene) const
{
    const QRectF window(QPointF(0, 0), QSizeF(windowSize(scene)));
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::SVG) {
        paintWindowSurface(painter, scene);
        paintPlotArea(painter, scene, plotAreaRect(scene));
        painter.save();
        painter.setClipRect(window, Qt::IntersectClip);
        paintLabels(painter, scene);
        painter.restore();
        return;
    }
    // The SVG writer ignores clipping: what spills out of the plot area (symbols
    // at its edges, the frame's outer half, boxes dragged across its edge) is
    // painted over with the window's background before the window's own texts
    // and labels are painted.
    painter.save();
    painter.fillRect(window, Background);
    const QRectF plot = plotAreaRect(scene);
    paintPlotArea(painter, scene, plot);
    paintBoxes(painter, scene);
    QPainterPath outside;
    outside.addRect(window);
    QPainterPath inside;
    inside.addRect(plot);
    painter.fillPath(outside.subtracted(inside), Background);
    paintWindowTexts(painter, scene);
    paintWindowLabels(painter, scene);
    painter.restore();
}

void ChartPainter::paintWindowSurface(QPainter& painter, const Scene& scene) const
{
    painter.save();
    const QRectF window(QPointF(0, 0), QSizeF(windowSize(scene)));
    painter.fillRect(window, Background);
    painter.setClipRect(window, Qt::IntersectClip);
    paintWindowTexts(painter, scene);
    painter.restore();
}

void ChartPainter::paintWindowTexts(QPainter& painter, const Scene& scene) const
{
    painter.save();
    PainterState state(painter, m_pixelsPerTwip);
    state.stroke(1, LineStyle::Solid);
    for (const WindowText& text : scene.windowTexts) {
        if (!finite(text.left, text.top)) {
            continue;
        }
        paintCaption(painter, state, text.text, text.font,
                     QPointF(text.left * m_pixelsPerTwip, text.top * m_pixelsPerTwip),
                     LineAlign::Left, 0);
    }
    painter.restore();
}

void ChartPainter::paintPlotArea(QPainter& painter, const Scene& scene,
                                 const QRectF& deviceRect) const
{
    painter.save();
    painter.fillRect(deviceRect, Background);
    const double xspan = scene.xmax - scene.xmin;
    const double yspan = scene.ymax - scene.ymin;
    if (!scene.coordinatesSet || !(xspan != 0) || !(yspan != 0) || !std::isfinite(xspan) ||
        !std::isfinite(yspan) || deviceRect.isEmpty()) {
        painter.restore();
        return;
    }
    const ChartGeometry geometry = mappingOf(scene)->onDevice(
        {deviceRect.left(), deviceRect.top(), deviceRect.width(), deviceRect.height()});
    PrimitivePainter primitives(painter, geometry, deviceRect, m_pixelsPerTwip, m_svgRuns);
    for (const ScenePrimitive& primitive : scene.primitives) {
        std::visit(primitives, primitive);
    }
    primitives.finish();
    painter.restore();
}

void ChartPainter::paintLabels(QPainter& painter, const Scene& scene) const
{
    paintWindowLabels(painter, scene);
    paintBoxes(painter, scene);
}

void ChartPainter::paintWindowLabels(QPainter& painter, const Scene& scene) const
{
    if (scene.title.visible) {
        paintLabel(painter, scene.title, LabelKind::Title,
                   toDevice(labelRect(scene.title, LabelKind::Title)));
    }
    const WindowLabel& yLabel = scene.placements.yLabel;
    if (yLabel.visible) {
        paintLabel(painter, yLabel, LabelKind::AxisLabel,
                   toDevice(labelRect(yLabel, LabelKind::AxisLabel)));
    }
}

void ChartPainter::paintBoxes(QPainter& painter, const Scene& scene) const
{
    // The boxes belong to the plot area and are cut off at its edges.
    painter.save();
    painter.setClipRect(plotAreaRect(scene), Qt::IntersectClip);
    const Placements& p = scene.placements;
    for (const WindowLabel* box : {&p.statsBox, &p.overlayStats, &p.plotText, &p.overlayText}) {
        if (box->visible) {
            paintLabel(painter, *box, LabelKind::Box, toDevice(labelRect(*box, LabelKind::Box)));
        }
    }
    painter.restore();
}

void ChartPainter::paintPlotAreaWithBoxes(QPainter& painter, const Scene& scene,
                                          const QRectF& deviceRect) const
{
    paintPlotArea(painter, scene, deviceRect);
    painter.save();
    painter.translate(deviceRect.topLeft() - plotAreaRect(scene).topLeft());
    painter.setClipRect(plotAreaRect(scene), Qt::IntersectClip);
    paintBoxes(painter, scene);
    painter.restore();
}

void ChartPainter::paintLabel(QPainter& painter, const WindowLabel& label, LabelKind kind,
                              const QRectF& deviceRect) const
{
    if (deviceRect.isEmpty()) {
        return;
    }
    painter.save();
    painter.setClipRect(deviceRect, Qt::IntersectClip);
    painter.fillRect(deviceRect, Background);
    PainterState state(painter, m_pixelsPerTwip);
    state.stroke(1, LineStyle::Solid);
    if (label.border) {
        state.fill(false);
        const double w = painter.pen().widthF();
        painter.drawRect(deviceRect.adjusted(w / 2, w / 2, -w / 2, -w / 2));
    }
    const QSizeF text = captionSize(state, label.caption, label.font);
    switch (kind) {
    case LabelKind::Box: {
        const double inset = label.border ? BoxPaddingTwips * m_pixelsPerTwip : 0.0;
        paintCaption(painter, state, label.caption, label.font,
                     deviceRect.topLeft() + QPointF(inset, inset), LineAlign::Left, 0);
        break;
    }
    case LabelKind::Title:
        paintCaption(painter, state, label.caption, label.font,
                     QPointF(deviceRect.left(), deviceRect.bottom() - text.height()),
                     LineAlign::Centre, deviceRect.width());
        break;
    case LabelKind::AxisLabel:
        // Turned counter-clockwise about the bottom left corner: the text runs
        // up the rectangle, the tops of its letters face left.
        painter.translate(deviceRect.bottomLeft());
        painter.rotate(-90);
        paintCaption(painter, state, label.caption, label.font,
                     QPointF((deviceRect.height() - text.width()) / 2,
                             (deviceRect.width() - text.height()) / 2),
                     LineAlign::Centre, text.width());
        break;
    }
    painter.restore();
}

TwipsRect ChartPainter::labelRect(const WindowLabel& label, LabelKind kind) const
{
    TwipsRect rect{label.left, label.top, label.width, label.height};
    if (rect.width > 0 && rect.height > 0) {
        return rect;
    }
    double across = m_measurer.textWidth(label.caption, label.font);
    double down = m_measurer.textHeight(label.caption, label.font);
    if (kind == LabelKind::AxisLabel) {
        std::swap(across, down);
    }
    if (kind == LabelKind::Box && label.border) {
        across += 2 * BoxPaddingTwips;
        down += 2 * BoxPaddingTwips;
    }
    if (rect.width <= 0) {
        rect.width = across;
    }
    if (rect.height <= 0) {
        rect.height = down;
    }
    return rect;
}

} // namespace qv

namespace qv {

QPointF ChartPainter::twipsToDevice(QPointF twips) const
{
    return twips * m_pixelsPerTwip;
}

QPointF ChartPainter::deviceToTwips(QPointF device) const
{
    return device / m_pixelsPerTwip;
}

} // namespace qv
