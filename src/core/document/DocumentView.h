#pragma once
// What a view of the chart document is told: the window and batch mode are
// views. Qt-free; every function does nothing unless the view needs it.

#include <string>

namespace qv {

struct ChartLayout;
class MenuState;

class DocumentView
{
public:
    virtual ~DocumentView() = default;

    // Shows or restores the busy pointer.
    virtual void setBusy(bool /*on*/) {}
    // Before each drawing: the view puts its window's present measures (plot
    // area, client size, screen) into the layout the chart is drawn on.
    virtual void updateLayout(ChartLayout& /*layout*/) {}
    // The chart was emptied (a load repaints the window before it draws).
    virtual void chartCleared() {}
    // A drawing ended; the document's scene and layout show its result.
    virtual void chartDrawn() {}
    // At the end of every command: the window title and the menus' availability.
    virtual void titleChanged(const std::string& /*title*/) {}
    virtual void menusChanged(const MenuState& /*menus*/) {}
};

} // namespace qv
