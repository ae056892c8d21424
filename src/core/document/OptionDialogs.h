#pragma once
// The option dialogs' rules, without the dialogs: how each is left (OK, Cancel,
// or a button that switches to another), what its OK and Cancel do to the
// settings, and the opener's loop that walks from dialog to dialog and redraws
// once at the end. The window shows real dialogs through an OptionDialogHost;
// tests script one. Qt-free.

#include "core/model/ControlTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace qv {

class ChartDocument;
class Prompter;
class Settings;

// The three modal option dialogs.
enum class OptionDialog
{
    Graph,    // Graph Options
    Axes,     // Axes Options
    StatsBox, // Statistics Box Options
};

// How the user left a dialog: with its OK, with its Cancel (also Escape and the
// title bar's close button), or with a button that switches to another dialog.
enum class DialogExit
{
    Ok,
    Cancel,
    ToGraph,
    ToAxes,
    ToStatsBox,
};

class OptionDialogHost
{
public:
    virtual ~OptionDialogHost() = default;
    // Shows `dialog` modally and returns once the user has left it; the
    // dialog's own OK and Cancel rules have run by then.
    virtual DialogExit showModal(OptionDialog dialog) = 0;
};

// Shows `first`, then every dialog the user switches to, one after the other
// (never one inside another), until a dialog is closed with OK or Cancel.
// True when the last one was closed with OK.
bool runOptionDialogs(OptionDialogHost& host, OptionDialog first);

// The opener of the option dialogs (a menu command or a double click): while
// the Options menu is unavailable (nothing loaded yet) it does nothing;
// otherwise it runs the dialogs and draws the chart once, without the one-time
// resize, when the last dialog was closed with OK; a setting changed there
// leaves the chart with unsaved work. True when it drew.
bool openOptionDialogs(ChartDocument& document, OptionDialogHost& host, OptionDialog first);

inline constexpr const char* InvalidNumberTitle = "Invalid Number";

// The first check of every dialog's OK: each enabled number field of the dialog
// named `dialogName` ("PlotOpts", "FileChar") must hold wholly a number (a
// decimal comma is a decimal mark). The first that does not is named in a
// message (InvalidNumberTitle, exclamation icon) and returned; the dialog then
// stays open. When all pass, each is stored as its canonical text ("2,57" as
// "2.57") and nothing is returned.
std::optional<Ctl> refusedNumberField(Settings& settings, std::string_view dialogName,
                                      Prompter& prompter);

// Graph Options' OK: on a logarithmic value axis whose manual minimum or
// maximum does not read as a positive number, the Axes Options scale becomes
// "Auto" (its handler runs). The dialog always closes.
void graphOptionsOk(Settings& settings);

// Axes Options' OK checks; the dialog closes only when both pass.
enum class AxesCheck
{
    Accepted,
    InvalidRange, // the maximum is not greater than the minimum
    InvalidTick,  // linear axis and the range is not greater than the tick interval
};
AxesCheck checkAxesOptions(const Settings& settings);

inline constexpr const char* AxesOptionsErrorTitle = "Axes Options Error";
inline constexpr const char* InvalidScaleText = "Invalid Y-scale minimum or maximum value";
inline constexpr const char* InvalidTickText = "Invalid tick interval";

// Runs the checks and, when one fails, shows its message ("Axes Options Error",
// exclamation icon). True when the dialog may close.
bool axesOptionsOk(const Settings& settings, Prompter& prompter);

// Axes Options' Cancel: the same logarithmic-axis guard as Graph Options' OK.
void axesOptionsCancel(Settings& settings);

} // namespace qv
