// The picture of the designed plans' OC curves.
#include "core/plot/OcChart.h"
#include "support/FixedPitchMeasurer.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace qv {
namespace {

std::vector<std::string> plotTexts(const Scene& scene)
{
    std::vector<std::string> texts;
    for (const ScenePrimitive& p : scene.primitives) {
        if (const auto* text = std::get_if<SceneText>(&p)) {
            texts.push_back(text->text());
        }
    }
    return texts;
}

TEST(PlanDesignScene, NamesEachPlanInItsLegendAndMarksBothRequiredPoints)
{
    const PlanRequirements r{0.01, 0.05, 0.06, 0.10};
    const auto s = designPlan(r, PlanMethod::SMethod);
    const auto sigma = designPlan(r, PlanMethod::SigmaMethod);
    const test::FixedPitchMeasurer measurer;
    const Scene both = planDesignScene(r, s, sigma, measurer, "DejaVu Sans");
    EXPECT_EQ(both.title.caption, "OC Curves of the Designed Plans");
    EXPECT_EQ(both.windowTexts[0].text,
              "AQL = 1% \u00b7 \u03b1 = 0.05 \u00b7 LTPD = 6% \u00b7 \u03b2 = 0.1");
    EXPECT_EQ(plotTexts(both), (std::vector<std::string>{
                                   "s-method: n = 42, k = 1.898",
                                   "\u03c3-method: n = 15, k = 1.886",
                                   "Pa = 0.95 at AQL 1%",
                                   "Pa = 0.1 at LTPD 6%",
                               }));
    // The x axis reaches beyond 3 LTPD, so both points show.
    EXPECT_DOUBLE_EQ(both.xmax, 3.05 * 0.06);

    // Without a sigma-method plan, its curve and legend line are left out.
    const Scene one = planDesignScene(r, s, std::nullopt, measurer, "DejaVu Sans");
    EXPECT_EQ(plotTexts(one).size(), 3u);
    EXPECT_LT(one.primitives.size(), both.primitives.size());
}

} // namespace
} // namespace qv
