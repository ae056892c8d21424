#pragma once
// The model part of the start-up sequence, run by the window and by batch mode
// alike before anything is loaded.

#include <string>
#include <vector>

namespace qv {

class Session;

// Disables the commands that need a chart, checks the title-bold box, fills the
// font list (sorted) and selects "Arial" in it, or `preferredFallback` when the
// list has no Arial but has that family (the last entry otherwise), selects the
// Page Setup start values and sets FirstOpen.
void startUp(Session& session, std::vector<std::string> fonts,
             const std::string& preferredFallback = {});

// The start-up in two steps, for a caller whose font list comes later: all of
// it but the fonts, then the font list and the choice in it. Nothing of the
// first step reads the fonts; the second must come before anything that does.
void startUp(Session& session);
void startUpFonts(Session& session, std::vector<std::string> fonts,
                  const std::string& preferredFallback = {});

} // namespace qv
