// The binder that ties dialog widgets to the settings by object name: with the
// Data File Parameters dialog, and with a small Graph Options layout as the
// option dialogs will have.
#include "gui/dialogs/SettingsBinder.h"
#include "core/document/ChartDocument.h"
#include "core/model/ScriptedPrompter.h"
#include "gui/dialogs/FileCharDialog.h"
#include "render/QtTextMeasurer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace qv {
namespace {

using enum Ctl;

template <typename T> T* child(QWidget& root, const char* name)
{
    T* widget = root.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// A part of the Graph Options layout: widgets named after their controls.
struct GraphOptions
{
    QDialog dialog;
    SettingsBinder* binder;

    GraphOptions()
    {
        dialog.setObjectName("PlotOpts");
        auto* layout = new QVBoxLayout(&dialog);
        auto add = [&](QWidget* widget, const char* name) {
            widget->setObjectName(name);
            layout->addWidget(widget);
        };
        add(new QCheckBox("Limit Lines"), "LimitLines");
        add(new QLineEdit, "ULimit");
        add(new QLabel("Upper Limit"), "ULimitLabel");
        for (const char* name : {"CR_0", "CR_1", "CR_2", "CR_3"}) {
            add(new QRadioButton(name), name);
        }
        auto* axis = new QGroupBox("Y Axis");
        auto* axisLayout = new QVBoxLayout(axis);
        for (const char* name : {"LinearY", "LogY"}) {
            auto* radio = new QRadioButton(name, axis);
            radio->setObjectName(name);
            axisLayout->addWidget(radio);
        }
        layout->addWidget(axis);
        binder = new SettingsBinder(dialog);
    }
    template <typename T> T* widget(const char* name) { return child<T>(dialog, name); }
};

TEST(SettingsBinder, ShowsTheSettingsAndTakesClicksThroughTheirHandlers)
{
    Settings s;
    GraphOptions g;
    g.binder->attach(&s);
    // Before the first reset no consumer's risk is chosen.
    for (const char* name : {"CR_0", "CR_1", "CR_2", "CR_3"}) {
        EXPECT_FALSE(g.widget<QRadioButton>(name)->isChecked()) << name;
    }
    EXPECT_EQ(g.binder->widgetFor(PlotOpts_CR, 2), g.widget<QWidget>("CR_2"));
    EXPECT_EQ(g.binder->widgetFor(PlotOpts_CR), nullptr);

    // A reset is one notice, and every widget follows it.
    s.resetOptions();
    EXPECT_TRUE(g.widget<QRadioButton>("CR_1")->isChecked());
    EXPECT_TRUE(g.widget<QRadioButton>("LinearY")->isChecked());
    EXPECT_EQ(g.widget<QLineEdit>("ULimit")->text(), "0");
    EXPECT_FALSE(g.widget<QLineEdit>("ULimit")->isEnabled());
    EXPECT_FALSE(g.widget<QLabel>("ULimitLabel")->isEnabled());

    // Clicks and typing go to the setters, whose handlers enable and derive.
    g.widget<QCheckBox>("LimitLines")->click();
    EXPECT_EQ(s.check(PlotOpts_LimitLines), 1);
    EXPECT_TRUE(g.widget<QLineEdit>("ULimit")->isEnabled());
    EXPECT_TRUE(g.widget<QLabel>("ULimitLabel")->isEnabled());
    auto* limit = g.widget<QLineEdit>("ULimit");
    limit->selectAll();
    QTest::keyClicks(limit, "125");
    EXPECT_EQ(s.text(PlotOpts_ULimit), "125");
    g.widget<QRadioButton>("CR_3")->click();
    EXPECT_EQ(s.group(PlotOpts_CR), 3);
    EXPECT_DOUBLE_EQ(s.consumerRiskZ(), 2.32635);
    EXPECT_FALSE(g.widget<QRadioButton>("CR_1")->isChecked());
    g.widget<QRadioButton>("LogY")->click();
    EXPECT_TRUE(s.selected(PlotOpts_LogY));
    EXPECT_FALSE(s.selected(PlotOpts_LinearY));

    // Changes from code show at once; a detached dialog no longer follows.
    s.selectButton(PlotOpts_LinearY);
    EXPECT_TRUE(g.widget<QRadioButton>("LinearY")->isChecked());
    g.binder->attach(nullptr);
    s.setText(PlotOpts_ULimit, "7");
    EXPECT_EQ(limit->text(), "125");
}

TEST(SettingsBinder, ShowsThePlotRoutinesWriteBacksInAnOpenDialog)
{
    ScriptedPrompter prompter;
    QtTextMeasurer measurer;
    ChartDocument document(prompter, measurer);
    document.startUp(designLayout(12000, 9000), {"Arial"});
    Settings& s = document.settings();
    s.resetOptions();
    DataSet& set = document.session().set(1);
    set.values = {1, 2, 3, 4, 5};
    set.sigmas.assign(5, 0.0);
    set.states.assign(5, 1);
    set.pointCount = set.enabledCount = 5;

    GraphOptions g;
    g.binder->attach(&s);
    g.widget<QCheckBox>("LimitLines")->click();
    QTest::keyClicks(g.widget<QLineEdit>("ULimit"), "9");
    g.widget<QCheckBox>("LimitLines")->click();
    EXPECT_EQ(g.widget<QLineEdit>("ULimit")->text(), "09");

    // The drawing puts "0" into the upper limit of switched-off limit lines.
    document.drawPlot();
    EXPECT_EQ(g.widget<QLineEdit>("ULimit")->text(), "0");
}

TEST(SettingsBinder, KeepsTheDataFileParametersDialogInStepWithTheSettings)
{
    Settings s;
    FileCharDialog dialog;
    dialog.attach(&s, {"a,b", "1,2"});
    s.setText(FileChar_Ncol, "2");
    s.setFileCharColumnItems(2);
    s.setText(FileChar_ColN, "2");
    EXPECT_EQ(child<QLineEdit>(dialog, "Ncol")->text(), "2");
    auto* colN = child<QComboBox>(dialog, "ColN");
    EXPECT_EQ(colN->count(), 2);
    EXPECT_EQ(colN->currentText(), "2");
    s.setEnabled(FileChar_Frame2, false);
    EXPECT_FALSE(child<QCheckBox>(dialog, "ErrorBars")->isEnabled());

    // Typing a field count reaches the settings; checking the uncertainty
    // column proposes the one after the values through the handler.
    auto* ncol = child<QLineEdit>(dialog, "Ncol");
    ncol->selectAll();
    QTest::keyClicks(ncol, "3");
    EXPECT_EQ(s.text(FileChar_Ncol), "3");
    s.setEnabled(FileChar_Frame2, true);
    s.setFileCharColumnItems(3);
    child<QCheckBox>(dialog, "ErrorBars")->click();
    EXPECT_EQ(child<QComboBox>(dialog, "ErrorColumn")->currentText(), "3");
    EXPECT_EQ(s.text(FileChar_ErrorColumn), "3");
}

} // namespace
} // namespace qv
