// The pointer's way back from device pixels to chart units.
#include "core/plot/ChartGeometry.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ChartGeometry, GivesTheChartPointUnderAPositionInsideTheDeviceRectangleOnly)
{
    // x from -2 to 2 and y from 10 to 30 on 400 x 200 pixels whose corner is at (50, 20).
    const ChartGeometry geometry =
        ChartGeometry({1500, 750, 6000, 3000}, -2, 2, 10, 30).onDevice({50, 20, 400, 200});
    const struct
    {
        const char* name;
        double left, top;
        double x, y;
    } inside[] = {
        {"top left corner", 50, 20, -2, 30},
        {"centre", 250, 120, 0, 20},
        {"last pixel", 449.5, 219.5, 1.995, 10.05},
    };
    for (const auto& row : inside) {
        SCOPED_TRACE(row.name);
        const auto at = geometry.deviceToChart(row.left, row.top);
        ASSERT_TRUE(at.has_value());
        EXPECT_NEAR(at->x, row.x, 1e-12);
        EXPECT_NEAR(at->y, row.y, 1e-12);
        // And forward again to the same position.
        EXPECT_NEAR(geometry.xToDevice(at->x), row.left, 1e-9);
        EXPECT_NEAR(geometry.yToDevice(at->y), row.top, 1e-9);
    }
    for (const auto& [left, top] : {std::pair{49.9, 100.0}, std::pair{450.0, 100.0},
                                    std::pair{100.0, 19.0}, std::pair{100.0, 220.0}}) {
        SCOPED_TRACE(std::to_string(left) + ", " + std::to_string(top));
        EXPECT_FALSE(geometry.deviceToChart(left, top).has_value());
    }
    // A chart without height has no point to give.
    const ChartGeometry flat = ChartGeometry({0, 0, 1500, 1500}, 0, 1, 5, 5).onDevice({0, 0, 100, 100});
    EXPECT_FALSE(flat.deviceToChart(50, 50).has_value());
}

} // namespace
} // namespace qv
