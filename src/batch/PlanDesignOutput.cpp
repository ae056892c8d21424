#include "batch/PlanDesignOutput.h"

#include "batch/UsageError.h"
#include "core/Errors.h"
#include "render/QtText.h"

#include <QStringList>
#include <QTextStream>

#include <charconv>
#include <cmath>
#include <string_view>

namespace qv {

namespace {

std::string jsonNumber(double v)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

std::string planJson(const std::optional<DesignedPlan>& plan)
{
    if (!plan) {
        return "null";
    }
    return "{\"n\": " + std::to_string(plan->n) + ", \"k\": " + jsonNumber(plan->k) +
           ", \"pa_at_aql\": " + jsonNumber(plan->paAtAql) +
           ", \"pa_at_ltpd\": " + jsonNumber(plan->paAtLtpd) + "}";
}

// One method's plan, or nothing with the reason on `err`.
std::optional<DesignedPlan> designed(const PlanRequirements& r, PlanMethod method,
                                     QTextStream& err)
{
    const char* name = method == PlanMethod::SMethod ? "s-method" : "sigma-method";
    try {
        if (auto plan = designPlan(r, method)) {
            return plan;
        }
        err << "quantiview: no " << name << " plan of at most " << MaxDesignSampleSize
            << " items meets these risks\n";
    } catch (const QvError& e) {
        err << "quantiview: the " << name << " plan cannot be computed (error " << e.code()
            << ")\n";
    }
    return std::nullopt;
}

} // namespace

PlanRequirements readPlanRequirements(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 4) {
        throw UsageError("--design-plan takes AQL:ALPHA:LTPD:BETA, four fractions separated by "
                         "colons, for example 0.01:0.05:0.06:0.10");
    }
    double numbers[4] = {};
    for (qsizetype i = 0; i < 4; ++i) {
        const std::string part = toUtf8(parts[i]);
        const std::string_view view(part);
        const auto [end, ec] = std::from_chars(view.data(), view.data() + view.size(), numbers[i]);
        if (view.empty() || ec != std::errc{} || end != view.data() + view.size() ||
            !std::isfinite(numbers[i])) {
            throw UsageError("--design-plan: \"" + part + "\" is not a number");
        }
    }
    const PlanRequirements r{numbers[0], numbers[1], numbers[2], numbers[3]};
    if (const auto fault = planRequirementsFault(r)) {
        throw UsageError("--design-plan: " + fault->text);
    }
    return r;
}

std::string planDesignJson(const std::optional<DesignedPlan>& sMethod,
                           const std::optional<DesignedPlan>& sigmaMethod)
{
    return "{\"s_method\": " + planJson(sMethod) + ", \"sigma_method\": " + planJson(sigmaMethod) +
           "}";
}

int printPlanDesign(const PlanRequirements& r, QTextStream& out, QTextStream& err)
{
    const auto sMethod = designed(r, PlanMethod::SMethod, err);
    const auto sigmaMethod = designed(r, PlanMethod::SigmaMethod, err);
    out << toQString(planDesignJson(sMethod, sigmaMethod)) << "\n";
    return sMethod && sigmaMethod ? 0 : 1;
}

} // namespace qv
