// The window remembers between runs: the last eight files opened or saved, the
// folder of each file dialog; a file dropped on it opens as File > Open does;
// its commands have the standard keys and the empty window says how to begin.
#include "gui/app/WindowHarness.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace qv {
namespace {

using WindowMemoryTest = test::WindowHarness;

TEST_F(WindowMemoryTest, RecentFilesKeepTheLastEightNewestFirstAcrossRunsAndReopen)
{
    std::vector<QString> opened;
    for (int i = 1; i <= 9; ++i) {
        const std::string path =
            m_files.write("lot" + std::to_string(i) + ".csv", std::to_string(i) + "\n1\n");
        open(path);
        opened.push_back(QString::fromStdString(path));
    }
    open(m_files.path("lot3.csv")); // again: it moves to the top, not in twice
    const QStringList expected{opened[2], opened[8], opened[7], opened[6],
                               opened[5], opened[4], opened[3], opened[1]};
    EXPECT_EQ(window().recentFiles(), expected);

    restart();
    EXPECT_EQ(window().recentFiles(), expected);
    auto* menu = window().findChild<QMenu*>("mnuRecentFiles");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 8);
    EXPECT_TRUE(menu->actions()[1]->text().startsWith("&2 "));
    menu->actions()[1]->trigger();
    EXPECT_EQ(values(), (std::vector<double>{1, 9}));
    EXPECT_EQ(window().windowTitle().toStdString(),
              "Quantiview 3.0 (" + opened[8].toStdString() + ")");
}

TEST_F(WindowMemoryTest, EachFileDialogStartsInTheFolderItLastChoseAlsoAtTheNextRun)
{
    std::filesystem::create_directories(m_files.path("lots"));
    open(m_files.write("lots/run1.txt", "3\n1\n"));
    open(std::nullopt);
    EXPECT_EQ(m_prompter.fileRequests.back().initialFolder, m_files.path("lots"));
    // The first entry shows every readable file whatever was opened last.
    EXPECT_EQ(m_prompter.fileRequests.back().filterIndex, 1);
    m_prompter.saveAnswers = {m_files.path("chart.bmp")};
    window().runCommand(Menu::mnuSaveGraph);

    restart();
    open(std::nullopt);
    EXPECT_EQ(m_prompter.fileRequests.back().initialFolder, m_files.path("lots"));
    open(m_files.path("lots/run1.txt"));
    window().runCommand(Menu::mnuSaveGraph);
    std::string folder = m_files.path("chart.bmp");
    folder.erase(folder.rfind('/'));
    EXPECT_EQ(m_prompter.fileRequests.back().initialFolder, folder);
}

TEST_F(WindowMemoryTest, ADroppedFileOpensAsOpenDoesAfterTheUnsavedWorkQuestion)
{
    const std::string path = m_files.write("dropped.csv", "4\n2\n");
    auto drop = [this, &path] {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&window(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window(), &event);
        EXPECT_TRUE(event.isAccepted());
        QCoreApplication::processEvents();
    };
    drop();
    EXPECT_EQ(values(), (std::vector<double>{2, 4}));
    ASSERT_FALSE(window().recentFiles().isEmpty());
    EXPECT_EQ(window().recentFiles().front().toStdString(), path);

    QGuiApplication::clipboard()->setText(QStringLiteral("7\n8\n"));
    trigger("PasteData");
    m_prompter.saveChangesAnswers = {SaveChoice::Cancel};
    drop();
    EXPECT_EQ(m_prompter.saveChangesQuestions.size(), 1u);
    EXPECT_EQ(values(), (std::vector<double>{7, 8}));
}

TEST_F(WindowMemoryTest, CommandsHaveTheStandardKeysAndTheEmptyWindowSaysHowToBegin)
{
    const std::pair<const char*, QKeySequence> keys[] = {
        {"mnuOpenFile", QKeySequence(QKeySequence::Open)},
        {"SaveAs", QKeySequence(QKeySequence::Save)},
        {"mnuPrint", QKeySequence(QKeySequence::Print)},
        {"mnuCopy", QKeySequence(QKeySequence::Copy)},
        {"PasteData", QKeySequence(QKeySequence::Paste)},
        {"mnuRefresh", QKeySequence(Qt::Key_F5)},
        {"mnuHelpContents", QKeySequence(Qt::Key_F1)},
        {"ExitProgram", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto& [name, key] : keys) {
        SCOPED_TRACE(name);
        EXPECT_EQ(window().findChild<QAction*>(name)->shortcut(), key);
        EXPECT_FALSE(key.isEmpty());
    }
    EXPECT_EQ(window().findChild<QMenu*>("FileEdit")->title(), "&Edit");

    const QString description = window().plotArea()->accessibleDescription();
    EXPECT_TRUE(description.contains("open a data or project file")) << description.toStdString();
    EXPECT_TRUE(description.contains("drop a file"));
    open(m_files.write("lot.csv", "3\n1\n2\n"));
    EXPECT_FALSE(window().plotArea()->accessibleDescription().contains("drop a file"));
}

} // namespace
} // namespace qv
