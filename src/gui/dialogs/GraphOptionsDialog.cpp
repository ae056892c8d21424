#include "gui/dialogs/GraphOptionsDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

namespace {

using enum Ctl;

constexpr const char* StudentTip = "Student's t distribution, for lots of fewer than 30 points.";
constexpr const char* StudentOffTip =
    "Student's t is offered only for lots of fewer than 30 points; this lot has 30 or more, so "
    "the Gaussian distribution is used.";

// Room for a number of about this many characters in a short field.
constexpr int NumberFieldChars = 12;

const std::initializer_list<FieldEntry> kTexts = {
    {"Label3", "Plot Title:", PlotOpts_PlotTitle, "Enter title for top of plot"},
    {"Label1", "Y-Axis Label:", PlotOpts_YAxisLabel, "Enter units for Y axis."},
    {"Label2", "Plot Text:", PlotOpts_PlotText,
     "Display extra text, in a movable box, to describe the main data."},
    {"Label4", "Overlay Text", PlotOpts_OverlayText,
     "Display extra text, in a movable box, to describe the overlay data, if any."},
};

const ChoiceFrame kDistribution = {
    "Distribution",
    "Distribution",
    "Selects probability distribution that is assumed to underlie the data.",
    PlotOpts_NormalDist,
    {"Gaussian", "Student's t"},
    Arrangement::ColumnAtTop};
const ChoiceFrame kYAxis = {"YaxisType",
                            "Y-axis",
                            "Choose linear or log Y scale.  Make sure there are no negative or "
                            "zero values before choosing log.",
                            PlotOpts_LinearY,
                            {"Linear", "Log"},
                            Arrangement::ColumnAtTop};
const std::initializer_list<CheckEntry> kStatistics = {
    {PlotOpts_Statistics, "Show Statistical Data", "Turns display of statistics box on and off."},
    {PlotOpts_TestStatistic, "Show Test Statistic", "Add test statistics line to graph."},
    {PlotOpts_ErrorBars, "Show Uncertainty Bars", "Turn uncertainty bars on and off."},
};

const CheckEntry kBackground = {PlotOpts_BkgSubtraction, "Background Subtraction",
                                "Turn Background subtract on or off."};
const FieldEntry kBkgValue = {PlotOpts_BkgLabel, "Bkg. Value:", PlotOpts_BkgValue,
                              "Enter background value to subtract from all data points."};

const CheckEntry kFit = {PlotOpts_LSQfit, "LSQ Fit", "Turn on Least Squares curve fit."};
const ChoiceFrame kConfidence = {
    PlotOpts_ConfidenceFrame,
    "Confidence Intervals",
    "Add lines to plot to help determine whether there are true outliers and/or if the data are "
    "described by gaussian distribution.",
    PlotOpts_ConfInterval,
    {"90%", "95%", "99%", "None"},
    Arrangement::Row};
const ChoiceFrame kWeighting = {
    PlotOpts_WeightingFrame,
    "Weighting",
    "Weights individual data points according to the reciprocal square of the uncertainty.",
    PlotOpts_weighting,
    {"Weighted", "Un-Weighted"},
    Arrangement::Row};
const ChoiceFrame kTs[] = {
    {"Frame3",
     "LTPD",
     "Lot Tolerance Percent Defective to be used in Ts calculation.",
     PlotOpts_LTPD,
     {"16%", "10%", "5%", "1%"},
     Arrangement::Column},
    {"Frame4",
     "CR",
     "Consumers Risk fraction to be used in Ts calculation.",
     PlotOpts_CR,
     {"0.16", "0.1", "0.05", "0.01"},
     Arrangement::Column},
};

const CheckEntry kLimit = {PlotOpts_LimitLines, "Limit Lines",
                           "Turn display of limit lines on or off."};
const FieldEntry kULimit = {PlotOpts_ULimitLabel, "Upper Limit:", PlotOpts_ULimit,
                            "Enter upper limit for limit line position."};
const FieldEntry kLLimit = {PlotOpts_LLimitLabel, "Lower Li&mit:", PlotOpts_LLimit,
                            "Enter lower limit for limit line position and the lower-side verdict."};
const ChoiceFrame kLimitSides = {PlotOpts_LimitSidesFrame,
                                 "Limited Side",
                                 "Choose which side of the lot the limits tolerance: the upper "
                                 "limit, the lower limit, or both.",
                                 PlotOpts_LimitSides,
                                 {"U&pper", "Lo&wer", "Bot&h"},
                                 Arrangement::Row};
const std::initializer_list<CheckEntry> kLines = {
    {PlotOpts_UL_Line, "UL Line", "Display line at specified upper limit."},
    {PlotOpts_NinetyLine, "90% Line", "Display line at 90% of specified upper limit."},
    {PlotOpts_FiftyLine, "50% Line", "Display line at 50% of specified upper limit."},
};

} // namespace

GraphOptionsDialog::GraphOptionsDialog(Settings& settings, QWidget* parent)
    : SettingsDialog("PlotOpts", "Graph Options", settings, parent)
{
    const int numberWidth = fontMetrics().averageCharWidth() * NumberFieldChars;

    QFormLayout* texts = makeFields(
        kTexts, [numberWidth](QLineEdit* field) { field->setMinimumWidth(numberWidth * 3); });
    texts->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    selectAllOnFocus(widget<QLineEdit>(PlotOpts_PlotTitle));
    selectAllOnFocus(widget<QLineEdit>(PlotOpts_YAxisLabel));

    auto* choices = new QHBoxLayout;
    choices->addWidget(makeChoices(kDistribution, this));
    choices->addWidget(makeChoices(kYAxis, this));
    // The frame only draws a box around these; it is never disabled.
    QGroupBox* statistics = makeFrame("framStatitistics", "Statistics", nullptr, this);
    auto* statisticsLayout = new QVBoxLayout(statistics);
    addChecks(statisticsLayout, kStatistics, statistics);
    QPushButton* moreStats = makeButton(PlotOpts_MoreStats, "&Statistics Box Options",
                                        "Go to statistics box display options window.", statistics);
    statisticsLayout->addWidget(moreStats);
    connect(moreStats, &QPushButton::clicked, this, [this] { switchTo(DialogExit::ToStatsBox); });
    choices->addWidget(statistics, 1);

    QHBoxLayout* background = makeSwitchedField(kBackground, kBkgValue, numberWidth);

    // The fit with its confidence curves and weighting, and the Ts parameters.
    auto* fit = new QVBoxLayout;
    fit->addWidget(makeCheck(kFit, this));
    fit->addWidget(makeChoices(kConfidence, this));
    fit->addWidget(makeChoices(kWeighting, this));
    fit->addStretch();
    QGroupBox* ts = makeFrame("Frame2", "Ts Parameters", nullptr, this);
    auto* tsLayout = new QHBoxLayout(ts);
    for (const ChoiceFrame& column : kTs) {
        tsLayout->addWidget(makeChoices(column, ts));
    }
    auto* fitAndTs = new QHBoxLayout;
    fitAndTs->addLayout(fit, 1);
    fitAndTs->addWidget(ts);

    QHBoxLayout* limit = makeSwitchedField(kLimit, kULimit, numberWidth);
    QLineEdit* lower = makeField(kLLimit.field, kLLimit.tooltip, this);
    lower->setFixedWidth(numberWidth);
    selectAllOnFocus(lower);
    limit->insertWidget(limit->count() - 1, makeLabel(kLLimit.label, kLLimit.caption, lower, this));
    limit->insertWidget(limit->count() - 1, lower);
    limit->insertWidget(limit->count() - 1, makeChoices(kLimitSides, this));
    auto* lines = new QHBoxLayout;
    lines->addSpacing(20);
    addChecks(lines, kLines, this);
    lines->addStretch();

    layOut({texts, choices, background, fitAndTs, limit, lines},
           optionButtons("Go back to plot and update with changes.",
                         "Go back to plot without using changes.",
                         {"Axes", "&Axes Options", "Go to axes option window.",
                          [this] { switchTo(DialogExit::ToAxes); }}));

    m_studentT = widget<QRadioButton>(PlotOpts_Tdist);
    m_studentT->installEventFilter(this);
    showStudentTip();
}

void GraphOptionsDialog::showStudentTip()
{
    m_studentT->setToolTip(QString::fromUtf8(m_studentT->isEnabled() ? StudentTip : StudentOffTip));
}

bool GraphOptionsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_studentT && event->type() == QEvent::EnabledChange) {
        showStudentTip();
    }
    return SettingsDialog::eventFilter(watched, event);
}

QHBoxLayout* GraphOptionsDialog::makeSwitchedField(const CheckEntry& check, const FieldEntry& field,
                                                   int width)
{
    auto* row = new QHBoxLayout;
    row->addWidget(makeCheck(check, this));
    row->addSpacing(12);
    QLineEdit* edit = makeField(field.field, field.tooltip, this);
    edit->setFixedWidth(width);
    row->addWidget(makeLabel(field.label, field.caption, edit, this));
    row->addWidget(edit);
    row->addStretch();
    selectAllOnFocus(edit);
    return row;
}

bool GraphOptionsDialog::okRules()
{
    graphOptionsOk(settings());
    return true;
}

} // namespace qv
