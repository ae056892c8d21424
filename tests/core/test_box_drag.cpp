// Which item a press grabs and where a released item lands.
#include "core/plot/BoxDrag.h"
#include "core/plot/Scene.h"

#include <gtest/gtest.h>

#include <optional>

namespace qv {
namespace {

// A 9000 x 6750 twips window, its plot area at (1500, 750) 6000 x 4500, the
// title above it, the axis label left of it and three boxes on it: the main
// statistics box, the overlay's box and a free text that reaches beyond the
// plot area's right edge at 7500.
Scene dragScene()
{
    Scene scene;
    scene.windowWidth = 9000;
    scene.windowHeight = 6750;
    scene.plotArea = {1500, 750, 6000, 4500};
    scene.coordinatesSet = true;
    scene.title = {"Lot 7", {}, 3000, 200, 3000, 400, true, false};
    Placements& p = scene.placements;
    p.statsBox = {"Stats", {}, 2000, 1000, 1500, 1200, true, true};
    p.overlayStats = {"Overlay", {}, 5000, 3500, 1200, 1000, true, true};
    p.plotText = {"Note", {}, 7000, 1000, 800, 300, true, false};
    p.overlayText = {"Hidden", {}, 3000, 3000, 800, 300, false, false};
    p.yLabel = {"Width", {}, 300, 2000, 300, 1500, true, false};
    return scene;
}

TEST(BoxDrag, PressesGrabShownItemsAndDropRulesMoveThemOnlyOntoThemselvesOrTheirGround)
{
    const Scene scene = dragScene();
    const std::optional<std::pair<double, double>> stays;
    const struct
    {
        const char* name;
        TwipsPoint press;
        TwipsPoint drop;
        std::optional<std::pair<double, double>> landed;
    } rows[] = {
        {"box on the plot area", {2200, 1100}, {4000, 3000}, std::pair{3800.0, 2900.0}},
        {"box moved a little, onto itself", {2200, 1100}, {2300, 1150}, std::pair{2100.0, 1050.0}},
        {"box on the window's background", {2200, 1100}, {1000, 6000}, stays},
        {"box on the title", {2200, 1100}, {3500, 300}, stays},
        {"box on another box", {2200, 1100}, {5500, 4000}, stays},
        {"box outside the window", {2200, 1100}, {9500, 100}, stays},
        {"axis label on the plot area", {400, 2500}, {3000, 3000}, stays},
        {"axis label on the background", {400, 2500}, {800, 6200}, std::pair{700.0, 5700.0}},
        {"axis label onto itself", {400, 2500}, {450, 2600}, std::pair{350.0, 2100.0}},
        {"axis label on a box", {400, 2500}, {2500, 1500}, stays},
        {"axis label on the title", {400, 2500}, {3500, 300}, stays},
        {"free text where it shows", {7200, 1100}, {2000, 4000}, std::pair{1800.0, 3900.0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto drag = pressAt(scene, row.press);
        ASSERT_TRUE(drag);
        const auto landed = dropAt(scene, *drag, row.drop);
        ASSERT_EQ(landed.has_value(), row.landed.has_value());
        if (landed) {
            EXPECT_EQ(std::pair(landed->x, landed->y), *row.landed);
        }
    }
    // Nothing to grab: a box where it is cut off, a hidden item, the plot area, the title.
    for (const TwipsPoint empty : {TwipsPoint{7600, 1100}, TwipsPoint{3100, 3100},
                                   TwipsPoint{4000, 2000}, TwipsPoint{3500, 300}}) {
        EXPECT_FALSE(pressAt(scene, empty)) << empty.x << "," << empty.y;
    }
}

} // namespace
} // namespace qv
