#pragma once
// The main window on scripted answers, for the tests that drive it as a user does.

#include "core/model/ScriptedPrompter.h"
#include "gui/app/MainWindow.h"
#include "support/TempFiles.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace qv {

// Whether the menu command or the whole menu called `name` can be chosen.
inline bool available(MainWindow& window, const char* name)
{
    auto* menu = window.findChild<QMenu*>(name);
    const QAction* action = menu ? menu->menuAction() : window.findChild<QAction*>(name);
    EXPECT_NE(action, nullptr) << name;
    return action && action->isEnabled();
}

class MainWindowTest : public ::testing::Test
{
protected:
    ~MainWindowTest() override
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->hide();
        }
    }
    std::string title() const { return m_window.windowTitle().toStdString(); }
    std::vector<double> values() const { return m_window.session().set(1).values; }
    void trigger(const char* name) { m_window.findChild<QAction*>(name)->trigger(); }
    // Chooses File > Open and answers the file dialog and Data File Parameters.
    void open(std::optional<std::string> path, DataFileAnswers answers = {})
    {
        m_prompter.openAnswers.assign(1, std::move(path));
        m_prompter.dataFileAnswers.assign(1, answers);
        trigger("mnuOpenFile");
    }
    void expectAvailable(std::initializer_list<const char*> names, bool expected)
    {
        for (const char* name : names) {
            EXPECT_EQ(available(m_window, name), expected) << name;
        }
    }

    test::TempFiles m_files;
    ScriptedPrompter m_prompter;
    MainWindow m_window{m_prompter};
};

} // namespace qv
