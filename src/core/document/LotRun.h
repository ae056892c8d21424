#pragma once
// One lot run without a window: the file loaded as the command line loads it,
// the overlay as Input Overlay Data loads it, each setting put into its control
// as if typed in its window, and the chart drawn as the windows' OK draws it.
// Qt-free.

#include "core/model/Settings.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv {

class ChartDocument;

// Settings by control with the text each takes, applied in order.
using SettingValues = std::vector<std::pair<Ctl, std::string>>;

enum class LotOutcome
{
    Drawn,   // loaded and drawn (warnings allowed)
    Stopped, // the drawing ended on its own message (the axis-interval stop)
    Failed,  // a load or the drawing failed
};

struct LotRun
{
    LotOutcome outcome = LotOutcome::Failed;
    bool loaded = false; // the main set, and the overlay when one was asked for, were loaded
    // The set of the last load tried: 2 once the main set loaded and an overlay was asked for.
    int lastTarget = 1;
};

// Whether a drawn lot passes, judged by the verdicts on its main set: any
// verdict that is given and rejects it rejects it.
enum class LotJudgement
{
    Accepted,
    Rejected,
    Unjudged,    // no verdict: no upper limit, or nothing drawn to decide on
    NoVerdictGiven, // a limit, but neither the chart's nor the exact verdict exists
};

// True for the settings that take effect at Refresh Plot rather than at the
// next drawing: Page Setup's (bold type, the one-time resize), as its OK applies
// them.
bool takesEffectAtRefresh(Ctl id);

// Puts each value into its control whether or not the control is enabled, its
// handler running, then draws once: through Refresh Plot when a value takes
// effect there, otherwise as an option window's OK draws. Throws
// std::invalid_argument for a value of the wrong kind.
void applySettings(ChartDocument& document, const SettingValues& values);

// Checks every value on a fresh start-up session with the font list `fonts`
// (asked for only when a value names a font), so that a typing error is found
// before anything is loaded. Throws std::invalid_argument with the reason for
// the first bad one.
void checkSettingValues(const SettingValues& values,
                        const std::function<std::vector<std::string>()>& fonts,
                        const std::string& preferredFallback);

// Loads `file` (the command line's file argument, blanks and quotes kept) into the started-up
// `document`; with `overlay`, then runs Input Overlay Data, whose file name and
// every Data File Parameters answer come from the document's prompter. When
// the loads succeeded and `values` is not empty, applies them and draws.
LotRun runLot(ChartDocument& document, std::string_view file, bool overlay,
              const SettingValues& values);

// The main set's verdict after the last drawing; computes its lot decision.
LotJudgement judgeLot(const ChartDocument& document);

} // namespace qv
