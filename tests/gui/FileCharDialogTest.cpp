// The Data File Parameters dialog as the user sees it, and the Qt prompter that shows it.
#include "gui/dialogs/FileCharDialog.h"
#include "core/document/FileCommands.h"
#include "core/model/Settings.h"
#include "gui/app/MainWindow.h"
#include "gui/app/QtPrompter.h"
#include "support/TempFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace qv {
namespace {

template <typename T> T* child(QWidget& dialog, const char* name)
{
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// The dialog showing the reader's prefill for a file whose second line has `columns` fields.
struct Prefilled
{
    Settings settings;
    FileCharDialog dialog;

    explicit Prefilled(int columns)
    {
        Settings& s = settings;
        s.setCheck(Ctl::FileChar_Labels, 1);
        s.setText(Ctl::FileChar_Ncol, std::to_string(columns));
        s.setFileCharColumnItems(columns);
        s.setText(Ctl::FileChar_ColN, "1");
        s.setEnabled(Ctl::FileChar_Frame2, columns != 1);
        dialog.attach(&settings, {"mass,error,batch", "1.5,0.1,7"});
    }
    template <typename T> T* widget(const char* name) { return child<T>(dialog, name); }
};

// Runs `answer` on the modal dialog once it is shown; the answer closes it.
void whenModalShown(std::function<void(QWidget&)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(*modal);
    });
}

TEST(FileCharDialog, ShowsThePreviewAndThePrefilledAnswersUnderTheirCaptions)
{
    Prefilled d(3);
    EXPECT_EQ(d.dialog.windowTitle(), "Data File Parameters");
    for (const char* row :
         {"Frame1=Data File Preview", "Frame3=Data Parameters", "Frame2=Uncertainty Bars",
          "lblFirstRow=1st Row:", "lblSecondRow=2nd Row:", "lblLabels=Labels in First Row?",
          "lblNcol=No. of Data Columns", "lblColN=Column Number to Analyze",
          "lblErrorBars=Data Uncertainties in Column?", "lblErrorColumn=Uncertainty Column Number",
          "OK=OK", "Cancel=Cancel", "FirstRow=mass,error,batch", "SecondRow=1.5,0.1,7"}) {
        const std::string entry = row;
        const std::size_t split = entry.find('=');
        QWidget* shown = d.widget<QWidget>(entry.substr(0, split).c_str());
        ASSERT_NE(shown, nullptr);
        const char* property = shown->inherits("QGroupBox") ? "title" : "text";
        EXPECT_EQ(shown->property(property).toString().toStdString(), entry.substr(split + 1));
    }
    EXPECT_TRUE(d.widget<QPushButton>("OK")->isDefault());
    EXPECT_TRUE(d.widget<QCheckBox>("Labels")->isChecked());
    EXPECT_EQ(d.widget<QLineEdit>("Ncol")->text(), "3");
    auto* colN = d.widget<QComboBox>("ColN");
    EXPECT_EQ(colN->count(), 3);
    EXPECT_EQ(colN->currentText(), "1");
    EXPECT_FALSE(d.widget<QCheckBox>("ErrorBars")->isChecked());
}

TEST(FileCharDialog, UncertaintyFrameIsAvailableOnlyWhenTheFileHasSeveralColumns)
{
    for (int columns : {1, 3}) {
        SCOPED_TRACE(columns);
        Prefilled d(columns);
        EXPECT_EQ(d.widget<QGroupBox>("Frame2")->isEnabled(), columns > 1);
        EXPECT_EQ(d.widget<QLabel>("lblErrorBars")->isEnabled(), columns > 1);
        EXPECT_EQ(d.widget<QCheckBox>("ErrorBars")->isEnabled(), columns > 1);
        EXPECT_FALSE(d.widget<QComboBox>("ErrorColumn")->isEnabled());
    }
}

TEST(FileCharDialog, CheckingUncertaintiesEnablesTheColumnAndProposesTheOneAfterTheValues)
{
    Prefilled d(3);
    auto* errorBars = d.widget<QCheckBox>("ErrorBars");
    auto* errorColumn = d.widget<QComboBox>("ErrorColumn");
    d.widget<QComboBox>("ColN")->setCurrentIndex(1);
    errorBars->click();
    EXPECT_TRUE(errorColumn->isEnabled());
    EXPECT_EQ(errorColumn->currentText(), "3");
    EXPECT_EQ(d.settings.text(Ctl::FileChar_ErrorColumn), "3");

    errorBars->click();
    EXPECT_FALSE(errorColumn->isEnabled());
    EXPECT_EQ(d.settings.check(Ctl::FileChar_ErrorBars), 0);
}

TEST(QtPrompter, RealDialogLoadsTheColumnChosenOnOkAndCancelKeepsTheLoadedData)
{
    test::TempFiles files;
    QtPrompter prompter;
    MainWindow window(prompter);
    bool okFocused = false;
    whenModalShown([&](QWidget& dialog) {
        okFocused = dialog.focusWidget() == child<QPushButton>(dialog, "OK");
        EXPECT_TRUE(child<QCheckBox>(dialog, "Labels")->isChecked());
        EXPECT_EQ(child<QLineEdit>(dialog, "Ncol")->text(), "2");
        child<QComboBox>(dialog, "ColN")->setCurrentIndex(1);
        child<QPushButton>(dialog, "OK")->click();
    });
    window.openFromCommandLine(
        QString::fromStdString(files.write("pairs.csv", "x,y\r\n1,2\r\n3,4\r\n")));
    EXPECT_TRUE(okFocused); // Enter accepts
    EXPECT_EQ(window.session().set(1).values, (std::vector<double>{2, 4}));
    EXPECT_EQ(window.session().settings.text(Ctl::PlotOpts_YAxisLabel), "y");
    EXPECT_EQ(window.windowTitle(), "Quantiview 3.0 (pairs.csv)");

    whenModalShown([](QWidget& dialog) { child<QPushButton>(dialog, "Cancel")->click(); });
    window.openFromCommandLine(QString::fromStdString(files.write("other.csv", "5,6\n7,8\n")));
    EXPECT_EQ(window.session().set(1).values, (std::vector<double>{2, 4}));
    EXPECT_EQ(window.windowTitle(), "Quantiview 3.0 (pairs.csv)");
}

TEST(QtPrompter, FileDialogsOfferTheFilterListAsQtNameFilters)
{
    // Both spellings of each extension, since the dialogs compare case.
    EXPECT_EQ(qtNameFilters(OpenFilter),
              (QStringList{"All Files (*)", "CSV Files (*.csv *.CSV)",
                           "Quantiview Files (*.qvw *.QVW)", "Text Files (*.txt *.TXT)"}));
    EXPECT_EQ(qtNameFilters(SaveFilter),
              (QStringList{"All Files (*)", "CSV Files (*.CSV *.csv)",
                           "Quantiview Files (*.QVW *.qvw)", "Text Files (*.TXT *.txt)"}));
    EXPECT_EQ(qtNameFilters("A|*.a|B|*.b;*.c"), (QStringList{"A (*.a)", "B (*.b *.c)"}));
}

} // namespace
} // namespace qv
