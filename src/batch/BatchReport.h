#pragma once
// The JSON report of one lot (--report): the window title, the outcome, the
// messages shown, each set with its statistics, fit, texts and lot decisions,
// the axes, the limit labels, every setting and the disabled controls.

#include "core/document/LotRun.h"

namespace qv {

class ChartDocument;
class JsonWriter;
class ScriptedPrompter;

// Writes the report of `document` after its lot ran with `outcome` to `json`
// as one object, its members in ascending order of their names; `prompter`
// holds the messages the lot showed. Computes the lot decisions of the drawn sets.
void writeLotReport(JsonWriter& json, const ChartDocument& document,
                    const ScriptedPrompter& prompter, LotOutcome outcome);

} // namespace qv
