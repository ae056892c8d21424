#pragma once
// Writes a whole chart as project file text. Pure: data sets, settings and
// positions in, text out.

#include "core/io/ProjectFileLayout.h"
#include "core/model/DataSet.h"

#include <string>
#include <vector>

namespace qv {

// The project file's text. `overlay` is null without an overlay. Each set's
// point lines carry an uncertainty field when that set has uncertainties;
// settings line 1 says whether the main set has them. The scale choice is
// written as manual (line 32 "False", line 33 "True") with the scale texts as
// they are; line breaks inside a text are written as blanks. The block of
// further settings follows when extraSettingsLines() gives one.
std::string projectFileText(const DataSet& main, const DataSet* overlay, const Settings& settings,
                            const SavedPositions& positions);

// The block after the fixed lines: its marker line and "Name=Value" lines, or
// nothing while every one of its settings holds its reset value.
std::vector<std::string> extraSettingsLines(const Settings& settings);

// Settings lines 1 to 82 as projectFileText writes them.
std::vector<std::string> settingsBlockLines(const Settings& settings, bool mainHasSigmas,
                                            const SavedPositions& positions);

} // namespace qv
