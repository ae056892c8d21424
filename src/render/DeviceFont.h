#pragma once
// Fonts and captions as the render layer paints and measures them. Painting and
// measuring share these helpers so that a text measured in twips takes the same
// room when it is painted, on every device.
//
// Qt's font engines work at whole pixel sizes, so a font asked for at 13.3 pixels
// is laid out as 13 pixels, and text widths would not keep their proportions from
// screen to printer. Every text is therefore laid out in one large reference size
// and painted through a scale that brings it to its true size in points.

#include "core/model/FontSpec.h"

#include <QFont>
#include <QStringList>

#include <string_view>

class QPaintDevice;

namespace qv {

// The pixel size every text is laid out in.
inline constexpr double ReferencePixels = 1000.0;

struct ScaledFont
{
    QFont font;         // the face at ReferencePixels pixels on the device
    double scale = 1.0; // painter scale that gives the text its true size
};

// The font for `wanted` on `device` when the device shows `pixelsPerTwip` of its
// pixels per twip: laid out at ReferencePixels (the device's logical resolution
// accounted for) and scaled so that its em is wanted.pointSize points, that is
// pointSize × 20 × pixelsPerTwip device pixels. Hinting is off. An empty family
// gives the application's default face.
ScaledFont deviceFont(const FontSpec& wanted, double pixelsPerTwip, const QPaintDevice& device);

// The lines of a caption, which "\r" separates ("\r\n" counts as one separator).
// An empty caption is one empty line.
QStringList captionLines(std::string_view caption);

} // namespace qv
