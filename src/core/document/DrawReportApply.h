#pragma once
// How the chart document takes in what a drawing decided.

#include "core/plot/DrawReport.h"

namespace qv {

class Prompter;
class Session;

// Applies `report` to the session in the drawing's order: settings written
// through their setters (so their handlers and listeners run), menu states,
// the chart fonts, and messages shown through `prompter`; then the movable
// items as the drawing left them. Returns the drawing's outcome.
DrawOutcome applyDrawReport(Session& session, Prompter& prompter, const DrawReport& report);

} // namespace qv
