#pragma once
// Help > Validate Installation...: asks where to save the report, runs the
// validation corpus installed with the program under a progress dialog that can
// be cancelled, writes the PDF report, says the summary and opens the report.

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace qv {

class Prompter;

class InstallationValidation
{
public:
    // Opens a written report for the user; the desktop's PDF viewer by default.
    using UrlOpener = std::function<void(const QUrl&)>;

    // Asks through `prompter`; the progress dialog opens over `parent`.
    InstallationValidation(Prompter& prompter, QWidget* parent);

    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // The corpus run; the one installed with the program by default.
    void setCorpusFolder(const QString& folder) { m_corpusFolder = folder; }
    // The folder the save dialog starts in.
    void setReportFolder(const QString& folder) { m_reportFolder = folder; }

    // The whole command. True when every case ran and passed and the report
    // was written; false after Cancel (of the file dialog or the run, which
    // writes nothing) or a failure, each said through the prompter.
    bool run();

private:
    Prompter& m_prompter;
    QWidget* m_parent;
    UrlOpener m_openUrl;
    QString m_corpusFolder;
    QString m_reportFolder;
};

} // namespace qv
