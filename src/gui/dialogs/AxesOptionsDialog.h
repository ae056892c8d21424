#pragma once
// The Axes Options dialog ("AxesOpts"): the probability axis's range, the value
// axis's scaling, tick interval, label format and precision, and the data
// symbol. Its OK refuses a scale that cannot be drawn with a message and stays
// open; its Cancel keeps a logarithmic axis off a non-positive manual scale.

#include "gui/dialogs/SettingsDialog.h"

namespace qv {

class Prompter;

class AxesOptionsDialog : public SettingsDialog
{
    Q_OBJECT

public:
    // The refusals of OK are told through `prompter`, which must outlive the dialog.
    AxesOptionsDialog(Settings& settings, Prompter& prompter, QWidget* parent = nullptr);

protected:
    bool okRules() override;
    void cancelRules() override;

private:
    Prompter& m_prompter;
};

} // namespace qv
