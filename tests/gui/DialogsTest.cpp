// The settings dialogs as the user sees them: the four option dialogs following
// resets, clicks, code and batches of settings through their binders, the names
// screen readers say, Axes Options' refusals, Escape, the switching between
// dialogs through the main window, and Page Setup's resize and bold choices at
// Refresh; every control of the control table with its widget in its dialog;
// the Data File Parameters dialog and the Qt prompter that shows it.
#include "core/document/FileCommands.h"
#include "core/model/ScriptedPrompter.h"
#include "gui/app/MainWindow.h"
#include "gui/app/QtPrompter.h"
#include "gui/dialogs/AxesOptionsDialog.h"
#include "gui/dialogs/FileCharDialog.h"
#include "gui/dialogs/GraphOptionsDialog.h"
#include "gui/dialogs/OptionDialogSet.h"
#include "gui/dialogs/PageSetupDialog.h"
#include "gui/dialogs/SettingsBinder.h"
#include "gui/dialogs/StatsBoxDialog.h"
#include "support/TempFiles.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace qv {
namespace {

using enum Ctl;

template <typename T> T* child(QWidget& root, const char* name)
{
    T* widget = root.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// The dialogs on their own settings, built and shown without a modal loop.
struct Dialogs
{
    Settings settings;
    ScriptedPrompter prompter;
    int refreshes = 0;
    OptionDialogSet set{settings, prompter, [this] { ++refreshes; }, nullptr};

    Dialogs() { settings.setFontList({"Liberation Sans", "DejaVu Sans"}); }
    SettingsDialog& dialog(const std::string& name)
    {
        SettingsDialog* const dialogs[] = {&set.axesOptions(), &set.statsBox(), &set.pageSetup()};
        for (SettingsDialog* d : dialogs) {
            if (d->objectName().toStdString() == name) {
                return *d;
            }
        }
        return set.graphOptions();
    }
    // "PlotOpts.ULimit": the widget of a dialog by its control's name.
    QWidget* widget(const std::string& path)
    {
        const auto dot = path.find('.');
        return child<QWidget>(dialog(path.substr(0, dot)), path.substr(dot + 1).c_str());
    }
    void click(const std::string& path) { qobject_cast<QAbstractButton*>(widget(path))->click(); }
};

// "name=on", "name=off" (checked or not), "name=text", each with "!" when disabled.
void expectShown(Dialogs& d, std::initializer_list<const char*> rows)
{
    for (const char* row : rows) {
        SCOPED_TRACE(row);
        std::string entry = row;
        const bool disabled = entry.back() == '!';
        if (disabled) {
            entry.pop_back();
        }
        const auto eq = entry.find('=');
        QWidget* w = d.widget(entry.substr(0, eq));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->isEnabled(), !disabled);
        const QString value = QString::fromStdString(entry.substr(eq + 1));
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_EQ(button->isChecked(), value == "on");
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            EXPECT_EQ(edit->text(), value);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            EXPECT_EQ(combo->currentText(), value);
        }
    }
}

TEST(OptionDialogs, FollowEveryChangeOfTheSettingsAtOnceAndPassClicksAndTypingToThem)
{
    Dialogs d;
    Settings& s = d.settings;
    // A reset is one notice, and every dialog follows it.
    s.resetOptions();
    expectShown(d, {"PlotOpts.LimitLines=off", "PlotOpts.ULimit=0!", "PlotOpts.ULimitLabel=!",
                    "PlotOpts.FiftyLine=off!", "PlotOpts.ConfidenceFrame=!", "PlotOpts.CR_1=on",
                    "PlotOpts.LinearY=on", "AxesOpts.YscaleMin=0!", "AxesOpts.YMinLabel=!",
                    "AxesOpts.NumNines_0=on", "StatsForm.chkMin=on", "StatsForm.Digits=0!",
                    "StatsForm.Places=!"});
    EXPECT_EQ(child<QComboBox>(d.set.axesOptions(), "Yplaces")->count(), 6);

    // Clicks and typing go to the setters, whose handlers enable and derive.
    d.click("PlotOpts.LimitLines");
    EXPECT_EQ(s.check(PlotOpts_LimitLines), 1);
    expectShown(d, {"PlotOpts.ULimit=0", "PlotOpts.ULimitLabel=", "PlotOpts.FiftyLine=off"});
    auto* limit = qobject_cast<QLineEdit*>(d.widget("PlotOpts.ULimit"));
    limit->selectAll();
    QTest::keyClicks(limit, "125");
    EXPECT_EQ(s.text(PlotOpts_ULimit), "125");
    d.click("PlotOpts.CR_3");
    EXPECT_EQ(s.group(PlotOpts_CR), 3);
    d.click("PlotOpts.LogY");
    EXPECT_TRUE(s.selected(PlotOpts_LogY));
    EXPECT_FALSE(s.selected(PlotOpts_LinearY));

    // Changes from code show at once, over what the user typed (as the plot
    // routine's "0" in the upper limit of switched-off limit lines does).
    s.selectButton(PlotOpts_LinearY);
    s.setText(PlotOpts_ULimit, "0");
    expectShown(d, {"PlotOpts.LinearY=on", "PlotOpts.LogY=off", "PlotOpts.ULimit=0"});

    // A batch, as a project's settings come, shows at its end.
    {
        const Settings::Batch batch(d.settings);
        for (auto [name, value] :
             {std::pair{"FileChar.ErrorBars", "1"}, {"PlotOpts.ULimit", "120"},
              {"PlotOpts.LSQfit", "1"}, {"PlotOpts.weighting", "0"}, {"PlotOpts.LogY", "1"},
              {"AxesOpts.Manual", "1"}, {"AxesOpts.YscaleMin", "1"}, {"AxesOpts.YscaleMax", "1000"},
              {"PlotOpts.CR", "0"}, {"PlotOpts.Statistics", "0"}, {"StatsForm.StatsPrecision", "1"},
              {"StatsForm.Digits", "3"}, {"frmPageSetup.cboFont", "DejaVu Sans"},
              {"frmPageSetup.optPrtOrientation", "1"}}) {
            d.settings.setFromText(*findControl(name), value);
        }
    }
    expectShown(d, {"PlotOpts.ULimit=120", "PlotOpts.ConfInterval_3=on", "PlotOpts.weighting_0=on",
                    "PlotOpts.LogY=on", "PlotOpts.CR_0=on", "PlotOpts.CR_3=off",
                    "PlotOpts.MoreStats=!", "AxesOpts.Manual=on", "AxesOpts.YscaleMax=1000",
                    "AxesOpts.TickInterval=10!", "StatsForm.Digits=3", "StatsForm.Places=",
                    "frmPageSetup.cboFont=DejaVu Sans", "frmPageSetup.optPrtOrientation_1=on"});

    // A detached dialog no longer follows.
    d.set.graphOptions().binder().attach(nullptr);
    s.setText(PlotOpts_ULimit, "7");
    EXPECT_EQ(limit->text(), "120");
}

// The widget class that shows a control of `kind`.
const char* widgetClass(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Check:
        return "QCheckBox";
    case ControlKind::Group:
    case ControlKind::Button:
        return "QRadioButton";
    case ControlKind::Text:
        return "QLineEdit";
    case ControlKind::Combo:
    case ControlKind::Font:
        return "QComboBox";
    case ControlKind::Control:
        break;
    }
    return "QWidget";
}

TEST(OptionDialogs, EveryControlOfTheTableHasAWidgetOfItsKindInItsDialog)
{
    Dialogs d;
    FileCharDialog fileChar;
    for (const ControlInfo& control : controlTable()) {
        SCOPED_TRACE(control.name);
        const std::string name = control.name;
        const auto dot = name.find('.');
        const std::string dialogName = name.substr(0, dot);
        QWidget& dialog =
            dialogName == "FileChar" ? static_cast<QWidget&>(fileChar) : d.dialog(dialogName);
        ASSERT_EQ(dialog.objectName().toStdString(), dialogName);
        // A group has one button per index, "CR_0" to "CR_3".
        const bool group = control.kind == ControlKind::Group;
        std::vector<std::string> widgets;
        for (int i = 0; i < (group ? control.buttons : 1); ++i) {
            widgets.push_back(name.substr(dot + 1) + (group ? "_" + std::to_string(i) : ""));
        }
        for (const std::string& widgetName : widgets) {
            QWidget* w = child<QWidget>(dialog, widgetName.c_str());
            ASSERT_NE(w, nullptr);
            EXPECT_TRUE(w->inherits(widgetClass(control.kind))) << widgetName;
        }
    }
}

// What a screen reader says a control is: a field (line edit or combo box) by
// the label it is labelled by, everything else by its own name.
QString spokenName(QWidget* widget)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
    if (!a) {
        return {};
    }
    if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget)) {
        const auto labels = a->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.front().first->text(QAccessible::Name);
    }
    return a->text(QAccessible::Name);
}

TEST(OptionDialogs, EveryControlIsNamedForScreenReadersByItsCaptionOrItsLabel)
{
    Dialogs d;
    const std::pair<const char*, const char*> named[] = {
        {"PlotOpts.OK", "OK"},           {"PlotOpts.ULimit", "Upper Limit:"},
        {"AxesOpts.Yplaces", "Places"},  {"PlotOpts.ConfidenceFrame", "Confidence Intervals"},
        {"frmPageSetup.optPlotSize_4", "Keep Current Size"},
        {"StatsForm.txtOverlayStatBoxTitle", "Overlay Stat Box Title"},
    };
    for (auto [path, name] : named) {
        SCOPED_TRACE(path);
        EXPECT_EQ(spokenName(d.widget(path)), name);
    }
    // And no control that takes the focus goes unnamed.
    for (const char* dialog : {"PlotOpts", "AxesOpts", "StatsForm", "frmPageSetup"}) {
        for (QWidget* w : d.dialog(dialog).findChildren<QWidget*>()) {
            if (w->focusPolicy() != Qt::NoFocus && !w->objectName().isEmpty()) {
                const QString name = spokenName(w);
                EXPECT_FALSE(name.isEmpty()) << dialog << "." << w->objectName().toStdString();
                EXPECT_FALSE(name.contains(u'&'));
            }
        }
    }
}

TEST(AxesOptionsDialog, AClickOnTheSelectedManualFreesTheTickIntervalOkAndEscapeKeepTheirRules)
{
    Dialogs d;
    d.settings.resetOptions();
    GraphOptionsDialog& graph = d.set.graphOptions();
    AxesOptionsDialog& axes = d.set.axesOptions();
    // Log, then Linear, leave the tick interval off until Manual is clicked again.
    child<QRadioButton>(axes, "Manual")->click();
    child<QRadioButton>(graph, "LogY")->click();
    child<QRadioButton>(graph, "LinearY")->click();
    auto* tick = child<QLineEdit>(axes, "TickInterval");
    EXPECT_FALSE(tick->isEnabled());
    axes.show();
    EXPECT_EQ(axes.focusWidget(), axes.okButton());
    QTest::mouseClick(child<QRadioButton>(axes, "Manual"), Qt::LeftButton);
    EXPECT_TRUE(tick->isEnabled());
    EXPECT_EQ(tick->text(), "10");

    // OK shows why the dialog stays open.
    for (QLineEdit* field : {child<QLineEdit>(axes, "YscaleMax"), tick}) {
        field->selectAll();
        QTest::keyClicks(field, "10");
    }
    axes.okButton()->click();
    ASSERT_EQ(d.prompter.messages.size(), 1u);
    EXPECT_EQ(d.prompter.messages[0].text, "Invalid tick interval");
    EXPECT_TRUE(axes.isVisible());

    // On a log axis with a manual minimum of 0, Escape is Cancel with its guard.
    d.settings.selectButton(PlotOpts_LogY);
    QTest::keyClick(&axes, Qt::Key_Escape);
    EXPECT_FALSE(axes.isVisible());
    EXPECT_EQ(axes.exitCode(), DialogExit::Cancel);
    EXPECT_TRUE(d.settings.selected(AxesOpts_Auto));
    EXPECT_FALSE(tick->isEnabled());
}

// Runs `answer` on the modal dialog once it shows; the answer leaves it.
void whenModalShown(std::function<void(QWidget&)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(*modal);
    });
}

class OptionDialogsWindow : public ::testing::Test
{
protected:
    void load()
    {
        m_prompter.openAnswers.assign(1, m_files.write("lot.csv", "3\n1\n2\n5\n4\n"));
        m_window.runCommand(Menu::mnuOpenFile);
        ASSERT_TRUE(m_window.scene().coordinatesSet);
    }
    // Leaves each modal dialog in turn (its name expected) by the button named;
    // each showing of Graph Options gets an "x" typed into its title.
    void script(std::vector<std::pair<const char*, const char*>> steps)
    {
        if (steps.empty()) {
            return;
        }
        whenModalShown([this, steps](QWidget& dialog) mutable {
            const auto [expected, button] = steps.front();
            steps.erase(steps.begin());
            m_shown.push_back(dialog.objectName().toStdString());
            m_okFocused = m_okFocused && dialog.focusWidget() == child<QWidget>(dialog, "OK");
            EXPECT_EQ(dialog.objectName().toStdString(), expected);
            if (dialog.objectName() == "PlotOpts") {
                auto* title = child<QLineEdit>(dialog, "PlotTitle");
                title->setFocus();
                QTest::keyClicks(title, "x");
            }
            script(steps);
            child<QPushButton>(dialog, button)->click();
        });
    }

    test::TempFiles m_files;
    ScriptedPrompter m_prompter;
    MainWindow m_window{m_prompter};
    std::vector<std::string> m_shown;
    bool m_okFocused = true;
};

TEST_F(OptionDialogsWindow, SwitchingWalksTheDialogsOneAtATimeAndOnlyAFinalOkRedraws)
{
    EXPECT_NO_FATAL_FAILURE(load());
    script({{"PlotOpts", "Axes"}, {"AxesOpts", "Graph"}, {"PlotOpts", "MoreStats"},
            {"StatsForm", "graph"}, {"PlotOpts", "Command1"}});
    m_window.graphOptions();
    EXPECT_EQ(m_shown.size(), 5u);
    // Cancel kept the typed title but did not redraw.
    EXPECT_EQ(m_window.session().settings.text(PlotOpts_PlotTitle), "xxx");
    EXPECT_FALSE(m_window.scene().title.visible);

    script({{"PlotOpts", "Axes"}, {"AxesOpts", "OK"}});
    m_window.graphOptions();
    EXPECT_EQ(m_window.scene().title.caption, "xxxx");
    EXPECT_TRUE(m_okFocused);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(m_prompter.messages.empty());
}

TEST_F(OptionDialogsWindow, PageSetupResizesOnceAndAppliesBoldAtRefreshAndOkHidesIt)
{
    // Nothing to set up before the first drawing.
    m_window.runCommand(Menu::mnuPageSetup);
    m_window.graphOptions();
    EXPECT_FALSE(m_window.optionDialogs().pageSetupBuilt());
    EXPECT_FALSE(m_window.optionDialogs().built(OptionDialog::Graph));

    EXPECT_NO_FATAL_FAILURE(load());
    m_window.show();
    m_window.runCommand(Menu::mnuPageSetup);
    PageSetupDialog& page = m_window.optionDialogs().pageSetup();
    ASSERT_TRUE(page.isVisible());
    EXPECT_FALSE(page.isModal());
    const int width = m_window.plotArea()->width();
    const int windowWidth = m_window.width();

    child<QRadioButton>(page, "optPlotSize_0")->click();
    child<QCheckBox>(page, "chkBoldFont")->click();
    EXPECT_FALSE(m_window.scene().windowTexts.front().font.bold); // only at Refresh
    child<QPushButton>(page, "cmdPlotRefresh")->click();
    EXPECT_NEAR(m_window.plotArea()->width(), width * 0.6, 2);
    EXPECT_NEAR(m_window.width(), windowWidth - width * 0.4, 2); // the window follows
    EXPECT_TRUE(child<QRadioButton>(page, "optPlotSize_4")->isChecked());
    EXPECT_TRUE(m_window.scene().windowTexts.front().font.bold);
    EXPECT_TRUE(page.isVisible());

    child<QPushButton>(page, "cmdPageSetupOK")->click();
    EXPECT_FALSE(page.isVisible());
    EXPECT_NEAR(m_window.plotArea()->width(), width * 0.6, 2);
}

TEST(QtPrompter, ShowsTheDataFileParametersAndLoadsTheColumnChosenOnOkOrKeepsTheDataOnCancel)
{
    test::TempFiles files;
    QtPrompter prompter;
    MainWindow window(prompter);
    Settings& s = window.session().settings;
    bool okFocused = false;
    whenModalShown([&](QWidget& dialog) {
        okFocused = dialog.focusWidget() == child<QPushButton>(dialog, "OK"); // Enter accepts
        EXPECT_EQ(dialog.windowTitle(), "Data File Parameters");
        for (const char* row : {"Frame2=Uncertainty Bars", "lblColN=Column Number to Analyze",
                                "FirstRow=mass,error,batch", "SecondRow=1.5,0.1,7"}) {
            const std::string entry = row;
            const std::size_t split = entry.find('=');
            QWidget* shown = child<QWidget>(dialog, entry.substr(0, split).c_str());
            ASSERT_NE(shown, nullptr);
            const char* property = shown->inherits("QGroupBox") ? "title" : "text";
            EXPECT_EQ(shown->property(property).toString().toStdString(), entry.substr(split + 1));
        }
        EXPECT_TRUE(child<QCheckBox>(dialog, "Labels")->isChecked());
        EXPECT_EQ(child<QLineEdit>(dialog, "Ncol")->text(), "3");
        EXPECT_EQ(child<QComboBox>(dialog, "ColN")->count(), 3);
        // Uncertainties propose the column after the values.
        EXPECT_TRUE(child<QWidget>(dialog, "lblErrorBars")->isEnabled());
        auto* errorBars = child<QCheckBox>(dialog, "ErrorBars");
        auto* errorColumn = child<QComboBox>(dialog, "ErrorColumn");
        EXPECT_FALSE(errorColumn->isEnabled());
        child<QComboBox>(dialog, "ColN")->setCurrentIndex(1);
        errorBars->click();
        EXPECT_TRUE(errorColumn->isEnabled());
        EXPECT_EQ(errorColumn->currentText(), "3");
        EXPECT_EQ(s.text(Ctl::FileChar_ErrorColumn), "3");
        errorBars->click();
        EXPECT_FALSE(errorColumn->isEnabled());
        EXPECT_EQ(s.check(Ctl::FileChar_ErrorBars), 0);
        child<QPushButton>(dialog, "OK")->click();
    });
    window.openFromCommandLine(QString::fromStdString(
        files.write("lot.csv", "mass,error,batch\r\n1.5,0.1,7\r\n2.5,0.2,8\r\n")));
    EXPECT_TRUE(okFocused);
    EXPECT_EQ(window.session().set(1).values, (std::vector<double>{0.1, 0.2}));
    EXPECT_EQ(s.text(Ctl::PlotOpts_YAxisLabel), "error");
    EXPECT_EQ(window.windowTitle(), "Quantiview 3.0 (lot.csv)");

    // One column offers no uncertainties; Cancel keeps the loaded data.
    whenModalShown([](QWidget& dialog) {
        for (const char* name : {"Frame2", "lblErrorBars", "ErrorBars"}) {
            EXPECT_FALSE(child<QWidget>(dialog, name)->isEnabled()) << name;
        }
        child<QPushButton>(dialog, "Cancel")->click();
    });
    window.openFromCommandLine(QString::fromStdString(files.write("other.csv", "5\n7\n")));
    EXPECT_EQ(window.session().set(1).values, (std::vector<double>{0.1, 0.2}));
    EXPECT_EQ(window.windowTitle(), "Quantiview 3.0 (lot.csv)");
}

TEST(QtPrompter, FileDialogsOfferTheFilterListAsQtNameFilters)
{
    // Both spellings of each extension, since the dialogs compare case.
    EXPECT_EQ(qtNameFilters(OpenFilter),
              (QStringList{"All data and project files (*.csv *.CSV *.txt *.TXT *.dat *.DAT "
                           "*.prn *.PRN *.qvw *.QVW)",
                           "All Files (*)", "CSV Files (*.csv *.CSV)",
                           "Quantiview Files (*.qvw *.QVW)", "Text Files (*.txt *.TXT)"}));
    EXPECT_EQ(qtNameFilters("A|*.a|B|*.b;*.c"), (QStringList{"A (*.a)", "B (*.b *.c)"}));
}

} // namespace
} // namespace qv
