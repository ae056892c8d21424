#include "core/plot/PlotMapping.h"

#include "core/plot/Scene.h"

namespace qv {

PlotMapping::PlotMapping(const TwipsRect& area, double xmin, double xmax, double ymin, double ymax)
    : m_area(area), m_xmin(xmin), m_xmax(xmax), m_ymin(ymin), m_ymax(ymax)
{
}

// The share of the span is taken first: a product with the plot area's size
// would overflow for a range near the largest doubles.
double PlotMapping::xToTwips(double x) const
{
    return m_area.left + m_area.width * ((x - m_xmin) / (m_xmax - m_xmin));
}

double PlotMapping::yToTwips(double y) const
{
    return m_area.top + m_area.height * ((m_ymax - y) / (m_ymax - m_ymin));
}

double PlotMapping::twipsToX(double left) const
{
    return m_xmin + (left - m_area.left) * unitsPerTwipX();
}

double PlotMapping::twipsToY(double top) const
{
    return m_ymax + (top - m_area.top) * unitsPerTwipY();
}

double PlotMapping::unitsPerTwipX() const
{
    return (m_xmax - m_xmin) / m_area.width;
}

double PlotMapping::unitsPerTwipY() const
{
    return (m_ymin - m_ymax) / m_area.height;
}

std::optional<PlotMapping> mappingOf(const Scene& scene)
{
    if (!scene.coordinatesSet) {
        return std::nullopt;
    }
    return PlotMapping(scene.plotArea, scene.xmin, scene.xmax, scene.ymin, scene.ymax);
}

} // namespace qv
