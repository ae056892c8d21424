#include "core/document/LotDecisionText.h"

#include "core/Errors.h"
#include "core/format/DecisionNumber.h"
#include "core/format/NumberText.h"
#include "core/model/Settings.h"

#include <charconv>
#include <vector>

namespace qv {

namespace {

using enum Ctl;

constexpr const char* Separator = " \u00b7 ";
constexpr const char* AtMost = " \u2264 ";

double readBack(const std::string& text)
{
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Ts at `decimals` and `significant`, with more digits while it would read as
// the limit although the two differ (a Ts just above the limit never shows
// as equal to it).
std::string tsAgainst(double ts, double limit, int decimals, int significant)
{
    std::string text = decisionNumber(ts, decimals, significant);
    for (int more = 1; readBack(text) == limit && ts != limit && more <= 15; ++more) {
        text = decisionNumber(ts, decimals + more, significant + more);
    }
    return text;
}

const char* verdictWord(bool accepted)
{
    return accepted ? "accepted" : "rejected";
}

std::string verdictText(bool accepted, double limit)
{
    return std::string(verdictWord(accepted)) + ": Ts" + (accepted ? AtMost : " > ") + "UL " +
           plainText(limit);
}

std::string riskText(int index, bool percent)
{
    if (index < 0 || index >= RiskChoiceCount) {
        return "none chosen";
    }
    return percent ? percentOf(nominalLtpd(index)) : plainText(nominalConsumerRisk(index));
}

} // namespace

DecisionSettings decisionSettings(const Settings& settings)
{
    DecisionSettings out;
    out.crIndex = settings.group(PlotOpts_CR);
    out.ltpdIndex = settings.group(PlotOpts_LTPD);
    if (settings.check(PlotOpts_LimitLines) == 1) {
        try {
            out.upperLimit = settings.number(PlotOpts_ULimit);
        } catch (const QvError&) {
            // A limit beyond the largest number was refused by the drawing's
            // own message; the decisions go without a verdict.
        }
    }
    return out;
}

std::string lotStatusText(const LotDecision& decision)
{
    std::vector<std::string> parts;
    if (decision.normality) {
        const std::string p = pValueText(decision.normality->pValue);
        parts.push_back("Anderson-Darling p " + std::string(p.starts_with('<') ? "" : "= ") + p);
    }
    if (const auto& verdict = decision.verdict) {
        const std::string limit = plainText(verdict->upperLimit);
        parts.push_back("Ts " + tsAgainst(decision.ts, verdict->upperLimit, 2, 3) +
                        (verdict->accepted ? AtMost : " > ") + "UL " + limit + ": " +
                        verdictWord(verdict->accepted));
        if (decision.plan) {
            std::string exact = "exact k " + decisionNumber(decision.plan->kExact, 2, 3);
            if (decision.tsExact && verdict->acceptedExact) {
                exact += ", Ts " + tsAgainst(*decision.tsExact, verdict->upperLimit, 2, 3) +
                         ": " + verdictWord(*verdict->acceptedExact);
            }
            parts.push_back(exact);
        }
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : Separator) + part;
    }
    return text;
}

SamplingPlanTexts samplingPlanTexts(const LotDecision& decision, int n,
                                    const DecisionSettings& settings)
{
    SamplingPlanTexts t;
    t.n = std::to_string(n);
    t.consumerRisk = riskText(settings.crIndex, false);
    t.ltpd = riskText(settings.ltpdIndex, true);
    t.k = decisionNumber(decision.k, 3, 4);
    t.ts = decisionNumber(decision.ts, 3, 4);
    const std::string noExact = n < 2 ? "needs at least 2 enabled points" : "no value";
    t.kExact = decision.plan ? decisionNumber(decision.plan->kExact, 3, 4) : noExact;
    t.tsExact = decision.tsExact ? decisionNumber(*decision.tsExact, 3, 4) : noExact;
    if (const auto& verdict = decision.verdict) {
        t.verdict = verdictText(verdict->accepted, verdict->upperLimit);
        t.verdictExact = verdict->acceptedExact
                             ? verdictText(*verdict->acceptedExact, verdict->upperLimit)
                             : noExact;
    } else {
        t.verdict = t.verdictExact = "no upper limit set";
    }
    if (const auto& test = decision.normality) {
        const std::string p = pValueText(test->pValue);
        t.normality = "A\u00b2 = " + decisionNumber(test->a2, 3, 3) + ", A*\u00b2 = " +
                      decisionNumber(test->a2Adjusted, 3, 3) + ", p " +
                      (p.starts_with('<') ? "" : "= ") + p;
    } else {
        t.normality = "needs at least 3 enabled points that are not all equal";
    }
    return t;
}

} // namespace qv
