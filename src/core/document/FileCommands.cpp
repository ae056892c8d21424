#include "core/document/FileCommands.h"

#include "core/model/Session.h"

namespace qv {

FileDialogRequest openDialogRequest(const Session& session, bool inputCommand)
{
    FileDialogRequest request;
    request.filter = OpenFilter;
    if (session.fileDialogs.firstOpen) {
        request.initialFolder =
            inputCommand ? session.fileDialogs.dataFolder : session.fileDialogs.documentsFolder;
        request.filterIndex = inputCommand ? 2 : 3;
        return request;
    }
    const std::string& ext = session.fileDialogs.lastExtension;
    if (ext == "CSV" || ext == "csv") {
        request.filterIndex = 2;
    } else if (ext == "QVW" || ext == "qvw") {
        request.filterIndex = 3;
    } else if (ext == "TXT" || ext == "txt") {
        request.filterIndex = 4;
    } else {
        request.filterIndex = 1;
    }
    return request;
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
    if (session.fileDialogs.firstOpen) {
        request.initialFolder = session.fileDialogs.documentsFolder;
    }
    const std::string& source = session.fileDialogs.sourcePath;
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
