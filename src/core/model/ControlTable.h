#pragma once
// Every control of the option windows whose value or enabling the program
// keeps: its id, its name ("PlotOpts.LSQfit"), kind, design value, project-file
// line and design enabling, from Controls.def. One name per control.

#include <optional>
#include <span>
#include <string_view>

namespace qv {

enum class Ctl : int
{
#define QV_CONTROL(id, name, kind, design, line, enabled, extra) id,
#include "core/model/Controls.def"
#undef QV_CONTROL
    Count
};

enum class ControlKind
{
    Check,   // 0 or 1
    Text,    // free text
    Combo,   // free text with a drop-down list
    Group,   // option buttons of an indexed array: the selected index, -1 for none
    Button,  // one button of a named pair: selected or not
    Font,    // the font combo: one entry of the font list
    Control, // no value: only its enabling is kept
};

struct ControlInfo
{
    Ctl id;
    const char* name; // "PlotOpts.LSQfit"
    ControlKind kind;
    const char* design; // value when the window is created
    int fileLine;       // line of the project file's settings block, 0 when not stored
    bool designEnabled;
    int buttons; // number of buttons of a group
    Ctl partner; // the other button of a pair
};

// Every control, in the order of the table; one name per control.
std::span<const ControlInfo> controlTable();
const ControlInfo& controlInfo(Ctl id);
std::optional<Ctl> findControl(std::string_view name);

} // namespace qv
