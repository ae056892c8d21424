#include "core/model/OptionRules.h"

#include "core/model/Settings.h"

#include <array>
#include <initializer_list>
#include <string>
#include <utility>

namespace qv {

namespace {

using enum Ctl;

// The derived number of each option group's buttons.
constexpr std::array<double, 4> kRiskZ{1.0, 1.28155, 1.64485, 2.32635};
constexpr std::array<int, 4> kConfidence{90, 95, 99, 0};
constexpr std::array<int, 2> kWeighted{1, 0};
constexpr std::array<int, 5> kNines{0, 2, 3, 4, 5};

template <typename T, std::size_t N> T byButton(const std::array<T, N>& values, int button)
{
    return values[static_cast<std::size_t>(button)];
}

} // namespace

const OptionRules::HandlerEntry OptionRules::Handlers[] = {
    {PlotOpts_LimitLines, &OptionRules::limitLinesClicked},
    {PlotOpts_LimitSides, &OptionRules::limitSidesChosen},
    {PlotOpts_BkgSubtraction, &OptionRules::backgroundClicked},
    {PlotOpts_LSQfit, &OptionRules::fitClicked},
    {PlotOpts_Statistics, &OptionRules::statisticsClicked},
    {PlotOpts_LogY, &OptionRules::logScaleChosen},
    {PlotOpts_CR, &OptionRules::consumerRiskChosen},
    {PlotOpts_LTPD, &OptionRules::ltpdChosen},
    {PlotOpts_ConfInterval, &OptionRules::confidenceChosen},
    {PlotOpts_weighting, &OptionRules::weightingChosen},
    {AxesOpts_NumNines, &OptionRules::ninesChosen},
    {AxesOpts_DataSymbol, &OptionRules::symbolChosen},
    {AxesOpts_Auto, &OptionRules::autoScaleChosen},
    {AxesOpts_Manual, &OptionRules::manualScaleChosen},
    {AxesOpts_Yprecision, &OptionRules::valuePrecisionChosen},
    {StatsForm_StatsPrecision, &OptionRules::statsPrecisionChosen},
    {FileChar_ErrorBars, &OptionRules::uncertaintiesClicked},
};

void OptionRules::runHandler(Settings& settings, Ctl id)
{
    for (const HandlerEntry& entry : Handlers) {
        if (entry.id == id) {
            (this->*entry.handler)(settings, id);
            return;
        }
    }
}

void OptionRules::enable(Settings& s, std::initializer_list<Ctl> ids, bool on)
{
    for (Ctl id : ids) {
        s.setEnabled(id, on);
    }
}

void OptionRules::focus(Settings& s, Ctl id)
{
    s.notify(id, SettingChange::Focus);
}

void OptionRules::limitLinesClicked(Settings& s, Ctl id)
{
    const bool on = s.check(id) == 1;
    enable(s,
           {PlotOpts_UL_Line, PlotOpts_NinetyLine, PlotOpts_FiftyLine, PlotOpts_LimitSidesFrame,
            PlotOpts_LimitSides},
           on);
    enableLimitFields(s);
    if (on) {
        focus(s, s.group(PlotOpts_LimitSides) == 1 ? PlotOpts_LLimit : PlotOpts_ULimit);
    }
}

void OptionRules::limitSidesChosen(Settings& s, Ctl)
{
    enableLimitFields(s);
}

void OptionRules::enableLimitFields(Settings& s)
{
    const bool on = s.check(PlotOpts_LimitLines) == 1;
    const int sides = s.group(PlotOpts_LimitSides);
    // Without a choice (a window not yet reset) only the upper side is limited.
    enable(s, {PlotOpts_ULimitLabel, PlotOpts_ULimit}, on && sides != 1);
    enable(s, {PlotOpts_LLimitLabel, PlotOpts_LLimit}, on && (sides == 1 || sides == 2));
}

void OptionRules::backgroundClicked(Settings& s, Ctl id)
{
    if (s.check(id) == 1) {
        enable(s, {PlotOpts_BkgLabel, PlotOpts_BkgValue}, true);
        focus(s, PlotOpts_BkgValue);
    } else {
        enable(s, {PlotOpts_BkgLabel, PlotOpts_BkgValue}, false);
        s.setText(PlotOpts_BkgValue, "0");
    }
}

void OptionRules::fitClicked(Settings& s, Ctl id)
{
    if (s.check(id) == 1) {
        enable(s, {PlotOpts_ConfidenceFrame, PlotOpts_ConfInterval}, true);
        if (s.check(FileChar_ErrorBars) == 1) {
            enable(s, {PlotOpts_WeightingFrame, PlotOpts_weighting}, true);
        }
    } else {
        enable(s,
               {PlotOpts_ConfidenceFrame, PlotOpts_ConfInterval, PlotOpts_WeightingFrame,
                PlotOpts_weighting},
               false);
    }
}

void OptionRules::statisticsClicked(Settings& s, Ctl id)
{
    s.setEnabled(PlotOpts_MoreStats, s.check(id) == 1);
}

void OptionRules::logScaleChosen(Settings& s, Ctl)
{
    s.setText(AxesOpts_TickInterval, "10");
    s.setEnabled(AxesOpts_TickInterval, false);
}

void OptionRules::consumerRiskChosen(Settings& s, Ctl id)
{
    m_consumerRiskZ = byButton(kRiskZ, s.group(id));
}

void OptionRules::ltpdChosen(Settings& s, Ctl id)
{
    m_ltpdZ = byButton(kRiskZ, s.group(id));
}

void OptionRules::confidenceChosen(Settings& s, Ctl id)
{
    m_confidenceLevel = byButton(kConfidence, s.group(id));
}

void OptionRules::weightingChosen(Settings& s, Ctl id)
{
    m_weightedFit = byButton(kWeighted, s.group(id));
}

void OptionRules::ninesChosen(Settings& s, Ctl id)
{
    m_xRangeNines = byButton(kNines, s.group(id));
}

void OptionRules::symbolChosen(Settings& s, Ctl id)
{
    m_dataSymbolCode = s.group(id) + 1;
}

void OptionRules::autoScaleChosen(Settings& s, Ctl)
{
    enable(s,
           {AxesOpts_YMinLabel, AxesOpts_YMaxLabel, AxesOpts_TickLabel, AxesOpts_YscaleMin,
            AxesOpts_YscaleMax, AxesOpts_TickInterval},
           false);
}

void OptionRules::manualScaleChosen(Settings& s, Ctl)
{
    enable(s,
           {AxesOpts_YMinLabel, AxesOpts_YMaxLabel, AxesOpts_TickLabel, AxesOpts_YscaleMin,
            AxesOpts_YscaleMax},
           true);
    if (s.selected(PlotOpts_LogY)) {
        s.setText(AxesOpts_TickInterval, "10");
        s.setEnabled(AxesOpts_TickInterval, false);
    } else {
        s.setEnabled(AxesOpts_TickInterval, true);
    }
    focus(s, AxesOpts_YscaleMin);
}

void OptionRules::precisionChosen(Settings& s, Ctl id, Ctl places, Ctl label)
{
    const bool manual = s.group(id) == 1;
    enable(s, {places, label}, manual);
    if (manual) {
        focus(s, places);
    }
}

void OptionRules::valuePrecisionChosen(Settings& s, Ctl id)
{
    precisionChosen(s, id, AxesOpts_Yplaces, AxesOpts_Places);
}

void OptionRules::statsPrecisionChosen(Settings& s, Ctl id)
{
    precisionChosen(s, id, StatsForm_Digits, StatsForm_Places);
}

void OptionRules::uncertaintiesClicked(Settings& s, Ctl id)
{
    if (s.check(id) == 1) {
        s.setEnabled(FileChar_ErrorColumn, true);
        const double column = s.number(FileChar_ColN) + 1;
        s.setText(FileChar_ErrorColumn, std::to_string(static_cast<long long>(column)));
    } else {
        s.setEnabled(FileChar_ErrorColumn, false);
    }
}

void OptionRules::resetOptions(Settings& s)
{
    const Settings::Batch batch(s);
    // In this order: a selection's handler may act on what was set before it.
    const auto texts = [&s](std::initializer_list<std::pair<Ctl, const char*>> values) {
        for (const auto& [id, text] : values) {
            s.setText(id, text);
        }
    };
    const auto checks = [&s](std::initializer_list<std::pair<Ctl, int>> values) {
        for (const auto& [id, value] : values) {
            s.setCheck(id, value);
        }
    };
    const auto groups = [&s](std::initializer_list<std::pair<Ctl, int>> values) {
        for (const auto& [id, index] : values) {
            s.selectGroup(id, index);
        }
    };
    texts({{AxesOpts_YscaleMin, "0"}, {AxesOpts_YscaleMax, "0"}, {AxesOpts_TickInterval, "0"}});
    s.selectGroup(AxesOpts_DataSymbol, 0);
    s.selectButton(AxesOpts_Auto);
    s.selectGroup(AxesOpts_NumNines, 0);
    s.selectButton(AxesOpts_Stdformat);
    s.selectGroup(AxesOpts_Yprecision, 0);
    s.setText(AxesOpts_Yplaces, "0");
    checks({{PlotOpts_Statistics, 1},
            {PlotOpts_UL_Line, 1},
            {PlotOpts_BkgSubtraction, 0},
            {PlotOpts_TestStatistic, 0},
            {PlotOpts_LimitLines, 0}});
    s.selectGroup(PlotOpts_LimitSides, 0);
    texts({{PlotOpts_ULimit, "0"},
           {PlotOpts_LLimit, "0"},
           {PlotOpts_BkgValue, "0"},
           {PlotOpts_PlotTitle, ""},
           {PlotOpts_PlotText, ""}});
    checks({{PlotOpts_ErrorBars, 0}, {PlotOpts_LSQfit, 0}});
    groups({{PlotOpts_ConfInterval, 3}, {PlotOpts_weighting, 1}});
    s.selectButton(PlotOpts_NormalDist);
    s.selectButton(PlotOpts_LinearY);
    groups({{PlotOpts_LTPD, 1}, {PlotOpts_CR, 1}});
    checks({{StatsForm_NumData, 1}, {StatsForm_Mean, 1}, {StatsForm_StdDev, 1}, {StatsForm_TS, 1}});
    s.selectGroup(StatsForm_StatsPrecision, 0);
    texts({{StatsForm_Digits, "0"}, {PlotOpts_OverlayText, ""}});
}

} // namespace qv
