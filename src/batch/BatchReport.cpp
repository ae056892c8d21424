#include "batch/BatchReport.h"

#include "core/document/ChartDocument.h"
#include "core/model/ScriptedPrompter.h"
#include "core/plot/ChartGeometry.h"
#include "render/QtText.h"

#include <QJsonArray>

#include <charconv>
#include <cstddef>
#include <utility>

namespace qv {

namespace {

QString qs(const std::string& text)
{
    return toQString(text);
}

// A number for the report; a negative zero (the quantile of a probability just
// above one half) is written as 0.
double reportNumber(double v)
{
    return v == 0.0 ? 0.0 : v;
}

QJsonArray numbers(const std::vector<double>& list)
{
    QJsonArray out;
    for (double v : list) {
        out.append(reportNumber(v));
    }
    return out;
}

QJsonArray texts(const std::vector<std::string>& list)
{
    QJsonArray out;
    for (const auto& t : list) {
        out.append(qs(t));
    }
    return out;
}

// The report's word for `value` as `names` lists it, `otherwise` for one not listed.
template <typename Enum, std::size_t N>
QString nameOf(Enum value, const std::pair<Enum, const char*> (&names)[N], const char* otherwise)
{
    for (const auto& [listed, name] : names) {
        if (listed == value) {
            return name;
        }
    }
    return otherwise;
}

QString iconName(MessageIcon icon)
{
    static constexpr std::pair<MessageIcon, const char*> Names[] = {
        {MessageIcon::Warning, "warning"}, {MessageIcon::Exclamation, "exclamation"}};
    return nameOf(icon, Names, "none");
}

// The setting's text, typed for JSON: check boxes and option groups as numbers,
// the buttons of a pair as true or false.
QJsonValue settingValue(const Settings& s, const ControlInfo& info)
{
    const std::string text = s.valueText(info.id);
    switch (info.kind) {
    case ControlKind::Check:
    case ControlKind::Group: {
        int number = 0;
        std::from_chars(text.data(), text.data() + text.size(), number);
        return number;
    }
    case ControlKind::Button:
        return text == "true";
    default:
        return qs(text);
    }
}

QJsonObject statisticsReport(const SetResults& r)
{
    const SetStatistics& st = *r.statistics;
    QJsonArray positions;
    QJsonArray values;
    for (const PlotPoint& p : r.points) {
        positions.append(reportNumber(p.position));
        values.append(reportNumber(p.value));
    }
    return QJsonObject{{"n", st.n},
                       {"positions", positions},
                       {"plot_values", values},
                       {"min_plot", st.minPlot},
                       {"max_plot", st.maxPlot},
                       {"range", st.range},
                       {"mean", st.mean},
                       {"sigma", st.sigma},
                       {"k", st.k},
                       {"ts", st.ts},
                       {"normal_low", st.normalLow},
                       {"normal_high", st.normalHigh},
                       {"shown_min", st.shownMin},
                       {"shown_max", st.shownMax},
                       {"shown_mean", st.shownMean},
                       {"shown_sigma", st.shownSigma},
                       {"shown_ts", st.shownTs}};
}

QJsonObject fitReport(const FitResult& fit)
{
    return QJsonObject{{"intercept", fit.intercept},
                       {"slope", fit.slope},
                       {"weight_sum", fit.weightSum},
                       {"mean_position", fit.meanPosition},
                       {"position_spread", fit.positionSpread},
                       {"residual_variance", fit.residualVariance}};
}

// The texts drawn for a set, and where its statistics box stands in chart units.
void addAnnotations(QJsonObject& out, const SetResults& r, const Scene& scene, int number)
{
    if (r.statsBox) {
        out["stats_box"] = qs(*r.statsBox);
        const Placement& box =
            scene.placements.item(number == 1 ? MovableItem::StatsBox : MovableItem::OverlayStats);
        if (const auto mapping = mappingOf(scene)) {
            out["stats_box_position"] = QJsonObject{{"left", mapping->twipsToX(box.left)},
                                                    {"top", mapping->twipsToY(box.top)}};
        }
    }
    const std::pair<const char*, const std::optional<std::string>*> texts[] = {
        {"plot_text", &r.plotText}, {"ts_label", &r.tsLabel}, {"percent_label", &r.percentLabel}};
    for (const auto& [name, text] : texts) {
        if (*text) {
            out[name] = qs(**text);
        }
    }
}

// A number, or null where it cannot be given.
template <class T> QJsonValue orNull(const std::optional<T>& v)
{
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QJsonObject normalityReport(const NormalityTest& test)
{
    return QJsonObject{{"test", "anderson-darling"},
                       {"a2", test.a2},
                       {"a2_adjusted", test.a2Adjusted},
                       {"p_value", orNull(test.pValue)}};
}

// The verdicts with a limited side: the chart's, and the exact plan's where it
// has one, with the lot's estimates against the limits.
QJsonObject acceptanceReport(const LotDecision& decision)
{
    const LotVerdict& verdict = *decision.verdict;
    static constexpr std::pair<LimitSides, const char*> SideNames[] = {
        {LimitSides::Lower, "lower"}, {LimitSides::Both, "both"}};
    const LimitEstimates& e = verdict.estimates;
    QJsonObject out{{"sides", nameOf(verdict.sides, SideNames, "upper")},
                    {"scale", decision.scale == ValueScale::Log ? "log" : "linear"},
                    {"upper_limit", orNull(verdict.upperLimit)},
                    {"lower_limit", orNull(verdict.lowerLimit)},
                    {"k", orNull(decision.k)},
                    {"ts", orNull(decision.ts)},
                    {"ts_lower", orNull(decision.tsLower)},
                    {"accepted", orNull(verdict.accepted)},
                    {"ppk", orNull(e.ppk)},
                    {"fraction_beyond_upper", orNull(e.fractionBeyondUpper)},
                    {"fraction_beyond_lower", orNull(e.fractionBeyondLower)}};
    if (const auto& plan = decision.plan) {
        out["k_exact"] = plan->kExact;
        if (verdict.acceptedExact) {
            out["ts_exact"] = orNull(decision.tsExact);
            out["ts_lower_exact"] = orNull(decision.tsLowerExact);
            out["accepted_exact"] = *verdict.acceptedExact;
        }
        QJsonArray fractions;
        QJsonArray probabilities;
        for (std::size_t i = 0; i < plan->oc.fractionDefective.size(); ++i) {
            fractions.append(plan->oc.fractionDefective[i]);
            probabilities.append(plan->oc.probabilityOfAcceptance[i]);
        }
        out["oc_curve"] = QJsonObject{{"fraction_defective", fractions},
                                      {"probability_of_acceptance", probabilities}};
    }
    return out;
}

// The lines of the load that did not become points: how many, and the first ten.
QJsonObject skippedLinesReport(const SkippedLines& skipped)
{
    QJsonArray lines;
    for (const SkippedLine& line : skipped.first) {
        lines.append(QJsonObject{{"line", line.line}, {"reason", qs(line.reason)}});
    }
    return QJsonObject{{"count", skipped.count}, {"lines", lines}};
}

QJsonObject setReport(const ChartDocument& document, int number)
{
    const Session& session = document.session();
    const DataSet& set = session.set(number);
    QJsonObject out;
    out["set"] = number;
    out["source"] = qs(number == 1 ? session.sources.titlePath : session.sources.overlayPath);
    out["point_count"] = set.pointCount;
    out["enabled_count"] = set.enabledCount;
    out["values"] = numbers(set.values);
    if (set.hasSigmas) {
        out["sigmas"] = numbers(set.sigmas);
    }
    QJsonArray states;
    for (auto state : set.states) {
        states.append(state);
    }
    out["states"] = states;
    out["y_axis_label"] = qs(session.settings.text(Ctl::PlotOpts_YAxisLabel));
    out["skipped_lines"] = skippedLinesReport(set.skippedLines);
    const SetResults& r = document.plot().results().sets[static_cast<std::size_t>(number - 1)];
    if (r.statistics) {
        out["statistics"] = statisticsReport(r);
    }
    if (r.fit) {
        out["fit"] = fitReport(*r.fit);
    }
    addAnnotations(out, r, document.scene(), number);
    if (const LotDecision* decision = document.lotDecision(number)) {
        if (decision->normality) {
            out["normality"] = normalityReport(*decision->normality);
        }
        if (decision->verdict) {
            out["acceptance"] = acceptanceReport(*decision);
        }
    }
    return out;
}

// The axes and the limit labels, each only when the drawing got that far.
void addAxes(QJsonObject& out, const DrawingResults& drawing)
{
    if (drawing.xAxisDone) {
        out["x_axis"] = QJsonObject{{"xmin", drawing.xmin},
                                    {"xmax", drawing.xmax},
                                    {"caption", qs(drawing.xCaption)},
                                    {"tick_labels", texts(drawing.xTickLabels)},
                                    {"tick_positions", numbers(drawing.xTickPositions)}};
    }
    if (drawing.yAxisDone) {
        out["y_axis"] = QJsonObject{{"ymin", drawing.ymin},
                                    {"ymax", drawing.ymax},
                                    {"ytick", drawing.ytick},
                                    {"label_mask", qs(drawing.labelMask)},
                                    {"tick_labels", texts(drawing.yTickLabels)}};
    }
    if (!drawing.limitLabels.empty()) {
        out["limit_labels"] = texts(drawing.limitLabels);
    }
}

void addSettings(QJsonObject& out, const Settings& s)
{
    QJsonObject settings;
    QJsonArray disabled;
    for (const ControlInfo& info : controlTable()) {
        if (info.kind != ControlKind::Control) {
            settings[info.name] = settingValue(s, info);
        }
        if (!s.enabled(info.id)) {
            disabled.append(info.name);
        }
    }
    out["settings"] = settings;
    out["disabled_controls"] = disabled;
}

} // namespace

QString outcomeName(LotOutcome outcome)
{
    static constexpr std::pair<LotOutcome, const char*> Names[] = {
        {LotOutcome::Drawn, "drawn"}, {LotOutcome::Stopped, "stopped"}};
    return nameOf(outcome, Names, "failed");
}

QJsonObject lotReport(const ChartDocument& document, const ScriptedPrompter& prompter,
                      LotOutcome outcome)
{
    const Session& session = document.session();
    QJsonObject out;
    out["window_title"] = qs(session.window.windowTitle);
    out["outcome"] = outcomeName(outcome);
    QJsonArray messages;
    for (const auto& m : prompter.messages) {
        messages.append(
            QJsonObject{{"title", qs(m.title)}, {"text", qs(m.text)}, {"icon", iconName(m.icon)}});
    }
    out["messages"] = messages;
    QJsonArray sets;
    if (session.set(1).pointCount > 0 || outcome != LotOutcome::Failed) {
        sets.append(setReport(document, 1));
    }
    if (session.sources.overlayLoaded) {
        sets.append(setReport(document, 2));
    }
    out["sets"] = sets;
    addAxes(out, document.plot().results());
    addSettings(out, session.settings);
    return out;
}

} // namespace qv
