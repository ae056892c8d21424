#include "render/QtTextMeasurer.h"

#include "core/Units.h"
#include "render/DeviceFont.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace qv {

QtTextMeasurer::QtTextMeasurer(double dpi)
    : m_dpi(dpi > 0 ? dpi : ScreenDpi), m_reference(1, 1, QImage::Format_RGB32)
{
    const int dotsPerMeter = static_cast<int>(std::lround(m_dpi / 0.0254));
    m_reference.setDotsPerMeterX(dotsPerMeter);
    m_reference.setDotsPerMeterY(dotsPerMeter);
}

const QFontMetricsF& QtTextMeasurer::metricsFor(const FontSpec& font) const
{
    if (!m_cachedMetrics || m_cachedFont != font) {
        m_cachedFont = font;
        const ScaledFont scaled = deviceFont(font, m_dpi / TwipsPerInch, m_reference);
        m_cachedMetrics.emplace(scaled.font, &m_reference);
        m_cachedScale = scaled.scale * TwipsPerInch / m_dpi;
    }
    return *m_cachedMetrics;
}

double QtTextMeasurer::textWidth(std::string_view text, const FontSpec& font) const
{
    const QFontMetricsF& metrics = metricsFor(font);
    double widest = 0;
    for (const QString& line : captionLines(text)) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest * m_cachedScale;
}

double QtTextMeasurer::textHeight(std::string_view text, const FontSpec& font) const
{
    const QFontMetricsF& metrics = metricsFor(font);
    const auto lines = static_cast<double>(captionLines(text).size());
    return metrics.height() * lines * m_cachedScale;
}

} // namespace qv
