#include "batch/BatchReport.h"

#include "batch/JsonWriter.h"
#include "core/document/ChartDocument.h"
#include "core/model/ScriptedPrompter.h"
#include "core/plot/ChartGeometry.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstring>
#include <span>
#include <type_traits>
#include <utility>

namespace qv {

namespace {

// The report's word for `value` as `names` lists it, `otherwise` for one not listed.
template <typename Enum, std::size_t N>
const char* nameOf(Enum value, const std::pair<Enum, const char*> (&names)[N],
                   const char* otherwise)
{
    for (const auto& [listed, name] : names) {
        if (listed == value) {
            return name;
        }
    }
    return otherwise;
}

const char* iconName(MessageIcon icon)
{
    static constexpr std::pair<MessageIcon, const char*> Names[] = {
        {MessageIcon::Warning, "warning"}, {MessageIcon::Exclamation, "exclamation"}};
    return nameOf(icon, Names, "none");
}

const char* outcomeWord(LotOutcome outcome)
{
    static constexpr std::pair<LotOutcome, const char*> Names[] = {
        {LotOutcome::Drawn, "drawn"}, {LotOutcome::Stopped, "stopped"}};
    return nameOf(outcome, Names, "failed");
}

void member(JsonWriter& json, std::string_view name, double value)
{
    json.key(name);
    json.number(value);
}

void member(JsonWriter& json, std::string_view name, std::string_view text)
{
    json.key(name);
    json.string(text);
}

// A number, or null where it cannot be given.
template <class T> void memberOrNull(JsonWriter& json, std::string_view name, const std::optional<T>& v)
{
    json.key(name);
    if (!v) {
        json.null();
    } else if constexpr (std::is_same_v<T, bool>) {
        json.boolean(*v);
    } else {
        json.number(*v);
    }
}

template <class List> void numbers(JsonWriter& json, std::string_view name, const List& list)
{
    json.key(name);
    if constexpr (std::is_same_v<List, std::vector<double>>) {
        json.numberArray(std::span<const double>(list));
    } else {
        json.numberArray(list.size(), [&list](std::size_t i) { return list[i]; });
    }
}

void texts(JsonWriter& json, std::string_view name, const std::vector<std::string>& list)
{
    json.key(name);
    json.beginArray();
    for (const auto& t : list) {
        json.string(t);
    }
    json.endArray();
}

// The setting's text, typed for JSON: check boxes and option groups as numbers,
// the buttons of a pair as true or false.
void settingValue(JsonWriter& json, const Settings& s, const ControlInfo& info)
{
    const std::string text = s.valueText(info.id);
    switch (info.kind) {
    case ControlKind::Check:
    case ControlKind::Group: {
        int number = 0;
        std::from_chars(text.data(), text.data() + text.size(), number);
        json.integer(number);
        break;
    }
    case ControlKind::Button:
        json.boolean(text == "true");
        break;
    default:
        json.string(text);
    }
}

void statisticsReport(JsonWriter& json, const SetResults& r)
{
    const SetStatistics& st = *r.statistics;
    json.key("statistics");
    json.beginObject();
    member(json, "k", st.k);
    member(json, "max_plot", st.maxPlot);
    member(json, "mean", st.mean);
    member(json, "min_plot", st.minPlot);
    member(json, "n", st.n);
    member(json, "normal_high", st.normalHigh);
    member(json, "normal_low", st.normalLow);
    json.key("plot_values");
    json.numberArray(r.points.size(), [&r](std::size_t i) { return r.points[i].value; });
    json.key("positions");
    json.numberArray(r.points.size(), [&r](std::size_t i) { return r.points[i].position; });
    member(json, "range", st.range);
    member(json, "shown_max", st.shownMax);
    member(json, "shown_mean", st.shownMean);
    member(json, "shown_min", st.shownMin);
    member(json, "shown_sigma", st.shownSigma);
    member(json, "shown_ts", st.shownTs);
    member(json, "sigma", st.sigma);
    member(json, "ts", st.ts);
    json.endObject();
}

void fitReport(JsonWriter& json, const FitResult& fit)
{
    json.key("fit");
    json.beginObject();
    member(json, "intercept", fit.intercept);
    member(json, "mean_position", fit.meanPosition);
    member(json, "position_spread", fit.positionSpread);
    member(json, "residual_variance", fit.residualVariance);
    member(json, "slope", fit.slope);
    member(json, "weight_sum", fit.weightSum);
    json.endObject();
}

void normalityReport(JsonWriter& json, const NormalityTest& test)
{
    json.key("normality");
    json.beginObject();
    member(json, "a2", test.a2);
    member(json, "a2_adjusted", test.a2Adjusted);
    memberOrNull(json, "p_value", test.pValue);
    member(json, "test", "anderson-darling");
    json.endObject();
}

// The verdicts with a limited side: the chart's, and the exact plan's where it
// has one, with the lot's estimates against the limits. Keys in ascending order.
void acceptanceReport(JsonWriter& json, const LotDecision& decision)
{
    const LotVerdict& verdict = *decision.verdict;
    static constexpr std::pair<LimitSides, const char*> SideNames[] = {
        {LimitSides::Lower, "lower"}, {LimitSides::Both, "both"}};
    const LimitEstimates& e = verdict.estimates;
    const auto& plan = decision.plan;
    const bool exact = plan && verdict.acceptedExact;
    json.key("acceptance");
    json.beginObject();
    memberOrNull(json, "accepted", verdict.accepted);
    if (exact) {
        memberOrNull(json, "accepted_exact", verdict.acceptedExact);
    }
    memberOrNull(json, "fraction_beyond_lower", e.fractionBeyondLower);
    memberOrNull(json, "fraction_beyond_upper", e.fractionBeyondUpper);
    memberOrNull(json, "k", decision.k);
    if (plan) {
        member(json, "k_exact", plan->kExact);
    }
    memberOrNull(json, "lower_limit", verdict.lowerLimit);
    if (plan) {
        json.key("oc_curve");
        json.beginObject();
        numbers(json, "fraction_defective", plan->oc.fractionDefective);
        numbers(json, "probability_of_acceptance", plan->oc.probabilityOfAcceptance);
        json.endObject();
    }
    memberOrNull(json, "ppk", e.ppk);
    member(json, "scale", decision.scale == ValueScale::Log ? "log" : "linear");
    member(json, "sides", nameOf(verdict.sides, SideNames, "upper"));
    memberOrNull(json, "ts", decision.ts);
    if (exact) {
        memberOrNull(json, "ts_exact", decision.tsExact);
    }
    memberOrNull(json, "ts_lower", decision.tsLower);
    if (exact) {
        memberOrNull(json, "ts_lower_exact", decision.tsLowerExact);
    }
    memberOrNull(json, "upper_limit", verdict.upperLimit);
    json.endObject();
}

// The lines of the load that did not become points: how many, and the first ten.
void skippedLinesReport(JsonWriter& json, const SkippedLines& skipped)
{
    json.key("skipped_lines");
    json.beginObject();
    member(json, "count", skipped.count);
    json.key("lines");
    json.beginArray();
    for (const SkippedLine& line : skipped.first) {
        json.beginObject();
        member(json, "line", line.line);
        member(json, "reason", line.reason);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

// The texts drawn for a set from "percent_label" to "plot_text".
void textsBeforePoints(JsonWriter& json, const SetResults& r)
{
    if (r.percentLabel) {
        member(json, "percent_label", *r.percentLabel);
    }
    if (r.plotText) {
        member(json, "plot_text", *r.plotText);
    }
}

// The statistics box's text and where it stands in chart units.
void statsBox(JsonWriter& json, const SetResults& r, const Scene& scene, int number)
{
    if (!r.statsBox) {
        return;
    }
    member(json, "stats_box", *r.statsBox);
    const Placement& box =
        scene.placements.item(number == 1 ? MovableItem::StatsBox : MovableItem::OverlayStats);
    if (const auto mapping = mappingOf(scene)) {
        json.key("stats_box_position");
        json.beginObject();
        member(json, "left", mapping->twipsToX(box.left));
        member(json, "top", mapping->twipsToY(box.top));
        json.endObject();
    }
}

void setReport(JsonWriter& json, const ChartDocument& document, int number)
{
    const Session& session = document.session();
    const DataSet& set = session.set(number);
    const SetResults& r = document.plot().results().sets[static_cast<std::size_t>(number - 1)];
    const LotDecision* decision = document.lotDecision(number);
    json.beginObject();
    if (decision && decision->verdict) {
        acceptanceReport(json, *decision);
    }
    member(json, "enabled_count", set.enabledCount);
    if (r.fit) {
        fitReport(json, *r.fit);
    }
    if (decision && decision->normality) {
        normalityReport(json, *decision->normality);
    }
    textsBeforePoints(json, r);
    member(json, "point_count", set.pointCount);
    member(json, "set", number);
    if (set.hasSigmas) {
        numbers(json, "sigmas", set.sigmas);
    }
    skippedLinesReport(json, set.skippedLines);
    member(json, "source",
           number == 1 ? session.sources.titlePath : session.sources.overlayPath);
    json.key("states");
    json.integerArray(set.states.size(), [&set](std::size_t i) { return set.states[i]; });
    if (r.statistics) {
        statisticsReport(json, r);
    }
    statsBox(json, r, document.scene(), number);
    if (r.tsLabel) {
        member(json, "ts_label", *r.tsLabel);
    }
    numbers(json, "values", set.values);
    member(json, "y_axis_label", session.settings.text(Ctl::PlotOpts_YAxisLabel));
    json.endObject();
}

void axes(JsonWriter& json, const DrawingResults& drawing)
{
    if (drawing.xAxisDone) {
        json.key("x_axis");
        json.beginObject();
        member(json, "caption", drawing.xCaption);
        texts(json, "tick_labels", drawing.xTickLabels);
        numbers(json, "tick_positions", drawing.xTickPositions);
        member(json, "xmax", drawing.xmax);
        member(json, "xmin", drawing.xmin);
        json.endObject();
    }
    if (drawing.yAxisDone) {
        json.key("y_axis");
        json.beginObject();
        member(json, "label_mask", drawing.labelMask);
        texts(json, "tick_labels", drawing.yTickLabels);
        member(json, "ymax", drawing.ymax);
        member(json, "ymin", drawing.ymin);
        member(json, "ytick", drawing.ytick);
        json.endObject();
    }
}

// The settings by name: the order a report lists them in.
const std::vector<const ControlInfo*>& settingsByName()
{
    static const std::vector<const ControlInfo*> sorted = [] {
        std::vector<const ControlInfo*> list;
        for (const ControlInfo& info : controlTable()) {
            if (info.kind != ControlKind::Control) {
                list.push_back(&info);
            }
        }
        std::stable_sort(list.begin(), list.end(), [](const ControlInfo* a, const ControlInfo* b) {
            return std::strcmp(a->name, b->name) < 0;
        });
        return list;
    }();
    return sorted;
}

void disabledControls(JsonWriter& json, const Settings& s)
{
    json.key("disabled_controls");
    json.beginArray();
    for (const ControlInfo& info : controlTable()) {
        if (!s.enabled(info.id)) {
            json.string(info.name);
        }
    }
    json.endArray();
}

void settings(JsonWriter& json, const Settings& s)
{
    json.key("settings");
    json.beginObject();
    for (const ControlInfo* info : settingsByName()) {
        json.key(info->name);
        settingValue(json, s, *info);
    }
    json.endObject();
}

void messages(JsonWriter& json, const ScriptedPrompter& prompter)
{
    json.key("messages");
    json.beginArray();
    for (const auto& m : prompter.messages) {
        json.beginObject();
        member(json, "icon", iconName(m.icon));
        member(json, "text", m.text);
        member(json, "title", m.title);
        json.endObject();
    }
    json.endArray();
}

} // namespace

void writeLotReport(JsonWriter& json, const ChartDocument& document,
                    const ScriptedPrompter& prompter, LotOutcome outcome)
{
    const Session& session = document.session();
    const DrawingResults& drawing = document.plot().results();
    json.beginObject();
    disabledControls(json, session.settings);
    if (!drawing.limitLabels.empty()) {
        texts(json, "limit_labels", drawing.limitLabels);
    }
    messages(json, prompter);
    member(json, "outcome", outcomeWord(outcome));
    json.key("sets");
    json.beginArray();
    if (session.set(1).pointCount > 0 || outcome != LotOutcome::Failed) {
        setReport(json, document, 1);
    }
    if (session.sources.overlayLoaded) {
        setReport(json, document, 2);
    }
    json.endArray();
    settings(json, session.settings);
    member(json, "window_title", session.window.windowTitle);
    axes(json, drawing);
    json.endObject();
}

} // namespace qv
