#include "core/plot/ChartGeometry.h"

#include "core/plot/Scene.h"

#include <cmath>

namespace qv {

ChartGeometry::ChartGeometry(double twipsPerPixelX, double twipsPerPixelY)
    : m_twipsPerPixelX(twipsPerPixelX), m_twipsPerPixelY(twipsPerPixelY)
{
}

ChartGeometry::ChartGeometry(const TwipsRect& area, double xmin, double xmax, double ymin,
                             double ymax)
    : m_area(area), m_xmin(xmin), m_xmax(xmax), m_ymin(ymin), m_ymax(ymax)
{
    m_device = {twipsToPixelsX(area.left), twipsToPixelsY(area.top), twipsToPixelsX(area.width),
                twipsToPixelsY(area.height)};
}

ChartGeometry ChartGeometry::onDevice(const TwipsRect& device) const
{
    ChartGeometry placed = *this;
    placed.m_device = device;
    return placed;
}

// The rectangle's units per chart unit are taken first: a product of the
// distance with the rectangle's size would overflow for a range near the
// largest doubles.
double ChartGeometry::xOnto(const TwipsRect& rect, double x) const
{
    return rect.left + (x - m_xmin) * (rect.width / (m_xmax - m_xmin));
}

double ChartGeometry::yOnto(const TwipsRect& rect, double y) const
{
    return rect.top + (m_ymax - y) * (rect.height / (m_ymax - m_ymin));
}

double ChartGeometry::xFrom(const TwipsRect& rect, double left) const
{
    return m_xmin + (left - rect.left) * ((m_xmax - m_xmin) / rect.width);
}

double ChartGeometry::yFrom(const TwipsRect& rect, double top) const
{
    return m_ymax + (top - rect.top) * ((m_ymin - m_ymax) / rect.height);
}

double ChartGeometry::unitsPerTwipX() const
{
    return (m_xmax - m_xmin) / m_area.width;
}

double ChartGeometry::unitsPerTwipY() const
{
    return (m_ymin - m_ymax) / m_area.height;
}

std::optional<ChartPoint> ChartGeometry::deviceToChart(double left, double top) const
{
    const bool inside = left >= m_device.left && left < m_device.right() &&
                        top >= m_device.top && top < m_device.bottom();
    const ChartPoint at{deviceToX(left), deviceToY(top)};
    if (!inside || !std::isfinite(at.x) || !std::isfinite(at.y) || m_xmax == m_xmin ||
        m_ymax == m_ymin) {
        return std::nullopt;
    }
    return at;
}

double ChartGeometry::devicePerUnitX() const
{
    return m_device.width / (m_xmax - m_xmin);
}

std::optional<ChartGeometry> mappingOf(const Scene& scene)
{
    if (!scene.coordinatesSet) {
        return std::nullopt;
    }
    return ChartGeometry(scene.plotArea, scene.xmin, scene.xmax, scene.ymin, scene.ymax);
}

} // namespace qv
