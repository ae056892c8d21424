#pragma once
// The order that sorts a list of numbers ascending, keeping equal numbers in
// their first order (a stable sort by "<": -0 and +0 are equal).

#include <cstddef>
#include <vector>

namespace qv {

// Indices into values[0..n): values[order[0]] <= values[order[1]] <= ..., equal
// values by ascending index. The same order as a stable sort with "<" gives, in a
// few passes over the numbers' bits (a list with a NaN, which "<" cannot order
// consistently, is sorted exactly as the stable sort does).
std::vector<std::size_t> ascendingOrder(const double* values, std::size_t n);

} // namespace qv
