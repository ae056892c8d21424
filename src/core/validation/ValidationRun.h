#pragma once
// One run of the validation corpus: the corpus folder checked against the
// built-in checksums, its case files read, then the cases run one at a time
// (so a window can show progress between them). A changed or missing corpus
// file fails the cases that read it, naming the file; nothing is skipped.

#include "core/validation/CaseKinds.h"
#include "core/validation/CorpusCheck.h"
#include "core/validation/ValidationCase.h"

#include <span>
#include <vector>

namespace qv {

struct CaseRecord
{
    ValidationCase validationCase;
    CaseResult result;
    bool run = false;
};

class ValidationRun
{
public:
    // Checks `context.corpusFolder` against `listed` and reads every listed
    // case file (".cases"); `kinds` are the kinds the cases may name. Nothing
    // is run yet.
    ValidationRun(CaseContext context, std::span<const CaseKind> kinds,
                  std::span<const CorpusFile> listed = builtInCorpus());

    const std::vector<CaseRecord>& cases() const { return m_cases; }
    const std::vector<CorpusFileCheck>& files() const { return m_files; }
    int caseCount() const { return static_cast<int>(m_cases.size()); }
    int doneCount() const { return m_next; }
    bool finished() const { return m_next >= caseCount(); }

    // Runs the next case; nothing once finished.
    void runNext();
    void runAll();

    int passedCount() const;
    // True when every case ran and passed, there is at least one, and every
    // listed corpus file is intact.
    bool allPassed() const;

private:
    // Why a case's corpus files cannot be trusted, or empty.
    std::string corpusFault(const ValidationCase& validationCase) const;
    const CorpusFileCheck* fileCheck(const std::string& path) const;

    CaseContext m_context;
    std::span<const CaseKind> m_kinds;
    std::vector<CorpusFileCheck> m_files;
    std::vector<CaseRecord> m_cases;
    int m_next = 0;
};

} // namespace qv
