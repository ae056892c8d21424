#pragma once
// A load as the chart document's load command takes it: where the lines come
// from, which set they fill and how they are read.

#include <optional>
#include <string>

namespace qv {

enum class LoadKind
{
    DataFile, // a data file after the Data File Parameters dialog; the options are reset
    Project,  // the point lines of a project file, read without a dialog
    NewData,  // Input New Data: a data file into a loaded project, whose settings stay
    Paste,    // the lines of the paste buffer, after the Data File Parameters dialog
};

struct LoadRequest
{
    LoadKind kind = LoadKind::DataFile;
    int targetSet = 1; // 1 the main set, 2 the overlay
    std::string path;  // the file to read; unused for LoadKind::Paste
    // The path shown in the window title and the footer once the load
    // succeeded; nothing leaves the title as it is.
    std::optional<std::string> titlePath;
};

enum class LoadStatus
{
    Loaded,    // the set was replaced and the chart drawn
    Cancelled, // the dialog was cancelled: nothing changed
    Failed,    // nothing of the chart changed; the failure was reported (or, for 75, not)
};

struct LoadResult
{
    LoadStatus status = LoadStatus::Failed;
    int errorCode = 0; // with LoadStatus::Failed
};

} // namespace qv
