// The Help menu: where the manual is looked for, the manual in the help window
// (contents, index, search), a missing manual, the About box and the About the
// Calculations window.
#include "MainWindowFixture.h"
#include "gui/app/WindowCommands.h"
#include "gui/dialogs/AboutWindows.h"
#include "gui/dialogs/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpLink>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace qv {
namespace {

class HelpTest : public MainWindowTest
{
protected:
    // The window looks for the manual beside the program, with a collection of the test's own.
    void useManualIn(const QString& programFolder)
    {
        m_window.windowCommands().setHelpLocation(
            programFolder, QString::fromStdString(m_files.path("cache/quantiview.qhc")));
    }
    HelpWindow* help() const { return m_window.windowCommands().helpWindow(); }
};

TEST(HelpFiles, AreLookedForBesideTheProgramAndInTheDataFolderButNeverInTheCurrentFolder)
{
    test::TempFiles files;
    const QString root = QString::fromStdString(files.path(""));
    QDir(root).mkpath(QStringLiteral("prefix/bin"));
    QDir(root).mkpath(QStringLiteral("prefix/share/quantiview"));
    QDir(root).mkpath(QStringLiteral("elsewhere"));
    const QString installed = root + QStringLiteral("/prefix/share/quantiview/quantiview.qch");
    QFile(installed).open(QIODevice::WriteOnly);
    QFile(root + QStringLiteral("/elsewhere/quantiview.qch")).open(QIODevice::WriteOnly);

    const QString before = QDir::currentPath();
    QDir::setCurrent(root + QStringLiteral("/elsewhere"));
    EXPECT_EQ(findHelpFile(root + QStringLiteral("/prefix/bin")), QDir::cleanPath(installed));
    EXPECT_EQ(findHelpFile(root + QStringLiteral("/prefix")), QString());
    EXPECT_EQ(findHelpFile(QStringLiteral(".")), QString());
    QDir::setCurrent(before);
}

TEST_F(HelpTest, AMissingManualIsReportedWithThePlacesLookedIn)
{
    const QString empty = QString::fromStdString(m_files.path(""));
    useManualIn(empty);
    for (Menu item : {Menu::mnuHelpContents, Menu::mnuHelpIndex}) {
        m_window.runCommand(item);
    }
    EXPECT_EQ(help(), nullptr);
    ASSERT_EQ(m_prompter.messages.size(), 2u);
    const RecordedMessage& message = m_prompter.messages[0];
    EXPECT_EQ(message.title, "Help Error");
    EXPECT_NE(message.text.find("quantiview.qch was not found"), std::string::npos);
    EXPECT_NE(message.text.find(QDir::cleanPath(empty).toStdString() + "\n"), std::string::npos);
    EXPECT_NE(message.text.find("/share/quantiview"), std::string::npos);
}

TEST_F(HelpTest, ContentsOpenTheManualAtItsFirstPageAndTheIndexFindsKeywordsAndSearches)
{
    useManualIn(QStringLiteral(QV_PROGRAM_DIR));
    m_window.runCommand(Menu::mnuHelpContents);
    ASSERT_NE(help(), nullptr) << (m_prompter.messages.empty() ? "" : m_prompter.messages[0].text);
    EXPECT_TRUE(help()->isVisible());
    EXPECT_FALSE(help()->isModal());
    EXPECT_EQ(help()->tabs()->currentIndex(), 0);
    EXPECT_TRUE(help()->browser()->toPlainText().contains("Where to start"));

    // The contents tree is filled in the background.
    QHelpContentModel* contents = help()->engine().contentModel();
    if (contents->rowCount() == 0) {
        QSignalSpy created(contents, &QHelpContentModel::contentsCreated);
        ASSERT_TRUE(created.wait(30000));
    }
    ASSERT_GE(contents->rowCount(), 1);
    EXPECT_EQ(contents->contentItemAt(contents->index(0, 0))->title(), "Quantiview Help");

    m_window.runCommand(Menu::mnuHelpIndex);
    EXPECT_EQ(help()->tabs()->currentIndex(), 1);
    EXPECT_TRUE(help()->showKeyword(QStringLiteral("Copy Graph")));
    EXPECT_EQ(help()->browser()->source().path(), "/doc/output.html");
    EXPECT_TRUE(help()->browser()->toPlainText().contains("Copy Graph"));
    EXPECT_FALSE(help()->showKeyword(QStringLiteral("no such keyword")));
    // Keywords carry the object names of the menu items and controls.
    EXPECT_FALSE(help()->engine().documentsForIdentifier(QStringLiteral("mnuCopy")).isEmpty());

    // The collection is new, so the first query waits for the pages to be indexed.
    QSignalSpy finished(help(), &HelpWindow::searchFinished);
    help()->search(QStringLiteral("overwrite"));
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_GT(finished.front().front().toInt(), 0);
}

TEST_F(HelpTest, AboutBlocksTheWindowAndTheCalculationsWindowDoesNot)
{
    m_window.runCommand(Menu::mnuAbout);
    AboutDialog* about = m_window.windowCommands().aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), "About Quantiview");
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowModality(), Qt::ApplicationModal);
    auto* ok = about->findChild<QPushButton*>("OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "O&K");
    EXPECT_EQ(ok->toolTip(), "Go back to plot.");
    ok->click();
    EXPECT_FALSE(about->isVisible());

    m_window.runCommand(Menu::mnuCalculations);
    CalculationsWindow* calculations = m_window.windowCommands().calculationsWindow();
    ASSERT_NE(calculations, nullptr);
    EXPECT_EQ(calculations->windowTitle(), "About the Calculations");
    EXPECT_TRUE(calculations->isVisible());
    EXPECT_EQ(calculations->windowModality(), Qt::NonModal);
    const QString text = calculations->document()->toPlainText();
    for (const char* formula : {"k =", "a = 1 \u2212", "b = K", "2(N \u2212 1)"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(formula))) << formula;
    }
    calculations->findChild<QPushButton*>("cmdCalculationsOK")->click();
    EXPECT_FALSE(calculations->isVisible());
}

} // namespace
} // namespace qv
