#include "gui/dialogs/OptionDialogSet.h"

#include "gui/dialogs/AxesOptionsDialog.h"
#include "gui/dialogs/GraphOptionsDialog.h"
#include "gui/dialogs/PageSetupDialog.h"
#include "gui/dialogs/StatsBoxDialog.h"

namespace qv {

OptionDialogSet::OptionDialogSet(Settings& settings, Prompter& prompter,
                                 std::function<void()> refresh, QWidget* parent)
    : m_settings(settings), m_prompter(prompter), m_refresh(std::move(refresh)), m_parent(parent)
{
}

OptionDialogSet::~OptionDialogSet()
{
    // The dialogs stop following the settings before those go.
    delete m_graph.data();
    delete m_axes.data();
    delete m_stats.data();
    delete m_pageSetup.data();
}

GraphOptionsDialog& OptionDialogSet::graphOptions()
{
    if (!m_graph) {
        m_graph = new GraphOptionsDialog(m_settings, m_parent);
        m_graph->setPrompter(&m_prompter);
    }
    return *m_graph;
}

AxesOptionsDialog& OptionDialogSet::axesOptions()
{
    if (!m_axes) {
        m_axes = new AxesOptionsDialog(m_settings, m_prompter, m_parent);
        m_axes->setPrompter(&m_prompter);
    }
    return *m_axes;
}

StatsBoxDialog& OptionDialogSet::statsBox()
{
    if (!m_stats) {
        m_stats = new StatsBoxDialog(m_settings, m_parent);
        m_stats->setPrompter(&m_prompter);
    }
    return *m_stats;
}

PageSetupDialog& OptionDialogSet::pageSetup()
{
    if (!m_pageSetup) {
        m_pageSetup = new PageSetupDialog(m_settings, m_refresh, m_parent);
    }
    return *m_pageSetup;
}

SettingsDialog& OptionDialogSet::dialog(OptionDialog which)
{
    switch (which) {
    case OptionDialog::Axes:
        return axesOptions();
    case OptionDialog::StatsBox:
        return statsBox();
    case OptionDialog::Graph:
        break;
    }
    return graphOptions();
}

bool OptionDialogSet::built(OptionDialog which) const
{
    switch (which) {
    case OptionDialog::Axes:
        return !m_axes.isNull();
    case OptionDialog::StatsBox:
        return !m_stats.isNull();
    case OptionDialog::Graph:
        break;
    }
    return !m_graph.isNull();
}

DialogExit OptionDialogSet::showModal(OptionDialog which)
{
    return dialog(which).run();
}

} // namespace qv
