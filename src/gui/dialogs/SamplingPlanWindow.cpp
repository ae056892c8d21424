#include "gui/dialogs/SamplingPlanWindow.h"

#include "core/document/ChartDocument.h"
#include "core/document/LotDecisionText.h"
#include "core/format/DecisionNumber.h"
#include "core/plot/OcChart.h"
#include "gui/dialogs/PlanDesignPanel.h"
#include "gui/widgets/ChartWidgets.h"
#include "gui/widgets/Twips.h"
#include "gui/widgets/ValueLabel.h"
#include "render/ChartExport.h"
#include "render/QtText.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qv {

SamplingPlanWindow::SamplingPlanWindow(const TextMeasurer& measurer, QWidget* parent)
    : QDialog(parent, Qt::Window), m_measurer(measurer)
{
    setObjectName(QStringLiteral("frmSamplingPlan"));
    setWindowTitle(QStringLiteral("Sampling Plan"));

    m_lot = makeValue(QStringLiteral("lblLot"), QStringLiteral("Lot"), this);
    auto* grid = new QGridLayout;
    // A row: its caption in column 0 and its value in `column`; `spoken` names the value.
    const auto row = [this, grid](int at, const char* caption, int column, const char* objectName,
                                  const char* spoken, int span = 1) {
        if (caption) {
            grid->addWidget(new QLabel(QString::fromUtf8(caption), this), at, 0);
        }
        QLabel* value = makeValue(QString::fromUtf8(objectName), QString::fromUtf8(spoken), this);
        grid->addWidget(value, at, column, 1, span);
        return value;
    };
    m_n = row(0, "N (enabled points):", 1, "lblN", "N (enabled points)");
    m_cr = row(1, "Consumer's risk (CR):", 1, "lblCR", "Consumer's risk (CR)");
    m_ltpd = row(2, "LTPD:", 1, "lblLTPD", "LTPD");
    for (const auto& [column, text] : {std::pair{1, "Chart"}, std::pair{2, "Exact plan"}}) {
        auto* heading = new QLabel(QString::fromUtf8(text), this);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        grid->addWidget(heading, 3, column);
    }
    m_k = row(4, "k:", 1, "lblK", "k of the chart");
    m_kExact = row(4, nullptr, 2, "lblKExact", "Exact k");
    m_ts = row(5, "Ts:", 1, "lblTs", "Ts of the chart");
    m_tsExact = row(5, nullptr, 2, "lblTsExact", "Exact Ts");
    m_tsLower = row(6, "Ts_lower (mean - k s):", 1, "lblTsLower", "Ts_lower of the chart");
    m_tsLowerExact = row(6, nullptr, 2, "lblTsLowerExact", "Exact Ts_lower");
    m_verdict = row(7, "Verdict:", 1, "lblVerdict", "Verdict of the chart");
    m_verdictExact = row(7, nullptr, 2, "lblVerdictExact", "Verdict of the exact plan");
    m_normality = row(8, "Normality (Anderson-Darling):", 1, "lblNormality",
                      "Normality (Anderson-Darling)", 2);
    m_ppk = row(9, "Ppk:", 1, "lblPpk", "Ppk", 2);
    // Upper in the first column, lower in the second.
    m_beyondUpper = row(10, "Beyond the upper, lower limit (estimate):", 1, "lblBeyondUpper",
                        "Fraction beyond the upper limit");
    m_beyondLower = row(10, nullptr, 2, "lblBeyondLower", "Fraction beyond the lower limit");
    m_paBothSides = row(11, "Pa on both limits at the lot's estimates:", 1, "lblPaBothSides",
                        "Probability of acceptance on both limits at the lot's estimates", 2);
    m_ocNote = row(12, nullptr, 0, "lblOcNote", "OC curve note", 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    auto* picture = new ChartWidget(
        QStringLiteral("picOcCurve"),
        [this](QPainter& p, const QRect& area) {
            p.fillRect(area, Qt::white);
            paintChartFitted(p, m_oc, QRectF(area));
        },
        this);
    m_picture = picture;
    m_picture->setAccessibleName(QStringLiteral("OC curve"));
    m_picture->setFocusPolicy(Qt::TabFocus);
    m_picture->setMinimumSize(480, 300);

    auto* ok = new QPushButton(QStringLiteral("O&K"), this);
    ok->setObjectName(QStringLiteral("cmdSamplingPlanOK"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);

    auto* lotPage = new QWidget(this);
    auto* layout = new QVBoxLayout(lotPage);
    layout->addWidget(m_lot);
    layout->addLayout(grid);
    layout->addWidget(m_picture, 1);
    m_design = new PlanDesignPanel(m_measurer, this);
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("tabSamplingPlan"));
    pages->setAccessibleName(QStringLiteral("Sampling Plan pages"));
    pages->addTab(lotPage, QStringLiteral("&Lot decision"));
    pages->addTab(m_design, QStringLiteral("Plan d&esign"));
    auto* window = new QVBoxLayout(this);
    window->addWidget(pages, 1);
    window->addWidget(ok, 0, Qt::AlignRight);
    fitOnScreen(*this, sizeHint().expandedTo(QSize(560, 640)));
    centreOnScreen(*this);
}

void SamplingPlanWindow::showWindow()
{
    show();
    raise();
    activateWindow();
}

void SamplingPlanWindow::follow(const ChartDocument& document)
{
    const LotDecision* decision = document.lotDecision(1);
    if (!decision) {
        setValue(m_lot, "No lot is drawn.");
        for (QLabel* value : {m_n, m_cr, m_ltpd, m_k, m_kExact, m_ts, m_tsExact, m_tsLower,
                              m_tsLowerExact, m_verdict, m_verdictExact, m_normality, m_ppk,
                              m_beyondUpper, m_beyondLower, m_paBothSides, m_ocNote}) {
            setValue(value, "");
        }
        m_oc = Scene{};
        m_picture->setAccessibleDescription(QStringLiteral("No OC curve: no lot is drawn."));
        m_picture->update();
        return;
    }
    const Session& session = document.session();
    setValue(m_lot, "Main lot: " + session.sources.titlePath);
    const SamplingPlanTexts t = samplingPlanTexts(*decision, document.decisionSettings());
    setValue(m_n, t.n);
    setValue(m_cr, t.consumerRisk);
    setValue(m_ltpd, t.ltpd);
    setValue(m_k, t.k);
    setValue(m_kExact, t.kExact);
    setValue(m_ts, t.ts);
    setValue(m_tsExact, t.tsExact);
    setValue(m_tsLower, t.tsLower);
    setValue(m_tsLowerExact, t.tsLowerExact);
    setValue(m_ppk, t.ppk);
    setValue(m_beyondUpper, t.fractionBeyondUpper);
    setValue(m_beyondLower, t.fractionBeyondLower);
    setValue(m_paBothSides, t.paBothSides.empty() ? "with both limits only" : t.paBothSides);
    setValue(m_ocNote, t.ocNote);
    setValue(m_verdict, t.verdict);
    setValue(m_verdictExact, t.verdictExact);
    setValue(m_normality, t.normality);
    if (const auto& plan = decision->plan) {
        m_oc = ocChartScene(*plan, m_measurer, session.window.graphFontName);
        const double atLtpd = plan->oc.probabilityOfAcceptance[9];
        m_picture->setAccessibleDescription(toQString(
            "OC curve of the exact plan: " + planCaption(*plan) +
            ". Pa = " + decisionNumber(atLtpd, 2, 2) + " at LTPD " + percentOf(plan->ltpd) + ", " +
            decisionNumber(plan->oc.probabilityOfAcceptance[0], 2, 2) + " at " +
            percentOf(plan->oc.fractionDefective[0]) + ", " +
            decisionNumber(plan->oc.probabilityOfAcceptance[29], 2, 2) + " at " +
            percentOf(plan->oc.fractionDefective[29]) + "."));
    } else {
        m_oc = Scene{};
        m_picture->setAccessibleDescription(QStringLiteral("No OC curve: ") + toQString(t.kExact) +
                                            QStringLiteral("."));
    }
    m_picture->update();
}

} // namespace qv
