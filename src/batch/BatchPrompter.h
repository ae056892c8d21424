#pragma once
// The scripted answers of batch mode.

#include "core/model/ScriptedPrompter.h"

#include <string>

namespace qv {

// A column beyond the fields of the file's second line is refused, as the
// dialog's lists offer no such column, and so is a --columns other than that
// line's field count, which would end the data before its first point: the
// Data File Parameters dialog is then cancelled and the refusal kept for the
// usage error.
class BatchPrompter : public ScriptedPrompter
{
public:
    std::string refusal; // empty while nothing was refused

    bool askDataFileParameters(Settings& settings, const DataFilePreview& preview) override;
};

} // namespace qv
