#include "gui/dialogs/PlanDesignPanel.h"

#include "core/Errors.h"
#include "core/NumberReader.h"
#include "core/document/OptionDialogs.h"
#include "core/format/DecisionNumber.h"
#include "core/format/NumberText.h"
#include "core/model/Prompter.h"
#include "core/plot/OcChart.h"
#include "gui/widgets/ChartWidgets.h"
#include "gui/widgets/ValueLabel.h"
#include "render/ChartExport.h"
#include "render/QtText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

struct FieldInfo
{
    const char* objectName;
    const char* caption; // with its access key
    const char* spoken;
    const char* tip;
    const char* initial; // percent
    const char* named;   // in a message
};

constexpr FieldInfo Fields[] = {
    {"txtDesignAQL", "&AQL (%):", "AQL in percent",
     "Acceptable quality level: the fraction defective, in percent, that the plan should accept",
     "1", "AQL"},
    {"txtDesignAlpha", "&Producer's risk \u03b1 (%):", "Producer's risk alpha in percent",
     "The chance, in percent, that a lot at the AQL is rejected (at most this much)", "5",
     "producer's risk"},
    {"txtDesignLTPD", "L&TPD (%):", "LTPD in percent",
     "Lot tolerance percent defective: the fraction defective, in percent, that the plan "
     "should reject",
     "6", "LTPD"},
    {"txtDesignBeta", "&Consumer's risk \u03b2 (%):", "Consumer's risk beta in percent",
     "The chance, in percent, that a lot at the LTPD is accepted", "10", "consumer's risk"},
};

int fieldOf(PlanRequirement requirement)
{
    switch (requirement) {
    case PlanRequirement::Aql:
        return 0;
    case PlanRequirement::ProducerRisk:
        return 1;
    case PlanRequirement::Ltpd:
        return 2;
    case PlanRequirement::ConsumerRisk:
        return 3;
    }
    return 0;
}

} // namespace

PlanDesignPanel::PlanDesignPanel(const TextMeasurer& measurer, QWidget* parent)
    : QWidget(parent), m_measurer(measurer)
{
    setObjectName(QStringLiteral("PlanDesign"));
    auto* fields = new QGridLayout;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const FieldInfo& info = Fields[i];
        auto* edit = new QLineEdit(QString::fromUtf8(info.initial), this);
        edit->setObjectName(QString::fromUtf8(info.objectName));
        edit->setAccessibleName(QString::fromUtf8(info.spoken));
        edit->setToolTip(QString::fromUtf8(info.tip));
        auto* label = new QLabel(QString::fromUtf8(info.caption), this);
        label->setBuddy(edit);
        fields->addWidget(label, static_cast<int>(i), 0);
        fields->addWidget(edit, static_cast<int>(i), 1);
        m_fields[i] = {edit, info.named};
    }
    auto* designButton = new QPushButton(QStringLiteral("&Design"), this);
    designButton->setObjectName(QStringLiteral("cmdDesign"));
    designButton->setAccessibleName(QStringLiteral("Design"));
    designButton->setToolTip(
        QStringLiteral("Find the smallest plans of both methods that meet the four figures"));
    connect(designButton, &QPushButton::clicked, this, [this] { design(); });
    fields->addWidget(designButton, 4, 1);

    auto* results = new QGridLayout;
    const char* methods[] = {"s-method (\u03c3 estimated)", "\u03c3-method (\u03c3 known)"};
    const char* suffixes[] = {"S", "Sigma"};
    const char* spokenMethods[] = {"of the s-method", "of the sigma-method"};
    for (int row = 0; row < 3; ++row) {
        const char* captions[] = {"Sample size n:", "k:", "Pa at the AQL:"};
        results->addWidget(new QLabel(QString::fromUtf8(captions[row]), this), row + 1, 0);
    }
    for (std::size_t m = 0; m < 2; ++m) {
        auto* heading = new QLabel(QString::fromUtf8(methods[m]), this);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        const int column = static_cast<int>(m) + 1;
        results->addWidget(heading, 0, column);
        const QString suffix = QString::fromUtf8(suffixes[m]);
        const QString spoken = QString::fromUtf8(spokenMethods[m]);
        m_results[m].n = makeValue("lblDesignN" + suffix, "Sample size n " + spoken, this);
        m_results[m].k = makeValue("lblDesignK" + suffix, "k " + spoken, this);
        m_results[m].paAtAql =
            makeValue("lblDesignPa" + suffix, "Pa at the AQL " + spoken, this);
        results->addWidget(m_results[m].n, 1, column);
        results->addWidget(m_results[m].k, 2, column);
        results->addWidget(m_results[m].paAtAql, 3, column);
    }
    m_status = makeValue(QStringLiteral("lblDesignStatus"), QStringLiteral("Design result"), this);
    m_status->setWordWrap(true);

    auto* picture = new ChartWidget(
        QStringLiteral("picDesignOc"),
        [this](QPainter& p, const QRect& area) {
            p.fillRect(area, Qt::white);
            paintChartFitted(p, m_oc, QRectF(area));
        },
        this);
    m_picture = picture;
    m_picture->setAccessibleName(QStringLiteral("OC curves of the designed plans"));
    m_picture->setAccessibleDescription(QStringLiteral("No plan designed yet."));
    m_picture->setFocusPolicy(Qt::TabFocus);
    m_picture->setMinimumSize(480, 300);

    auto* top = new QHBoxLayout;
    top->addLayout(fields);
    top->addSpacing(12);
    top->addLayout(results, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_status);
    layout->addWidget(m_picture, 1);
}

void PlanDesignPanel::refuse(QLineEdit* field, const std::string& text)
{
    setValue(m_status, text);
    if (m_prompter) {
        m_prompter->message(text, InvalidNumberTitle, MessageIcon::Exclamation);
    }
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

std::optional<PlanRequirements> PlanDesignPanel::readRequirements()
{
    std::array<double, 4> fractions{};
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const Field& field = m_fields[i];
        const std::string typed = toUtf8(field.edit->text());
        const auto percent = readTypedNumber(typed);
        if (!percent) {
            refuse(field.edit, "The " + std::string(field.name) + " must be a number, not \"" +
                                   typed + "\".");
            return std::nullopt;
        }
        fractions[i] = *percent / 100.0;
    }
    const PlanRequirements r{fractions[0], fractions[1], fractions[2], fractions[3]};
    if (const auto fault = planRequirementsFault(r)) {
        refuse(m_fields[static_cast<std::size_t>(fieldOf(fault->requirement))].edit, fault->text);
        return std::nullopt;
    }
    return r;
}

bool PlanDesignPanel::design()
{
    const auto r = readRequirements();
    if (!r) {
        return false;
    }
    std::array<std::optional<DesignedPlan>, 2> plans;
    std::string missing;
    const std::pair<PlanMethod, const char*> methods[] = {{PlanMethod::SMethod, "s-method"},
                                                          {PlanMethod::SigmaMethod, "\u03c3-method"}};
    for (std::size_t m = 0; m < plans.size(); ++m) {
        const auto& [method, name] = methods[m];
        try {
            plans[m] = designPlan(*r, method);
            if (!plans[m]) {
                missing += std::string(" No ") + name + " plan of at most " +
                           std::to_string(MaxDesignSampleSize) + " items meets these risks.";
            }
        } catch (const QvError& e) {
            missing += std::string(" The ") + name + " plan cannot be computed (error " +
                       std::to_string(e.code()) + ").";
        }
    }
    show(*r, plans[0], plans[1], missing);
    return true;
}

void PlanDesignPanel::show(const PlanRequirements& r, const std::optional<DesignedPlan>& sMethod,
                           const std::optional<DesignedPlan>& sigmaMethod,
                           const std::string& missing)
{
    std::string described;
    for (std::size_t m = 0; m < 2; ++m) {
        const auto& plan = m == 0 ? sMethod : sigmaMethod;
        const Results& shown = m_results[m];
        setValue(shown.n, plan ? std::to_string(plan->n) : "none");
        setValue(shown.k, plan ? decisionNumber(plan->k, 4, 5) : "");
        setValue(shown.paAtAql, plan ? decisionNumber(plan->paAtAql, 4, 4) : "");
        if (plan) {
            described += designedPlanCaption(m == 0 ? PlanMethod::SMethod : PlanMethod::SigmaMethod,
                                             *plan) +
                         ", Pa at the AQL " + decisionNumber(plan->paAtAql, 4, 4) + ". ";
        }
    }
    setValue(m_status, "Each plan accepts a lot at the LTPD with probability " +
                            plainText(r.consumerRisk) + " and one at the AQL with at least " +
                            plainText(1.0 - r.producerRisk) + "." + missing);
    m_oc = planDesignScene(r, sMethod, sigmaMethod, m_measurer, toUtf8(font().family()));
    m_picture->setAccessibleDescription(toQString("OC curves of the designed plans: " + described +
                                                  "Required: Pa " +
                                                  plainText(1.0 - r.producerRisk) + " at AQL " +
                                                  percentOf(r.aql) + ", Pa " +
                                                  plainText(r.consumerRisk) + " at LTPD " +
                                                  percentOf(r.ltpd) + "."));
    m_picture->update();
}

} // namespace qv
