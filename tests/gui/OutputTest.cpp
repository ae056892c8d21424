// Copy Graph, Save Graph As and Print from the window, through scripted answers.
#include "core/model/ScriptedPrompter.h"
#include "gui/app/BatchMode.h"
#include "gui/app/MainWindow.h"
#include "gui/app/WindowCommands.h"
#include "gui/output/ChartOutput.h"
#include "render/ChartExport.h"
#include "support/TempFiles.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QScreen>
#include <QTextStream>

#include <gtest/gtest.h>

namespace qv {
namespace {

QByteArray fileBytes(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class OutputTest : public ::testing::Test
{
protected:
    OutputTest()
    {
        m_lot = m_files.write("lot.csv", "2.51\n2.53\n2.49\n2.55\n2.50\n2.52\n2.54\n2.48\n");
        m_window.openFromCommandLine(QString::fromStdString(m_lot));
    }
    QSize clientSize() const { return m_window.centralWidget()->size(); }
    void expectOneMessage(const char* text, const char* title)
    {
        ASSERT_EQ(m_prompter.messages.size(), 1u);
        EXPECT_EQ(m_prompter.messages[0].text, text);
        EXPECT_EQ(m_prompter.messages[0].title, title);
    }

    test::TempFiles m_files;
    std::string m_lot;
    ScriptedPrompter m_prompter;
    MainWindow m_window{m_prompter};
};

TEST_F(OutputTest, CopyGraphPutsTheBatchExportPictureOnTheClipboardOrLeavesItAsItWas)
{
    m_window.runCommand(Menu::mnuCopy);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), clientSize());
    EXPECT_TRUE(m_prompter.messages.empty());

    // Batch export on a screen of the same size writes the very same picture.
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const std::string exported = m_files.path("export.png");
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    ASSERT_EQ(runBatch({"quantiview", "--export", QString::fromStdString(exported), "--screen",
                        QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height()),
                        QString::fromStdString(m_lot)},
                       out, err),
              0)
        << errText.toStdString();
    const QImage batch(QString::fromStdString(exported));
    EXPECT_EQ(batch.convertToFormat(QImage::Format_RGB32),
              copied.convertToFormat(QImage::Format_RGB32));

    // A failed copy leaves the user's own text.
    QGuiApplication::clipboard()->setText(QStringLiteral("the user's own text"));
    EXPECT_FALSE(copyPictureToClipboard(QImage(), m_prompter));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "the user's own text");
    expectOneMessage("Unexpected Error  7", "Clipboard Error");
}

TEST_F(OutputTest, SaveGraphWritesAWindowsBitmapWhateverTheNameOrReportsAMissingFolder)
{
    const std::string target = m_files.path("chart.png");
    m_prompter.saveAnswers.push_back(target);
    m_window.runCommand(Menu::mnuSaveGraph);
    EXPECT_EQ(fileBytes(target).left(2), "BM");
    QImageReader reader(QString::fromStdString(target), "BMP");
    EXPECT_EQ(reader.read().size(), clientSize());
    EXPECT_TRUE(m_prompter.messages.empty());

    m_prompter.saveAnswers.push_back(m_files.path("no-such-folder/chart.bmp"));
    m_window.runCommand(Menu::mnuSaveGraph);
    expectOneMessage("Unexpected Error  76", "Save As... Error");
}

TEST_F(OutputTest, PrintGivesOnePdfPageTurnedAsPageSetupSaysOrNothingOrTheReasonWhyNot)
{
    for (const int orientation : {0, 1}) { // frmPageSetup.optPrtOrientation: 1 is landscape
        SCOPED_TRACE(orientation);
        m_window.session().settings.selectGroup(Ctl::frmPageSetup_optPrtOrientation, orientation);
        const std::string pdf = m_files.path("page" + std::to_string(orientation) + ".pdf");
        m_prompter.printAnswers.push_back({true, pdf});
        m_window.runCommand(Menu::mnuPrint);
        EXPECT_TRUE(m_prompter.messages.empty());
        const QString text = QString::fromLatin1(fileBytes(pdf));
        EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 1);
        const QRegularExpression mediaBox(
            QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"));
        const auto box = mediaBox.match(text);
        ASSERT_TRUE(box.hasMatch());
        EXPECT_EQ(box.captured(1).toDouble() > box.captured(2).toDouble(), orientation == 1);
    }

    // Cancelled, nothing is printed; a printer that cannot start is reported.
    m_prompter.printAnswers.push_back({false, m_files.path("cancelled.pdf")});
    m_window.runCommand(Menu::mnuPrint);
    EXPECT_TRUE(m_prompter.messages.empty());
    EXPECT_TRUE(fileBytes(m_files.path("cancelled.pdf")).isEmpty());
    m_prompter.printAnswers.push_back({true, m_files.path("no-such-folder/page.pdf")});
    m_window.runCommand(Menu::mnuPrint);
    EXPECT_EQ(m_prompter.printDialogs, 4);
    expectOneMessage("Unexpected Error  482", "Print Error");
}

} // namespace
} // namespace qv
