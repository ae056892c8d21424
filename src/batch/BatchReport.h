#pragma once
// The JSON report of one lot (--report): the window title, the outcome, the
// messages shown, each set with its statistics, fit, texts and lot decisions,
// the axes, the limit labels, every setting and the disabled controls.

#include "core/document/LotRun.h"

#include <QJsonObject>
#include <QString>

namespace qv {

class ChartDocument;
class ScriptedPrompter;

// "drawn", "stopped" or "failed", as the report's "outcome" says it.
QString outcomeName(LotOutcome outcome);

// The report of `document` after its lot ran with `outcome`; `prompter` holds
// the messages the lot showed. Computes the lot decisions of the drawn sets.
QJsonObject lotReport(const ChartDocument& document, const ScriptedPrompter& prompter,
                      LotOutcome outcome);

} // namespace qv
