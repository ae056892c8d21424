#pragma once
// The option windows' rules: what a click on each control does besides setting
// its value (the enabling of other controls, the focus, the values derived from
// the option groups) and the reset defaults of a new data file.

#include "core/model/ControlTable.h"

#include <initializer_list>

namespace qv {

class Settings;

class OptionRules
{
public:
    // Runs the click handler of `id` on `settings`; nothing for a control without one.
    void runHandler(Settings& settings, Ctl id);
    // Puts the reset defaults into the controls in their fixed order, as one batch.
    static void resetOptions(Settings& settings);

    // Values kept in step by the option groups' handlers (0 until the first selection).
    double consumerRiskZ() const { return m_consumerRiskZ; }
    double ltpdZ() const { return m_ltpdZ; }
    int confidenceLevel() const { return m_confidenceLevel; }
    int weightedFit() const { return m_weightedFit; }
    int xRangeNines() const { return m_xRangeNines; }
    int dataSymbolCode() const { return m_dataSymbolCode; }

private:
    using Handler = void (OptionRules::*)(Settings&, Ctl);
    struct HandlerEntry
    {
        Ctl id;
        Handler handler;
    };
    static const HandlerEntry Handlers[];

    static void enable(Settings& s, std::initializer_list<Ctl> ids, bool on);
    // Tells the listeners that a handler moved the focus to `id`.
    static void focus(Settings& s, Ctl id);
    // A precision group: its manual choice (button 1) enables the places field and label.
    static void precisionChosen(Settings& s, Ctl id, Ctl places, Ctl label);

    void limitLinesClicked(Settings& s, Ctl id);
    void limitSidesChosen(Settings& s, Ctl id);
    // The limit fields and their labels: enabled while Limit Lines is ticked and
    // their side is limited.
    static void enableLimitFields(Settings& s);
    void backgroundClicked(Settings& s, Ctl id);
    void fitClicked(Settings& s, Ctl id);
    void statisticsClicked(Settings& s, Ctl id);
    void logScaleChosen(Settings& s, Ctl id);
    void consumerRiskChosen(Settings& s, Ctl id);
    void ltpdChosen(Settings& s, Ctl id);
    void confidenceChosen(Settings& s, Ctl id);
    void weightingChosen(Settings& s, Ctl id);
    void ninesChosen(Settings& s, Ctl id);
    void symbolChosen(Settings& s, Ctl id);
    void autoScaleChosen(Settings& s, Ctl id);
    void manualScaleChosen(Settings& s, Ctl id);
    void valuePrecisionChosen(Settings& s, Ctl id);
    void statsPrecisionChosen(Settings& s, Ctl id);
    void uncertaintiesClicked(Settings& s, Ctl id);

    double m_consumerRiskZ = 0;
    double m_ltpdZ = 0;
    int m_confidenceLevel = 0;
    int m_weightedFit = 0;
    int m_xRangeNines = 0;
    int m_dataSymbolCode = 0;
};

} // namespace qv
