// The Data File Parameters dialog as the user sees it, and the Qt prompter that
// shows it and the file dialogs.
#include "gui/dialogs/FileCharDialog.h"
#include "core/model/FileCommands.h"
#include "core/model/Session.h"
#include "gui/app/MainWindow.h"
#include "gui/app/QtPrompter.h"
#include "support/TempFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace qv {
namespace {

// The reader's prefill for a file whose second line has `columns` fields.
void prefill(Session& session, int columns)
{
    Settings& s = session.settings;
    session.firstRow = "mass,error,batch";
    session.secondRow = "1.5,0.1,7";
    s.setCheck(Ctl::FileChar_Labels, 1);
    s.setText(Ctl::FileChar_Ncol, std::to_string(columns));
    s.setFileCharColumnItems(columns);
    s.setText(Ctl::FileChar_ColN, "1");
    s.setCheck(Ctl::FileChar_ErrorBars, 0);
    s.setEnabled(Ctl::FileChar_ErrorColumn, false);
    s.setEnabled(Ctl::FileChar_Frame2, columns != 1);
}

template <typename T> T* child(QWidget& dialog, const char* name)
{
    T* widget = dialog.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

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
    Session session;
    prefill(session, 3);
    FileCharDialog dialog;
    dialog.attach(&session);

    EXPECT_EQ(dialog.objectName(), "FileChar");
    EXPECT_EQ(dialog.windowTitle(), "Data File Parameters");
    EXPECT_EQ(child<QGroupBox>(dialog, "Frame1")->title(), "Data File Preview");
    EXPECT_EQ(child<QGroupBox>(dialog, "Frame3")->title(), "Data Parameters");
    EXPECT_EQ(child<QGroupBox>(dialog, "Frame2")->title(), "Uncertainty Bars");
    const std::pair<const char*, const char*> captions[] = {
        {"lblFirstRow", "1st Row:"},
        {"lblSecondRow", "2nd Row:"},
        {"lblLabels", "Labels in First Row?"},
        {"lblNcol", "No. of Data Columns"},
        {"lblColN", "Column Number to Analyze"},
        {"lblErrorBars", "Data Uncertainties in Column?"},
        {"lblErrorColumn", "Uncertainty Column Number"},
    };
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(child<QLabel>(dialog, name)->text().toStdString(), caption);
    }
    EXPECT_EQ(child<QPushButton>(dialog, "OK")->text(), "OK");
    EXPECT_TRUE(child<QPushButton>(dialog, "OK")->isDefault());
    EXPECT_EQ(child<QPushButton>(dialog, "Cancel")->text(), "Cancel");

    EXPECT_EQ(child<QLabel>(dialog, "FirstRow")->text(), "mass,error,batch");
    EXPECT_EQ(child<QLabel>(dialog, "SecondRow")->text(), "1.5,0.1,7");
    EXPECT_TRUE(child<QCheckBox>(dialog, "Labels")->isChecked());
    EXPECT_EQ(child<QLineEdit>(dialog, "Ncol")->text(), "3");
    auto* colN = child<QComboBox>(dialog, "ColN");
    ASSERT_EQ(colN->count(), 3);
    EXPECT_EQ(colN->itemText(2), "3");
    EXPECT_EQ(colN->currentText(), "1");
    EXPECT_FALSE(child<QCheckBox>(dialog, "ErrorBars")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(dialog, "ErrorBars")->isEnabled());
    EXPECT_FALSE(child<QComboBox>(dialog, "ErrorColumn")->isEnabled());
}

TEST(FileCharDialog, OneColumnDisablesTheUncertaintyFrameAndItsLabels)
{
    Session session;
    prefill(session, 1);
    FileCharDialog dialog;
    dialog.attach(&session);
    EXPECT_FALSE(child<QGroupBox>(dialog, "Frame2")->isEnabled());
    EXPECT_FALSE(child<QLabel>(dialog, "lblErrorBars")->isEnabled());
    EXPECT_FALSE(child<QLabel>(dialog, "lblErrorColumn")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(dialog, "ErrorBars")->isEnabled());
    EXPECT_TRUE(child<QGroupBox>(dialog, "Frame3")->isEnabled());
}

TEST(FileCharDialog, CheckingUncertaintiesEnablesTheColumnAndProposesTheNextOne)
{
    Session session;
    prefill(session, 3);
    FileCharDialog dialog;
    dialog.attach(&session);
    auto* colN = child<QComboBox>(dialog, "ColN");
    auto* errorBars = child<QCheckBox>(dialog, "ErrorBars");
    auto* errorColumn = child<QComboBox>(dialog, "ErrorColumn");

    colN->setCurrentIndex(1);
    EXPECT_EQ(session.settings.text(Ctl::FileChar_ColN), "2");
    errorBars->click();
    EXPECT_TRUE(errorColumn->isEnabled());
    EXPECT_EQ(errorColumn->currentText(), "3");
    EXPECT_EQ(session.settings.check(Ctl::FileChar_ErrorBars), 1);
    EXPECT_EQ(session.settings.text(Ctl::FileChar_ErrorColumn), "3");

    errorBars->click();
    EXPECT_FALSE(errorColumn->isEnabled());
    EXPECT_EQ(session.settings.check(Ctl::FileChar_ErrorBars), 0);
}

TEST(FileCharDialog, NumberOfColumnsSelectsItsWholeTextOnFocus)
{
    Session session;
    prefill(session, 12);
    FileCharDialog dialog;
    dialog.attach(&session);
    auto* ncol = child<QLineEdit>(dialog, "Ncol");
    ncol->deselect();
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(ncol, &focusIn);
    QApplication::processEvents();
    EXPECT_EQ(ncol->selectedText(), "12");
}

TEST(QtPrompter, DataFileParametersReturnsOkWithTheEditsAndFalseOnCancel)
{
    Session session;
    prefill(session, 3);
    QtPrompter prompter;
    bool okFocused = false;
    whenModalShown([&](QWidget& dialog) {
        okFocused = dialog.focusWidget() == child<QPushButton>(dialog, "OK");
        child<QComboBox>(dialog, "ColN")->setCurrentIndex(2);
        child<QCheckBox>(dialog, "Labels")->click();
        child<QPushButton>(dialog, "OK")->click();
    });
    EXPECT_TRUE(prompter.askDataFileParameters(session));
    EXPECT_TRUE(okFocused);
    EXPECT_TRUE(session.fileCharAccepted);
    EXPECT_EQ(session.settings.text(Ctl::FileChar_ColN), "3");
    EXPECT_EQ(session.settings.check(Ctl::FileChar_Labels), 0);

    whenModalShown([](QWidget& dialog) { child<QPushButton>(dialog, "Cancel")->click(); });
    EXPECT_FALSE(prompter.askDataFileParameters(session));
    EXPECT_FALSE(session.fileCharAccepted);
}

TEST(QtPrompter, CommandLineLoadTakesTheColumnChosenInTheRealDialog)
{
    test::TempFiles files;
    const std::string path = files.write("pairs.csv", "x,y\r\n1,2\r\n3,4\r\n");
    QtPrompter prompter;
    MainWindow window(prompter);
    whenModalShown([](QWidget& dialog) {
        EXPECT_TRUE(child<QCheckBox>(dialog, "Labels")->isChecked());
        EXPECT_EQ(child<QLineEdit>(dialog, "Ncol")->text(), "2");
        child<QComboBox>(dialog, "ColN")->setCurrentIndex(1);
        child<QPushButton>(dialog, "OK")->click();
    });
    window.openFromCommandLine(QString::fromStdString(path));
    EXPECT_EQ(window.session().set(1).values, (std::vector<double>{2, 4}));
    EXPECT_EQ(window.session().settings.text(Ctl::PlotOpts_YAxisLabel), "y");
    EXPECT_EQ(window.windowTitle(), "Quantiview 3.0 (pairs.csv)");
}

TEST(QtPrompter, FilterListBecomesQtNameFilters)
{
    EXPECT_EQ(qtNameFilters(OpenFilter),
              (QStringList{"All Files (*)", "CSV Files (*.csv)", "Quantiview Files (*.qvw)",
                           "Text Files (*.txt)"}));
    EXPECT_EQ(qtNameFilters("A|*.a|B|*.b;*.c"), (QStringList{"A (*.a)", "B (*.b *.c)"}));
}

} // namespace
} // namespace qv
