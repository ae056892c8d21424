#pragma once
// A case's lot loaded and drawn as batch mode does it: a fresh chart document
// started up on the context's layout and fonts, the file read with the case's
// data file answers, its settings applied, one drawing. The footer's date is
// fixed so that the chart's pixels do not change with the day.

#include "core/document/ChartDocument.h"
#include "core/document/LotRun.h"
#include "core/model/ScriptedPrompter.h"
#include "core/validation/CaseContext.h"
#include "core/validation/ValidationCase.h"

#include <filesystem>
#include <string>

namespace qv {

class CaseLot
{
public:
    explicit CaseLot(const CaseContext& context);
    CaseLot(const CaseLot&) = delete;
    CaseLot& operator=(const CaseLot&) = delete;

    // Loads the case's input "file" (relative to the corpus folder) with the
    // inputs columns, value_column, sigma_column, labels (0/1), decimal_comma
    // (1) and every "set" (NAME=VALUE); CaseError when it did not load.
    void load(const ValidationCase& validationCase);
    // File > Save File As... to `path`; true when the project was written.
    bool saveAs(const std::filesystem::path& path);
    // Opens `path` (a project file) as the command line opens it.
    void open(const std::filesystem::path& path);

    ChartDocument& document() { return m_document; }
    const ChartDocument& document() const { return m_document; }
    const ScriptedPrompter& prompter() const { return m_prompter; }
    LotOutcome outcome() const { return m_run.outcome; }

    // The value of the case's input "quantity" (with "point" for an OC point)
    // of the drawn main set, as text; CaseError for an unknown quantity or
    // one this drawing does not give.
    std::string quantity(const ValidationCase& validationCase) const;

private:
    const CaseContext& m_context;
    ScriptedPrompter m_prompter;
    ChartDocument m_document;
    LotRun m_run;
};

} // namespace qv
