#pragma once
// A text measurer for core tests: every character is 0.6 em wide, a line 1.2 em high.

#include "core/plot/TextMeasurer.h"

#include <algorithm>

namespace qv::test {

class FixedPitchMeasurer : public TextMeasurer
{
public:
    double textWidth(std::string_view text, const FontSpec& font) const override
    {
        return static_cast<double>(text.size()) * 0.6 * font.pointSize * 20;
    }
    double textHeight(std::string_view text, const FontSpec& font) const override
    {
        const auto lines = std::count(text.begin(), text.end(), '\r') + 1;
        return static_cast<double>(lines) * 1.2 * font.pointSize * 20;
    }
};

} // namespace qv::test
