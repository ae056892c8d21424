#include "gui/dialogs/InstallationValidation.h"

#include "batch/ValidationReport.h"
#include "core/model/Prompter.h"
#include "render/QtText.h"

#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QProgressDialog>

namespace qv {

namespace {

constexpr const char* Title = "Validate Installation";

// Runs every case, the dialog's bar moving after each; false when cancelled.
bool runWithProgress(ValidationRun& run, QWidget* parent)
{
    QProgressDialog progress(QStringLiteral("Running the validation cases..."),
                             QStringLiteral("Cancel"), 0, run.caseCount(), parent);
    progress.setWindowTitle(QString::fromLatin1(Title));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    while (!run.finished()) {
        if (progress.wasCanceled()) {
            return false;
        }
        const auto& next = run.cases()[static_cast<std::size_t>(run.doneCount())];
        progress.setLabelText(QStringLiteral("Case %1 of %2: %3")
                                  .arg(run.doneCount() + 1)
                                  .arg(run.caseCount())
                                  .arg(toQString(next.validationCase.id)));
        run.runNext();
        // A modal progress dialog handles the events waiting (a click on Cancel) here.
        progress.setValue(run.doneCount());
    }
    return true;
}

} // namespace

InstallationValidation::InstallationValidation(Prompter& prompter, QWidget* parent)
    : m_prompter(prompter), m_parent(parent),
      m_openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }),
      m_corpusFolder(programCorpusFolder()), m_reportFolder(QDir::homePath())
{
}

bool InstallationValidation::run()
{
    FileDialogRequest request;
    request.title = "Save Validation Report";
    request.filter = "PDF Files (*.pdf)|*.pdf";
    request.initialFolder = toUtf8(m_reportFolder);
    request.proposedName =
        "quantiview-validation-" + toUtf8(QDate::currentDate().toString(Qt::ISODate)) + ".pdf";
    request.extensionFromFilter = true;
    const auto chosen = m_prompter.askSaveFile(request);
    if (!chosen) {
        return false;
    }
    const QString path = toQString(*chosen);

    ValidationSession session(m_corpusFolder);
    if (!runWithProgress(session.run(), m_parent)) {
        m_prompter.message("The validation was cancelled; no report was written.", Title,
                           MessageIcon::Information);
        return false;
    }
    const QString failure =
        writeValidationPdf(session.run(), currentEnvironment(session.corpusFolder()), path);
    if (!failure.isEmpty()) {
        m_prompter.message(toUtf8(QStringLiteral("The report could not be written to %1: %2")
                                      .arg(QDir::toNativeSeparators(path), failure)),
                           Title, MessageIcon::Warning);
        return false;
    }
    const bool passed = session.run().allPassed();
    m_prompter.message(toUtf8(validationSummary(session.run()) +
                              QStringLiteral("\n\nThe report was written to %1.")
                                  .arg(QDir::toNativeSeparators(path))),
                       Title, passed ? MessageIcon::Information : MessageIcon::Warning);
    m_openUrl(QUrl::fromLocalFile(path));
    return passed;
}

} // namespace qv
