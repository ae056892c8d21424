// The windows as assistive technology meets them: a screen reader's or voice
// control's actions and texts reach the settings as a user's do.
#include "core/model/ScriptedPrompter.h"
#include "gui/dialogs/GraphOptionsDialog.h"
#include "gui/dialogs/OptionDialogSet.h"
#include "gui/dialogs/SettingsBinder.h"
#include "gui/dialogs/SettingsDialog.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace qv {
namespace {

using enum Ctl;

QAccessibleInterface* accessible(QWidget* widget)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
    EXPECT_NE(a, nullptr);
    return a;
}

// Runs the first accessible action of `widget`, as an assistive technology
// does, after checking that it is `action`.
void doAction(QWidget* widget, const QString& action)
{
    QAccessibleActionInterface* actions = accessible(widget)->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_FALSE(actions->actionNames().isEmpty());
    ASSERT_EQ(actions->actionNames().front(), action);
    actions->doAction(action);
}

struct GraphOptions
{
    Settings settings;
    ScriptedPrompter prompter;
    OptionDialogSet set{settings, prompter, [] {}, nullptr};
    SettingsDialog& dialog = set.graphOptions();

    template <typename T> T* widget(Ctl id, int index = -1)
    {
        T* w = dialog.findChild<T*>(controlWidgetName(id, index));
        EXPECT_NE(w, nullptr) << controlInfo(id).name;
        return w;
    }
};

TEST(AssistiveTechnology, TogglesAndTextsReachTheSettingsAndTheEnablingFollows)
{
    GraphOptions g;
    Settings& s = g.settings;
    s.resetOptions();
    auto* limitLines = g.widget<QCheckBox>(PlotOpts_LimitLines);
    auto* ulLine = g.widget<QCheckBox>(PlotOpts_UL_Line);
    auto* limit = g.widget<QLineEdit>(PlotOpts_ULimit);
    ASSERT_FALSE(ulLine->isEnabled());

    // A check box's first action is Toggle, which emits no click.
    doAction(limitLines, QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(limitLines->isChecked());
    EXPECT_EQ(s.check(PlotOpts_LimitLines), 1);
    EXPECT_TRUE(ulLine->isEnabled());
    EXPECT_TRUE(limit->isEnabled());

    // Text set through the accessible value, as dictation does.
    accessible(limit)->setText(QAccessible::Value, QStringLiteral("125"));
    EXPECT_EQ(limit->text(), "125");
    EXPECT_EQ(s.text(PlotOpts_ULimit), "125");

    // An option button selected through its action runs its handler.
    doAction(g.widget<QRadioButton>(PlotOpts_CR, 3), QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(s.group(PlotOpts_CR), 3);

    // Toggled back, the lines switch off and their boxes are disabled again.
    doAction(limitLines, QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(s.check(PlotOpts_LimitLines), 0);
    EXPECT_FALSE(ulLine->isEnabled());

    // What the model says shows without echoing back into it as an edit.
    s.setText(PlotOpts_PlotTitle, "Lot 7");
    EXPECT_EQ(g.widget<QLineEdit>(PlotOpts_PlotTitle)->text(), "Lot 7");
}

TEST(AssistiveTechnology, AnOptionButtonSelectedWithoutAClickStillRunsItsHandler)
{
    GraphOptions g;
    g.settings.resetOptions();
    g.widget<QRadioButton>(PlotOpts_CR, 2)->setChecked(true);
    EXPECT_EQ(g.settings.group(PlotOpts_CR), 2);
    EXPECT_FALSE(g.widget<QRadioButton>(PlotOpts_CR, 1)->isChecked());
}

} // namespace
} // namespace qv
