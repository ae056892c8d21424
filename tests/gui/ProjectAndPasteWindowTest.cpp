// Paste Data and Save File As chosen from the main window's menus.
#include "core/model/ScriptedPrompter.h"
#include "gui/app/MainWindow.h"
#include "support/TempFiles.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {

TEST(ProjectWindow, PastesTheClipboardsPlainTextAndSavesItAsAProject)
{
    test::TempFiles files;
    ScriptedPrompter prompter;
    MainWindow window(prompter);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("3\r\n1\r\n2\r\n5\r\n"));
    window.action(Menu::PasteData)->trigger();
    EXPECT_EQ(window.session().set(1).values, (std::vector<double>{1, 2, 3, 5}));
    EXPECT_EQ(window.windowTitle().toStdString(), "Quantiview 3.0");
    // Pasted data can be edited and given options and an overlay at once.
    for (Menu item :
         {Menu::EnableDisable, Menu::SaveAs, Menu::InputOverlayData, Menu::Options_File}) {
        EXPECT_TRUE(window.action(item)->isEnabled()) << menuName(item);
    }

    // A picture alone is no data: the chart stays.
    auto* picture = new QMimeData;
    picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
    clipboard->setMimeData(picture);
    window.action(Menu::PasteData)->trigger();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Clipboard Data Not Text!");
    EXPECT_EQ(prompter.messages[0].title, "Clipboard Error");
    EXPECT_EQ(window.session().set(1).values, (std::vector<double>{1, 2, 3, 5}));
    clipboard->clear();

    const std::string path = files.path("Lot 7");
    prompter.saveAnswers.push_back(path);
    window.action(Menu::SaveAs)->trigger();
    EXPECT_EQ(window.windowTitle().toStdString(), "Quantiview 3.0 (" + path + ".qvw)");
    EXPECT_TRUE(std::filesystem::exists(path + ".qvw"));
    EXPECT_EQ(prompter.messages.size(), 1u);
}

} // namespace
} // namespace qv
