#pragma once
// A font as the chart names it: face, size in points and boldness.

#include <string>

namespace qv {

struct FontSpec
{
    std::string family;
    double pointSize = 10;
    bool bold = false;

    bool operator==(const FontSpec&) const = default;
};

} // namespace qv
