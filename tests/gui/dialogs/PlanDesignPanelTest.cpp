// The Sampling Plan window's design page, driven as a user does. Reference values:
// SciPy 1.10.1 (scipy.stats.nct and norm), as in PlanDesignTest.
#include "MainWindowFixture.h"
#include "gui/app/WindowCommands.h"
#include "gui/dialogs/PlanDesignPanel.h"
#include "gui/dialogs/SamplingPlanWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace qv {
namespace {

class PlanDesignPanelTest : public MainWindowTest
{
protected:
    PlanDesignPanelTest()
    {
        m_window.action(Menu::mnuSamplingPlan)->trigger();
        m_plan = m_window.windowCommands().samplingPlanWindow();
        m_panel = &m_plan->planDesign();
    }
    QLineEdit* field(const char* name) const { return m_panel->findChild<QLineEdit*>(name); }
    std::string shown(const char* name) const
    {
        const auto* label = m_panel->findChild<QLabel*>(name);
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text().toStdString() : std::string();
    }
    // Types the four fields, in percent, and presses Design.
    void design(const char* aql, const char* alpha, const char* ltpd, const char* beta)
    {
        field("txtDesignAQL")->setText(aql);
        field("txtDesignAlpha")->setText(alpha);
        field("txtDesignLTPD")->setText(ltpd);
        field("txtDesignBeta")->setText(beta);
        m_panel->findChild<QPushButton*>("cmdDesign")->click();
    }

    SamplingPlanWindow* m_plan = nullptr;
    PlanDesignPanel* m_panel = nullptr;
};

TEST_F(PlanDesignPanelTest, DesignsBothPlansFromFiguresTypedInPercent)
{
    ASSERT_NE(m_panel, nullptr);
    // The page is found under its own tab, without a lot loaded.
    auto* pages = m_plan->findChild<QTabWidget*>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->tabText(1).toStdString(), "Plan d&esign");
    EXPECT_EQ(m_panel->ocScene().windowWidth, 0);

    design("1", "5", "6", "10");
    const std::pair<const char*, const char*> results[] = {
        {"lblDesignNS", "42"},         {"lblDesignKS", "1.8976"},
        {"lblDesignPaS", "0.9533"},    {"lblDesignNSigma", "15"},
        {"lblDesignKSigma", "1.8857"}, {"lblDesignPaSigma", "0.9561"},
    };
    for (const auto& [name, text] : results) {
        EXPECT_EQ(shown(name), text) << name;
        EXPECT_EQ(m_panel->findChild<QLabel*>(name)->accessibleDescription().toStdString(), text);
    }
    EXPECT_TRUE(m_prompter.messages.empty());
    EXPECT_GT(m_panel->ocScene().windowWidth, 0);
    const std::string spoken =
        m_panel->findChild<QWidget*>("picDesignOc")->accessibleDescription().toStdString();
    EXPECT_NE(spoken.find("s-method: n = 42, k = 1.898"), std::string::npos) << spoken;
    EXPECT_NE(spoken.find("Pa 0.95 at AQL 1%, Pa 0.1 at LTPD 6%"), std::string::npos) << spoken;

    // A decimal comma is read as the decimal mark: SciPy gives n = 53 and 21 for
    // AQL 2 %, alpha 10 %, LTPD 8 %, beta 5 %.
    design("2", "10", "8,0", "5");
    EXPECT_EQ(shown("lblDesignNS"), "53");
    EXPECT_EQ(shown("lblDesignNSigma"), "21");

    // An LTPD too close to the AQL: no plan within the largest sample size, and it says so.
    design("1", "1", "1.01", "1");
    EXPECT_EQ(shown("lblDesignNS"), "none");
    EXPECT_EQ(shown("lblDesignKSigma"), "");
    EXPECT_NE(shown("lblDesignStatus").find("No s-method plan of at most 100000 items meets these "
                                            "risks. No \u03c3-method plan"),
              std::string::npos)
        << shown("lblDesignStatus");
}

TEST_F(PlanDesignPanelTest, RefusesAndNamesABadFieldAndKeepsTheLastDesign)
{
    design("1", "5", "6", "10");
    struct Row
    {
        const char* aql;
        const char* alpha;
        const char* ltpd;
        const char* beta;
        const char* said;
        const char* focused;
    };
    const Row rows[] = {
        {"1", "5", "6 %", "10", "The LTPD must be a number, not \"6 %\".", "txtDesignLTPD"},
        {"1", "", "6", "10", "The producer's risk must be a number, not \"\".", "txtDesignAlpha"},
        {"7", "5", "6", "10", "The AQL must be below the LTPD.", "txtDesignAQL"},
        {"1", "5", "6", "50",
         "The consumer's risk (beta) must lie strictly between 0 and 0.5 (50 %).",
         "txtDesignBeta"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.said);
        m_prompter.messages.clear();
        design(row.aql, row.alpha, row.ltpd, row.beta);
        ASSERT_EQ(m_prompter.messages.size(), 1u);
        EXPECT_EQ(m_prompter.messages[0].text, row.said);
        EXPECT_EQ(m_prompter.messages[0].title, "Invalid Number");
        EXPECT_EQ(shown("lblDesignStatus"), row.said);
        EXPECT_EQ(m_plan->focusWidget(), field(row.focused));
        EXPECT_EQ(shown("lblDesignNS"), "42");
    }
}

TEST_F(PlanDesignPanelTest, EveryFieldHasANameATipAndAnAccessKey)
{
    for (const char* name : {"txtDesignAQL", "txtDesignAlpha", "txtDesignLTPD", "txtDesignBeta"}) {
        SCOPED_TRACE(name);
        QLineEdit* edit = field(name);
        ASSERT_NE(edit, nullptr);
        EXPECT_FALSE(edit->accessibleName().isEmpty());
        EXPECT_FALSE(edit->toolTip().isEmpty());
        bool labelled = false;
        for (const QLabel* label : m_panel->findChildren<QLabel*>()) {
            if (label->buddy() == edit) {
                labelled = label->text().contains('&');
            }
        }
        EXPECT_TRUE(labelled);
    }
}

} // namespace
} // namespace qv
