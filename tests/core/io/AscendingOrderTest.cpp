// The ascending order a data set is sorted in: that of a stable sort on every kind of list.
#include "core/io/AscendingOrder.h"
#include "support/TestLots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

namespace qv {
namespace {

using test::lot;

// The order a stable sort by "<" gives: what the ascending order must equal.
std::vector<std::size_t> stableOrder(const std::vector<double>& values)
{
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
    return order;
}

TEST(AscendingOrder, GivesTheOrderOfAStableSortOnEveryKindOfList)
{
    std::vector<double> ties;
    for (int i = 0; i < 3000; ++i) {
        ties.push_back(static_cast<double>((i * 7919) % 13) / 4.0);
    }
    std::vector<double> reversed = lot(5000, 5, 1e6, 0.0);
    std::sort(reversed.begin(), reversed.end(), [](double a, double b) { return a > b; });
    const struct
    {
        std::string name;
        std::vector<double> values;
    } cases[] = {
        {"nothing", {}},
        {"a measured lot", lot(100000, 1, 0.6, 25.4)},
        {"values either side of zero", lot(10000, 2, 2e-3, 0.0)},
        {"many equal values", ties},
        {"both zeros and their neighbours",
         {0.0, -0.0, 5e-324, -5e-324, -0.0, 0.0, 1.0, -1.0, 0.0, -0.0}},
        {"the extremes", {std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
                          std::numeric_limits<double>::min(), 0.0, 1.0}},
        {"in order but for -0 and +0 as equals", {-1, 0.0, -0.0, 0.0, 1}},
        {"in reverse order", reversed},
        {"a short lot with ties", std::vector<double>(ties.begin(), ties.begin() + 300)},
        {"a short lot just under the passes' size", lot(511, 3, 1e-3, -0.5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ascendingOrder(c.values.data(), c.values.size()), stableOrder(c.values));
    }
}

} // namespace
} // namespace qv
