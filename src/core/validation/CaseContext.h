#pragma once
// What every validation case runs with: where the corpus and a scratch folder
// are, and how the chart is measured and laid out (as the program draws it).

#include "core/plot/ChartLayout.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv {

class TextMeasurer;

struct CaseContext
{
    std::filesystem::path corpusFolder;
    std::filesystem::path scratchFolder; // writable; projects of the round trips go here
    const TextMeasurer* measurer = nullptr;
    std::vector<std::string> fonts; // the font list the chart starts up with
    std::string fallbackFont;       // the face taken when the list has no Arial
    ChartLayout layout;             // the chart laid out for the screen
};

// Thrown by a case kind when the case gives no value; the text says why.
class CaseError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace qv
