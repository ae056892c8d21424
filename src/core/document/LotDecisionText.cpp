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
constexpr const char* AtLeast = " \u2265 ";

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

// Each limited side's Ts against its limit: "Ts 7.09 ≤ UL 10", "Ts_lower 2.44 < LL 2.45"
// (`withValues` false leaves the Ts values out: "Ts ≤ UL 10"), joined by ", ".
std::string sidesText(const LotVerdict& verdict, std::optional<double> ts,
                      std::optional<double> tsLower, bool withValues)
{
    std::string text;
    if (const auto limit = verdict.upperLimit; limit && ts) {
        const bool passes = lotAccepted(*ts, *limit);
        text = "Ts" + (withValues ? " " + tsAgainst(*ts, *limit, 2, 3) : std::string()) +
               (passes ? AtMost : " > ") + "UL " + plainText(*limit);
    }
    if (const auto limit = verdict.lowerLimit; limit && tsLower) {
        const bool passes = lotAcceptedLower(*tsLower, *limit);
        text += (text.empty() ? "" : ", ") + std::string("Ts_lower") +
                (withValues ? " " + tsAgainst(*tsLower, *limit, 2, 3) : std::string()) +
                (passes ? AtLeast : " < ") + "LL " + plainText(*limit);
    }
    return text;
}

std::string verdictText(bool accepted, const LotVerdict& verdict, std::optional<double> ts,
                        std::optional<double> tsLower)
{
    return std::string(verdictWord(accepted)) + ": " + sidesText(verdict, ts, tsLower, false);
}

// A fraction beyond a limit as a percentage to 3 decimals or 3 significant digits.
std::string fractionText(const std::optional<double>& fraction, bool limited,
                         const std::string& why)
{
    if (!limited) {
        return "no limit";
    }
    return fraction ? decisionNumber(100.0 * *fraction, 3, 3) + "%" : why;
}

std::string riskText(int index, bool percent)
{
    if (index < 0 || index >= RiskChoiceCount) {
        return "none chosen";
    }
    return percent ? percentOf(nominalLtpd(index)) : plainText(nominalConsumerRisk(index));
}

std::string normalityText(const NormalityTest& test)
{
    if (!test.pValue) {
        return "A*\u00b2 = " + decisionNumber(test.a2Adjusted, 3, 3) + ", no p below " +
               std::to_string(NormalityPValueFrom) + " points";
    }
    const std::string p = pValueText(*test.pValue);
    return "p " + std::string(p.starts_with('<') ? "" : "= ") + p;
}

std::string planWords(const LotDecision& decision)
{
    std::string words = "N = " + std::to_string(decision.n);
    if (const auto& plan = decision.plan) {
        words += " at CR " + plainText(plan->consumerRisk) + " and LTPD " + percentOf(plan->ltpd);
    }
    return words;
}

// The estimates against the limits; the two-sided Pa and its note only with both limits.
void fillEstimateTexts(SamplingPlanTexts& t, const LotVerdict& verdict, const LotDecision& decision)
{
    const LimitEstimates& e = verdict.estimates;
    const std::string why = decision.n < 3 ? "needs at least 3 enabled points" : "no value";
    t.ppk = e.ppk ? decisionNumber(*e.ppk, 2, 3) : "no value";
    t.fractionBeyondUpper = fractionText(e.fractionBeyondUpper, verdict.upperLimit.has_value(), why);
    t.fractionBeyondLower = fractionText(e.fractionBeyondLower, verdict.lowerLimit.has_value(), why);
    if (verdict.upperLimit && verdict.lowerLimit) {
        t.paBothSides = e.paBothSides ? decisionNumber(*e.paBothSides, 3, 3) : "no value";
        t.ocNote = "With two limits the OC curve is that of each limit alone.";
    }
}

} // namespace

std::string chartKNote(const LotDecision& decision)
{
    switch (decision.chartK) {
    case ChartK::Usable:
        return {};
    case ChartK::NotPositive:
        return "the chart's k = " + decisionNumber(decision.k.value_or(0.0), 2, 3) +
               " is not positive for " + planWords(decision) + "; use the exact plan";
    case ChartK::NoValue:
        break;
    }
    return "the chart's k has no value for " + planWords(decision) + "; use the exact plan";
}

DecisionSettings decisionSettings(const Settings& settings)
{
    DecisionSettings out;
    out.crIndex = settings.group(PlotOpts_CR);
    out.ltpdIndex = settings.group(PlotOpts_LTPD);
    out.axis = settings.selected(PlotOpts_LogY) ? ValueScale::Log : ValueScale::Linear;
    out.consumerRiskZ = settings.consumerRiskZ();
    out.ltpdZ = settings.ltpdZ();
    try {
        out.backgroundValue = settings.number(PlotOpts_BkgValue);
    } catch (const QvError&) {
        // The drawing refused it with its own message; its decisions are not made.
    }
    const int sides = settings.group(PlotOpts_LimitSides);
    out.sides = sides == 1 ? LimitSides::Lower : sides == 2 ? LimitSides::Both : LimitSides::Upper;
    if (settings.check(PlotOpts_LimitLines) == 1) {
        // A limit beyond the largest number was refused by the drawing's own
        // message; the decisions go without it.
        try {
            out.upperLimit = settings.number(PlotOpts_ULimit);
        } catch (const QvError&) {
        }
        if (out.sides != LimitSides::Upper) {
            try {
                out.lowerLimit = settings.number(PlotOpts_LLimit);
            } catch (const QvError&) {
            }
        }
    }
    return out;
}

std::string lotStatusText(const LotDecision& decision)
{
    std::vector<std::string> parts;
    if (decision.normality) {
        parts.push_back("Anderson-Darling " + normalityText(*decision.normality));
    }
    if (const auto& verdict = decision.verdict) {
        if (verdict->accepted) {
            parts.push_back(sidesText(*verdict, decision.ts, decision.tsLower, true) + ": " +
                            verdictWord(*verdict->accepted));
        } else {
            parts.push_back("chart's verdict not available: " + chartKNote(decision));
        }
        if (decision.plan) {
            std::string exact = "exact k " + decisionNumber(decision.plan->kExact, 2, 3);
            if (verdict->acceptedExact) {
                const auto side = [](const char* name, std::optional<double> limit,
                                     std::optional<double> ts) {
                    return limit && ts ? std::string(", ") + name + " " +
                                             tsAgainst(*ts, *limit, 2, 3)
                                       : std::string();
                };
                exact += side("Ts", verdict->upperLimit, decision.tsExact) +
                         side("Ts_lower", verdict->lowerLimit, decision.tsLowerExact) + ": " +
                         verdictWord(*verdict->acceptedExact);
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

SamplingPlanTexts samplingPlanTexts(const LotDecision& decision, const DecisionSettings& settings)
{
    SamplingPlanTexts t;
    t.n = std::to_string(decision.n);
    t.consumerRisk = riskText(settings.crIndex, false);
    t.ltpd = riskText(settings.ltpdIndex, true);
    const std::string noChartK = "no value: " + chartKNote(decision);
    t.k = decision.k ? decisionNumber(*decision.k, 3, 4) : noChartK;
    t.ts = decision.ts ? decisionNumber(*decision.ts, 3, 4) : noChartK;
    const std::string noExact = decision.n < 2 ? "needs at least 2 enabled points" : "no value";
    t.kExact = decision.plan ? decisionNumber(decision.plan->kExact, 3, 4) : noExact;
    t.tsExact = decision.tsExact ? decisionNumber(*decision.tsExact, 3, 4) : noExact;
    if (decision.tsExact && decision.scale == ValueScale::Log) {
        t.tsExact += " (log-normal)";
    }
    t.tsLower = decision.tsLower ? decisionNumber(*decision.tsLower, 3, 4) : noChartK;
    t.tsLowerExact =
        decision.tsLowerExact ? decisionNumber(*decision.tsLowerExact, 3, 4) : noExact;
    if (decision.tsLowerExact && decision.scale == ValueScale::Log) {
        t.tsLowerExact += " (log-normal)";
    }
    if (const auto& verdict = decision.verdict) {
        t.verdict = verdict->accepted
                        ? verdictText(*verdict->accepted, *verdict, decision.ts, decision.tsLower)
                        : "not available: " + chartKNote(decision);
        t.verdictExact = verdict->acceptedExact
                             ? verdictText(*verdict->acceptedExact, *verdict, decision.tsExact,
                                           decision.tsLowerExact)
                             : noExact;
        fillEstimateTexts(t, *verdict, decision);
    } else {
        t.verdict = t.verdictExact = t.ppk = t.fractionBeyondUpper = t.fractionBeyondLower =
            settings.sides == LimitSides::Upper ? "no upper limit set" : "no limit set";
    }
    if (const auto& test = decision.normality) {
        t.normality = "A\u00b2 = " + decisionNumber(test->a2, 3, 3) +
                      ", A*\u00b2 = " + decisionNumber(test->a2Adjusted, 3, 3) + ", " +
                      (test->pValue ? normalityText(*test)
                                    : "p not given below " + std::to_string(NormalityPValueFrom) +
                                          " points, where its formula does not hold");
    } else {
        t.normality = "needs at least 3 enabled points that are not all equal";
    }
    return t;
}

} // namespace qv
