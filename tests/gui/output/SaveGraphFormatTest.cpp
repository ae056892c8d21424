// Save Graph As writes the picture format that the chosen name says, and its
// dialog offers the four formats with the bitmap proposal first.
#include "gui/app/WindowHarness.h"

#include "core/document/GraphOutput.h"
#include "gui/app/QtPrompter.h"

#include <QImage>

namespace qv {
namespace {

using SaveGraphFormatTest = test::WindowHarness;

TEST_F(SaveGraphFormatTest, EachNameGetsTheBytesOfItsFormatAndTheBitmapStaysTheProposal)
{
    open(m_files.write("Run1.csv", "2.51\n2.53\n2.49\n2.55\n2.50\n2.52\n"));
    // Each row: the name chosen and how its file must begin.
    const std::pair<const char*, std::string> rows[] = {
        {"chart.png", "\x89PNG\r\n\x1a\n"},
        {"chart.PNG", "\x89PNG"},
        {"chart.bmp", "BM"},
        {"chart.svg", "<?xml"},
        {"chart.pdf", "%PDF-"},
        {"chart", "BM"},
    };
    for (const auto& [name, magic] : rows) {
        SCOPED_TRACE(name);
        m_prompter.saveAnswers = {m_files.path(name)};
        window().runCommand(Menu::mnuSaveGraph);
        EXPECT_EQ(test::fileBytes(m_files.path(name)).substr(0, magic.size()), magic);
    }
    EXPECT_TRUE(m_prompter.messages.empty());
    // A PNG holds the chart as the window shows it, a few kilobytes rather than megabytes.
    const QImage png(QString::fromStdString(m_files.path("chart.png")));
    EXPECT_EQ(png.size(), window().centralWidget()->size());
    EXPECT_LT(test::fileBytes(m_files.path("chart.png")).size(),
              test::fileBytes(m_files.path("chart.bmp")).size() / 10);

    const FileDialogRequest& request = m_prompter.fileRequests.back();
    EXPECT_EQ(request.proposedName, m_files.path("Run1.BMP"));
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_TRUE(request.extensionFromFilter);
    EXPECT_EQ(qtNameFilters(request.filter),
              (QStringList{"All Files (*)", "BMP Files (*.bmp)", "PNG Files (*.png)",
                           "SVG Files (*.svg)", "PDF Files (*.pdf)"}));
}

} // namespace
} // namespace qv
