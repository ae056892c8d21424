#pragma once
// One reference case of the validation corpus and what running it gave.

#include "core/validation/Tolerance.h"

#include <string>
#include <utility>
#include <vector>

namespace qv {

// Named inputs of a case in the order written ("file", "set", "quantity", ...);
// a name may repeat ("set").
using CaseInputs = std::vector<std::pair<std::string, std::string>>;

struct ValidationCase
{
    std::string id;   // unique in the corpus, e.g. "exact-k-n10-p90"
    std::string kind; // the case kind that computes it, e.g. "exact_k"
    CaseInputs inputs;
    std::string expected; // a number, or a text in double quotes
    Tolerance tolerance;
    std::string source;   // where the expected value comes from
    std::string caseFile; // the corpus file it was read from, relative to the corpus folder
    int line = 0;         // its line there, from 1
    // Why the case cannot run as written (a malformed line); empty when it can.
    std::string problem;

    // The first value of input `name`, or `otherwise` when it is not given.
    std::string input(const std::string& name, const std::string& otherwise = {}) const;
    // Every value of input `name`, in the order written.
    std::vector<std::string> inputsNamed(const std::string& name) const;
    // The inputs as written in the corpus: "name=value; ...".
    std::string inputText() const;
};

struct CaseResult
{
    std::string obtained; // the value the program gave, or empty when it gave none
    bool passed = false;
    std::string note; // why it failed when not for its value (error, changed file)
};

} // namespace qv
