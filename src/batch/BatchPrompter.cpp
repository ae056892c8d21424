#include "batch/BatchPrompter.h"

#include "core/model/Settings.h"

namespace qv {

bool BatchPrompter::askDataFileParameters(Settings& settings, const DataFilePreview& preview)
{
    if (!dataFileAnswers.empty()) {
        const DataFileAnswers& answers = dataFileAnswers.front();
        const int fields = settings.fileCharColumnItems();
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
