#include "gui/dialogs/PageSetupDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

namespace {

QWidget* bold(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
    return widget;
}

} // namespace

PageSetupDialog::PageSetupDialog(Settings& settings, std::function<void()> refresh,
                                 QWidget* parent)
    : SettingsDialog("frmPageSetup", "Page Setup", settings, parent), m_refresh(std::move(refresh))
{
    setModal(false);

    // Left: the one-time resize and the print orientation.
    QGroupBox* size = makeFrame("frmPlotAreaSize", "Change Plot Area Size", nullptr, this);
    auto* sizeLayout = new QVBoxLayout(size);
    const char* const sizes[] = {"Reduce 40%",  "Reduce 20%", "Reduce 10%",
                                 "Reduce 5%",   "Keep Current Size", "Enlarge 5%",
                                 "Enlarge 10%", "Enlarge 20%", "Enlarge 40%"};
    for (int i = 0; i < 9; ++i) {
        const QByteArray name = "optPlotSize_" + QByteArray::number(i);
        sizeLayout->addWidget(makeRadio(name.constData(), sizes[i], size));
    }
    QGroupBox* orientation =
        makeFrame("frmPrinterOrientation", "Orientation", "Choose how to print graph.", this);
    auto* orientationLayout = new QVBoxLayout(orientation);
    orientationLayout->addWidget(makeRadio("optPrtOrientation_0", "Portrait", orientation));
    orientationLayout->addWidget(makeRadio("optPrtOrientation_1", "Landscape", orientation));

    auto* left = new QVBoxLayout;
    left->addWidget(bold(makeLabel("lblPlotAreaFontsize", "Resize Graph Area", nullptr, this)));
    left->addWidget(size);
    left->addWidget(bold(makeLabel("lblPageSetup", "Select Printer Option", nullptr, this)));
    left->addWidget(orientation);
    left->addStretch();

    // A frame of five sizes, smallest at the top, with its bold check box below.
    auto sizeFrame = [this](const char* frameName, const char* group,
                            const char* const (&captions)[5], const char* boldName,
                            const char* boldCaption) {
        QGroupBox* frame = makeFrame(frameName, "Select Font Size and Style", nullptr, this);
        auto* frameLayout = new QVBoxLayout(frame);
        for (int i = 0; i < 5; ++i) {
            const QByteArray name = QByteArray(group) + "_" + QByteArray::number(i);
            frameLayout->addWidget(makeRadio(name.constData(), captions[i], frame));
        }
        frameLayout->addWidget(bold(makeCheck(boldName, boldCaption, nullptr, frame)));
        return frame;
    };

    // Middle: the title's sizes, then the chart font.
    const char* const titleSizes[] = {"8 Point", "10 Point", "12 Point (Default)", "14 Point",
                                      "16 Point"};
    auto* font = new QComboBox(this);
    font->setObjectName(QStringLiteral("cboFont"));
    // Only the listed fonts can be chosen: a typed name would be replaced by another font.
    font->setEditable(false);
    font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    font->setMinimumContentsLength(18);
    font->setMaxVisibleItems(20);
    auto* middle = new QVBoxLayout;
    middle->addWidget(
        bold(makeLabel("lblPlotTitleFontSize", "Graph Title Font Options", nullptr, this)));
    middle->addWidget(sizeFrame("frmPlotTitleFontsize", "optPlotTitleFontsize", titleSizes,
                                "chkGraphTitleBold", "Bold Graph Title Font"));
    middle->addWidget(bold(makeLabel("lblFontChoice", "Select Graph Font", font, this)));
    middle->addWidget(font);
    middle->addWidget(bold(makeCheck("chkBoldFont", "Bold Main Graph Font", nullptr, this)));
    middle->addStretch();

    // Right: the axis labels' sizes.
    const char* const labelSizes[] = {"6 Point", "8 Point", "10 Point (Default)", "12 Point",
                                      "14 Point"};
    auto* right = new QVBoxLayout;
    right->addWidget(
        bold(makeLabel("lblYAxisLabelFontsize", "Axes Labels Font Options", nullptr, this)));
    right->addWidget(sizeFrame("frmYAxisLabelFontsize", "optYAxisLabelFontsize", labelSizes,
                               "chkYBold", "Bold Axes Label Font"));
    right->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(8);
    columns->addLayout(middle);
    columns->addSpacing(8);
    columns->addLayout(right);

    QPushButton* ok = makeButton("cmdPageSetupOK", "OK", "Return to plot.", this);
    QPushButton* refreshButton =
        makeButton("cmdPlotRefresh", "Refresh Plot", "Return to plot.", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(refreshButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &PageSetupDialog::accept);
    connect(refreshButton, &QPushButton::clicked, this, &PageSetupDialog::refreshPlot);
    finish(ok);
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
