// The window and its dialogs on the files users have: the decimal comma and the
// column names in the Data File Parameters dialog, number fields that refuse a
// typing slip, a failed load that keeps the chart, and editors that tell every
// point apart and name its line.
#include "core/model/ScriptedPrompter.h"
#include "gui/app/MainWindow.h"
#include "gui/app/QtPrompter.h"
#include "gui/app/WindowCommands.h"
#include "gui/dialogs/DataEditorDialog.h"
#include "gui/dialogs/FileCharDialog.h"
#include "gui/dialogs/GraphOptionsDialog.h"
#include "gui/dialogs/OptionDialogSet.h"
#include "gui/dialogs/PointGridModel.h"
#include "support/TempFiles.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace qv {
namespace {

using enum Ctl;

template <typename T> T* child(QWidget& root, const char* name)
{
    return root.findChild<T*>(QString::fromUtf8(name));
}

std::string dataFile(const char* name)
{
    return std::string(QV_TEST_DATA_DIR "/") + name;
}

TEST(LoadWiringDialogs, TheParametersShowTheDecimalCommaAndTheColumnsByNameAndStoreNumbers)
{
    QtPrompter prompter;
    MainWindow window(prompter);
    Settings& s = window.session().settings;
    bool answered = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* decimalComma = child<QCheckBox>(*dialog, "DecimalComma");
        EXPECT_TRUE(decimalComma->isChecked());
        EXPECT_FALSE(decimalComma->toolTip().isEmpty());
        EXPECT_EQ(decimalComma->accessibleName(), "Decimal comma");
        EXPECT_EQ(child<QLabel>(*dialog, "lblDecimalComma")->text(), "&Decimal comma");
        auto* colN = child<QComboBox>(*dialog, "ColN");
        ASSERT_EQ(colN->count(), 4);
        EXPECT_EQ(colN->itemText(1), QString::fromUtf8("2 \u00B7 Girth"));
        EXPECT_EQ(colN->currentText(), "1");
        colN->setCurrentIndex(3);
        EXPECT_EQ(s.text(FileChar_ColN), "4");
        EXPECT_EQ(colN->currentText(), QString::fromUtf8("4 \u00B7 Volume"));

        // OK with a field count that is not a number names it and stays.
        auto* ncol = child<QLineEdit>(*dialog, "Ncol");
        ncol->selectAll();
        QTest::keyClicks(ncol, "4x");
        QString refusal;
        QTimer::singleShot(0, [&refusal] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_TRUE(box && box->inherits("QMessageBox"));
            refusal = box->property("text").toString();
            box->close();
        });
        child<QPushButton>(*dialog, "OK")->click();
        EXPECT_EQ(refusal, "The No. of Data Columns must be a number, not \"4x\".");
        EXPECT_TRUE(dialog->isVisible());
        ncol->selectAll();
        QTest::keyClicks(ncol, "4");
        answered = true;
        child<QPushButton>(*dialog, "OK")->click();
    });
    window.openFromCommandLine(QString::fromStdString(dataFile("r_write_csv2_trees.csv")));
    EXPECT_TRUE(answered);
    // R: trees$Volume[1:12] starts 10.3, 10.3, 10.2 (read with the decimal comma).
    ASSERT_EQ(window.session().set(1).pointCount, 12);
    EXPECT_EQ(window.session().set(1).values.front(), 10.2);
}

TEST(LoadWiringDialogs, AnOptionDialogRefusesANumberFieldThatIsNoNumberAndStoresACommaAsAPoint)
{
    Settings settings;
    ScriptedPrompter prompter;
    OptionDialogSet set{settings, prompter, [] {}, nullptr};
    settings.resetOptions();
    GraphOptionsDialog& graph = set.graphOptions();
    child<QCheckBox>(graph, "LimitLines")->click();
    auto* limit = child<QLineEdit>(graph, "ULimit");
    ASSERT_TRUE(limit->isEnabled());
    graph.show();
    limit->selectAll();
    QTest::keyClicks(limit, "1O0");
    graph.okButton()->click();
    EXPECT_TRUE(graph.isVisible());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Invalid Number");
    EXPECT_EQ(prompter.messages[0].text, "The Upper Limit must be a number, not \"1O0\".");
    EXPECT_EQ(graph.focusWidget(), limit);

    limit->selectAll();
    QTest::keyClicks(limit, "2,57");
    graph.okButton()->click();
    EXPECT_FALSE(graph.isVisible());
    EXPECT_EQ(graph.exitCode(), DialogExit::Ok);
    EXPECT_EQ(settings.text(PlotOpts_ULimit), "2.57");
    EXPECT_EQ(limit->text(), "2.57");
}

class LoadWiringWindow : public ::testing::Test
{
protected:
    ~LoadWiringWindow() override
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->hide();
        }
    }
    void open(const std::string& path, DataFileAnswers answers = {})
    {
        m_prompter.openAnswers.assign(1, path);
        m_prompter.dataFileAnswers.assign(1, answers);
        m_window.runCommand(Menu::mnuOpenFile);
    }
    QImage picture() { return m_window.centralWidget()->grab().toImage(); }

    test::TempFiles m_files;
    ScriptedPrompter m_prompter;
    MainWindow m_window{m_prompter};
};

TEST_F(LoadWiringWindow, AFailedLoadKeepsTheChartTheTitleAndTheData)
{
    open(dataFile("r_write_csv_trees.csv"), {.valueColumn = 2});
    ASSERT_EQ(m_window.session().set(1).pointCount, 12);
    const QString title = m_window.windowTitle();
    const QImage before = picture();

    open(m_files.write("short.csv", "12.5\n"));
    EXPECT_EQ(m_prompter.messages.back().title, "File Error");
    EXPECT_EQ(m_window.windowTitle(), title);
    EXPECT_EQ(m_window.session().set(1).pointCount, 12);
    EXPECT_TRUE(m_window.scene().coordinatesSet);
    EXPECT_EQ(picture(), before);
}

TEST_F(LoadWiringWindow, TheEditorShowsEachValueWholeAndTheLineItCameFrom)
{
    open(m_files.write("close.csv", "bore\n12.003401\n12.0034\nNA\n12.00341\n"), {.labels = true});
    m_window.runCommand(Menu::EnableDisable);
    DataEditorDialog* editor = m_window.windowCommands().editor(EditorKind::EnableDisable);
    ASSERT_NE(editor, nullptr);
    const QAbstractItemModel* model = editor->model(1);
    ASSERT_EQ(model->columnCount(), 4);
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "Line");
    const QStringList expected[] = {{"12.0034", "3"}, {"12.003401", "2"}, {"12.00341", "5"}};
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(model->index(row, 1).data().toString(), expected[row][0]);
        EXPECT_EQ(model->index(row, 3).data().toString(), expected[row][1]);
    }
    editor->close();
}

} // namespace
} // namespace qv
