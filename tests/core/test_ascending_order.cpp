#include "core/io/AscendingOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

namespace qv {
namespace {

// The order a stable sort by "<" gives: what the ascending order must equal.
std::vector<std::size_t> stableOrder(const std::vector<double>& values)
{
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
    return order;
}

std::vector<double> lot(std::size_t n, std::uint64_t seed, double scale, double offset)
{
    std::vector<double> values;
    std::uint64_t state = seed;
    for (std::size_t i = 0; i < n; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        values.push_back(offset + scale * (static_cast<double>(state >> 11) * 0x1p-53 - 0.5));
    }
    return values;
}

TEST(AscendingOrder, GivesTheOrderOfAStableSortOnEveryKindOfList)
{
    constexpr double Inf = std::numeric_limits<double>::infinity();
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> ties;
    for (int i = 0; i < 3000; ++i) {
        ties.push_back(static_cast<double>((i * 7919) % 13) / 4.0);
    }
    std::vector<double> rounded = lot(20000, 3, 1.0, 25.4);
    for (double& v : rounded) {
        v = std::round(v * 100) / 100;
    }
    std::vector<double> reversed = lot(5000, 5, 1e6, 0.0);
    std::sort(reversed.begin(), reversed.end(), [](double a, double b) { return a > b; });
    const struct
    {
        std::string name;
        std::vector<double> values;
    } cases[] = {
        {"nothing", {}},
        {"one value", {2.5}},
        {"a measured lot", lot(100000, 1, 0.6, 25.4)},
        {"values either side of zero", lot(10000, 2, 2e-3, 0.0)},
        {"many equal values", ties},
        {"values rounded to two places", rounded},
        {"both zeros and their neighbours",
         {0.0, -0.0, 5e-324, -5e-324, -0.0, 0.0, 1.0, -1.0, 0.0, -0.0}},
        {"the extremes",
         {Inf, -Inf, std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
          std::numeric_limits<double>::min(), 0.0, -Inf, Inf}},
        {"in order already", {1, 2, 2, 3, 5, 8, 13}},
        {"in order but for -0 and +0 as equals", {-1, 0.0, -0.0, 0.0, 1}},
        {"in reverse order", reversed},
        {"all the same", std::vector<double>(500, 7.25)},
        {"a NaN among them", {3, NaN, 1, 2, NaN, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ascendingOrder(c.values.data(), c.values.size()), stableOrder(c.values));
    }
}

} // namespace
} // namespace qv
