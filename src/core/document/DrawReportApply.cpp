#include "core/document/DrawReportApply.h"

#include "core/model/Session.h"

namespace qv {

namespace {

struct Applier
{
    Session& session;
    Prompter& prompter;

    void operator()(const SetTextChange& c) const { session.settings.setText(c.id, c.text); }
    void operator()(const SelectButtonChange& c) const { session.settings.selectButton(c.id); }
    void operator()(const SelectGroupChange& c) const
    {
        session.settings.selectGroup(c.id, c.index);
    }
    void operator()(const MenuChange& c) const
    {
        for (Menu item : c.items) {
            session.menus.set(item, c.enabled);
        }
    }
    void operator()(const GraphFontChange& c) const { session.window.graphFontName = c.name; }
    void operator()(const BoldFontChange& c) const
    {
        session.window.graphFontBold = c.graph;
        session.window.titleFontBold = c.title;
    }
    void operator()(const MessageChange& c) const { prompter.message(c.text, c.title, c.icon); }
};

} // namespace

DrawOutcome applyDrawReport(Session& session, Prompter& prompter, const DrawReport& report)
{
    const Applier apply{session, prompter};
    for (const DrawChange& change : report.changes) {
        std::visit(apply, change);
    }
    session.placements = report.placements;
    if (report.boxesPlaced) {
        session.sources.placeBoxesPending = false;
    }
    return report.outcome;
}

} // namespace qv
