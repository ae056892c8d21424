#pragma once
// The one transform between the plot area's chart units (x in quantile units,
// y in plot units, ymax at the top), window twips and device pixels. The plot
// routine places texts and boxes with it, the painter maps primitives with it
// and a drag converts the pointer with it.

#include "core/Units.h"
#include "core/model/Placements.h"

#include <optional>

namespace qv {

struct Scene;

// A point of the plot area in chart units.
struct ChartPoint
{
    double x = 0, y = 0;
};

class ChartGeometry
{
public:
    // Twips and device pixels only (no chart on it): `twipsPerPixelX/Y` twips to
    // one device pixel, the window's top left corner at the device's origin.
    explicit ChartGeometry(double twipsPerPixelX = TwipsPerScreenPixel,
                           double twipsPerPixelY = TwipsPerScreenPixel);
    // The chart of x in [xmin, xmax] and y in [ymin, ymax] on a plot area at
    // `area`, window twips, on a screen device.
    ChartGeometry(const TwipsRect& area, double xmin, double xmax, double ymin, double ymax);

    // Chart units and window twips, both ways.
    double xToTwips(double x) const { return xOnto(m_area, x); }
    double yToTwips(double y) const { return yOnto(m_area, y); }
    double twipsToX(double left) const { return xFrom(m_area, left); }
    double twipsToY(double top) const { return yFrom(m_area, top); }
    // Chart units per twip: the x span over the width; the y span over the
    // height, negative because y grows upwards while twips grow downwards.
    double unitsPerTwipX() const;
    double unitsPerTwipY() const;

    // Window twips and device pixels, both ways (not rounded).
    double twipsPerPixelX() const { return m_twipsPerPixelX; }
    double twipsPerPixelY() const { return m_twipsPerPixelY; }
    double twipsToPixelsX(double twips) const { return twips / m_twipsPerPixelX; }
    double twipsToPixelsY(double twips) const { return twips / m_twipsPerPixelY; }
    double pixelsToTwipsX(double pixels) const { return pixels * m_twipsPerPixelX; }
    double pixelsToTwipsY(double pixels) const { return pixels * m_twipsPerPixelY; }

    // The same chart painted into `device`, a rectangle in device pixels:
    // chart units and device pixels, both ways, with the factors of the twips.
    ChartGeometry onDevice(const TwipsRect& device) const;
    double xToDevice(double x) const { return xOnto(m_device, x); }
    double yToDevice(double y) const { return yOnto(m_device, y); }
    double deviceToX(double left) const { return xFrom(m_device, left); }
    double deviceToY(double top) const { return yFrom(m_device, top); }
    // The chart point under a device position (left, top), such as the mouse
    // pointer's, or nothing when the position lies outside the device
    // rectangle (its right and bottom edges are outside) or the chart has no
    // width or height there.
    std::optional<ChartPoint> deviceToChart(double left, double top) const;
    // Device pixels per chart unit across (a symbol's radius in pixels).
    double devicePerUnitX() const;

private:
    // The chart on `rect`: from chart units to the rectangle's units and back.
    double xOnto(const TwipsRect& rect, double x) const;
    double yOnto(const TwipsRect& rect, double y) const;
    double xFrom(const TwipsRect& rect, double left) const;
    double yFrom(const TwipsRect& rect, double top) const;

    TwipsRect m_area;
    TwipsRect m_device;
    double m_xmin = 0, m_xmax = 1, m_ymin = 0, m_ymax = 1;
    double m_twipsPerPixelX = TwipsPerScreenPixel;
    double m_twipsPerPixelY = TwipsPerScreenPixel;
};

// The geometry of the last drawing (its plot area and axis ends); nothing when
// that drawing set no coordinates.
std::optional<ChartGeometry> mappingOf(const Scene& scene);

} // namespace qv
