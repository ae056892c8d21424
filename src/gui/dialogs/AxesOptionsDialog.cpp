#include "gui/dialogs/AxesOptionsDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>

namespace qv {

namespace {

using enum Ctl;

constexpr int NumberFieldChars = 12;

const ChoiceFrame kRange = {"Frame3",
                            "X-Axis Range",
                            "Expands or contracts the probability scale.",
                            AxesOpts_NumNines,
                            {"Auto", "99%", "99.9%", "99.99%", "99.999%"},
                            Arrangement::TwoColumns};
const ChoiceFrame kScaling = {"Frame1",      "Y-Axis Scaling",   nullptr,
                              AxesOpts_Auto, {"Auto", "Manual"}, Arrangement::ColumnAtTop};
const std::initializer_list<FieldEntry> kScale = {
    {AxesOpts_YMinLabel, "Y Minimum:", AxesOpts_YscaleMin, "Manually select bottom of Y scale."},
    {AxesOpts_YMaxLabel, "Y Maximum:", AxesOpts_YscaleMax, "Manually select top of Y scale."},
    {AxesOpts_TickLabel, "Tick Interval:", AxesOpts_TickInterval,
     "Manually select Y subdivisions."},
};
const ChoiceFrame kFormat = {
    "Frame4",           "Y-Label Format",         "Select decimal or scientific Y axis.",
    AxesOpts_Stdformat, {"Standard", "E-Format"}, Arrangement::ColumnAtTop};
const ChoiceFrame kPrecision = {
    "Precision",         "Y-Label Precision", "Select Y axis display decimal places",
    AxesOpts_Yprecision, {"Auto", "Manual"},  Arrangement::Column};
const ChoiceFrame kSymbols = {"Frame2",
                              "Data Symbols",
                              "Select a symbol for the data plot.",
                              AxesOpts_DataSymbol,
                              {"Circle", "Square", "Triangle"},
                              Arrangement::Column};

} // namespace

AxesOptionsDialog::AxesOptionsDialog(Settings& settings, Prompter& prompter, QWidget* parent)
    : SettingsDialog("AxesOpts", "Axes Options", settings, parent), m_prompter(prompter)
{
    // Top row: the probability axis's range, the value axis's scaling and its fields.
    auto* top = new QHBoxLayout;
    top->addWidget(makeChoices(kRange, this));
    top->addWidget(makeChoices(kScaling, this));
    const int numberWidth = fontMetrics().averageCharWidth() * NumberFieldChars;
    top->addLayout(makeFields(kScale, [this, numberWidth](QLineEdit* field) {
        field->setFixedWidth(numberWidth);
        selectAllOnFocus(field);
    }));
    top->addStretch();

    // Second row: label format, label precision, data symbol.
    auto* second = new QHBoxLayout;
    second->addWidget(makeChoices(kFormat, this));
    second->addWidget(makePrecision(kPrecision, AxesOpts_Yplaces, AxesOpts_Places, "Places"));
    second->addWidget(makeChoices(kSymbols, this));
    second->addStretch();

    layOut({top, second}, optionButtons("Return to plot and update with changes.",
                                        "Return to plot without using changes.",
                                        {"Graph", "&Graph Options", "Go to Graph Option window.",
                                         [this] { switchTo(DialogExit::ToGraph); }}));
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
