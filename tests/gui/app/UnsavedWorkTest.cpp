// Work that no file holds is never dropped without a question: Open, Paste
// Data, Input New Data, Exit and closing the window ask "Save changes to the
// project?" after pasted data, new data or a changed setting, never after a
// plain load or a save.
#include "gui/app/WindowHarness.h"

#include "core/document/OptionDialogs.h"
#include "core/model/Settings.h"

#include <QClipboard>
#include <QGuiApplication>

#include <filesystem>

namespace qv {
namespace {

using Lines = std::vector<std::string>;
constexpr const char* Question = "Save changes to the project?";

class UnsavedWorkTest : public test::WindowHarness
{
protected:
    void paste(const char* text)
    {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
        trigger("PasteData");
    }
};

// An option dialog that changes the title and is left with OK.
class TitleHost : public OptionDialogHost
{
public:
    explicit TitleHost(Settings& settings) : m_settings(settings) {}
    DialogExit showModal(OptionDialog) override
    {
        m_settings.setText(Ctl::PlotOpts_PlotTitle, "Resistor lot 7");
        return DialogExit::Ok;
    }

private:
    Settings& m_settings;
};

TEST_F(UnsavedWorkTest, PlainLoadsAndASaveAskNothingButPastedDataIsKeptOrDroppedByTheAnswer)
{
    open(m_files.write("first.csv", "5\n4\n"));
    open(std::string(QV_EXAMPLES_DIR) + "/resistor-lot.qvw");
    EXPECT_EQ(m_prompter.saveChangesQuestions, Lines{});

    paste("3\n1\n2\n");
    EXPECT_TRUE(window().document().hasUnsavedWork());
    // Cancel: no file dialog, the pasted lot stays.
    m_prompter.saveChangesAnswers = {SaveChoice::Cancel};
    const std::size_t dialogs = m_prompter.fileRequests.size();
    open(m_files.write("third.csv", "9\n8\n"));
    EXPECT_EQ(m_prompter.saveChangesQuestions, Lines{Question});
    EXPECT_EQ(m_prompter.fileRequests.size(), dialogs);
    EXPECT_EQ(values(), (std::vector<double>{1, 2, 3}));

    // Discard: the file opens and leaves nothing unsaved.
    m_prompter.saveChangesAnswers = {SaveChoice::Discard};
    open(m_files.path("third.csv"));
    EXPECT_EQ(values(), (std::vector<double>{8, 9}));
    EXPECT_FALSE(window().document().hasUnsavedWork());
    EXPECT_EQ(m_prompter.saveChangesQuestions.size(), 2u);
}

TEST_F(UnsavedWorkTest, SaveInTheQuestionRunsSaveFileAsAndACancelledSaveStopsTheCommand)
{
    paste("3\n1\n2\n");
    // Save, then Cancel in Save File As: nothing is opened and the work is still unsaved.
    m_prompter.saveChangesAnswers = {SaveChoice::Save};
    open(m_files.write("next.csv", "9\n8\n"));
    EXPECT_EQ(values(), (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(window().document().hasUnsavedWork());

    // Save with a name: the project is written, then the file opens.
    m_prompter.saveChangesAnswers = {SaveChoice::Save};
    m_prompter.saveAnswers = {m_files.path("pasted")};
    open(m_files.path("next.csv"));
    EXPECT_TRUE(std::filesystem::exists(m_files.path("pasted.qvw")));
    EXPECT_EQ(values(), (std::vector<double>{8, 9}));

    // A second paste over unsaved pasted data asks too, once it has text to load.
    paste("7\n6\n");
    m_prompter.saveChangesQuestions.clear();
    m_prompter.saveChangesAnswers = {SaveChoice::Cancel};
    paste("4\n5\n");
    EXPECT_EQ(m_prompter.saveChangesQuestions, Lines{Question});
    EXPECT_EQ(values(), (std::vector<double>{6, 7}));
}

TEST_F(UnsavedWorkTest, AChangedSettingAsksBeforeExitAndCancelKeepsTheWindowOpen)
{
    open(m_files.write("weights.csv", "5\n4\n6\n"));
    TitleHost host(window().session().settings);
    ASSERT_TRUE(openOptionDialogs(window().document(), host, OptionDialog::Graph));
    EXPECT_TRUE(window().document().hasUnsavedWork());

    window().show();
    m_prompter.saveChangesAnswers = {SaveChoice::Cancel};
    trigger("ExitProgram");
    EXPECT_TRUE(window().isVisible());
    m_prompter.saveChangesAnswers = {SaveChoice::Cancel};
    EXPECT_FALSE(window().close());
    EXPECT_EQ(m_prompter.saveChangesQuestions, (Lines{Question, Question}));

    // A successful save leaves nothing to ask about.
    m_prompter.saveAnswers = {m_files.path("weights.qvw")};
    trigger("SaveAs");
    EXPECT_FALSE(window().document().hasUnsavedWork());
    m_prompter.saveChangesQuestions.clear();
    EXPECT_TRUE(window().close());
    EXPECT_EQ(m_prompter.saveChangesQuestions, Lines{});
}

TEST_F(UnsavedWorkTest, InputNewDataOverAProjectIsWorkAndItselfAsksFirst)
{
    open(std::string(QV_EXAMPLES_DIR) + "/resistor-lot.qvw");
    m_prompter.openAnswers = {m_files.write("new.csv", "7\n8\n")};
    window().runCommand(Menu::NewData);
    EXPECT_EQ(values(), (std::vector<double>{7, 8}));
    EXPECT_TRUE(window().document().hasUnsavedWork());

    m_prompter.saveChangesAnswers = {SaveChoice::Cancel};
    m_prompter.openAnswers = {m_files.write("newer.csv", "3\n")};
    window().runCommand(Menu::NewData);
    EXPECT_EQ(m_prompter.saveChangesQuestions, Lines{Question});
    EXPECT_EQ(values(), (std::vector<double>{7, 8}));
}

} // namespace
} // namespace qv
