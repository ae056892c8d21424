#pragma once
// The file dialogs of the main window's open commands and of Save File As.

#include "core/model/Prompter.h"

#include <string>

namespace qv {

class Session;

// File dialogs on this platform compare names with their case: each entry lists
// both spellings of its extension.
inline constexpr const char* OpenFilter =
    "All Files (*.*)|*.*|CSV Files (*.csv;*.CSV)|*.csv;*.CSV|Quantiview Files "
    "(*.qvw;*.QVW)|*.qvw;*.QVW|Text Files (*.txt;*.TXT)|*.txt;*.TXT";
inline constexpr const char* SaveFilter =
    "All Files (*.*)|*.*|CSV Files (*.CSV;*.csv)|*.CSV;*.csv|Quantiview Files "
    "(*.QVW;*.qvw)|*.QVW;*.qvw|Text Files (*.TXT;*.txt)|*.TXT;*.txt";

// The file dialog of the open commands: filter, selected entry and initial folder.
// `inputCommand` is true for Input New Data and Input Overlay Data.
FileDialogRequest openDialogRequest(const Session& session, bool inputCommand);

// The file dialog of Save File As: the project entry of the filter, the
// documents folder while no file has been chosen, and the proposed name:
// "GRAPH.QVW" with nothing opened, else the last chosen path without its
// extension, its case kept.
FileDialogRequest saveDialogRequest(const Session& session);

// The name a project is saved under: as chosen, with ".qvw" added when the
// chosen file name has no extension, so that it reopens as a project.
std::string projectSavePath(const std::string& chosen);

} // namespace qv
