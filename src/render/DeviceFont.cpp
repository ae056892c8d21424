#include "render/DeviceFont.h"

#include "core/Units.h"
#include "render/QtText.h"

#include <QPaintDevice>
#include <QString>

#include <algorithm>

namespace qv {

namespace {
// Smaller sizes are not worth painting and could reach a zero scale.
constexpr double MinimumPointSize = 0.05;
} // namespace

ScaledFont deviceFont(const FontSpec& wanted, double pixelsPerTwip, const QPaintDevice& device)
{
    ScaledFont scaled;
    if (!wanted.family.empty()) {
        scaled.font.setFamily(toQString(wanted.family));
    }
    scaled.font.setBold(wanted.bold);
    scaled.font.setHintingPreference(QFont::PreferNoHinting);
    // Qt turns points into pixels with the device's logical resolution.
    const int dpi = std::max(1, device.logicalDpiY());
    scaled.font.setPointSizeF(ReferencePixels * 72.0 / dpi);
    const double points = std::max(MinimumPointSize, wanted.pointSize);
    scaled.scale = points * TwipsPerPoint * pixelsPerTwip / ReferencePixels;
    return scaled;
}

QStringList captionLines(std::string_view caption)
{
    QStringList lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = caption.find('\r', start);
        if (end == std::string_view::npos) {
            lines.append(toQString(caption.substr(start)));
            break;
        }
        lines.append(toQString(caption.substr(start, end - start)));
        start = end + 1;
        if (start < caption.size() && caption[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

} // namespace qv
