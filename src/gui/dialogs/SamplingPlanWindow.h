#pragma once
// Options > Sampling Plan: a window beside the chart (it does not block the
// main window) with the main lot's decisions: N, the chart's and the exact k,
// both values of Ts and Ts_lower with their verdicts, the normality test, the
// lot's estimates against its limits (Ppk, fractions beyond, Pa on both
// limits) and the OC curve of the exact plan. It follows every drawing and never changes the chart.
// A second page designs a plan from the AQL, the LTPD and both risks.

#include "core/plot/Scene.h"

#include <QDialog>

class QLabel;

namespace qv {

class ChartDocument;
class PlanDesignPanel;
class TextMeasurer;

// A dialog in the class sense only (a titled window to assistive technology)
// with the frame of a main window; Escape hides it.
class SamplingPlanWindow : public QDialog
{
    Q_OBJECT

public:
    // Texts of the OC picture are laid out with `measurer`, which must outlive
    // the window.
    explicit SamplingPlanWindow(const TextMeasurer& measurer, QWidget* parent = nullptr);

    // Shows the window without blocking the main window.
    void showWindow();
    // Shows the decisions on the main lot of the document's last drawing, or
    // says that no lot is drawn.
    void follow(const ChartDocument& document);

    // The OC picture as last built (no size while there is no plan).
    const Scene& ocScene() const { return m_oc; }
    // The page that designs a plan from the AQL, the LTPD and both risks.
    PlanDesignPanel& planDesign() const { return *m_design; }

private:
    const TextMeasurer& m_measurer;
    Scene m_oc;
    QLabel* m_lot = nullptr;
    QLabel* m_n = nullptr;
    QLabel* m_cr = nullptr;
    QLabel* m_ltpd = nullptr;
    QLabel* m_k = nullptr;
    QLabel* m_kExact = nullptr;
    QLabel* m_ts = nullptr;
    QLabel* m_tsExact = nullptr;
    QLabel* m_tsLower = nullptr;
    QLabel* m_tsLowerExact = nullptr;
    QLabel* m_ppk = nullptr;
    QLabel* m_beyondUpper = nullptr;
    QLabel* m_beyondLower = nullptr;
    QLabel* m_paBothSides = nullptr;
    QLabel* m_ocNote = nullptr;
    QLabel* m_verdict = nullptr;
    QLabel* m_verdictExact = nullptr;
    QLabel* m_normality = nullptr;
    QWidget* m_picture = nullptr;
    PlanDesignPanel* m_design = nullptr;
};

} // namespace qv
