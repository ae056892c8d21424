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

// The pages of a PDF file and the size of its first page's media box in points.
struct PdfPages
{
    int count = 0;
    double width = 0;
    double height = 0;
};

PdfPages pdfPages(const std::string& path)
{
    const QString text = QString::fromLatin1(fileBytes(path));
    PdfPages pages;
    pages.count =
        static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    const auto box =
        QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"))
            .match(text);
    if (box.hasMatch()) {
        pages.width = box.captured(1).toDouble();
        pages.height = box.captured(2).toDouble();
    }
    return pages;
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

    test::TempFiles m_files;
    std::string m_lot;
    ScriptedPrompter m_prompter;
    MainWindow m_window{m_prompter};
};

TEST_F(OutputTest, CopyGraphPutsTheBatchExportPictureOfTheClientAreaOnTheClipboard)
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
}

TEST_F(OutputTest, AFailedCopyLeavesTheClipboardAsItWas)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("the user's own text"));
    EXPECT_FALSE(copyPictureToClipboard(QImage(), m_prompter));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "the user's own text");
    ASSERT_EQ(m_prompter.messages.size(), 1u);
    EXPECT_EQ(m_prompter.messages[0].text, "Unexpected Error  7");
    EXPECT_EQ(m_prompter.messages[0].title, "Clipboard Error");
}

TEST_F(OutputTest, SaveGraphWritesAWindowsBitmapOfTheClientAreaWhateverTheName)
{
    const std::string target = m_files.path("chart.png");
    m_prompter.saveAnswers.push_back(target);
    m_window.runCommand(Menu::mnuSaveGraph);
    ASSERT_EQ(m_prompter.fileRequests.size(), 1u);
    EXPECT_EQ(m_prompter.fileRequests[0].proposedName, m_files.path("lot.BMP"));
    EXPECT_EQ(fileBytes(target).left(2), "BM");
    QImageReader reader(QString::fromStdString(target), "BMP");
    EXPECT_EQ(reader.read().size(), clientSize());
    EXPECT_TRUE(m_prompter.messages.empty());
}

TEST_F(OutputTest, SaveGraphKeepsTheOldFileOnCancelAndReportsAFileItCannotWrite)
{
    const std::string existing = m_files.write("old.bmp", "old picture");
    m_prompter.saveAnswers.push_back(existing);
    m_prompter.confirmAnswers.push_back(false);
    m_window.runCommand(Menu::mnuSaveGraph);
    EXPECT_EQ(m_prompter.confirmations.size(), 1u);
    EXPECT_EQ(fileBytes(existing), "old picture");

    m_prompter.saveAnswers.push_back(m_files.path("no-such-folder/chart.bmp"));
    m_window.runCommand(Menu::mnuSaveGraph);
    ASSERT_EQ(m_prompter.messages.size(), 1u);
    EXPECT_EQ(m_prompter.messages[0].text, "Unexpected Error  76");
    EXPECT_EQ(m_prompter.messages[0].title, "Save As... Error");
}

TEST_F(OutputTest, PrintingToAPdfFileGivesOnePageTurnedAsPageSetupSays)
{
    const struct
    {
        int orientation; // frmPageSetup.optPrtOrientation
        bool landscape;
    } rows[] = {{0, false}, {1, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.orientation);
        m_window.session().settings.selectGroup(Ctl::frmPageSetup_optPrtOrientation,
                                                row.orientation);
        const std::string pdf = m_files.path("page" + std::to_string(row.orientation) + ".pdf");
        m_prompter.printAnswers.push_back({true, pdf});
        m_window.runCommand(Menu::mnuPrint);
        EXPECT_TRUE(m_prompter.messages.empty());
        const PdfPages pages = pdfPages(pdf);
        EXPECT_EQ(pages.count, 1);
        EXPECT_EQ(pages.width > pages.height, row.landscape)
            << pages.width << " x " << pages.height;
    }
}

TEST_F(OutputTest, PrintCancelledPrintsNothingAndAPrinterThatCannotStartIsReported)
{
    m_prompter.printAnswers.push_back({false, m_files.path("cancelled.pdf")});
    m_window.runCommand(Menu::mnuPrint);
    EXPECT_TRUE(m_prompter.messages.empty());
    EXPECT_TRUE(fileBytes(m_files.path("cancelled.pdf")).isEmpty());

    m_prompter.printAnswers.push_back({true, m_files.path("no-such-folder/page.pdf")});
    m_window.runCommand(Menu::mnuPrint);
    EXPECT_EQ(m_prompter.printDialogs, 2);
    ASSERT_EQ(m_prompter.messages.size(), 1u);
    EXPECT_EQ(m_prompter.messages[0].text, "Unexpected Error  482");
    EXPECT_EQ(m_prompter.messages[0].title, "Print Error");
}

} // namespace
} // namespace qv
