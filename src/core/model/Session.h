#pragma once
// The program's whole state while it runs: the two data sets, the flags the
// readers and the writer share, the settings store, the main window's state and
// the availability of the menu commands. The window and batch mode each own one.

#include "core/model/DataSet.h"
#include "core/model/Menu.h"
#include "core/model/Settings.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace qv {

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
    DataSet& current() { return set(currentSet); }

    Settings settings;
    MenuState menus;

    // State shared by the readers and the writer.
    int currentSet = 1;
    bool overlayLoaded = false;
    bool projectFileFlag = false;
    bool pasteMode = false;
    bool newDataMode = false;
    bool fileCharAccepted = false;
    std::string sourcePath;
    std::string titlePath;
    std::string overlayPath;
    bool firstOpen = false;
    std::string lastExtension;
    std::vector<std::string> pasteBuffer;
    std::array<double, 6> savedPositions{};
    bool placeBoxesPending = false;
    bool dialogAccepted = false;

    // The Data File Parameters dialog's two preview rows.
    std::string firstRow;
    std::string secondRow;

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

    // Hooks of whoever shows the chart. drawPlot runs the plot routine without the
    // one-time resize; clearPlot repaints the window and clears the plot area;
    // setBusy shows or restores the busy pointer.
    std::function<void()> drawPlot;
    std::function<void()> clearPlot;
    std::function<void(bool)> setBusy;

    void requestDraw()
    {
        if (drawPlot) {
            drawPlot();
        }
    }
    void requestClear()
    {
        if (clearPlot) {
            clearPlot();
        }
    }
    void busy(bool on)
    {
        if (setBusy) {
            setBusy(on);
        }
    }

private:
    std::array<DataSet, 2> m_sets;
};

} // namespace qv
