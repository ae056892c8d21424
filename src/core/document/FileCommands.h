#pragma once
// The file dialog of the main window's open commands.

#include "core/model/Prompter.h"

namespace qv {

class Session;

inline constexpr const char* OpenFilter =
    "All Files (*.*)|*.*|CSV Files (*.csv)|*.csv|Quantiview Files (*.qvw)|*.qvw|Text Files "
    "(*.txt)|*.txt";

// The file dialog of the open commands: filter, selected entry and initial folder.
// `inputCommand` is true for Input New Data and Input Overlay Data.
FileDialogRequest openDialogRequest(const Session& session, bool inputCommand);

} // namespace qv
