#include "core/document/FileCommands.h"

#include "core/model/Session.h"

namespace qv {

FileDialogRequest openDialogRequest(const Session& session, bool inputCommand)
{
    FileDialogRequest request;
    request.filter = OpenFilter;
    // The first entry lists every file the commands read, whatever was read last.
    request.filterIndex = 1;
    const Session::FileDialogMemory& memory = session.fileDialogs;
    request.initialFolder =
        inputCommand ? startFolder(session, Session::FileDialogKind::InputData, memory.dataFolder)
                     : startFolder(session, Session::FileDialogKind::Open, memory.documentsFolder);
    return request;
}

void rememberFolder(Session& session, Session::FileDialogKind kind, const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash != std::string::npos) {
        session.fileDialogs.lastFolders[static_cast<std::size_t>(kind)] =
            path.substr(0, slash == 0 ? 1 : slash);
    }
}

std::string startFolder(const Session& session, Session::FileDialogKind kind,
                        const std::string& firstFolder)
{
    const std::string& last = session.fileDialogs.lastFolders[static_cast<std::size_t>(kind)];
    if (!last.empty()) {
        return last;
    }
    return session.fileDialogs.firstOpen ? firstFolder : std::string();
}

namespace {

// Where the extension of the file name in `path` starts, or npos without one.
std::size_t extensionStart(std::string_view path)
{
    const auto slash = path.rfind('/');
    const std::size_t name = slash == std::string_view::npos ? 0 : slash + 1;
    const auto dot = path.rfind('.');
    return dot != std::string_view::npos && dot > name ? dot : std::string_view::npos;
}

} // namespace

FileDialogRequest saveDialogRequest(const Session& session)
{
    FileDialogRequest request;
    request.filter = SaveFilter;
    request.filterIndex = 3;
    request.initialFolder = startFolder(session, Session::FileDialogKind::SaveProject,
                                        session.fileDialogs.documentsFolder);
    // Named after the main set's file, not an overlay's.
    const std::string& source = session.sources.mainSetPath.empty() ? session.fileDialogs.sourcePath
                                                                    : session.sources.mainSetPath;
    request.proposedName = source.empty() ? "GRAPH.QVW" : source.substr(0, extensionStart(source));
    return request;
}

std::string projectSavePath(const std::string& chosen)
{
    if (chosen.empty() || chosen.back() == '/' || extensionStart(chosen) != std::string::npos) {
        return chosen;
    }
    return chosen + ".qvw";
}

} // namespace qv
