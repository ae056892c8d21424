#include "render/ChartPainter.h"

#include "render/DeviceFont.h"
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

bool sameFont(const FontSpec& a, const FontSpec& b)
{
    return a.pointSize == b.pointSize && a.bold == b.bold && a.family == b.family;
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
        if (!m_metrics || !sameFont(wanted, m_font)) {
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

// Whole-pixel circles on a raster device are stamped from an image painted once
// per radius and fill: the same pixels as painting each circle in place (the
// engine draws them translation-invariantly), several times faster.
class CircleStamps
{
public:
    // Largest radius (device pixels) worth a stamp.
    static constexpr int MaxRadius = 128;

    // Space around the circle in the stamp for its outline.
    static int margin(int penWidth) { return penWidth + 1; }

    struct Stamp
    {
        QImage image;
        // The pixels the circle covers, relative to the image's top left corner,
        // when each is opaque foreground (painted without antialiasing, they are):
        // then writing them is the same as painting the image.
        std::vector<QPoint> ink;
        bool solid = true;
        int side = 0;       // the image's width and height
        std::size_t id = 0; // its place among the stamps made
    };

    // The stamp of a circle of `radius` whose bounding square starts at
    // (margin, margin), outlined with `pen` and filled with `brush`. The
    // reference holds until the next call.
    const Stamp& stamp(int radius, bool filled, const QPen& pen, const QBrush& brush)
    {
        const int penWidth = static_cast<int>(pen.widthF());
        for (const Entry& entry : m_entries) {
            if (entry.radius == radius && entry.filled == filled && entry.penWidth == penWidth) {
                return entry.stamp;
            }
        }
        const int m = margin(penWidth);
        const int side = 2 * radius + 2 * m + 1;
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(pen);
        painter.setBrush(brush);
        painter.drawEllipse(QRect(m, m, 2 * radius, 2 * radius));
        painter.end();
        Stamp stamp;
        stamp.side = side;
        stamp.id = m_entries.size();
        for (int y = 0; y < side; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < side; ++x) {
                if (row[x] == OpaqueForeground) {
                    stamp.ink.emplace_back(x, y);
                } else if (row[x] != 0) {
                    stamp.solid = false;
                }
            }
        }
        stamp.image = std::move(image);
        m_entries.push_back({radius, filled, penWidth, std::move(stamp)});
        return m_entries.back().stamp;
    }

    // Opaque foreground as a premultiplied 32-bit pixel.
    static constexpr QRgb OpaqueForeground = 0xff000000;

private:
    struct Entry
    {
        int radius;
        bool filled;
        int penWidth;
        Stamp stamp;
    };
    std::vector<Entry> m_entries;
};

// An image that stamps may be written into directly, pixel by pixel, instead of
// through the painter: 32-bit pixels in which opaque foreground reads
// OpaqueForeground, and a whole-pixel clip rectangle (device pixels) that stands
// for everything the painter would clip. Painting a hundred thousand small
// images one by one costs the engine far more than the pixels they cover.
// Every primitive of the plot area paints in the foreground colour alone, so ink
// once written stays: a stamp written at a place is not written there again
// (a large set puts thousands of symbols on the same pixel).
class DirectStamping
{
public:
    // Direct stamping into the painter's device with `clip` (the painter's
    // coordinates) as the only clip, or none when the painter's device is not such
    // an image, the painter clips already, or `clip` is not whole pixels.
    static std::optional<DirectStamping> into(QPainter& painter, const QRectF& clip)
    {
        QPaintDevice* device = painter.device();
        if (!device || device->devType() != QInternal::Image || painter.hasClipping()) {
            return std::nullopt;
        }
        auto* image = static_cast<QImage*>(device);
        if (image->format() != QImage::Format_RGB32 &&
            image->format() != QImage::Format_ARGB32_Premultiplied) {
            return std::nullopt;
        }
        const QTransform transform = painter.deviceTransform();
        const QRectF mapped = clip.translated(transform.dx(), transform.dy());
        const QRect whole(QPoint(static_cast<int>(std::lround(mapped.left())),
                                 static_cast<int>(std::lround(mapped.top()))),
                          QSize(static_cast<int>(std::lround(mapped.width())),
                                static_cast<int>(std::lround(mapped.height()))));
        if (QRectF(whole) != mapped) {
            return std::nullopt;
        }
        return DirectStamping(
            *image, whole & image->rect(),
            QPoint(static_cast<int>(transform.dx()), static_cast<int>(transform.dy())));
    }

    // Writes the stamp's ink with its image's top left corner at `topLeft`
    // (the painter's coordinates).
    void put(const CircleStamps::Stamp& stamp, QPoint topLeft)
    {
        const QPoint at = topLeft + m_offset;
        const int right = at.x() + stamp.side - 1;
        const int bottom = at.y() + stamp.side - 1;
        if (right < m_clip.left() || at.x() > m_clip.right() || bottom < m_clip.top() ||
            at.y() > m_clip.bottom()) {
            return;
        }
        const bool inside = at.x() >= m_clip.left() && right <= m_clip.right() &&
                            at.y() >= m_clip.top() && bottom <= m_clip.bottom();
        if (inside && writtenBefore(stamp.id, at)) {
            return;
        }
        for (const QPoint& p : stamp.ink) {
            const int x = at.x() + p.x();
            const int y = at.y() + p.y();
            if (inside || m_clip.contains(x, y)) {
                reinterpret_cast<QRgb*>(m_bits + y * m_bytesPerLine)[x] =
                    CircleStamps::OpaqueForeground;
            }
        }
    }

private:
    // Whether the stamp was written with its corner at `at` (inside the clip)
    // before; notes that it is now.
    bool writtenBefore(std::size_t stampId, QPoint at)
    {
        if (stampId >= m_written.size()) {
            m_written.resize(stampId + 1);
        }
        std::vector<std::uint64_t>& places = m_written[stampId];
        const auto width = static_cast<std::size_t>(m_clip.width());
        if (places.empty()) {
            places.assign((width * static_cast<std::size_t>(m_clip.height()) + 63) / 64, 0);
        }
        const std::size_t place = static_cast<std::size_t>(at.y() - m_clip.top()) * width +
                                  static_cast<std::size_t>(at.x() - m_clip.left());
        std::uint64_t& word = places[place / 64];
        const std::uint64_t bit = std::uint64_t{1} << (place % 64);
        const bool before = (word & bit) != 0;
        word |= bit;
        return before;
    }

    DirectStamping(QImage& image, QRect clip, QPoint offset)
        : m_bits(image.bits()), m_bytesPerLine(image.bytesPerLine()), m_clip(clip), m_offset(offset)
    {
    }

    uchar* m_bits;
    qsizetype m_bytesPerLine;
    QRect m_clip;
    QPoint m_offset;
    std::vector<std::vector<std::uint64_t>> m_written; // by stamp, a bit per place in the clip
};

// std::lround for |v| below 2^31, without the library call: halves away from
// zero. The fraction (v less its truncation) is exact, so the comparisons decide
// exactly as lround does.
int roundHalfAway(double v)
{
    int whole = static_cast<int>(v);
    const double fraction = v - whole;
    if (fraction >= 0.5) {
        ++whole;
    } else if (fraction <= -0.5) {
        --whole;
    }
    return whole;
}

// Whether circles may be stamped: a raster device reached without scaling and
// at a whole-pixel offset.
bool canStamp(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) {
        return false;
    }
    const QTransform transform = painter.deviceTransform();
    return transform.type() <= QTransform::TxTranslate &&
           transform.dx() == std::round(transform.dx()) &&
           transform.dy() == std::round(transform.dy());
}

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

} // namespace

ChartPainter::ChartPainter(double pixelsPerTwip)
    : m_pixelsPerTwip(pixelsPerTwip > 0 ? pixelsPerTwip : ScreenPixelsPerTwip)
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
    // Asked before the plot area's own clip is set: no other clip may apply.
    std::optional<DirectStamping> direct =
        canStamp(painter) ? DirectStamping::into(painter, deviceRect) : std::nullopt;
    painter.setClipRect(deviceRect, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);

    const double sx = deviceRect.width() / xspan;
    const double sy = deviceRect.height() / yspan;
    const double left = deviceRect.left();
    const double top = deviceRect.top();
    const double xmin = scene.xmin;
    const double ymax = scene.ymax;
    const auto map = [=](double x, double y) {
        return QPointF(left + (x - xmin) * sx, top + (ymax - y) * sy);
    };
    // On a raster device circles snap to whole pixels: the engine's fast circle
    // path takes only whole-pixel rectangles.
    const QPaintEngine* engine = painter.paintEngine();
    const bool raster = engine && engine->type() == QPaintEngine::Raster;
    const bool stamping = canStamp(painter);
    CircleStamps stamps;
    const CircleStamps::Stamp* lastStamp = nullptr;
    int lastRadius = 0;
    bool lastFilled = false;
    int margin = 0;

    PainterState state(painter, m_pixelsPerTwip);
    for (const ScenePrimitive& primitive : scene.primitives) {
        if (const auto* circle = std::get_if<SceneCircle>(&primitive)) {
            if (!finite(circle->cx, circle->cy) || !std::isfinite(circle->radius)) {
                continue;
            }
            state.stroke(1, LineStyle::Solid);
            state.fill(circle->filled);
            const QPointF centre = map(circle->cx, circle->cy);
            const double r = std::abs(circle->radius * sx);
            if (raster && r < 1e6 && std::abs(centre.x()) < 1e6 && std::abs(centre.y()) < 1e6) {
                const int ir = std::max(1, roundHalfAway(r));
                const int cx = roundHalfAway(centre.x());
                const int cy = roundHalfAway(centre.y());
                if (stamping && ir <= CircleStamps::MaxRadius) {
                    // A run of alike symbols takes the same stamp (circles share one pen).
                    if (!lastStamp || ir != lastRadius || circle->filled != lastFilled) {
                        lastStamp =
                            &stamps.stamp(ir, circle->filled, painter.pen(), painter.brush());
                        lastRadius = ir;
                        lastFilled = circle->filled;
                        margin = CircleStamps::margin(static_cast<int>(painter.pen().widthF()));
                    }
                    const QPoint topLeft(cx - ir - margin, cy - ir - margin);
                    if (direct && lastStamp->solid) {
                        direct->put(*lastStamp, topLeft);
                    } else {
                        painter.drawImage(topLeft, lastStamp->image);
                    }
                } else {
                    painter.drawEllipse(QRect(cx - ir, cy - ir, 2 * ir, 2 * ir));
                }
            } else {
                painter.drawEllipse(centre, r, r);
            }
        } else if (const auto* line = std::get_if<SceneLine>(&primitive)) {
            if (!finite(line->x1, line->y1) || !finite(line->x2, line->y2)) {
                continue;
            }
            state.stroke(line->width, line->style);
            painter.drawLine(map(line->x1, line->y1), map(line->x2, line->y2));
        } else if (const auto* box = std::get_if<SceneBox>(&primitive)) {
            if (!finite(box->x1, box->y1) || !finite(box->x2, box->y2)) {
                continue;
            }
            state.stroke(box->width, LineStyle::Solid);
            state.fill(box->filled);
            painter.drawRect(QRectF(map(box->x1, box->y1), map(box->x2, box->y2)).normalized());
        } else if (const auto* pixel = std::get_if<ScenePixel>(&primitive)) {
            if (!finite(pixel->x, pixel->y)) {
                continue;
            }
            const QPointF at = map(pixel->x, pixel->y);
            if (std::abs(at.x()) > 1e6 || std::abs(at.y()) > 1e6) {
                continue;
            }
            // One line width square; on a raster device snapped to the pixel
            // the point falls in.
            const double side = deviceLineWidth(1, m_pixelsPerTwip);
            const QPointF corner = raster ? QPointF(std::floor(at.x()), std::floor(at.y()))
                                          : at - QPointF(side / 2, side / 2);
            painter.fillRect(QRectF(corner, QSizeF(side, side)), Foreground);
        } else if (const auto* text = std::get_if<SceneText>(&primitive)) {
            if (!finite(text->x, text->y)) {
                continue;
            }
            state.stroke(1, LineStyle::Solid);
            paintCaption(painter, state, text->text(), text->font(), map(text->x, text->y),
                         LineAlign::Left, 0);
        }
    }
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

TwipsRect ChartPainter::labelRect(const WindowLabel& label, LabelKind kind)
{
    TwipsRect rect{label.left, label.top, label.width, label.height};
    if (rect.width > 0 && rect.height > 0) {
        return rect;
    }
    const QtTextMeasurer measurer;
    double across = measurer.textWidth(label.caption, label.font);
    double down = measurer.textHeight(label.caption, label.font);
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

QPointF ChartPainter::chartToDevice(const Scene& scene, QPointF chart) const
{
    const QRectF area = plotAreaRect(scene);
    const double sx = area.width() / (scene.xmax - scene.xmin);
    const double sy = area.height() / (scene.ymax - scene.ymin);
    return {area.left() + (chart.x() - scene.xmin) * sx,
            area.top() + (scene.ymax - chart.y()) * sy};
}

QPointF ChartPainter::deviceToChart(const Scene& scene, QPointF device) const
{
    const QRectF area = plotAreaRect(scene);
    const double sx = area.width() / (scene.xmax - scene.xmin);
    const double sy = area.height() / (scene.ymax - scene.ymin);
    return {scene.xmin + (device.x() - area.left()) / sx,
            scene.ymax - (device.y() - area.top()) / sy};
}

} // namespace qv
