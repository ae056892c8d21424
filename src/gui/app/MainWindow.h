#pragma once
// The program's only top-level window: the menu bar, the plot area, the title
// above it and the value-axis label beside it. It owns the chart document, maps
// each menu item to a document command through one table, and shows what the
// document tells it: the busy pointer, the drawing, the title and the menus.

#include "core/document/ChartDocument.h"
#include "core/model/Menu.h"
#include "gui/dialogs/OptionDialogSet.h"
#include "gui/widgets/Twips.h"
#include "render/ChartPainter.h"
#include "render/QtTextMeasurer.h"

#include <QMainWindow>
#include <QRectF>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;

namespace qv {

class ChartDragger;
class ChartReadout;
class Prompter;
class WindowCommands;

class MainWindow : public QMainWindow, private DocumentView
{
    Q_OBJECT

public:
    // Builds the window and runs the start-up sequence: fonts, scaling of the plot
    // area to the screen, availability of the commands. Every question a command
    // asks goes to `prompter`, which must outlive the window.
    explicit MainWindow(Prompter& prompter, QWidget* parent = nullptr);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    ChartDocument& document() { return m_document; }
    Session& session() { return m_document.session(); }
    const Session& session() const { return m_document.session(); }
    Prompter& prompter() { return m_document.prompter(); }
    const Scene& scene() const { return m_document.scene(); }

    // Opens the file named on the command line, with or without double quotes
    // around it. A blank argument does nothing.
    void openFromCommandLine(const QString& argument);

    // Options > Graph Options, and a double click on the plot area, the title or
    // the value-axis label; Options > Axes Options, and a double click on the
    // window's background. Each opens its dialog (from there the user may switch
    // between the option dialogs) and redraws once when the last one closed with
    // OK. Nothing happens while the Options menu is unavailable.
    void graphOptions();
    void axesOptions();
    // File > Page Setup: shows the Page Setup dialog beside the window.
    void pageSetup();
    OptionDialogSet& optionDialogs() { return *m_dialogs; }

    // Runs the command of a menu item (nothing for an item without one yet),
    // whether or not the item is available; choosing the item runs it too.
    void runCommand(Menu item);

    // The menu item (or, for a menu, its entry in the menu bar) of a command.
    QAction* action(Menu item) const;
    QWidget* plotArea() const { return m_plotArea; }
    // The status bar's line with the main lot's decisions, below the chart.
    QLabel* lotStatus() const { return m_lotStatus; }
    ChartDragger* dragger() const { return m_dragger; }
    const TwipScale& twipScale() const { return m_twips; }
    // Output, the data editors, help and the About windows.
    WindowCommands& windowCommands() const { return *m_windowCommands; }

    // The files last opened or saved, newest first, at most MaxRecentFiles; the
    // File menu's Recent Files lists them.
    static constexpr int MaxRecentFiles = 8;
    const QStringList& recentFiles() const { return m_recentFiles; }
    // Opens a file dropped on the window or chosen under Recent Files as File >
    // Open does, after the unsaved-work question.
    bool openPath(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // What the document tells its view.
    void setBusy(bool on) override;
    void updateLayout(ChartLayout& layout) override;
    void chartCleared() override;
    void chartDrawn() override;
    void titleChanged(const std::string& title) override;
    void menusChanged(const MenuState& menus) override;

    // The recent files and the file dialogs' folders, kept between runs in the
    // user's settings (QSettings "Quantiview"/"quantiview").
    void restoreMemory();
    void storeMemory() const;
    // Puts the file the last open or save command used at the top of the recent files.
    void noteRecentFile(const std::string& path);
    void rebuildRecentMenu();

    void buildSurface();
    void buildMenus();
    void buildCommandTable();
    void runStartUp();
    void applyFonts();
    void placeWidgets();
    void fitWindowToPlot();
    // Puts the title and the turned axis label of the last drawing on the window
    // and repaints the chart.
    void showScene();
    // The plot area's accessible description: the chart's visible texts, one a line.
    void describeChart();
    // The main lot's decisions of the last drawing in the status bar and the
    // Sampling Plan window; nothing there while no lot is drawn.
    void showLotDecision();

    TwipScale m_twips;
    QtTextMeasurer m_measurer;
    ChartPainter m_painter;
    ChartDocument m_document;
    bool m_busy = false;

    std::array<QAction*, static_cast<std::size_t>(Menu::Count)> m_actions{};
    std::array<std::function<void()>, static_cast<std::size_t>(Menu::Count)> m_commands{};

    QWidget* m_surface = nullptr;
    QWidget* m_plotArea = nullptr;
    QLabel* m_plotTitle = nullptr;
    QLabel* m_yLabel = nullptr;
    QLabel* m_lotStatus = nullptr;
    ChartDragger* m_dragger = nullptr;
    ChartReadout* m_readout = nullptr;
    QMenu* m_recentMenu = nullptr;
    QStringList m_recentFiles;

    // Layout on the window, in twips.
    QRectF m_plotTwips;
    QRectF m_titleTwips;

    // Last, so that the dialogs stop following the settings before those go.
    std::unique_ptr<OptionDialogSet> m_dialogs;
    // Last, so that its windows go before the document they look at.
    std::unique_ptr<WindowCommands> m_windowCommands;
};

} // namespace qv
