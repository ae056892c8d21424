#pragma once
// A control's value as one text, for tables of expected settings: check 0/1,
// group index, pair "true"/"false", the text of any other control.

#include "core/model/Settings.h"

#include <string>

namespace qv::test {

inline std::string settingText(const Settings& s, Ctl id)
{
    switch (controlInfo(id).kind) {
    case ControlKind::Check:
        return std::to_string(s.check(id));
    case ControlKind::Group:
        return std::to_string(s.group(id));
    case ControlKind::Button:
        return s.selected(id) ? "true" : "false";
    default:
        return s.text(id);
    }
}

} // namespace qv::test
