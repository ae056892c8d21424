#pragma once
// The program's only top-level window: the menu bar, the plot area, the title
// above it, the value-axis label beside it and the movable boxes on it. It owns
// the session (data sets and settings), runs the core's file commands and then
// shows the session's window title and menu availability.

#include "core/model/Menu.h"
#include "core/model/Session.h"
#include "core/plot/PlotRoutine.h"
#include "gui/app/Twips.h"
#include "render/ChartPainter.h"
#include "render/QtTextMeasurer.h"

#include <QMainWindow>
#include <QRectF>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QMenu;

namespace qv {

class Prompter;

class MainWindow : public QMainWindow
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

    Session& session() { return m_session; }
    const Session& session() const { return m_session; }
    Prompter& prompter() { return m_prompter; }

    // Opens the file named on the command line, with or without double quotes
    // around it. A blank argument does nothing.
    void openFromCommandLine(const QString& argument);

    // Shows the session's availability of every menu and menu item.
    void syncMenus();
    // Shows the session's window title.
    void syncTitle();

    // The plot routine and its last drawing.
    PlotRoutine& plot() { return *m_plot; }
    const Scene& scene() const { return m_plot->scene(); }
    // Runs the plot routine on the window's layout and shows the drawing.
    void drawPlot();
    // Edit > Refresh Plot: the one-time resize of Page Setup, then a drawing.
    void refreshPlot();

    // The menu item (or, for a menu, its entry in the menu bar) of a command.
    QAction* action(Menu item) const;
    QWidget* plotArea() const { return m_plotArea; }
    // Position and size of the plot area on the window, in twips.
    QRectF plotAreaTwips() const { return m_plotTwips; }
    const TwipScale& twipScale() const { return m_twips; }

public Q_SLOTS:
    // File > Open, Edit > Input New Data, Edit > Input Overlay Data.
    void openFile();
    void inputNewData();
    void inputOverlayData();
    // File > Exit: ends the program at once.
    void exitProgram();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildSurface();
    void buildMenus();
    void runStartUp();
    void applyFonts();
    void scalePlotArea();
    void placeWidgets();
    void fitWindowToPlot();
    void setBusy(bool on);
    void clearPlot();
    // The plot area's place on the window, in twips.
    TwipsRect plotRect() const;
    // The window's layout in twips, as the plot routine lays the chart out on it.
    ChartLayout currentLayout() const;
    // Puts the title and the turned axis label of the last drawing on the window.
    void showScene();
    // Runs one file command, then restores the pointer and shows title and menus.
    template <typename Command> void runCommand(const char* failureTitle, Command&& command);

    Prompter& m_prompter;
    Session m_session;
    TwipScale m_twips;
    QtTextMeasurer m_measurer;
    ChartPainter m_painter;
    std::unique_ptr<PlotRoutine> m_plot;
    bool m_busy = false;

    std::array<QAction*, static_cast<std::size_t>(Menu::Count)> m_actions{};

    QWidget* m_surface = nullptr;
    QWidget* m_plotArea = nullptr;
    QLabel* m_plotTitle = nullptr;
    QLabel* m_yLabel = nullptr;
    QLabel* m_plotText = nullptr;
    QLabel* m_overlayText = nullptr;
    QLabel* m_statsBox = nullptr;
    QLabel* m_overlayStats = nullptr;
    QLabel* m_picture1 = nullptr;

    // Layout on the window, in twips.
    QRectF m_plotTwips;
    QRectF m_titleTwips;
    QRectF m_yLabelTwips;
};

} // namespace qv
