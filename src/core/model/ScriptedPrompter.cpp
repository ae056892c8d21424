#include "core/model/ScriptedPrompter.h"

#include "core/model/Settings.h"

#include <string>

namespace qv {

namespace {
template <typename T> std::optional<T> takeFront(std::deque<T>& queue)
{
    if (queue.empty()) {
        return std::nullopt;
    }
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

// Puts answers into the FileChar controls through their setters, as a user would.
void applyDataFileAnswers(Settings& s, const DataFileAnswers& answers)
{
    if (answers.labels) {
        s.setCheck(Ctl::FileChar_Labels, *answers.labels ? 1 : 0);
    }
    if (answers.columns) {
        s.setText(Ctl::FileChar_Ncol, std::to_string(*answers.columns));
    }
    if (answers.valueColumn) {
        s.setText(Ctl::FileChar_ColN, std::to_string(*answers.valueColumn));
    }
    if (answers.decimalComma) {
        s.setCheck(Ctl::FileChar_DecimalComma, 1);
    }
    if (answers.sigmaColumn) {
        s.setCheck(Ctl::FileChar_ErrorBars, 1);
        s.setText(Ctl::FileChar_ErrorColumn, std::to_string(*answers.sigmaColumn));
    }
}
} // namespace

std::optional<std::string> ScriptedPrompter::askOpenFile(const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    auto answer = takeFront(openAnswers);
    return answer ? *answer : std::nullopt;
}

std::optional<std::string> ScriptedPrompter::askSaveFile(const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    auto answer = takeFront(saveAnswers);
    return answer ? *answer : std::nullopt;
}

bool ScriptedPrompter::askDataFileParameters(Settings& settings, const DataFilePreview& preview)
{
    ++dataFileDialogs;
    previews.push_back(preview);
    const DataFileAnswers answers = takeFront(dataFileAnswers).value_or(DataFileAnswers{});
    applyDataFileAnswers(settings, answers);
    return answers.accept;
}

bool ScriptedPrompter::confirm(const std::string& text, const std::string& /*title*/)
{
    confirmations.push_back(text);
    return takeFront(confirmAnswers).value_or(true);
}

SaveChoice ScriptedPrompter::askSaveChanges(const std::string& text, const std::string& /*title*/)
{
    saveChangesQuestions.push_back(text);
    return takeFront(saveChangesAnswers).value_or(SaveChoice::Discard);
}

void ScriptedPrompter::message(const std::string& text, const std::string& title, MessageIcon icon)
{
    messages.push_back({text, title, icon});
}

bool ScriptedPrompter::askPrint(PrintTarget& target)
{
    ++printDialogs;
    const auto answer = takeFront(printAnswers);
    if (!answer || !answer->accept) {
        return false;
    }
    if (!answer->outputFile.empty()) {
        target.printToFile(answer->outputFile);
    }
    return true;
}

} // namespace qv
