#include "core/io/AscendingOrder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace qv {

namespace {

constexpr int DigitBits = 11;
constexpr int Digits = (64 + DigitBits - 1) / DigitBits;
constexpr std::size_t Buckets = std::size_t{1} << DigitBits;
// Below this many values a comparison sort is the faster.
constexpr std::size_t ShortList = 512;

// An unsigned key that orders as the number does: the sign bit flipped for
// positive numbers, every bit flipped for negative ones; both zeros are +0.
std::uint64_t keyOf(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value == 0.0 ? 0.0 : value);
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

struct Item
{
    std::uint64_t key;
    std::size_t index;
};

} // namespace

std::vector<std::size_t> ascendingOrder(const double* values, std::size_t n)
{
    std::vector<std::size_t> order(n);
    if (std::any_of(values, values + n, [](double v) { return std::isnan(v); })) {
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [values](std::size_t a, std::size_t b) { return values[a] < values[b]; });
        return order;
    }
    // A list in order already (a project file's points are) stays as it is.
    if (std::is_sorted(values, values + n)) {
        std::iota(order.begin(), order.end(), std::size_t{0});
        return order;
    }
    // A short list is sorted by key: the order the passes below would give, at
    // less than the cost of clearing their counts.
    if (n < ShortList) {
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), [values](std::size_t a, std::size_t b) {
            return keyOf(values[a]) < keyOf(values[b]);
        });
        return order;
    }
    // Least significant digit first: each pass is stable, so equal keys keep the
    // index order they started in. A digit that all keys share needs no pass.
    std::vector<Item> items(n);
    std::vector<std::array<std::size_t, Buckets>> counts(Digits);
    for (auto& c : counts) {
        c.fill(0);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t key = keyOf(values[i]);
        items[i] = {key, i};
        for (int d = 0; d < Digits; ++d) {
            ++counts[static_cast<std::size_t>(d)][(key >> (d * DigitBits)) & (Buckets - 1)];
        }
    }
    std::vector<Item> scratch(n);
    for (int d = 0; d < Digits; ++d) {
        auto& count = counts[static_cast<std::size_t>(d)];
        if (std::find(count.begin(), count.end(), n) != count.end()) {
            continue;
        }
        std::size_t start = 0;
        for (std::size_t& c : count) {
            const std::size_t size = c;
            c = start;
            start += size;
        }
        for (const Item& item : items) {
            scratch[count[(item.key >> (d * DigitBits)) & (Buckets - 1)]++] = item;
        }
        items.swap(scratch);
    }
    for (std::size_t i = 0; i < n; ++i) {
        order[i] = items[i].index;
    }
    return order;
}

} // namespace qv
