// The Qt prompter: the Data File Parameters dialog it shows for a file and the column
// chosen on OK or the data kept on Cancel, and the file dialogs' filters.
#include "WidgetAnswers.h"
#include "core/document/FileCommands.h"
#include "gui/app/MainWindow.h"
#include "gui/app/QtPrompter.h"
#include "support/TempFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using test::child;
using test::whenModalShown;

TEST(QtPrompter, ShowsTheDataFileParametersAndLoadsTheColumnChosenOnOkOrKeepsTheDataOnCancel)
{
    test::TempFiles files;
    QtPrompter prompter;
    MainWindow window(prompter);
    Settings& s = window.session().settings;
    bool okFocused = false;
    whenModalShown([&](QWidget& dialog) {
        okFocused = dialog.focusWidget() == child<QPushButton>(dialog, "OK"); // Enter accepts
        EXPECT_EQ(dialog.windowTitle(), "Data File Parameters");
        for (const char* row : {"Frame2=Uncertainty Bars", "lblColN=Column Number to Analyze",
                                "FirstRow=mass,error,batch", "SecondRow=1.5,0.1,7"}) {
            const std::string entry = row;
            const std::size_t split = entry.find('=');
            QWidget* shown = child<QWidget>(dialog, entry.substr(0, split).c_str());
            ASSERT_NE(shown, nullptr);
            const char* property = shown->inherits("QGroupBox") ? "title" : "text";
            EXPECT_EQ(shown->property(property).toString().toStdString(), entry.substr(split + 1));
        }
        EXPECT_TRUE(child<QCheckBox>(dialog, "Labels")->isChecked());
        EXPECT_EQ(child<QLineEdit>(dialog, "Ncol")->text(), "3");
        EXPECT_EQ(child<QComboBox>(dialog, "ColN")->count(), 3);
        // Uncertainties propose the column after the values.
        EXPECT_TRUE(child<QWidget>(dialog, "lblErrorBars")->isEnabled());
        auto* errorBars = child<QCheckBox>(dialog, "ErrorBars");
        auto* errorColumn = child<QComboBox>(dialog, "ErrorColumn");
        EXPECT_FALSE(errorColumn->isEnabled());
        child<QComboBox>(dialog, "ColN")->setCurrentIndex(1);
        errorBars->click();
        EXPECT_TRUE(errorColumn->isEnabled());
        EXPECT_EQ(errorColumn->currentText(), QString::fromUtf8("3 \u00B7 batch"));
        EXPECT_EQ(s.text(Ctl::FileChar_ErrorColumn), "3");
        errorBars->click();
        EXPECT_FALSE(errorColumn->isEnabled());
        EXPECT_EQ(s.check(Ctl::FileChar_ErrorBars), 0);
        child<QPushButton>(dialog, "OK")->click();
    });
    window.openFromCommandLine(QString::fromStdString(
        files.write("lot.csv", "mass,error,batch\r\n1.5,0.1,7\r\n2.5,0.2,8\r\n")));
    EXPECT_TRUE(okFocused);
    EXPECT_EQ(window.session().set(1).values, (std::vector<double>{0.1, 0.2}));
    EXPECT_EQ(s.text(Ctl::PlotOpts_YAxisLabel), "error");
    EXPECT_EQ(window.windowTitle(), "Quantiview 3.0 (lot.csv)");

    // One column offers no uncertainties; Cancel keeps the loaded data.
    whenModalShown([](QWidget& dialog) {
        for (const char* name : {"Frame2", "lblErrorBars", "ErrorBars"}) {
            EXPECT_FALSE(child<QWidget>(dialog, name)->isEnabled()) << name;
        }
        child<QPushButton>(dialog, "Cancel")->click();
    });
    window.openFromCommandLine(QString::fromStdString(files.write("other.csv", "5\n7\n")));
    EXPECT_EQ(window.session().set(1).values, (std::vector<double>{0.1, 0.2}));
    EXPECT_EQ(window.windowTitle(), "Quantiview 3.0 (lot.csv)");
}

TEST(QtPrompter, FileDialogsOfferTheFilterListAsQtNameFilters)
{
    // Both spellings of each extension, since the dialogs compare case.
    EXPECT_EQ(qtNameFilters(OpenFilter),
              (QStringList{"All data and project files (*.csv *.CSV *.txt *.TXT *.dat *.DAT "
                           "*.prn *.PRN *.qvw *.QVW)",
                           "All Files (*)", "CSV Files (*.csv *.CSV)",
                           "Quantiview Files (*.qvw *.QVW)", "Text Files (*.txt *.TXT)"}));
    EXPECT_EQ(qtNameFilters("A|*.a|B|*.b;*.c"), (QStringList{"A (*.a)", "B (*.b *.c)"}));
}

} // namespace
} // namespace qv
