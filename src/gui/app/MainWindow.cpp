#include "gui/app/MainWindow.h"

#include "core/Errors.h"
#include "core/model/FileCommands.h"
#include "core/model/Prompter.h"
#include "core/model/StartUp.h"
#include "gui/app/ChartWidgets.h"
#include "render/ScreenFonts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>

#include <new>
#include <stdexcept>

namespace qv {

namespace {

// The value-axis label's place before the first drawing puts it beside the axis.
constexpr double YLabelLeft = 240;
constexpr double YLabelWidth = 360;
constexpr double YLabelHeight = 2400;
constexpr double TitleHeight = 540;


struct MenuEntry
{
    Menu item;
    const char* caption;
};

struct MenuBarEntry
{
    Menu menu;
    const char* caption;
    std::initializer_list<MenuEntry> items; // Menu::Count marks the separator
};

const std::initializer_list<MenuBarEntry> kMenuBar = {
    {Menu::Menu_File,
     "&File",
     {{Menu::mnuOpenFile, "&Open"},
      {Menu::SaveAs, "&Save File As..."},
      {Menu::mnuSaveGraph, "Save &Graph As"},
      {Menu::mnuPageSetup, "Page Set&up"},
      {Menu::mnuPrint, "&Print"},
      {Menu::Count, nullptr},
      {Menu::ExitProgram, "E&xit"}}},
    {Menu::FileEdit,
     "Edit",
     {{Menu::mnuRefresh, "&Refresh Plot"},
      {Menu::mnuCopy, "&Copy Graph"},
      {Menu::EnableDisable, "&Enable/Disable Data"},
      {Menu::HiliteUnhilite, "&Hilite/UnHilite Data"},
      {Menu::NewData, "&Input New Data"},
      {Menu::InputOverlayData, "Input &Overlay Data"},
      {Menu::PasteData, "&Paste Data"}}},
    {Menu::Options_File,
     "&Options",
     {{Menu::GraphOptions, "&Graph Options"}, {Menu::AxesOptions, "&Axes Options"}}},
    {Menu::Help,
     "&Help",
     {{Menu::mnuHelpContents, "Help for Quantiview...Con&tents"},
      {Menu::mnuHelpIndex, "Help for Quantiview...&Index"},
      {Menu::mnuCalculations, "About the &Calculations"},
      {Menu::mnuAbout, "&About Quantiview"}}},
};

QString nameOf(Menu item)
{
    const std::string_view name = menuName(item);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QLabel* makeLabel(const char* objectName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(objectName));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The code an unexpected failure is reported with, for failures that do not
// carry one of the program's own codes.
int failureCode(const std::exception& e)
{
    if (const auto* qv = dynamic_cast<const QvError*>(&e)) {
        return qv->code();
    }
    if (dynamic_cast<const std::bad_alloc*>(&e)) {
        return ErrorCode::OutOfMemory;
    }
    if (dynamic_cast<const std::out_of_range*>(&e) || dynamic_cast<const std::length_error*>(&e)) {
        return ErrorCode::SubscriptOutOfRange;
    }
    if (dynamic_cast<const std::overflow_error*>(&e)) {
        return ErrorCode::Overflow;
    }
    return ErrorCode::InvalidArgument;
}

std::string folderOrHome(const QString& folder)
{
    const QString path = !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace

MainWindow::MainWindow(Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_prompter(prompter), m_twips(QGuiApplication::primaryScreen()),
      m_measurer(1440.0 / m_twips.twipsPerPixelX()), m_painter(1.0 / m_twips.twipsPerPixelX()),
      m_plot(std::make_unique<PlotRoutine>(m_session, prompter, m_measurer))
{
    setObjectName(QStringLiteral("MainForm"));
    m_session.setBusy = [this](bool on) { setBusy(on); };
    m_session.clearPlot = [this] { clearPlot(); };
    m_session.drawPlot = [this] { drawPlot(); };
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    m_session.documentsFolder = folderOrHome(documents);
    m_session.dataFolder = m_session.documentsFolder;

    buildSurface();
    buildMenus();
    runStartUp();
}

MainWindow::~MainWindow()
{
    // The pointer belongs to the application, which outlives the window.
    setBusy(false);
}

void MainWindow::buildSurface()
{
    m_surface = new ChartWidget(
        QStringLiteral("MainSurface"),
        [this](QPainter& p, const QRect& area) {
            p.fillRect(area, Qt::white);
            m_painter.paintWindowSurface(p, m_plot->scene());
        },
        this);
    setCentralWidget(m_surface);

    m_plotArea = new ChartWidget(
        QStringLiteral("PlotArea"),
        [this](QPainter& p, const QRect& area) { m_painter.paintPlotArea(p, m_plot->scene(), QRectF(area)); },
        m_surface);
    m_plotArea->setAutoFillBackground(true);
    QPalette plotPalette = m_plotArea->palette();
    plotPalette.setColor(QPalette::Window, Qt::white);
    plotPalette.setColor(QPalette::WindowText, Qt::black);
    m_plotArea->setPalette(plotPalette);

    m_plotTitle = makeLabel("PlotTitle", m_surface);
    m_plotTitle->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    m_yLabel = makeLabel("Ylabel", m_surface);
    m_yLabel->setAlignment(Qt::AlignCenter);
    m_picture1 = makeLabel("Picture1", m_surface);

    // The movable boxes lie on the plot area.
    m_statsBox = makeLabel("StatsBox", m_plotArea);
    m_overlayStats = makeLabel("OverlayStats", m_plotArea);
    m_plotText = makeLabel("PlotText", m_plotArea);
    m_overlayText = makeLabel("OverlayText", m_plotArea);

    const ChartLayout design = designLayout(DesignScreenWidthTwips, DesignScreenHeightTwips);
    const TwipsRect& plot = design.plotArea;
    m_plotTwips = QRectF(plot.left, plot.top, plot.width, plot.height);
    m_titleTwips = QRectF(plot.left, design.titleTop, plot.width, TitleHeight);
    m_yLabelTwips = QRectF(YLabelLeft, plot.top + (plot.height - YLabelHeight) / 2, YLabelWidth, YLabelHeight);
}

void MainWindow::buildMenus()
{
    for (const MenuBarEntry& entry : kMenuBar) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entry.caption));
        menu->setObjectName(nameOf(entry.menu));
        m_actions[static_cast<std::size_t>(entry.menu)] = menu->menuAction();
        int separators = 0;
        for (const MenuEntry& item : entry.items) {
            if (item.item == Menu::Count) {
                QAction* separator = menu->addSeparator();
                separator->setObjectName(QStringLiteral("Separator%1").arg(++separators));
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(nameOf(item.item));
            m_actions[static_cast<std::size_t>(item.item)] = action;
        }
    }
    connect(action(Menu::mnuOpenFile), &QAction::triggered, this, &MainWindow::openFile);
    connect(action(Menu::ExitProgram), &QAction::triggered, this, &MainWindow::exitProgram);
    connect(action(Menu::NewData), &QAction::triggered, this, &MainWindow::inputNewData);
    connect(action(Menu::InputOverlayData), &QAction::triggered, this,
            &MainWindow::inputOverlayData);
    connect(action(Menu::mnuRefresh), &QAction::triggered, this, &MainWindow::refreshPlot);
}

void MainWindow::runStartUp()
{
    // The model's part: availability, title-bold box, font list and the chart
    // font, the Page Setup start values, FirstOpen.
    startUp(m_session, screenFontFamilies(), ArialTwin);

    applyFonts();
    m_picture1->adjustSize();
    m_picture1->hide();
    scalePlotArea();
    // The title is centred over the plot area.
    m_titleTwips.moveLeft(m_plotTwips.left() + (m_plotTwips.width() - m_titleTwips.width()) / 2);
    m_plotText->hide();
    m_statsBox->hide();
    m_overlayStats->hide();
    m_overlayText->hide();
    placeWidgets();
    fitWindowToPlot();

    centreOnScreen(*this);
    syncTitle();
    syncMenus();
}

void MainWindow::applyFonts()
{
    const QString family = QString::fromStdString(m_session.graphFontName);
    QFont plain(family);
    m_yLabel->setFont(plain);
    QFont title(family);
    title.setBold(m_session.titleFontBold);
    m_plotTitle->setFont(title);
    QFont graph(family);
    graph.setBold(m_session.graphFontBold);
    for (QWidget* widget :
         {static_cast<QWidget*>(m_statsBox), static_cast<QWidget*>(m_overlayStats),
          static_cast<QWidget*>(m_overlayText), static_cast<QWidget*>(m_plotText), m_plotArea}) {
        widget->setFont(graph);
    }
}

void MainWindow::scalePlotArea()
{
    const QSizeF screen = TwipScale::screenTwips(QGuiApplication::primaryScreen());
    const TwipsRect plot = designLayout(screen.width(), screen.height()).plotArea;
    m_plotTwips = QRectF(plot.left, plot.top, plot.width, plot.height);
}

void MainWindow::placeWidgets()
{
    m_plotArea->setGeometry(m_twips.toPixels(m_plotTwips));
    m_plotTitle->setGeometry(m_twips.toPixels(m_titleTwips));
    m_yLabel->setGeometry(m_twips.toPixels(m_yLabelTwips));
}

void MainWindow::fitWindowToPlot()
{
    ChartLayout layout;
    layout.plotArea = plotRect();
    fitWindowToPlotArea(layout);
    const QSize client(m_twips.toPixelsX(layout.windowWidth), m_twips.toPixelsY(layout.windowHeight));
    m_surface->setMinimumSize(client);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
}

QAction* MainWindow::action(Menu item) const
{
    return item == Menu::Count ? nullptr : m_actions[static_cast<std::size_t>(item)];
}

void MainWindow::syncMenus()
{
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        if (m_actions[i]) {
            m_actions[i]->setEnabled(m_session.menus.enabled(static_cast<Menu>(i)));
        }
    }
}

void MainWindow::syncTitle()
{
    setWindowTitle(QString::fromStdString(m_session.windowTitle));
}

void MainWindow::setBusy(bool on)
{
    if (on == m_busy) {
        return;
    }
    m_busy = on;
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void MainWindow::clearPlot()
{
    m_plot->clear();
    m_surface->update();
    m_plotArea->update();
}

TwipsRect MainWindow::plotRect() const
{
    return {m_plotTwips.left(), m_plotTwips.top(), m_plotTwips.width(), m_plotTwips.height()};
}

ChartLayout MainWindow::currentLayout() const
{
    ChartLayout layout;
    layout.plotArea = plotRect();
    layout.titleTop = m_titleTwips.top();
    layout.windowWidth = m_twips.toTwipsX(m_surface->width());
    layout.windowHeight = m_twips.toTwipsY(m_surface->height());
    layout.screenWidthTwips = TwipScale::screenTwips(QGuiApplication::primaryScreen()).width();
    return layout;
}

void MainWindow::drawPlot()
{
    m_plot->layout() = currentLayout();
    m_plot->drawPlot();
    showScene();
}

void MainWindow::refreshPlot()
{
    runCommand("Graphing Error", [this] {
        m_plot->layout() = currentLayout();
        m_plot->refreshPlot();
        const TwipsRect& plot = m_plot->layout().plotArea;
        m_plotTwips = QRectF(plot.left, plot.top, plot.width, plot.height);
        placeWidgets();
        fitWindowToPlot();
        showScene();
    });
}

void MainWindow::showScene()
{
    const Scene& scene = m_plot->scene();
    // A label shows its caption as the painter paints it, in a picture of its own size.
    auto show = [this](QLabel* widget, const WindowLabel& label, LabelKind kind) {
        if (!label.visible || label.caption.empty()) {
            if (kind == LabelKind::AxisLabel) {
                widget->hide();
            }
            return;
        }
        const TwipsRect r = ChartPainter::labelRect(label, kind);
        const QRect geometry = m_twips.toPixels(QRectF(r.left, r.top, r.width, r.height));
        QPixmap picture(geometry.size().expandedTo(QSize(1, 1)));
        picture.fill(Qt::white);
        QPainter p(&picture);
        m_painter.paintLabel(p, label, kind, QRectF(QPointF(0, 0), QSizeF(picture.size())));
        p.end();
        widget->setPixmap(picture);
        widget->setGeometry(geometry);
        widget->show();
    };
    show(m_plotTitle, scene.title, LabelKind::Title);
    show(m_yLabel, scene.yLabel, LabelKind::AxisLabel);
    m_surface->update();
    m_plotArea->update();
}

template <typename Command> void MainWindow::runCommand(const char* failureTitle, Command&& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        // The commands report their own failures; this only catches what they
        // let through, so that no failure leaves the event loop.
        setBusy(false);
        m_prompter.message("Unexpected Error " + codeText(failureCode(e)), failureTitle,
                           MessageIcon::Warning);
    }
    setBusy(false);
    syncTitle();
    syncMenus();
}

void MainWindow::openFile()
{
    runCommand("File Open Error", [this] { qv::openFile(m_session, m_prompter); });
}

void MainWindow::openFromCommandLine(const QString& argument)
{
    if (argument.trimmed().isEmpty()) {
        return;
    }
    const std::string text = argument.toStdString();
    runCommand("File Open Error",
               [this, &text] { qv::openFromCommandLine(m_session, m_prompter, text); });
}

void MainWindow::inputNewData()
{
    runCommand("File Error", [this] { qv::inputNewData(m_session, m_prompter); });
}

void MainWindow::inputOverlayData()
{
    runCommand("File Open Error", [this] { qv::inputOverlayData(m_session, m_prompter); });
}

void MainWindow::exitProgram()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the program, whatever other window is open.
    event->accept();
    QCoreApplication::quit();
}

} // namespace qv
