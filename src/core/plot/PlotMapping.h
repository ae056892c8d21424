#pragma once
// Between the plot area's user coordinates (x in quantile units, y in plot
// units, ymax at the top) and window twips, both ways, for a plot area placed
// at `area` on the window. A drag converts with the same factors.

#include "core/model/Placements.h"

#include <optional>

namespace qv {

class PlotMapping
{
public:
    PlotMapping(const TwipsRect& area, double xmin, double xmax, double ymin, double ymax);

    double xToTwips(double x) const;
    double yToTwips(double y) const;
    double twipsToX(double left) const;
    double twipsToY(double top) const;

    // Chart units per twip: the x span over the width; the y span over the
    // height, negative because y grows upwards while twips grow downwards.
    double unitsPerTwipX() const;
    double unitsPerTwipY() const;

private:
    TwipsRect m_area;
    double m_xmin, m_xmax, m_ymin, m_ymax;
};

struct Scene;

// The mapping of the last drawing (its plot area and xmin/xmax/ymin/ymax);
// nothing when that drawing set no coordinates.
std::optional<PlotMapping> mappingOf(const Scene& scene);

} // namespace qv
