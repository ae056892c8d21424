#include "batch/OcCurveOutput.h"

#include "core/document/ChartDocument.h"
#include "core/plot/OcChart.h"

#include <QTextStream>

namespace qv {

std::optional<ExportResult> writeOcCurve(const ChartDocument& document, bool drawn,
                                         const TextMeasurer& measurer, const QString& path,
                                         QTextStream& err)
{
    const LotDecision* decision = drawn ? document.lotDecision(1) : nullptr;
    if (!decision) {
        err << "quantiview: " << path << " was not written: the chart was not drawn\n";
        return std::nullopt;
    }
    if (!decision->plan) {
        err << "quantiview: " << path
            << " was not written: the sampling plan needs at least 2 enabled points and a "
               "CR and an LTPD chosen\n";
        return std::nullopt;
    }
    return exportChart(ocChartScene(*decision->plan, measurer, document.session().window.graphFontName),
                       path);
}

} // namespace qv
