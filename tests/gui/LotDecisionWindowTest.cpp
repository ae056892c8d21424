// The lot decisions in the window: the status bar under the chart and the
// Sampling Plan window, driven through the menus with scripted answers.
#include "core/model/ScriptedPrompter.h"
#include "gui/app/MainWindow.h"
#include "gui/app/WindowCommands.h"
#include "gui/dialogs/SamplingPlanWindow.h"
#include "support/TempFiles.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

namespace qv {
namespace {

using enum Ctl;

class LotDecisionWindowTest : public ::testing::Test
{
protected:
    LotDecisionWindowTest()
    {
        m_window.openFromCommandLine(QString::fromStdString(m_files.write("lot.csv", "5\n4\n3\n2\n1\n")));
    }
    // Ticks Limit Lines with `limit` and draws as after the dialog's OK.
    void drawWithLimit(const char* limit)
    {
        Settings& s = m_window.session().settings;
        s.setCheck(PlotOpts_LimitLines, 1);
        s.setText(PlotOpts_ULimit, limit);
        m_window.document().drawPlot();
    }
    std::string status() const { return m_window.lotStatus()->text().toStdString(); }
    std::string shown(const char* name) const
    {
        const auto* label = m_plan->findChild<QLabel*>(name);
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text().toStdString() : std::string();
    }
    QByteArray pictureAndProject()
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        m_window.windowCommands().windowPicture().save(&buffer, "PNG");
        const std::string project = m_files.path("lot.qvw");
        EXPECT_TRUE(m_window.document().writeProject(project));
        QFile file(QString::fromStdString(project));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return bytes + file.readAll();
    }

    test::TempFiles m_files;
    ScriptedPrompter m_prompter;
    MainWindow m_window{m_prompter};
    SamplingPlanWindow* m_plan = nullptr;
};

TEST_F(LotDecisionWindowTest, StatusBarAndSamplingPlanFollowEveryDrawing)
{
    EXPECT_EQ(status(), "Anderson-Darling p = 0.92");
    drawWithLimit("10");
    const std::string both = "Anderson-Darling p = 0.92 \u00b7 Ts 7.09 \u2264 UL 10: accepted"
                             " \u00b7 exact k 2.74, Ts 7.34: accepted";
    EXPECT_EQ(status(), both);
    EXPECT_EQ(m_window.lotStatus()->accessibleName().toStdString(), "Lot decision");
    EXPECT_EQ(m_window.lotStatus()->accessibleDescription().toStdString(), both);

    QAction* item = m_window.action(Menu::mnuSamplingPlan);
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    m_plan = m_window.windowCommands().samplingPlanWindow();
    ASSERT_NE(m_plan, nullptr);
    EXPECT_TRUE(m_plan->isVisible());
    EXPECT_EQ(m_plan->windowModality(), Qt::NonModal);
    EXPECT_EQ(m_plan->windowTitle().toStdString(), "Sampling Plan");
    const std::pair<const char*, const char*> fields[] = {
        {"lblN", "5"},
        {"lblCR", "0.1"},
        {"lblLTPD", "10%"},
        {"lblK", "2.586"},
        {"lblKExact", "2.742"},
        {"lblTs", "7.089"},
        {"lblTsExact", "7.336"},
        {"lblVerdict", "accepted: Ts \u2264 UL 10"},
        {"lblVerdictExact", "accepted: Ts \u2264 UL 10"},
        {"lblNormality", "A\u00b2 = 0.144, A*\u00b2 = 0.178, p = 0.92"},
    };
    for (const auto& [name, text] : fields) {
        EXPECT_EQ(shown(name), text) << name;
    }
    EXPECT_GT(m_plan->ocScene().windowWidth, 0);

    // A limit between the two values of Ts: the window and the status bar follow.
    drawWithLimit("7.2");
    EXPECT_EQ(shown("lblVerdict"), "accepted: Ts \u2264 UL 7.2");
    EXPECT_EQ(shown("lblVerdictExact"), "rejected: Ts > UL 7.2");
    EXPECT_NE(status().find("Ts 7.34: rejected"), std::string::npos) << status();

    // A failed load clears both.
    m_prompter.openAnswers.push_back(m_files.path("missing.csv"));
    m_window.action(Menu::mnuOpenFile)->trigger();
    EXPECT_EQ(status(), "");
    EXPECT_EQ(shown("lblLot"), "No lot is drawn.");
    EXPECT_EQ(m_plan->ocScene().windowWidth, 0);
}

TEST_F(LotDecisionWindowTest, NeitherChangesTheChartPictureNorTheProject)
{
    drawWithLimit("10");
    const QSize surface = m_window.centralWidget()->size();
    const QByteArray before = pictureAndProject();
    m_window.action(Menu::mnuSamplingPlan)->trigger();
    m_window.action(Menu::mnuRefresh)->trigger();
    EXPECT_EQ(pictureAndProject(), before);
    // The status bar takes no room from the chart's surface.
    EXPECT_EQ(m_window.centralWidget()->size(), surface);
    EXPECT_EQ(surface, m_window.centralWidget()->minimumSize());
}

} // namespace
} // namespace qv
