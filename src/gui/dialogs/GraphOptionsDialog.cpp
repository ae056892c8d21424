#include "gui/dialogs/GraphOptionsDialog.h"

#include <QCheckBox>
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

// Room for a number of about this many characters in a short field.
constexpr int NumberFieldChars = 12;

} // namespace

GraphOptionsDialog::GraphOptionsDialog(Settings& settings, QWidget* parent)
    : SettingsDialog("PlotOpts", "Graph Options", settings, parent)
{
    const int numberWidth = fontMetrics().averageCharWidth() * NumberFieldChars;

    // The four texts across the dialog.
    auto* texts = new QFormLayout;
    texts->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const struct
    {
        const char* label;
        const char* caption;
        const char* field;
        const char* tooltip;
    } textRows[] = {
        {"Label3", "Plot Title:", "PlotTitle", "Enter title for top of plot"},
        {"Label1", "Y-Axis Label:", "YAxisLabel", "Enter units for Y axis."},
        {"Label2", "Plot Text:", "PlotText",
         "Display extra text, in a movable box, to describe the main data."},
        {"Label4", "Overlay Text", "OverlayText",
         "Display extra text, in a movable box, to describe the overlay data, if any."},
    };
    for (const auto& row : textRows) {
        QLineEdit* field = makeField(row.field, row.tooltip, this);
        field->setMinimumWidth(numberWidth * 3);
        texts->addRow(makeLabel(row.label, row.caption, field, this), field);
    }
    selectAllOnFocus(findChild<QLineEdit*>(QStringLiteral("PlotTitle")));
    selectAllOnFocus(findChild<QLineEdit*>(QStringLiteral("YAxisLabel")));

    // Distribution, value axis and the statistics box.
    QGroupBox* distribution = makeFrame(
        "Distribution", "Distribution",
        "Selects probability distribution that is assumed to underlie the data.", this);
    auto* distributionLayout = new QVBoxLayout(distribution);
    distributionLayout->addWidget(makeRadio("NormalDist", "Gaussian", distribution));
    distributionLayout->addWidget(makeRadio("Tdist", "Student's t", distribution));
    distributionLayout->addStretch();

    QGroupBox* axis = makeFrame("YaxisType", "Y-axis",
                                "Choose linear or log Y scale.  Make sure there are no negative or "
                                "zero values before choosing log!!!!!!",
                                this);
    auto* axisLayout = new QVBoxLayout(axis);
    axisLayout->addWidget(makeRadio("LinearY", "Linear", axis));
    axisLayout->addWidget(makeRadio("LogY", "Log", axis));
    axisLayout->addStretch();

    // The frame only draws a box around these; it is never disabled.
    QGroupBox* statistics = makeFrame("framStatitistics", "Statistics", nullptr, this);
    auto* statisticsLayout = new QVBoxLayout(statistics);
    statisticsLayout->addWidget(makeCheck("Statistics", "Show Statistical Data",
                                          "Turns display of statistics box on and off.",
                                          statistics));
    statisticsLayout->addWidget(makeCheck("TestStatistic", "Show Test Statistic",
                                          "Add test statitistics line to graph.", statistics));
    statisticsLayout->addWidget(makeCheck("ErrorBars", "Show Uncertainty Bars",
                                          "Turn uncertainty bars on and off.", statistics));
    QPushButton* moreStats =
        makeButton("MoreStats", "&Statistics Box Options",
                   "Go to statistics box display options window.", statistics);
    statisticsLayout->addWidget(moreStats);

    auto* choices = new QHBoxLayout;
    choices->addWidget(distribution);
    choices->addWidget(axis);
    choices->addWidget(statistics, 1);

    // Background subtraction.
    auto* background = new QHBoxLayout;
    background->addWidget(makeCheck("BkgSubtraction", "Background Subtraction",
                                    "Turn Background subtract on or off.", this));
    background->addSpacing(12);
    QLineEdit* bkgValue =
        makeField("BkgValue", "Enter background value to subtract from all data points.", this);
    bkgValue->setFixedWidth(numberWidth);
    background->addWidget(makeLabel("BkgLabel", "Bkg. Value:", bkgValue, this));
    background->addWidget(bkgValue);
    background->addStretch();
    selectAllOnFocus(bkgValue);

    // The fit with its confidence curves and weighting, and the Ts parameters.
    auto* fit = new QVBoxLayout;
    fit->addWidget(makeCheck("LSQfit", "LSQ Fit", "Turn on Least Squares curve fit.", this));
    QGroupBox* confidence =
        makeFrame("ConfidenceFrame", "Confidence Intervals",
                  "Add lines to plot to help determine whether there are true outliers and/or if "
                  "the data are described by gaussian distribution.",
                  this);
    auto* confidenceLayout = new QHBoxLayout(confidence);
    const char* const confidenceCaptions[] = {"90%", "95%", "99%", "None"};
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "ConfInterval_" + QByteArray::number(i);
        confidenceLayout->addWidget(makeRadio(name.constData(), confidenceCaptions[i], confidence));
    }
    fit->addWidget(confidence);
    QGroupBox* weighting = makeFrame(
        "WeightingFrame", "Weighting",
        "Weights individual data points according to the reciprocal square of the uncertainty.",
        this);
    auto* weightingLayout = new QHBoxLayout(weighting);
    weightingLayout->addWidget(makeRadio("weighting_0", "Weighted", weighting));
    weightingLayout->addWidget(makeRadio("weighting_1", "Un-Weighted", weighting));
    fit->addWidget(weighting);
    fit->addStretch();

    QGroupBox* ts = makeFrame("Frame2", "Ts Parameters", nullptr, this);
    auto* tsLayout = new QHBoxLayout(ts);
    const struct
    {
        const char* frame;
        const char* title;
        const char* tooltip;
        const char* group;
        const char* captions[4];
    } tsGroups[] = {
        {"Frame3", "LTPD", "Lot Tolerance Percent Defective to be used in Ts calculation.", "LTPD",
         {"16%", "10%", "5%", "1%"}},
        {"Frame4", "CR", "Consumers Risk percentage to be used in Ts calculation.", "CR",
         {"0.16", "0.1", "0.05", "0.01"}},
    };
    for (const auto& g : tsGroups) {
        QGroupBox* column = makeFrame(g.frame, g.title, g.tooltip, ts);
        auto* columnLayout = new QVBoxLayout(column);
        for (int i = 0; i < 4; ++i) {
            const QByteArray name = QByteArray(g.group) + "_" + QByteArray::number(i);
            columnLayout->addWidget(makeRadio(name.constData(), g.captions[i], column));
        }
        tsLayout->addWidget(column);
    }

    auto* fitAndTs = new QHBoxLayout;
    fitAndTs->addLayout(fit, 1);
    fitAndTs->addWidget(ts);

    // The limit lines.
    auto* limit = new QHBoxLayout;
    limit->addWidget(
        makeCheck("LimitLines", "Limit Lines", "Turn display of limit lines on or off.", this));
    limit->addSpacing(12);
    QLineEdit* uLimit = makeField("ULimit", "Enter upper limit for limit line position.", this);
    uLimit->setFixedWidth(numberWidth);
    limit->addWidget(makeLabel("ULimitLabel", "Upper Limit:", uLimit, this));
    limit->addWidget(uLimit);
    limit->addStretch();
    selectAllOnFocus(uLimit);
    auto* lines = new QHBoxLayout;
    lines->addSpacing(20);
    lines->addWidget(makeCheck("UL_Line", "UL Line", "Diplay line at specified upper limit.", this));
    lines->addWidget(makeCheck("NinetyLine", "90% Line",
                               "Display line at 90% of specified upper limit.", this));
    lines->addWidget(makeCheck("FiftyLine", "50% Line",
                               "Display line at 50% of specified upper limit.", this));
    lines->addStretch();

    // The buttons.
    QPushButton* ok = makeButton("OK", "O&K", "Go back to plot and update with changes.", this);
    QPushButton* cancel =
        makeButton("Command1", "&Cancel", "Go back to plot without using changes.", this);
    QPushButton* axes = makeButton("Axes", "&Axes Options", "Go to axes option window.", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(axes);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(texts);
    layout->addLayout(choices);
    layout->addLayout(background);
    layout->addLayout(fitAndTs);
    layout->addLayout(limit);
    layout->addLayout(lines);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &SettingsDialog::ok);
    connect(cancel, &QPushButton::clicked, this, &SettingsDialog::reject);
    connect(axes, &QPushButton::clicked, this, [this] { switchTo(DialogExit::ToAxes); });
    connect(moreStats, &QPushButton::clicked, this,
            [this] { switchTo(DialogExit::ToStatsBox); });
    finish(ok);
}

bool GraphOptionsDialog::okRules()
{
    graphOptionsOk(settings());
    return true;
}

} // namespace qv
