#include "gui/app/WindowCommands.h"

#include "core/document/ChartDocument.h"
#include "core/document/GraphOutput.h"
#include "core/model/Prompter.h"
#include "gui/dialogs/AboutWindows.h"
#include "gui/dialogs/DataEditorDialog.h"
#include "gui/dialogs/HelpWindow.h"
#include "gui/dialogs/InstallationValidation.h"
#include "gui/dialogs/PlanDesignPanel.h"
#include "gui/dialogs/SamplingPlanWindow.h"
#include "gui/output/ChartOutput.h"
#include "gui/widgets/Twips.h"
#include "render/ChartExport.h"
#include "render/QtText.h"

#include <QCoreApplication>

namespace qv {

namespace {

constexpr const char* HelpErrorTitle = "Help Error";

std::size_t slot(EditorKind kind)
{
    return kind == EditorKind::EnableDisable ? 0 : 1;
}

} // namespace

WindowCommands::WindowCommands(ChartDocument& document, const TwipScale& twips,
                               const TextMeasurer& measurer, QWidget& window)
    : m_document(document), m_twips(twips), m_measurer(measurer), m_window(window),
      m_programFolder(QCoreApplication::applicationDirPath()),
      m_helpCollection(userHelpCollection()),
      m_validation(std::make_unique<InstallationValidation>(document.prompter(), &window))
{
}

WindowCommands::~WindowCommands()
{
    // The editors look at the document's data sets: they go first.
    for (const auto& editor : m_editors) {
        delete editor.data();
    }
    delete m_help.data();
    delete m_about.data();
    delete m_calculations.data();
    delete m_samplingPlan.data();
}

QImage WindowCommands::windowPicture() const
{
    return chartImage(m_document.scene(), 1.0 / m_twips.twipsPerPixelX());
}

void WindowCommands::copyGraph()
{
    copyPictureToClipboard(windowPicture(), m_document.prompter());
}

void WindowCommands::saveGraphAs()
{
    qv::saveGraphAs(m_document.session(), m_document.prompter(), [this](const std::string& path) {
        return writeGraphFile(windowPicture(), m_document.scene(), toQString(path));
    });
}

void WindowCommands::print()
{
    printChart(m_document.scene(), m_document.session().settings, m_document.prompter());
}

void WindowCommands::openEditor(EditorKind kind)
{
    QPointer<DataEditorDialog>& editor = m_editors[slot(kind)];
    if (!editor) {
        editor = new DataEditorDialog(m_document.session(), m_document.prompter(), kind, &m_window);
        QObject::connect(editor, &QDialog::accepted, &m_window, [this] {
            m_document.markUnsavedWork();
            m_document.drawPlot();
        });
    }
    editor->showEditor();
}

DataEditorDialog* WindowCommands::editor(EditorKind kind) const
{
    return m_editors[slot(kind)].data();
}

HelpWindow* WindowCommands::helpWindow() const
{
    return m_help.data();
}

AboutDialog* WindowCommands::aboutBox() const
{
    return m_about.data();
}

CalculationsWindow* WindowCommands::calculationsWindow() const
{
    return m_calculations.data();
}

SamplingPlanWindow* WindowCommands::samplingPlanWindow() const
{
    return m_samplingPlan.data();
}

void WindowCommands::setHelpLocation(const QString& programFolder, const QString& collectionFile)
{
    m_programFolder = programFolder;
    m_helpCollection = collectionFile;
}

HelpWindow* WindowCommands::ensureHelp()
{
    if (m_help) {
        return m_help;
    }
    const QString file = findHelpFile(m_programFolder);
    if (file.isEmpty()) {
        m_document.prompter().message(toUtf8(missingHelpText(helpFileCandidates(m_programFolder))),
                                      HelpErrorTitle, MessageIcon::Warning);
        return nullptr;
    }
    auto* help = new HelpWindow(file, m_helpCollection, &m_window);
    if (!help->errorText().isEmpty()) {
        m_document.prompter().message(toUtf8(help->errorText()), HelpErrorTitle,
                                      MessageIcon::Warning);
        delete help;
        return nullptr;
    }
    m_help = help;
    return help;
}

void WindowCommands::helpContents()
{
    if (HelpWindow* help = ensureHelp()) {
        help->showContents();
    }
}

void WindowCommands::helpIndex()
{
    if (HelpWindow* help = ensureHelp()) {
        help->showIndex();
    }
}

void WindowCommands::calculations()
{
    if (!m_calculations) {
        m_calculations = new CalculationsWindow(&m_window);
    }
    m_calculations->showWindow();
}

void WindowCommands::samplingPlan()
{
    if (!m_samplingPlan) {
        m_samplingPlan = new SamplingPlanWindow(m_measurer, &m_window);
        m_samplingPlan->planDesign().setPrompter(&m_document.prompter());
        m_samplingPlan->follow(m_document);
    }
    m_samplingPlan->showWindow();
}

void WindowCommands::validateInstallation()
{
    m_validation->setReportFolder(toQString(m_document.session().fileDialogs.documentsFolder));
    m_validation->run();
}

void WindowCommands::about()
{
    if (!m_about) {
        m_about = new AboutDialog(&m_window);
    }
    m_about->showAbout();
}

} // namespace qv
