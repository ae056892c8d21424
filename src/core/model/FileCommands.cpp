#include "core/model/FileCommands.h"

#include "core/Errors.h"
#include "core/io/DataFileReader.h"
#include "core/io/TextFile.h"
#include "core/model/Session.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <new>

namespace qv {

namespace {

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string lastThree(std::string_view path)
{
    return std::string(path.size() > 3 ? path.substr(path.size() - 3) : path);
}

// Runs a command's body and reports what its own handlers did not catch.
template <typename Body>
bool guarded(Session& session, Prompter& prompter, const char* title, Body body)
{
    try {
        return body();
    } catch (const QvError& e) {
        session.busy(false);
        if (e.code() != ErrorCode::Cancelled) {
            prompter.message("Unexpected Error " + codeText(e.code()), title, MessageIcon::Warning);
        }
    } catch (const std::bad_alloc&) {
        session.busy(false);
        prompter.message("Unexpected Error " + codeText(ErrorCode::OutOfMemory), title,
                         MessageIcon::Warning);
    }
    return false;
}

void beginMainLoad(Session& session)
{
    session.currentSet = 1;
    session.pasteMode = false;
    session.projectFileFlag = false;
    session.newDataMode = false;
}

// Steps shared by Open and the command line once the path is known.
void takeChosenPath(Session& session)
{
    session.lastExtension = splitPath(session.sourcePath).extension;
    session.firstOpen = false;
    if (session.lastExtension == "qvw" || session.lastExtension == "QVW") {
        session.projectFileFlag = true;
        session.menus.set(Menu::NewData, true);
    } else {
        session.menus.set(Menu::NewData, false);
    }
}

// What a load that does not complete must leave as it was: the window title and
// whether the overlay is drawn.
struct ChartIdentity
{
    std::string titlePath;
    std::string windowTitle;
    std::string overlayPath;
    bool overlayLoaded;

    explicit ChartIdentity(const Session& s)
        : titlePath(s.titlePath), windowTitle(s.windowTitle), overlayPath(s.overlayPath),
          overlayLoaded(s.overlayLoaded)
    {
    }
    void restore(Session& s) const
    {
        s.titlePath = titlePath;
        s.windowTitle = windowTitle;
        s.overlayPath = overlayPath;
        s.overlayLoaded = overlayLoaded;
    }
};

bool readKeepingChartOnFailure(Session& session, Prompter& prompter, const ChartIdentity& before)
{
    if (!readDataFile(session, prompter)) {
        before.restore(session);
        return false;
    }
    return true;
}

} // namespace

SplitPathResult splitPath(std::string_view path)
{
    const auto slash = path.rfind('/');
    SplitPathResult result;
    result.fileName = std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
    result.extension = lastThree(path);
    return result;
}

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

bool openFile(Session& session, Prompter& prompter)
{
    return guarded(session, prompter, "File Open Error", [&]() -> bool {
        beginMainLoad(session);
        const auto path = prompter.askOpenFile(openDialogRequest(session, false));
        if (!path) {
            return false;
        }
        const ChartIdentity before(session);
        session.sourcePath = *path;
        takeChosenPath(session);
        session.titlePath = session.sourcePath;
        session.setTitleFromPath();
        session.overlayLoaded = false;
        return readKeepingChartOnFailure(session, prompter, before);
    });
}

bool openFromCommandLine(Session& session, Prompter& prompter, std::string_view argument)
{
    return guarded(session, prompter, "File Open Error", [&]() -> bool {
        beginMainLoad(session);
        std::string_view path = trimBlanks(argument);
        if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
            path = path.substr(1, path.size() - 2);
        }
        if (path.empty()) {
            return false;
        }
        const ChartIdentity before(session);
        session.sourcePath = std::string(path);
        takeChosenPath(session);
        session.titlePath = splitPath(session.sourcePath).fileName;
        session.setTitleFromPath();
        session.overlayLoaded = false;
        return readKeepingChartOnFailure(session, prompter, before);
    });
}

bool inputNewData(Session& session, Prompter& prompter)
{
    return guarded(session, prompter, "File Error", [&]() -> bool {
        session.currentSet = 1;
        session.pasteMode = false;
        const auto path = prompter.askOpenFile(openDialogRequest(session, true));
        if (!path) {
            return false;
        }
        session.sourcePath = *path;
        if (upper(lastThree(session.sourcePath)) != "QVW") {
            session.newDataMode = true;
            return readDataFile(session, prompter);
        }
        prompter.message("New data file must be *.CSV or equivalent", ProgramName,
                         MessageIcon::Warning);
        return false;
    });
}

bool inputOverlayData(Session& session, Prompter& prompter)
{
    return guarded(session, prompter, "File Open Error", [&]() -> bool {
        session.currentSet = 2;
        session.pasteMode = false;
        session.projectFileFlag = false;
        session.newDataMode = false;
        const auto path = prompter.askOpenFile(openDialogRequest(session, true));
        if (!path) {
            return false;
        }
        const ChartIdentity before(session);
        session.sourcePath = *path;
        if (upper(lastThree(session.sourcePath)) == "QVW") {
            session.projectFileFlag = true;
            session.menus.set(Menu::NewData, true);
        } else {
            session.menus.set(Menu::NewData, false);
        }
        session.overlayPath = session.sourcePath;
        session.overlayLoaded = true;
        return readKeepingChartOnFailure(session, prompter, before);
    });
}

} // namespace qv
