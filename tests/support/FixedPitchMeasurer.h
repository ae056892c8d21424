#pragma once
// A text measurer for core tests: every character is 0.6 em wide, a line 1.2 em
// high; a text of several lines ("\r" between them) is as wide as its widest.

#include "core/plot/TextMeasurer.h"

#include <algorithm>

namespace qv::test {

class FixedPitchMeasurer : public TextMeasurer
{
public:
    double textWidth(std::string_view text, const FontSpec& font) const override
    {
        std::size_t widest = 0;
        for (std::size_t start = 0; start <= text.size();) {
            const std::size_t end = std::min(text.find('\r', start), text.size());
            widest = std::max(widest, end - start);
            start = end + 1;
        }
        return static_cast<double>(widest) * 0.6 * font.pointSize * 20;
    }
    double textHeight(std::string_view text, const FontSpec& font) const override
    {
        const auto lines = std::count(text.begin(), text.end(), '\r') + 1;
        return static_cast<double>(lines) * 1.2 * font.pointSize * 20;
    }
};

} // namespace qv::test
