#pragma once
// --oc-curve: the OC curve of the main set's exact sampling plan as a picture.

#include "render/ChartExport.h"

#include <QString>

#include <optional>

class QTextStream;

namespace qv {

class ChartDocument;
class TextMeasurer;

// Writes the OC picture of the main set's plan to `path` (the format by the
// extension, as --export chooses it), its texts in the chart's font measured
// with `measurer`. When the lot was not `drawn` or its main set has no plan,
// writes nothing, says why on `err` and returns nothing.
std::optional<ExportResult> writeOcCurve(const ChartDocument& document, bool drawn,
                                         const TextMeasurer& measurer, const QString& path,
                                         QTextStream& err);

} // namespace qv
