#include "core/document/FileCommands.h"

#include "core/model/Session.h"

namespace qv {

FileDialogRequest openDialogRequest(const Session& session, bool inputCommand)
{
    FileDialogRequest request;
    request.filter = OpenFilter;
    if (session.firstOpen) {
        request.initialFolder = inputCommand ? session.dataFolder : session.documentsFolder;
        request.filterIndex = inputCommand ? 2 : 3;
        return request;
    }
    const std::string& ext = session.lastExtension;
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

} // namespace qv
