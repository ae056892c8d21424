#pragma once
// The window's answers to the program's questions: Qt file dialogs, message boxes
// and the Data File Parameters dialog.

#include "core/model/Prompter.h"

#include <QMessageBox>
#include <QPointer>
#include <QStringList>

class QWidget;

namespace qv {

class FileCharDialog;

// A filter list "Name (*.ext)|*.ext|..." as Qt's name filters, one per entry. A
// name that already ends with its pattern in parentheses is kept as it is, other
// names get the pattern appended; ";" between patterns becomes a blank, and "*.*"
// becomes "*" so that files without an extension are listed too.
QStringList qtNameFilters(const std::string& filter);

// The icon of a message box: warnings and exclamations both show Qt's warning
// sign, information the information sign, None no icon.
QMessageBox::Icon qtMessageIcon(MessageIcon icon);

class QtPrompter : public Prompter
{
public:
    // Dialogs are shown over `parent`, or when it is null over the window that is
    // active (or the program's main window) at the moment of asking.
    explicit QtPrompter(QWidget* parent = nullptr);
    ~QtPrompter() override;
    QtPrompter(const QtPrompter&) = delete;
    QtPrompter& operator=(const QtPrompter&) = delete;

    std::optional<std::string> askOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> askSaveFile(const FileDialogRequest& request) override;
    bool askDataFileParameters(Settings& settings, const DataFilePreview& preview) override;
    bool confirm(const std::string& text, const std::string& title) override;
    // A question box with Save, Discard and Cancel; Escape and the close button cancel.
    SaveChoice askSaveChanges(const std::string& text, const std::string& title) override;
    void message(const std::string& text, const std::string& title, MessageIcon icon) override;
    // Qt's print dialog on a QtPrintTarget's printer; printing to a PDF file is
    // offered, page ranges and selection are not. False for any other target.
    bool askPrint(PrintTarget& target) override;

private:
    QWidget* dialogParent() const;
    std::optional<std::string> askFile(const FileDialogRequest& request, bool save);

    QPointer<QWidget> m_parent;
    QPointer<FileCharDialog> m_fileChar;
};

} // namespace qv
