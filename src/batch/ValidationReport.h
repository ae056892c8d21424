#pragma once
// The validation report: the program, the build, the machine and the time, one
// line per case (source, expected, obtained, tolerance, pass or fail), the
// corpus files with their checksums, and the summary; as a PDF for the
// installation record and as JSON for scripts.

#include "batch/ValidationSession.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

class QTextStream;

namespace qv {

// Where and with what a validation ran, as the report's heading states it.
struct ValidationEnvironment
{
    QString program;    // "Quantiview 3.0"
    QString build;      // compiler, Qt, build type
    QString executable; // the program file and its SHA-256
    QString machine;    // host name, processor architecture
    QString system;     // operating system and kernel
    QString dateTime;   // when the run ended, UTC, ISO 8601
    QString corpus;     // the corpus folder
};

// The environment of this process for a run over `corpusFolder`.
ValidationEnvironment currentEnvironment(const QString& corpusFolder);

// "PASSED: 82 of 82 cases passed, 9 corpus files intact." or "FAILED: ..."
// naming the failed cases' count and every changed or missing file.
QString validationSummary(const ValidationRun& run);

QJsonObject validationJson(const ValidationRun& run, const ValidationEnvironment& environment);

// Writes the PDF report to `path` (beside it, then renamed over it); the
// reason when it could not be written, or an empty text.
QString writeValidationPdf(const ValidationRun& run, const ValidationEnvironment& environment,
                           const QString& path);

// --validate OUT.pdf [--report]: runs every case of the program's corpus,
// writes the PDF, with `json` prints the report as JSON on `out`, and says the
// summary on `err`. Returns 0 when every case passed, 1 otherwise or when the
// PDF was not written.
int runValidation(const QString& pdfPath, bool json, QTextStream& out, QTextStream& err);

} // namespace qv
