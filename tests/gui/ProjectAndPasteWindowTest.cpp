// Save File As and Paste Data chosen from the main window's menus.
#include "core/model/ScriptedPrompter.h"
#include "gui/app/MainWindow.h"
#include "support/TempFiles.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMimeData>

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {

class ProjectWindowTest : public ::testing::Test
{
protected:
    void trigger(const char* name) { m_window.findChild<QAction*>(name)->trigger(); }
    // Whether the menu command or the whole menu called `name` can be chosen.
    bool available(const char* name) const
    {
        auto* menu = m_window.findChild<QMenu*>(name);
        const QAction* action = menu ? menu->menuAction() : m_window.findChild<QAction*>(name);
        return action && action->isEnabled();
    }
    std::string title() const { return m_window.windowTitle().toStdString(); }

    test::TempFiles m_files;
    ScriptedPrompter m_prompter;
    MainWindow m_window{m_prompter};
};

TEST_F(ProjectWindowTest, SaveFileAsWritesTheChartAndTitlesTheWindowWithIt)
{
    m_prompter.openAnswers.push_back(m_files.write("lot.csv", "Width\n3\n1\n2\n5\n"));
    trigger("mnuOpenFile");
    const std::string path = m_files.path("Lot 7");
    m_prompter.saveAnswers.push_back(path);
    trigger("SaveAs");
    EXPECT_EQ(title(), "Quantiview 3.0 (" + path + ".qvw)");
    ASSERT_TRUE(std::filesystem::exists(path + ".qvw"));

    MainWindow reopened(m_prompter);
    reopened.openFromCommandLine(QString::fromStdString(path + ".qvw"));
    EXPECT_EQ(reopened.session().set(1).values, (std::vector<double>{1, 2, 3, 5}));
    EXPECT_EQ(reopened.windowTitle().toStdString(), "Quantiview 3.0 (Lot 7.qvw)");
    EXPECT_TRUE(reopened.findChild<QAction*>("NewData")->isEnabled()); // a project is loaded
    EXPECT_TRUE(m_prompter.messages.empty());
}

TEST_F(ProjectWindowTest, PasteDataTakesThePlainTextOfTheClipboard)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("3\r\n1\r\n2\r\n5\r\n"));
    trigger("PasteData");
    EXPECT_EQ(m_window.session().set(1).values, (std::vector<double>{1, 2, 3, 5}));
    EXPECT_EQ(title(), "Quantiview 3.0");
    // Pasted data can be edited and given options and an overlay at once.
    for (const char* name : {"EnableDisable", "SaveAs", "InputOverlayData", "Options_File"}) {
        EXPECT_TRUE(available(name)) << name;
    }
    EXPECT_TRUE(m_window.scene().coordinatesSet);

    // A picture alone is no data: the chart stays.
    auto* picture = new QMimeData;
    picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
    clipboard->setMimeData(picture);
    trigger("PasteData");
    ASSERT_EQ(m_prompter.messages.size(), 1u);
    EXPECT_EQ(m_prompter.messages[0].text, "Clipboard Data Not Text!");
    EXPECT_EQ(m_prompter.messages[0].title, "Clipboard Error");
    EXPECT_EQ(m_window.session().set(1).values, (std::vector<double>{1, 2, 3, 5}));
    clipboard->clear();
}

} // namespace
} // namespace qv
