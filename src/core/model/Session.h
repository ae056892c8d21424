#pragma once
// The program's whole state between commands: the two data sets, the settings
// store, the movable items' placements, what the file commands remember from
// one load to the next, the main window's state and the availability of the
// menu commands. The chart document owns one.

#include "core/model/DataSet.h"
#include "core/model/Menu.h"
#include "core/model/Placements.h"
#include "core/model/Settings.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

inline constexpr const char* ProgramVersion = "3.0";
inline constexpr const char* ProgramName = "Quantiview 3.0";

class Session
{
public:
    Session() = default;

    // Set 1 (main) or 2 (overlay).
    DataSet& set(int number) { return m_sets[static_cast<std::size_t>(number == 2 ? 1 : 0)]; }
    const DataSet& set(int number) const
    {
        return m_sets[static_cast<std::size_t>(number == 2 ? 1 : 0)];
    }

    Settings settings;
    MenuState menus;
    Placements placements;

    // Where the chart's sets came from and what the next load or drawing does
    // because of it.
    struct Sources
    {
        bool overlayLoaded = false;
        // The last file opened was a project file: pasted lines and Input New Data
        // then keep its settings, and the boxes go to the places it stored.
        bool projectFileFlag = false;
        // The main set came from the paste buffer.
        bool pasteMode = false;
        std::string titlePath;
        // The file the main set was read from when Input New Data put it under
        // the title's project (the footer names it); empty otherwise.
        std::string newDataPath;
        // The full path of the file the main set was read from, empty for pasted data.
        std::string mainSetPath;
        std::string overlayPath;
        std::vector<std::string> pasteBuffer;
        SavedPositions savedPositions{};
        bool placeBoxesPending = false;
    } sources;

    // The program's file dialogs, each remembering its own folder.
    enum class FileDialogKind
    {
        Open,        // File > Open
        InputData,   // Input New Data and Input Overlay Data
        SaveProject, // Save File As
        SaveGraph,   // Save Graph As
    };

    // What the file dialogs remember from one command to the next.
    struct FileDialogMemory
    {
        std::string sourcePath; // the file last chosen
        bool firstOpen = false;
        std::string lastExtension;
        // Folders the open commands start in: the user's documents folder while
        // no file has been chosen, and the fallback of Input New Data and Input
        // Overlay Data.
        std::string documentsFolder;
        std::string dataFolder;
        // The folder each file dialog last chose a file in, by FileDialogKind;
        // empty while it has chosen none. The window keeps them between runs.
        std::array<std::string, 4> lastFolders;
    } fileDialogs;

    // The main window's state.
    struct Window
    {
        std::string graphFontName;
        bool graphFontBold = false;
        bool titleFontBold = false;
        std::string windowTitle = ProgramName;
    } window;

    void setTitleFromPath()
    {
        window.windowTitle = std::string(ProgramName) + " (" + sources.titlePath + ")";
    }

private:
    std::array<DataSet, 2> m_sets;
};

} // namespace qv
