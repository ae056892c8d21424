#pragma once
// The lot decisions of a drawing as the window words them: the status bar's
// line and the Sampling Plan window's fields. Locale-free numbers; "·"
// (U+00B7) and "≤" (U+2264) in UTF-8.

#include "core/stats/decisions/LotDecision.h"

#include <string>

namespace qv {

class Settings;

// The risks and the limits a drawing used, from the settings right after it:
// the CR and LTPD buttons' indexes, the limited sides, and the limits' numbers
// while Limit Lines is ticked (an upper 0 and no lower otherwise, as the chart
// takes them).
DecisionSettings decisionSettings(const Settings& settings);

// Why the chart's k cannot judge the lot, naming N and the plan and pointing
// to the exact plan: "the chart's k = -7.38 is not positive for N = 2 at CR
// 0.05 and LTPD 10%; use the exact plan"; "" while it can.
std::string chartKNote(const LotDecision& decision);

// The status bar's line: the normality test, and with a limit both verdicts,
// each over every limited side, joined by " · ":
//   "Anderson-Darling p = 0.54 · Ts 7.09 ≤ UL 10: accepted · exact k 2.74, Ts 7.34: accepted"
//   "... · Ts 2.53 ≤ UL 2.55, Ts_lower 2.47 ≥ LL 2.45: accepted · exact k 2.74, Ts 2.54,
//    Ts_lower 2.46: accepted"
// A part without an answer is left out ("Anderson-Darling A*² = 0.344, no p
// below 5 points"; "chart's verdict not available: " and chartKNote); "" when
// nothing has one. Where Ts and the limit would print alike although they
// differ, Ts gets more digits.
std::string lotStatusText(const LotDecision& decision);

// The Sampling Plan window's fields for the main lot. A field without a value
// says why ("needs at least 2 enabled points").
struct SamplingPlanTexts
{
    std::string n;            // "5"
    std::string consumerRisk; // "0.1" ("none chosen")
    std::string ltpd;         // "10%"
    std::string k;            // the chart's k: "2.586"
    std::string kExact;       // "2.742"
    std::string ts;           // the chart's Ts: "7.089"
    std::string tsExact;      // "7.336"
    std::string tsLower;      // the chart's mean - k s: "-1.089"
    std::string tsLowerExact; // "-1.336"
    // "accepted: Ts ≤ UL 10", "rejected: Ts ≤ UL 2.55, Ts_lower < LL 2.45",
    // "no upper limit set" ("no limit set" with a lower side chosen),
    // "not available: " and chartKNote
    std::string verdict;
    std::string verdictExact;
    std::string ppk;                 // "1.21", "no value"
    std::string fractionBeyondUpper; // "0.0123%", "no limit", "needs at least 3 enabled points"
    std::string fractionBeyondLower;
    std::string paBothSides; // with both limits: the exact plan's Pa at the lot's estimates
    std::string ocNote;      // with both limits: how the OC curve reads then
    std::string normality; // "A² = 0.186, A*² = 0.198, p = 0.89"
};

// The fields for a lot with its decision and the risks and limit it was
// decided with; an exact Ts of a log-normal lot ends in " (log-normal)".
SamplingPlanTexts samplingPlanTexts(const LotDecision& decision, const DecisionSettings& settings);

} // namespace qv
