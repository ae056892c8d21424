#include "batch/PictureCase.h"

#include "core/validation/CaseLot.h"
#include "core/validation/Sha256.h"
#include "render/ChartExport.h"

namespace qv {

std::string runPictureCase(const ValidationCase& validationCase, const CaseContext& context)
{
    CaseLot lot(context);
    lot.load(validationCase);
    lot.document().session().sources.titlePath = validationCase.input("file");
    if (lot.document().drawPlot() != DrawOutcome::Drawn) {
        throw CaseError("the chart was not drawn");
    }
    const QImage image = chartImage(lot.document().scene()).convertToFormat(QImage::Format_RGB32);
    std::string pixels;
    const auto rowBytes = static_cast<std::size_t>(image.width()) * 4;
    pixels.reserve(rowBytes * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        pixels.append(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    }
    return std::to_string(image.width()) + "x" + std::to_string(image.height()) + " " +
           sha256Hex(pixels);
}

} // namespace qv
