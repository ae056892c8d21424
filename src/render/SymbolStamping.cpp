#include "render/SymbolStamping.h"

#include "render/SvgSymbolRuns.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_set>
#include <vector>

namespace qv {

namespace {

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
    static std::optional<DirectStamping> into(QPainter& painter, const QRectF& clip);

    // Writes the stamp's ink with its image's top left corner at `topLeft`
    // (the painter's coordinates).
    void put(const CircleStamps::Stamp& stamp, QPoint topLeft);

    // Writes the outline a one-pixel solid pen draws round `rect` (the painter's
    // coordinates) without antialiasing: the rows and columns of the pixels its
    // corners fall in. False, with nothing written, where the engine must
    // paint it: an outline less than three pixels across either way, or one
    // that reaches the clip.
    bool putOutline(const QRectF& rect);

private:
    // Whether the stamp was written with its corner at `at` (inside the clip)
    // before; notes that it is now.
    bool writtenBefore(std::size_t stampId, QPoint at);

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

std::optional<DirectStamping> DirectStamping::into(QPainter& painter, const QRectF& clip)
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

void DirectStamping::put(const CircleStamps::Stamp& stamp, QPoint topLeft)
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

bool DirectStamping::putOutline(const QRectF& rect)
{
    // The engine maps each corner (right = x + width, as the rectangle holds
    // it) by the painter's shift, and its line stroker keeps the pixel each
    // mapped corner falls in.
    const double left = std::floor(rect.left() + m_offset.x());
    const double right = std::floor(rect.right() + m_offset.x());
    const double top = std::floor(rect.top() + m_offset.y());
    const double bottom = std::floor(rect.bottom() + m_offset.y());
    if (!(left >= m_clip.left() && right <= m_clip.right() && top >= m_clip.top() &&
          bottom <= m_clip.bottom() && right - left >= 2 && bottom - top >= 2)) {
        return false;
    }
    const int x1 = static_cast<int>(left);
    const int x2 = static_cast<int>(right);
    const int y1 = static_cast<int>(top);
    const int y2 = static_cast<int>(bottom);
    const auto row = [this](int y) { return reinterpret_cast<QRgb*>(m_bits + y * m_bytesPerLine); };
    std::fill(row(y1) + x1, row(y1) + x2 + 1, CircleStamps::OpaqueForeground);
    std::fill(row(y2) + x1, row(y2) + x2 + 1, CircleStamps::OpaqueForeground);
    for (int y = y1 + 1; y < y2; ++y) {
        row(y)[x1] = CircleStamps::OpaqueForeground;
        row(y)[x2] = CircleStamps::OpaqueForeground;
    }
    return true;
}

bool DirectStamping::writtenBefore(std::size_t stampId, QPoint at)
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

// Circles on a vector device that writes at a resolution of its own (a PDF
// file, a printer): each centre snaps to a whole unit of the device, as on a
// raster device, and a circle identical to one drawn before is left out, since
// it would draw the same curves over the same ones in the same ink. A large set
// puts dozens of points on each unit of the device.
class VectorSymbols
{
public:
    // Symbols for `painter`, or none for a device without a grid of its own (SVG
    // keeps every point where it falls) or a transform other than a scale and a shift.
    static std::optional<VectorSymbols> into(const QPainter& painter)
    {
        const QPaintEngine* engine = painter.paintEngine();
        const QTransform transform = painter.deviceTransform();
        if (!engine || engine->type() == QPaintEngine::SVG ||
            transform.type() > QTransform::TxScale || !transform.isInvertible()) {
            return std::nullopt;
        }
        return VectorSymbols(transform);
    }

    enum class Mark
    {
        HollowCircle,
        FilledCircle,
        Square,
        HollowBox,
        FilledBox
    };

    // The centre (the painter's coordinates) snapped to the device's grid, or
    // nothing when an identical mark of `size` (a box's `height` too, and the
    // pen's width) was drawn there before.
    std::optional<QPointF> place(QPointF centre, double size, Mark mark, double height = 0.0,
                                 double penWidth = 0.0)
    {
        const QPointF device = m_toDevice.map(centre);
        if (!(std::abs(device.x()) < 1e9) || !(std::abs(device.y()) < 1e9)) {
            return centre;
        }
        const Key key{
            std::llround(device.x()), std::llround(device.y()), size, height, penWidth, mark};
        if (!m_drawn.insert(key).second) {
            return std::nullopt;
        }
        return m_fromDevice.map(QPointF(static_cast<double>(key.x), static_cast<double>(key.y)));
    }

private:
    struct Key
    {
        long long x;
        long long y;
        double size;
        double height;
        double penWidth;
        Mark mark;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash
    {
        std::size_t operator()(const Key& k) const
        {
            std::size_t h = std::hash<long long>()(k.x);
            h = h * 1000003 ^ std::hash<long long>()(k.y);
            h = h * 1000003 ^ std::hash<double>()(k.size);
            h = h * 1000003 ^ std::hash<double>()(k.height);
            h = h * 1000003 ^ std::hash<double>()(k.penWidth);
            return h * 31 + static_cast<std::size_t>(k.mark);
        }
    };

    explicit VectorSymbols(const QTransform& toDevice)
        : m_toDevice(toDevice), m_fromDevice(toDevice.inverted())
    {
    }

    QTransform m_toDevice;
    QTransform m_fromDevice;
    std::unordered_set<Key, KeyHash> m_drawn;
};

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

} // namespace

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

struct SymbolStamping::Stamps
{
    bool raster = false;
    bool stamping = false;
    std::optional<DirectStamping> direct;
    std::optional<VectorSymbols> vector;
    SvgSymbolRuns* svg = nullptr;
    CircleStamps stamps;
    const CircleStamps::Stamp* last = nullptr;
    int lastRadius = 0;
    bool lastFilled = false;
    int margin = 0;
};

SymbolStamping::SymbolStamping(QPainter& painter, const QRectF& deviceRect, SvgSymbolRuns* svgRuns)
    : m_painter(painter), m_stamps(std::make_unique<Stamps>())
{
    const QPaintEngine* engine = painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::SVG) {
        m_stamps->svg = svgRuns;
    }
    m_stamps->raster = engine && engine->type() == QPaintEngine::Raster;
    m_stamps->stamping = canStamp(painter);
    if (m_stamps->stamping) {
        m_stamps->direct = DirectStamping::into(painter, deviceRect);
    }
    if (!m_stamps->raster) {
        m_stamps->vector = VectorSymbols::into(painter);
    }
}

SymbolStamping::~SymbolStamping() = default;

void SymbolStamping::paintCircle(QPointF centre, double r, bool filled)
{
    Stamps& s = *m_stamps;
    if (s.svg) {
        s.svg->addCircle(m_painter, centre, r);
        return;
    }
    if (s.vector) {
        const auto mark =
            filled ? VectorSymbols::Mark::FilledCircle : VectorSymbols::Mark::HollowCircle;
        if (const auto placed = s.vector->place(centre, r, mark)) {
            m_painter.drawEllipse(*placed, r, r);
        }
        return;
    }
    if (!s.raster || !(r < 1e6) || !(std::abs(centre.x()) < 1e6) || !(std::abs(centre.y()) < 1e6)) {
        m_painter.drawEllipse(centre, r, r);
        return;
    }
    const int ir = std::max(1, roundHalfAway(r));
    const int cx = roundHalfAway(centre.x());
    const int cy = roundHalfAway(centre.y());
    if (!s.stamping || ir > CircleStamps::MaxRadius) {
        m_painter.drawEllipse(QRect(cx - ir, cy - ir, 2 * ir, 2 * ir));
        return;
    }
    // A run of alike symbols takes the same stamp (circles share one pen).
    if (!s.last || ir != s.lastRadius || filled != s.lastFilled) {
        s.last = &s.stamps.stamp(ir, filled, m_painter.pen(), m_painter.brush());
        s.lastRadius = ir;
        s.lastFilled = filled;
        s.margin = CircleStamps::margin(static_cast<int>(m_painter.pen().widthF()));
    }
    const QPoint topLeft(cx - ir - s.margin, cy - ir - s.margin);
    if (s.direct && s.last->solid) {
        s.direct->put(*s.last, topLeft);
    } else {
        m_painter.drawImage(topLeft, s.last->image);
    }
}

void SymbolStamping::paintSquare(QPointF centre, double side, const QColor& colour)
{
    if (m_stamps->vector) {
        const auto placed = m_stamps->vector->place(centre, side, VectorSymbols::Mark::Square);
        if (!placed) {
            return;
        }
        centre = *placed;
    }
    const QRectF square(centre - QPointF(side / 2, side / 2), QSizeF(side, side));
    if (m_stamps->svg) {
        m_stamps->svg->addSquare(m_painter, square, colour);
        return;
    }
    m_painter.fillRect(square, colour);
}

void SymbolStamping::paintBox(const QRectF& rect, bool symbol)
{
    if (m_stamps->svg) {
        m_stamps->svg->addRect(m_painter, rect);
        return;
    }
    Stamps& s = *m_stamps;
    if (s.vector && symbol) {
        // Boxes snap to the device's grid and an identical one is written once, as circles are.
        const bool filled = m_painter.brush().style() != Qt::NoBrush;
        const auto placed = s.vector->place(rect.center(), rect.width(),
                                            filled ? VectorSymbols::Mark::FilledBox
                                                   : VectorSymbols::Mark::HollowBox,
                                            rect.height(), m_painter.pen().widthF());
        if (placed) {
            m_painter.drawRect(
                QRectF(*placed - QPointF(rect.width() / 2, rect.height() / 2), rect.size()));
        }
        return;
    }
    // A hollow box in the one-pixel foreground pen is written straight into the image.
    if (s.direct && m_painter.brush().style() == Qt::NoBrush &&
        m_painter.pen().style() == Qt::SolidLine && m_painter.pen().widthF() == 1.0 &&
        m_painter.pen().color() == QColor(Qt::black) &&
        !m_painter.testRenderHint(QPainter::Antialiasing) &&
        m_painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
        s.direct->putOutline(rect)) {
        return;
    }
    m_painter.drawRect(rect);
}

void SymbolStamping::endRun()
{
    if (m_stamps->svg) {
        m_stamps->svg->endRun(m_painter);
    }
}

} // namespace qv
