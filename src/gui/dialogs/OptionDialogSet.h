#pragma once
// The main window's option dialogs: Graph Options, Axes Options and Statistics
// Box Options, shown modally one after the other by the opener's loop, and the
// modeless Page Setup. Each is built on first use and only hidden afterwards;
// all of them are views on the same settings.

#include "core/document/OptionDialogs.h"

#include <QPointer>

#include <functional>

class QWidget;

namespace qv {

class AxesOptionsDialog;
class GraphOptionsDialog;
class PageSetupDialog;
class Prompter;
class Settings;
class SettingsDialog;
class StatsBoxDialog;

class OptionDialogSet : public OptionDialogHost
{
public:
    // The dialogs show `settings` over `parent`; Axes Options tells its refusals
    // through `prompter`; Page Setup's buttons call `refresh`. Everything given
    // must outlive the set, which deletes its dialogs when it goes.
    OptionDialogSet(Settings& settings, Prompter& prompter, std::function<void()> refresh,
                    QWidget* parent);
    ~OptionDialogSet() override;
    OptionDialogSet(const OptionDialogSet&) = delete;
    OptionDialogSet& operator=(const OptionDialogSet&) = delete;

    DialogExit showModal(OptionDialog dialog) override;

    // The dialogs, built on first use.
    GraphOptionsDialog& graphOptions();
    AxesOptionsDialog& axesOptions();
    StatsBoxDialog& statsBox();
    PageSetupDialog& pageSetup();
    SettingsDialog& dialog(OptionDialog which);

    // Whether a dialog has been built yet.
    bool built(OptionDialog which) const;
    bool pageSetupBuilt() const { return !m_pageSetup.isNull(); }

private:
    Settings& m_settings;
    Prompter& m_prompter;
    std::function<void()> m_refresh;
    QWidget* m_parent;
    QPointer<GraphOptionsDialog> m_graph;
    QPointer<AxesOptionsDialog> m_axes;
    QPointer<StatsBoxDialog> m_stats;
    QPointer<PageSetupDialog> m_pageSetup;
};

} // namespace qv
