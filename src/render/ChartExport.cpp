#include "render/ChartExport.h"

#include "core/Errors.h"
#include "core/Units.h"
#include "core/io/FilePaths.h"
#include "core/io/SafeFileWriter.h"
#include "render/PngWriter.h"
#include "render/SvgSymbolRuns.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr int PdfResolution = 1200;
constexpr double PdfMarginMillimetres = 10.0;

enum class Format
{
    Png,
    Bmp,
    Svg,
    Pdf,
    Unknown
};

Format formatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return Format::Png;
    }
    if (suffix == QLatin1String("bmp")) {
        return Format::Bmp;
    }
    if (suffix == QLatin1String("svg")) {
        return Format::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return Format::Pdf;
    }
    return Format::Unknown;
}

ExportResult failure(QString text)
{
    return {false, std::move(text)};
}

QString cannotWrite(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot write %1: %2").arg(path, reason);
}

// Paints the window picture into `file` as SVG, one unit per pixel of a 96 dpi
// screen, the plot symbols written by SvgSymbolRuns; false when painting failed.
bool writeSvg(const Scene& scene, QIODevice& file)
{
    SvgSymbolRuns runs;
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    if (!paintSvg(ChartPainter(ChartPainter::ScreenPixelsPerTwip, &runs), scene, buffer)) {
        return false;
    }
    buffer.close();
    const QByteArray svg = runs.splice(written);
    return !svg.isEmpty() && file.write(svg) == svg.size();
}

// Paints the window picture into `file` as a one-page PDF, fitted to the
// printable area; false when painting failed.
bool writePdf(const Scene& scene, QIODevice& file, PageOrientation page)
{
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Quantiview"));
    writer.setTitle(QStringLiteral("Quantiview chart"));
    writer.setResolution(PdfResolution);
    const bool landscape = page == PageOrientation::Unchanged
                               ? scene.windowWidth > scene.windowHeight
                               : page == PageOrientation::Landscape;
    const auto orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                     QMarginsF(PdfMarginMillimetres, PdfMarginMillimetres,
                                               PdfMarginMillimetres, PdfMarginMillimetres),
                                     QPageLayout::Millimeter));
    QPainter device;
    if (!device.begin(&writer)) {
        return false;
    }
    // The painter's origin is the printable area's top left corner.
    paintChartFitted(device, scene, QRectF(0, 0, writer.width(), writer.height()));
    return device.end();
}

} // namespace

bool paintSvg(const ChartPainter& painter, const Scene& scene, QIODevice& device)
{
    const QSize size = painter.windowSize(scene);
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(static_cast<int>(ScreenDpi));
    generator.setTitle(QStringLiteral("Quantiview chart"));
    QPainter svg;
    if (!svg.begin(&generator)) {
        return false;
    }
    painter.paintAll(svg, scene);
    return svg.end();
}

QImage chartImage(const Scene& scene, double pixelsPerTwip)
{
    const ChartPainter painter(pixelsPerTwip);
    QImage image(painter.windowSize(scene), QImage::Format_RGB32);
    const int dotsPerMeter =
        static_cast<int>(std::lround(painter.pixelsPerTwip() * TwipsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter device(&image);
    painter.paintAll(device, scene);
    device.end();
    return image;
}

void paintChartFitted(QPainter& painter, const Scene& scene, const QRectF& target)
{
    if (!(scene.windowWidth > 0) || !(scene.windowHeight > 0) || target.isEmpty()) {
        return;
    }
    const double pixelsPerTwip =
        std::min(target.width() / scene.windowWidth, target.height() / scene.windowHeight);
    painter.save();
    painter.translate(target.topLeft());
    ChartPainter(pixelsPerTwip).paintAll(painter, scene);
    painter.restore();
}

bool knownPictureFormat(const QString& path)
{
    return formatOf(path) != Format::Unknown;
}

QByteArray chartFileBytes(const Scene& scene, const QString& path, PageOrientation orientation)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    switch (formatOf(path)) {
    case Format::Png:
        painted = writePng(chartImage(scene), buffer);
        break;
    case Format::Bmp:
        painted = chartImage(scene).save(&buffer, "BMP");
        break;
    case Format::Svg:
        painted = writeSvg(scene, buffer);
        break;
    case Format::Pdf:
        painted = writePdf(scene, buffer, orientation);
        break;
    case Format::Unknown:
        break;
    }
    buffer.close();
    return painted ? bytes : QByteArray();
}

ExportResult exportChart(const Scene& scene, const QString& path, PageOrientation orientation)
{
    const Format format = formatOf(path);
    if (format == Format::Unknown) {
        return failure(QStringLiteral("Unknown picture format for %1: use .png, .bmp, .svg or .pdf")
                           .arg(path));
    }
    if (!(scene.windowWidth > 0) || !(scene.windowHeight > 0)) {
        return failure(QStringLiteral("The chart has no size to export"));
    }
    // The picture is made in memory and written in one go by the project's own
    // writer, which renames it over the target only once the disk has it.
    const QByteArray bytes = chartFileBytes(scene, path, orientation);
    if (bytes.isEmpty()) {
        return failure(cannotWrite(path, QStringLiteral("the picture could not be painted")));
    }
    try {
        writeFileReplacing(
            fileNameBytes(path.toStdU16String()),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const QvError& e) {
        return failure(cannotWrite(path, QString::fromLocal8Bit(e.what())));
    }
    return {true, {}};
}

} // namespace qv
