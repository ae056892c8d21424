#include "batch/BatchPrompter.h"

#include "core/io/DataFileParser.h"
#include "core/model/Settings.h"

namespace qv {

namespace {

// Turns a column given by name into its number among the file's column names;
// the refusal when the file has no column of that name.
std::string resolveColumnName(const char* option, std::optional<std::string>& name,
                              std::optional<int>& column, const Settings& settings)
{
    if (!name) {
        return {};
    }
    column = columnOfName(settings.fileCharColumnNames(), *name);
    if (*column == 0) {
        return std::string(option) + " \"" + *name + "\" names no column of the file's labels row";
    }
    return {};
}

} // namespace

bool BatchPrompter::askDataFileParameters(Settings& settings, const DataFilePreview& preview)
{
    if (!dataFileAnswers.empty()) {
        DataFileAnswers& answers = dataFileAnswers.front();
        for (const std::string& refused :
             {resolveColumnName("--value-column", answers.valueColumnName, answers.valueColumn,
                                settings),
              resolveColumnName("--sigma-column", answers.sigmaColumnName, answers.sigmaColumn,
                                settings)}) {
            if (!refused.empty()) {
                refusal = refused;
                dataFileAnswers.pop_front();
                return false;
            }
        }
        // The count proposed from the file follows --decimal-comma as the dialog's
        // would: "8,3" is one field with a decimal comma and two without.
        const bool commaAsked =
            answers.decimalComma && settings.check(Ctl::FileChar_DecimalComma) == 0;
        const int fields = commaAsked
                               ? proposedFieldCount({preview.firstRow, preview.secondRow}, true)
                               : settings.fileCharColumnItems();
        // The data would end at the first line, leaving no points to draw.
        if (answers.columns && fields > 0 && *answers.columns != fields) {
            refusal = "--columns " + std::to_string(*answers.columns) + " does not match the " +
                      std::to_string(fields) + " fields of the file's second line";
            dataFileAnswers.pop_front();
            return false;
        }
        for (const auto& [option, column] : {std::pair{"--value-column", answers.valueColumn},
                                             std::pair{"--sigma-column", answers.sigmaColumn}}) {
            if (column && *column > fields) {
                refusal = std::string(option) + " " + std::to_string(*column) + " is beyond the " +
                          std::to_string(fields) + " fields of the file's lines";
                dataFileAnswers.pop_front();
                return false;
            }
        }
    }
    return ScriptedPrompter::askDataFileParameters(settings, preview);
}

} // namespace qv
