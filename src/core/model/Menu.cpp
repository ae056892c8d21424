#include "core/model/Menu.h"

namespace qv {

namespace {
constexpr std::array<std::string_view, static_cast<std::size_t>(Menu::Count)> kNames{
    "Menu_File",      "mnuOpenFile",      "SaveAs",         "mnuSaveGraph",  "mnuPageSetup",
    "mnuPrint",       "ExitProgram",      "FileEdit",       "mnuRefresh",    "mnuCopy",
    "EnableDisable",  "HiliteUnhilite",   "NewData",        "InputOverlayData", "PasteData",
    "Options_File",   "GraphOptions",     "AxesOptions",    "mnuSamplingPlan", "Help",
    "mnuHelpContents",
    "mnuHelpIndex",   "mnuCalculations",  "mnuValidate",      "mnuAbout"};
} // namespace

std::string_view menuName(Menu item) { return kNames[static_cast<std::size_t>(item)]; }

} // namespace qv
