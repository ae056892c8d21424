#pragma once
// The Sampling Plan window's design part: the AQL, the producer's risk, the
// LTPD and the consumer's risk typed in percent, the Design button, and the
// smallest plans of the s-method and the sigma-method with their OC curves
// through the two required points. It reads nothing of the chart.

#include "core/plot/Scene.h"
#include "core/stats/decisions/PlanDesign.h"

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;

namespace qv {

class Prompter;
class TextMeasurer;

class PlanDesignPanel : public QWidget
{
    Q_OBJECT
public:
    // Texts of the OC picture are laid out with `measurer`, which must outlive
    // the panel.
    explicit PlanDesignPanel(const TextMeasurer& measurer, QWidget* parent = nullptr);

    // Where a refused field or faulty requirements are told (an exclamation
    // message); without one the panel's own status line alone says it.
    void setPrompter(Prompter* prompter) { m_prompter = prompter; }

    // The Design button: reads the four fields (a field that is not wholly a
    // number is refused, named and given the focus), designs both plans and
    // shows them. True when the requirements could be read and checked.
    bool design();

    // The OC picture as last built (no size before a design).
    const Scene& ocScene() const { return m_oc; }

private:
    struct Field
    {
        QLineEdit* edit = nullptr;
        const char* name = ""; // as a message names it
    };
    struct Results
    {
        QLabel* n = nullptr;
        QLabel* k = nullptr;
        QLabel* paAtAql = nullptr;
    };

    std::optional<PlanRequirements> readRequirements();
    void refuse(QLineEdit* field, const std::string& text);
    void show(const PlanRequirements& r, const std::optional<DesignedPlan>& sMethod,
              const std::optional<DesignedPlan>& sigmaMethod, const std::string& missing);

    const TextMeasurer& m_measurer;
    Prompter* m_prompter = nullptr;
    std::array<Field, 4> m_fields; // AQL, alpha, LTPD, beta
    std::array<Results, 2> m_results; // s-method, sigma-method
    QLabel* m_status = nullptr;
    QWidget* m_picture = nullptr;
    Scene m_oc;
};

} // namespace qv
