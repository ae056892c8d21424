#pragma once
// A validation run as the installed program makes it: the corpus found beside
// the program, the chart measured with the screen's fonts as the window draws
// it, a scratch folder for the project round trips, and every case kind
// (those of the core and the picture). Batch mode and the window share it.

#include "core/validation/ValidationRun.h"
#include "render/QtTextMeasurer.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <span>

namespace qv {

// Every kind a corpus case may name.
std::span<const CaseKind> validationCaseKinds();

// The corpus installed with the program: ../share/quantiview/validation from
// the program's folder (the build puts a copy at the same place in its tree).
QString programCorpusFolder();

class ValidationSession
{
public:
    // Checks and reads the corpus in `corpusFolder`; nothing runs yet. Needs a
    // QGuiApplication.
    explicit ValidationSession(const QString& corpusFolder = programCorpusFolder());
    ValidationSession(const ValidationSession&) = delete;
    ValidationSession& operator=(const ValidationSession&) = delete;

    const QString& corpusFolder() const { return m_corpusFolder; }
    ValidationRun& run() { return *m_run; }
    const ValidationRun& run() const { return *m_run; }

private:
    QString m_corpusFolder;
    QTemporaryDir m_scratch;
    QtTextMeasurer m_measurer;
    std::unique_ptr<ValidationRun> m_run;
};

} // namespace qv
