#pragma once
// The kinds of validation case. A kind is one function that computes a case's
// value through the program's own code and returns it as text (numbers by
// numberText); it throws CaseError when the case gives no value. Adding a kind
// is that function plus one line in the table of kinds.

#include "core/validation/CaseContext.h"
#include "core/validation/ValidationCase.h"

#include <span>
#include <string>
#include <string_view>

namespace qv {

using CaseKindFunction = std::string (*)(const ValidationCase& validationCase,
                                         const CaseContext& context);

struct CaseKind
{
    std::string_view name;
    CaseKindFunction run;
};

// The kinds that need no window system: lot, written_k, exact_k, oc, round_trip,
// design_plan, fraction_beyond.
[[nodiscard]] std::span<const CaseKind> coreCaseKinds();

// The number of input `name`; CaseError when it is missing or not wholly a number.
[[nodiscard]] double numberInput(const ValidationCase& validationCase, const std::string& name);

} // namespace qv
