#pragma once
// The Page Setup dialog ("frmPageSetup"), shown beside the main window without
// blocking it: the chart font and its bold choices, the title and axis-label
// sizes, the one-time resize of the plot area and the print orientation.
// "Refresh Plot" applies the choices; "OK" hides the dialog and applies them.

#include "gui/dialogs/SettingsDialog.h"

#include <functional>

class QVBoxLayout;

namespace qv {

class PageSetupDialog : public SettingsDialog
{
    Q_OBJECT

public:
    // `refresh` is the main window's Refresh Plot.
    PageSetupDialog(Settings& settings, std::function<void()> refresh, QWidget* parent = nullptr);

    // Shows the dialog, or brings it to the front when it is shown already.
    void showBeside();
    // The "Refresh Plot" button: the dialog stays.
    void refreshPlot();
    // The "OK" button: hides the dialog, then refreshes.
    void accept() override;

private:
    // A bold caption over the frame `frame` of five font sizes (the buttons `sizes`
    // with `captions`, smallest at the top), with its bold check box below them.
    QVBoxLayout* makeSizeColumn(const char* label, const char* caption, const char* frame,
                                Ctl sizes, std::initializer_list<const char*> captions,
                                const CheckEntry& boldCheck);

    std::function<void()> m_refresh;
};

} // namespace qv
