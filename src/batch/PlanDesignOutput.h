#pragma once
// --design-plan: the smallest sampling plans for two points of the OC curve,
// printed as one JSON object; no lot is read.

#include "core/stats/decisions/PlanDesign.h"

#include <QString>

#include <optional>
#include <string>

class QTextStream;

namespace qv {

// The requirements of "AQL:ALPHA:LTPD:BETA", four fractions separated by
// colons, each wholly a number. Throws UsageError for a malformed text or
// faulty requirements (the message says which).
PlanRequirements readPlanRequirements(const QString& text);

// The designs of both methods as one line of JSON:
// {"s_method": {"n": 42, "k": .., "pa_at_aql": .., "pa_at_ltpd": ..}, "sigma_method": {...}},
// numbers written so that they read back to the same double; a method
// without a plan within the largest sample size is null.
std::string planDesignJson(const std::optional<DesignedPlan>& sMethod,
                           const std::optional<DesignedPlan>& sigmaMethod);

// Designs both plans and prints their JSON on `out`; returns the exit status:
// 0, or 1 when a method has no plan (said on `err`, the method null).
int printPlanDesign(const PlanRequirements& r, QTextStream& out, QTextStream& err);

} // namespace qv
