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

    // What the file commands and the later readers remember.
    bool overlayLoaded = false;
    // The last file opened was a project file: pasted lines and Input New Data
    // then keep its settings, and the boxes go to the places it stored.
    bool projectFileFlag = false;
    // The main set came from the paste buffer.
    bool pasteMode = false;
    std::string sourcePath; // the file last chosen
    std::string titlePath;
    std::string overlayPath;
    bool firstOpen = false;
    std::string lastExtension;
    std::vector<std::string> pasteBuffer;
    std::array<double, 6> savedPositions{};
    bool placeBoxesPending = false;

    // Main-window state.
    std::string graphFontName;
    bool graphFontBold = false;
    bool titleFontBold = false;
    std::string windowTitle = ProgramName;
    void setTitleFromPath() { windowTitle = std::string(ProgramName) + " (" + titlePath + ")"; }

    // Folders the open commands start in: the user's documents folder while no
    // file has been chosen, and the fallback of Input New Data and Input Overlay Data.
    std::string documentsFolder;
    std::string dataFolder;

private:
    std::array<DataSet, 2> m_sets;
};

} // namespace qv
