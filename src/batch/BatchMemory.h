#pragma once
// How the batch program's memory is handed out.

namespace qv {

// Large blocks freed during the run are kept for the next ones instead of being
// given back to the system at once. Every page the system hands out again must
// be cleared first, and a load and drawing of 100000 points frees and asks for
// tens of megabytes in turn, so keeping them saves thousands of page clearings.
// Meant for a short run that ends the process; does nothing where the C library
// has no such tuning.
void keepFreedMemoryForReuse();

} // namespace qv
