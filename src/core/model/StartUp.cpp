#include "core/model/StartUp.h"

#include "core/model/Session.h"

#include <algorithm>

namespace qv {

void startUp(Session& session)
{
    MenuState& m = session.menus;
    m.set({Menu::mnuPageSetup, Menu::mnuRefresh, Menu::mnuCopy, Menu::mnuPrint,
           Menu::HiliteUnhilite, Menu::SaveAs, Menu::mnuSaveGraph},
          false);

    Settings& s = session.settings;
    s.setCheck(Ctl::frmPageSetup_chkGraphTitleBold, 1);
    session.window.graphFontBold = s.check(Ctl::frmPageSetup_chkBoldFont) == 1;
    session.window.titleFontBold = s.check(Ctl::frmPageSetup_chkGraphTitleBold) == 1;

    s.selectGroup(Ctl::frmPageSetup_optPlotSize, 4);
    s.selectGroup(Ctl::frmPageSetup_optPlotTitleFontsize, 2);
    s.selectGroup(Ctl::frmPageSetup_optYAxisLabelFontsize, 2);
    s.selectGroup(Ctl::frmPageSetup_optPrtOrientation, 0);

    m.set({Menu::FileEdit, Menu::PasteData}, true);
    m.set({Menu::EnableDisable, Menu::NewData, Menu::Options_File, Menu::SaveAs,
           Menu::InputOverlayData},
          false);
    session.fileDialogs.firstOpen = true;
}

void startUpFonts(Session& session, std::vector<std::string> fonts,
                  const std::string& preferredFallback)
{
    Settings& s = session.settings;
    s.setFontList(std::move(fonts));
    if (!s.walkFontListTo("Arial") && !preferredFallback.empty()) {
        // Without Arial itself, its metric twin keeps the chart's text widths.
        const auto& list = s.fontList();
        if (std::find(list.begin(), list.end(), preferredFallback) != list.end()) {
            s.selectFontOrFirst(preferredFallback);
        }
    }
    session.window.graphFontName = s.text(Ctl::frmPageSetup_cboFont);
}

void startUp(Session& session, std::vector<std::string> fonts, const std::string& preferredFallback)
{
    startUp(session);
    startUpFonts(session, std::move(fonts), preferredFallback);
}

} // namespace qv
