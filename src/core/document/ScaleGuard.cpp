// The chart document's guard of a manual value scale that would show nothing,
// and of range warnings said again on every redraw.
#include "core/document/ChartDocument.h"

#include "core/Errors.h"
#include "core/model/Prompter.h"

#include <algorithm>
#include <variant>

namespace qv {

void ChartDocument::guardManualScale()
{
    Settings& s = m_session.settings;
    if (!s.selected(Ctl::AxesOpts_Manual)) {
        return;
    }
    double low = 0;
    double high = 0;
    try {
        low = s.number(Ctl::AxesOpts_YscaleMin);
        high = s.number(Ctl::AxesOpts_YscaleMax);
    } catch (const QvError&) {
        return; // a scale beyond the numbers is the drawing's to report, as it always was
    }
    const DataSet& main = m_session.set(1);
    bool anyInside = false;
    for (std::size_t i = 0; i < main.values.size() && !anyInside; ++i) {
        const bool enabled = i >= main.states.size() || isEnabledState(main.states[i]);
        anyInside = enabled && main.values[i] >= low && main.values[i] <= high;
    }
    if (anyInside || main.values.empty()) {
        return;
    }
    s.selectButton(Ctl::AxesOpts_Auto);
    m_prompter.message("Every value of the lot lies outside the manual scale of the value "
                       "axis; the automatic scale is used.",
                       "Graph Warning", MessageIcon::Information);
}

DrawReport ChartDocument::sayWarningsOnce(DrawReport report)
{
    auto& changes = report.changes;
    changes.erase(std::remove_if(changes.begin(), changes.end(),
                                 [this](const DrawChange& change) {
                                     const auto* message = std::get_if<MessageChange>(&change);
                                     if (!message || message->title != "Graph Warning") {
                                         return false;
                                     }
                                     if (std::find(m_saidWarnings.begin(), m_saidWarnings.end(),
                                                   message->text) != m_saidWarnings.end()) {
                                         return true;
                                     }
                                     m_saidWarnings.push_back(message->text);
                                     return false;
                                 }),
                  changes.end());
    return report;
}

} // namespace qv
