#include "render/SvgSymbolRuns.h"

#include "core/RepeatedNumberText.h"
#include "core/TwoHalves.h"

#include <QPainter>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace qv {

namespace {

// The placeholder standing for a run; Qt writes it as a circle element, and no
// other circle reaches Qt's writer once the runs are in use.
const QRectF Placeholder(0, 0, 2, 2);
constexpr char PlaceholderStart[] = "<circle";
constexpr std::string_view ElementEnd = "/>\n";
// Runs this long are written on two threads.
constexpr std::size_t RunOnTwoThreadsFrom = 8192;

// Writes `v` to six significant digits, trailing zeros dropped, and returns the
// end of the text; nullptr when the value is left to Qt's own formatting: beyond
// 1e-3 and 1e5, or within a hair of halfway between two six-digit decimals,
// where the scaling below may round the other way than Qt (which rounds a true
// halfway case away from zero).
char* writeNumber(char* out, double v)
{
    static constexpr double Scale[] = {1e8, 1e7, 1e6, 1e5, 1e4, 1e3, 1e2, 1e1};
    static constexpr double Decade[] = {1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5};
    const double magnitude = std::abs(v);
    if (!(magnitude >= Decade[0] && magnitude < Decade[8])) {
        return nullptr;
    }
    int decade = 0;
    while (magnitude >= Decade[decade + 1]) {
        ++decade;
    }
    // At most one rounding error, far below a millionth of the last digit.
    const double scaled = magnitude * Scale[decade];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::abs(fraction - 0.5) < 1e-6) {
        return nullptr;
    }
    long digits = static_cast<long>(whole) + (fraction > 0.5 ? 1 : 0);
    int exponent = decade - 3; // of the leading digit
    if (digits == 1000000) {
        digits = 100000;
        ++exponent;
    }
    char six[6];
    for (int i = 5; i >= 0; --i) {
        six[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    int last = 5; // the last significant digit
    while (last > 0 && six[last] == '0') {
        --last;
    }
    if (v < 0) {
        *out++ = '-';
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i) {
            *out++ = '0';
        }
        for (int i = 0; i <= last; ++i) {
            *out++ = six[i];
        }
        return out;
    }
    for (int i = 0; i <= std::max(last, exponent); ++i) {
        if (i == exponent + 1) {
            *out++ = '.';
        }
        *out++ = six[i];
    }
    return out;
}

// Writes `v` as Qt's SVG writer does (at most 24 characters); returns the end.
char* writeAnyNumber(char* out, double v)
{
    if (char* end = writeNumber(out, v)) {
        return end;
    }
    QString qt;
    QTextStream(&qt) << v;
    const QByteArray latin = qt.toLatin1().left(24);
    return std::copy(latin.begin(), latin.end(), out);
}

// The text of the last number written for one attribute: a run of alike
// symbols repeats its size in every element.
class RepeatedNumber
{
public:
    char* write(char* out, double v)
    {
        const std::string_view text = m_last.of(v, [](double value, auto& buffer) {
            return static_cast<std::size_t>(writeAnyNumber(buffer.data(), value) - buffer.data());
        });
        return std::copy(text.begin(), text.end(), out);
    }

private:
    RepeatedNumberText<32> m_last;
};

// A numeric attribute: its name (with the leading blank, "=" and opening
// quote), its value, and where its repeated text is kept, if anywhere.
struct Attribute
{
    std::string_view lead;
    double value;
    RepeatedNumber* repeated = nullptr;
};

// Appends the element `start` with its numeric attributes, closed, on a line of its own.
void appendElement(QByteArray& out, std::string_view start,
                   std::initializer_list<Attribute> attributes)
{
    char text[256];
    char* at = std::copy(start.begin(), start.end(), text);
    for (const Attribute& attribute : attributes) {
        at = std::copy(attribute.lead.begin(), attribute.lead.end(), at);
        at = attribute.repeated ? attribute.repeated->write(at, attribute.value)
                                : writeAnyNumber(at, attribute.value);
        *at++ = '"';
    }
    at = std::copy(ElementEnd.begin(), ElementEnd.end(), at);
    out.append(text, at - text);
}

} // namespace

void SvgSymbolRuns::appendNumber(QByteArray& out, double v)
{
    char text[32];
    out.append(text, writeAnyNumber(text, v) - text);
}

void SvgSymbolRuns::begin(Kind kind, const QPen& pen, const QBrush& brush)
{
    m_kind = kind;
    m_pen = pen;
    m_brush = brush;
}

void SvgSymbolRuns::continueInPainters(QPainter& painter, Kind kind)
{
    if (m_kind != kind || m_pen != painter.pen() || m_brush != painter.brush()) {
        endRun(painter);
        begin(kind, painter.pen(), painter.brush());
    }
}

void SvgSymbolRuns::addCircle(QPainter& painter, QPointF centre, double radius)
{
    continueInPainters(painter, Kind::Circle);
    // The rectangle QPainter hands Qt's writer, and the centre and radius it
    // writes of it.
    const QRectF rect(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    const QPointF c = rect.center();
    m_pending.push_back({c.x(), c.y(), rect.width() / 2.0, 0.0});
}

void SvgSymbolRuns::addRect(QPainter& painter, const QRectF& rect)
{
    continueInPainters(painter, Kind::Rect);
    m_pending.push_back({rect.x(), rect.y(), rect.width(), rect.height()});
}

void SvgSymbolRuns::addSquare(QPainter& painter, const QRectF& rect, const QColor& colour)
{
    if (m_kind != Kind::Square || m_brush.color() != colour) {
        endRun(painter);
        begin(Kind::Square, QPen(Qt::NoPen), QBrush(colour));
    }
    m_pending.push_back({rect.x(), rect.y(), rect.width(), rect.height()});
}

QByteArray SvgSymbolRuns::runText(bool circles, const std::vector<Pending>& pending)
{
    // Each half of a long run is written on a thread of its own, then the two joined.
    const auto write = [circles, &pending](std::size_t from, std::size_t to) {
        QByteArray text;
        text.reserve(static_cast<qsizetype>((to - from) * 64));
        // Sorted measurements of few digits repeat their vertical places too.
        RepeatedNumber sizes[2];
        RepeatedNumber vertical;
        for (std::size_t i = from; i < to; ++i) {
            const Pending& e = pending[i];
            if (circles) {
                appendElement(
                    text, "<circle",
                    {{" cx=\"", e[0]}, {" cy=\"", e[1], &vertical}, {" r=\"", e[2], &sizes[0]}});
            } else {
                appendElement(text, "<rect",
                              {{" x=\"", e[0]},
                               {" y=\"", e[1], &vertical},
                               {" width=\"", e[2], &sizes[0]},
                               {" height=\"", e[3], &sizes[1]}});
            }
        }
        return text;
    };
    QByteArray text;
    QByteArray upper;
    inTwoHalves(
        pending.size(), RunOnTwoThreadsFrom,
        [&](std::size_t from, std::size_t to) { text = write(from, to); },
        [&](std::size_t from, std::size_t to) { upper = write(from, to); });
    text += upper;
    return text;
}

void SvgSymbolRuns::endRun(QPainter& painter)
{
    if (m_kind == Kind::None) {
        return;
    }
    painter.save();
    painter.setPen(m_pen);
    painter.setBrush(m_brush);
    painter.drawEllipse(Placeholder);
    painter.restore();
    m_runs.push_back(runText(m_kind == Kind::Circle, m_pending));
    m_pending.clear();
    m_kind = Kind::None;
}

QByteArray SvgSymbolRuns::splice(const QByteArray& svg) const
{
    QByteArray out;
    qsizetype total = svg.size();
    for (const QByteArray& run : m_runs) {
        total += run.size();
    }
    out.reserve(total);
    qsizetype from = 0;
    for (const QByteArray& run : m_runs) {
        const qsizetype start = svg.indexOf(PlaceholderStart, from);
        const qsizetype end =
            start < 0 ? -1
                      : svg.indexOf(QByteArrayView(ElementEnd.data(), qsizetype(ElementEnd.size())),
                                    start);
        if (end < 0) {
            return {};
        }
        out.append(svg.constData() + from, start - from);
        out.append(run);
        from = end + qsizetype(ElementEnd.size());
    }
    if (svg.indexOf(PlaceholderStart, from) >= 0) {
        return {};
    }
    out.append(svg.constData() + from, svg.size() - from);
    return out;
}

} // namespace qv
