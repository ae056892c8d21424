#pragma once
// The chart document: the session (data sets, settings, placements), the plot
// routine and every command of the main window. The window and batch mode each
// own one and drive it; neither wires the session itself. Qt-free.

#include "core/document/DocumentView.h"
#include "core/document/LoadRequest.h"
#include "core/model/BusyPointer.h"
#include "core/model/Session.h"
#include "core/plot/PlotRoutine.h"
#include "core/stats/decisions/LotDecision.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class Prompter;
class TextMeasurer;
struct ParsedData;
struct ProjectRead;

// The title of the message after a load that did not read every line.
inline constexpr const char* LinesNotReadTitle = "Lines Not Read";

class ChartDocument : private BusyPointer
{
public:
    // Every question goes to `prompter`; texts are measured with `measurer`.
    // Both must outlive the document.
    ChartDocument(Prompter& prompter, const TextMeasurer& measurer);
    ~ChartDocument() override;
    ChartDocument(const ChartDocument&) = delete;
    ChartDocument& operator=(const ChartDocument&) = delete;

    // The view told of busy work, drawings and the state after each command;
    // null for none. It must outlive the document or be reset first.
    void setView(DocumentView* view) { m_view = view; }

    // The start-up sequence before anything is loaded: the chart laid out on
    // `layout`, the model's start-up (commands, fonts, Page Setup start values)
    // and the movable items at their design places on the plot area.
    void startUp(const ChartLayout& layout, std::vector<std::string> fonts,
                 const std::string& preferredFallback = {});
    // The same start-up with the font list asked of `fonts` only when it is
    // first needed: after the first load has read its file, before any drawing,
    // or at settleFonts(). Batch mode reads a lot while the system's fonts are
    // still being listed.
    using FontSource = std::function<std::vector<std::string>()>;
    void startUp(const ChartLayout& layout, FontSource fonts,
                 const std::string& preferredFallback = {});
    // Fills the font list from the source start-up was given, once.
    void settleFonts();

    Session& session() { return m_session; }
    const Session& session() const { return m_session; }
    Settings& settings() { return m_session.settings; }
    Prompter& prompter() { return m_prompter; }
    PlotRoutine& plot() { return m_plot; }
    const PlotRoutine& plot() const { return m_plot; }
    const Scene& scene() const { return m_plot.scene(); }

    // How the last drawing and the last load ended.
    DrawOutcome lastOutcome() const { return m_lastOutcome; }
    const LoadResult& lastLoad() const { return m_lastLoad; }

    // The lot decisions on set 1 (main) or 2 (overlay) of the last drawing,
    // decided with the risks and the upper limit that drawing used; computed
    // at the first request after the drawing and kept until the next drawing
    // or clearing. Null when the last drawing failed or stopped, the chart was
    // cleared since, or the set was not drawn. They never change the chart.
    const LotDecision* lotDecision(int setNumber) const;
    // The risks and limit of the last finished drawing (valid with lotDecision).
    const DecisionSettings& decisionSettings() const { return m_decisionSettings; }

    // The main window's commands. Each asks through the prompter, reports its
    // own failures, and ends with the view told the title and the menus. The
    // open commands return true when a set was loaded; Cancel, a refusal or a
    // failure leave the chart, its data and the window title as they were.
    bool openFile();
    // `argument` is the command line's file argument as given; double quotes
    // around it are removed. A blank argument loads nothing. `asGiven` (batch
    // mode's FILEs) keeps blanks and quotes as part of the name.
    bool openFromCommandLine(std::string_view argument, bool asGiven = false);
    bool inputNewData();
    bool inputOverlayData();
    // Opens `path` as File > Open does once its dialog chose it (a recent file, a
    // file dropped on the window), after the unsaved-work question.
    bool openPath(const std::string& path);
    // Edit > Refresh Plot: the one-time resize and bold choices of Page Setup,
    // then a drawing.
    void refreshPlot();
    // File > Save File As...: asks for the name (".qvw" added when it has no
    // extension) and before replacing a file, writes the project, and only when
    // it was written selects the manual scale, titles the window with the path
    // and refreshes the chart. True when the project was written.
    bool saveAs();
    // Writes the chart's project file to `path` as Save File As does, without
    // asking and without changing the chart. A failure is shown under
    // "Save As... Error" and leaves any file at `path` as it was; false then.
    bool writeProject(const std::string& path);
    // Edit > Paste Data: `text` is the clipboard's plain text, nothing when the
    // clipboard holds none. The text is cut into the paste buffer and loaded as
    // the main set after the Data File Parameters dialog. Cancel or a failure
    // leaves the data, the overlay, the paste buffer and the paste mode as they
    // were. True when the set was loaded.
    bool pasteData(const std::optional<std::string>& text);
    // Where the project file stores the free text, the statistics box (chart
    // units of the last drawing) and the value-axis label (twips); the stored
    // places of the last project read when no drawing set the chart's units.
    SavedPositions projectPositions() const;

    // Whether the chart holds work that no file holds: a changed setting, a moved
    // box, an editor's OK, pasted data, new or overlay data put into a chart. An
    // open of a data or project file and a successful save clear it.
    bool hasUnsavedWork() const { return m_unsavedWork; }
    void markUnsavedWork() { m_unsavedWork = true; }
    // Before a command that would drop the chart: with unsaved work, asks "Save
    // changes to the project?"; Save runs Save File As. True when the command may
    // go on (nothing unsaved, Discard, or the project was saved).
    bool settleUnsavedWork();

    // Draws the chart without the one-time resize (after an option dialog's OK).
    DrawOutcome drawPlot();

    // The load command: reads the request's lines, asks the Data File
    // Parameters dialog (not for a project file), and only when the lines were
    // read replaces the target set (sorted), resets the options after a data
    // file, sets the enabling rules, the window title and the overlay state, and
    // draws. A load of data lines that skipped some says which under
    // LinesNotReadTitle. A failure is reported under "File Error" and changes
    // nothing but the dialog's own answers: the sets, the title and the chart
    // stay as they were.
    LoadResult load(const LoadRequest& request);

private:
    void setBusy(bool on) override;
    // Runs a command's body; a failure its own handlers let through is shown as
    // "Unexpected Error " and its code under `failureTitle`.
    template <typename Body> bool command(const char* failureTitle, Body body);
    // command() for the commands defined in other files.
    bool runCommand(const char* failureTitle, const std::function<bool()>& body);
    void clearChart();
    // After each drawing: what its lot decisions will be decided with.
    void noteDrawing();
    void reportLoadFailure(int code, const std::string& detail);
    // The end of a failed load: the chart is cleared only when the load had
    // started to change it (`applying`), then the failure is reported.
    const LoadResult& loadFailed(int code, const std::string& detail, bool applying);
    // The open commands' file dialog; the folder of a chosen file is remembered.
    std::optional<std::string> askOpenFile(bool inputCommand);
    // After a load: data that came from a file of their own leave nothing
    // unsaved; the main set's file is noted for the footer and Save File As.
    void noteLoad(const LoadRequest& request);
    // After a load: a manual value scale that leaves every enabled point of the
    // main set outside it gives way to the automatic scale, and the user is told.
    void guardManualScale();
    // The drawing's report without the range warnings already said since the
    // last load: each is said once per load, not at every redraw.
    DrawReport sayWarningsOnce(DrawReport report);

    // What an open command's load puts into the window title.
    enum class TitleFrom
    {
        Path,     // the chosen path
        FileName, // its file name
        None,     // the title stays
    };
    // The open commands' common part: leaves the paste mode, takes the path
    // `choose` gives (nothing: the command stops), remembers it and loads it
    // into `targetSet` as a project or a data file by its extension.
    bool openChosen(int targetSet, TitleFrom title,
                    const std::function<std::optional<std::string>()>& choose);
    // Fills the Data File Parameters dialog from the lines and asks it; false
    // when it was cancelled.
    bool askDataLayout(const LoadRequest& request, const std::vector<std::string_view>& lines);
    // The read points, sorted, replace the target set and the chart's state
    // follows: options, a project's blocks, title, overlay, enabling; then the
    // chart is cleared and a failing project settings line reported.
    void applyLoad(const LoadRequest& request, ParsedData& parsed,
                   std::optional<ProjectRead>& project, bool withSigmas, bool fullAnswers);
    // The window title, the overlay state and the menus after a load.
    void applyLoadState(const LoadRequest& request, bool projectOverlay);
    // The overlay block (into set 2) and the settings block of a project being
    // loaded; true when the file had an overlay. `settingsFailure` receives the
    // code of a settings line that could not be applied.
    bool applyProjectBlocks(ProjectRead& read, const std::string& path, int& settingsFailure);

    Prompter& m_prompter;
    Session m_session;
    PlotRoutine m_plot;
    DocumentView* m_view = nullptr;
    DrawOutcome m_lastOutcome = DrawOutcome::Drawn;
    LoadResult m_lastLoad;
    // The decisions of the last drawing, made on request; valid while m_decidable.
    bool m_decidable = false;
    DecisionSettings m_decisionSettings;
    mutable std::array<std::optional<LotDecision>, 2> m_decisions;
    bool m_unsavedWork = false;
    std::vector<std::string> m_saidWarnings;
    // The font start-up takes when the list has no Arial.
    std::string m_fallbackFont;
    // The font list still to be asked for; empty once it is in the settings.
    FontSource m_pendingFonts;
};

} // namespace qv
