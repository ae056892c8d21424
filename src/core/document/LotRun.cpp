#include "core/document/LotRun.h"

#include "core/document/ChartDocument.h"
#include "core/model/StartUp.h"

#include <algorithm>

namespace qv {

bool takesEffectAtRefresh(Ctl id)
{
    switch (id) {
    case Ctl::frmPageSetup_chkBoldFont:
    case Ctl::frmPageSetup_chkGraphTitleBold:
    case Ctl::frmPageSetup_chkYBold:
    case Ctl::frmPageSetup_optPrtOrientation:
    case Ctl::frmPageSetup_optPlotTitleFontsize:
    case Ctl::frmPageSetup_optYAxisLabelFontsize:
    case Ctl::frmPageSetup_cboFont:
    case Ctl::frmPageSetup_optPlotSize:
        return true;
    default:
        return false;
    }
}

void applySettings(ChartDocument& document, const SettingValues& values)
{
    for (const auto& [id, value] : values) {
        document.settings().setFromText(id, value);
    }
    const bool atRefresh = std::any_of(values.begin(), values.end(), [](const auto& value) {
        return takesEffectAtRefresh(value.first);
    });
    if (atRefresh) {
        document.refreshPlot();
    } else {
        document.drawPlot();
    }
}

void checkSettingValues(const SettingValues& values,
                        const std::function<std::vector<std::string>()>& fonts,
                        const std::string& preferredFallback)
{
    const bool namesAFont = std::any_of(values.begin(), values.end(), [](const auto& value) {
        return controlInfo(value.first).kind == ControlKind::Font;
    });
    Session probe;
    startUp(probe, namesAFont ? fonts() : std::vector<std::string>{}, preferredFallback);
    for (const auto& [id, value] : values) {
        probe.settings.setFromText(id, value);
    }
}

LotRun runLot(ChartDocument& document, std::string_view file, bool overlay,
              const SettingValues& values)
{
    LotRun run;
    run.loaded = document.openFromCommandLine(file, true);
    if (run.loaded && overlay) {
        run.loaded = document.inputOverlayData();
        run.lastTarget = 2;
    }
    if (run.loaded && !values.empty()) {
        applySettings(document, values);
    }
    if (run.loaded && document.lastOutcome() != DrawOutcome::Failed) {
        run.outcome = document.lastOutcome() == DrawOutcome::Stopped ? LotOutcome::Stopped
                                                                     : LotOutcome::Drawn;
    }
    return run;
}

LotJudgement judgeLot(const ChartDocument& document)
{
    const LotDecision* decision = document.lotDecision(1);
    if (!decision || !decision->verdict) {
        return LotJudgement::Unjudged;
    }
    const LotVerdict& verdict = *decision->verdict;
    if (!verdict.accepted && !verdict.acceptedExact) {
        return LotJudgement::NoVerdictGiven;
    }
    if (verdict.accepted == false || verdict.acceptedExact == false) {
        return LotJudgement::Rejected;
    }
    return LotJudgement::Accepted;
}

} // namespace qv
