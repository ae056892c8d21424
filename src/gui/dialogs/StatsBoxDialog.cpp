#include "gui/dialogs/StatsBoxDialog.h"

#include <QCheckBox>
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

StatsBoxDialog::StatsBoxDialog(Settings& settings, QWidget* parent)
    : SettingsDialog("StatsForm", "Statistics Box Options", settings, parent)
{
    // The six lines of the boxes, in the order they are shown.
    constexpr const char* InBox = "Display this text in Stats box.";
    auto* lines = new QVBoxLayout;
    const std::pair<const char*, const char*> checks[] = {
        {"NumData", "No. of Data Points"}, {"chkMin", "Min"},
        {"Mean", "Mean"},                  {"chkMax", "Max"},
        {"StdDev", "Standard Deviation"},  {"TS", "Test Statistic"},
    };
    for (const auto& [name, caption] : checks) {
        lines->addWidget(makeCheck(name, caption, InBox, this));
    }

    QGroupBox* precision =
        makeFrame("Precision", "Significant Digits", "Set significant figures for stats box.", this);
    auto* precisionLayout = new QGridLayout(precision);
    precisionLayout->addWidget(makeRadio("StatsPrecision_0", "Auto", precision), 0, 0);
    precisionLayout->addWidget(makeRadio("StatsPrecision_1", "Manual", precision), 1, 0);
    QComboBox* digits = makeCombo("Digits", precision);
    precisionLayout->addWidget(digits, 1, 1);
    precisionLayout->addWidget(makeLabel("Places", "Digits", digits, precision), 1, 2);
    precisionLayout->setRowStretch(2, 1);
    selectAllOnFocus(digits);

    auto* top = new QHBoxLayout;
    top->addLayout(lines);
    top->addSpacing(12);
    top->addWidget(precision, 0, Qt::AlignTop);
    top->addStretch();

    auto* titles = new QFormLayout;
    titles->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    QLineEdit* mainTitle = makeField("txtMainStatBoxTitle", nullptr, this);
    mainTitle->setMinimumWidth(fontMetrics().averageCharWidth() * 28);
    titles->addRow(makeLabel("lblMainTitle", "Main Stat Box Title", mainTitle, this), mainTitle);
    QLineEdit* overlayTitle = makeField("txtOverlayStatBoxTitle", nullptr, this);
    titles->addRow(makeLabel("lblStatsTitle", "Overlay Stat Box Title", overlayTitle, this),
                   overlayTitle);

    QPushButton* ok = makeButton("OK", "O&K", "Go back to plot and update with changes.", this);
    QPushButton* cancel =
        makeButton("Command1", "&Cancel", "Go back to plot without using changes.", this);
    QPushButton* graph =
        makeButton("graph", "&Graph Options", "Go back to main graph options window", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(graph);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(titles);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &SettingsDialog::ok);
    connect(cancel, &QPushButton::clicked, this, &SettingsDialog::reject);
    connect(graph, &QPushButton::clicked, this, [this] { switchTo(DialogExit::ToGraph); });
    finish(ok);
}

} // namespace qv
