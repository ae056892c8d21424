#pragma once
// Text sizes in twips from the real font metrics (Qt Gui). The fonts are laid out
// as ChartPainter paints them (DeviceFont.h), so a measured text takes the same
// room when it is painted, and the same number of twips on every device.

#include "core/Units.h"
#include "core/plot/TextMeasurer.h"

#include <QFontMetricsF>
#include <QImage>

#include <optional>

namespace qv {

class QtTextMeasurer : public TextMeasurer
{
public:
    // `dpi` is the logical resolution of the target: twips = pixels * 1440 / dpi.
    // Texts are laid out at a resolution-independent size, so the twips come out
    // the same for every dpi.
    explicit QtTextMeasurer(double dpi = ScreenDpi);

    // Width in twips of the widest line of `text` ("\r" separates lines).
    double textWidth(std::string_view text, const FontSpec& font) const override;
    // Height in twips of `text`: the number of lines times the font's line height.
    double textHeight(std::string_view text, const FontSpec& font) const override;

private:
    // Metrics of `font` at m_dpi; the last font's are kept, as texts come in runs
    // of one font.
    const QFontMetricsF& metricsFor(const FontSpec& font) const;

    double m_dpi;
    QImage m_reference; // the device the metrics are taken on
    mutable FontSpec m_cachedFont;
    mutable std::optional<QFontMetricsF> m_cachedMetrics;
    mutable double m_cachedScale = 1.0; // reference-size pixels to twips
};

} // namespace qv
