#pragma once
// The chart document and the plot routine as the core tests drive them: a
// scripted user, text of a fixed pitch and a folder of files made for the test.

#include "core/document/ChartDocument.h"
#include "core/document/DrawReportApply.h"
#include "core/model/ScriptedPrompter.h"
#include "core/model/StartUp.h"
#include "core/plot/PlotRoutine.h"
#include "support/FixedPitchMeasurer.h"
#include "support/TempFiles.h"

#include <algorithm>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace qv::test {

using Lines = std::vector<std::string>;
using Values = std::vector<double>;
using States = std::vector<std::int16_t>;

// What the user was told, each message as "title: text".
inline Lines said(const ScriptedPrompter& prompter)
{
    Lines texts;
    for (const RecordedMessage& m : prompter.messages) {
        texts.push_back(m.title + ": " + m.text);
    }
    return texts;
}

// A set of `values` with `states` (enabled where none is given) and `sigmas`
// (0 each without any).
inline DataSet makeSet(Values values, States states = {}, Values sigmas = {})
{
    DataSet set;
    set.pointCount = static_cast<int>(values.size());
    states.resize(values.size(), 1);
    set.enabledCount = static_cast<int>(std::ranges::count_if(states, isEnabledState));
    set.hasSigmas = !sigmas.empty();
    set.sigmas = sigmas.empty() ? Values(values.size(), 0.0) : std::move(sigmas);
    set.values = std::move(values);
    set.states = std::move(states);
    return set;
}

// A started document that counts its drawings. Files come in through the Open
// command, the Data File Parameters dialog answered as given.
struct Document : DocumentView
{
    ScriptedPrompter prompter;
    FixedPitchMeasurer measurer;
    ChartDocument document{prompter, measurer};
    Session& session = document.session();
    Settings& s = session.settings;
    TempFiles files;
    int draws = 0;

    explicit Document(const ChartLayout& layout = designLayout(12000, 9000))
    {
        document.startUp(layout, {"Arial", "DejaVu Sans"});
        document.setView(this);
    }
    ~Document() override { document.setView(nullptr); }
    void chartDrawn() override { ++draws; }

    bool open(const std::string& path, DataFileAnswers answers = {})
    {
        prompter.openAnswers.push_back(path);
        prompter.dataFileAnswers.push_back(answers);
        return document.openFile();
    }
    bool openText(const std::string& name, const std::string& content, DataFileAnswers answers = {})
    {
        return open(files.write(name, content), answers);
    }
    bool saveAs(const std::string& path)
    {
        prompter.saveAnswers.push_back(path);
        return document.saveAs();
    }
    bool paste(const std::optional<std::string>& text, DataFileAnswers answers = {})
    {
        prompter.dataFileAnswers.push_back(answers);
        return document.pasteData(text);
    }
    Lines said() const { return test::said(prompter); }
};

// The plot routine on a set just loaded: the options a data file leaves, the
// boxes at their design places, then `settings` ("NAME=VALUE").
struct Chart
{
    Session session;
    ScriptedPrompter prompter;
    FixedPitchMeasurer measurer;
    PlotRoutine plot{session, session.placements, measurer};
    Settings& s = session.settings;

    explicit Chart(const Values& values, const Lines& settings = {})
    {
        startUp(session, {"Arial"});
        s.resetOptions();
        session.set(1) = makeSet(values);
        plot.layout() = designLayout(15360, 11520);
        session.placements = designPlacements(plot.layout().plotArea);
        session.sources.placeBoxesPending = true;
        set(settings);
    }
    void set(const Lines& settings)
    {
        for (const std::string& setting : settings) {
            const auto eq = setting.find('=');
            s.setFromText(*findControl(setting.substr(0, eq)), setting.substr(eq + 1));
        }
    }
    DrawOutcome draw()
    {
        prompter.messages.clear();
        return redraw();
    }
    // Draws and applies the drawing's report as the document does, keeping
    // the messages said before.
    DrawOutcome redraw() { return applyDrawReport(session, prompter, plot.drawPlot()); }
    // The texts of the messages, without their titles.
    Lines said() const
    {
        Lines texts;
        for (const RecordedMessage& m : prompter.messages) {
            texts.push_back(m.text);
        }
        return texts;
    }
    const Scene& scene() const { return plot.scene(); }
    template <typename T> std::vector<T> all() const
    {
        std::vector<T> out;
        for (const auto& p : scene().primitives) {
            if (const T* t = std::get_if<T>(&p)) {
                out.push_back(*t);
            }
        }
        return out;
    }
};

} // namespace qv::test
