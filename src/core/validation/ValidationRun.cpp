#include "core/validation/ValidationRun.h"

#include "core/Errors.h"
#include "core/validation/CorpusReader.h"

#include <algorithm>
#include <set>

namespace qv {

namespace {

bool isCaseFile(const std::string& path)
{
    return path.ends_with(".cases");
}

// A failing entry that stands for the cases of a case file that could not be read.
CaseRecord unreadCaseFile(const CorpusFileCheck& file)
{
    CaseRecord record;
    record.validationCase.id = file.path;
    record.validationCase.caseFile = file.path;
    record.validationCase.source = "corpus file list built into the program";
    record.validationCase.problem =
        "corpus file " + file.path + " is missing: its cases were not run";
    return record;
}

CaseResult runCase(const ValidationCase& c, std::span<const CaseKind> kinds,
                   const CaseContext& context)
{
    const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                   [&](const CaseKind& k) { return k.name == c.kind; });
    if (kind == kinds.end()) {
        return {{}, false, "unknown case kind \"" + c.kind + "\""};
    }
    CaseResult result;
    try {
        result.obtained = kind->run(c, context);
        result.passed = agrees(c.expected, result.obtained, c.tolerance);
    } catch (const QvError& e) {
        result.note = "error " + std::to_string(e.code());
    } catch (const std::exception& e) {
        result.note = e.what();
    }
    return result;
}

} // namespace

ValidationRun::ValidationRun(CaseContext context, std::span<const CaseKind> kinds,
                             std::span<const CorpusFile> listed)
    : m_context(std::move(context)), m_kinds(kinds),
      m_files(checkCorpus(m_context.corpusFolder, listed))
{
    std::set<std::string> ids;
    for (const CorpusFileCheck& file : m_files) {
        if (!isCaseFile(file.path) || file.state == CorpusFileState::Unlisted) {
            continue;
        }
        const auto text = readWholeFile(m_context.corpusFolder / file.path);
        if (!text) {
            m_cases.push_back(unreadCaseFile(file));
            continue;
        }
        for (ValidationCase& c : readCases(*text, file.path)) {
            if (c.problem.empty() && !ids.insert(c.id).second) {
                c.problem = "case id " + c.id + " is used twice";
            }
            m_cases.push_back({std::move(c), {}, false});
        }
    }
}

const CorpusFileCheck* ValidationRun::fileCheck(const std::string& path) const
{
    const auto it = std::find_if(m_files.begin(), m_files.end(),
                                 [&](const CorpusFileCheck& f) { return f.path == path; });
    return it == m_files.end() ? nullptr : &*it;
}

std::string ValidationRun::corpusFault(const ValidationCase& c) const
{
    std::vector<std::string> paths{c.caseFile};
    if (const std::string file = c.input("file"); !file.empty()) {
        paths.push_back(file);
    }
    for (const std::string& path : paths) {
        const CorpusFileCheck* check = fileCheck(path);
        if (!check || check->state == CorpusFileState::Unlisted) {
            return "corpus file " + path + " is not in the built-in list";
        }
        if (check->state != CorpusFileState::Intact) {
            return "corpus file " + path + " is " + stateName(check->state) +
                   " (its checksum does not match the one built in)";
        }
    }
    return {};
}

void ValidationRun::runNext()
{
    if (finished()) {
        return;
    }
    CaseRecord& record = m_cases[static_cast<std::size_t>(m_next++)];
    record.run = true;
    const ValidationCase& c = record.validationCase;
    if (!c.problem.empty()) {
        record.result = {{}, false, c.problem};
        return;
    }
    record.result = runCase(c, m_kinds, m_context);
    if (const std::string fault = corpusFault(c); !fault.empty()) {
        record.result.passed = false;
        record.result.note = fault;
    }
}

void ValidationRun::runAll()
{
    while (!finished()) {
        runNext();
    }
}

int ValidationRun::passedCount() const
{
    return static_cast<int>(std::count_if(m_cases.begin(), m_cases.end(),
                                          [](const CaseRecord& r) { return r.result.passed; }));
}

bool ValidationRun::allPassed() const
{
    const bool filesIntact = std::all_of(m_files.begin(), m_files.end(), [](const auto& f) {
        return f.state == CorpusFileState::Intact || f.state == CorpusFileState::Unlisted;
    });
    return filesIntact && !m_cases.empty() && finished() && passedCount() == caseCount();
}

} // namespace qv
