#include "core/document/GraphOutput.h"

#include "core/Errors.h"
#include "core/document/FileCommands.h"
#include "core/model/Session.h"

#include <cmath>
#include <filesystem>
#include <system_error>

namespace qv {

namespace {

bool positive(double extent)
{
    return std::isfinite(extent) && extent > 0;
}

} // namespace

std::string proposedGraphName(std::string_view sourcePath)
{
    if (sourcePath.empty()) {
        return DefaultGraphName;
    }
    const auto slash = sourcePath.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const auto dot = sourcePath.rfind('.');
    // A dot that starts the name (".data") or lies in a folder's name is no extension.
    const bool hasExtension = dot != std::string_view::npos && dot > nameStart;
    const std::string_view stem = hasExtension ? sourcePath.substr(0, dot) : sourcePath;
    return std::string(stem) + ".BMP";
}

FileDialogRequest saveGraphRequest(const Session& session)
{
    FileDialogRequest request;
    request.title = "Save Graph As";
    request.filter = GraphFilter;
    request.filterIndex = GraphFilterBitmapEntry;
    request.extensionFromFilter = true;
    request.initialFolder = startFolder(session, Session::FileDialogKind::SaveGraph,
                                        session.fileDialogs.documentsFolder);
    request.proposedName = proposedGraphName(session.fileDialogs.sourcePath);
    return request;
}

bool saveGraphAs(Session& session, Prompter& prompter,
                 const std::function<int(const std::string&)>& write)
{
    const auto path = prompter.askSaveFile(saveGraphRequest(session));
    if (!path || path->empty()) {
        return false;
    }
    rememberFolder(session, Session::FileDialogKind::SaveGraph, *path);
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(*path), ec) &&
        !prompter.confirm(OverwriteQuestion, OverwriteTitle)) {
        return false;
    }
    const int code = write(*path);
    if (code != 0) {
        prompter.message(unexpectedErrorText(code, ErrorPrefix::Spaced), SaveGraphErrorTitle,
                         MessageIcon::Warning);
        return false;
    }
    return true;
}

PageOrientation printOrientation(const Settings& settings)
{
    switch (settings.group(Ctl::frmPageSetup_optPrtOrientation)) {
    case 0:
        return PageOrientation::Portrait;
    case 1:
        return PageOrientation::Landscape;
    default:
        return PageOrientation::Unchanged;
    }
}

std::optional<PageExtent> fitPictureToPage(PageExtent picture, PageExtent printable)
{
    if (!positive(picture.width) || !positive(picture.height) || !positive(printable.width) ||
        !positive(printable.height)) {
        return std::nullopt;
    }
    const double pictureRatio = picture.width / picture.height;
    const double pageRatio = printable.width / printable.height;
    if (pictureRatio >= pageRatio) {
        return PageExtent{printable.width, printable.width / pictureRatio};
    }
    return PageExtent{printable.height * pictureRatio, printable.height};
}

} // namespace qv
