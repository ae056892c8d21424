#pragma once
// The file dialogs of the main window's open commands and of Save File As.

#include "core/model/Prompter.h"
#include "core/model/Session.h"

#include <string>

namespace qv {

// File dialogs on this platform compare names with their case: each entry lists
// both spellings of its extension. The open commands' first entry shows every
// file they can read.
inline constexpr const char* OpenFilter =
    "All data and project files|*.csv;*.CSV;*.txt;*.TXT;*.dat;*.DAT;*.prn;*.PRN;*.qvw;*.QVW|"
    "All Files (*.*)|*.*|CSV Files (*.csv;*.CSV)|*.csv;*.CSV|Quantiview Files "
    "(*.qvw;*.QVW)|*.qvw;*.QVW|Text Files (*.txt;*.TXT)|*.txt;*.TXT";
inline constexpr const char* SaveFilter =
    "All Files (*.*)|*.*|CSV Files (*.CSV;*.csv)|*.CSV;*.csv|Quantiview Files "
    "(*.QVW;*.qvw)|*.QVW;*.qvw|Text Files (*.TXT;*.txt)|*.TXT;*.txt";

// The file dialog of the open commands: filter, its first entry (every data and
// project file) selected, and the initial folder: the documents folder
// (Open) or the data folder (the input commands) until the first Open, then
// the folder this dialog last chose a file in, or the dialog's own default.
// `inputCommand` is true for Input New Data and Input Overlay Data.
FileDialogRequest openDialogRequest(const Session& session, bool inputCommand);

// Notes that the file dialog `kind` chose `path`: it starts in that folder next time.
void rememberFolder(Session& session, Session::FileDialogKind kind, const std::string& path);

// The folder a file dialog starts in: the one it last chose a file in, else
// `firstFolder` until the first Open, else "" (the dialog's own default).
std::string startFolder(const Session& session, Session::FileDialogKind kind,
                        const std::string& firstFolder);

// The file dialog of Save File As: the project entry of the filter, the
// folder it last saved in (the documents folder until the first Open), and
// the proposed name:
// "GRAPH.QVW" with nothing opened, else the path of the main set's file (the
// last chosen path after a paste) without its extension, its case kept.
FileDialogRequest saveDialogRequest(const Session& session);

// The name a project is saved under: as chosen, with ".qvw" added when the
// chosen file name has no extension, so that it reopens as a project.
std::string projectSavePath(const std::string& chosen);

} // namespace qv
