#pragma once
// Texts and titles of the messages that the statistics engine asks its caller
// to show. The engine itself never shows anything.

#include <string_view>

namespace qv {

struct StatsMessage
{
    std::string_view text;
    std::string_view title;
};

inline constexpr std::string_view DatasetErrorTitle = "Dataset Error";

// A taken value, after the background is subtracted, is 0 or less on a log axis.
// The plot routine shows it, selects the linear axis and draws again.
inline constexpr std::string_view NonPositiveLogValueText =
    "Dataset contains zero or negative values.  Please remove these values before plotting as log "
    "function";

// A point of a weighted fit has uncertainty 0; shown once per such point, the
// fit then completes.
inline constexpr std::string_view ZeroUncertaintyText =
    "Data Produces Divide By Zero Error. Use Correct Dataset.";

inline constexpr StatsMessage NonPositiveLogValueMessage{NonPositiveLogValueText,
                                                         DatasetErrorTitle};
inline constexpr StatsMessage ZeroUncertaintyMessage{ZeroUncertaintyText, DatasetErrorTitle};

} // namespace qv
