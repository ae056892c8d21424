#include "core/validation/ValidationCase.h"

namespace qv {

std::string ValidationCase::input(const std::string& name, const std::string& otherwise) const
{
    for (const auto& [key, value] : inputs) {
        if (key == name) {
            return value;
        }
    }
    return otherwise;
}

std::vector<std::string> ValidationCase::inputsNamed(const std::string& name) const
{
    std::vector<std::string> values;
    for (const auto& [key, value] : inputs) {
        if (key == name) {
            values.push_back(value);
        }
    }
    return values;
}

std::string ValidationCase::inputText() const
{
    std::string text;
    for (const auto& [key, value] : inputs) {
        text += (text.empty() ? "" : "; ") + key + "=" + value;
    }
    return text;
}

} // namespace qv
