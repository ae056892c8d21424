#pragma once
// Long lists worked on in two halves at once: the lower half on the calling
// thread, the upper half on a thread of its own. A short list, or a machine with
// one processor, is worked on whole by the calling thread.

#include <cstddef>
#include <future>
#include <thread>

namespace qv {

// Where inTwoHalves splits a list of `count` items: count / 2 when count
// reaches `twoFrom` and the machine has two processors, else count (no split).
inline std::size_t twoHalvesMiddle(std::size_t count, std::size_t twoFrom)
{
    return count >= twoFrom && std::thread::hardware_concurrency() > 1 ? count / 2 : count;
}

// Calls lower(0, middle) here and upper(middle, count) on another thread at
// the same time, middle being twoHalvesMiddle(count, twoFrom); without a split,
// lower(0, count) alone. Returns when both are done; an exception of either is
// passed on.
template <class Lower, class Upper>
void inTwoHalves(std::size_t count, std::size_t twoFrom, Lower&& lower, Upper&& upper)
{
    const std::size_t middle = twoHalvesMiddle(count, twoFrom);
    if (middle == count) {
        lower(std::size_t{0}, count);
        return;
    }
    auto upperHalf =
        std::async(std::launch::async, [&upper, middle, count] { upper(middle, count); });
    lower(std::size_t{0}, middle);
    upperHalf.get();
}

} // namespace qv
