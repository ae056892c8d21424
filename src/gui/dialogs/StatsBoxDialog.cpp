#include "gui/dialogs/StatsBoxDialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qv {

namespace {

using enum Ctl;

constexpr const char* InBox = "Display this text in Stats box.";

// The six lines of the boxes, in the order they are shown.
const std::initializer_list<CheckEntry> kLines = {
    {StatsForm_NumData, "No. of Data Points", InBox},
    {StatsForm_chkMin, "Min", InBox},
    {StatsForm_Mean, "Mean", InBox},
    {StatsForm_chkMax, "Max", InBox},
    {StatsForm_StdDev, "Standard Deviation", InBox},
    {StatsForm_TS, "Test Statistic", InBox},
};
const ChoiceFrame kPrecision = {"Precision",
                                "Significant Digits",
                                "Set significant figures for stats box.",
                                StatsForm_StatsPrecision,
                                {"Auto", "Manual"},
                                Arrangement::Column};
const std::initializer_list<FieldEntry> kTitles = {
    {"lblMainTitle", "Main Stat Box Title", StatsForm_txtMainStatBoxTitle, nullptr},
    {"lblStatsTitle", "Overlay Stat Box Title", StatsForm_txtOverlayStatBoxTitle, nullptr},
};

} // namespace

StatsBoxDialog::StatsBoxDialog(Settings& settings, QWidget* parent)
    : SettingsDialog("StatsForm", "Statistics Box Options", settings, parent)
{
    auto* lines = new QVBoxLayout;
    addChecks(lines, kLines, this);
    QGroupBox* precision = makePrecision(kPrecision, StatsForm_Digits, StatsForm_Places, "Digits");
    static_cast<QGridLayout*>(precision->layout())->setRowStretch(2, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(lines);
    top->addSpacing(12);
    top->addWidget(precision, 0, Qt::AlignTop);
    top->addStretch();

    QFormLayout* titles = makeFields(kTitles);
    titles->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    widget<QLineEdit>(StatsForm_txtMainStatBoxTitle)
        ->setMinimumWidth(fontMetrics().averageCharWidth() * 28);

    layOut({top, titles},
           optionButtons("Go back to plot and update with changes.",
                         "Go back to plot without using changes.",
                         {"graph", "&Graph Options", "Go back to main graph options window",
                          [this] { switchTo(DialogExit::ToGraph); }}));
}

} // namespace qv
