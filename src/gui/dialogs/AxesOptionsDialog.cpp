#include "gui/dialogs/AxesOptionsDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

namespace {

constexpr int NumberFieldChars = 12;

} // namespace

AxesOptionsDialog::AxesOptionsDialog(Settings& settings, Prompter& prompter, QWidget* parent)
    : SettingsDialog("AxesOpts", "Axes Options", settings, parent), m_prompter(prompter)
{
    // Top row: the probability axis's range, the value axis's scaling and its fields.
    QGroupBox* range =
        makeFrame("Frame3", "X-Axis Range", "Expands or contracts the probability scale.", this);
    auto* rangeLayout = new QGridLayout(range);
    const char* const nines[] = {"Auto", "99%", "99.9%", "99.99%", "99.999%"};
    for (int i = 0; i < 5; ++i) {
        const QByteArray name = "NumNines_" + QByteArray::number(i);
        rangeLayout->addWidget(makeRadio(name.constData(), nines[i], range), i / 2, i % 2);
    }

    QGroupBox* scaling = makeFrame("Frame1", "Y-Axis Scaling", nullptr, this);
    auto* scalingLayout = new QVBoxLayout(scaling);
    scalingLayout->addWidget(makeRadio("Auto", "Auto", scaling));
    scalingLayout->addWidget(makeRadio("Manual", "Manual", scaling));
    scalingLayout->addStretch();

    auto* fields = new QFormLayout;
    const int numberWidth = fontMetrics().averageCharWidth() * NumberFieldChars;
    const struct
    {
        const char* label;
        const char* caption;
        const char* field;
        const char* tooltip;
    } fieldRows[] = {
        {"YMinLabel", "Y Minimum:", "YscaleMin", "Manually select bottom of Y scale."},
        {"YMaxLabel", "Y Maximum:", "YscaleMax", "Manually select top of Y scale."},
        {"TickLabel", "Tick Interval:", "TickInterval", "Manually select Y subdivisions."},
    };
    for (const auto& row : fieldRows) {
        QLineEdit* field = makeField(row.field, row.tooltip, this);
        field->setFixedWidth(numberWidth);
        fields->addRow(makeLabel(row.label, row.caption, field, this), field);
        selectAllOnFocus(field);
    }

    auto* top = new QHBoxLayout;
    top->addWidget(range);
    top->addWidget(scaling);
    top->addLayout(fields);
    top->addStretch();

    // Second row: label format, label precision, data symbol.
    QGroupBox* format =
        makeFrame("Frame4", "Y-Label Format", "Select decimal or scientific Y axis.", this);
    auto* formatLayout = new QVBoxLayout(format);
    formatLayout->addWidget(makeRadio("Stdformat", "Standard", format));
    formatLayout->addWidget(makeRadio("Eformat", "E-Format", format));
    formatLayout->addStretch();

    QGroupBox* precision = makeFrame("Precision", "Y-Label Precision",
                                     "Select Y axis display decimal places", this);
    auto* precisionLayout = new QGridLayout(precision);
    precisionLayout->addWidget(makeRadio("Yprecision_0", "Auto", precision), 0, 0);
    precisionLayout->addWidget(makeRadio("Yprecision_1", "Manual", precision), 1, 0);
    QComboBox* places = makeCombo("Yplaces", precision);
    precisionLayout->addWidget(places, 1, 1);
    precisionLayout->addWidget(makeLabel("Places", "Places", places, precision), 1, 2);
    selectAllOnFocus(places);

    QGroupBox* symbols =
        makeFrame("Frame2", "Data Symbols", "Select a symbol for the data plot.", this);
    auto* symbolsLayout = new QVBoxLayout(symbols);
    const char* const symbolCaptions[] = {"Circle", "Square", "Triangle"};
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = "DataSymbol_" + QByteArray::number(i);
        symbolsLayout->addWidget(makeRadio(name.constData(), symbolCaptions[i], symbols));
    }

    auto* second = new QHBoxLayout;
    second->addWidget(format);
    second->addWidget(precision);
    second->addWidget(symbols);
    second->addStretch();

    QPushButton* ok = makeButton("OK", "O&K", "Return to plot and update with changes.", this);
    QPushButton* cancel =
        makeButton("Command1", "&Cancel", "Return to plot without using changes.", this);
    QPushButton* graph = makeButton("Graph", "&Graph Options", "Go to Graph Option window.", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(graph);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(second);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &SettingsDialog::ok);
    connect(cancel, &QPushButton::clicked, this, &SettingsDialog::reject);
    connect(graph, &QPushButton::clicked, this, [this] { switchTo(DialogExit::ToGraph); });
    finish(ok);
}

bool AxesOptionsDialog::okRules()
{
    return axesOptionsOk(settings(), m_prompter);
}

void AxesOptionsDialog::cancelRules()
{
    axesOptionsCancel(settings());
}

} // namespace qv
