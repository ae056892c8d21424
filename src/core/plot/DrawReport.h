#pragma once
// What a drawing asks the chart document to change, in the order the drawing
// decided it: settings written back, menu commands made available, the chart
// fonts of the session, the messages to show; and the movable items as the
// drawing left them.

#include "core/model/Menu.h"
#include "core/model/Placements.h"
#include "core/model/Prompter.h"
#include "core/model/Settings.h"

#include <string>
#include <variant>
#include <vector>

namespace qv {

enum class DrawOutcome {
    Drawn,   // complete, warnings allowed
    Stopped, // ended by its own message (the axis-interval stop)
    Failed,  // the general error trap cleared the chart
};

// A text setting written (the automatic scale's ends and step, the upper limit).
struct SetTextChange
{
    Ctl id;
    std::string text;
};

// An option button selected (the linear axis after a log-axis message).
struct SelectButtonChange
{
    Ctl id;
};

// An option group's selection (Page Setup's plot size back to 100 %).
struct SelectGroupChange
{
    Ctl id;
    int index;
};

// Menu commands made available or not.
struct MenuChange
{
    std::vector<Menu> items;
    bool enabled;
};

// The session's chart font face.
struct GraphFontChange
{
    std::string name;
};

// The session's bold choices for the chart texts and the title.
struct BoldFontChange
{
    bool graph;
    bool title;
};

struct MessageChange
{
    std::string text;
    std::string title;
    MessageIcon icon;
};

using DrawChange = std::variant<SetTextChange, SelectButtonChange, SelectGroupChange, MenuChange,
                                GraphFontChange, BoldFontChange, MessageChange>;

struct DrawReport
{
    DrawOutcome outcome = DrawOutcome::Drawn;
    std::vector<DrawChange> changes;
    // The movable items as the drawing placed, sized and captioned them.
    Placements placements;
    // The boxes went to the places a load asked for.
    bool boxesPlaced = false;
};

} // namespace qv
