#pragma once
// Width and height of a text in a font, in twips (1440 per inch). The plot
// routine places texts with it; the render layer answers with the real font
// metrics, tests with a fixed-pitch fake.

#include "core/model/FontSpec.h"

#include <string_view>

namespace qv {

class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    virtual double textWidth(std::string_view text, const FontSpec& font) const = 0;
    virtual double textHeight(std::string_view text, const FontSpec& font) const = 0;
};

} // namespace qv
