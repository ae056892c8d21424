#include "gui/app/MainWindow.h"

#include "core/document/LotDecisionText.h"
#include "core/model/Prompter.h"
#include "core/plot/ChartDescription.h"
#include "gui/app/ChartDragger.h"
#include "gui/app/ChartReadout.h"
#include "gui/app/WindowCommands.h"
#include "gui/dialogs/PageSetupDialog.h"
#include "gui/dialogs/SamplingPlanWindow.h"
#include "gui/widgets/ChartWidgets.h"
#include "render/QtText.h"
#include "render/ScreenFonts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>

namespace qv {

namespace {

constexpr double TitleHeight = 540;

// What the empty plot area says before anything is loaded.
const char* const StartHint =
    "To begin, open a data or project file (File > Open, Ctrl+O), paste a column of "
    "measurements (Edit > Paste Data, Ctrl+V) or drop a file on this window.";

struct MenuEntry
{
    Menu item;
    const char* caption;
    // Kept as plain values: a key sequence of the platform exists only once the
    // application does.
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    QKeyCombination key = {};
};

struct MenuBarEntry
{
    Menu menu;
    const char* caption;
    std::initializer_list<MenuEntry> items; // Menu::Count marks the separator
};

// The standard keys of their platform, with Ctrl+Q and F1 where a platform has
// none (Ctrl+P, Ctrl+S and the others are standard everywhere).
const std::initializer_list<MenuBarEntry> kMenuBar = {
    {Menu::Menu_File,
     "&File",
     {{Menu::mnuOpenFile, "&Open", QKeySequence::Open},
      {Menu::SaveAs, "&Save File As...", QKeySequence::Save},
      {Menu::mnuSaveGraph, "Save &Graph As"},
      {Menu::mnuPageSetup, "Page Set&up"},
      {Menu::mnuPrint, "&Print", QKeySequence::Print},
      {Menu::Count, nullptr},
      {Menu::ExitProgram, "E&xit", QKeySequence::UnknownKey, Qt::CTRL | Qt::Key_Q}}},
    {Menu::FileEdit,
     "&Edit",
     {{Menu::mnuRefresh, "&Refresh Plot", QKeySequence::UnknownKey, Qt::Key_F5},
      {Menu::mnuCopy, "&Copy Graph", QKeySequence::Copy},
      {Menu::EnableDisable, "&Enable/Disable Data"},
      {Menu::HiliteUnhilite, "&Hilite/UnHilite Data"},
      {Menu::NewData, "&Input New Data"},
      {Menu::InputOverlayData, "Input &Overlay Data"},
      {Menu::PasteData, "&Paste Data", QKeySequence::Paste}}},
    {Menu::Options_File,
     "&Options",
     {{Menu::GraphOptions, "&Graph Options"},
      {Menu::AxesOptions, "&Axes Options"},
      {Menu::mnuSamplingPlan, "Sampling &Plan"}}},
    {Menu::Help,
     "&Help",
     {{Menu::mnuHelpContents, "Help for Quantiview...Con&tents", QKeySequence::UnknownKey,
       Qt::Key_F1},
      {Menu::mnuHelpIndex, "Help for Quantiview...&Index"},
      {Menu::mnuCalculations, "About the &Calculations"},
      {Menu::mnuValidate, "&Validate Installation..."},
      {Menu::mnuAbout, "&About Quantiview"}}},
};

// Where each file dialog's folder is kept between runs, by Session::FileDialogKind.
const char* const FolderKeys[] = {"folders/open", "folders/input", "folders/project",
                                  "folders/graph"};
const char* const RecentFilesKey = "recentFiles";

QSettings userSettings()
{
    return QSettings(QStringLiteral("Quantiview"), QStringLiteral("quantiview"));
}

std::size_t slot(Menu item)
{
    return static_cast<std::size_t>(item);
}

QLabel* makeLabel(const char* objectName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(objectName));
    label->setTextFormat(Qt::PlainText);
    return label;
}

std::string folderOrHome(const QString& folder)
{
    const QString path = !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
    return toUtf8(QDir::toNativeSeparators(path));
}

QRectF toQRectF(const TwipsRect& r)
{
    return {r.left, r.top, r.width, r.height};
}

// A caption as a screen reader reads it: its lines joined by blanks.
QString spoken(const std::string& caption)
{
    QString text = toQString(caption);
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text.simplified();
}

} // namespace

MainWindow::MainWindow(Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_twips(QGuiApplication::primaryScreen()),
      m_measurer(TwipsPerInch / m_twips.twipsPerPixelX()),
      m_painter(1.0 / m_twips.twipsPerPixelX()), m_document(prompter, m_measurer)
{
    setObjectName(QStringLiteral("MainForm"));
    Session& session = m_document.session();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    session.fileDialogs.documentsFolder = folderOrHome(documents);
    session.fileDialogs.dataFolder = session.fileDialogs.documentsFolder;

    m_dialogs = std::make_unique<OptionDialogSet>(
        session.settings, m_document.prompter(), [this] { m_document.refreshPlot(); }, this);
    m_windowCommands = std::make_unique<WindowCommands>(m_document, m_twips, m_measurer, *this);
    buildSurface();
    buildMenus();
    buildCommandTable();
    runStartUp();
    restoreMemory();
    setAcceptDrops(true);
    m_document.setView(this);
}

MainWindow::~MainWindow()
{
    m_document.setView(nullptr);
    // The pointer belongs to the application, which outlives the window.
    setBusy(false);
}

void MainWindow::buildSurface()
{
    auto* surface = new ChartWidget(
        QStringLiteral("MainSurface"),
        [this](QPainter& p, const QRect& area) {
            p.fillRect(area, Qt::white);
            m_painter.paintWindowSurface(p, scene());
        },
        this);
    m_surface = surface;
    m_surface->setAccessibleName(QStringLiteral("Chart"));
    setCentralWidget(m_surface);

    // The plot area paints its part of the chart and the movable boxes on it,
    // which lie in window twips: its own origin is the plot area's corner.
    auto* plotArea = new ChartWidget(
        QStringLiteral("PlotArea"),
        [this](QPainter& p, const QRect& area) {
            if (scene().primitives.empty()) {
                p.setPen(Qt::darkGray);
                p.drawText(area.adjusted(area.width() / 8, 0, -area.width() / 8, 0),
                           Qt::AlignCenter | Qt::TextWordWrap, QString::fromUtf8(StartHint));
                return;
            }
            m_painter.paintPlotAreaWithBoxes(p, scene(), QRectF(area));
        },
        m_surface);
    m_plotArea = plotArea;
    m_plotArea->setAccessibleName(QStringLiteral("Probability chart"));
    m_plotArea->setAutoFillBackground(true);
    QPalette plotPalette = m_plotArea->palette();
    plotPalette.setColor(QPalette::Window, Qt::white);
    plotPalette.setColor(QPalette::WindowText, Qt::black);
    m_plotArea->setPalette(plotPalette);

    m_plotTitle = makeLabel("PlotTitle", m_surface);
    m_plotTitle->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    m_yLabel = makeLabel("Ylabel", m_surface);
    m_yLabel->setAlignment(Qt::AlignCenter);

    surface->doubleClicked = [this] { axesOptions(); };
    plotArea->doubleClicked = [this] { graphOptions(); };
    m_dragger = new ChartDragger({m_surface, m_plotArea, m_plotTitle, m_yLabel}, m_document.plot(),
                                 m_painter, m_twips, this);
    m_dragger->labelDoubleClicked = [this] { graphOptions(); };
    m_dragger->dropped = [this] {
        m_document.markUnsavedWork();
        showScene();
    };

    // The lot decisions under the chart, outside its picture.
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setAccessibleName(QStringLiteral("Lot decision"));
    statusBar()->setSizeGripEnabled(false);
    m_lotStatus = makeLabel("lblLotDecision", statusBar());
    m_lotStatus->setAccessibleName(QStringLiteral("Lot decision"));
    m_lotStatus->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    statusBar()->addWidget(m_lotStatus, 1);
    m_readout = new ChartReadout(*m_plotArea, *statusBar(), m_document, this);

    const ChartLayout design = designLayout(DesignScreenWidthTwips, DesignScreenHeightTwips);
    const TwipsRect& plot = design.plotArea;
    m_plotTwips = toQRectF(plot);
    m_titleTwips = QRectF(plot.left, design.titleTop, plot.width, TitleHeight);
}

void MainWindow::buildMenus()
{
    for (const MenuBarEntry& entry : kMenuBar) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entry.caption));
        menu->setObjectName(toQString(menuName(entry.menu)));
        m_actions[slot(entry.menu)] = menu->menuAction();
        int separators = 0;
        for (const MenuEntry& item : entry.items) {
            if (item.item == Menu::Count) {
                if (entry.menu == Menu::Menu_File) {
                    m_recentMenu = menu->addMenu(QStringLiteral("&Recent Files"));
                    m_recentMenu->setObjectName(QStringLiteral("mnuRecentFiles"));
                }
                QAction* separator = menu->addSeparator();
                separator->setObjectName(QStringLiteral("Separator%1").arg(++separators));
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(toQString(menuName(item.item)));
            action->setShortcut(item.standardKey != QKeySequence::UnknownKey
                                    ? QKeySequence(item.standardKey)
                                    : QKeySequence(item.key));
            m_actions[slot(item.item)] = action;
            connect(action, &QAction::triggered, this,
                    [this, chosen = item.item] { runCommand(chosen); });
        }
    }
}

void MainWindow::restoreMemory()
{
    const QSettings store = userSettings();
    Session& s = session();
    for (std::size_t kind = 0; kind < s.fileDialogs.lastFolders.size(); ++kind) {
        s.fileDialogs.lastFolders[kind] =
            toUtf8(store.value(QString::fromUtf8(FolderKeys[kind])).toString());
    }
    m_recentFiles = store.value(QString::fromUtf8(RecentFilesKey)).toStringList();
    m_recentFiles = m_recentFiles.mid(0, MaxRecentFiles);
    rebuildRecentMenu();
}

void MainWindow::storeMemory() const
{
    QSettings store = userSettings();
    const Session& s = session();
    for (std::size_t kind = 0; kind < s.fileDialogs.lastFolders.size(); ++kind) {
        if (!s.fileDialogs.lastFolders[kind].empty()) {
            store.setValue(QString::fromUtf8(FolderKeys[kind]),
                           toQString(s.fileDialogs.lastFolders[kind]));
        }
    }
    store.setValue(QString::fromUtf8(RecentFilesKey), m_recentFiles);
}

void MainWindow::noteRecentFile(const std::string& path)
{
    const QString file = QFileInfo(toQString(path)).absoluteFilePath();
    m_recentFiles.removeAll(file);
    m_recentFiles.prepend(file);
    m_recentFiles = m_recentFiles.mid(0, MaxRecentFiles);
    rebuildRecentMenu();
    storeMemory();
}

void MainWindow::rebuildRecentMenu()
{
    m_recentMenu->clear();
    for (qsizetype i = 0; i < m_recentFiles.size(); ++i) {
        const QString path = m_recentFiles[i];
        // The number is the access key; an ampersand in a name is shown as it is.
        QString caption = QDir::toNativeSeparators(path);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
        action->setObjectName(QStringLiteral("mnuRecentFile%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, path] { openPath(path); });
    }
    m_recentMenu->menuAction()->setEnabled(!m_recentFiles.isEmpty());
}

bool MainWindow::openPath(const QString& path)
{
    const bool opened = m_document.openPath(toUtf8(path));
    if (opened) {
        noteRecentFile(toUtf8(path));
    }
    storeMemory();
    return opened;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    const QString path = urls.front().toLocalFile();
    // The drop ends before the load's dialogs open, so the dragging program is not held.
    QMetaObject::invokeMethod(
        this, [this, path] { openPath(path); }, Qt::QueuedConnection);
}

void MainWindow::buildCommandTable()
{
    const std::pair<Menu, std::function<void()>> table[] = {
        {Menu::mnuOpenFile,
         [this] {
             if (m_document.openFile()) {
                 noteRecentFile(session().fileDialogs.sourcePath);
             }
         }},
        {Menu::ExitProgram, [this] { close(); }},
        {Menu::mnuRefresh, [this] { m_document.refreshPlot(); }},
        {Menu::NewData, [this] { m_document.inputNewData(); }},
        {Menu::InputOverlayData, [this] { m_document.inputOverlayData(); }},
        {Menu::GraphOptions, [this] { graphOptions(); }},
        {Menu::AxesOptions, [this] { axesOptions(); }},
        {Menu::mnuSamplingPlan, [this] { m_windowCommands->samplingPlan(); }},
        {Menu::mnuPageSetup, [this] { pageSetup(); }},
        {Menu::SaveAs,
         [this] {
             if (m_document.saveAs()) {
                 noteRecentFile(session().sources.titlePath);
             }
         }},
        {Menu::PasteData,
         [this] {
             // Plain text only: a picture or rich text alone is no data.
             const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
             std::optional<std::string> text;
             if (clipboard && clipboard->hasText()) {
                 text = toUtf8(clipboard->text());
             }
             m_document.pasteData(text);
         }},
        {Menu::mnuCopy, [this] { m_windowCommands->copyGraph(); }},
        {Menu::mnuSaveGraph, [this] { m_windowCommands->saveGraphAs(); }},
        {Menu::mnuPrint, [this] { m_windowCommands->print(); }},
        {Menu::EnableDisable, [this] { m_windowCommands->openEditor(EditorKind::EnableDisable); }},
        {Menu::HiliteUnhilite, [this] { m_windowCommands->openEditor(EditorKind::Hilite); }},
        {Menu::mnuHelpContents, [this] { m_windowCommands->helpContents(); }},
        {Menu::mnuHelpIndex, [this] { m_windowCommands->helpIndex(); }},
        {Menu::mnuCalculations, [this] { m_windowCommands->calculations(); }},
        {Menu::mnuValidate, [this] { m_windowCommands->validateInstallation(); }},
        {Menu::mnuAbout, [this] { m_windowCommands->about(); }},
    };
    for (const auto& [item, command] : table) {
        m_commands[slot(item)] = command;
    }
}

void MainWindow::runCommand(Menu item)
{
    if (item != Menu::Count && m_commands[slot(item)]) {
        m_commands[slot(item)]();
        // A dialog may have chosen a new folder.
        storeMemory();
    }
}

void MainWindow::graphOptions()
{
    openOptionDialogs(m_document, *m_dialogs, OptionDialog::Graph);
}

void MainWindow::axesOptions()
{
    openOptionDialogs(m_document, *m_dialogs, OptionDialog::Axes);
}

void MainWindow::pageSetup()
{
    // Before the first drawing its buttons would draw an empty chart.
    if (session().menus.enabled(Menu::mnuPageSetup)) {
        m_dialogs->pageSetup().showBeside();
    }
}

void MainWindow::runStartUp()
{
    // The plot area is scaled to the screen, the title centred over it.
    const QSizeF screen = TwipScale::screenTwips(QGuiApplication::primaryScreen());
    ChartLayout layout = designLayout(screen.width(), screen.height());
    m_plotTwips = toQRectF(layout.plotArea);
    m_titleTwips.moveLeft(m_plotTwips.left() + (m_plotTwips.width() - m_titleTwips.width()) / 2);
    layout.titleTop = m_titleTwips.top();
    // The model's part: availability, title-bold box, font list and the chart
    // font, the Page Setup start values, FirstOpen, the design places.
    m_document.startUp(layout, screenFontFamilies(), ArialTwin);

    applyFonts();
    placeWidgets();
    fitWindowToPlot();
    centreOnScreen(*this);
    titleChanged(session().window.windowTitle);
    menusChanged(session().menus);
    describeChart();
}

void MainWindow::applyFonts()
{
    const Session& s = session();
    const QString family = toQString(s.window.graphFontName);
    m_yLabel->setFont(QFont(family));
    QFont title(family);
    title.setBold(s.window.titleFontBold);
    m_plotTitle->setFont(title);
    QFont graph(family);
    graph.setBold(s.window.graphFontBold);
    m_plotArea->setFont(graph);
}

void MainWindow::placeWidgets()
{
    m_plotArea->setGeometry(m_twips.toPixels(m_plotTwips));
    m_plotTitle->setGeometry(m_twips.toPixels(m_titleTwips));
    const Placement& yLabel = session().placements.yLabel;
    m_yLabel->setGeometry(
        m_twips.toPixels(QRectF(yLabel.left, yLabel.top, yLabel.width, yLabel.height)));
}

void MainWindow::fitWindowToPlot()
{
    ChartLayout layout;
    layout.plotArea = {m_plotTwips.left(), m_plotTwips.top(), m_plotTwips.width(),
                       m_plotTwips.height()};
    fitWindowToPlotArea(layout);
    const QSize client(m_twips.toPixelsX(layout.windowWidth),
                       m_twips.toPixelsY(layout.windowHeight));
    m_surface->setMinimumSize(client);
    // The window's own minimum follows at once, so that a smaller plot area shrinks it.
    QMainWindow::layout()->activate();
    resize(client.width(),
           client.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
}

QAction* MainWindow::action(Menu item) const
{
    return item == Menu::Count ? nullptr : m_actions[slot(item)];
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

void MainWindow::updateLayout(ChartLayout& layout)
{
    layout.plotArea = {m_plotTwips.left(), m_plotTwips.top(), m_plotTwips.width(),
                       m_plotTwips.height()};
    layout.titleTop = m_titleTwips.top();
    layout.windowWidth = m_twips.toTwipsX(m_surface->width());
    layout.windowHeight = m_twips.toTwipsY(m_surface->height());
    layout.screenWidthTwips = TwipScale::screenTwips(QGuiApplication::primaryScreen()).width();
    layout.screenHeightTwips = TwipScale::screenTwips(QGuiApplication::primaryScreen()).height();
}

void MainWindow::chartCleared()
{
    showLotDecision();
    describeChart();
    m_surface->update();
    m_plotArea->update();
    m_readout->chartChanged();
}

void MainWindow::chartDrawn()
{
    // Refresh Plot may have resized the plot area once.
    const QRectF plot = toQRectF(m_document.plot().layout().plotArea);
    if (plot != m_plotTwips) {
        m_plotTwips = plot;
        placeWidgets();
        fitWindowToPlot();
    }
    showLotDecision();
    showScene();
    m_readout->chartChanged();
}

void MainWindow::titleChanged(const std::string& title)
{
    setWindowTitle(toQString(title));
}

void MainWindow::menusChanged(const MenuState& menus)
{
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        if (m_actions[i]) {
            m_actions[i]->setEnabled(menus.enabled(static_cast<Menu>(i)));
        }
    }
}

void MainWindow::showScene()
{
    const Scene& current = scene();
    // A label shows its caption as the painter paints it, in a picture of its own size.
    auto show = [this](QLabel* widget, const WindowLabel& label, LabelKind kind) {
        if (!label.visible || label.caption.empty()) {
            if (kind == LabelKind::AxisLabel) {
                widget->hide();
            }
            return;
        }
        const TwipsRect r = m_painter.labelRect(label, kind);
        const QRect geometry = m_twips.toPixels(toQRectF(r));
        QPixmap picture = sharpPicture(*widget, geometry.size().expandedTo(QSize(1, 1)));
        QPainter p(&picture);
        m_painter.paintLabel(p, label, kind, QRectF(QPointF(0, 0), geometry.size()));
        p.end();
        widget->setPixmap(picture);
        widget->setGeometry(geometry);
        widget->setAccessibleName(spoken(label.caption));
        widget->show();
    };
    show(m_plotTitle, current.title, LabelKind::Title);
    show(m_yLabel, current.placements.yLabel, LabelKind::AxisLabel);

    describeChart();
    m_surface->update();
    m_plotArea->update();
}

void MainWindow::openFromCommandLine(const QString& argument)
{
    if (argument.trimmed().isEmpty()) {
        return;
    }
    if (m_document.openFromCommandLine(toUtf8(argument))) {
        noteRecentFile(session().fileDialogs.sourcePath);
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the program, whatever other window is open, once
    // the user has kept or dropped the work no file holds.
    if (!m_document.settleUnsavedWork()) {
        event->ignore();
        return;
    }
    storeMemory();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::showLotDecision()
{
    const LotDecision* decision = m_document.lotDecision(1);
    const QString text = decision ? toQString(lotStatusText(*decision)) : QString();
    m_lotStatus->setText(text);
    m_lotStatus->setAccessibleDescription(text);
    if (SamplingPlanWindow* plan = m_windowCommands->samplingPlanWindow()) {
        plan->follow(m_document);
    }
}

void MainWindow::describeChart()
{
    QStringList lines;
    for (const std::string& line : chartDescription(scene(), m_document.plot().results())) {
        lines << toQString(line);
    }
    if (scene().primitives.empty()) {
        lines << QString::fromUtf8(StartHint);
    }
    m_plotArea->setAccessibleDescription(lines.join(QLatin1Char('\n')));
}

} // namespace qv
