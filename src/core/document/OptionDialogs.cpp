#include "core/document/OptionDialogs.h"

#include "core/document/ChartDocument.h"
#include "core/model/NumberFields.h"
#include "core/model/Prompter.h"
#include "core/model/Settings.h"

#include <utility>
#include <vector>

namespace qv {

namespace {

using enum Ctl;

// A logarithmic axis cannot show a manual scale that reaches zero or below.
void guardLogScale(Settings& s)
{
    if (s.selected(PlotOpts_LogY) &&
        (!(s.number(AxesOpts_YscaleMin) > 0) || !(s.number(AxesOpts_YscaleMax) > 0))) {
        s.selectButton(AxesOpts_Auto);
    }
}

} // namespace

std::optional<Ctl> refusedNumberField(Settings& settings, std::string_view dialogName,
                                      Prompter& prompter)
{
    std::vector<std::pair<Ctl, std::string>> canonical;
    for (const ControlInfo& info : controlTable()) {
        const std::string_view name = info.name;
        if (!holdsNumber(info.id) || !settings.enabled(info.id) ||
            name.substr(0, name.find('.')) != dialogName) {
            continue;
        }
        const std::string& typed = settings.text(info.id);
        const auto text = typedNumberText(typed);
        if (!text) {
            prompter.message("The " + numberFieldCaption(info.id) + " must be a number, not \"" +
                                 typed + "\".",
                             InvalidNumberTitle, MessageIcon::Exclamation);
            return info.id;
        }
        canonical.emplace_back(info.id, *text);
    }
    for (auto& [id, text] : canonical) {
        settings.setText(id, std::move(text));
    }
    return std::nullopt;
}

bool runOptionDialogs(OptionDialogHost& host, OptionDialog first)
{
    OptionDialog current = first;
    for (;;) {
        switch (host.showModal(current)) {
        case DialogExit::Ok:
            return true;
        case DialogExit::Cancel:
            return false;
        case DialogExit::ToGraph:
            current = OptionDialog::Graph;
            break;
        case DialogExit::ToAxes:
            current = OptionDialog::Axes;
            break;
        case DialogExit::ToStatsBox:
            current = OptionDialog::StatsBox;
            break;
        }
    }
}

bool openOptionDialogs(ChartDocument& document, OptionDialogHost& host, OptionDialog first)
{
    if (!document.session().menus.enabled(Menu::Options_File)) {
        return false;
    }
    // A setting that really changed under OK is work no file holds yet.
    bool changed = false;
    Settings& settings = document.settings();
    const int listener =
        settings.addListener([&changed](const SettingsNotice&) { changed = true; });
    const bool accepted = runOptionDialogs(host, first);
    settings.removeListener(listener);
    if (!accepted) {
        return false;
    }
    if (changed) {
        document.markUnsavedWork();
    }
    document.drawPlot();
    return true;
}

void graphOptionsOk(Settings& settings)
{
    guardLogScale(settings);
}

AxesCheck checkAxesOptions(const Settings& s)
{
    const double min = s.number(AxesOpts_YscaleMin);
    const double max = s.number(AxesOpts_YscaleMax);
    if (!(max > min)) {
        return AxesCheck::InvalidRange;
    }
    if (!s.selected(PlotOpts_LogY) && !(max - min > s.number(AxesOpts_TickInterval))) {
        return AxesCheck::InvalidTick;
    }
    return AxesCheck::Accepted;
}

bool axesOptionsOk(const Settings& settings, Prompter& prompter)
{
    switch (checkAxesOptions(settings)) {
    case AxesCheck::Accepted:
        return true;
    case AxesCheck::InvalidRange:
        prompter.message(InvalidScaleText, AxesOptionsErrorTitle, MessageIcon::Exclamation);
        return false;
    case AxesCheck::InvalidTick:
        prompter.message(InvalidTickText, AxesOptionsErrorTitle, MessageIcon::Exclamation);
        return false;
    }
    return false;
}

void axesOptionsCancel(Settings& settings)
{
    guardLogScale(settings);
}

} // namespace qv
