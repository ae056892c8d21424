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
#include "core/io/ProjectFileReader.h"
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
    // A line 2 that is no data line gives no field count to propose.
    const int fields = std::max(prefill.fieldCount, 0);
    s.setText(FileChar_Ncol, std::to_string(fields));
    std::vector<std::string> texts;
    for (int column = 1; column <= fields; ++column) {
        const auto index = static_cast<std::size_t>(column - 1);
        texts.push_back(columnPickerText(
            column, index < prefill.names.size() ? prefill.names[index] : std::string_view{}));
    }
    s.setFileCharColumnItems(fields, std::move(texts), prefill.names);
    s.setCheck(FileChar_DecimalComma, prefill.decimalComma ? 1 : 0);
    s.setText(FileChar_ColN, "1");
    s.setCheck(FileChar_ErrorBars, 0);
    s.setEnabled(FileChar_ErrorColumn, false);
    s.setEnabled(FileChar_Frame2, prefill.fieldCount != 1);
}

// The lines a load reads: the paste buffer's, or the file's (held by `file`).
const std::vector<std::string_view>& readLoadLines(const LoadRequest& request,
                                                   const std::vector<std::string>& pasteBuffer,
                                                   TextFile& file,
                                                   std::vector<std::string_view>& pasted)
{
    if (request.kind == LoadKind::Paste) {
        pasted.assign(pasteBuffer.begin(), pasteBuffer.end());
        return pasted;
    }
    file = TextFile::read(request.path);
    return file.lines();
}

// A project's point lines and blocks; the first point line decides the point
// format, without a dialog. A project read as the overlay passes over its own
// overlay block.
ProjectRead readProject(const std::vector<std::string_view>& lines, bool asOverlay, Settings& s)
{
    ProjectReadResult read = readProjectLines(lines, asOverlay);
    if (!read.project) {
        raise(read.errorCode);
    }
    s.setCheck(FileChar_ErrorBars, read.project->main.hasSigmas ? 1 : 0);
    return std::move(*read.project);
}

DataLayout projectLayout(const ProjectRead& project)
{
    DataLayout layout;
    layout.withSigmas = project.main.hasSigmas;
    return layout;
}

// The layout the Data File Parameters dialog was answered with. A load into a
// project takes only the field count and the value column; the other columns
// stay those of the set it replaces.
DataLayout answeredLayout(const LoadRequest& request, const Settings& s, const DataSet& target,
                          bool fullAnswers)
{
    DataLayout layout;
    layout.sigmaColumn = target.sigmaColumn;
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
    layout.withSigmas = s.check(FileChar_ErrorBars) == 1;
    layout.decimalComma = s.check(FileChar_DecimalComma) == 1;
    return layout;
}

// The points of the load: the project's main set as read, else the lines by `layout`.
ParsedData parseLoad(const std::vector<std::string_view>& lines, const DataLayout& layout,
                     std::optional<ProjectRead>& project)
{
    if (project) {
        return ParsedData{std::move(project->main), {}};
    }
    ParseResult parsed = parseDataLines(lines, layout);
    if (!parsed.data) {
        raise(parsed.errorCode);
    }
    return std::move(*parsed.data);
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

void ChartDocument::startUp(const ChartLayout& layout, FontSource fonts,
                            const std::string& preferredFallback)
{
    m_plot.layout() = layout;
    m_fallbackFont = preferredFallback;
    qv::startUp(m_session);
    m_pendingFonts = std::move(fonts);
    m_session.placements = designPlacements(layout.plotArea);
}

void ChartDocument::settleFonts()
{
    if (!m_pendingFonts) {
        return;
    }
    const FontSource fonts = std::move(m_pendingFonts);
    m_pendingFonts = nullptr;
    startUpFonts(m_session, fonts(), m_fallbackFont);
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
        m_view->titleChanged(m_session.window.windowTitle);
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
    settleFonts();
    if (m_view) {
        m_view->updateLayout(m_plot.layout());
    }
    m_decidable = false;
    m_lastOutcome = applyDrawReport(m_session, m_prompter, sayWarningsOnce(m_plot.drawPlot()));
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
        m_lastOutcome =
            applyDrawReport(m_session, m_prompter, sayWarningsOnce(m_plot.refreshPlot()));
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
    m_decidable = m_lastOutcome != DrawOutcome::Stopped;
    m_decisionSettings = qv::decisionSettings(m_session.settings);
}

const LotDecision* ChartDocument::lotDecision(int setNumber) const
{
    if (!m_decidable || (setNumber != 1 && setNumber != 2)) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(setNumber - 1);
    const SetResults& drawn = m_plot.results().sets[index];
    if (setNumber == 2 && !m_session.sources.overlayLoaded) {
        return nullptr;
    }
    if (m_lastOutcome == DrawOutcome::Failed) {
        // A lot whose drawing failed for want of the chart's k is still judged exactly.
        if (!m_decisions[index] && setNumber == 1) {
            m_decisions[index] = decideWithoutChartK(m_session.set(1), m_decisionSettings);
        }
    } else if (!m_decisions[index] && drawn.statistics) {
        m_decisions[index] = decideLot(drawn.points, *drawn.statistics, m_decisionSettings);
    }
    return m_decisions[index] ? &*m_decisions[index] : nullptr;
}

bool ChartDocument::openFile()
{
    if (!settleUnsavedWork()) {
        return false;
    }
    return openChosen(1, TitleFrom::Path, [this] { return askOpenFile(false); });
}

bool ChartDocument::openFromCommandLine(std::string_view argument, bool asGiven)
{
    return openChosen(1, TitleFrom::FileName, [this, argument, asGiven]() -> std::optional<std::string> {
        std::string_view path = asGiven ? argument : trimBlanks(argument);
        if (!asGiven && path.size() >= 2 && path.front() == '"' && path.back() == '"') {
            path = path.substr(1, path.size() - 2);
        }
        if (path.empty()) {
            m_lastLoad = {LoadStatus::Failed, ErrorCode::BadFileName};
            return std::nullopt;
        }
        return std::string(path);
    });
}

bool ChartDocument::inputNewData()
{
    if (!settleUnsavedWork()) {
        return false;
    }
    return command("File Error", [this] {
        m_session.sources.pasteMode = false;
        const auto path = askOpenFile(true);
        if (!path) {
            return false;
        }
        m_session.fileDialogs.sourcePath = *path;
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
    return openChosen(2, TitleFrom::None, [this] { return askOpenFile(true); });
}

bool ChartDocument::openChosen(int targetSet, TitleFrom title,
                               const std::function<std::optional<std::string>()>& choose)
{
    return command("File Open Error", [&] {
        const bool wasPaste = m_session.sources.pasteMode;
        const bool wasProject = m_session.sources.projectFileFlag;
        const bool newDataMenu = m_session.menus.enabled(Menu::NewData);
        m_session.sources.pasteMode = false;
        m_session.sources.projectFileFlag = false;
        const std::optional<std::string> path = choose();
        if (!path) {
            return false;
        }
        m_session.fileDialogs.sourcePath = *path;
        if (targetSet == 1) {
            m_session.fileDialogs.lastExtension = splitPath(*path).extension;
            m_session.fileDialogs.firstOpen = false;
        }
        m_session.sources.projectFileFlag = isProjectPath(*path);
        m_session.menus.set(Menu::NewData, m_session.sources.projectFileFlag);
        const LoadKind kind =
            m_session.sources.projectFileFlag ? LoadKind::Project : LoadKind::DataFile;
        std::optional<std::string> titlePath;
        if (title == TitleFrom::Path) {
            titlePath = *path;
        } else if (title == TitleFrom::FileName) {
            titlePath = splitPath(*path).fileName;
        }
        if (load({kind, targetSet, *path, titlePath}).status == LoadStatus::Loaded) {
            return true;
        }
        // The chart that stays is still the one these flags describe.
        m_session.sources.pasteMode = wasPaste;
        m_session.sources.projectFileFlag = wasProject;
        m_session.menus.set(Menu::NewData, newDataMenu);
        return false;
    });
}

void ChartDocument::reportLoadFailure(int code, const std::string& detail)
{
    setBusy(false);
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
    // Input New Data and pasted lines into a loaded project take only the field
    // count and the value column from the dialog, and keep the project's settings.
    const bool intoProject =
        (request.kind == LoadKind::NewData || request.kind == LoadKind::Paste) &&
        m_session.sources.projectFileFlag;
    const bool fullAnswers = request.kind != LoadKind::Project && !intoProject;
    // The reader's number conversions and the sort run at full speed after the dialogs.
    clearUpperVectorState();
    bool applying = false;
    try {
        m_session.settings.setCheck(FileChar_Labels, 0);
        TextFile file;
        std::vector<std::string_view> pasted;
        const std::vector<std::string_view>& lines =
            readLoadLines(request, m_session.sources.pasteBuffer, file, pasted);
        std::optional<ProjectRead> project;
        if (request.kind == LoadKind::Project) {
            settleFonts();
            project = readProject(lines, request.targetSet == 2, m_session.settings);
        } else if (!askDataLayout(request, lines)) {
            m_lastLoad = {LoadStatus::Cancelled, 0};
            return m_lastLoad;
        }
        setBusy(true);
        const DataLayout layout =
            project ? projectLayout(*project)
                    : answeredLayout(request, m_session.settings, m_session.set(request.targetSet),
                                     fullAnswers);
        ParsedData parsed = parseLoad(lines, layout, project);
        sortSet(parsed.set, parsed.set.pointCount);
        // The data is read and sorted; what follows takes the fonts.
        settleFonts();
        // Until here nothing of the chart has changed; a failure while the load
        // is applied leaves no chart that would belong to other data.
        applying = true;
        applyLoad(request, parsed, project, layout.withSigmas, fullAnswers);
    } catch (const QvError& e) {
        return loadFailed(e.code(), e.what(), applying);
    } catch (const std::bad_alloc&) {
        return loadFailed(ErrorCode::OutOfMemory, {}, applying);
    }
    m_lastLoad = {LoadStatus::Loaded, 0};
    noteLoad(request);
    drawPlot();
    const SkippedLines& skipped = m_session.set(request.targetSet).skippedLines;
    if (request.kind != LoadKind::Project && skipped.count > 0) {
        m_prompter.message(skippedLinesMessage(skipped), LinesNotReadTitle,
                           MessageIcon::Exclamation);
    }
    return m_lastLoad;
}

const LoadResult& ChartDocument::loadFailed(int code, const std::string& detail, bool applying)
{
    if (applying) {
        clearChart();
    }
    reportLoadFailure(code, detail);
    m_lastLoad = {LoadStatus::Failed, code};
    return m_lastLoad;
}

bool ChartDocument::askDataLayout(const LoadRequest& request,
                                  const std::vector<std::string_view>& lines)
{
    // A one-line paste previews its line twice rather than the end line.
    std::vector<std::string_view> onePastedLine;
    if (request.kind == LoadKind::Paste && lines.size() == 2 && lines[1] == EndOfPaste) {
        onePastedLine.assign(2, lines[0]);
    }
    const std::vector<std::string_view>& shown = onePastedLine.empty() ? lines : onePastedLine;
    const PrefillResult prefill = prefillFromLines(shown);
    if (!prefill.prefill) {
        raise(prefill.errorCode);
    }
    Settings& s = m_session.settings;
    putPrefill(s, *prefill.prefill);
    const std::string proposed = s.text(FileChar_Ncol);
    const DataFilePreview preview{prefill.prefill->firstRow, prefill.prefill->secondRow};
    if (!m_prompter.askDataFileParameters(s, preview)) {
        return false;
    }
    // A field count left as proposed follows the user's decimal mark: "8,3" is
    // one field with a decimal comma and two without.
    const bool decimalComma = s.check(FileChar_DecimalComma) == 1;
    if (decimalComma != prefill.prefill->decimalComma && s.text(FileChar_Ncol) == proposed) {
        s.setText(FileChar_Ncol,
                  std::to_string(std::max(proposedFieldCount(shown, decimalComma), 0)));
    }
    return true;
}

void ChartDocument::applyLoad(const LoadRequest& request, ParsedData& parsed,
                              std::optional<ProjectRead>& project, bool withSigmas,
                              bool fullAnswers)
{
    Settings& s = m_session.settings;
    int settingsFailure = 0;
    {
        const Settings::Batch batch(s);
        if (fullAnswers) {
            // An overlay joins the chart, whose title stays.
            const std::string title = s.text(PlotOpts_PlotTitle);
            s.setText(PlotOpts_YAxisLabel, parsed.label);
            // Pasted lines keep the options of a chart that has a title.
            if (request.kind != LoadKind::Paste || s.text(PlotOpts_PlotTitle).empty()) {
                s.resetOptions();
            }
            if (request.targetSet == 2) {
                s.setText(PlotOpts_PlotTitle, title);
            }
        }
        DataSet& target = m_session.set(request.targetSet);
        target = std::move(parsed.set);
        target.editGridBuilt = false;
        target.hiliteGridBuilt = false;
        const bool projectOverlay =
            project && applyProjectBlocks(*project, request.path, settingsFailure);
        applyLoadState(request, projectOverlay);
        s.setEnabled(PlotOpts_ErrorBars, withSigmas);
        if (target.enabledCount < 30) {
            s.setEnabled(PlotOpts_Tdist, true);
        } else {
            s.setEnabled(PlotOpts_Tdist, false);
            s.selectButton(PlotOpts_NormalDist);
        }
        m_session.sources.placeBoxesPending = true;
    }
    clearChart();
    setBusy(false);
    if (settingsFailure != 0) {
        // The settings before the failing line stay applied; the data are loaded.
        m_prompter.message(unexpectedErrorText(settingsFailure, ErrorPrefix::Spaced),
                           "Read QVW Error", MessageIcon::Warning);
    }
}

void ChartDocument::applyLoadState(const LoadRequest& request, bool projectOverlay)
{
    if (request.titlePath) {
        m_session.sources.titlePath = *request.titlePath;
        m_session.setTitleFromPath();
    }
    if (request.targetSet == 2) {
        m_session.sources.overlayPath = request.path;
        m_session.sources.overlayLoaded = true;
    } else if (request.kind != LoadKind::NewData) {
        m_session.sources.overlayLoaded = projectOverlay;
    }
    // Pasted data, too, can be edited, given options and an overlay.
    m_session.menus.set(
        {Menu::EnableDisable, Menu::Options_File, Menu::SaveAs, Menu::InputOverlayData}, true);
}

} // namespace qv
