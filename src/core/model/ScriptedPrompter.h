#pragma once
// A Prompter with answers given in advance, for tests and batch mode. It records
// every message and every question it was asked.

#include "core/model/Prompter.h"

#include <deque>
#include <functional>
#include <vector>

namespace qv {

struct RecordedMessage
{
    std::string text;
    std::string title;
    MessageIcon icon;
};

// Answers for the Data File Parameters dialog; unset fields keep the reader's prefill.
struct DataFileAnswers
{
    bool accept = true;
    std::optional<bool> labels{};
    std::optional<int> columns{};
    std::optional<int> valueColumn{};
    std::optional<int> sigmaColumn{}; // set: the uncertainty column is checked
    // Columns given by their name in the labels row; batch mode turns them into
    // valueColumn and sigmaColumn once the file's names are known.
    std::optional<std::string> valueColumnName{};
    std::optional<std::string> sigmaColumnName{};
    bool decimalComma = false; // a comma is the decimal mark, whatever the prefill says
};

// An answer of the print dialog: OK, printing to the PDF file `outputFile` when
// it is not empty (otherwise to the printer as it was set up), or Cancel.
struct PrintAnswer
{
    bool accept = true;
    std::string outputFile{};
};

class ScriptedPrompter : public Prompter
{
public:
    // Answers are taken in order; when a queue is empty the file dialogs cancel,
    // the Data File Parameters dialog accepts its prefill and questions answer OK.
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<DataFileAnswers> dataFileAnswers;
    std::deque<bool> confirmAnswers;
    std::deque<SaveChoice> saveChangesAnswers; // empty: Discard
    std::deque<PrintAnswer> printAnswers;      // empty: the print dialog cancels

    std::vector<RecordedMessage> messages;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> confirmations;
    std::vector<std::string> saveChangesQuestions;
    int dataFileDialogs = 0;
    int printDialogs = 0;

    std::optional<std::string> askOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> askSaveFile(const FileDialogRequest& request) override;
    std::vector<DataFilePreview> previews; // of every Data File Parameters dialog shown
    bool askDataFileParameters(Settings& settings, const DataFilePreview& preview) override;
    bool confirm(const std::string& text, const std::string& title) override;
    SaveChoice askSaveChanges(const std::string& text, const std::string& title) override;
    void message(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool askPrint(PrintTarget& target) override;
};

} // namespace qv
