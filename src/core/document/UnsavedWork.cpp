// The chart document's guard of work that no file holds, and the open
// commands' memory of files and folders.
#include "core/document/ChartDocument.h"

#include "core/document/FileCommands.h"
#include "core/io/FilePaths.h"
#include "core/model/Prompter.h"

namespace qv {

bool ChartDocument::settleUnsavedWork()
{
    if (!m_unsavedWork) {
        return true;
    }
    switch (m_prompter.askSaveChanges("Save changes to the project?", ProgramName)) {
    case SaveChoice::Save:
        return saveAs();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

void ChartDocument::noteLoad(const LoadRequest& request)
{
    // Pasted lines, new data under a project's settings and an overlay make a
    // chart that no single file holds.
    m_unsavedWork = request.kind == LoadKind::Paste || request.kind == LoadKind::NewData ||
                    request.targetSet == 2;
    m_saidWarnings.clear();
    guardManualScale();
    if (request.targetSet != 1) {
        return;
    }
    Session::Sources& sources = m_session.sources;
    sources.mainSetPath = request.kind == LoadKind::Paste ? std::string() : request.path;
    sources.newDataPath.clear();
    if (request.kind == LoadKind::NewData) {
        // Named as the title names its file: by its path, or by its name alone.
        const bool bareTitle = sources.titlePath.find('/') == std::string::npos;
        sources.newDataPath = bareTitle ? splitPath(request.path).fileName : request.path;
    }
}

std::optional<std::string> ChartDocument::askOpenFile(bool inputCommand)
{
    auto path = m_prompter.askOpenFile(openDialogRequest(m_session, inputCommand));
    if (path) {
        rememberFolder(m_session,
                       inputCommand ? Session::FileDialogKind::InputData
                                    : Session::FileDialogKind::Open,
                       *path);
    }
    return path;
}

bool ChartDocument::openPath(const std::string& path)
{
    if (!settleUnsavedWork()) {
        return false;
    }
    return openChosen(1, TitleFrom::Path, [&path] { return std::optional<std::string>(path); });
}

} // namespace qv
