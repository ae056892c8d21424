#pragma once
// The main window's file commands: Open, the command line, Input New Data and
// Input Overlay Data. Each asks through the Prompter, sets the shared reader state
// and runs the one data-file reader.

#include "core/model/Prompter.h"

#include <string>
#include <string_view>

namespace qv {

class Session;

inline constexpr const char* OpenFilter =
    "All Files (*.*)|*.*|CSV Files (*.csv)|*.csv|Quantiview Files (*.qvw)|*.qvw|Text Files "
    "(*.txt)|*.txt";

// The bare file name (after the last "/") and the extension, which is
// simply the last three characters of the path.
struct SplitPathResult
{
    std::string fileName;
    std::string extension;
};
SplitPathResult splitPath(std::string_view path);

// The file dialog of the open commands: filter, selected entry and initial folder.
// `inputCommand` is true for Input New Data and Input Overlay Data.
FileDialogRequest openDialogRequest(const Session& session, bool inputCommand);

// Each returns true when a set was loaded; false after Cancel, a refusal or a
// reported failure, which leave the chart, its data and the window title as they were.
bool openFile(Session& session, Prompter& prompter);
// `argument` is the command line's file argument as given; double quotes around it
// are removed when present.
bool openFromCommandLine(Session& session, Prompter& prompter, std::string_view argument);
bool inputNewData(Session& session, Prompter& prompter);
bool inputOverlayData(Session& session, Prompter& prompter);

} // namespace qv
