// Help > Validate Installation... driven as a user does it, through scripted
// answers and without a PDF viewer: the report is written and opened, the
// summary said; a changed corpus is said to fail; Cancel writes nothing.
#include "MainWindowFixture.h"
#include "gui/app/WindowCommands.h"
#include "gui/dialogs/InstallationValidation.h"

#include <QFile>
#include <QProgressDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qv {
namespace {

class ValidateInstallationTest : public MainWindowTest
{
protected:
    ValidateInstallationTest()
    {
        validation().setUrlOpener([this](const QUrl& url) { m_opened.push_back(url); });
        validation().setCorpusFolder(QStringLiteral(QV_VALIDATION_DIR));
    }
    InstallationValidation& validation()
    {
        return m_window.windowCommands().installationValidation();
    }

    std::vector<QUrl> m_opened;
};

TEST_F(ValidateInstallationTest, WritesTheReportSaysThatEveryCasePassedAndOpensIt)
{
    expectAvailable({"mnuValidate"}, true); // before anything is loaded
    const std::string pdf = m_files.path("report.pdf");
    m_prompter.saveAnswers.assign(1, pdf);
    trigger("mnuValidate");

    ASSERT_EQ(m_prompter.fileRequests.size(), 1u);
    EXPECT_EQ(m_prompter.fileRequests[0].title, "Save Validation Report");
    EXPECT_EQ(m_prompter.fileRequests[0].filter, "PDF Files (*.pdf)|*.pdf");
    ASSERT_EQ(m_prompter.messages.size(), 1u);
    const RecordedMessage& said = m_prompter.messages[0];
    EXPECT_EQ(said.title, "Validate Installation");
    EXPECT_EQ(said.icon, MessageIcon::Information);
    EXPECT_TRUE(said.text.starts_with("PASSED: ")) << said.text;
    EXPECT_NE(said.text.find("The report was written to " + pdf), std::string::npos);
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], QUrl::fromLocalFile(QString::fromStdString(pdf)));
    QFile file(QString::fromStdString(pdf));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

TEST_F(ValidateInstallationTest, AChangedCorpusFileIsSaidToFailByName)
{
    const std::filesystem::path copy = m_files.path("corpus");
    std::filesystem::copy(QV_VALIDATION_DIR, copy, std::filesystem::copy_options::recursive);
    std::ofstream(copy / "acceptance.cases", std::ios::app) << "# an edit\n";
    validation().setCorpusFolder(QString::fromStdString(copy.string()));
    m_prompter.saveAnswers.assign(1, m_files.path("report.pdf"));
    trigger("mnuValidate");

    ASSERT_EQ(m_prompter.messages.size(), 1u);
    const RecordedMessage& said = m_prompter.messages[0];
    EXPECT_EQ(said.icon, MessageIcon::Warning);
    EXPECT_TRUE(said.text.starts_with("FAILED: ")) << said.text;
    EXPECT_NE(said.text.find("acceptance.cases changed"), std::string::npos) << said.text;
    EXPECT_EQ(m_opened.size(), 1u); // the report of a failure is shown too
}

TEST_F(ValidateInstallationTest, CancelInTheFileDialogRunsNothingAndSaysNothing)
{
    m_prompter.saveAnswers.assign(1, std::nullopt);
    trigger("mnuValidate");
    EXPECT_TRUE(m_prompter.messages.empty());
    EXPECT_TRUE(m_opened.empty());
}

TEST_F(ValidateInstallationTest, CancelDuringTheRunWritesNoReportAndSaysSo)
{
    const std::string pdf = m_files.path("report.pdf");
    m_prompter.saveAnswers.assign(1, pdf);
    // The progress dialog handles events between cases: the click arrives there.
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* progress = qobject_cast<QProgressDialog*>(w)) {
                progress->cancel();
            }
        }
    });
    trigger("mnuValidate");

    ASSERT_EQ(m_prompter.messages.size(), 1u);
    EXPECT_EQ(m_prompter.messages[0].text, "The validation was cancelled; no report was written.");
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_TRUE(m_opened.empty());
}

} // namespace
} // namespace qv
