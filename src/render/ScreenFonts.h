#pragma once
// The fonts the chart can be drawn in, as the start-up sequence lists them.

#include <string>
#include <vector>

namespace qv {

// Arial's metric twin on Debian: the chart font where Arial itself is missing.
inline constexpr const char* ArialTwin = "Liberation Sans";

// The family names of the installed fonts, each once. Needs a QGuiApplication.
std::vector<std::string> screenFontFamilies();

} // namespace qv
