#pragma once
// The chart document: the session (data sets, settings, placements), the plot
// routine and every command of the main window. The window and batch mode each
// own one and drive it; neither wires the session itself. Qt-free.

#include "core/document/DocumentView.h"
#include "core/document/LoadRequest.h"
#include "core/model/BusyPointer.h"
#include "core/model/Session.h"
#include "core/plot/PlotRoutine.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

class Prompter;
class TextMeasurer;

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

    // The main window's commands. Each asks through the prompter, reports its
    // own failures, and ends with the view told the title and the menus. The
    // open commands return true when a set was loaded; Cancel, a refusal or a
    // failure leave the chart, its data and the window title as they were.
    bool openFile();
    // `argument` is the command line's file argument as given; double quotes
    // around it are removed. A blank argument loads nothing.
    bool openFromCommandLine(std::string_view argument);
    bool inputNewData();
    bool inputOverlayData();
    // Edit > Refresh Plot: the one-time resize and bold choices of Page Setup,
    // then a drawing.
    void refreshPlot();

    // Draws the chart without the one-time resize (after an option dialog's OK).
    DrawOutcome drawPlot();

    // The load command: reads the request's lines, asks the Data File
    // Parameters dialog (not for a project file), and only when the lines were
    // read replaces the target set (sorted), resets the options after a data
    // file, sets the enabling rules, the window title and the overlay state, and
    // draws. A failure is reported under "File Error" and changes nothing but
    // the dialog's own answers; the chart is cleared.
    LoadResult load(const LoadRequest& request);

private:
    void setBusy(bool on) override;
    // Runs a command's body; a failure its own handlers let through is shown as
    // "Unexpected Error " and its code under `failureTitle`.
    template <typename Body> bool command(const char* failureTitle, Body body);
    void clearChart();
    void reportLoadFailure(int code, const std::string& detail);

    Prompter& m_prompter;
    Session m_session;
    PlotRoutine m_plot;
    DocumentView* m_view = nullptr;
    DrawOutcome m_lastOutcome = DrawOutcome::Drawn;
    LoadResult m_lastLoad;
};

} // namespace qv
