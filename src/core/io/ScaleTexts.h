#pragma once
// The scale texts (minimum, maximum, tick interval) as a project file keeps
// them: the handlers of the scale and axis choices rewrite the tick interval,
// while the texts that were read or written stand.

#include "core/model/Settings.h"

#include <array>
#include <optional>
#include <string>

namespace qv {

class ScaleTexts
{
public:
    // The three texts as `settings` hold them now.
    static ScaleTexts of(const Settings& settings);
    // Notes `text` when `id` is one of the scale texts; ignores any other control.
    void note(Ctl id, const std::string& text);
    // Puts the noted texts back into `settings`.
    void putBack(Settings& settings) const;

private:
    std::array<std::optional<std::string>, 3> m_texts;
};

} // namespace qv
