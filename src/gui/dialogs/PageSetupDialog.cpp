#include "gui/dialogs/PageSetupDialog.h"

#include "gui/dialogs/SettingsBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace qv {

namespace {

using enum Ctl;

const ChoiceFrame kPlotSize = {"frmPlotAreaSize",
                               "Change Plot Area Size",
                               nullptr,
                               frmPageSetup_optPlotSize,
                               {"Reduce 40%", "Reduce 20%", "Reduce 10%", "Reduce 5%",
                                "Keep Current Size", "Enlarge 5%", "Enlarge 10%", "Enlarge 20%",
                                "Enlarge 40%"},
                               Arrangement::Column};
const ChoiceFrame kOrientation = {"frmPrinterOrientation",      "Orientation",
                                  "Choose how to print graph.", frmPageSetup_optPrtOrientation,
                                  {"Portrait", "Landscape"},    Arrangement::Column};

QWidget* bold(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
    return widget;
}

} // namespace

PageSetupDialog::PageSetupDialog(Settings& settings, std::function<void()> refresh, QWidget* parent)
    : SettingsDialog("frmPageSetup", "Page Setup", settings, parent), m_refresh(std::move(refresh))
{
    setModal(false);

    // Left: the one-time resize and the print orientation.
    QGroupBox* size = makeChoices(kPlotSize, this);
    QGroupBox* orientation = makeChoices(kOrientation, this);
    auto* left = new QVBoxLayout;
    left->addWidget(bold(makeLabel("lblPlotAreaFontsize", "Resize Graph Area", nullptr, this)));
    left->addWidget(size);
    left->addWidget(bold(makeLabel("lblPageSetup", "Select Printer Option", nullptr, this)));
    left->addWidget(orientation);
    left->addStretch();

    // Middle: the title's sizes, then the chart font.
    auto* font = new QComboBox(this);
    font->setObjectName(controlWidgetName(frmPageSetup_cboFont));
    // Only the listed fonts can be chosen: a typed name would be replaced by another font.
    font->setEditable(false);
    font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    font->setMinimumContentsLength(18);
    font->setMaxVisibleItems(20);
    QVBoxLayout* middle =
        makeSizeColumn("lblPlotTitleFontSize", "Graph Title Font Options", "frmPlotTitleFontsize",
                       frmPageSetup_optPlotTitleFontsize,
                       {"8 Point", "10 Point", "12 Point (Default)", "14 Point", "16 Point"},
                       {frmPageSetup_chkGraphTitleBold, "Bold Graph Title Font", nullptr});
    middle->addWidget(bold(makeLabel("lblFontChoice", "Select Graph Font", font, this)));
    middle->addWidget(font);
    middle->addWidget(
        bold(makeCheck({frmPageSetup_chkBoldFont, "Bold Main Graph Font", nullptr}, this)));
    middle->addStretch();

    // Right: the axis labels' sizes.
    QVBoxLayout* right =
        makeSizeColumn("lblYAxisLabelFontsize", "Axes Labels Font Options", "frmYAxisLabelFontsize",
                       frmPageSetup_optYAxisLabelFontsize,
                       {"6 Point", "8 Point", "10 Point (Default)", "12 Point", "14 Point"},
                       {frmPageSetup_chkYBold, "Bold Axes Label Font", nullptr});
    right->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(8);
    columns->addLayout(middle);
    columns->addSpacing(8);
    columns->addLayout(right);

    layOut({columns},
           {{"cmdPageSetupOK", "OK", "Return to plot.", [this] { accept(); }},
            {"cmdPlotRefresh", "Refresh Plot", "Return to plot.", [this] { refreshPlot(); }}});
}

QVBoxLayout* PageSetupDialog::makeSizeColumn(const char* label, const char* caption,
                                             const char* frameName, Ctl sizes,
                                             std::initializer_list<const char*> captions,
                                             const CheckEntry& boldCheck)
{
    auto* column = new QVBoxLayout;
    column->addWidget(bold(makeLabel(label, caption, nullptr, this)));
    const ChoiceFrame choices{frameName, "Select Font Size and Style", nullptr, sizes,
                              captions,  Arrangement::Column};
    QGroupBox* frame = makeChoices(choices, this);
    frame->layout()->addWidget(bold(makeCheck(boldCheck, frame)));
    column->addWidget(frame);
    return column;
}

void PageSetupDialog::showBeside()
{
    show();
    raise();
    activateWindow();
}

void PageSetupDialog::refreshPlot()
{
    if (m_refresh) {
        m_refresh();
    }
}

void PageSetupDialog::accept()
{
    hide();
    refreshPlot();
}

} // namespace qv
