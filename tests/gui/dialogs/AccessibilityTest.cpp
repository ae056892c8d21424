// The windows as assistive technology meets them: a screen reader's or voice
// control's actions and texts reach the settings as a user's do, every window
// is a titled window, and nothing that takes the focus goes unnamed.
#include "core/model/ScriptedPrompter.h"
#include "gui/dialogs/AboutWindows.h"
#include "gui/dialogs/AxesOptionsDialog.h"
#include "gui/dialogs/FileCharDialog.h"
#include "gui/dialogs/GraphOptionsDialog.h"
#include "gui/dialogs/HelpWindow.h"
#include "gui/dialogs/OptionDialogSet.h"
#include "gui/dialogs/PageSetupDialog.h"
#include "gui/dialogs/SamplingPlanWindow.h"
#include "gui/dialogs/SettingsBinder.h"
#include "gui/dialogs/SettingsDialog.h"
#include "gui/dialogs/StatsBoxDialog.h"
#include "gui/widgets/Twips.h"
#include "render/QtTextMeasurer.h"
#include "support/TempFiles.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
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

TEST(AssistiveTechnology, StudentsTSaysInItsTooltipWhyItIsOff)
{
    GraphOptions g;
    auto* studentT = g.widget<QRadioButton>(PlotOpts_Tdist);
    g.settings.setEnabled(PlotOpts_Tdist, false);
    EXPECT_FALSE(studentT->isEnabled());
    EXPECT_EQ(studentT->toolTip(),
              "Student's t is offered only for lots of fewer than 30 points; this lot has 30 or "
              "more, so the Gaussian distribution is used.");
    g.settings.setEnabled(PlotOpts_Tdist, true);
    EXPECT_EQ(studentT->toolTip(), "Student's t distribution, for lots of fewer than 30 points.");
}

// Walks what assistive technology sees under `node` (not what is hidden) and
// lists every element that goes unnamed although it can take the focus or is a
// label.
void findUnnamed(QAccessibleInterface* node, const QString& path, QStringList& unnamed)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child || child->state().invisible) {
            continue;
        }
        const QString name = child->text(QAccessible::Name);
        const QString where = path + QStringLiteral("/") +
                              (child->object() ? child->object()->objectName() : QString());
        const bool label = child->role() == QAccessible::StaticText;
        if (name.trimmed().isEmpty() && (label || child->state().focusable)) {
            unnamed << where;
        }
        findUnnamed(child, where, unnamed);
    }
}

TEST(AssistiveTechnology, EveryWindowIsATitledWindowWithNothingUnnamedInIt)
{
    Settings settings;
    settings.setFontList({"DejaVu Sans"});
    ScriptedPrompter prompter;
    OptionDialogSet set{settings, prompter, [] {}, nullptr};
    FileCharDialog fileChar;
    fileChar.attach(&settings, {});
    AboutDialog about;
    CalculationsWindow calculations;
    QtTextMeasurer measurer;
    SamplingPlanWindow plan(measurer);
    test::TempFiles files;
    HelpWindow help(findHelpFile(QStringLiteral(QV_PROGRAM_DIR)),
                    QString::fromStdString(files.path("help/quantiview.qhc")));
    ASSERT_TRUE(help.errorText().isEmpty()) << help.errorText().toStdString();

    const std::pair<QWidget*, const char*> windows[] = {
        {&set.graphOptions(), "Graph Options"},
        {&set.axesOptions(), "Axes Options"},
        {&set.statsBox(), "Statistics Box Options"},
        {&set.pageSetup(), "Page Setup"},
        {&fileChar, "Data File Parameters"},
        {&about, "About Quantiview"},
        {&calculations, "About the Calculations"},
        {&plan, "Sampling Plan"},
        {&help, "Quantiview Help"},
    };
    for (auto [window, title] : windows) {
        SCOPED_TRACE(title);
        window->show();
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(window);
        ASSERT_NE(a, nullptr);
        EXPECT_TRUE(a->role() == QAccessible::Dialog || a->role() == QAccessible::Window);
        EXPECT_EQ(a->text(QAccessible::Name), title);
        QStringList unnamed;
        findUnnamed(a, window->objectName(), unnamed);
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral(", ")).toStdString();
        // Each fits a 1366 x 768 screen with its frame and a panel.
        const QSize room = roomForWindow(QSize(1366, 768));
        EXPECT_LE(window->width(), room.width());
        EXPECT_LE(window->height(), room.height());
        window->hide();
    }

    // A combo box is named by its label, not by the value it shows.
    auto* column = fileChar.findChild<QComboBox*>(QStringLiteral("ColN"));
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(accessible(column)->text(QAccessible::Name), "Column Number to Analyze");
}

} // namespace
} // namespace qv
