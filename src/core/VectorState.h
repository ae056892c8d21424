#pragma once
// Clears the upper halves of the processor's wide vector registers. Library code
// that uses them without clearing them afterwards (the windowing system's image
// and text routines do) leaves every later scalar floating-point instruction
// paying a transition penalty, several times the cost of the work itself. Cheap,
// and a no-op on processors without such registers.

namespace qv {

void clearUpperVectorState() noexcept;

} // namespace qv
