#include "core/validation/CaseLot.h"

#include "core/model/ControlTable.h"
#include "core/validation/CaseKinds.h"

#include <chrono>
#include <cmath>
#include <functional>

namespace qv {

namespace {

using namespace std::chrono_literals;

// The footer's date in every validation picture.
constexpr std::chrono::year_month_day FixedFooterDate{2006y / std::chrono::August / 26d};

std::string joined(const std::vector<std::string>& texts)
{
    std::string out;
    for (const std::string& text : texts) {
        out += (out.empty() ? "" : ",") + text;
    }
    return out;
}

std::optional<int> wholeInput(const ValidationCase& c, const std::string& name)
{
    if (c.input(name).empty()) {
        return std::nullopt;
    }
    return static_cast<int>(numberInput(c, name));
}

DataFileAnswers dataFileAnswers(const ValidationCase& c)
{
    DataFileAnswers answers;
    answers.columns = wholeInput(c, "columns");
    answers.valueColumn = wholeInput(c, "value_column");
    answers.sigmaColumn = wholeInput(c, "sigma_column");
    if (const auto labels = wholeInput(c, "labels")) {
        answers.labels = *labels != 0;
    }
    answers.decimalComma = c.input("decimal_comma") == "1";
    return answers;
}

SettingValues settingValues(const ValidationCase& c)
{
    SettingValues values;
    for (const std::string& assignment : c.inputsNamed("set")) {
        const auto eq = assignment.find('=');
        const auto id = findControl(assignment.substr(0, eq));
        if (eq == std::string::npos || !id) {
            throw CaseError("unknown setting in \"" + assignment + "\"");
        }
        values.emplace_back(*id, assignment.substr(eq + 1));
    }
    return values;
}

const SetResults& mainSet(const CaseLot& lot)
{
    const SetResults& set = lot.document().plot().results().sets[0];
    if (!set.statistics) {
        throw CaseError("the drawing gave no statistics");
    }
    return set;
}

const LotDecision& decision(const CaseLot& lot)
{
    const LotDecision* d = lot.document().lotDecision(1);
    if (!d) {
        throw CaseError("the lot has no decision");
    }
    return *d;
}

const SamplingPlan& plan(const CaseLot& lot)
{
    const auto& p = decision(lot).plan;
    if (!p) {
        throw CaseError("the lot has no exact plan");
    }
    return *p;
}

const NormalityTest& normality(const CaseLot& lot)
{
    const auto& test = decision(lot).normality;
    if (!test) {
        throw CaseError("the lot has no normality test");
    }
    return *test;
}

std::string text(const std::optional<std::string>& shown, const char* what)
{
    if (!shown) {
        throw CaseError(std::string(what) + " is not shown");
    }
    return *shown;
}

using Quantity = std::function<std::string(const CaseLot&, const ValidationCase&)>;

const LotVerdict& verdict(const CaseLot& lot)
{
    const auto& v = decision(lot).verdict;
    if (!v) {
        throw CaseError("the lot has no limited side");
    }
    return *v;
}

// A number the decisions may leave absent; `what` names it in the failure.
std::string present(const std::optional<double>& value, const char* what)
{
    if (!value) {
        throw CaseError(std::string("the lot has no ") + what);
    }
    return numberText(*value);
}

std::string verdictText(const std::optional<bool>& accepted)
{
    if (!accepted) {
        throw CaseError("the lot has no verdict");
    }
    return *accepted ? "accepted" : "rejected";
}

std::string statistic(const CaseLot& lot, double SetStatistics::*member)
{
    return numberText((*mainSet(lot).statistics).*member);
}

std::string ocPoint(const CaseLot& lot, const ValidationCase& c)
{
    const double point = numberInput(c, "point");
    if (point < 1 || point > OcPointCount || point != std::floor(point)) {
        throw CaseError("point must be 1 to " + std::to_string(OcPointCount));
    }
    return numberText(plan(lot).oc.probabilityOfAcceptance[static_cast<std::size_t>(point) - 1]);
}

// What a lot case may compare, by the name its input "quantity" gives; a new
// number of the drawn lot (a report field) is one line here.
const std::vector<std::pair<std::string_view, Quantity>>& quantities()
{
    using S = SetStatistics;
    static const std::vector<std::pair<std::string_view, Quantity>> table{
        {"n",
         [](const CaseLot& l, const auto&) { return std::to_string(mainSet(l).statistics->n); }},
        {"min", [](const CaseLot& l, const auto&) { return statistic(l, &S::shownMin); }},
        {"max", [](const CaseLot& l, const auto&) { return statistic(l, &S::shownMax); }},
        {"mean", [](const CaseLot& l, const auto&) { return statistic(l, &S::shownMean); }},
        {"sigma", [](const CaseLot& l, const auto&) { return statistic(l, &S::shownSigma); }},
        {"k", [](const CaseLot& l, const auto&) { return statistic(l, &S::k); }},
        {"ts", [](const CaseLot& l, const auto&) { return statistic(l, &S::shownTs); }},
        {"ts_plot", [](const CaseLot& l, const auto&) { return statistic(l, &S::ts); }},
        {"ts_label",
         [](const CaseLot& l, const auto&) { return text(mainSet(l).tsLabel, "the Ts label"); }},
        {"percent_label",
         [](const CaseLot& l, const auto&) {
             return text(mainSet(l).percentLabel, "the percent label");
         }},
        {"xmax", [](const CaseLot& l,
                    const auto&) { return numberText(l.document().plot().results().xmax); }},
        {"x_tick_labels",
         [](const CaseLot& l, const auto&) {
             return joined(l.document().plot().results().xTickLabels);
         }},
        {"y_tick_labels",
         [](const CaseLot& l, const auto&) {
             return joined(l.document().plot().results().yTickLabels);
         }},
        {"skipped_lines",
         [](const CaseLot& l, const auto&) {
             return std::to_string(l.document().session().set(1).skippedLines.count);
         }},
        {"k_exact", [](const CaseLot& l, const auto&) { return numberText(plan(l).kExact); }},
        {"ts_exact",
         [](const CaseLot& l, const auto&) {
             const auto& ts = decision(l).tsExact;
             return ts ? numberText(*ts) : throw CaseError("the lot has no exact Ts");
         }},
        {"oc_pa", ocPoint},
        {"ts_lower",
         [](const CaseLot& l, const auto&) { return present(decision(l).tsLower, "Ts_lower"); }},
        {"ts_lower_exact",
         [](const CaseLot& l, const auto&) {
             return present(decision(l).tsLowerExact, "exact Ts_lower");
         }},
        {"accepted",
         [](const CaseLot& l, const auto&) { return verdictText(verdict(l).accepted); }},
        {"accepted_exact",
         [](const CaseLot& l, const auto&) { return verdictText(verdict(l).acceptedExact); }},
        {"ppk",
         [](const CaseLot& l, const auto&) { return present(verdict(l).estimates.ppk, "Ppk"); }},
        {"fraction_beyond_upper",
         [](const CaseLot& l, const auto&) {
             return present(verdict(l).estimates.fractionBeyondUpper, "fraction beyond the upper limit");
         }},
        {"fraction_beyond_lower",
         [](const CaseLot& l, const auto&) {
             return present(verdict(l).estimates.fractionBeyondLower, "fraction beyond the lower limit");
         }},
        {"pa_both_sides",
         [](const CaseLot& l, const auto&) {
             return present(verdict(l).estimates.paBothSides, "Pa on both limits");
         }},
        {"a2", [](const CaseLot& l, const auto&) { return numberText(normality(l).a2); }},
        {"a2_adjusted",
         [](const CaseLot& l, const auto&) { return numberText(normality(l).a2Adjusted); }},
        {"p_value",
         [](const CaseLot& l, const auto&) {
             const auto& p = normality(l).pValue;
             return p ? numberText(*p) : throw CaseError("the lot has no p-value");
         }},
    };
    return table;
}

} // namespace

CaseLot::CaseLot(const CaseContext& context)
    : m_context(context), m_document(m_prompter, *context.measurer)
{
    m_document.startUp(context.layout, context.fonts, context.fallbackFont);
    m_document.plot().today = [] { return FixedFooterDate; };
}

void CaseLot::load(const ValidationCase& validationCase)
{
    const std::string file = validationCase.input("file");
    if (file.empty()) {
        throw CaseError("the case names no file");
    }
    m_prompter.dataFileAnswers.push_back(dataFileAnswers(validationCase));
    const SettingValues values = settingValues(validationCase);
    m_run = runLot(m_document, (m_context.corpusFolder / file).string(), false, values);
    if (!m_run.loaded) {
        throw CaseError(file + " did not load");
    }
}

bool CaseLot::saveAs(const std::filesystem::path& path)
{
    m_prompter.saveAnswers.push_back(path.string());
    return m_document.saveAs();
}

void CaseLot::open(const std::filesystem::path& path)
{
    m_run = runLot(m_document, path.string(), false, {});
    if (!m_run.loaded) {
        throw CaseError(path.filename().string() + " did not load");
    }
}

std::string CaseLot::quantity(const ValidationCase& validationCase) const
{
    const std::string name = validationCase.input("quantity");
    for (const auto& [listed, compute] : quantities()) {
        if (listed == name) {
            return compute(*this, validationCase);
        }
    }
    throw CaseError("unknown quantity \"" + name + "\"");
}

} // namespace qv
