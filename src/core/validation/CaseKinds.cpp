#include "core/validation/CaseKinds.h"

#include "core/io/ProjectFileLayout.h"
#include "core/model/ControlTable.h"
#include "core/stats/StatisticsPass.h"
#include "core/stats/decisions/ExactPlan.h"
#include "core/stats/decisions/LotEstimates.h"
#include "core/stats/decisions/PlanDesign.h"
#include "core/validation/CaseLot.h"

#include <charconv>
#include <vector>

namespace qv {

namespace {

int sampleSize(const ValidationCase& c)
{
    const double n = numberInput(c, "n");
    if (n < 1 || n > 1e9 || n != static_cast<int>(n)) {
        throw CaseError("n must be a whole number of 1 or more");
    }
    return static_cast<int>(n);
}

// A lot loaded and drawn; one of its quantities.
std::string runLotCase(const ValidationCase& c, const CaseContext& context)
{
    CaseLot lot(context);
    lot.load(c);
    return lot.quantity(c);
}

// The chart's acceptance multiplier k for n points from the Gaussian variables
// of the consumer's risk (kbeta) and the LTPD (k2).
std::string runWrittenK(const ValidationCase& c, const CaseContext&)
{
    return numberText(
        acceptanceFactors(sampleSize(c), numberInput(c, "kbeta"), numberInput(c, "k2")).k);
}

// The exact k for n points, a consumer's risk cr and an LTPD (fractions).
std::string runExactK(const ValidationCase& c, const CaseContext&)
{
    return numberText(exactK(sampleSize(c), numberInput(c, "cr"), numberInput(c, "ltpd")));
}

// The probability of acceptance at fraction defective p of the exact plan for n, cr, ltpd.
std::string runOcPoint(const ValidationCase& c, const CaseContext&)
{
    const int n = sampleSize(c);
    const double k = exactK(n, numberInput(c, "cr"), numberInput(c, "ltpd"));
    return numberText(acceptanceProbability(n, k, numberInput(c, "p")));
}

// A plan designed from aql, alpha, ltpd and beta (fractions) by method "s"
// or "sigma"; quantity n, k, pa_at_aql or pa_at_ltpd.
std::string runDesignPlan(const ValidationCase& c, const CaseContext&)
{
    const PlanRequirements requirements{numberInput(c, "aql"), numberInput(c, "alpha"),
                                        numberInput(c, "ltpd"), numberInput(c, "beta")};
    if (const auto fault = planRequirementsFault(requirements)) {
        throw CaseError(fault->text);
    }
    const std::string method = c.input("method");
    if (method != "s" && method != "sigma") {
        throw CaseError("method must be s or sigma");
    }
    const auto plan =
        designPlan(requirements, method == "s" ? PlanMethod::SMethod : PlanMethod::SigmaMethod);
    if (!plan) {
        throw CaseError("no plan within the largest sample size");
    }
    const std::string quantity = c.input("quantity");
    if (quantity == "n") {
        return std::to_string(plan->n);
    }
    const std::pair<const char*, double> numbers[] = {
        {"k", plan->k}, {"pa_at_aql", plan->paAtAql}, {"pa_at_ltpd", plan->paAtLtpd}};
    for (const auto& [name, value] : numbers) {
        if (quantity == name) {
            return numberText(value);
        }
    }
    throw CaseError("unknown quantity \"" + quantity + "\"");
}

// The estimated fraction beyond a limit from n points whose mean lies q
// sample standard deviations inside it.
std::string runFractionBeyond(const ValidationCase& c, const CaseContext&)
{
    const auto fraction = fractionBeyondLimit(sampleSize(c), numberInput(c, "q"));
    if (!fraction) {
        throw CaseError("no estimate for these inputs");
    }
    return numberText(*fraction);
}

// The first difference between two charts' points, the settings a project
// stores, and their drawings; empty when none.
std::string firstDifference(const ChartDocument& a, const ChartDocument& b)
{
    const DataSet& x = a.session().set(1);
    const DataSet& y = b.session().set(1);
    if (x.values != y.values || x.states != y.states || x.sigmas != y.sigmas) {
        return "the points differ";
    }
    std::vector<Ctl> stored;
    for (const LineSlot& slot : settingsLineTable()) {
        stored.push_back(slot.id);
    }
    for (const ExtraSetting& extra : ExtraSettings) {
        stored.push_back(extra.id);
    }
    for (const Ctl id : stored) {
        if (id != Ctl::Count &&
            a.session().settings.valueText(id) != b.session().settings.valueText(id)) {
            return std::string("setting ") + controlInfo(id).name + " differs";
        }
    }
    const DrawingResults& r = a.plot().results();
    const DrawingResults& s = b.plot().results();
    if (r.xTickLabels != s.xTickLabels || r.yTickLabels != s.yTickLabels ||
        r.sets[0].statsBox != s.sets[0].statsBox || r.sets[0].tsLabel != s.sets[0].tsLabel) {
        return "the drawing differs";
    }
    return {};
}

// A lot saved by Save File As (which fixes the value scale it shows) and opened
// again: the points, every setting and the drawing come back as they were.
std::string runRoundTrip(const ValidationCase& c, const CaseContext& context)
{
    CaseLot original(context);
    original.load(c);
    const std::filesystem::path project = context.scratchFolder / (c.id + ".qvw");
    if (!original.saveAs(project)) {
        throw CaseError("the project was not written");
    }
    CaseLot reopened(context);
    reopened.open(project);
    const std::string difference = firstDifference(original.document(), reopened.document());
    return difference.empty() ? "identical" : difference;
}

constexpr CaseKind CoreKinds[] = {
    {"lot", runLotCase}, {"written_k", runWrittenK},   {"exact_k", runExactK},
    {"oc", runOcPoint},  {"round_trip", runRoundTrip}, {"design_plan", runDesignPlan},
    {"fraction_beyond", runFractionBeyond},
};

} // namespace

std::span<const CaseKind> coreCaseKinds()
{
    return CoreKinds;
}

double numberInput(const ValidationCase& c, const std::string& name)
{
    const std::string text = c.input(name);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) {
        throw CaseError("input " + name + " is " + (text.empty() ? "missing" : "not a number"));
    }
    return value;
}

} // namespace qv
