#pragma once
// The chart in words, for screen readers: every text the last drawing shows,
// one per line.

#include "core/plot/PlotRoutine.h"

#include <string>
#include <vector>

namespace qv {

// The visible texts of the drawing, each with its runs of blanks made one
// blank and its ends trimmed: the title, each line of the shown boxes
// (statistics box, free text, then the overlay's), each followed by where the box
// stands on the plot area (in thirds of it) and the texts it covers (labels whose
// top left corner lies under it, boxes drawn before it), the labels inside the plot
// area in drawing order (Ts value and percentage labels, limit labels; those
// beyond the plot area's edges are not seen and not listed), the probability
// axis's caption, the value-axis label and the drawing's warnings.
std::vector<std::string> chartDescription(const Scene& scene, const DrawingResults& results);

} // namespace qv
