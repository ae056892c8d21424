#pragma once
// Text sizes in twips from the real font metrics (Qt Gui), at the logical
// resolution of the screen the chart is laid out for.

#include "core/plot/TextMeasurer.h"

namespace qv {

class QtTextMeasurer : public TextMeasurer
{
public:
    // `dpi` is the logical resolution of the target: twips = pixels * 1440 / dpi.
    explicit QtTextMeasurer(double dpi = 96.0) : m_dpi(dpi) {}
    double textWidth(std::string_view text, const FontSpec& font) const override;
    double textHeight(std::string_view text, const FontSpec& font) const override;

private:
    double m_dpi;
};

} // namespace qv
