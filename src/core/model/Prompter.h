#pragma once
// Every question the program asks the user goes through this one interface: the
// window answers with real dialogs, tests and batch mode with scripted answers.

#include <optional>
#include <string>

namespace qv {

class Settings;

enum class MessageIcon
{
    None,
    Warning,
    Exclamation,
    Information
};

// The answers to a question about work that would be lost.
enum class SaveChoice
{
    Save,    // save it first
    Discard, // go on without saving
    Cancel,  // leave everything as it was
};

// A common file dialog: the filter list ("Name (*.ext)|*.ext|..."), the selected
// entry (1-based), the initial folder (empty: the dialog's own default) and the
// proposed file name. A save dialog with `extensionFromFilter` gives a name
// chosen without an extension that of the selected filter entry.
struct FileDialogRequest
{
    std::string title;
    std::string filter;
    int filterIndex = 1;
    std::string initialFolder;
    std::string proposedName;
    bool extensionFromFilter = false;
};

// The preview rows of the Data File Parameters dialog: a file's first two
// lines, trimmed of blanks.
struct DataFilePreview
{
    std::string firstRow;
    std::string secondRow;
};

// The printer a print dialog sets up; the window's is a Qt printer.
class PrintTarget
{
public:
    virtual ~PrintTarget() = default;
    // Sends the job to a PDF file at `path` instead of a printer.
    virtual void printToFile(const std::string& path) = 0;
};

class Prompter
{
public:
    virtual ~Prompter() = default;
    // The chosen path, or nothing for Cancel.
    virtual std::optional<std::string> askOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> askSaveFile(const FileDialogRequest& request) = 0;
    // Shows the Data File Parameters dialog on the FileChar controls of
    // `settings` with the two preview rows; the answers are left in those
    // controls (through the settings' setters, so the dialog's click rules run).
    // True for OK.
    virtual bool askDataFileParameters(Settings& settings, const DataFilePreview& preview) = 0;
    // OK/Cancel question; true for OK.
    virtual bool confirm(const std::string& text, const std::string& title) = 0;
    // Save/Discard/Cancel question about unsaved work.
    virtual SaveChoice askSaveChanges(const std::string& text, const std::string& title) = 0;
    virtual void message(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // The print dialog on `target`, which keeps the printer, the page and the
    // output file chosen there; true for OK.
    virtual bool askPrint(PrintTarget& target) = 0;
};

} // namespace qv
