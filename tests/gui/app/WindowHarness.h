#pragma once
// The main window with scripted answers and its own user settings: what the
// window remembers between runs goes to a temporary folder, never the user's.

#include "core/model/ScriptedPrompter.h"
#include "gui/app/MainWindow.h"
#include "support/TempFiles.h"

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv::test {

class WindowHarness : public ::testing::Test
{
protected:
    WindowHarness()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
        m_window = std::make_unique<MainWindow>(m_prompter);
    }
    ~WindowHarness() override
    {
        m_window.reset();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->hide();
        }
    }
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    MainWindow& window() { return *m_window; }
    // A new window, as at the next start of the program.
    void restart()
    {
        m_window.reset();
        m_window = std::make_unique<MainWindow>(m_prompter);
    }
    std::vector<double> values() const { return m_window->session().set(1).values; }
    void trigger(const char* name) { m_window->findChild<QAction*>(name)->trigger(); }
    // Chooses File > Open and answers the file dialog (Data File Parameters keeps its prefill).
    void open(std::optional<std::string> path)
    {
        m_prompter.openAnswers.assign(1, std::move(path));
        trigger("mnuOpenFile");
    }

    QTemporaryDir m_settingsDir;
    TempFiles m_files;
    ScriptedPrompter m_prompter;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace qv::test
