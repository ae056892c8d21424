#pragma once
// The chart's date stamp.

#include <chrono>
#include <string>

namespace qv {

// The date as "mm-dd-yy": two-digit month and day, the last two digits of the
// year, joined by '-' (5 March 2026 gives "03-05-26"). An invalid date reads
// "00-00-00".
std::string formatDate(std::chrono::year_month_day date);

} // namespace qv
