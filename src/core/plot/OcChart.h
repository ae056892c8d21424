#pragma once
// The operating characteristic (OC) curve of a lot's exact sampling plan as a
// picture of its own, built as a Scene so that the one painter shows it in the
// Sampling Plan window and writes it to a file: the probability of acceptance
// against the fraction defective, the point (LTPD, CR) the plan passes
// through, and the plan in the caption. Nothing of the chart changes.

#include "core/plot/Scene.h"
#include "core/stats/decisions/LotDecision.h"
#include "core/stats/decisions/PlanDesign.h"

#include <string>

namespace qv {

class TextMeasurer;

// The plan in words, as the picture's caption gives it:
// "N = 5 · exact k = 2.742 · chart's k = 2.586 · CR = 0.1 · LTPD = 10%".
std::string planCaption(const SamplingPlan& plan);

// The picture's texts, in drawing order, for tests and screen readers: the
// x tick labels (percent, 0 to 3 LTPD in steps of LTPD/2) and the y tick labels
// (0 to 1 in steps of 0.2).
struct OcAxisTexts
{
    std::vector<std::string> xTickLabels;
    std::vector<std::string> yTickLabels;
};
OcAxisTexts ocAxisTexts(const SamplingPlan& plan);
// The same for a picture whose x axis ends a little beyond 3 `ltpd`.
OcAxisTexts ocAxisTexts(double ltpd);

// The OC picture, 9000 twips wide (6.25 inches), its texts in `fontFamily`
// measured with `measurer`. Plot-area coordinates: x the fraction defective
// from 0 to a little beyond 3 LTPD, y the probability of acceptance from a
// little below 0 to a little above 1. The curve joins the plan's 30 points;
// the point at the LTPD is marked with dotted guides to both axes.
Scene ocChartScene(const SamplingPlan& plan, const TextMeasurer& measurer,
                   const std::string& fontFamily);

// A designed plan in words, as the design picture's legend gives it:
// "s-method: n = 42, k = 1.898", "σ-method: n = 15, k = 1.886".
std::string designedPlanCaption(PlanMethod method, const DesignedPlan& plan);

// The OC curves of the designed plans in the same frame (x from 0 to a little
// beyond 3 LTPD): the s-method's solid, the sigma-method's dotted, each named
// in a legend at the top right, and the two required points (AQL, 1 - alpha)
// and (LTPD, beta) marked. A method without a plan has no curve. Texts in
// `fontFamily` measured with `measurer`.
Scene planDesignScene(const PlanRequirements& r, const std::optional<DesignedPlan>& sMethod,
                      const std::optional<DesignedPlan>& sigmaMethod, const TextMeasurer& measurer,
                      const std::string& fontFamily);

} // namespace qv
