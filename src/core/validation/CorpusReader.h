#pragma once
// Reads the case files of the validation corpus. One case per line, six fields
// separated by "|":  id | kind | inputs | expected | tolerance | source
// where inputs are "name=value" pairs separated by ";" and expected is a number
// or a text in double quotes. Blank lines and lines starting with "#" are notes.

#include "core/validation/ValidationCase.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The cases of one case file's text; `caseFile` names the file in each case.
// A line that is not a well-formed case becomes a case with its `problem` set
// (so it fails in the report instead of vanishing).
[[nodiscard]] std::vector<ValidationCase> readCases(std::string_view text,
                                                    const std::string& caseFile);

} // namespace qv
