#pragma once
// The Graph Options dialog ("PlotOpts"): titles and free texts, the statistics
// box, background subtraction, the least-squares fit, the Ts parameters, the
// limit lines, the distribution and the value axis. A view on the settings:
// every control is a setting and its click rules run in the settings model.

#include "gui/dialogs/SettingsDialog.h"

namespace qv {

class GraphOptionsDialog : public SettingsDialog
{
    Q_OBJECT

public:
    GraphOptionsDialog(Settings& settings, QWidget* parent = nullptr);

protected:
    bool okRules() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A check box and, after a gap, the labelled field of `width` pixels it
    // switches on.
    QHBoxLayout* makeSwitchedField(const CheckEntry& check, const FieldEntry& field, int width);
    // Student's t says in its tooltip why it is off when it is.
    void showStudentTip();

    QRadioButton* m_studentT = nullptr;
};

} // namespace qv
