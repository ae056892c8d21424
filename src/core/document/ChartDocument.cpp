#include "core/document/ChartDocument.h"

#include "core/Errors.h"
#include "core/NumberReader.h"
#include "core/VectorState.h"
#include "core/document/DrawReportApply.h"
#include "core/document/FileCommands.h"
#include "core/document/LotDecisionText.h"
#include "core/io/DataFileParser.h"
#include "core/io/FilePaths.h"
#include "core/io/PasteText.h"
#include "core/io/ProjectFile.h"
#include "core/io/TextFile.h"
#include "core/model/Prompter.h"
#include "core/model/StartUp.h"

#include <algorithm>
#include <exception>
#include <new>

namespace qv {

namespace {

using enum Ctl;

int toInt(double value)
{
    return static_cast<int>(roundToInteger(value, 32767));
}

// What the reader puts into the Data File Parameters dialog before it is shown.
void putPrefill(Settings& s, const DataFilePrefill& prefill)
{
    const Settings::Batch batch(s);
    if (prefill.labels) {
        s.setCheck(FileChar_Labels, 1);
    }
    s.setText(FileChar_Ncol, std::to_string(prefill.fieldCount));
    s.setFileCharColumnItems(std::max(prefill.fieldCount, 0));
    s.setText(FileChar_ColN, "1");
    s.setCheck(FileChar_ErrorBars, 0);
    s.setEnabled(FileChar_ErrorColumn, false);
    s.setEnabled(FileChar_Frame2, prefill.fieldCount != 1);
}

} // namespace

ChartDocument::ChartDocument(Prompter& prompter, const TextMeasurer& measurer)
    : m_prompter(prompter), m_plot(m_session, m_session.placements, measurer)
{
    m_plot.setBusyPointer(this);
}

ChartDocument::~ChartDocument() = default;

void ChartDocument::startUp(const ChartLayout& layout, std::vector<std::string> fonts,
                            const std::string& preferredFallback)
{
    m_plot.layout() = layout;
    m_fallbackFont = preferredFallback;
    qv::startUp(m_session, std::move(fonts), preferredFallback);
    m_session.placements = designPlacements(layout.plotArea);
}

void ChartDocument::setBusy(bool on)
{
    if (m_view) {
        m_view->setBusy(on);
    }
}

template <typename Body> bool ChartDocument::command(const char* failureTitle, Body body)
{
    bool done = false;
    try {
        done = body();
    } catch (const QvError& e) {
        setBusy(false);
        if (e.code() != ErrorCode::Cancelled) {
            m_prompter.message(unexpectedErrorText(e.code(), ErrorPrefix::Spaced), failureTitle,
                               MessageIcon::Warning);
        }
    } catch (const std::exception& e) {
        setBusy(false);
        m_prompter.message(unexpectedErrorText(failureCode(e), ErrorPrefix::Spaced), failureTitle,
                           MessageIcon::Warning);
    }
    setBusy(false);
    if (m_view) {
        m_view->titleChanged(m_session.windowTitle);
        m_view->menusChanged(m_session.menus);
    }
    return done;
}

bool ChartDocument::runCommand(const char* failureTitle, const std::function<bool()>& body)
{
    return command(failureTitle, body);
}

void ChartDocument::clearChart()
{
    m_decidable = false;
    m_decisions = {};
    m_plot.clear();
    if (m_view) {
        m_view->chartCleared();
    }
}

DrawOutcome ChartDocument::drawPlot()
{
    if (m_view) {
        m_view->updateLayout(m_plot.layout());
    }
    m_decidable = false;
    m_lastOutcome = applyDrawReport(m_session, m_prompter, m_plot.drawPlot());
    noteDrawing();
    if (m_view) {
        m_view->chartDrawn();
        m_view->menusChanged(m_session.menus);
    }
    return m_lastOutcome;
}

void ChartDocument::refreshPlot()
{
    command("Graphing Error", [this] {
        if (m_view) {
            m_view->updateLayout(m_plot.layout());
        }
        m_decidable = false;
        m_lastOutcome = applyDrawReport(m_session, m_prompter, m_plot.refreshPlot());
        noteDrawing();
        if (m_view) {
            m_view->chartDrawn();
        }
        return true;
    });
}

void ChartDocument::noteDrawing()
{
    m_decisions = {};
    m_decidable = m_lastOutcome == DrawOutcome::Drawn;
    m_decisionSettings = qv::decisionSettings(m_session.settings);
}

const LotDecision* ChartDocument::lotDecision(int setNumber) const
{
    if (!m_decidable || (setNumber != 1 && setNumber != 2)) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(setNumber - 1);
    const SetResults& drawn = m_plot.results().sets[index];
    if (!drawn.statistics || (setNumber == 2 && !m_session.overlayLoaded)) {
        return nullptr;
    }
    if (!m_decisions[index]) {
        m_decisions[index] = decideLot(drawn.points, *drawn.statistics, m_decisionSettings);
    }
    return &*m_decisions[index];
}

bool ChartDocument::openFile()
{
    return command("File Open Error", [this] {
        m_session.pasteMode = false;
        m_session.projectFileFlag = false;
        const auto path = m_prompter.askOpenFile(openDialogRequest(m_session, false));
        if (!path) {
            return false;
        }
        m_session.sourcePath = *path;
        m_session.lastExtension = splitPath(*path).extension;
        m_session.firstOpen = false;
        m_session.projectFileFlag = isProjectPath(*path);
        m_session.menus.set(Menu::NewData, m_session.projectFileFlag);
        const LoadKind kind = m_session.projectFileFlag ? LoadKind::Project : LoadKind::DataFile;
        return load({kind, 1, *path, *path}).status == LoadStatus::Loaded;
    });
}

bool ChartDocument::openFromCommandLine(std::string_view argument)
{
    return command("File Open Error", [this, argument] {
        m_session.pasteMode = false;
        m_session.projectFileFlag = false;
        std::string_view path = trimBlanks(argument);
        if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
            path = path.substr(1, path.size() - 2);
        }
        if (path.empty()) {
            m_lastLoad = {LoadStatus::Failed, ErrorCode::BadFileName};
            return false;
        }
        const std::string chosen(path);
        m_session.sourcePath = chosen;
        m_session.lastExtension = splitPath(chosen).extension;
        m_session.firstOpen = false;
        m_session.projectFileFlag = isProjectPath(chosen);
        m_session.menus.set(Menu::NewData, m_session.projectFileFlag);
        const LoadKind kind = m_session.projectFileFlag ? LoadKind::Project : LoadKind::DataFile;
        return load({kind, 1, chosen, splitPath(chosen).fileName}).status == LoadStatus::Loaded;
    });
}

bool ChartDocument::inputNewData()
{
    return command("File Error", [this] {
        m_session.pasteMode = false;
        const auto path = m_prompter.askOpenFile(openDialogRequest(m_session, true));
        if (!path) {
            return false;
        }
        m_session.sourcePath = *path;
        if (isProjectPath(*path)) {
            m_prompter.message("New data file must be *.CSV or equivalent", ProgramName,
                               MessageIcon::Warning);
            return false;
        }
        return load({LoadKind::NewData, 1, *path, std::nullopt}).status == LoadStatus::Loaded;
    });
}

bool ChartDocument::inputOverlayData()
{
    return command("File Open Error", [this] {
        m_session.pasteMode = false;
        m_session.projectFileFlag = false;
        const auto path = m_prompter.askOpenFile(openDialogRequest(m_session, true));
        if (!path) {
            return false;
        }
        m_session.sourcePath = *path;
        m_session.projectFileFlag = isProjectPath(*path);
        m_session.menus.set(Menu::NewData, m_session.projectFileFlag);
        const LoadKind kind = m_session.projectFileFlag ? LoadKind::Project : LoadKind::DataFile;
        return load({kind, 2, *path, std::nullopt}).status == LoadStatus::Loaded;
    });
}

void ChartDocument::reportLoadFailure(int code, const std::string& detail)
{
    setBusy(false);
    clearChart();
    if (code == ErrorCode::PathFileAccess || code == ErrorCode::Cancelled) {
        return;
    }
    std::string text;
    switch (code) {
    case ErrorCode::BadFileName:
    case ErrorCode::FileNotFound:
    case ErrorCode::BadFileMode:
    case ErrorCode::FileAlreadyOpen:
    case ErrorCode::BadFileNameOrNumber:
        text = fileErrorText(code);
        break;
    case ErrorCode::LineTooLong:
        text = detail;
        break;
    default:
        text = unexpectedErrorText(code, ErrorPrefix::Joined);
    }
    m_prompter.message(text, "File Error", MessageIcon::Warning);
}

LoadResult ChartDocument::load(const LoadRequest& request)
{
    Settings& s = m_session.settings;
    const bool project = request.kind == LoadKind::Project;
    // Input New Data and pasted lines into a loaded project take only the field
    // count and the value column from the dialog, and keep the project's settings.
    const bool intoProject =
        (request.kind == LoadKind::NewData || request.kind == LoadKind::Paste) &&
        m_session.projectFileFlag;
    const bool fullAnswers = !project && !intoProject;
    DataSet& target = m_session.set(request.targetSet);
    // The reader's number conversions and the sort run at full speed after the dialogs.
    clearUpperVectorState();
    try {
        s.setCheck(FileChar_Labels, 0);
        TextFile file;
        std::vector<std::string_view> pasted;
        const std::vector<std::string_view>* lines = &pasted;
        if (request.kind == LoadKind::Paste) {
            pasted.assign(m_session.pasteBuffer.begin(), m_session.pasteBuffer.end());
        } else {
            file = TextFile::read(request.path);
            lines = &file.lines();
        }

        DataLayout layout;
        int settingsFailure = 0;
        layout.columnCount = target.columnCount;
        layout.valueColumn = target.valueColumn;
        layout.sigmaColumn = target.sigmaColumn;
        std::optional<ProjectRead> projectRead;
        if (project) {
            // The first point line decides the point format; no dialog. A project
            // read as the overlay passes over its own overlay block.
            ProjectReadResult read = readProjectLines(*lines, request.targetSet == 2);
            if (!read.project) {
                raise(read.errorCode);
            }
            projectRead = std::move(read.project);
            s.setCheck(FileChar_ErrorBars, projectRead->main.hasSigmas ? 1 : 0);
        } else {
            // A one-line paste previews its line twice rather than the end line.
            std::vector<std::string_view> onePastedLine;
            if (request.kind == LoadKind::Paste && lines->size() == 2 &&
                (*lines)[1] == EndOfPaste) {
                onePastedLine.assign(2, (*lines)[0]);
            }
            const PrefillResult prefill =
                prefillFromLines(onePastedLine.empty() ? *lines : onePastedLine);
            if (!prefill.prefill) {
                raise(prefill.errorCode);
            }
            putPrefill(s, *prefill.prefill);
            const DataFilePreview preview{prefill.prefill->firstRow, prefill.prefill->secondRow};
            if (!m_prompter.askDataFileParameters(s, preview)) {
                m_lastLoad = {LoadStatus::Cancelled, 0};
                return m_lastLoad;
            }
        }

        setBusy(true);
        if (!project) {
            layout.columnCount = toInt(s.number(FileChar_Ncol));
            layout.valueColumn = toInt(s.number(FileChar_ColN));
            if (fullAnswers) {
                if (s.check(FileChar_ErrorBars) == 1) {
                    layout.sigmaColumn = toInt(s.number(FileChar_ErrorColumn));
                }
                if (s.check(FileChar_Labels) == 1) {
                    layout.labelsRow =
                        request.kind == LoadKind::Paste ? LabelsRow::TabFields : LabelsRow::Items;
                }
            }
        }
        layout.withSigmas =
            project ? projectRead->main.hasSigmas : s.check(FileChar_ErrorBars) == 1;
        ParseResult parsed;
        if (project) {
            parsed.data = ParsedData{std::move(projectRead->main), {}};
        } else {
            parsed = parseDataLines(*lines, layout);
        }
        if (!parsed.data) {
            raise(parsed.errorCode);
        }

        // The lines were read: from here on the chart changes.
        {
            const Settings::Batch batch(s);
            if (fullAnswers) {
                s.setText(PlotOpts_YAxisLabel, parsed.data->label);
                // Pasted lines keep the options of a chart that has a title.
                if (request.kind != LoadKind::Paste || s.text(PlotOpts_PlotTitle).empty()) {
                    s.resetOptions();
                }
            }
            DataSet& loaded = parsed.data->set;
            sortSet(loaded, loaded.pointCount);
            target = std::move(loaded);
            target.editGridBuilt = false;
            target.hiliteGridBuilt = false;
            bool projectOverlay = false;
            if (projectRead) {
                projectOverlay = applyProjectBlocks(*projectRead, request.path, settingsFailure);
            }

            if (request.titlePath) {
                m_session.titlePath = *request.titlePath;
                m_session.setTitleFromPath();
            }
            if (request.targetSet == 2) {
                m_session.overlayPath = request.path;
                m_session.overlayLoaded = true;
            } else if (request.kind != LoadKind::NewData) {
                m_session.overlayLoaded = projectOverlay;
            }
            // Pasted data, too, can be edited, given options and an overlay.
            m_session.menus.set(
                {Menu::EnableDisable, Menu::Options_File, Menu::SaveAs, Menu::InputOverlayData},
                true);
            s.setEnabled(PlotOpts_ErrorBars, layout.withSigmas);
            if (target.enabledCount < 30) {
                s.setEnabled(PlotOpts_Tdist, true);
            } else {
                s.setEnabled(PlotOpts_Tdist, false);
                s.selectButton(PlotOpts_NormalDist);
            }
            m_session.placeBoxesPending = true;
        }
        clearChart();
        setBusy(false);
        if (settingsFailure != 0) {
            // The settings before the failing line stay applied; the data are loaded.
            m_prompter.message(unexpectedErrorText(settingsFailure, ErrorPrefix::Spaced),
                               "Read QVW Error", MessageIcon::Warning);
        }
    } catch (const QvError& e) {
        reportLoadFailure(e.code(), e.what());
        m_lastLoad = {LoadStatus::Failed, e.code()};
        return m_lastLoad;
    } catch (const std::bad_alloc&) {
        reportLoadFailure(ErrorCode::OutOfMemory, {});
        m_lastLoad = {LoadStatus::Failed, ErrorCode::OutOfMemory};
        return m_lastLoad;
    }
    m_lastLoad = {LoadStatus::Loaded, 0};
    drawPlot();
    return m_lastLoad;
}

} // namespace qv
