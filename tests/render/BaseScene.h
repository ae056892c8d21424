#pragma once
// The scene the render tests paint on.

#include "core/plot/Scene.h"

namespace qv::test {

// A 600 x 450 pixel window (15 twips a pixel) whose plot area, user coordinates
// 0..10 both ways, is 400 x 300 pixels at pixel (100, 50): an x unit is 40
// pixels, a y unit 30.
inline Scene baseScene()
{
    Scene scene;
    scene.windowWidth = 9000;
    scene.windowHeight = 6750;
    scene.plotArea = {1500, 750, 6000, 4500};
    scene.xmax = 10;
    scene.ymax = 10;
    scene.coordinatesSet = true;
    return scene;
}

} // namespace qv::test
