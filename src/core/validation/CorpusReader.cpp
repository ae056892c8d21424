#include "core/validation/CorpusReader.h"

namespace qv {

namespace {

constexpr std::size_t FieldCount = 6;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// "name=value; name=value": the first "=" of each pair separates name and value.
bool readInputs(std::string_view text, CaseInputs& inputs)
{
    if (trimmed(text).empty()) {
        return true;
    }
    for (std::string_view pair : split(text, ';')) {
        pair = trimmed(pair);
        const auto eq = pair.find('=');
        if (eq == std::string_view::npos || eq == 0) {
            return false;
        }
        inputs.emplace_back(std::string(trimmed(pair.substr(0, eq))),
                            std::string(trimmed(pair.substr(eq + 1))));
    }
    return true;
}

ValidationCase readLine(std::string_view line, const std::string& caseFile, int number)
{
    ValidationCase c;
    c.caseFile = caseFile;
    c.line = number;
    const auto fields = split(line, '|');
    if (fields.size() != FieldCount) {
        c.id = caseFile + ":" + std::to_string(number);
        c.problem = "malformed case line " + std::to_string(number) + " of " + caseFile + ": " +
                    std::to_string(fields.size()) + " fields instead of 6";
        return c;
    }
    c.id = trimmed(fields[0]);
    c.kind = trimmed(fields[1]);
    c.expected = trimmed(fields[3]);
    c.source = trimmed(fields[5]);
    const auto tolerance = parseTolerance(trimmed(fields[4]));
    if (!readInputs(fields[2], c.inputs)) {
        c.problem = "malformed inputs on line " + std::to_string(number) + " of " + caseFile;
    } else if (!tolerance) {
        c.problem = "unknown tolerance \"" + std::string(trimmed(fields[4])) + "\" on line " +
                    std::to_string(number) + " of " + caseFile;
    } else if (c.id.empty() || c.kind.empty() || c.expected.empty() || c.source.empty()) {
        c.problem = "empty field on line " + std::to_string(number) + " of " + caseFile;
    } else {
        c.tolerance = *tolerance;
    }
    return c;
}

} // namespace

std::vector<ValidationCase> readCases(std::string_view text, const std::string& caseFile)
{
    std::vector<ValidationCase> cases;
    int number = 0;
    for (std::string_view line : split(text, '\n')) {
        ++number;
        line = trimmed(line);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        cases.push_back(readLine(line, caseFile, number));
    }
    return cases;
}

} // namespace qv
