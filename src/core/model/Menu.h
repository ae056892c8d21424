#pragma once
// The main window's menu commands, by the names the window's actions carry, and
// whether each is available. The core decides availability; the window shows it.

#include <array>
#include <string_view>

namespace qv {

enum class Menu : int {
    Menu_File,
    mnuOpenFile,
    SaveAs,
    mnuSaveGraph,
    mnuPageSetup,
    mnuPrint,
    ExitProgram,
    FileEdit,
    mnuRefresh,
    mnuCopy,
    EnableDisable,
    HiliteUnhilite,
    NewData,
    InputOverlayData,
    PasteData,
    Options_File,
    GraphOptions,
    AxesOptions,
    mnuSamplingPlan,
    Help,
    mnuHelpContents,
    mnuHelpIndex,
    mnuCalculations,
    mnuValidate,
    mnuAbout,
    Count
};

std::string_view menuName(Menu item);

class MenuState
{
public:
    MenuState() { m_enabled.fill(true); }
    bool enabled(Menu item) const { return m_enabled[static_cast<std::size_t>(item)]; }
    void set(Menu item, bool on) { m_enabled[static_cast<std::size_t>(item)] = on; }
    void set(std::initializer_list<Menu> items, bool on)
    {
        for (Menu item : items) {
            set(item, on);
        }
    }

private:
    std::array<bool, static_cast<std::size_t>(Menu::Count)> m_enabled{};
};

} // namespace qv
