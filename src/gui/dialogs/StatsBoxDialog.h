#pragma once
// The Statistics Box Options dialog ("StatsForm"): which lines the statistics
// boxes of the main and the overlay set show, their titles, and the
// significant digits of their numbers. Reached from Graph Options only.

#include "gui/dialogs/SettingsDialog.h"

namespace qv {

class StatsBoxDialog : public SettingsDialog
{
    Q_OBJECT

public:
    StatsBoxDialog(Settings& settings, QWidget* parent = nullptr);
};

} // namespace qv
